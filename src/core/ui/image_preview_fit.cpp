#include "ui/image_preview_fit.h"

#include <algorithm>

namespace lumi {

Rect PreviewPlacement(const Rect& inset, int width, int height) {
  const int pw = inset.Width(), ph = inset.Height();
  if (width <= 0 || height <= 0 || pw <= 0 || ph <= 0) return {};
  int w = width, h = height;
  if (!(width < pw && height < ph)) {
    const double l = std::max(static_cast<double>(width) / pw, static_cast<double>(height) / ph);
    w = std::max(1, static_cast<int>(width / l));
    h = std::max(1, static_cast<int>(height / l));
  }
  const int x = std::max(inset.left, pw / 2 - w / 2);
  const int y = std::max(inset.top, ph / 2 - h / 2);
  return {x, y, x + w, y + h};
}

}  // namespace lumi
