#pragma once
// The outlines of an object as paths on the enlarged work surface (work_w x work_h
// pixels), ready for the scan converter.
#include "base/geometry.h"
#include "objects/bezier.h"
#include "objects/polynome.h"
#include "render/raster_path.h"

namespace lumi {

// A CBezier as one poly-Bezier, nodes rounded to work pixels; a closed spline returns to
// its first node. `inset` > 0 shrinks it towards the centre (outline-based bevels).
RasterPath ShapeRasterPath(const CBezier& outline, int work_w, int work_h, int inset);

// A CPolynome replayed by point type, nodes truncated to work pixels, shrunk by `inset`
// and then warped by the envelope when it is on.
RasterPath PolynomeRasterPath(const CPolynome& polynome, int work_w, int work_h, int inset);

// The box of the "3D Ball": the object box inset by 11 object pixels on every side, in
// work pixels (right and bottom exclusive).
Rect BallBox(int width, int height, int factor);

}  // namespace lumi
