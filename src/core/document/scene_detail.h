#pragma once
// The value readers the scene builder shares between its files. Every reader throws
// SceneError naming the object and the key when a value has the wrong type or range.
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/colour.h"
#include "base/geometry.h"
#include "objects/bezier.h"
#include "objects/polynome.h"

namespace lumi {

class CDrawObject;

namespace scene_detail {

using nlohmann::json;

[[noreturn]] void Fail(const std::string& where, const std::string& key, const std::string& why);
int IntIn(const json& v, const std::string& where, const std::string& key, int lo, int hi);
double Number(const json& v, const std::string& where, const std::string& key);
std::string Text(const json& v, const std::string& where, const std::string& key);
int Flag(const json& v, const std::string& where, const std::string& key);
std::vector<Point> PointsOf(const json& v, const std::string& where, const std::string& key);
void CheckKeys(const json& v, const std::string& where, const std::string& key,
               std::initializer_list<const char*> allowed);
CBezier OutlineOf(const json& v, const std::string& where);
CPolynome PolynomeOf(const json& v, const std::string& where);

// The attribute fields a scene may set, by field name without its m_ prefix.
using Setter = std::function<void(CDrawObject&, const json&, const std::string& where, const std::string& key)>;
const std::map<std::string, Setter>& FieldSetters();

// A bitmap object: {"at": [x, y], "file": path} reads an image file (relative names are
// taken from `base_folder`); {"source": {...}} with the stored geometry restores the
// pixels `info --json` wrote. Returns the keys consumed.
std::vector<std::string> CreateBitmapShape(CDrawObject& o, const json& entry, const std::string& where,
                                           const std::filesystem::path& base_folder);

// {"states": {"highlighted": {fields} | true, "pushed": {fields} | true, "solo": 0/1}}:
// gives the object its button looks, each made from the normal look and then given
// its own fields, and shows the normal look again.
void ApplyStates(CDrawObject& o, const json& value, const std::string& where);

}  // namespace scene_detail
}  // namespace lumi
