#include "ui/color_slider_geometry.h"

#include <algorithm>
#include <cmath>

namespace lumi {

int SliderKnobCentre(const SliderScale& s, int position) {
  const double per_step = static_cast<double>(s.width - 2 * s.knob_radius) / s.Steps();
  return s.knob_radius + static_cast<int>(per_step * (position - s.minimum));
}

int SliderValueAt(const SliderScale& s, int x) {
  const int span = s.width - 2 * s.knob_radius;
  if (span <= 0) return s.minimum;
  const long long offset = static_cast<long long>(x - s.knob_radius) * s.Steps() / span;
  return static_cast<int>(std::clamp<long long>(s.minimum + offset, s.minimum, s.maximum));
}

COLORREF SliderTrackColour(COLORREF base, int minimum, int maximum, int position, bool inverted, bool centred) {
  const int steps = maximum + 1 - minimum;
  const int t = steps > 0 ? static_cast<int>(255.0 / steps * (position - minimum)) : 0;
  double f = inverted ? 1.0 - t / 255.0 : t / 255.0;
  if (centred) f = 2.0 * std::fabs(f - 0.5);
  auto scale = [f](int channel) { return static_cast<int>(channel * f); };
  return RGB(scale(GetRValue(base)), scale(GetGValue(base)), scale(GetBValue(base)));
}

std::vector<SliderTick> SliderTicks(int width, bool centred) {
  std::vector<SliderTick> ticks = {{6, 10, 12}, {width / 2 - 1, 10, 12}};
  if (!centred) {
    const int q = (width - 12) / 4;
    ticks.push_back({width - 7, 10, 12});
    ticks.push_back({6 + q, 10, 11});
    ticks.push_back({6 + 3 * q, 10, 11});
  }
  return ticks;
}

}  // namespace lumi
