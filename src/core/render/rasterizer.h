#pragma once
// Turns an outline into an 8-bit coverage mask by supersampling: the outline is drawn
// white on black on a work surface f times the mask size in each direction, and each mask
// pixel is the truncated average of its f x f block. The result is exactly that, but the
// work surface is never held whole: coverage is accumulated a band of f rows at a time.
//
// Paths are in work-surface pixels (the caller has already scaled by f). Masks are
// mask_width x mask_height bytes, top row first, unpadded. Each call writes every mask
// pixel, as if the work surface had been cleared to black first.
#include <cstdint>

#include "base/geometry.h"
#include "render/raster_path.h"

namespace lumi {

struct MaskTarget {
  std::uint8_t* pixels;  // mask_width * mask_height bytes, top row first
  int width;
  int height;
  int factor;  // supersampling factor f, 1..11
};

// Fills every figure with the alternate (even-odd) rule, sampling at work-pixel centres.
void FillPathEvenOdd(const RasterPath& path, const MaskTarget& target);

// Strokes every figure with a round-capped, round-joined solid pen of `pen_width` work
// pixels (a width of 1 or less draws one-pixel lines); closed figures join end to start.
void StrokePath(const RasterPath& path, double pen_width, const MaskTarget& target);

// A white ellipse inscribed in the work-pixel box (left, top, right, bottom; right and
// bottom exclusive) with a one-pixel black outline, as a white brush with a black pen.
void FillEllipseWithBlackOutline(const Rect& box, const MaskTarget& target);

}  // namespace lumi
