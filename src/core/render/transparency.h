#pragma once
// Transparency: cut out of the coverage (the alpha is written here) or painted towards
// white (the colours lighten and the alpha is set from the mask afterwards), each as a
// flat amount, a linear ramp, a radial ramp or a tiled transparency image.
#include <cstdint>

#include "image/dib_section.h"
#include "library/texture_bank.h"

namespace lumi {

enum class TransparencyPattern { kFlat, kLinear, kRadial, kImage };

// The pattern a transparency texture name stands for: "Flat.tmb" and the empty name are
// flat, "Linear.tmb" and "Radial.tmb" the ramps, any other name an image.
TransparencyPattern PatternOfName(const std::string& name);

struct TransparencySettings {
  TransparencyPattern pattern = TransparencyPattern::kFlat;
  int amount = 0;  // 1..255; values beyond act as the nearest end
  int angle = 0;   // degrees, for the linear ramp
};

// Writes the alpha of every pixel of the 32-bit `image` from the coverage `mask`
// (width x height, top row first) less the transparency. The image pattern writes the
// reduced coverage back into the mask as well, so later stages see the cut; it needs
// `texture` (RGB, top row first), which the other patterns ignore.
void CutTransparency(CDIBSection& image, std::uint8_t* mask, const TransparencySettings& t,
                     const TextureView& texture);

// Lightens blue, green and red by the pattern's value, each capped at 255; the alpha is
// left alone. The flat pattern paints nothing.
void PaintTransparency(CDIBSection& image, const TransparencySettings& t,
                       const TextureView& texture);

}  // namespace lumi
