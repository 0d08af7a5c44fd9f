#pragma once
// The colour slider's arithmetic: where the knob sits, which value lies under the
// pointer, the colour of the track and where the tick marks go. A slider of width W
// with knob radius r over minimum..maximum has n = maximum + 1 - minimum steps.
#include <vector>

#include "base/colour.h"

namespace lumi {

struct SliderScale {
  int minimum = 0;
  int maximum = 255;
  int width = 0;        // client width in pixels
  int knob_radius = 6;

  int Steps() const { return maximum + 1 - minimum; }
};

// The knob centre's x: r + trunc((W - 2r) / n * (position - minimum)).
int SliderKnobCentre(const SliderScale& scale, int position);

// The value under x: minimum + trunc((x - r) * n / (W - 2r)), kept within the range.
int SliderValueAt(const SliderScale& scale, int x);

// The track colour: the base colour scaled by t / 255 with t = trunc(255 / n * (position
// - minimum)); inverted scales by 1 - t / 255; centred by 2 * |F - 0.5| of that factor.
COLORREF SliderTrackColour(COLORREF base, int minimum, int maximum, int position, bool inverted, bool centred);

struct SliderTick {
  int x;
  int top;     // first row
  int bottom;  // last row, inclusive
};

// The tick marks of a slider of the given width.
std::vector<SliderTick> SliderTicks(int width, bool centred);

}  // namespace lumi
