#include "render/canvas_composition.h"

#include <string>

#include "base/host.h"
#include "objects/draw_object.h"
#include "base/parallel_render.h"

namespace lumi {

void ShowCompositionProgress(Host& host, std::size_t index, std::size_t count) {
  const int percent = static_cast<int>(static_cast<double>(index + 1) / count * 100);
  host.StatusText(0, "Working: " + std::to_string(percent) + "%");
}

CDIBSection ComposeCanvas(const CanvasArea& canvas,
                          const std::vector<std::unique_ptr<CDrawObject>>& objects, Host& host) {
  const Rect area = ComposedArea(canvas);
  CDIBSection image;
  image.Create(area.Width(), area.Height(), 32, true);
  image.FillRGBA(canvas.colour);
  // Bands of rows are composed side by side, each with every object in list order.
  const std::size_t count = objects.size();
  ParallelRows(image.Height(), 64, [&](int first, int last) {
    for (const auto& object : objects) object->DrawRowsTo(image, {area.left, area.top}, first, last);
  });
  for (std::size_t i = 0; i < count; ++i) ShowCompositionProgress(host, i, count);
  return image;
}

}  // namespace lumi
