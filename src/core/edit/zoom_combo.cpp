#include "edit/zoom_combo.h"

namespace lumi {
namespace {
constexpr std::array<int, 10> kPercents = {10, 30, 50, 80, 100, 200, 300, 400, 600, 800};
}

int ZoomEntryPercent(int index) {
  if (index < 0 || index >= static_cast<int>(kPercents.size())) return 100;
  return kPercents[static_cast<std::size_t>(index)];
}

int ZoomEntryForScale(float scale) {
  for (std::size_t i = 0; i < kPercents.size(); ++i)
    if (static_cast<float>(kPercents[i] * 0.01) == scale) return static_cast<int>(i);
  return kZoomEntryCustom;
}

}  // namespace lumi
