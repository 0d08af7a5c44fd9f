#pragma once
// Which work pixels a pen covers along one straight piece of a stroked outline.
//
// Wide pen (width > 1): work pixel (X, Y) is covered when its centre (X + 0.5, Y + 0.5)
// lies within width / 2 of the piece (distance to the nearest point of the segment, ends
// included). The union over the pieces of a polyline has round caps and round joins.
//
// Thin pen (width <= 1, or not a number): one-pixel lines. A mostly horizontal piece
// (|dx| >= |dy|) covers, in every column whose centre x lies on the piece (ends
// included), the pixel containing the piece's height at that centre; a mostly vertical
// piece covers, in every row whose centre y lies on it, the pixel containing its x there.
// A piece of zero length covers nothing.
#include <algorithm>
#include <cmath>
#include <utility>

#include "base/geometry.h"

namespace lumi {

// A piece with its ends in a fixed order, so that every computation on it rounds the
// same way whichever direction the outline ran.
struct PenSegment {
  double ax, ay, bx, by;
  bool x_major;  // thin pens: |dx| >= |dy| (ends ordered by x), else ordered by y
};

// Wide pens never exceed this width; wider would cover any surface anyway.
inline constexpr double kMaxPenWidth = 1e6;

struct PenRule {
  bool thin = true;
  double radius = 0.5;
  double radius_squared = 0.25;

  static PenRule ForWidth(double width) {
    PenRule rule;
    if (width > 1) {  // false for not-a-number
      rule.thin = false;
      rule.radius = std::min(width, kMaxPenWidth) * 0.5;
      rule.radius_squared = rule.radius * rule.radius;
    }
    return rule;
  }

  PenSegment Normalise(PointD a, PointD b) const {
    const bool x_major = std::abs(b.x - a.x) >= std::abs(b.y - a.y);
    bool swap;
    if (!thin) swap = b.y < a.y || (b.y == a.y && b.x < a.x);
    else if (x_major) swap = b.x < a.x;
    else swap = b.y < a.y;
    if (swap) std::swap(a, b);
    return {a.x, a.y, b.x, b.y, x_major};
  }

  // Wide pens: is the point (px, py) within the radius of the segment?
  bool CoversWide(const PenSegment& s, double px, double py) const {
    const double dx = s.bx - s.ax, dy = s.by - s.ay;
    const double qx = px - s.ax, qy = py - s.ay;
    const double along = qx * dx + qy * dy;
    const double length_squared = dx * dx + dy * dy;
    double distance_squared;
    if (along <= 0) {
      distance_squared = qx * qx + qy * qy;
    } else if (along >= length_squared) {
      const double ex = px - s.bx, ey = py - s.by;
      distance_squared = ex * ex + ey * ey;
    } else {
      const double cross = qx * dy - qy * dx;
      distance_squared = cross * cross / length_squared;
    }
    return distance_squared <= radius_squared;
  }

  // Thin pens: does the piece cover work pixel (x, y)?
  static bool CoversThin(const PenSegment& s, int x, int y) {
    if (s.ax == s.bx && s.ay == s.by) return false;
    if (s.x_major) {
      const double cx = x + 0.5;
      if (cx < s.ax || cx > s.bx) return false;
      return std::floor(s.ay + (cx - s.ax) * ((s.by - s.ay) / (s.bx - s.ax))) == y;
    }
    const double cy = y + 0.5;
    if (cy < s.ay || cy > s.by) return false;
    return std::floor(s.ax + (cy - s.ay) * ((s.bx - s.ax) / (s.by - s.ay))) == x;
  }
};

}  // namespace lumi
