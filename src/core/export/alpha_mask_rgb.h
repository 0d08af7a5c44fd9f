#pragma once
// The alpha channel of a 32-bit bitmap as a grey RGB buffer, the transparency image a
// movable bitmap of the authoring tool carries beside its colours.
#include <optional>

#include "image/pixwerk.h"

namespace lumi {

class CDIBSection;

// Top-down rows where each pixel's red, green and blue all equal the bitmap's alpha.
// Nothing (result code "Bad user param") for an empty bitmap or one of another depth.
std::optional<RgbImage> AlphaMaskToRGB(const CDIBSection& bitmap);

}  // namespace lumi
