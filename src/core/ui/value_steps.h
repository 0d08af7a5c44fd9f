#pragma once
// What the keyboard does to the colour slider and the round dial: the key, the step it
// moves by, the report it sends, and the wrap-around at either end of the range.

namespace lumi {

// The trackbar report codes the controls send to their owner.
enum class SliderReport {
  kLineUp = 0,
  kLineDown = 1,
  kPageUp = 2,
  kPageDown = 3,
  kThumbPosition = 4,
  kThumbTrack = 5,
  kEndTrack = 8,
};

enum class StepKey { kPageUp, kPageDown, kLeft, kUp, kRight, kDown };

struct KeyStep {
  int new_position;
  SliderReport report;
};

// Page Up/Down move by the page step, Left/Up back and Right/Down forward by the line
// step; a result outside minimum..maximum wraps by the step count (maximum + 1 - minimum)
// as often as needed.
KeyStep StepByKey(StepKey key, int position, int minimum, int maximum, int line_step, int page_step);

// Brings a value into minimum..maximum by whole turns of (maximum + 1 - minimum).
int WrapIntoRange(long long value, int minimum, int maximum);

}  // namespace lumi
