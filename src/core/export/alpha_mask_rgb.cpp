#include "export/alpha_mask_rgb.h"

#include <cstdint>

#include "image/dib_section.h"

namespace lumi {

std::optional<RgbImage> AlphaMaskToRGB(const CDIBSection& bitmap) {
  if (bitmap.IsEmpty() || bitmap.Bits() != 32) {
    PxSetLastError(kPxBadParam);
    return std::nullopt;
  }
  RgbImage out;
  out.width = bitmap.Width();
  out.height = bitmap.Height();
  const std::size_t row_bytes = static_cast<std::size_t>(out.width) * 3;
  out.pixels.resize(row_bytes * static_cast<std::size_t>(out.height));
  for (int y = 0; y < out.height; ++y) {
    const std::uint8_t* alpha = bitmap.Row(y) + 3;
    std::uint8_t* grey = out.pixels.data() + static_cast<std::size_t>(y) * row_bytes;
    for (int x = 0; x < out.width; ++x, alpha += 4, grey += 3) {
      const std::uint8_t a = *alpha;
      grey[0] = a;
      grey[1] = a;
      grey[2] = a;
    }
  }
  PxSetLastError(kPxOk);
  return out;
}

}  // namespace lumi
