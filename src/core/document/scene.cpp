#include "document/scene.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>

#include "base/byte_stream.h"
#include "base/host.h"
#include "document/scene_detail.h"
#include "objects/object_attributes.h"
#include "render/bevels.h"
#include "base/parallel_render.h"
#include "objects/text_dialog.h"

namespace lumi {

using nlohmann::json;

namespace scene_detail {

constexpr std::uint64_t kMaxSceneFileSize = 64u << 20;
constexpr int kMaxCanvasSide = 32000;

[[noreturn]] void Fail(const std::string& where, const std::string& key, const std::string& why) {
  throw SceneError(where + (key.empty() ? "" : ": \"" + key + "\"") + ": " + why);
}

std::string ObjectWhere(std::size_t index) { return "object " + std::to_string(index); }

int IntIn(const json& v, const std::string& where, const std::string& key, int lo, int hi) {
  if (!v.is_number_integer()) Fail(where, key, "expected an integer");
  const auto n = v.get<std::int64_t>();
  if (n < lo || n > hi) {
    Fail(where, key, "must be between " + std::to_string(lo) + " and " + std::to_string(hi));
  }
  return static_cast<int>(n);
}

double Number(const json& v, const std::string& where, const std::string& key) {
  if (!v.is_number()) Fail(where, key, "expected a number");
  return v.get<double>();
}

COLORREF Colour(const json& v, const std::string& where, const std::string& key) {
  if (!v.is_string()) Fail(where, key, "expected a colour \"#RRGGBB\"");
  auto c = ParseHexColour(v.get<std::string>());
  if (!c) Fail(where, key, "expected a colour \"#RRGGBB\"");
  return *c;
}

std::string Text(const json& v, const std::string& where, const std::string& key) {
  if (!v.is_string()) Fail(where, key, "expected a string");
  return v.get<std::string>();
}

int Flag(const json& v, const std::string& where, const std::string& key) {
  if (v.is_boolean()) return v.get<bool>() ? 1 : 0;
  return IntIn(v, where, key, 0, 1);
}

// Four integers: left, top, right, bottom.
Rect RectOf(const json& v, const std::string& where, const std::string& key) {
  if (!v.is_array() || v.size() != 4) Fail(where, key, "expected [left, top, right, bottom]");
  constexpr int kLimit = 1 << 20;
  return {IntIn(v[0], where, key, -kLimit, kLimit), IntIn(v[1], where, key, -kLimit, kLimit),
          IntIn(v[2], where, key, -kLimit, kLimit), IntIn(v[3], where, key, -kLimit, kLimit)};
}

std::vector<Point> PointsOf(const json& v, const std::string& where, const std::string& key) {
  if (!v.is_array()) Fail(where, key, "expected a list of [x, y] points");
  constexpr int kLimit = 1 << 20;
  std::vector<Point> points;
  for (const json& p : v) {
    if (!p.is_array() || p.size() != 2) Fail(where, key, "expected a list of [x, y] points");
    points.push_back({IntIn(p[0], where, key, -kLimit, kLimit), IntIn(p[1], where, key, -kLimit, kLimit)});
  }
  return points;
}

// Stored outlines keep unit coordinates of the object's box (per mille for polynomes);
// the limits are those the project reader accepts.
constexpr double kMaxUnitCoordinate = 100;
constexpr double kMaxPerMilleCoordinate = 1e5;

double Coordinate(const json& v, const std::string& where, const std::string& key, double limit) {
  const double d = Number(v, where, key);
  if (!(std::fabs(d) <= limit)) {
    Fail(where, key, "coordinates lie within " + std::to_string(static_cast<long>(limit)) + " of the box");
  }
  return d;
}

void CheckKeys(const json& v, const std::string& where, const std::string& key,
               std::initializer_list<const char*> allowed) {
  if (!v.is_object()) Fail(where, key, "expected an object");
  for (const auto& item : v.items()) {
    const std::string& name = item.key();
    if (std::find_if(allowed.begin(), allowed.end(), [&](const char* a) { return name == a; }) == allowed.end()) {
      Fail(where, key + "." + name, "unknown key");
    }
  }
}

// {"closed": 1, "lineWidth": 1, "nodes": [[x, y], ...]}: anchors and controls as the
// outline stores them; a node may carry its stored type as a third entry. Any count is
// taken, as projects take it.
CBezier OutlineOf(const json& v, const std::string& where) {
  const std::string key = "outline";
  CheckKeys(v, where, key, {"closed", "lineWidth", "nodes"});
  CBezier outline;
  outline.SetClosed(v.contains("closed") && Flag(v["closed"], where, key + ".closed"));
  if (v.contains("lineWidth")) outline.SetLineWidth(IntIn(v["lineWidth"], where, key + ".lineWidth", 0, 1000));
  if (!v.contains("nodes") || !v["nodes"].is_array()) Fail(where, key + ".nodes", "expected a list of [x, y] nodes");
  for (const json& n : v["nodes"]) {
    if (!n.is_array() || n.size() < 2 || n.size() > 3) Fail(where, key + ".nodes", "expected a list of [x, y] nodes");
    CBezierNode node;
    node.x = Coordinate(n[0], where, key + ".nodes", kMaxUnitCoordinate);
    node.y = Coordinate(n[1], where, key + ".nodes", kMaxUnitCoordinate);
    if (n.size() == 3) node.type = IntIn(n[2], where, key + ".nodes", -(1 << 24), 1 << 24);
    outline.Nodes().push_back(node);
  }
  return outline;
}

// {"open": 0, "lineWidth": 1, "nodes": [[x, y, type], ...], "envelope": [16 numbers],
// "envelopeOn": 0}: figures in per mille of the box with their point types.
CPolynome PolynomeOf(const json& v, const std::string& where) {
  const std::string key = "polynome";
  CheckKeys(v, where, key, {"open", "lineWidth", "nodes", "envelope", "envelopeOn"});
  CPolynome polynome;
  polynome.SetOpen(v.contains("open") && Flag(v["open"], where, key + ".open"));
  if (v.contains("lineWidth")) polynome.SetLineWidth(IntIn(v["lineWidth"], where, key + ".lineWidth", 0, 1000));
  if (!v.contains("nodes") || !v["nodes"].is_array()) Fail(where, key + ".nodes", "expected a list of [x, y, type] nodes");
  for (const json& n : v["nodes"]) {
    if (!n.is_array() || n.size() != 3) Fail(where, key + ".nodes", "expected a list of [x, y, type] nodes");
    CPolynomeNode node;
    node.x = Coordinate(n[0], where, key + ".nodes", kMaxPerMilleCoordinate);
    node.y = Coordinate(n[1], where, key + ".nodes", kMaxPerMilleCoordinate);
    node.type = static_cast<std::uint8_t>(IntIn(n[2], where, key + ".nodes", 0, 255));
    polynome.Nodes().push_back(node);
  }
  if (v.contains("envelope")) {
    const json& e = v["envelope"];
    if (!e.is_array() || e.size() != 16) Fail(where, key + ".envelope", "expected 16 numbers: P0..P3, Q0..Q3");
    for (std::size_t i = 0; i < 16; ++i) {
      polynome.GetEnvelope()[i] = Coordinate(e[i], where, key + ".envelope", kMaxUnitCoordinate);
    }
  }
  polynome.SetEnvelopeOn(v.contains("envelopeOn") && Flag(v["envelopeOn"], where, key + ".envelopeOn"));
  return polynome;
}

// {"face": "Arial", "height": 20, ...}: the object's LOGFONT field by field.
void SetFontFields(CDrawObject& o, const json& v, const std::string& where, const std::string& key) {
  CheckKeys(v, where, key, {"face", "height", "width", "escapement", "orientation", "weight", "italic",
                            "underline", "strikeOut", "charSet", "outPrecision", "clipPrecision",
                            "quality", "pitchAndFamily"});
  LOGFONT font = o.GetFont();
  auto whole = [&](const char* name, std::int32_t& field) {
    if (v.contains(name)) field = IntIn(v[name], where, key + "." + name, INT32_MIN, INT32_MAX);
  };
  auto byte = [&](const char* name, std::uint8_t& field) {
    if (v.contains(name)) field = static_cast<std::uint8_t>(IntIn(v[name], where, key + "." + name, 0, 255));
  };
  whole("height", font.lfHeight);
  whole("width", font.lfWidth);
  whole("escapement", font.lfEscapement);
  whole("orientation", font.lfOrientation);
  whole("weight", font.lfWeight);
  byte("italic", font.lfItalic);
  byte("underline", font.lfUnderline);
  byte("strikeOut", font.lfStrikeOut);
  byte("charSet", font.lfCharSet);
  byte("outPrecision", font.lfOutPrecision);
  byte("clipPrecision", font.lfClipPrecision);
  byte("quality", font.lfQuality);
  byte("pitchAndFamily", font.lfPitchAndFamily);
  if (v.contains("face") && !SetFaceName(font, Text(v["face"], where, key + ".face"))) {
    Fail(where, key + ".face", "face names have at most 31 characters");
  }
  o.SetFont(font);
}


// One attribute of the table, read the way its type says and kept to its range.
Setter AttributeSetter(const ObjectAttribute& a) {
  return [&a](CDrawObject& o, const json& v, const std::string& w, const std::string& k) {
    switch (a.type) {
      case AttributeType::kInt:
        a.SetInt(o, IntIn(v, w, k, static_cast<int>(a.min), static_cast<int>(a.max)));
        break;
      case AttributeType::kFlag:
        a.SetInt(o, Flag(v, w, k));
        break;
      case AttributeType::kDouble: {
        const double d = Number(v, w, k);
        if (a.HasRange() && !(d >= a.min && d < a.max)) {
          Fail(w, k, "must be from " + std::to_string(static_cast<long>(a.min)) + " to below " +
                         std::to_string(static_cast<long>(a.max)));
        }
        a.Double(o) = d;
        break;
      }
      case AttributeType::kColour:
        a.Colour(o) = Colour(v, w, k);
        break;
      case AttributeType::kText:
        a.SetText(o, Text(v, w, k));
        break;
      case AttributeType::kFont:
        SetFontFields(o, v, w, k);
        break;
    }
  };
}

const std::map<std::string, Setter>& FieldSetters() {
  static const std::map<std::string, Setter> setters = [] {
    std::map<std::string, Setter> made;
    for (const ObjectAttribute& a : ObjectAttributes()) {
      if (a.Carries(kSceneField)) made.emplace(a.key, AttributeSetter(a));
    }
    return made;
  }();
  return setters;
}

// Creates the object its "shape" names; returns the keys the creation consumed.
std::vector<std::string> CreateShape(CDrawObject& o, const json& entry, const std::string& where,
                                     const std::filesystem::path& base_folder) {
  if (!entry.contains("shape")) Fail(where, "shape", "missing");
  const std::string shape = Text(entry["shape"], where, "shape");
  auto need = [&](const char* key) -> const json& {
    if (!entry.contains(key)) Fail(where, key, "missing for shape \"" + shape + "\"");
    return entry[key];
  };
  auto closed = [&](bool fallback) {
    return entry.contains("closed") ? Flag(entry["closed"], where, "closed") != 0 : fallback;
  };
  int ok = 0;
  if (shape == "rectangle" || shape == "circle") {
    const Rect r = RectOf(need("rect"), where, "rect");
    ok = shape == "rectangle" ? o.CreateRectangle(r.left, r.top, r.right, r.bottom)
                              : o.CreateCircle(r.left, r.top, r.right, r.bottom);
    if (!ok) Fail(where, "", "could not be created");
    return {"shape", "rect"};
  }
  if (shape == "roundRect") {
    const Rect r = RectOf(need("rect"), where, "rect");
    const int corner = entry.contains("corner") ? IntIn(entry["corner"], where, "corner", 0, 1024) : 100;
    ok = o.CreateRoundRect(r.left, r.top, r.right, r.bottom, corner);
    if (!ok) Fail(where, "", "could not be created");
    return {"shape", "rect", "corner"};
  }
  if (shape == "star") {
    const Rect r = RectOf(need("rect"), where, "rect");
    const int points = entry.contains("points") ? IntIn(entry["points"], where, "points", 3, 100) : 5;
    const int inner = entry.contains("inner") ? IntIn(entry["inner"], where, "inner", 0, 100) : 2;
    ok = o.CreateStar(r.left, r.top, r.right, r.bottom, points, inner);
    if (!ok) Fail(where, "", "could not be created");
    return {"shape", "rect", "points", "inner"};
  }
  if (shape == "path" || shape == "freePath") {
    const auto points = PointsOf(need("points"), where, "points");
    ok = shape == "path" ? o.CreatePath(points, closed(true)) : o.CreateFreePath(points, closed(false));
    if (!ok) Fail(where, "points", "do not make an outline (too few points or an empty box)");
    return {"shape", "points", "closed"};
  }
  if (shape == "arrow") {
    const auto points = PointsOf(need("points"), where, "points");
    if (points.size() != 3) Fail(where, "points", "an arrow takes three points: tip, second, third");
    ok = o.CreateArrow(points[0], points[1], points[2]);
    if (!ok) Fail(where, "points", "do not make an arrow (its box is empty)");
    o.SetKindName("Arrow");
    return {"shape", "points"};
  }
  if (shape == "text") {
    const auto at = PointsOf(json::array({need("at")}), where, "at");
    const std::string text = Text(need("text"), where, "text");
    if (text.empty()) Fail(where, "text", "must not be empty");
    TextDialogValues wanted;
    wanted.text = text;
    if (entry.contains("font")) {
      const std::string face = Text(entry["font"], where, "font");
      if (!SetFaceName(wanted.font, face)) Fail(where, "font", "face names have at most 31 characters");
    }
    wanted.size = entry.contains("lineHeight") ? Number(entry["lineHeight"], where, "lineHeight") : 20.0;
    if (!(wanted.size >= 1 && wanted.size < 4000)) Fail(where, "lineHeight", "must be from 1 to below 4000");
    wanted.bold = entry.contains("textBold") && Flag(entry["textBold"], where, "textBold");
    wanted.italic = entry.contains("textItalic") && Flag(entry["textItalic"], where, "textItalic");
    wanted.alignment = entry.contains("textAlign") ? IntIn(entry["textAlign"], where, "textAlign", 0, 2) : 0;
    // The text is made as the text tool makes it, with the dialog answered from the scene.
    ScriptedTextDialog dialog;
    dialog.Ok([&](TextDialogValues& v) {
      const bool keep_face = !entry.contains("font");
      const LOGFONT face = v.font;
      v = wanted;
      if (keep_face) v.font = face;
    });
    if (!o.CreateText(at[0].x, at[0].y, text, dialog)) Fail(where, "text", "could not be made (is the font installed?)");
    return {"shape", "at", "text", "font", "lineHeight", "textBold", "textItalic", "textAlign"};
  }
  if (shape == "outline" || shape == "polynome") {
    // A shape given by its stored geometry (as `info --json` writes edited shapes): the
    // box is taken as given, so the final render at that size changes nothing else.
    o.SetKind(shape == "outline" ? kKindShape : kKindPolynome);
    if (entry.contains("outline")) o.Outline() = OutlineOf(entry["outline"], where);
    if (entry.contains("polynome")) o.Polynome() = PolynomeOf(entry["polynome"], where);
    if (shape == "outline" && o.Outline().Count() == 0) Fail(where, "outline", "missing for shape \"outline\"");
    if (shape == "polynome" && o.Polynome().Count() == 0) Fail(where, "polynome", "missing for shape \"polynome\"");
    o.SetWidth(IntIn(need("width"), where, "width", 1, kMaxObjectWidth));
    o.SetHeight(IntIn(need("height"), where, "height", 1, kMaxObjectHeight));
    return {"shape", "outline", "polynome"};
  }
  if (shape == "bitmap") return CreateBitmapShape(o, entry, where, base_folder);
  Fail(where, "shape", "unknown shape \"" + shape + "\"");
}

void ApplyOps(CDrawObject& o, const json& ops, const std::string& where) {
  if (!ops.is_array()) Fail(where, "ops", "expected a list of operations");
  for (const json& op : ops) {
    if (!op.is_object() || op.size() != 1) Fail(where, "ops", "each operation is one {\"name\": value}");
    const auto it = op.begin();
    const std::string name = it.key();
    const json& value = it.value();
    const std::string key = "ops." + name;
    if (name == "rotate") {
      o.Rotate(Number(value, where, key), true);
    } else if (name == "flip") {
      const std::string axis = Text(value, where, key);
      if (axis != "horizontal" && axis != "vertical") Fail(where, key, "expected \"horizontal\" or \"vertical\"");
      o.Flip(axis == "vertical");
    } else if (name == "skew") {
      const Rect s = RectOf(value, where, key);
      o.Skew(s.left, s.top, s.right, s.bottom);
    } else if (name == "convert") {
      const std::string to = Text(value, where, key);
      int done = 0;
      if (to == "polynome") {
        done = o.ConvertToPolynome();
      } else if (to == "envelope") {
        done = o.ConvertPolynomeToEnvelope(true);
      } else if (to == "bitmap") {
        done = o.ConvertToBitmap();
      } else {
        Fail(where, key, "expected \"polynome\", \"envelope\" or \"bitmap\"");
      }
      if (!done) Fail(where, key, "this object cannot be converted to " + to);
    } else if (name == "states") {
      ApplyStates(o, value, where);
    } else {
      Fail(where, key, "unknown operation");
    }
  }
}

// Far beyond any canvas; the record stores plain ints.
constexpr int kMaxPendingCoordinate = 1 << 24;

std::unique_ptr<CDrawObject> BuildObject(const json& entry, std::size_t index, Host& host,
                                         const std::filesystem::path& base_folder,
                                         const Settings* settings, const RenderContext* context) {
  const std::string where = ObjectWhere(index);
  if (!entry.is_object()) Fail(where, "", "expected an object");
  auto o = std::make_unique<CDrawObject>(host, settings);
  o->SetRenderContext(context);
  const auto consumed = CreateShape(*o, entry, where, base_folder);
  const auto& setters = FieldSetters();
  std::optional<int> width, height;
  // Choosing a texture resets its scale, angles and offsets, so the name is set before
  // the keys that adjust them, whatever their order in the file.
  if (entry.contains("textureName")) setters.at("textureName")(*o, entry["textureName"], where, "textureName");
  for (const auto& [key, value] : entry.items()) {
    if (std::find(consumed.begin(), consumed.end(), key) != consumed.end() || key == "ops" ||
        key == "textureName") {
      continue;
    }
    if (key == "width") {
      width = IntIn(value, where, key, 1, kMaxObjectWidth);
    } else if (key == "height") {
      height = IntIn(value, where, key, 1, kMaxObjectHeight);
    } else if (key == "pendingRect") {
      // x, y, width and height of the last resize, as the record keeps them.
      if (!value.is_array() || value.size() != 4) Fail(where, key, "expected [x, y, width, height]");
      o->SetStoredPendingRect(IntIn(value[0], where, key, -kMaxPendingCoordinate, kMaxPendingCoordinate),
                              IntIn(value[1], where, key, -kMaxPendingCoordinate, kMaxPendingCoordinate),
                              IntIn(value[2], where, key, 0, kMaxPendingCoordinate),
                              IntIn(value[3], where, key, 0, kMaxPendingCoordinate));
    } else if (key == "id") {
      const std::string id = Text(value, where, key);
      if (id.empty()) Fail(where, key, "must not be empty");
      o->SetId(id);
    } else if (auto it = setters.find(key); it != setters.end()) {
      it->second(*o, value, where, key);
    } else {
      Fail(where, key, "unknown key");
    }
  }
  if (entry.contains("ops")) ApplyOps(*o, entry["ops"], where);
  // One render with every attribute in place (SetSize renders).
  o->SetSize(width.value_or(o->GetWidth()), height.value_or(o->GetHeight()));
  return o;
}

}  // namespace scene_detail

using namespace scene_detail;

bool IsSceneField(const std::string& key) { return FieldSetters().count(key) != 0; }

std::optional<COLORREF> ParseHexColour(const std::string& text) {
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  unsigned value = 0;
  for (std::size_t i = 1; i < 7; ++i) {
    const char c = text[i];
    int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) return std::nullopt;
    value = value << 4 | static_cast<unsigned>(digit);
  }
  return RGB(static_cast<int>(value >> 16), static_cast<int>(value >> 8 & 255), static_cast<int>(value & 255));
}

