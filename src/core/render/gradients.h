#pragma once
// The two computed fills: a linear and a radial blend from the colour already in the
// image (the fill colour or the colour-gene fill) towards the second colour.
#include "base/colour.h"
#include "image/dib_section.h"

namespace lumi {

// Blends along the direction `angle` (degrees). At strength 128 the ramp runs across the
// whole object; higher strengths reach the second colour sooner. `image` is 32-bit.
void LinearGradient(CDIBSection& image, int angle, int strength, COLORREF colour2);

// Blends outward from the centre; at strength 128 the second colour is reached on the
// ellipse inscribed in the box. Objects one pixel wide or high blend along the other
// axis only.
void RadialGradient(CDIBSection& image, int strength, COLORREF colour2);

}  // namespace lumi
