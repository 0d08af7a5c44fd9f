#pragma once
// Turns an outline into an 8-bit coverage mask by supersampling: the outline is drawn
// white on black on a work surface f times the mask size in each direction, and each mask
// pixel is the truncated average of its f x f block. The result is exactly that, but the
// work surface is never held whole: coverage is accumulated a band of f rows at a time.
//
// Paths are in work-surface pixels (the caller has already scaled by f). Masks are
// mask_width x mask_height bytes, top row first, unpadded. Each call writes every mask
// pixel, as if the work surface had been cleared to black first. The work surface is
// f * width by f * height; whatever falls outside it is clipped.
//
// Pixel rules: work pixel (X, Y) is sampled at its centre (X + 0.5, Y + 0.5). Curves are
// first flattened into straight pieces (path_flattening.h). Memory stays proportional to
// the mask width plus the flattened outline; time grows with f x height x edges.
#include <cstdint>

#include "base/geometry.h"
#include "render/raster_path.h"

namespace lumi {

struct MaskTarget {
  std::uint8_t* pixels;  // mask_width * mask_height bytes, top row first
  int width;
  int height;
  int factor;  // supersampling factor f, 1..11 (values outside are clamped)
};

// Fills every figure with the alternate (even-odd) rule, sampling at work-pixel centres:
// a pixel is inside when the horizontal line through its centre crosses the outline an odd
// number of times at or left of the centre (an edge counts from its upper end, included,
// to its lower end, excluded). Every figure is closed for filling.
void FillPathEvenOdd(const RasterPath& path, const MaskTarget& target);

// Strokes every figure with a round-capped, round-joined solid pen of `pen_width` work
// pixels; closed figures join end to start. A pen wider than 1 covers the pixels whose
// centres lie within pen_width / 2 of the outline. A width of 1 or less draws one-pixel
// lines: along a mostly horizontal piece, one pixel per column (the one holding the
// piece's height at the column centre), along a mostly vertical piece one per row. A
// figure of a single point draws nothing; see pen_rules.h.
void StrokePath(const RasterPath& path, double pen_width, const MaskTarget& target);

// A white ellipse inscribed in the work-pixel box (left, top, right, bottom; right and
// bottom exclusive) with a one-pixel black outline, as a white brush with a black pen.
// The ellipse holds the pixels whose centres lie inside it (exact integer test); those of
// them with a left, right, upper or lower neighbour outside form the black ring.
void FillEllipseWithBlackOutline(const Rect& box, const MaskTarget& target);

}  // namespace lumi
