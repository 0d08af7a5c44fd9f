#pragma once
// The position of every pixel along a linear ramp: Project(o + PixelAngle(j, i),
// Dist(j, i), len), bit for bit. Two things make it cheaper than per-pixel calls:
// PixelAngle takes only the 1025 values -512..512, so the cosines are computed once
// per ramp; and rows mirrored about the centre row have opposite angles and equal
// distances (atan2 is odd in its first argument), so each pair costs one atan2 and one
// square root per pixel.
#include <array>
#include <cstdint>
#include <vector>

#include "render/fill_math.h"

namespace lumi {

class RampProjector {
 public:
  RampProjector(int width, int height, std::int64_t offset, int len);

  // The ramp positions of memory row i (row 0 at the bottom) into out[0 .. width).
  void Row(int i, int* out);

 private:
  static constexpr int kSpan = 513;  // atan2 stays within +-pi, so +-512 after scaling
  std::array<double, 2 * kSpan + 1> cosines_{};
  int width_, height_, half_len_;
  // Angle and distance of the pixels |i - height div 2| rows from the centre row, filled
  // when a row at that distance is first asked for.
  std::vector<std::int16_t> angles_;
  std::vector<std::int32_t> distances_;
  std::vector<std::uint8_t> filled_;
};

// o of the linear gradient and the linear transparency: the ramp direction in 1/1024
// turns for an angle in degrees.
inline std::int64_t RampOffset(int angle_degrees) {
  return TruncToInt64((360.0 - angle_degrees) * 2.844444444444444);
}

}  // namespace lumi
