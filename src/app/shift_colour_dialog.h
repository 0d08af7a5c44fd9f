#pragma once
// "Shift Color": two single-colour pickers, "From:" and "Towards:", both starting black.
#include <QDialog>

#include "edit/command_dialogs.h"

namespace lumi::app {

class CColorPicker;

class ShiftColourDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ShiftColourDialog(QWidget* parent = nullptr);
  ShiftColourChoice Choice() const;
  CColorPicker* FromPicker() const { return from_; }
  CColorPicker* TowardsPicker() const { return towards_; }

 private:
  CColorPicker* from_;
  CColorPicker* towards_;
};

}  // namespace lumi::app
