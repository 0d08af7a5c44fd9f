#include "edit/script_dialogs.h"

#include <map>
#include <set>

#include "base/host.h"
#include "document/plenivor_doc.h"
#include "edit/canvas_commands.h"
#include "edit/edit_script.h"
#include "effects/colour_tweak.h"
#include "effects/filter_factory.h"

namespace lumi {

namespace {

using nlohmann::json;

enum class Field { Int, Bool, Colour, FilterName, Params };

// Every field of every dialog; a field name belongs to one dialog only.
const std::map<std::string, std::pair<std::string_view, Field>, std::less<>>& Fields() {
  static const std::map<std::string, std::pair<std::string_view, Field>, std::less<>> fields = {
      {"width", {"Document Properties", Field::Int}},
      {"height", {"Document Properties", Field::Int}},
      {"color", {"Document Properties", Field::Colour}},
      {"removeUnused", {"Document Properties", Field::Bool}},
      {"STexture", {"General Settings", Field::Bool}},
      {"Portable", {"General Settings", Field::Bool}},
      {"DefWidth", {"General Settings", Field::Int}},
      {"DefHeight", {"General Settings", Field::Int}},
      {"Backup", {"General Settings", Field::Int}},
      {"Undo", {"General Settings", Field::Int}},
      {"filter", {"Bitmap Color Tweak", Field::FilterName}},
      {"params", {"Bitmap Color Tweak", Field::Params}},
      {"random", {"Bitmap Color Tweak", Field::Bool}},
      {"from", {"Shift Color", Field::Colour}},
      {"towards", {"Shift Color", Field::Colour}},
  };
  return fields;
}

std::optional<COLORREF> ParseColour(const json& v) {
  if (!v.is_string()) return std::nullopt;
  const std::string s = v.get<std::string>();
  if (s.size() != 7 || s[0] != '#') return std::nullopt;
  unsigned value = 0;
  for (std::size_t i = 1; i < 7; ++i) {
    const char c = s[i];
    const int digit = c >= '0' && c <= '9' ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<unsigned>(digit);
  }
  return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

// The catalogue index of a filter name, up to the first empty name.
std::optional<int> FilterIndex(const std::string& name) {
  static const CFilterFactory factory;
  for (int i = 0; !factory.FilterName(i).empty(); ++i)
    if (factory.FilterName(i) == name) return i;
  return std::nullopt;
}

std::optional<std::string> FieldProblem(const std::string& name, Field kind, const json& v) {
  switch (kind) {
    case Field::Int:
      if (!v.is_number_integer()) return "'" + name + "' is a whole number";
      break;
    case Field::Bool:
      if (!v.is_boolean()) return "'" + name + "' is true or false";
      break;
    case Field::Colour:
      if (!ParseColour(v)) return "'" + name + "' is a colour \"#RRGGBB\"";
      break;
    case Field::FilterName:
      if (!v.is_string() || !FilterIndex(v.get<std::string>())) return "unknown filter " + v.dump();
      break;
    case Field::Params:
      if (!v.is_array() || v.size() > CFilterFactory::kParamSlots) return "'params' is a list of up to 8 values";
      for (const json& p : v)
        if (!p.is_number_integer() || p.get<int>() < 0 || p.get<int>() > 255)
          return "slider values are whole numbers 0..255";
      break;
  }
  return std::nullopt;
}

}  // namespace

bool IsCommandDialogAnswer(const json& answer) {
  if (!answer.is_object()) return false;
  for (const auto& [name, value] : answer.items())
    if (Fields().count(name)) return true;
  return false;
}

std::optional<std::string> CommandDialogAnswerProblem(const json& answer) {
  std::string_view dialog;
  for (const auto& [name, value] : answer.items()) {
    const auto field = Fields().find(name);
    if (field == Fields().end()) return "unknown dialog field '" + name + "'";
    if (!dialog.empty() && dialog != field->second.first)
      return "'" + name + "' belongs to " + std::string(field->second.first) + ", not " + std::string(dialog);
    dialog = field->second.first;
    if (auto problem = FieldProblem(name, field->second.second, value)) return problem;
  }
  return std::nullopt;
}

std::optional<json> ScriptCommandDialogs::Next(std::string_view dialog, std::initializer_list<const char*> fields) {
  const std::optional<json> a = answers_.TakeNext();
  if (!a || *a == "cancel") return std::nullopt;
  if (*a == "ok") return json::object();
  bool mine = a->is_object() && !a->empty();
  if (mine) {
    for (const auto& [name, value] : a->items()) {
      bool listed = false;
      for (const char* f : fields) listed = listed || name == f;
      mine = mine && listed;
    }
  }
  if (!mine) throw EditScriptError("the " + std::string(dialog) + " dialog opened, but the next answer is " + a->dump());
  return a;
}

bool ScriptCommandDialogs::DocumentProperties(CPlenivorDoc& doc, DocumentPropertiesValues& values) {
  // A refused size keeps the dialog open for the next answer.
  for (;;) {
    const std::optional<json> a = Next("Document Properties", {"width", "height", "color", "removeUnused"});
    if (!a) return false;
    if (a->value("removeUnused", false)) doc.PruneTextureBank();
    DocumentPropertiesValues v = values;
    if (a->contains("width")) v.width = (*a)["width"].get<int>();
    if (a->contains("height")) v.height = (*a)["height"].get<int>();
    if (a->contains("color")) v.colour = *ParseColour((*a)["color"]);
    if (!AcceptCanvasSize(host_, v.width, v.height)) continue;
    values = v;
    return true;
  }
}

bool ScriptCommandDialogs::GeneralSettings(GeneralSettingsValues& values) {
  for (;;) {
    const std::optional<json> a =
        Next("General Settings", {"STexture", "Portable", "DefWidth", "DefHeight", "Backup", "Undo"});
    if (!a) return false;
    GeneralSettingsValues v = values;
    v.always_portable = a->value("STexture", v.always_portable);
    v.portable = a->value("Portable", v.portable);
    v.default_width = a->value("DefWidth", v.default_width);
    v.default_height = a->value("DefHeight", v.default_height);
    v.backup_minutes = a->value("Backup", v.backup_minutes);
    v.undo_levels = a->value("Undo", v.undo_levels);
    if (!AcceptCanvasSize(host_, v.default_width, v.default_height)) continue;
    values = v;
    return true;
  }
}

bool ScriptCommandDialogs::ColourTweak(const CDIBSection&, ColourTweakChoice& choice) {
  const std::optional<json> a = Next("Bitmap Color Tweak", {"filter", "params", "random"});
  if (!a) return false;
  if (a->contains("filter")) choice = DefaultColourTweak(*FilterIndex((*a)["filter"].get<std::string>()));
  if (a->value("random", false)) choice.params = RandomSliderValues();
  if (a->contains("params")) {
    const json& params = (*a)["params"];
    for (std::size_t i = 0; i < params.size(); ++i) choice.params[i] = params[i].get<int>();
  }
  return true;
}

bool ScriptCommandDialogs::ShiftColour(ShiftColourChoice& choice) {
  const std::optional<json> a = Next("Shift Color", {"from", "towards"});
  if (!a) return false;
  if (a->contains("from")) choice.from = *ParseColour((*a)["from"]);
  if (a->contains("towards")) choice.towards = *ParseColour((*a)["towards"]);
  return true;
}

}  // namespace lumi
