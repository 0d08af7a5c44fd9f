// Bilinear resampling of an RGB buffer, two resampled source rows at a time.
#include <algorithm>
#include <new>
#include <vector>

#include "image/pixwerk.h"
#include "image/pixwerk_io.h"

namespace lumi {

namespace {

// Resamples one source row across into `out` (3 x destination width reals).
void ResampleRow(const std::uint8_t* row, const std::vector<int>& c0, const std::vector<int>& c1,
                 const std::vector<double>& sx, double* out) {
  const std::size_t n = sx.size();
  for (std::size_t x = 0; x < n; ++x) {
    const std::uint8_t* p0 = row + c0[x] * 3;
    const std::uint8_t* p1 = row + c1[x] * 3;
    const double w0 = c0[x] + 1 - sx[x];
    const double w1 = sx[x] - c0[x];
    out[0] = w0 * p0[0] + w1 * p1[0];
    out[1] = w0 * p0[1] + w1 * p1[1];
    out[2] = w0 * p0[2] + w1 * p1[2];
    out += 3;
  }
}

}  // namespace

bool PxResizeRGB(const std::uint8_t* source, int src_width, int src_height,
                 std::uint8_t* destination, int dst_width, int dst_height) {
  if (!source || !destination || src_width <= 0 || src_height <= 0 || dst_width <= 0 ||
      dst_height <= 0) {
    PxSetLastError(kPxBadParam);
    return false;
  }
  const std::size_t width = static_cast<std::size_t>(dst_width);
  std::vector<double> work, sx;
  std::vector<int> c0, c1;
  try {
    work.resize(2 * width * 3);
    sx.resize(width);
    c0.resize(width);
    c1.resize(width);
  } catch (const std::bad_alloc&) {
    PxSetLastError(kPxOutOfMemory);
    return false;
  }
  // The source columns of each output column are the same for every row.
  for (std::size_t x = 0; x < width; ++x) {
    sx[x] = std::min(static_cast<double>(x) * src_width / dst_width, src_width - 1.0);
    c0[x] = static_cast<int>(sx[x]);
    c1[x] = std::min(c0[x] + 1, src_width - 1);
  }
  const std::size_t src_row = static_cast<std::size_t>(src_width) * 3;
  double* row0 = work.data();
  double* row1 = work.data() + width * 3;
  for (int y = 0; y < dst_height; ++y) {
    const double sy = std::min(static_cast<double>(y) * src_height / dst_height, src_height - 1.0);
    const int r0 = static_cast<int>(sy);
    const int r1 = std::min(r0 + 1, src_height - 1);
    ResampleRow(source + r0 * src_row, c0, c1, sx, row0);
    ResampleRow(source + r1 * src_row, c0, c1, sx, row1);
    const double w0 = r0 + 1 - sy;
    const double w1 = sy - r0;
    std::uint8_t* out = destination + static_cast<std::size_t>(y) * width * 3;
    for (std::size_t i = 0; i < width * 3; ++i) {
      out[i] = static_cast<std::uint8_t>(w0 * row0[i] + w1 * row1[i]);
    }
  }
  PxSetLastError(kPxOk);
  return true;
}

}  // namespace lumi
