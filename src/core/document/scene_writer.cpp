#include "document/scene_writer.h"

#include <cstdio>
#include <exception>
#include <map>
#include <vector>

#include "document/plenivor_doc.h"
#include "document/scene.h"
#include "base/archive.h"
#include "base/base64.h"
#include "base/byte_stream.h"
#include "base/deflate.h"
#include "base/host.h"
#include "base/parallel_render.h"
#include "objects/object_attributes.h"
#include "objects/text_dialog.h"

namespace lumi {

using nlohmann::ordered_json;

namespace {

std::string HexColour(COLORREF c, const std::string& where, const char* key, bool readable) {
  if (c >> 24) {
    if (!readable) throw SceneError(where + ": \"" + key + "\": this colour cannot be written as \"#RRGGBB\"");
    char stored[16];
    std::snprintf(stored, sizeof stored, "0x%08X", static_cast<unsigned>(c));
    return stored;
  }
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return text;
}

ordered_json OutlineJson(const CBezier& outline) {
  ordered_json nodes = ordered_json::array();
  for (const CBezierNode& n : outline.Nodes()) {
    nodes.push_back(n.type == 0 ? ordered_json::array({n.x, n.y}) : ordered_json::array({n.x, n.y, n.type}));
  }
  return {{"closed", outline.IsClosed() ? 1 : 0}, {"lineWidth", outline.LineWidth()}, {"nodes", nodes}};
}

ordered_json PolynomeJson(const CPolynome& polynome) {
  ordered_json nodes = ordered_json::array();
  for (const CPolynomeNode& n : polynome.Nodes()) nodes.push_back({n.x, n.y, int{n.type}});
  ordered_json envelope = ordered_json::array();
  for (double v : polynome.GetEnvelope()) envelope.push_back(v);
  return {{"open", polynome.IsOpen() ? 1 : 0},
          {"lineWidth", polynome.LineWidth()},
          {"nodes", nodes},
          {"envelope", envelope},
          {"envelopeOn", polynome.IsEnvelopeOn() ? 1 : 0}};
}

ordered_json FontJson(const LOGFONT& f) {
  return {{"face", FaceName(f)},
          {"height", f.lfHeight},
          {"width", f.lfWidth},
          {"escapement", f.lfEscapement},
          {"orientation", f.lfOrientation},
          {"weight", f.lfWeight},
          {"italic", f.lfItalic},
          {"underline", f.lfUnderline},
          {"strikeOut", f.lfStrikeOut},
          {"charSet", f.lfCharSet},
          {"outPrecision", f.lfOutPrecision},
          {"clipPrecision", f.lfClipPrecision},
          {"quality", f.lfQuality},
          {"pitchAndFamily", f.lfPitchAndFamily}};
}

// Stored fields no scene key sets: they must hold the value every scene object has.
// Returns what a scene cannot carry (empty when it can carry everything); throws
// SceneError unless `readable`.
std::string CheckSceneExpressible(const CDrawObject& o, const std::string& where, bool readable) {
  std::string notes;
  auto refuse = [&](const std::string& what) {
    if (!readable) throw SceneError(where + ": " + what + " cannot be written as a scene yet");
    notes += (notes.empty() ? "" : "; ") + what + " cannot be written as a scene yet";
  };
  if (!o.IsShape() && !o.IsPolynome() && !o.IsBitmap()) refuse("empty objects");
  if (!o.IsBitmap() && (!o.SourceBitmap().IsEmpty() || o.GetSourceWidth() || o.GetSourceHeight() ||
                        o.GetBitmapAngle())) {
    refuse("bitmap data outside a bitmap object");
  }
  if (o.HasPendingRect()) refuse("a move or resize in progress");
  if (o.GetCurrentState() != 0) refuse("an object showing a button look other than the normal one");
  // (The stored raster flag is left out: every render sets it again.)
  if (o.GetTextReserved()) refuse("a reserved text field with a value");
  return notes;
}

// The stored bitmap record, compressed, as the scene reader's "source" takes it.
ordered_json SourceJson(const CDrawObject& o) {
  MemorySink sink;
  CArchive ar(sink);
  SilentHost quiet;
  CDIBSection source = o.SourceBitmap();  // Serialize is one call for both directions
  source.Serialize(ar, quiet);
  return {{"zlib", EncodeBase64(DeflateBytes(sink.Bytes()))}};
}

// The scene fields of the attribute table, those written with the place or the others.
void WriteAttributes(ordered_json& j, const CDrawObject& o, const std::string& where, bool place,
                     bool readable) {
  for (const ObjectAttribute& a : ObjectAttributes()) {
    if (!a.Carries(kSceneField) || a.Carries(kScenePlace) != place) continue;
    switch (a.type) {
      case AttributeType::kInt:
      case AttributeType::kFlag:
        j[a.key] = a.Int(o);
        break;
      case AttributeType::kDouble:
        j[a.key] = a.Double(o);
        break;
      case AttributeType::kColour:
        j[a.key] = HexColour(a.Colour(o), where, a.key, readable);
        break;
      case AttributeType::kText:
        j[a.key] = a.Text(o);
        break;
      case AttributeType::kFont:
        j[a.key] = FontJson(a.Font(o));
        break;
    }
  }
}

ordered_json ObjectJson(const CDrawObject& o, std::size_t index, bool readable);

// A look as the fields that differ from the normal look, which is how the scene reader
// makes it again; a look that differs in anything a field cannot set is refused, unless
// the scene is only for reading.
ordered_json LookJson(const CDrawObject* look, const ordered_json& normal, const std::string& where,
                      const char* name, std::size_t index, bool readable) {
  if (!look) return true;  // the look is made when first shown: a copy of the object
  ordered_json fields = ordered_json::object();
  const ordered_json all = ObjectJson(*look, index, readable);
  for (const auto& [key, value] : all.items()) {
    if (key == "id" || (normal.contains(key) && normal[key] == value)) continue;
    if (!IsSceneField(key) && !readable) {
      throw SceneError(where + ": a " + name + " look that differs in \"" + key + "\" cannot be written as a scene yet");
    }
    fields[key] = value;
  }
  return fields;
}

ordered_json StatesJson(const CDrawObject& o, const ordered_json& normal, const std::string& where,
                        std::size_t index, bool readable) {
  ordered_json states;
  if (o.GetStatesSuppressed()) {
    if (o.GetHasHighlighted()) states["highlighted"] = true;
    if (o.GetHasPushed()) states["pushed"] = true;
    states["solo"] = 1;
    return states;
  }
  if (o.GetHasHighlighted()) states["highlighted"] = LookJson(o.HighlightedLook(), normal, where, "highlighted", index, readable);
  if (o.GetHasPushed()) states["pushed"] = LookJson(o.PushedLook(), normal, where, "pushed", index, readable);
  return states;
}

ordered_json ObjectJson(const CDrawObject& o, std::size_t index, bool readable) {
  const std::string where = "object " + std::to_string(index);
  const std::string notes = CheckSceneExpressible(o, where, readable);
  ordered_json j = ordered_json::object();
  // Room for every field at once: growing the field list would copy each field again,
  // keys being constant.
  j.get_ref<ordered_json::object_t&>().reserve(ObjectAttributes().size() + 16);
  if (!notes.empty()) j["note"] = notes;
  j["shape"] = o.IsShape() ? "outline" : o.IsBitmap() ? "bitmap" : "polynome";
  j["id"] = o.GetId();
  WriteAttributes(j, o, where, /*place=*/true, readable);
  j["width"] = o.GetWidth();
  j["height"] = o.GetHeight();
  // A shape may keep a polynome and a polynome its old outline: both are stored, so both
  // are written unless they are the untouched defaults.
  const ordered_json outline = OutlineJson(o.Outline());
  const ordered_json polynome = PolynomeJson(o.Polynome());
  if (o.IsShape() || outline != OutlineJson(CBezier())) j["outline"] = outline;
  if (o.IsPolynome() || polynome != PolynomeJson(CPolynome())) j["polynome"] = polynome;
  if (o.IsBitmap()) {
    j["source"] = SourceJson(o);
    j["sourceWidth"] = o.GetSourceWidth();
    j["sourceHeight"] = o.GetSourceHeight();
    j["bitmapAngle"] = o.GetBitmapAngle();
    j["sourcePath"] = o.GetSourcePath();
  }
  WriteAttributes(j, o, where, /*place=*/false, readable);
  // A resized object's record keeps the geometry of its last resize.
  if (const Rect pending = o.GetPendingRect(); !(pending == Rect{})) {
    j["pendingRect"] = {pending.left, pending.top, pending.right - pending.left, pending.bottom - pending.top};
  }
  if (o.GetHasHighlighted() || o.GetHasPushed() || o.GetStatesSuppressed()) {
    j["ops"] = ordered_json::array({{{"states", StatesJson(o, j, where, index, readable)}}});
  }
  return j;
}

}  // namespace

ordered_json SceneOfDocument(const CPlenivorDoc& doc, SceneDetail detail) {
  const bool readable = detail == SceneDetail::kReadable;
  ordered_json scene;
  scene["canvas"] = {{"width", doc.GetCanvasWidth()},
                     {"height", doc.GetCanvasHeight()},
                     {"color", HexColour(doc.GetCanvasColor(), "canvas", "color", readable)},
                     {"portable", doc.IsPortable()}};
  // The objects are written side by side; the first one that cannot be written fails the
  // whole scene, as writing them one by one would.
  const std::size_t count = doc.Objects().size();
  std::vector<ordered_json> written(count);
  std::vector<std::exception_ptr> errors(count);
  ParallelFor(count, [&](std::size_t i) {
    try {
      written[i] = ObjectJson(*doc.Objects()[i], i, readable);
    } catch (...) {
      errors[i] = std::current_exception();
    }
  });
  ordered_json objects = ordered_json::array();
  std::map<std::string, std::size_t> index_of;
  for (std::size_t i = 0; i < count; ++i) {
    if (errors[i]) std::rethrow_exception(errors[i]);
    objects.push_back(std::move(written[i]));
    index_of.emplace(doc.Objects()[i]->GetId(), i);
  }
  scene["objects"] = std::move(objects);
  if (!doc.Groups().empty()) {
    ordered_json groups = ordered_json::array();
    for (std::size_t g = 0; g < doc.Groups().size(); ++g) {
      ordered_json members = ordered_json::array();
      for (const std::string& id : doc.Groups()[g].m_members) {
        const auto it = index_of.find(id);
        if (it != index_of.end()) members.push_back(it->second);
      }
      if (!members.empty()) groups.push_back(std::move(members));
    }
    if (!groups.empty()) scene["groups"] = std::move(groups);
  }
  if (doc.IsCropActive()) {
    const Rect r = doc.GetCropRect();
    scene["crop"] = {r.left, r.top, r.right, r.bottom};
  }
  return scene;
}

}  // namespace lumi
