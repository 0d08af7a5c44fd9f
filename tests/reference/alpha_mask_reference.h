#pragma once
// The alpha mask as a grey RGB image, one pixel at a time through image coordinates.
#include "image/dib_section.h"
#include "image/pixwerk.h"

namespace lumi::reference {

RgbImage AlphaMaskToRGB(const CDIBSection& bitmap);

}  // namespace lumi::reference
