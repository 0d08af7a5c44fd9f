#pragma once
// Pixel-at-a-time versions of the bitmap operations, written for clarity only.
#include "image/dib_section.h"

namespace lumi::reference {

// Source blended at (x, y) in storage rows from the bottom, one pixel through
// coordinates at a time.
void BlendFrom(CDIBSection& destination, const CDIBSection& source, int x, int y);

}  // namespace lumi::reference
