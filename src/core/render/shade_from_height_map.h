#pragma once
// Height-map lighting: the relief of bevels, lit insets and texture relief. A lamp at
// `azimuth` degrees around and `elevation` degrees above the surface lights the
// slopes of a height map; each image pixel brightens or darkens by how much its slope
// faces the lamp.
//
// For height-map row i and column j, with neighbours wrapping around the map:
//   gx = left column sum - right column sum, gy = lower row sum - upper row sum (3 each);
//   flat pixels (gx = gy = 0) stay as they are; otherwise
//   w = trunc(gy ly + gx lx + lz), B = trunc(2w / sqrt(gx^2 + gy^2 + 14400)) (0 for w < 0),
//   squared to B^2 / 255 when asked, delta = trunc(trunc(B - 255) x intensity x 0.01)
//   is added to blue, green and red of image row i, column j (clamped, alpha kept).
// After each position the border pixels take their inner neighbours' colours (columns
// 0 and W - 1 of the row, rows 0 and H - 1 of the column), in a fixed order.
#include <cstdint>

#include "image/dib_section.h"

namespace lumi {

// `image` is a 32-bit bitmap of width x height (throws BitmapError otherwise); the height
// map has width x height bytes, top row first; image row i (counted from the top, memory
// row height - 1 - i) is lit from height-map row i. `intensity` is a percentage.
void ShadeFromHeightMap(CDIBSection& image, const std::uint8_t* height_map, int width,
                        int height, double azimuth, double elevation, int depth,
                        int intensity, bool squaring);

}  // namespace lumi
