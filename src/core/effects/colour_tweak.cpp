#include "effects/colour_tweak.h"

#include <algorithm>

#include "base/runtime_random.h"

namespace lumi {

PreviewSize ColourTweakPreviewSize(int width, int height, int frameWidth, int frameHeight) {
  if (width < frameWidth && height < frameHeight) return {width, height};
  if (frameWidth <= 0 || frameHeight <= 0) return {std::max(width, 1), std::max(height, 1)};
  const double divisor = std::max(static_cast<double>(width) / frameWidth,
                                  static_cast<double>(height) / frameHeight);
  return {std::max(1, static_cast<int>(width / divisor)),
          std::max(1, static_cast<int>(height / divisor))};
}

std::array<int, 8> RandomSliderValues() {
  std::array<int, 8> values{};
  for (int& v : values) {
    const int r = static_cast<int>(Rand() / 32767.0 * 255 + 0.5);
    v = std::clamp(r, 0, 255);
  }
  return values;
}

COLORREF ShiftColour(COLORREF fill, COLORREF from, COLORREF towards) {
  const auto channel = [](int f, int a, int b) { return std::clamp(f + b - a, 0, 255); };
  return RGB(channel(GetRValue(fill), GetRValue(from), GetRValue(towards)),
             channel(GetGValue(fill), GetGValue(from), GetGValue(towards)),
             channel(GetBValue(fill), GetBValue(from), GetBValue(towards)));
}

}  // namespace lumi
