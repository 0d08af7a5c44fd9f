#pragma once
// The six keys that step the slider and the dial.
#include <optional>

#include "ui/value_steps.h"

namespace lumi::app {

std::optional<StepKey> StepKeyOf(int qt_key);

}  // namespace lumi::app
