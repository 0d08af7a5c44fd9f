#include "ui/value_steps.h"

namespace lumi {

int WrapIntoRange(long long value, int minimum, int maximum) {
  const long long steps = static_cast<long long>(maximum) + 1 - minimum;
  if (steps <= 0) return minimum;
  if (value < minimum) value += ((minimum - value + steps - 1) / steps) * steps;
  if (value > maximum) value -= ((value - maximum + steps - 1) / steps) * steps;
  return static_cast<int>(value);
}

KeyStep StepByKey(StepKey key, int position, int minimum, int maximum, int line_step, int page_step) {
  long long delta = 0;
  SliderReport report = SliderReport::kLineUp;
  switch (key) {
    case StepKey::kPageUp: delta = -static_cast<long long>(page_step); report = SliderReport::kPageUp; break;
    case StepKey::kPageDown: delta = page_step; report = SliderReport::kPageDown; break;
    case StepKey::kLeft:
    case StepKey::kUp: delta = -static_cast<long long>(line_step); report = SliderReport::kLineUp; break;
    case StepKey::kRight:
    case StepKey::kDown: delta = line_step; report = SliderReport::kLineDown; break;
  }
  return {WrapIntoRange(position + delta, minimum, maximum), report};
}

}  // namespace lumi
