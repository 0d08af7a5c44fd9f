#pragma once
// A drawing described in JSON (the command line's scene format, docs/scene-format.md):
// a canvas and a list of objects made by their creation operations and then given their
// attributes by field name.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "base/colour.h"
#include "base/errors.h"
#include "base/geometry.h"
#include "objects/draw_object.h"

namespace lumi {

class Host;
class Settings;

// A scene that cannot be built: the message names the object index and the key.
class SceneError : public Error {
 public:
  using Error::Error;
};

struct Scene {
  int width = 400;
  int height = 300;
  COLORREF colour = 0xFFFFFF;
  bool portable = false;
  std::vector<std::unique_ptr<CDrawObject>> objects;
  std::vector<std::vector<int>> groups;  // object indexes
  std::optional<Rect> crop;              // an active export crop region
};

// Builds every object (each renders once). Throws SceneError for an unknown key, a wrong
// type or a value out of range, and nlohmann's parse errors are turned into SceneError
// by ReadSceneFile.
// Relative bitmap file names are taken from `base_folder` (ReadSceneFile: the scene's folder).
// The objects render with `context` (render_context.h), the one of the document they are
// meant for.
Scene BuildScene(const nlohmann::json& scene, Host& host, const Settings* settings,
                 const std::filesystem::path& base_folder = {},
                 const RenderContext* context = nullptr);
Scene ReadSceneFile(const std::filesystem::path& path, Host& host, const Settings* settings,
                    const RenderContext* context = nullptr);

// Whether `key` is an attribute field a scene object (or one of its looks) may set.
bool IsSceneField(const std::string& key);

// "#RRGGBB" to a COLORREF; nothing for any other form.
std::optional<COLORREF> ParseHexColour(const std::string& text);

}  // namespace lumi
