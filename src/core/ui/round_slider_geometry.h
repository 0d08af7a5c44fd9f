#pragma once
// The round dial's arithmetic: its circle inside the control, the angle a position is
// drawn at, the knob's place on the dial and the value under the pointer. Angle 0 is at
// the top and angles grow clockwise; mirrored they grow counter-clockwise.
#include "base/geometry.h"

namespace lumi {

struct DialGeometry {
  int side;    // min(width, height): the region is the circle inscribed in side x side
  Point centre;
  int radius;  // side / 2 - knob radius - 1
};

DialGeometry DialGeometryFor(int width, int height, int knob_radius);

struct DialRange {
  int minimum = 0;
  int maximum = 359;
  int zero_angle = 0;
  bool mirrored = false;
};

// ((position - minimum) * 360 / (maximum + 1 - minimum) + zero + 360) mod 360 in integer
// arithmetic; mirrored, 360 minus that.
int DialDisplayAngle(const DialRange& range, int position);

// The knob centre on the circle of radius - 1 at the display angle.
Point DialKnobCentre(const DialGeometry& dial, int display_angle);

// The value under the pointer at (x, y).
int DialValueAt(const DialRange& range, Point centre, int x, int y);

}  // namespace lumi
