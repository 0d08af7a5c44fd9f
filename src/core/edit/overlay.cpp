#include "edit/overlay.h"

#include <algorithm>

namespace lumi {

Rect Overlay::Bounds() const {
  Rect bounds;
  for (const OverlayShape& s : shapes) {
    Rect r = s.rect;
    if (s.kind == OverlayShape::Kind::Polyline) {
      r = {s.points[0].x, s.points[0].y, s.points[0].x, s.points[0].y};
      for (const Point& p : s.points) {
        r.left = std::min(r.left, p.x);
        r.top = std::min(r.top, p.y);
        r.right = std::max(r.right, p.x);
        r.bottom = std::max(r.bottom, p.y);
      }
    }
    r.Normalize();
    // Outlines are drawn on their right and bottom edge too.
    bounds = Union(bounds, Rect{r.left - 1, r.top - 1, r.right + 2, r.bottom + 2});
  }
  return bounds;
}

}  // namespace lumi
