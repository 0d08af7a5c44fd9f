#include "alpha_mask_reference.h"

namespace lumi::reference {

RgbImage AlphaMaskToRGB(const CDIBSection& bitmap) {
  RgbImage out;
  out.width = bitmap.Width();
  out.height = bitmap.Height();
  out.pixels.assign(static_cast<std::size_t>(out.width) * out.height * 3, 0);
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      const std::uint8_t alpha = bitmap.Row(y)[x * 4 + 3];
      for (int channel = 0; channel < 3; ++channel)
        out.pixels[(static_cast<std::size_t>(y) * out.width + x) * 3 + channel] = alpha;
    }
  }
  return out;
}

}  // namespace lumi::reference
