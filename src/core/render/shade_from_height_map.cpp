#include "render/shade_from_height_map.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/errors.h"

namespace lumi {

namespace {

// Truncation toward zero, saturating at the int range: hostile depths and intensities
// cannot overflow.
int Trunc(double v) {
  if (!(v > -2147483648.0)) return v != v ? 0 : -2147483647 - 1;
  if (v >= 2147483647.0) return 2147483647;
  return static_cast<int>(v);
}

std::uint8_t AddClamped(std::uint8_t value, int delta) {
  const long long v = static_cast<long long>(value) + delta;
  return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

struct Lamp {
  double lx, ly, lz;
  int intensity;
  bool squaring;

  // The change of brightness for a slope (gx, gy), not both 0.
  int Delta(int gx, int gy) const {
    const int w = Trunc(gy * ly + gx * lx + lz);
    double b = 0;
    if (w >= 0) b = Trunc(2.0 * w / std::sqrt(gx * gx + gy * gy + 14400.0));
    if (squaring) b = b * b / 255;
    return Trunc(static_cast<double>(Trunc(b - 255)) * intensity * 0.01);
  }
};

void CopyColours(std::uint8_t* to, const std::uint8_t* from) {
  to[0] = from[0];
  to[1] = from[1];
  to[2] = from[2];
}

}  // namespace

void ShadeFromHeightMap(CDIBSection& image, const std::uint8_t* h, int width, int height,
                        double azimuth, double elevation, int depth, int intensity,
                        bool squaring) {
  if (width < 1 || height < 1) return;
  if (image.IsEmpty() || image.Bits() != 32 || image.Width() != width ||
      image.Height() != height) {
    throw BitmapError("the image to light does not match its height map");
  }
  const double a = azimuth * 3.1415926535 / 180;
  const double e = elevation * 3.1415926535 / 180;
  const Lamp lamp{std::cos(a) * depth * std::cos(e), std::sin(a) * depth * std::cos(e),
                  depth * std::sin(e) * 120, intensity, squaring};

  // Per row: column sums of the three rows (for gx) and lower minus upper row (for gy),
  // with one wrapped entry at each end so that every column reads j - 1 and j + 1.
  std::vector<int> column_sum(static_cast<std::size_t>(width) + 2);
  std::vector<int> row_diff(static_cast<std::size_t>(width) + 2);
  int* cs = column_sum.data() + 1;
  int* rd = row_diff.data() + 1;

  for (int i = 0; i < height; ++i) {
    const std::uint8_t* up = h + static_cast<std::size_t>((i + height - 1) % height) * width;
    const std::uint8_t* mid = h + static_cast<std::size_t>(i) * width;
    const std::uint8_t* down = h + static_cast<std::size_t>((i + 1) % height) * width;
    for (int j = 0; j < width; ++j) {
      cs[j] = up[j] + mid[j] + down[j];
      rd[j] = down[j] - up[j];
    }
    cs[-1] = cs[width - 1];
    cs[width] = cs[0];
    rd[-1] = rd[width - 1];
    rd[width] = rd[0];

    std::uint8_t* row = image.Row(i);
    for (int j = 0; j < width; ++j) {
      const int gx = cs[j - 1] - cs[j + 1];
      const int gy = rd[j - 1] + rd[j] + rd[j + 1];
      if ((gx | gy) == 0) continue;
      const int delta = lamp.Delta(gx, gy);
      std::uint8_t* p = row + j * 4;
      p[0] = AddClamped(p[0], delta);
      p[1] = AddClamped(p[1], delta);
      p[2] = AddClamped(p[2], delta);
    }

    // Border replication. Lighting a pixel never reads the image, and each copy only
    // reads pixels already lit, so the copies can follow the whole row as long as they
    // keep their order by position.
    const bool copies_rows = (i == 1) || (i == height - 1 && height >= 2);
    if (!copies_rows) {
      if (width >= 2) {
        CopyColours(row, row + 4);
        CopyColours(row + (width - 1) * 4, row + (width - 2) * 4);
      }
      continue;
    }
    for (int j = 0; j < width; ++j) {
      if (j == 1) CopyColours(row, row + 4);
      if (j == width - 1 && width >= 2) {
        CopyColours(row + (width - 1) * 4, row + (width - 2) * 4);
      }
      if (i == 1) CopyColours(image.Row(0) + j * 4, image.Row(1) + j * 4);
      if (i == height - 1 && height >= 2) {
        CopyColours(image.Row(height - 1) + j * 4, image.Row(height - 2) + j * 4);
      }
    }
  }
}

}  // namespace lumi
