#pragma once
// A project written as a JSON scene (docs/scene-format.md): what `lumiverdant-cli info`
// shows, and what `build` turns back into the same project.
#include <nlohmann/json.hpp>

namespace lumi {

class CPlenivorDoc;

// The canvas, every object with every stored field (shapes as their stored outline,
// polynomes and texts as their stored figures, so edited shapes come back exactly), the
// groups by object index and the active crop region. Keys keep a readable order.
// Throws SceneError, naming the object, for what a scene cannot carry yet: bitmap
// objects, button looks, a group naming an object that is not in the project.
nlohmann::ordered_json SceneOfDocument(const CPlenivorDoc& doc);

}  // namespace lumi
