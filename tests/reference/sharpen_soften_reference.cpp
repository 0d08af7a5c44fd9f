#include "sharpen_soften_reference.h"

#include <algorithm>
#include <cmath>

namespace lumi::reference {

namespace {

int Get(const std::uint8_t* px, int w, int h, int x, int y, int ch) {
  x = std::clamp(x, 0, w - 1);
  y = std::clamp(y, 0, h - 1);
  return px[(y * w + x) * 3 + ch];
}

int NeighbourSum(const std::uint8_t* px, int w, int h, int x, int y, int ch) {
  int s = 0;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (dx != 0 || dy != 0) s += Get(px, w, h, x + dx, y + dy, ch);
  return s;
}

int Amount(int amount) { return amount < 1 ? 0 : std::min(amount, 100); }

}  // namespace

void Sharpen(const std::uint8_t* source, std::uint8_t* destination, int width, int height, int amount) {
  const double k = Amount(amount) * 0.005;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int ch = 0; ch < 3; ++ch) {
        const int v = Get(source, width, height, x, y, ch);
        const double r = std::clamp(v - k * (NeighbourSum(source, width, height, x, y, ch) - 8 * v), 0.0, 255.0);
        destination[(y * width + x) * 3 + ch] = static_cast<std::uint8_t>(std::trunc(r));
      }
}

void Soften(const std::uint8_t* source, std::uint8_t* destination, int width, int height, int amount) {
  const double k = Amount(amount) * 0.01;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int ch = 0; ch < 3; ++ch) {
        const int v = Get(source, width, height, x, y, ch);
        const int S = NeighbourSum(source, width, height, x, y, ch);
        destination[(y * width + x) * 3 + ch] = static_cast<std::uint8_t>(std::trunc(k * (S >> 3) + (1 - k) * v));
      }
}

}  // namespace lumi::reference
