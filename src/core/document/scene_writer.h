#pragma once
// A project written as a JSON scene (docs/scene-format.md): what `lumiverdant-cli info`
// shows, and what `build` turns back into the same project.
#include <nlohmann/json.hpp>

namespace lumi {

class CPlenivorDoc;

// How strictly a project is written as a scene.
enum class SceneDetail {
  // What `build` turns back into the same project. Throws SceneError, naming the object,
  // for what a scene cannot carry yet (a look that differs in its outline or position,
  // colours with a high byte, fields no scene key sets).
  kExact,
  // For reading only, never refused: a look shows every field in which it differs, a
  // colour that "#RRGGBB" cannot hold shows as "0xAABBGGRR", and an object a scene
  // cannot carry gets a "note" saying what.
  kReadable,
};

// The canvas, every object with every stored field (shapes as their stored outline,
// polynomes and texts as their stored figures, so edited shapes come back exactly), the
// groups by object index and the active crop region. Keys keep a readable order. Group
// members the project does not hold are left out, as the document ignores them.
nlohmann::ordered_json SceneOfDocument(const CPlenivorDoc& doc,
                                       SceneDetail detail = SceneDetail::kExact);

}  // namespace lumi
