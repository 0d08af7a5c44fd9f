#include "ui/round_slider_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lumi {

DialGeometry DialGeometryFor(int width, int height, int knob_radius) {
  const int side = std::min(width, height);
  return {side, {side / 2, side / 2}, side / 2 - knob_radius - 1};
}

int DialDisplayAngle(const DialRange& r, int position) {
  const long long steps = static_cast<long long>(r.maximum) + 1 - r.minimum;
  const long long along = steps > 0 ? (static_cast<long long>(position) - r.minimum) * 360 / steps : 0;
  long long angle = (along + r.zero_angle + 360) % 360;
  if (angle < 0) angle += 360;
  return static_cast<int>(r.mirrored ? 360 - angle : angle);
}

Point DialKnobCentre(const DialGeometry& dial, int display_angle) {
  const double a = display_angle * std::numbers::pi / 180.0;
  return {static_cast<int>(dial.centre.x + (dial.radius - 1) * std::sin(a)),
          static_cast<int>(dial.centre.y - (dial.radius - 1) * std::cos(a))};
}

int DialValueAt(const DialRange& r, Point centre, int x, int y) {
  const int dx = r.mirrored ? centre.x - x : x - centre.x;
  const int dy = y - centre.y;
  double theta;
  if (dx != 0) {
    theta = 90.0 - std::atan(-static_cast<double>(dy) / dx) * 180.0 / std::numbers::pi;
    if (dx < 0) theta += 180.0;
  } else {
    theta = dy < 0 ? 0.0 : 180.0;
  }
  theta -= r.zero_angle;
  while (theta < 0.0) theta += 360.0;
  while (theta >= 360.0) theta -= 360.0;
  const double steps = static_cast<double>(r.maximum) - r.minimum + 1;
  return std::clamp(r.minimum + static_cast<int>(theta * steps / 360.0), r.minimum, r.maximum);
}

}  // namespace lumi
