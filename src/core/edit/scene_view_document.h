#pragma once
// A scene (the command line's JSON drawing) seen as a document by the view, until the
// program's own document is shown there.
#include <utility>

#include "document/scene.h"
#include "edit/view_document.h"
#include "objects/draw_object.h"

namespace lumi {

class SceneViewDocument final : public ViewDocument {
 public:
  explicit SceneViewDocument(Scene scene) : scene_(std::move(scene)) {}

  int CanvasWidth() const override { return scene_.width; }
  int CanvasHeight() const override { return scene_.height; }
  COLORREF CanvasColour() const override { return scene_.colour; }
  int ObjectCount() const override { return static_cast<int>(scene_.objects.size()); }
  const CDrawObject& ObjectAt(int index) const override {
    return *scene_.objects[static_cast<std::size_t>(index)];
  }

  Scene& GetScene() { return scene_; }

 private:
  Scene scene_;
};

}  // namespace lumi
