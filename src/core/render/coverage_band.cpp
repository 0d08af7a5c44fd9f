#include "render/coverage_band.h"

#include <algorithm>

namespace lumi {

CoverageBand::CoverageBand(const MaskTarget& target) : target_(target) {
  factor_ = std::clamp(target.factor, 1, 11);
  const bool usable = target.pixels != nullptr && target.width > 0 && target.height > 0;
  work_width_ = usable ? target.width * factor_ : 0;
  work_height_ = usable ? target.height * factor_ : 0;
  if (!usable) return;
  partial_.assign(static_cast<std::size_t>(target.width) + 1, 0);
  full_.assign(static_cast<std::size_t>(target.width) + 1, 0);
  const int block = factor_ * factor_;
  average_.resize(static_cast<std::size_t>(block) + 1);
  for (int count = 0; count <= block; ++count)
    average_[count] = static_cast<std::uint8_t>(count * 255 / block);
}

void CoverageBand::EndRow() {
  if (row_ >= work_height_) return;
  ++row_;
  if (++rows_in_band_ == factor_) FlushMaskRow();
}

void CoverageBand::Finish() {
  while (row_ < work_height_) EndRow();
}

void CoverageBand::FlushMaskRow() {
  std::uint8_t* out = target_.pixels + static_cast<std::size_t>(mask_row_) * target_.width;
  std::int32_t* partial = partial_.data();
  std::int32_t* full = full_.data();
  const std::uint8_t* average = average_.data();
  std::int32_t running = 0;
  for (int c = 0; c < target_.width; ++c) {
    running += full[c];
    out[c] = average[partial[c] + running];
    partial[c] = 0;
    full[c] = 0;
  }
  partial[target_.width] = 0;
  full[target_.width] = 0;
  rows_in_band_ = 0;
  ++mask_row_;
}

}  // namespace lumi
