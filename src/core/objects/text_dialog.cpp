#include "objects/text_dialog.h"

#include <cstring>
#include <utility>

namespace lumi {

ScriptedTextDialog& ScriptedTextDialog::Ok(Edit edit) {
  steps_.push_back({true, std::move(edit)});
  return *this;
}

ScriptedTextDialog& ScriptedTextDialog::Cancel() {
  steps_.push_back({false, {}});
  return *this;
}

bool ScriptedTextDialog::Run(TextDialogValues& values) {
  shown_.push_back(values);
  if (steps_.empty()) return false;
  Step step = std::move(steps_.front());
  steps_.pop_front();
  if (!step.ok) return false;
  if (step.edit) step.edit(values);
  return true;
}

std::string FaceName(const LOGFONT& font) {
  const std::size_t length = strnlen(font.lfFaceName, sizeof(font.lfFaceName));
  return std::string(font.lfFaceName, length);
}

bool SetFaceName(LOGFONT& font, const std::string& name) {
  if (name.size() >= sizeof(font.lfFaceName)) return false;
  std::memset(font.lfFaceName, 0, sizeof(font.lfFaceName));
  std::memcpy(font.lfFaceName, name.data(), name.size());
  return true;
}

}  // namespace lumi
