#include "ui/colour_bar.h"

#include <algorithm>

#include "collections/new_object_defaults.h"
#include "edit/tool_machine.h"
#include "objects/draw_object.h"

namespace lumi {

int ColourBar::GenePicture() const {
  if (Object() && Object()->IsBitmap()) return 2;
  return gene.kind > 0 ? 1 : 0;
}

void ColourBar::Refresh(const CDrawObject& o) {
  first = ReadColourAttribute(o, "fillColor");
  strength = std::clamp(ReadAttribute(o, "textureStrength"), 0, 255);
  angle = std::clamp(ReadAttribute(o, "gradientAngle"), 0, 360);
  screen = ReadAttribute(o, "textureScreen");
  transparent = ReadAttribute(o, "textureTransparent");
  two_colour = ReadAttribute(o, "textureTwoColor");
  relief = ReadAttribute(o, "textureRelief");
  relief_depth = std::clamp(ReadAttribute(o, "textureReliefDepth"), 0, 200);
  gene = {ReadAttribute(o, "geneSeed"),
          {ReadAttribute(o, "geneParam1"), ReadAttribute(o, "geneParam2"), ReadAttribute(o, "geneParam3")}};
  textures.Show(ReadTextAttribute(o, "textureName"));
  if (UsesSecondColour()) second = ReadColourAttribute(o, "fillColor2");
}

void ColourBar::Write(CDrawObject& o) {
  WriteColourAttribute(o, "fillColor", first);
  if (UsesSecondColour()) WriteColourAttribute(o, "fillColor2", second);
  WriteTextAttribute(o, "textureName", textures.Selected());
  WriteAttribute(o, "textureStrength", strength);
  WriteAttribute(o, "gradientAngle", angle);
  WriteAttribute(o, "textureScreen", screen);
  WriteAttribute(o, "textureTransparent", transparent);
  WriteAttribute(o, "textureTwoColor", two_colour);
  WriteAttribute(o, "textureRelief", relief);
  WriteAttribute(o, "textureReliefDepth", relief_depth);
  WriteAttribute(o, "geneSeed", gene.kind);
  WriteAttribute(o, "geneParam1", gene.words[0]);
  WriteAttribute(o, "geneParam2", gene.words[1]);
  WriteAttribute(o, "geneParam3", gene.words[2]);
}

void ColourBar::AfterApply() {
  if (!defaults_) return;
  NewObjectDefaults& set = DefaultSetFor(*defaults_, Object());
  set.texture_strength = strength;
  set.texture_screen = screen;
  set.texture_two_color = two_colour;
  set.fill_color = first;
  set.fill_color2 = second;
  set.texture_name = textures.Selected();
}

void ColourBar::SetControl(std::string_view name, const nlohmann::json& v) {
  if (name == "texture") {
    textures.selection = ScriptItem(name, v, textures.items);
  } else if (name == "colour" || name == "colour2") {
    (name == "colour" ? first : second) = ColourFromText(v.get<std::string>());
  } else if (name == "strength") {
    if (!StrengthEnabled()) FailControl(name, "disabled without a texture or gradient");
    strength = ScriptPosition(name, v, 0, 255);
  } else if (name == "angle") {
    if (!AngleShown()) FailControl(name, "shown only for the linear gradient");
    angle = ScriptPosition(name, v, 0, 360);
  } else if (name == "depth") {
    if (!TextureOptionsShown() || !ReliefDepthEnabled()) FailControl(name, "enabled only for a texture with \"3D\"");
    relief_depth = ScriptPosition(name, v, 0, 200);
  } else {
    // The four checks, shown for texture files only.
    if (!TextureOptionsShown()) FailControl(name, "shown only for a texture file");
    if (name == "F-B" && !TwoColourEnabled()) FailControl(name, "enabled only while \"Screen\" is checked");
    int& check = name == "Screen" ? screen : name == "Transparent" ? transparent : name == "F-B" ? two_colour : relief;
    check = v.get<bool>() ? 1 : 0;
  }
  Apply();
}

}  // namespace lumi
