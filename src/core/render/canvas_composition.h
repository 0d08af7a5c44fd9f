#pragma once
// The canvas (or the export crop region) composed into one flat image: the canvas colour
// under every visible object's effect layer and image, in list order.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "base/colour.h"
#include "base/geometry.h"
#include "image/dib_section.h"

namespace lumi {

class CDrawObject;
class Host;

struct CanvasArea {
  int width = 0;
  int height = 0;
  COLORREF colour = 0xFFFFFF;
  std::optional<Rect> crop;  // the active export crop region, if any
};

// What a composition covers: the crop region when active, else the whole canvas.
inline Rect ComposedArea(const CanvasArea& canvas) {
  return canvas.crop ? *canvas.crop : Rect{0, 0, canvas.width, canvas.height};
}

// Composes the area (the crop region when active, else the whole canvas) into a 32-bit
// bitmap with alpha 255. After each object the status pane 0 shows "Working: %d%%".
// PxBitmapToRGB turns the result into the RGB buffer the writers take.
// Status pane 0 after object `index` (from 0) of a list of `count` objects:
// "Working: %d%%" with trunc((index + 1) / count x 100).
void ShowCompositionProgress(Host& host, std::size_t index, std::size_t count);

CDIBSection ComposeCanvas(const CanvasArea& canvas,
                          const std::vector<std::unique_ptr<CDrawObject>>& objects, Host& host);

}  // namespace lumi
