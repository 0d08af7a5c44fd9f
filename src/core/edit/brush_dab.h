#pragma once
// One dab of the transparency brushes on a bitmap object: the source bitmap's alpha
// changes, and the rendered image is tinted so the user sees where the brush went until
// the object renders again at the release.
#include "base/geometry.h"

namespace lumi {

class CDrawObject;

enum class BrushKind { Transparency, Opaque };

// Paints at canvas point `at` with brush size `size` (the dab reaches 2 x size pixels)
// and value `value` (the strength at the centre). Returns the canvas area changed, empty
// when the object is no bitmap shown at its source size.
Rect PaintDab(CDrawObject& object, Point at, int size, int value, BrushKind kind);

}  // namespace lumi
