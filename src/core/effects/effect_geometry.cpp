#include "effects/effect_geometry.h"

#include <cmath>

namespace lumi {

EffectOffset ShadowOffset(int distance, int angle) {
  const double theta = angle * 3.1415926535 / 180;
  return {static_cast<int>(distance * std::cos(theta)),
          static_cast<int>(distance * std::sin(theta))};
}

EffectOffset LayerOffset(int kind, int distance, int angle) {
  if (kind == kInsetShadow) return {};
  EffectOffset offset = ShadowOffset(distance, angle);
  if (kind == kSunShadow) offset.dy += 5;
  return offset;
}

bool DrawsEffectLayer(int kind) { return kind >= kDropShadow && kind <= kInsetShadow && kind != kCutout; }

Rect EffectInvalidArea(const Rect& box, const Rect& rect, const EffectReach& effect) {
  if (effect.kind < 1) return rect;
  // The shadow offset even for "Inset + Shadow", whose layer is drawn centred.
  EffectOffset d = ShadowOffset(effect.distance, effect.angle);
  if (effect.kind == kSunShadow) d.dy += 5;
  const int m = effect.margin;
  const Rect layer{box.left + d.dx - m, box.top + d.dy - m, box.right + m + d.dx,
                   box.bottom + m + d.dy};
  const Rect u = Union(layer, rect);
  return {u.left - 2, u.top - 2, u.right + 2, u.bottom + 2};
}

Rect EffectVisualArea(const Rect& box, const Rect& rect, const EffectReach& effect) {
  if (effect.kind < 1) return rect;
  EffectOffset o = ShadowOffset(effect.margin, effect.angle);
  if (effect.kind == kSunShadow) o.dy += 5;
  const int g = effect.softness + 1;
  const Rect area{box.left + o.dx - g - 2, box.top + o.dy - g - 2, box.right + o.dx + g,
                  box.bottom + o.dy + g};
  return Union(area, rect);
}

}  // namespace lumi
