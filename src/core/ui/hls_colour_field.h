#pragma once
// The colour picker's colour field: hue across, lightness down, full saturation.
#include "base/colour.h"

namespace lumi {

// The standard HLS model: hue in degrees, lightness and saturation 0..1; each channel
// times 255, truncated.
COLORREF HlsToRgb(double hue, double lightness, double saturation);

// The colour of the colour field cell in column j (1 .. width - 24) and row i (1 .. height - 2)
// of a picker whose client area is width x height: hue j * 360 / (width - 24), lightness
// i / (height - 2). The top row is nearly black, the bottom row white.
COLORREF ColourFieldColour(int column, int row, int width, int height);

}  // namespace lumi
