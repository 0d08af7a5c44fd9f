#include "effects/sharpen_soften.h"

#include <cmath>
#include <cstddef>

namespace lumi {

namespace {

int ClampAmount(int amount) { return amount < 1 ? 0 : amount > 100 ? 100 : amount; }

// Calls f(v, S) -> byte for every channel of every pixel, S the sum of the eight
// neighbours, reading rows through pointers with the edges clamped.
template <class F>
void ForEachNeighbourhood(const std::uint8_t* source, std::uint8_t* destination, int width,
                          int height, F&& f) {
  const std::size_t stride = static_cast<std::size_t>(width) * 3;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* up = source + static_cast<std::size_t>(y > 0 ? y - 1 : 0) * stride;
    const std::uint8_t* mid = source + static_cast<std::size_t>(y) * stride;
    const std::uint8_t* down = source + static_cast<std::size_t>(y + 1 < height ? y + 1 : y) * stride;
    std::uint8_t* out = destination + static_cast<std::size_t>(y) * stride;
    for (int x = 0; x < width; ++x) {
      const std::size_t l = static_cast<std::size_t>(x > 0 ? x - 1 : 0) * 3;
      const std::size_t c = static_cast<std::size_t>(x) * 3;
      const std::size_t r = static_cast<std::size_t>(x + 1 < width ? x + 1 : x) * 3;
      for (std::size_t ch = 0; ch < 3; ++ch) {
        const int S = up[l + ch] + up[c + ch] + up[r + ch] + mid[l + ch] + mid[r + ch] +
                      down[l + ch] + down[c + ch] + down[r + ch];
        out[c + ch] = f(mid[c + ch], S);
      }
    }
  }
}

bool BadParams(const std::uint8_t* source, const std::uint8_t* destination, int width, int height) {
  return source == nullptr || destination == nullptr || source == destination || width <= 0 ||
         height <= 0;
}

}  // namespace

int PxSharpen(const std::uint8_t* source, std::uint8_t* destination, int width, int height,
              int amount) {
  if (BadParams(source, destination, width, height)) {
    PxSetLastError(kPxBadParam);
    return kPxBadParam;
  }
  const double k = ClampAmount(amount) * 0.005;
  ForEachNeighbourhood(source, destination, width, height, [k](int v, int S) {
    const double r = v - k * (S - 8 * v);
    return static_cast<std::uint8_t>(r <= 0.0 ? 0 : r >= 255.0 ? 255 : static_cast<int>(r));
  });
  PxSetLastError(kPxOk);
  return kPxOk;
}

int PxSoften(const std::uint8_t* source, std::uint8_t* destination, int width, int height,
             int amount) {
  if (BadParams(source, destination, width, height)) {
    PxSetLastError(kPxBadParam);
    return kPxBadParam;
  }
  const double k = ClampAmount(amount) * 0.01;
  ForEachNeighbourhood(source, destination, width, height, [k](int v, int S) {
    // Within 0..255 by construction: a weighted mean of two bytes.
    return static_cast<std::uint8_t>(k * (S >> 3) + (1 - k) * v);
  });
  PxSetLastError(kPxOk);
  return kPxOk;
}

}  // namespace lumi
