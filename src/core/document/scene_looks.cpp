// Button looks in scenes: the highlighted and pushed looks of an object, each made from
// its normal look the way the multimedia panel makes it, then given its own fields.
#include "document/scene_detail.h"
#include "objects/draw_object.h"

namespace lumi::scene_detail {

namespace {

constexpr int kNormal = 0;
constexpr int kHighlighted = 1;
constexpr int kPushed = 2;

// true (or 1) asks for a look equal to the normal one; an object sets its own fields.
bool Wanted(const json& value, const std::string& where, const std::string& key) {
  if (value.is_object()) return true;
  return Flag(value, where, key) != 0;
}

void SetLookFields(CDrawObject& o, const json& fields, const std::string& where, const std::string& key) {
  if (!fields.is_object()) return;
  const auto& setters = FieldSetters();
  // As for the object itself, a texture choice comes before the keys that adjust it.
  if (fields.contains("textureName")) setters.at("textureName")(o, fields["textureName"], where, key + ".textureName");
  for (const auto& [name, value] : fields.items()) {
    if (name == "textureName") continue;
    const auto it = setters.find(name);
    if (it == setters.end()) Fail(where, key + "." + name, "unknown key (a look sets attribute fields only)");
    it->second(o, value, where, key + "." + name);
  }
}

}  // namespace

void ApplyStates(CDrawObject& o, const json& value, const std::string& where) {
  const std::string key = "ops.states";
  CheckKeys(value, where, key, {"highlighted", "pushed", "solo"});
  const bool has_highlighted = value.contains("highlighted") && Wanted(value["highlighted"], where, key + ".highlighted");
  const bool has_pushed = value.contains("pushed") && Wanted(value["pushed"], where, key + ".pushed");
  const bool solo = value.contains("solo") && Flag(value["solo"], where, key + ".solo") != 0;
  if (solo) {
    // Solo objects export their normal look only and keep no other looks.
    o.SetStates(kNormal, has_highlighted, has_pushed, true);
    return;
  }
  if (!has_highlighted && !has_pushed) Fail(where, key, "names neither a \"highlighted\" nor a \"pushed\" look");
  // Each look starts as a copy of the normal look, so the normal look is shown again
  // before the next one is made.
  if (has_highlighted) {
    o.SetStates(kHighlighted, has_highlighted, has_pushed, false);
    SetLookFields(o, value["highlighted"], where, key + ".highlighted");
    o.SetStates(kNormal, has_highlighted, has_pushed, false);
  }
  if (has_pushed) {
    o.SetStates(kPushed, has_highlighted, has_pushed, false);
    SetLookFields(o, value["pushed"], where, key + ".pushed");
    o.SetStates(kNormal, has_highlighted, has_pushed, false);
  }
}

}  // namespace lumi::scene_detail
