#pragma once
// The coverage masks of the rasteriser computed the plain way: the whole work surface is
// allocated, every work pixel is decided on its own by the pixel rules, and each mask
// pixel is the truncated average of its f x f block of 0/255 work pixels. Only the Bezier
// flattening is taken from the program; the pixel rules are written out again here.
// Shared with the code it checks: FlattenPath of render/path_flattening.h, so a fault in
// the flattening is invisible to this oracle; path_flattening_test.cpp checks it against
// the curve itself.
#include "render/raster_path.h"
#include "render/rasterizer.h"

namespace lumi::reference {

void FillPathEvenOdd(const RasterPath& path, const MaskTarget& target);
void StrokePath(const RasterPath& path, double pen_width, const MaskTarget& target);
void FillEllipseWithBlackOutline(const Rect& box, const MaskTarget& target);

}  // namespace lumi::reference
