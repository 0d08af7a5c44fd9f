#include "blur_reference.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/runtime_random.h"

namespace lumi::reference {

namespace {

std::uint8_t ClampTruncate(float s) {
  if (s < 0.0f) return 0;
  if (s > 255.0f) return 255;
  return static_cast<std::uint8_t>(static_cast<int>(s));
}

int ClampByte(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

// Truncation toward zero, saturating at the int range (hostile depths and intensities).
int Trunc(double v) {
  if (!(v > -2147483648.0)) return v != v ? 0 : -2147483647 - 1;
  if (v >= 2147483647.0) return 2147483647;
  return static_cast<int>(v);
}

// The profile curves; v is the 3 x 3 average, r the random number for mode 3.
int Curve(int mode, int v, int r) {
  const double pi = 3.14159;
  switch (mode) {
    case 1: return static_cast<int>(v - 50 * std::cos(v * 0.7 * pi / 180));
    case 2: return static_cast<int>(v - 50 * std::sin((255 - v) * 2.82 * pi / 180));
    case 3: return static_cast<int>(r * (255 - v) * 3.051850947599719e-05 + 0.5 + v - 128);
    case 4: return v > 180 ? 360 - v : v;
    case 5:
      if (v > 210 && v < 230) return (315 - v) * 2;
      if (v > 229) return v - 60;
      return v;
    case 8: return 2 * v;
    case 9: return static_cast<int>(100 * std::sin(v * 2.82 * pi / 180));
    default: return v;
  }
}

}  // namespace

void ProfilePass(std::uint8_t* map, int width, int height, int mode) {
  const std::vector<std::uint8_t> in(map, map + static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int sum = 0;
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          const int yy = std::clamp(y + dy, 0, height - 1);
          const int xx = std::clamp(x + dx, 0, width - 1);
          sum += in[static_cast<std::size_t>(yy) * width + xx];
        }
      }
      const int r = mode == 3 ? lumi::Rand() : 0;
      map[static_cast<std::size_t>(y) * width + x] =
          static_cast<std::uint8_t>(ClampByte(Curve(mode, sum / 9, r)));
    }
  }
}

void ProfileBlur(std::uint8_t* map, int width, int height, double sigma, int mode) {
  if (sigma == 0 || std::isnan(sigma) || width < 1 || height < 1) return;
  sigma = std::clamp(sigma, -1000.0, 1000.0);
  const int n = static_cast<int>((sigma + 1.5) * 2);
  if (n < 0) return;
  std::vector<float> k(2 * n + 1);
  float sum = 0;
  for (int t = 0; t <= 2 * n; ++t) {
    const double d = (t - n) / sigma;
    k[t] = static_cast<float>(std::exp(-0.5 * (d * d)));
    sum += k[t];
  }
  for (float& w : k) w /= sum;

  auto at = [width](std::vector<std::uint8_t>& m, int x, int y) -> std::uint8_t& {
    return m[static_cast<std::size_t>(y) * width + x];
  };
  std::vector<std::uint8_t> a(map, map + static_cast<std::size_t>(width) * height);
  std::vector<std::uint8_t> b(a.size());
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      float s = 0;
      for (int t = 0; t <= 2 * n; ++t) {
        const int xx = x + t - n;
        if (xx >= 0 && xx < width) s += k[t] * at(a, xx, y);
      }
      at(b, x, y) = ClampTruncate(s);
    }
  }
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      float s = 0;
      for (int t = 0; t <= 2 * n; ++t) {
        const int yy = y + t - n;
        if (yy >= 0 && yy < height) s += k[t] * at(b, x, yy);
      }
      at(a, x, y) = ClampTruncate(s);
    }
  }
  std::copy(a.begin(), a.end(), map);
  ProfilePass(map, width, height, mode);
}

void ShadeFromHeightMap(CDIBSection& image, const std::uint8_t* h, int width, int height,
                        double azimuth, double elevation, int depth, int intensity,
                        bool squaring) {
  const double a = azimuth * 3.1415926535 / 180;
  const double e = elevation * 3.1415926535 / 180;
  const double lx = std::cos(a) * depth * std::cos(e);
  const double ly = std::sin(a) * depth * std::cos(e);
  const double lz = depth * std::sin(e) * 120;
  auto H = [h, width](int i, int j) { return static_cast<int>(h[i * width + j]); };
  auto pixel = [&image](int i, int j) { return image.Row(i) + j * 4; };
  auto copy_colours = [](std::uint8_t* to, const std::uint8_t* from) {
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
  };
  for (int i = 0; i < height; ++i) {
    for (int j = 0; j < width; ++j) {
      const int ip = (i + height - 1) % height, in = (i + 1) % height;
      const int jp = (j + width - 1) % width, jn = (j + 1) % width;
      const int gx = H(i, jp) + H(ip, jp) + H(in, jp) - H(i, jn) - H(ip, jn) - H(in, jn);
      const int gy = H(in, j) + H(in, jp) + H(in, jn) - H(ip, j) - H(ip, jp) - H(ip, jn);
      if (gx != 0 || gy != 0) {
        const int w = Trunc(gy * ly + gx * lx + lz);
        double B = 0;
        if (w >= 0) B = Trunc(2.0 * w / std::sqrt(gx * gx + gy * gy + 14400.0));
        if (squaring) B = B * B / 255;
        const int delta = Trunc(static_cast<double>(Trunc(B - 255)) * intensity * 0.01);
        std::uint8_t* p = pixel(i, j);
        for (int c = 0; c < 3; ++c) {
          p[c] = static_cast<std::uint8_t>(ClampByte(static_cast<int>(
              std::clamp<long long>(static_cast<long long>(p[c]) + delta, 0, 255))));
        }
      }
      // Border replication; a map one pixel wide or high has no inner neighbour.
      if (j == 1) copy_colours(pixel(i, 0), pixel(i, 1));
      if (j == width - 1 && width >= 2) copy_colours(pixel(i, width - 1), pixel(i, width - 2));
      if (i == 1) copy_colours(pixel(0, j), pixel(1, j));
      if (i == height - 1 && height >= 2) copy_colours(pixel(height - 1, j), pixel(height - 2, j));
    }
  }
}

}  // namespace lumi::reference
