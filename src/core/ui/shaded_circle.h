#pragma once
// The shaded ring that the colour slider's knob and the round dial are drawn with: a
// one-pixel circle whose colour turns from A on the upper-left side to B on the
// lower-right, so two rings of neighbouring radii look raised or sunken.
#include <vector>

#include "base/colour.h"
#include "base/geometry.h"

namespace lumi {

// The offsets from the centre of a circle of the given radius, one octant found with
// the midpoint method and mirrored into all eight (points on the octant borders may
// appear twice). A radius below 1 gives the centre alone.
std::vector<Point> MidpointCircle(int radius);

// The colour of the ring pixel at offset (dx, dy) from the centre (y grows downward):
// a cosine blend of `a` (upper left) and `b` (lower right), each channel truncated.
COLORREF ShadedCircleColour(int dx, int dy, COLORREF a, COLORREF b);

// The two colour pairs of a rim: the outer ring, then the ring one pixel inside.
struct ShadedRim {
  COLORREF outer_a, outer_b, inner_a, inner_b;
};

// The system colours a rim is made of.
struct RimColours {
  COLORREF highlight, dark_shadow, light, shadow, grey_text;
};

// Raised: (highlight, dark shadow) outside, (light, shadow) inside; sunken swaps each
// pair; disabled paints everything in the grey-text colour.
ShadedRim RimFor(const RimColours& colours, bool sunken, bool enabled);

}  // namespace lumi
