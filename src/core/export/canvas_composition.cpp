#include "export/canvas_composition.h"

#include <string>

#include "base/host.h"
#include "objects/draw_object.h"

namespace lumi {

CDIBSection ComposeCanvas(const CanvasSpec& canvas,
                          const std::vector<std::unique_ptr<CDrawObject>>& objects, Host& host) {
  const Rect area = canvas.crop ? *canvas.crop : Rect{0, 0, canvas.width, canvas.height};
  CDIBSection image;
  image.Create(area.Width(), area.Height(), 32, true);
  image.FillRGBA(canvas.colour);
  const std::size_t count = objects.size();
  for (std::size_t i = 0; i < count; ++i) {
    objects[i]->DrawTo(image, {area.left, area.top});
    const int percent = static_cast<int>(static_cast<double>(i + 1) / count * 100);
    host.StatusText(0, "Working: " + std::to_string(percent) + "%");
  }
  return image;
}

std::vector<std::uint8_t> BitmapToRgb(const CDIBSection& bitmap) {
  if (bitmap.IsEmpty() || bitmap.Bits() != 32) return {};
  const int w = bitmap.Width(), h = bitmap.Height();
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* s = bitmap.Row(y);
    std::uint8_t* d = rgb.data() + static_cast<std::size_t>(y) * w * 3;
    for (int x = 0; x < w; ++x, s += 4, d += 3) {
      d[0] = s[2];
      d[1] = s[1];
      d[2] = s[0];
    }
  }
  return rgb;
}

}  // namespace lumi
