#pragma once
// The bevel and effect kinds by their list values, and where an object's shadow or glow
// lies: the offset of the effect layer and the canvas areas it reaches. Rendering places
// the layer by these and the object asks them for the rectangles the view repaints, so
// the two always agree.
#include "base/geometry.h"

namespace lumi {

// Bevel values: the index in the bevel list (13 is the linear feather, not listed).
enum BevelKind {
  kNoBevel = 0,
  kSmoothBevel = 1,
  kFlatBevel = 2,
  kFramedBevel = 3,
  kRandomNoiseBevel = 4,
  kSaucerBevel = 5,
  kFrameBevel = 6,
  kOutlineBevel = 7,
  kBumpOutBevel = 8,
  kFeatherBevel = 9,
  kSmoothWarpBevel = 10,
  kSmoothHiLiteBevel = 11,
  kBallBevel = 12,
  kLinearFeatherBevel = 13,
};

// Effect values: the index in the effect list.
enum EffectKind {
  kNoEffect = 0,
  kDropShadow = 1,
  kSunShadow = 2,
  kGlow = 3,
  kHalo = 4,
  kInset = 5,
  kCutout = 6,
  kInsetShadow = 7,
};

struct EffectOffset {
  int dx = 0, dy = 0;
};

// The shadow offset: (trunc(distance cos a), trunc(distance sin a)).
EffectOffset ShadowOffset(int distance, int angle);

// Where the layer is drawn relative to (x - margin, y - margin): the shadow offset, none
// for "Inset + Shadow", 5 pixels lower for "Sun Shadow".
EffectOffset LayerOffset(int kind, int distance, int angle);

// Whether the layer is drawn under the object (kinds 1..5 and 7).
bool DrawsEffectLayer(int kind);

// The effect attributes the areas below depend on.
struct EffectReach {
  int kind = kNoEffect;
  int distance = 3;
  int angle = 45;
  int softness = 2;
  int margin = 10;
};

// The canvas area to repaint when an object with the box `box` changes: `rect` united
// with the layer (the box grown by the margin, at the shadow offset, 5 pixels lower for
// "Sun Shadow"), grown by 2 on every side. `rect` alone without an effect.
Rect EffectInvalidArea(const Rect& box, const Rect& rect, const EffectReach& effect);

// The canvas area the effect can be seen in, united with `rect`: the box moved by the
// margin (not the distance) in the effect's direction, grown by the softness. `rect`
// alone without an effect.
Rect EffectVisualArea(const Rect& box, const Rect& rect, const EffectReach& effect);

}  // namespace lumi
