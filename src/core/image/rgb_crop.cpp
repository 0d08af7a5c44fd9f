// A rectangle cut out of an RGB buffer.
#include <cstring>

#include "image/pixwerk.h"
#include "image/pixwerk_io.h"

namespace lumi {

std::optional<RgbImage> PxCropRGB(const std::uint8_t* rgb, int width, int height, int left,
                                  int top, int right, int bottom) {
  // The rectangle must lie inside the picture.
  if (!rgb || width <= 0 || height <= 0 || right < left || bottom < top || left < 0 ||
      top < 0 || right > width || bottom > height) {
    PxSetLastError(kPxBadParam);
    return std::nullopt;
  }
  if (right == left || bottom == top) {
    PxSetLastError(kPxOk);
    return std::nullopt;
  }
  auto out = pixwerk::AllocateRgb(right - left, bottom - top);
  if (!out) return out;
  const std::size_t src_row = static_cast<std::size_t>(width) * 3;
  const std::size_t dst_row = static_cast<std::size_t>(out->width) * 3;
  for (int y = 0; y < out->height; ++y) {
    std::memcpy(out->pixels.data() + y * dst_row, rgb + (top + y) * src_row + left * 3, dst_row);
  }
  PxSetLastError(kPxOk);
  return out;
}

}  // namespace lumi
