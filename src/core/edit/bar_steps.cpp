#include "edit/bar_steps.h"

#include <array>
#include <cctype>

namespace lumi {

namespace {

struct BarControlName {
  std::string_view bar;
  std::string_view name;
  BarValueKind kind;
};

using K = BarValueKind;

constexpr std::array kBarControls = {
    BarControlName{"Color & Texture", "texture", K::kItem},
    BarControlName{"Color & Texture", "colour", K::kColour},
    BarControlName{"Color & Texture", "colour2", K::kColour},
    BarControlName{"Color & Texture", "strength", K::kPosition},
    BarControlName{"Color & Texture", "angle", K::kPosition},
    BarControlName{"Color & Texture", "depth", K::kPosition},
    BarControlName{"Color & Texture", "Screen", K::kCheck},
    BarControlName{"Color & Texture", "Transparent", K::kCheck},
    BarControlName{"Color & Texture", "F-B", K::kCheck},
    BarControlName{"Color & Texture", "3D", K::kCheck},
    BarControlName{"Transparency", "texture", K::kItem},
    BarControlName{"Transparency", "amount", K::kPosition},
    BarControlName{"Transparency", "angle", K::kPosition},
    BarControlName{"Transparency", "Transparent", K::kCheck},
    BarControlName{"Bevel", "bevel", K::kItem},
    BarControlName{"Bevel", "width", K::kPosition},
    BarControlName{"Bevel", "intensity", K::kPosition},
    BarControlName{"Bevel", "angle", K::kPosition},
    BarControlName{"Effect", "effect", K::kItem},
    BarControlName{"Effect", "softness", K::kPosition},
    BarControlName{"Effect", "opacity", K::kPosition},
    BarControlName{"Effect", "distance", K::kPosition},
    BarControlName{"Effect", "angle", K::kPosition},
    BarControlName{"Effect", "colour", K::kColour},
    BarControlName{"Quick Tools", "first", K::kPosition},
    BarControlName{"Quick Tools", "second", K::kPosition},
    BarControlName{"Quick Tools", "Remove Point", K::kButton},
    BarControlName{"Quick Tools", "Smooth Node", K::kButton},
    BarControlName{"Quick Tools", "Sharp Node", K::kButton},
    BarControlName{"Quick Tools", "Break Path", K::kButton},
    BarControlName{"Quick Tools", "Close and Fill Path", K::kButton},
    BarControlName{"Quick Tools", "Width", K::kPosition},
    BarControlName{"Quick Tools", "Intenzity", K::kPosition},
    BarControlName{"Multimedia Extesion", "Has Highlighted Frame", K::kCheck},
    BarControlName{"Multimedia Extesion", "Has Pushed Frame", K::kCheck},
    BarControlName{"Multimedia Extesion", "Solo mode (Export Normal Frame Only)", K::kCheck},
    BarControlName{"Multimedia Extesion", "Keep With Previous (Do Not Export)", K::kCheck},
    BarControlName{"Multimedia Extesion", "Normal", K::kButton},
    BarControlName{"Multimedia Extesion", "Highlighted", K::kButton},
    BarControlName{"Multimedia Extesion", "Pushed", K::kButton},
};

bool IsColourText(const std::string& s) {
  if (s.size() != 7 || s[0] != '#') return false;
  for (std::size_t i = 1; i < s.size(); ++i)
    if (!std::isxdigit(static_cast<unsigned char>(s[i]))) return false;
  return true;
}

}  // namespace

const BarValueKind* FindBarControl(std::string_view bar, std::string_view name) {
  for (const BarControlName& c : kBarControls)
    if (c.bar == bar && c.name == name) return &c.kind;
  return nullptr;
}

bool IsBarTitle(std::string_view bar) {
  for (const BarControlName& c : kBarControls)
    if (c.bar == bar) return true;
  return false;
}

std::string BarValueProblem(BarValueKind kind, const nlohmann::json& value) {
  switch (kind) {
    case K::kCheck:
      return value.is_boolean() ? "" : "a check box takes true or false";
    case K::kButton:
      return value == true ? "" : "a button takes true (one press)";
    case K::kItem:
      return value.is_string() ? "" : "a list takes the text of an item";
    case K::kColour:
      return value.is_string() && IsColourText(value.get<std::string>()) ? "" : "a colour is \"#RRGGBB\"";
    case K::kPosition:
      return value.is_number_integer() ? "" : "a slider or dial takes a whole position";
  }
  return "unknown control";
}

}  // namespace lumi
