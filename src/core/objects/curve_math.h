#pragma once
// Small helpers shared by the outline classes: evaluating one cubic segment in whole
// pixels, and growing a running bounding box.
#include <algorithm>
#include <climits>

#include "base/geometry.h"

namespace lumi {

// The point at t of the cubic p0..p3, rounded to whole pixels by adding 0.5 and
// truncating (the way the outlines have always been sampled).
inline Point BezierPoint(double t, Point p0, Point p1, Point p2, Point p3) {
  const double u = 1.0 - t;
  const double a = u * u * u, b = 3.0 * u * u * t, c = 3.0 * u * t * t, d = t * t * t;
  return {static_cast<int>(a * p0.x + b * p1.x + c * p2.x + d * p3.x + 0.5),
          static_cast<int>(a * p0.y + b * p1.y + c * p2.y + d * p3.y + 0.5)};
}

// Minimum and maximum of the points seen so far; right and bottom are inclusive here,
// callers turn them into a box with their own margins.
struct PointBounds {
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  bool Empty() const { return left > right; }
  void Add(Point p) {
    left = std::min(left, p.x);
    top = std::min(top, p.y);
    right = std::max(right, p.x);
    bottom = std::max(bottom, p.y);
  }
  Rect Grown(int margin) const {
    return {left - margin, top - margin, right + margin, bottom + margin};
  }
};

}  // namespace lumi
