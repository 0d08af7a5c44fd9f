#include "ui/bevel_bar.h"

#include <algorithm>

#include "collections/new_object_defaults.h"
#include "objects/draw_object.h"

namespace lumi {

void BevelBar::Refresh(const CDrawObject& o) {
  kind = std::clamp(ReadAttribute(o, "bevelKind"), 0, static_cast<int>(kBevelNames.size()) - 1);
  width = std::clamp(ReadAttribute(o, "bevelWidth"), kMinWidth, kMaxWidth);
  intensity = std::clamp(ReadAttribute(o, "bevelIntensity"), 0, 100);
  angle = std::clamp(ReadAttribute(o, "bevelAngle"), 0, 360);
}

void BevelBar::Write(CDrawObject& o) {
  WriteAttribute(o, "bevelKind", kind);
  WriteAttribute(o, "bevelWidth", width);
  WriteAttribute(o, "bevelIntensity", intensity);
  WriteAttribute(o, "bevelAngle", angle);
}

void BevelBar::AfterApply() {
  if (!defaults_) return;
  NewObjectDefaults& set = DefaultSetFor(*defaults_, Object());
  set.bevel_kind = kind;
  set.bevel_width = width;
  set.bevel_intensity = intensity;
  set.bevel_angle = angle;
}

void BevelBar::SetControl(std::string_view name, const nlohmann::json& v) {
  if (name == "bevel") {
    std::vector<std::string> items(kBevelNames.begin(), kBevelNames.end());
    kind = ScriptItem(name, v, items);
  } else {
    if (!ValuesEnabled()) FailControl(name, "disabled while the bevel is \"No Bevel\"");
    if (name == "width") width = ScriptPosition(name, v, kMinWidth, kMaxWidth);
    if (name == "intensity") intensity = ScriptPosition(name, v, 0, 100);
    if (name == "angle") angle = ScriptPosition(name, v, 0, 360);
  }
  Apply();
}

}  // namespace lumi
