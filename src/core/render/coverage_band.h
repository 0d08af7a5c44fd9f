#pragma once
// Collects the covered spans of f consecutive work rows (one band) and turns them into one
// mask row: each mask pixel counts the covered work pixels of its f x f block, and becomes
// 255 * count / f^2, truncated, which is exactly the average of a white-on-black block.
// Memory is proportional to the mask width; the work surface is never held.
#include <cstdint>
#include <vector>

#include "render/rasterizer.h"

namespace lumi {

class CoverageBand {
 public:
  explicit CoverageBand(const MaskTarget& target);

  int WorkWidth() const { return work_width_; }
  int WorkHeight() const { return work_height_; }
  bool Valid() const { return work_width_ > 0 && work_height_ > 0; }

  // Marks work pixels x0 .. x1 - 1 of the current work row covered. Spans of one row must
  // not overlap; the caller merges them. Parts outside the surface are dropped.
  void AddSpan(int x0, int x1) {
    if (x0 < 0) x0 = 0;
    if (x1 > work_width_) x1 = work_width_;
    if (x0 >= x1) return;
    const int c0 = x0 / factor_;
    const int c1 = x1 / factor_;
    if (c0 == c1) {
      partial_[c0] += x1 - x0;
      return;
    }
    partial_[c0] += (c0 + 1) * factor_ - x0;
    full_[c0 + 1] += factor_;
    full_[c1] -= factor_;
    partial_[c1] += x1 - c1 * factor_;
  }

  // Ends the current work row; after every f-th row the finished mask row is written.
  void EndRow();

  // Ends rows until the whole work surface is done, writing the remaining mask rows.
  void Finish();

  // The work row that AddSpan currently adds to.
  int Row() const { return row_; }

 private:
  void FlushMaskRow();

  MaskTarget target_;
  int factor_;
  int work_width_;
  int work_height_;
  int row_ = 0;
  int rows_in_band_ = 0;
  int mask_row_ = 0;
  // Per mask column: counts added directly (span ends) and a difference array of whole
  // columns (span middles); one entry more than the width so a span may end at the edge.
  std::vector<std::int32_t> partial_;
  std::vector<std::int32_t> full_;
  std::vector<std::uint8_t> average_;  // count -> 255 * count / f^2
};

}  // namespace lumi
