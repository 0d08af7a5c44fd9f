#include "edit/canvas_frame.h"

#include <algorithm>
#include <cstdint>

#include "image/dib_section.h"

namespace lumi {

CanvasFrame CanvasFrameFor(int width, int height) {
  const int s = width / 80;
  CanvasFrame f;
  f.frame = {-1, -1, width + 1, height + 1};
  f.shadows[0] = {width + 1, s - 1, width + 1 + s, height + 1};
  f.shadows[1] = {s, height + 1, width + 1 + s, height + 1 + s};
  return f;
}

void FillCanvasRect(CDIBSection& bitmap, Point origin, const Rect& rect, COLORREF colour) {
  if (bitmap.IsEmpty() || bitmap.Bits() != 32) return;
  Rect r = rect;
  r.Offset(-origin.x, -origin.y);
  r = Intersect(r, Rect{0, 0, bitmap.Width(), bitmap.Height()});
  if (r.IsEmpty()) return;
  // Blue, green, red, alpha in memory order.
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(GetBValue(colour)),
                                 static_cast<std::uint8_t>(GetGValue(colour)),
                                 static_cast<std::uint8_t>(GetRValue(colour)), 0xFF};
  for (int y = r.top; y < r.bottom; ++y) {
    std::uint8_t* p = bitmap.Row(y) + static_cast<std::size_t>(r.left) * 4;
    for (int x = r.left; x < r.right; ++x, p += 4) std::copy(bytes, bytes + 4, p);
  }
}

void OutlineCanvasRect(CDIBSection& bitmap, Point origin, const Rect& rect, COLORREF colour) {
  if (rect.IsEmpty()) return;
  FillCanvasRect(bitmap, origin, {rect.left, rect.top, rect.right, rect.top + 1}, colour);
  FillCanvasRect(bitmap, origin, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour);
  FillCanvasRect(bitmap, origin, {rect.left, rect.top, rect.left + 1, rect.bottom}, colour);
  FillCanvasRect(bitmap, origin, {rect.right - 1, rect.top, rect.right, rect.bottom}, colour);
}

void CopyCanvasRect(const CDIBSection& from, Point from_origin, CDIBSection& to, Point to_origin,
                    const Rect& rect) {
  if (from.IsEmpty() || to.IsEmpty() || from.Bits() != 32 || to.Bits() != 32) return;
  Rect r = Intersect(rect, Rect{from_origin.x, from_origin.y, from_origin.x + from.Width(),
                                from_origin.y + from.Height()});
  r = Intersect(r, Rect{to_origin.x, to_origin.y, to_origin.x + to.Width(), to_origin.y + to.Height()});
  if (r.IsEmpty()) return;
  const auto bytes = static_cast<std::size_t>(r.Width()) * 4;
  for (int y = r.top; y < r.bottom; ++y) {
    const std::uint8_t* source =
        from.Row(y - from_origin.y) + static_cast<std::size_t>(r.left - from_origin.x) * 4;
    std::copy(source, source + bytes,
              to.Row(y - to_origin.y) + static_cast<std::size_t>(r.left - to_origin.x) * 4);
  }
}

std::array<Rect, 4> BandsAround(const Rect& area, const Rect& hole) {
  const int top = std::clamp(hole.top, area.top, area.bottom);
  const int bottom = std::clamp(hole.bottom, top, area.bottom);
  const int left = std::clamp(hole.left, area.left, area.right);
  const int right = std::clamp(hole.right, left, area.right);
  std::array<Rect, 4> bands{Rect{area.left, area.top, area.right, top},
                            Rect{area.left, bottom, area.right, area.bottom},
                            Rect{area.left, top, left, bottom},
                            Rect{right, top, area.right, bottom}};
  for (Rect& band : bands)
    if (band.IsEmpty()) band = Rect{};
  return bands;
}

}  // namespace lumi
