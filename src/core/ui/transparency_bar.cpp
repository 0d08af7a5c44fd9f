#include "ui/transparency_bar.h"

#include <algorithm>

#include "objects/draw_object.h"

namespace lumi {

void TransparencyBar::Refresh(const CDrawObject& o) {
  textures.Show(ReadTextAttribute(o, "transparencyName"));
  amount = std::clamp(ReadAttribute(o, "transparency"), 0, 255);
  angle = std::clamp(ReadAttribute(o, "transparencyAngle"), 0, 360);
  cut = ReadAttribute(o, "transparencyCut");
}

void TransparencyBar::Write(CDrawObject& o) {
  WriteTextAttribute(o, "transparencyName", textures.Selected());
  WriteAttribute(o, "transparency", amount);
  WriteAttribute(o, "transparencyAngle", angle);
  WriteAttribute(o, "transparencyCut", cut);
}

void TransparencyBar::SetControl(std::string_view name, const nlohmann::json& v) {
  if (name == "texture") {
    textures.selection = ScriptItem(name, v, textures.items);
  } else if (name == "amount") {
    amount = ScriptPosition(name, v, 0, 255);
  } else if (name == "angle") {
    if (!AngleShown()) FailControl(name, "shown only for \"Linear.tmb\"");
    angle = ScriptPosition(name, v, 0, 360);
  } else {
    if (!CutEnabled()) FailControl(name, "disabled while the amount is 0");
    cut = v.get<bool>() ? 1 : 0;
  }
  Apply();
}

}  // namespace lumi
