// An in-memory bitmap of any depth up to 32 bits as an RGB buffer, through the same row
// converter as the BMP reader.
#include <algorithm>
#include <array>
#include <cstring>

#include "base/parallel_render.h"
#include "image/bmp_rows.h"
#include "image/dib_section.h"
#include "image/pixwerk.h"
#include "image/pixwerk_io.h"

namespace lumi {

std::optional<RgbImage> PxBitmapToRGB(const CDIBSection& bitmap) {
  const int bits = bitmap.Bits();
  if (bitmap.IsEmpty() || (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 &&
                           bits != 32)) {
    PxSetLastError(kPxBadParam);
    return std::nullopt;
  }
  std::array<std::uint8_t, 256 * 4> table{};
  const auto colours = bitmap.ColourTable();
  if (!colours.empty()) std::memcpy(table.data(), colours.data(), std::min(colours.size(), table.size()));
  auto out = pixwerk::AllocateRgb(bitmap.Width(), bitmap.Height());
  if (!out) return out;
  const std::size_t row_rgb = static_cast<std::size_t>(out->width) * 3;
  ParallelRows(out->height, MinRowsToSplit(out->width), [&](int first, int last) {
    for (int y = first; y < last; ++y) {
      pixwerk::BmpRowToRgb(bitmap.Row(y), bits, out->width, table.data(),
                           out->pixels.data() + y * row_rgb);
    }
  });
  PxSetLastError(kPxOk);
  return out;
}

}  // namespace lumi
