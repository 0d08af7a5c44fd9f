#pragma once
// The arithmetic behind the "Bitmap Color Tweak" and "Shift Color" windows, kept apart
// from the windows so it can be driven and tested without them.
#include <array>

#include "base/colour.h"

namespace lumi {

struct PreviewSize {
  int width = 0;
  int height = 0;
};

// The image keeps its size when both sides are smaller than the preview frame; otherwise
// both are divided by max(width / frameWidth, height / frameHeight) and truncated (never
// below one pixel).
PreviewSize ColourTweakPreviewSize(int width, int height, int frameWidth, int frameHeight);

// "Random": eight slider positions trunc(r / 32767 x 255 + 0.5), each from one draw of the
// shared generator, hidden sliders included.
std::array<int, 8> RandomSliderValues();

// "Shift Color": per channel, clamp(fill + towards - from) to 0..255.
COLORREF ShiftColour(COLORREF fill, COLORREF from, COLORREF towards);

}  // namespace lumi
