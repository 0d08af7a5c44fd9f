#pragma once
// Shadows and glows: the effect layer (a bitmap larger than the object by a margin on
// every side, drawn under it at an offset) and the inner shadow that darkens the
// object's own colours. The functions take the object's image, coverage mask and effect
// attributes explicitly, so the drawing object only has to call them at the right point
// of its render pipeline (after the alpha is written, before the bevel).
#include <array>
#include <cstdint>
#include <vector>

#include "base/colour.h"
#include "effects/effect_geometry.h"
#include "image/dib_section.h"

namespace lumi {

// The effect list as the user sees it, by value.
inline constexpr std::array<const char*, 8> kEffectNames = {
    "No Effect", "Drop Shadow", "Sun Shadow", "Glow",
    "Halo",      "Inset",       "Cutout",     "Inset + Shadow"};

struct EffectSettings {
  int kind = kNoEffect;
  int distance = 3;    // pixels
  int angle = 45;      // degrees, y downwards
  int softness = 2;    // blur radius
  int opacity = 200;   // 0..255 (a percentage for the lit insets)
  COLORREF colour = 0;  // black
  int margin = 10;     // of the layer, on every side
};

// Where the layer is drawn relative to (x - margin, y - margin): the shadow offset, none
// for "Inset + Shadow", 5 pixels lower for "Sun Shadow".
EffectOffset LayerOffset(const EffectSettings& effect);

// The silhouette: (W + 2m) x (H + 2m) bytes, top row first, of the image's alpha scaled
// by the opacity (x opacity >> 8), placed at (m, m); "Sun Shadow" squashes it to a
// quarter of its height at the bottom of the buffer.
std::vector<std::uint8_t> BuildSilhouette(const CDIBSection& image, const EffectSettings& effect);

// The blur passes of the effect on the silhouette (none when the softness is 0).
void BlurSilhouette(std::uint8_t* silhouette, int width, int height, const EffectSettings& effect);

// Rebuilds `layer` for kinds 1..5 and 7 (everything of the effect stage after the silhouette): the effect
// colour everywhere, lit from the silhouette for the insets, alpha from the blurred
// silhouette. Other kinds leave the layer alone.
void BuildEffectLayer(CDIBSection& layer, const CDIBSection& image, const EffectSettings& effect);

// The inner shadow of kinds 6 and 7: pixels whose position moved back by the shadow offset
// lies outside the blurred coverage are darkened by the opacity. `mask` is the coverage
// mask, image-sized, top row first.
void InnerShadow(CDIBSection& image, const std::uint8_t* mask, const EffectSettings& effect);

// The whole effect stage (after the alpha is written and the conversion to a bitmap, before the bevel): the inner shadow for kinds 6 and 7, the layer
// for kinds 1..5 and 7. Nothing for kind 0 or unknown kinds.
void ApplyEffectStage(CDIBSection& image, CDIBSection& layer, const std::uint8_t* mask,
                      const EffectSettings& effect);

}  // namespace lumi
