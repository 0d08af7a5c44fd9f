#include "render/blend_onto.h"

#include <algorithm>
#include <cstdint>

namespace lumi {

void BlendOnto(const CDIBSection& bitmap, CDIBSection& canvas, int x, int y) {
  if (bitmap.IsEmpty() || canvas.IsEmpty() || bitmap.Bits() != 32 || canvas.Bits() != 32)
    return;
  const int x0 = std::max(0, x), y0 = std::max(0, y);
  const int x1 = std::min(canvas.Width(), x + bitmap.Width());
  const int y1 = std::min(canvas.Height(), y + bitmap.Height());
  if (x0 >= x1 || y0 >= y1) return;
  const int count = x1 - x0;
  for (int row = y0; row < y1; ++row) {
    std::uint8_t* d = canvas.Row(row) + x0 * 4;
    const std::uint8_t* s = bitmap.Row(row - y) + (x0 - x) * 4;
    for (int i = 0; i < count; ++i, d += 4, s += 4) {
      const unsigned a = s[3];
      if (a == 0) continue;
      if (a == 255) {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
        continue;
      }
      const unsigned inv = 255 - a;
      d[0] = static_cast<std::uint8_t>((d[0] * inv + s[0] * a) >> 8);
      d[1] = static_cast<std::uint8_t>((d[1] * inv + s[1] * a) >> 8);
      d[2] = static_cast<std::uint8_t>((d[2] * inv + s[2] * a) >> 8);
    }
  }
}

}  // namespace lumi
