#include "render/ramp_projector.h"

#include <cstdlib>

namespace lumi {

RampProjector::RampProjector(int width, int height, std::int64_t offset, int len)
    : width_(width), height_(height), half_len_(len / 2) {
  for (int a = -kSpan; a <= kSpan; ++a) cosines_[a + kSpan] = TurnCosine(offset + a);
  const int rows = std::max(height - height / 2, height / 2 + 1);
  angles_.resize(static_cast<std::size_t>(rows) * width);
  distances_.resize(static_cast<std::size_t>(rows) * width);
  filled_.assign(static_cast<std::size_t>(rows), 0);
}

void RampProjector::Row(int i, int* out) {
  const int dy = i - height_ / 2;
  const int rank = std::abs(dy);
  std::int16_t* angles = angles_.data() + static_cast<std::size_t>(rank) * width_;
  std::int32_t* distances = distances_.data() + static_cast<std::size_t>(rank) * width_;
  if (!filled_[static_cast<std::size_t>(rank)]) {
    // The row above the centre (dy >= 0); the row below mirrors it.
    for (int j = 0; j < width_; ++j) {
      angles[j] = static_cast<std::int16_t>(PixelAngle(j, height_ / 2 + rank, width_, height_));
      distances[j] = Dist(j, height_ / 2 + rank, width_, height_);
    }
    filled_[static_cast<std::size_t>(rank)] = 1;
  }
  const double* cosines = cosines_.data() + kSpan;
  if (dy >= 0) {
    for (int j = 0; j < width_; ++j) out[j] = static_cast<int>(cosines[angles[j]] * distances[j] + half_len_);
  } else {
    for (int j = 0; j < width_; ++j) out[j] = static_cast<int>(cosines[-angles[j]] * distances[j] + half_len_);
  }
}

}  // namespace lumi
