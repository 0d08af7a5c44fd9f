#pragma once
// The shaded progress bar's colours: tints of its base colour drawn as a tube, lighter
// towards the middle of the bar and darker towards its edges.
#include <array>
#include <vector>

#include "base/colour.h"

namespace lumi {

// 51 added to each channel; a channel whose sum would pass 255 stays as it was.
COLORREF LighterTint(COLORREF c);
// 51 taken from each channel; a channel below 51 stays as it was.
COLORREF DarkerTint(COLORREF c);

struct ProgressPalette {
  // darker 2, darker 1, base, lighter 1, lighter 2, lighter 3: from the tube's edge inward.
  std::array<COLORREF, 6> tube;
  COLORREF dark_shadow;
  COLORREF shadow;
  COLORREF shadow_mid;  // shadow + (dark shadow - shadow) / 2 per channel
};

ProgressPalette MakeProgressPalette(COLORREF base, COLORREF dark_shadow, COLORREF shadow);

// How many of `length` pixels are filled at `position` of low..high (0 when the range is empty).
int ProgressFilledLength(int position, int low, int high, int length);

// The colour of each line across a tube `thickness` pixels thick: the edges darkest, the
// middle lightest, symmetric about the middle.
std::vector<COLORREF> ProgressTubeLines(const ProgressPalette& palette, int thickness);

}  // namespace lumi
