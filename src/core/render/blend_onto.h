#pragma once
// Putting an object's bitmap onto the canvas.
#include "image/dib_section.h"

namespace lumi {

// Blends a 32-bit bitmap onto a 32-bit canvas with its top-left corner at (x, y) (rows
// counted from the top), clipped to the canvas. Per pixel with source alpha a: 255 copies
// blue, green and red; 0 keeps the canvas; otherwise each colour byte becomes
// (canvas x (255 - a) + source x a) >> 8. The canvas alpha never changes.
// Only canvas rows from `first_row` up to `last_row` (excluded) are touched, so bands of
// one canvas can be composed on several threads.
void BlendOnto(const CDIBSection& bitmap, CDIBSection& canvas, int x, int y, int first_row = 0,
               int last_row = 1 << 30);

}  // namespace lumi
