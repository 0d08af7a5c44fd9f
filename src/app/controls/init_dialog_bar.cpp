#include "controls/init_dialog_bar.h"

namespace lumi::app {

bool CInitDialogBar::Create() {
  if (!BuildControls()) return false;
  return OnInitDialogBar();
}

bool CInitDialogBar::OnInitDialogBar() {
  UpdateControlsFromMembers();
  return true;
}

}  // namespace lumi::app