Scene BuildScene(const json& root, Host& host, const Settings* settings,
                 const std::filesystem::path& base_folder, const RenderContext* context) {
  if (!root.is_object()) Fail("scene", "", "expected a JSON object");
  Scene scene;
  for (const auto& [key, value] : root.items()) {
    if (key != "canvas" && key != "objects" && key != "groups" && key != "crop") Fail("scene", key, "unknown key");
  }
  if (root.contains("canvas")) {
    const json& c = root["canvas"];
    if (!c.is_object()) Fail("canvas", "", "expected an object");
    for (const auto& [key, value] : c.items()) {
      if (key == "width") scene.width = IntIn(value, "canvas", key, 1, kMaxCanvasSide);
      else if (key == "height") scene.height = IntIn(value, "canvas", key, 1, kMaxCanvasSide);
      else if (key == "color") scene.colour = Colour(value, "canvas", key);
      else if (key == "portable") scene.portable = Flag(value, "canvas", key) != 0;
      else Fail("canvas", key, "unknown key");
    }
  }
  if (root.contains("objects")) {
    const json& list = root["objects"];
    if (!list.is_array()) Fail("scene", "objects", "expected a list");
    // Objects are built side by side; the font engine serves one text at a time.
    static std::mutex font_mutex;
    std::vector<std::unique_ptr<CDrawObject>> built(list.size());
    RunInOrder(list.size(), host, [&](std::size_t i, Host& task_host) {
      const json& entry = list[i];
      const bool text = entry.is_object() && entry.contains("shape") && entry["shape"] == "text";
      std::unique_lock<std::mutex> font_lock(font_mutex, std::defer_lock);
      if (text) font_lock.lock();
      built[i] = BuildObject(entry, i, task_host, base_folder, settings, context);
      built[i]->SetHost(host);
    }, [&](std::size_t i) {
      // Noise and colour genes draw from the shared generator, texture images come from
      // the bank; looks may bring any of them. Whatever this misses waits all the same.
      const json& entry = list[i];
      if (!entry.is_object()) return false;
      auto has = [&](const char* key, int value) {
        return entry.contains(key) && entry[key].is_number_integer() && entry[key].get<int>() == value;
      };
      return has("bevelKind", kRandomNoiseBevel) || (entry.contains("geneSeed") && !has("geneSeed", 0)) ||
             entry.contains("textureName") || entry.contains("transparencyName") || entry.contains("states");
    });
    for (auto& object : built) scene.objects.push_back(std::move(object));
  }
  if (root.contains("groups")) {
    const json& groups = root["groups"];
    if (!groups.is_array()) Fail("scene", "groups", "expected a list of index lists");
    const int last = static_cast<int>(scene.objects.size()) - 1;
    for (const json& g : groups) {
      if (!g.is_array() || g.empty()) Fail("scene", "groups", "expected a list of index lists");
      std::vector<int> members;
      for (const json& m : g) members.push_back(IntIn(m, "scene", "groups", 0, std::max(last, 0)));
      if (last < 0) Fail("scene", "groups", "there are no objects to group");
      scene.groups.push_back(std::move(members));
    }
  }
  if (root.contains("crop")) {
    Rect r = RectOf(root["crop"], "scene", "crop");
    if (r.IsEmpty()) Fail("scene", "crop", "must have a positive width and height");
    scene.crop = r;
  }
  return scene;
}

Scene ReadSceneFile(const std::filesystem::path& path, Host& host, const Settings* settings,
                    const RenderContext* context) {
  const std::vector<std::uint8_t> bytes = ReadWholeFile(path, kMaxSceneFileSize);
  json root = json::parse(bytes.begin(), bytes.end(), nullptr, /*allow_exceptions=*/false);
  if (root.is_discarded()) throw SceneError(path.string() + ": not valid JSON");
  return BuildScene(root, host, settings, path.parent_path(), context);
}

}  // namespace lumi
