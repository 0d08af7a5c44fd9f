#pragma once
// Laying an image texture over the object: scaled, rotated, sheared and offset, either
// replacing or tinting the colour, optionally cutting coverage; and the relief embossed
// from the textured image.
#include <cstdint>

#include "base/colour.h"
#include "image/dib_section.h"
#include "library/texture_bank.h"

namespace lumi {

struct TextureMapping {
  int strength = 255;          // 0..255; larger or smaller values act as the nearest end
  bool screen = false;         // tint with the texture's grey level instead of replacing
  bool two_colour = false;     // with `screen`: tint towards the second colour ("F-B")
  bool transparent = false;    // bright texels cut coverage out of the mask
  COLORREF colour2 = 0;
  double scale_x = 1.0;        // vertical texel scale (the field's name is historical)
  double scale_y = 1.0;        // horizontal texel scale
  double angle_x = 0.0;        // rotation, degrees
  double angle_y = 0.0;        // shear, degrees
  int offset_x = 0;
  int offset_y = 0;
};

// Maps `texture` (RGB, top row first) over the 32-bit `image`; `mask` is the coverage,
// width x height bytes with the top row first. With both scales 0 and both angles 0
// every pixel takes one texel, tiled from the offsets.
void MapTexture(CDIBSection& image, std::uint8_t* mask, const TextureView& texture,
                const TextureMapping& mapping);

// Embosses the image from its own brightness: a height map from blue and green (inverted
// for depths up to 100) lit from the upper left with intensity |depth - 100| per cent.
void TextureRelief(CDIBSection& image, int depth);

}  // namespace lumi
