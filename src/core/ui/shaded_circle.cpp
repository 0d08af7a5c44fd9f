#include "ui/shaded_circle.h"

#include <cmath>

namespace lumi {

std::vector<Point> MidpointCircle(int radius) {
  if (radius < 1) return {Point{0, 0}};
  std::vector<Point> points;
  int x = 0;
  int y = radius;
  int d = 1 - radius;
  while (x <= y) {
    const Point octant[8] = {{x, y}, {-x, y}, {x, -y}, {-x, -y}, {y, x}, {-y, x}, {y, -x}, {-y, -x}};
    points.insert(points.end(), std::begin(octant), std::end(octant));
    ++x;
    if (d < 0) {
      d += 2 * x + 1;
    } else {
      --y;
      d += 2 * (x - y) + 1;
    }
  }
  return points;
}

COLORREF ShadedCircleColour(int dx, int dy, COLORREF a, COLORREF b) {
  const double theta = std::atan2(static_cast<double>(dy), static_cast<double>(dx));
  double alpha = -theta - 2.356;
  if (alpha < -3.1415) alpha += 6.293;
  if (alpha > 3.1415) alpha = 6.293 - alpha;
  const double w = (1.0 + std::cos(alpha)) / 2.0;
  auto mix = [w](int from_b, int from_a) { return static_cast<int>(from_b * (1.0 - w) + from_a * w); };
  return RGB(mix(GetRValue(b), GetRValue(a)), mix(GetGValue(b), GetGValue(a)), mix(GetBValue(b), GetBValue(a)));
}

ShadedRim RimFor(const RimColours& c, bool sunken, bool enabled) {
  if (!enabled) return {c.grey_text, c.grey_text, c.grey_text, c.grey_text};
  if (sunken) return {c.dark_shadow, c.highlight, c.shadow, c.light};
  return {c.highlight, c.dark_shadow, c.light, c.shadow};
}

}  // namespace lumi
