#include "edit/brush_dab.h"

#include <algorithm>
#include <cstdint>

#include "image/dib_section.h"
#include "objects/draw_object.h"

namespace lumi {

Rect PaintDab(CDrawObject& o, Point at, int size, int value, BrushKind kind) {
  const int w = o.GetWidth(), h = o.GetHeight();
  if (!o.IsBitmap() || size <= 0 || w != o.GetSourceWidth() || h != o.GetSourceHeight()) return {};
  CDIBSection& source = o.SourceBitmap();
  CDIBSection& image = o.MutableImage();
  // Both bitmaps must hold the box's pixels with alpha; anything else is left alone.
  if (source.Bits() != 32 || source.Width() != w || source.Height() != h) return {};
  const bool tint = image.Bits() == 32 && image.Width() == w && image.Height() == h;
  const int lx = at.x - o.GetX(), ly = at.y - o.GetY();
  const int reach = 2 * size;
  const double limit = 2.0 * size * size;  // d² below 2b²
  const int c0 = std::max(0, lx - reach), c1 = std::min(w, lx + reach);
  const int r0 = std::max(0, ly - reach), r1 = std::min(h, ly + reach);
  if (c0 >= c1 || r0 >= r1) return {};
  for (int r = r0; r < r1; ++r) {
    std::uint8_t* src = source.Row(r);
    std::uint8_t* img = tint ? image.Row(r) : nullptr;
    for (int c = c0; c < c1; ++c) {
      const double d2 = static_cast<double>((c - lx) * (c - lx) + (r - ly) * (r - ly));
      if (d2 >= limit) continue;
      const int m = static_cast<int>(value - value / limit * d2);
      std::uint8_t& alpha = src[4 * c + 3];
      if (kind == BrushKind::Transparency)
        alpha = static_cast<std::uint8_t>(std::max(0, alpha - m));
      else
        alpha = static_cast<std::uint8_t>(std::min(255, alpha + m));
      if (!img) continue;
      std::uint8_t* px = img + 4 * c;  // blue, green, red
      if (kind == BrushKind::Transparency) {
        px[0] = static_cast<std::uint8_t>(std::min(255, px[0] + m));
        px[1] = static_cast<std::uint8_t>(std::min(255, px[1] + m / 2));
        px[2] = static_cast<std::uint8_t>(std::min(255, px[2] + m / 2));
      } else {
        px[0] = static_cast<std::uint8_t>(std::max(0, px[0] - m));
        px[1] = static_cast<std::uint8_t>(std::max(0, px[1] - m / 2));
        px[2] = static_cast<std::uint8_t>(std::max(0, px[2] - m / 2));
      }
      px[2] = static_cast<std::uint8_t>(std::max(0, px[2] - 50));
    }
  }
  return {o.GetX() + c0, o.GetY() + r0, o.GetX() + c1, o.GetY() + r1};
}

}  // namespace lumi
