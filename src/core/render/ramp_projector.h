#pragma once
// The position of every pixel along a linear ramp: Project(o + PixelAngle(j, i),
// Dist(j, i), len). PixelAngle only takes the 1025 values -512..512, so the cosines are
// computed once per ramp instead of once per pixel; the results are bit for bit those
// of Project.
#include <array>
#include <cstdint>

#include "render/fill_math.h"

namespace lumi {

class RampProjector {
 public:
  RampProjector(int width, int height, std::int64_t offset, int len)
      : width_(width), height_(height), half_len_(len / 2) {
    for (int a = -kSpan; a <= kSpan; ++a) cosines_[a + kSpan] = TurnCosine(offset + a);
  }

  // The ramp position of pixel (j, i), i counted in memory rows.
  int At(int j, int i) const {
    const int angle = PixelAngle(j, i, width_, height_);
    return static_cast<int>(cosines_[angle + kSpan] * Dist(j, i, width_, height_) + half_len_);
  }

 private:
  static constexpr int kSpan = 513;  // atan2 stays within +-pi, so +-512 after scaling
  std::array<double, 2 * kSpan + 1> cosines_{};
  int width_, height_, half_len_;
};

// o of the linear gradient and the linear transparency: the ramp direction in 1/1024
// turns for an angle in degrees.
inline std::int64_t RampOffset(int angle_degrees) {
  return TruncToInt64((360.0 - angle_degrees) * 2.844444444444444);
}

}  // namespace lumi
