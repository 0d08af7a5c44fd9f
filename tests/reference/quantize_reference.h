#pragma once
// The colour-cube quantiser written plainly: leaf indexes bit by bit, a search of the
// whole palette for every pixel, no cache, and the diffused errors kept for the whole
// image. The oracle for CColorQuantizer.
#include <cstdint>
#include <vector>

namespace lumi::reference {

struct Quantized {
  std::vector<std::uint8_t> indices;  // one per pixel
  std::vector<std::uint8_t> palette;  // (blue, green, red, 0) per asked colour
};

// Colour count clamped to 1..256; dither 1 simple, 2 Floyd-Steinberg, else none.
// `rgb` must hold width x height pixels, both at least 1.
Quantized Quantize(const std::vector<std::uint8_t>& rgb, int width, int height, int colours,
                   int dither);

}  // namespace lumi::reference
