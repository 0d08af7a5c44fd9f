#pragma once
// The shading laid over areas the user should read as "outside": the matte around the
// canvas (dark) and the area outside the export crop region (light). An 8 x 8 pattern
// of alternating bits (rows 0x55, 0xAA, anchored at device pixel (0, 0)) is first ANDed
// onto the pixels (0 bits with the first colour, 1 bits with the second), then ORed
// (0 bits with black, 1 bits with the highlight colour).
#include <cstddef>
#include <cstdint>

#include "base/colour.h"
#include "base/geometry.h"

namespace lumi {

enum class CheckerVariant {
  kDark,   // AND with 0xC0C0C0 / 0x808080
  kLight,  // AND with 0xFFFFFF / 0xC0C0C0
};

// The result for one destination pixel at device (x, y).
COLORREF CheckerPixel(COLORREF destination, int x, int y, CheckerVariant variant,
                      COLORREF highlight);

// Shades `area` (device pixels, clipped to the image) of a 32-bit image stored as blue,
// green, red, alpha bytes, `stride` bytes from one row to the next (top row first).
// Alpha is kept.
void ShadeChecker(std::uint8_t* pixels, int width, int height, std::ptrdiff_t stride,
                  const Rect& area, CheckerVariant variant, COLORREF highlight);

}  // namespace lumi
