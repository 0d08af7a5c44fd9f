#pragma once
// Integer points and rectangles with the Windows conventions the program's arithmetic
// relies on: a rectangle is left, top, right, bottom with right and bottom exclusive.
#include <algorithm>

namespace lumi {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct PointD {
  double x = 0.0;
  double y = 0.0;
  friend bool operator==(const PointD&, const PointD&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  void Offset(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
  // Swaps the edges so that left <= right and top <= bottom.
  void Normalize() {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// The smallest rectangle holding both; an empty rectangle contributes nothing.
inline Rect Union(const Rect& a, const Rect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

// The common part of both, or an all-zero rectangle when they do not overlap.
inline Rect Intersect(const Rect& a, const Rect& b) {
  Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  return r.IsEmpty() ? Rect{} : r;
}

}  // namespace lumi
