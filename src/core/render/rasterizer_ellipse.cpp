// The ellipse inscribed in a box, white inside a one-pixel black ring. Work pixel (X, Y)
// belongs to the ellipse when its centre does:
//   ((2X + 1 - (left + right)) / (right - left))^2 + ((2Y + 1 - (top + bottom)) / (bottom - top))^2 <= 1,
// evaluated exactly in integers. The ring is the ellipse's pixels that have a left, right,
// upper or lower neighbour outside it (what a one-pixel black pen paints over the edge);
// the remaining pixels are white.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "render/coverage_band.h"
#include "render/rasterizer.h"

namespace lumi {
namespace {

std::int64_t FloorDiv2(std::int64_t v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }

// The ellipse's pixels on one work row: the run first..last, empty when first > last.
struct EllipseRows {
  std::int64_t sum_x, sum_y, a, b;  // left + right, top + bottom, box width, box height

  void Row(int y, std::int64_t& first, std::int64_t& last) const {
    first = 1;
    last = 0;
    using Wide = __int128;  // a^2 b^2 needs more than 64 bits for boxes beyond 65536
    const Wide v = 2 * static_cast<Wide>(y) + 1 - sum_y;
    // u^2 b^2 <= a^2 b^2 - v^2 a^2, with u = 2X + 1 - sum_x.
    const Wide room = static_cast<Wide>(a) * a * (static_cast<Wide>(b) * b - v * v);
    if (room < 0) return;
    const Wide b2 = static_cast<Wide>(b) * b;
    Wide m = static_cast<Wide>(std::sqrt(static_cast<double>(room) / static_cast<double>(b2)));
    while (m > 0 && m * m * b2 > room) --m;
    while ((m + 1) * (m + 1) * b2 <= room) ++m;
    // -m <= 2X + 1 - sum_x <= m
    // m <= a, so these fit in 64 bits again.
    const std::int64_t mm = static_cast<std::int64_t>(m);
    first = -FloorDiv2(-(sum_x - 1 - mm));  // ceil((sum_x - 1 - m) / 2)
    last = FloorDiv2(sum_x - 1 + mm);
  }
};

}  // namespace

void FillEllipseWithBlackOutline(const Rect& box, const MaskTarget& target) {
  CoverageBand band(target);
  if (!band.Valid()) return;
  Rect r = box;
  r.Normalize();
  const int rows = band.WorkHeight();
  const std::int64_t box_width = static_cast<std::int64_t>(r.right) - r.left;
  const std::int64_t box_height = static_cast<std::int64_t>(r.bottom) - r.top;
  if (box_width <= 0 || box_height <= 0) {
    band.Finish();
    return;
  }
  const EllipseRows ellipse{static_cast<std::int64_t>(r.left) + r.right,
                            static_cast<std::int64_t>(r.top) + r.bottom, box_width, box_height};
  const int first_row = std::clamp(r.top, 0, rows);
  const int last_row = std::clamp(r.bottom, 0, rows);
  for (int y = 0; y < first_row; ++y) band.EndRow();
  std::int64_t above_first, above_last, first, last, below_first, below_last;
  ellipse.Row(first_row - 1, above_first, above_last);
  ellipse.Row(first_row, first, last);
  for (int y = first_row; y < last_row; ++y) {
    ellipse.Row(y + 1, below_first, below_last);
    // White: inside, with both horizontal neighbours and both vertical neighbours inside.
    const std::int64_t white_first = std::max({first + 1, above_first, below_first});
    const std::int64_t white_last = std::min({last - 1, above_last, below_last});
    if (white_first <= white_last && above_first <= above_last && below_first <= below_last) {
      const std::int64_t lo = std::clamp<std::int64_t>(white_first, 0, band.WorkWidth());
      const std::int64_t hi = std::clamp<std::int64_t>(white_last + 1, 0, band.WorkWidth());
      band.AddSpan(static_cast<int>(lo), static_cast<int>(hi));
    }
    above_first = first;
    above_last = last;
    first = below_first;
    last = below_last;
    band.EndRow();
  }
  band.Finish();
}

}  // namespace lumi
