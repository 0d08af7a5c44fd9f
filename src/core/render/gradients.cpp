#include "render/gradients.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "render/fill_math.h"
#include "render/ramp_projector.h"

namespace lumi {

namespace {

// Lerp(x; 0 -> span; byte -> target) for every byte at once: the slope only depends on
// target - byte, so the 511 possible slopes are divided out once per image.
class ByteLerp {
 public:
  explicit ByteLerp(std::int64_t span) : span_(span) {
    if (span == 0) return;
    for (int d = -255; d <= 255; ++d) slopes_[d + 255] = static_cast<double>(d) / static_cast<double>(span);
  }
  std::uint8_t operator()(std::int64_t x, int byte, int target) const {
    if (span_ == 0) return static_cast<std::uint8_t>(ClampByte(target));
    const int v = TruncToInt(slopes_[target - byte + 255] * static_cast<double>(x) + byte);
    return static_cast<std::uint8_t>(ClampByte(v));
  }

 private:
  std::int64_t span_;
  std::array<double, 511> slopes_{};
};

}  // namespace

void LinearGradient(CDIBSection& image, int angle, int strength, COLORREF colour2) {
  if (image.IsEmpty() || image.Bits() != 32) return;
  const int w = image.Width(), h = image.Height();
  const double theta = angle * 3.1415926535 / 180;
  const int len = std::abs(TruncToInt(std::sin(theta) * h)) + std::abs(TruncToInt(std::cos(theta) * w));
  const double s = strength * 0.0078125;
  RampProjector ramp(w, h, RampOffset(angle), len);
  std::vector<int> positions(static_cast<std::size_t>(w));
  const ByteLerp lerp(len);
  const ColourBytes c2 = ImageBytes(colour2);
  for (int i = 0; i < h; ++i) {
    std::uint8_t* p = image.Row(h - 1 - i);
    ramp.Row(i, positions.data());
    for (int j = 0; j < w; ++j, p += 4) {
      const std::int64_t c = TruncToInt64(positions[static_cast<std::size_t>(j)] * s);
      p[0] = lerp(c, p[0], c2.b);
      p[1] = lerp(c, p[1], c2.g);
      p[2] = lerp(c, p[2], c2.r);
    }
  }
}

void RadialGradient(CDIBSection& image, int strength, COLORREF colour2) {
  if (image.IsEmpty() || image.Bits() != 32) return;
  const int w = image.Width(), h = image.Height();
  const std::int64_t hh = h / 2, hw = w / 2;
  const std::int64_t c = hh * hw * strength / 128;
  // The column term of the ellipse equation, once per column.
  std::vector<std::int64_t> column_term(static_cast<std::size_t>(w));
  for (int j = 0; j < w; ++j) {
    const std::int64_t dj = j - hw;
    column_term[static_cast<std::size_t>(j)] = hw != 0 ? hh * dj * dj / hw : 0;
  }
  const ByteLerp lerp(c);
  const ColourBytes c2 = ImageBytes(colour2);
  for (int i = 0; i < h; ++i) {
    const std::int64_t g = i - hh;
    const std::int64_t row_term = hh != 0 ? hw * g * g / hh : 0;
    std::uint8_t* p = image.Row(h - 1 - i);
    for (int j = 0; j < w; ++j, p += 4) {
      std::int64_t v = row_term + column_term[static_cast<std::size_t>(j)];
      v = std::max<std::int64_t>(std::min(v, c), 0);
      p[0] = lerp(v, p[0], c2.b);
      p[1] = lerp(v, p[1], c2.g);
      p[2] = lerp(v, p[2], c2.r);
    }
  }
}

}  // namespace lumi
