#include "collections/new_object_defaults.h"

#include "objects/draw_object.h"
#include "objects/object_attributes.h"

namespace lumi {

namespace {

void SetInt(CDrawObject& o, const char* key, int value) { FindObjectAttribute(key)->SetInt(o, value); }

}  // namespace

NewObjectDefaults& DefaultSetFor(NewObjectDefaultSets& sets, const CDrawObject* current) {
  return current && current->IsText() ? sets.text : sets.shapes;
}

void ApplyNewObjectDefaults(CDrawObject& object, const NewObjectDefaults& set, int line_width) {
  if (object.IsBitmap()) return;
  SetInt(object, "lineWidth", line_width);
  SetInt(object, "textureStrength", set.texture_strength);
  SetInt(object, "textureScreen", set.texture_screen);
  SetInt(object, "textureTwoColor", set.texture_two_color);
  FindObjectAttribute("fillColor")->Colour(object) = set.fill_color;
  FindObjectAttribute("fillColor2")->Colour(object) = set.fill_color2;
  FindObjectAttribute("textureName")->SetText(object, set.texture_name);
  SetInt(object, "bevelWidth", set.bevel_width);
  SetInt(object, "bevelIntensity", set.bevel_intensity);
  SetInt(object, "bevelAngle", set.bevel_angle);
  // A ball bevel needs a light the new object has not got: it keeps its own bevel.
  if (set.bevel_kind != kBallBevel) SetInt(object, "bevelKind", set.bevel_kind);
}

}  // namespace lumi
