#pragma once
// The small integer helpers shared by the gradients and the transparency ramps. Every
// result truncates toward zero; W x H is the object size and (j, i) a pixel with i
// counted in bitmap memory rows (row 0 is the bottom image row).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "base/colour.h"

namespace lumi {

// Converts to int truncating toward zero, saturating at the int range; NaN gives 0, so
// garbage attributes can never make the conversion undefined.
inline int TruncToInt(double v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<int>::max();
  if (v <= -2147483648.0) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

inline std::int64_t TruncToInt64(double v) {
  if (!(v == v)) return 0;
  if (v >= 9.2e18) return std::numeric_limits<std::int64_t>::max();
  if (v <= -9.2e18) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(v);
}

// Straight-line interpolation through (x0, y0) and (x1, y1), extrapolating outside; the
// end value y1 when the two x are equal.
inline int Lerp(std::int64_t x, std::int64_t x0, std::int64_t x1, int y0, int y1) {
  if (x1 == x0) return y1;
  return static_cast<int>(static_cast<double>(y1 - y0) / static_cast<double>(x1 - x0) *
                              static_cast<double>(x - x0) +
                          y0);
}

// The direction of (j, i) from the centre in 1/1024 turns.
inline int PixelAngle(int j, int i, int width, int height) {
  return static_cast<int>(std::atan2(static_cast<double>(i - height / 2),
                                     static_cast<double>(j - width / 2)) *
                          162.97466173075898);
}

// cos of `a` 1/1024 turns, as used by Project.
inline double TurnCosine(std::int64_t a) {
  return std::cos(static_cast<double>(a) * 0.006135923151367188);
}

// Where a pixel at distance d and direction a falls along a ramp of length len.
inline int Project(std::int64_t a, int d, int len) {
  return static_cast<int>(TurnCosine(a) * d + len / 2);
}

// The pixel's distance from the centre.
inline int Dist(int j, int i, int width, int height) {
  const std::int64_t di = i - height / 2, dj = j - width / 2;
  return static_cast<int>(std::sqrt(static_cast<double>(std::max<std::int64_t>(0, di * di + dj * dj))));
}

// A colour as the bitmap's blue, green, red byte order (COLORREF keeps red lowest).
struct ColourBytes {
  int b, g, r;
};
inline ColourBytes ImageBytes(COLORREF c) {
  return {static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF),
          static_cast<int>(c & 0xFF)};
}

inline int ClampByte(int v) { return std::clamp(v, 0, 255); }

}  // namespace lumi
