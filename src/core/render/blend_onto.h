#pragma once
// Putting an object's bitmap onto the canvas.
#include "image/dib_section.h"
#include "image/kept_bitmap.h"

namespace lumi {

// Blends a 32-bit bitmap onto a 32-bit canvas with its top-left corner at (x, y) (rows
// counted from the top), clipped to the canvas. Per pixel with source alpha a: 255 copies
// blue, green and red; 0 keeps the canvas; otherwise each colour byte becomes
// (canvas x (255 - a) + source x a) >> 8. The canvas alpha never changes.
// Only canvas rows from `first_row` up to `last_row` (excluded) are touched, so bands of
// one canvas can be composed on several threads.
void BlendOnto(const CDIBSection& bitmap, CDIBSection& canvas, int x, int y, int first_row = 0,
               int last_row = 1 << 30);

// The same for an object's kept bitmap, packed or not. With `keep_alpha` false the
// canvas alpha blends too, as CDIBSection::BlendFrom does (there with rows counted from
// the bottom).
void BlendOnto(const KeptBitmap& bitmap, CDIBSection& canvas, int x, int y, bool keep_alpha,
               int first_row = 0, int last_row = 1 << 30);

}  // namespace lumi
