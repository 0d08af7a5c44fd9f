#pragma once
// The canvas blend written one pixel at a time through image coordinates.
#include "image/dib_section.h"

namespace lumi::reference {

// Bitmap blended onto the canvas with its top-left at (x, y), rows counted from the top;
// colour bytes only, the canvas alpha stays.
void BlendOnto(const CDIBSection& bitmap, CDIBSection& canvas, int x, int y);

}  // namespace lumi::reference
