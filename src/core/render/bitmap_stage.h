#pragma once
// The image of a bitmap object, derived from its source bitmap on every render: warped
// through the envelope (at three times the source resolution), rotated (at twice the
// resolution) or plainly scaled to the object box with the bilinear two-pass scaler.
// Every work image lives only for the call that made it.
#include <array>

#include "base/geometry.h"
#include "image/dib_section.h"

namespace lumi {

// The 16 envelope coordinates (top curve P0..P3, bottom curve Q0..Q3, x then y, in unit
// coordinates of the box) as pixels of a width x height image, each coordinate truncated.
std::array<Point, 8> EnvelopePixels(const std::array<double, 16>& envelope, int width, int height);

// Sends every pixel of `enlarged` (the source enlarged three times in each direction)
// to `work` (the source size), rows from the top, columns from the left: column j takes
// the curve sample k = (3 sw - 1) j / (3 sw), row i the share q = i / (3 sh) between the
// top and the bottom curve. Pixels that land outside `work` are dropped; later pixels
// overwrite earlier ones. `work` must be 32 bits and at least 1 x 1.
void WarpEnlargedSource(const CDIBSection& enlarged, const std::array<Point, 8>& envelope,
                        CDIBSection& work);

// Fills `work` (2 W x 2 H) from `enlarged` (2 sw x 2 sh) turned by `angle_degrees` about
// the centres of both, rows counted from the bottom in both: colours from the nearest
// pixel clamped into the source, alpha 0 outside it.
void RotateEnlargedSource(const CDIBSection& enlarged, int angle_degrees, CDIBSection& work);

// The bitmap stage: `image` (already width x height x 32) receives the source warped by
// `envelope` when it is given, else rotated when `angle_degrees` is not 0, else scaled.
// A warp or rotation whose work images would exceed the bitmap limits falls back to
// plain scaling; an empty source leaves the image fully transparent.
void RenderBitmapImage(const CDIBSection& source, const std::array<double, 16>* envelope,
                       int angle_degrees, CDIBSection& image);

}  // namespace lumi
