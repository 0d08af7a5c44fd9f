#include "edit/tool_geometry.h"

#include <cmath>
#include <cstdlib>

#include "base/host.h"
#include "document/plenivor_doc.h"
#include "objects/draw_object.h"

namespace lumi {

std::array<Rect, 8> SelectionHandles(const Rect& bounds) {
  const int l = bounds.left + 2, t = bounds.top + 2, r = bounds.right - 2, b = bounds.bottom - 2;
  const int cx = (l + r) / 2, cy = (t + b) / 2;
  return {{
      {l - 2, t - 2, l + 4, t + 4},    // 1 top-left
      {l - 2, b - 4, l + 4, b + 2},    // 2 bottom-left
      {r - 4, b - 4, r + 2, b + 2},    // 3 bottom-right
      {r - 4, t - 2, r + 2, t + 4},    // 4 top-right
      {cx - 4, t - 2, cx + 2, t + 4},  // 5 top centre
      {r - 4, cy - 2, r + 2, cy + 4},  // 6 right centre
      {cx - 4, b - 4, cx + 2, b + 2},  // 7 bottom centre
      {l - 2, cy - 2, l + 4, cy + 4},  // 8 left centre
  }};
}

int HandleAt(const Rect& bounds, Point p) {
  const std::array<Rect, 8> handles = SelectionHandles(bounds);
  for (int i = 0; i < 8; ++i)
    if (handles[static_cast<std::size_t>(i)].Contains(p)) return i + 1;
  return 0;
}

Point HandleDragOffset(int handle, const Rect& box, Point press) {
  Point offset{press.x - box.left, press.y - box.top};
  if (handle == 2 || handle == 7 || handle == 3) offset.y = press.y - box.bottom;
  if (handle == 3 || handle == 4 || handle == 6) offset.x = press.x - box.right;
  return offset;
}

Rect PendingBox(int handle, const Rect& box, int mx, int my) {
  const int x = box.left, y = box.top, w = box.Width(), h = box.Height();
  auto proportional = [&](int width) { return w != 0 ? width * h / w : h; };
  switch (handle) {
    case 1: {
      const int width = x + w - mx, height = proportional(width);
      return {mx, y + h - height, mx + width, y + h};
    }
    case 2: {
      const int width = x + w - mx, height = proportional(width);
      return {mx, y, mx + width, y + height};
    }
    case 3:
      return {x, y, mx, my};
    case 4: {
      const int width = mx - x, height = proportional(width);
      return {x, y + h - height, mx, y + h};
    }
    case 5:
      return {x, my, x + w, y + h};
    case 6:
      return {x, y, mx, y + h};
    case 7:
      return {x, y, x + w, my};
    case 8:
      return {mx, y, x + w, y + h};
    default:
      return box;
  }
}

Point SnapToCanvasEdges(Point p, int canvas_width, int canvas_height) {
  if (canvas_width - 4 < p.x && p.x < canvas_width + 4) p.x = canvas_width;
  if (canvas_height - 4 < p.y && p.y < canvas_height + 4) p.y = canvas_height;
  return p;
}

Point SnapToCanvasOrigin(Point p) {
  if (-4 < p.x && p.x < 4) p.x = 0;
  if (-4 < p.y && p.y < 4) p.y = 0;
  return p;
}

Rect SquareFromPress(Point press, Point corner) {
  const int dx = corner.x - press.x, dy = corner.y - press.y;
  const int side = std::max(dx, dy);
  return {press.x, press.y, press.x + side, press.y + side};
}

Rect SquareFromTopLeft(const Rect& r) {
  const int side = std::max(r.Width(), r.Height());
  return {r.left, r.top, r.left + side, r.top + side};
}

double RotateDirection(int dx, int dy) {
  if (dx == 0) return dy >= 0 ? 180.0 : 0.0;
  double d = 90.0 - std::atan(static_cast<double>(dy) / dx) * 57.29577951471995;
  if (dx > 0) d += 180.0;
  return d;
}

CDrawObject* HitTest(CPlenivorDoc& doc, Point p, bool by_rectangle, Host* hint_host) {
  CDrawObject* found = nullptr;
  bool missed_shape = false;
  for (const auto& object : doc.Objects()) {
    if (object->GetHidden()) continue;
    const Rect grown = object->GetSelectionRect();
    if (!grown.Contains(p)) continue;
    if (by_rectangle || object->HitShape(p.x, p.y)) {
      found = object.get();
    } else {
      missed_shape = true;
    }
  }
  if (missed_shape && hint_host) hint_host->StatusText(0, "Ctrl - to select object by bounding rectangle");
  if (!found) return nullptr;
  // Moves and resizes set no modified mark of their own: this one stands for them.
  doc.SetModified(true);
  return found->GetGrouped() ? nullptr : found;
}

Rect MultiSelectionFrame(const std::vector<CDrawObject*>& members) {
  Rect frame;
  for (const CDrawObject* m : members) frame = Union(frame, m->GetRect());
  if (frame.IsEmpty()) return frame;
  return {frame.left - 4, frame.top - 4, frame.right + 4, frame.bottom + 4};
}

}  // namespace lumi
