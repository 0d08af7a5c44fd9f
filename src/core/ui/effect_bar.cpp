#include "ui/effect_bar.h"

#include <algorithm>

#include "objects/draw_object.h"

namespace lumi {

void EffectBar::Refresh(const CDrawObject& o) {
  kind = std::clamp(ReadAttribute(o, "effectKind"), 0, static_cast<int>(kEffectNames.size()) - 1);
  softness = std::clamp(ReadAttribute(o, "effectSoftness") * 10, 0, kMaxSoftness);
  opacity = std::clamp(ReadAttribute(o, "effectOpacity"), 0, 255);
  distance = std::clamp(ReadAttribute(o, "effectDistance") * 10, 0, kMaxDistance);
  angle = std::clamp(ReadAttribute(o, "effectAngle"), 0, 360);
  colour = ReadColourAttribute(o, "effectColor");
}

void EffectBar::Write(CDrawObject& o) {
  WriteAttribute(o, "effectKind", kind);
  WriteAttribute(o, "effectSoftness", softness / 10);
  WriteAttribute(o, "effectOpacity", opacity);
  WriteAttribute(o, "effectDistance", distance / 10);
  WriteAttribute(o, "effectAngle", angle);
  WriteColourAttribute(o, "effectColor", colour);
}

Rect EffectBar::RepaintArea(const CDrawObject& o, const Rect& before) const {
  Rect area = Union(before, o.GetInvalidRect(o.GetSelectionRect()));
  return {area.left - kRepaintMargin, area.top - kRepaintMargin, area.right + kRepaintMargin,
          area.bottom + kRepaintMargin};
}

void EffectBar::ChooseKind(int new_kind) {
  struct Preset {
    int softness;
    COLORREF colour;
    int distance;
  };
  constexpr Preset kGlow{30, RGB(255, 0, 255), 0}, kHalo{50, RGB(255, 0, 0), 0},
      kInset{25, RGB(255, 255, 255), 0}, kOther{20, RGB(0, 0, 0), 30};
  const Preset& p = new_kind == 3 ? kGlow : new_kind == 4 ? kHalo : new_kind == 5 ? kInset : kOther;
  kind = new_kind;
  softness = p.softness;
  colour = p.colour;
  distance = p.distance;
  Apply();
}

void EffectBar::SetControl(std::string_view name, const nlohmann::json& v) {
  if (name == "effect") {
    std::vector<std::string> items(kEffectNames.begin(), kEffectNames.end());
    ChooseKind(ScriptItem(name, v, items));
    return;
  }
  if (!ValuesEnabled()) FailControl(name, "disabled while the effect is \"No Effect\"");
  if (name == "softness") softness = ScriptPosition(name, v, 0, kMaxSoftness);
  if (name == "opacity") opacity = ScriptPosition(name, v, 0, 255);
  if (name == "distance") distance = ScriptPosition(name, v, 0, kMaxDistance);
  if (name == "angle") angle = ScriptPosition(name, v, 0, 360);
  if (name == "colour") colour = ColourFromText(v.get<std::string>());
  Apply();
}

}  // namespace lumi
