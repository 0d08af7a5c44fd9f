#pragma once
// Pixel operations of the bitmap commands on a 32-bit source bitmap: transparency from
// intensity and from a colour, limiting the alpha by another mask, and mirroring. Each
// only lowers alpha (min with the existing alpha) so the image's own transparency stays.
#include <cstdint>
#include <vector>

#include "base/colour.h"
#include "image/dib_section.h"

namespace lumi {

// a = min(255, (765 - red - green - blue) x 2); alpha = min(a, alpha). White turns clear,
// a total intensity below about 638 stays opaque.
void TransparencyFromIntensity(CDIBSection& bitmap);

// The mask of pixels farther than `tolerance` from `colour` in any channel (255) or not
// (0), one byte per pixel in storage order; blurred (smooth profile, sigma
// max(tolerance / 20, 1)) when the tolerance is above 4.
std::vector<std::uint8_t> ColourDistanceMask(const CDIBSection& bitmap, COLORREF colour,
                                             int tolerance);

// With that mask M: e = 0 for pixels within the tolerance in all three channels or where
// M < 129, else (2 M) mod 256; alpha = min(e, alpha).
void ColourTransparency(CDIBSection& bitmap, COLORREF colour, int tolerance);

// alpha = min(limit, alpha), one limit byte per pixel, image rows from the top.
void LimitAlpha(CDIBSection& bitmap, const std::uint8_t* limit_top_down);

// Mirrors the pixels left-right, or top-bottom when `vertical`.
void MirrorPixels(CDIBSection& bitmap, bool vertical);

}  // namespace lumi
