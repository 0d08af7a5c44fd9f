#include "render/blend_onto.h"

#include <algorithm>
#include <cstdint>

#include "image/blend_rows.h"

namespace lumi {

void BlendOnto(const CDIBSection& bitmap, CDIBSection& canvas, int x, int y, int first_row,
               int last_row) {
  if (bitmap.IsEmpty() || canvas.IsEmpty() || bitmap.Bits() != 32 || canvas.Bits() != 32)
    return;
  const int x0 = std::max(0, x), y0 = std::max({0, y, first_row});
  const int x1 = std::min(canvas.Width(), x + bitmap.Width());
  const int y1 = std::min({canvas.Height(), y + bitmap.Height(), last_row});
  if (x0 >= x1 || y0 >= y1) return;
  const int count = x1 - x0;
  for (int row = y0; row < y1; ++row) {
    std::uint8_t* d = canvas.Row(row) + x0 * 4;
    const std::uint8_t* s = bitmap.Row(row - y) + (x0 - x) * 4;
    BlendRowKeepAlpha(d, s, count);
  }
}

void BlendOnto(const KeptBitmap& bitmap, CDIBSection& canvas, int x, int y, bool keep_alpha,
               int first_row, int last_row) {
  if (bitmap.IsEmpty() || canvas.IsEmpty() || !bitmap.Is32Bit() || canvas.Bits() != 32) return;
  const int x0 = std::max(0, x), y0 = std::max({0, y, first_row});
  const int x1 = std::min(canvas.Width(), x + bitmap.Width());
  const int y1 = std::min({canvas.Height(), y + bitmap.Height(), last_row});
  if (x0 >= x1 || y0 >= y1) return;
  for (int row = y0; row < y1; ++row)
    bitmap.BlendRow(row - y, x0 - x, x1 - x0, canvas.Row(row) + x0 * 4, keep_alpha);
}

}  // namespace lumi
