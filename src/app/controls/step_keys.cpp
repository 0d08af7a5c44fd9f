#include "controls/step_keys.h"

#include <Qt>

namespace lumi::app {

std::optional<StepKey> StepKeyOf(int qt_key) {
  switch (qt_key) {
    case Qt::Key_PageUp: return StepKey::kPageUp;
    case Qt::Key_PageDown: return StepKey::kPageDown;
    case Qt::Key_Left: return StepKey::kLeft;
    case Qt::Key_Up: return StepKey::kUp;
    case Qt::Key_Right: return StepKey::kRight;
    case Qt::Key_Down: return StepKey::kDown;
    default: return std::nullopt;
  }
}

}  // namespace lumi::app
