#pragma once
// The image library's two 3 x 3 filters on top-down RGB buffers (3 bytes per pixel, rows
// packed): the "Sharpen", "Sharpen More" and "Blur" commands and the export sharpening.
// Neighbours outside the image are taken from the nearest row or column.
#include <cstdint>

#include "image/pixwerk.h"

namespace lumi {

// Each pixel and channel becomes v - k (S - 8 v), clamped to 0..255 and truncated, with S
// the sum of the eight neighbours and k = amount x 0.005 (amount clamped to 0..100).
// Return and record (PxGetLastError) kPxOk, or kPxBadParam ("Bad user param") when a buffer is missing, the buffers are the same or
// the size is not positive (nothing is written then).
int PxSharpen(const std::uint8_t* source, std::uint8_t* destination, int width, int height,
              int amount);

// Each pixel and channel becomes trunc(k (S >> 3) + (1 - k) v) with k = amount x 0.01.
int PxSoften(const std::uint8_t* source, std::uint8_t* destination, int width, int height,
             int amount);

}  // namespace lumi
