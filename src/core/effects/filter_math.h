#pragma once
// The numeric helpers of the bitmap filters and the colour genes.
//
// Filters and genes are stored by their parameters only, so their look is defined by this
// arithmetic bit for bit: 32-bit integers that wrap around, division that truncates toward
// zero, and a few steps in double precision that are truncated back to integers.
// `Int` gives the wrapping integer without undefined behaviour; the helpers below take
// and return it.
#include <cmath>
#include <compare>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace lumi::fx {

// A 32-bit signed integer whose + - * and << wrap around modulo 2^32.
struct Int {
  std::int32_t v = 0;
  constexpr Int() = default;
  constexpr Int(std::int32_t value) : v(value) {}  // NOLINT: plain numbers mix freely
  friend constexpr bool operator==(Int a, Int b) = default;
  friend constexpr std::strong_ordering operator<=>(Int a, Int b) = default;
};

constexpr Int Wrap(std::uint32_t u) { return Int(static_cast<std::int32_t>(u)); }
constexpr std::uint32_t U(Int a) { return static_cast<std::uint32_t>(a.v); }

constexpr Int operator+(Int a, Int b) { return Wrap(U(a) + U(b)); }
constexpr Int operator-(Int a, Int b) { return Wrap(U(a) - U(b)); }
// Negation hides its result from the optimiser: GCC 12 rewrites (-a) / c as -(a / c),
// which is wrong for a = INT_MIN even though the negation here is written to wrap.
constexpr Int operator-(Int a) {
  std::uint32_t u = 0u - U(a);
#if defined(__GNUC__)
  if (!std::is_constant_evaluated()) asm("" : "+r"(u));
#endif
  return Wrap(u);
}
constexpr Int operator*(Int a, Int b) { return Wrap(U(a) * U(b)); }
// Truncating division. The rules never divide by zero except where their callers guard
// it; should it happen anyway the quotient is 0 rather than a crash. The one overflowing
// quotient, INT_MIN / -1, wraps to INT_MIN.
constexpr Int operator/(Int a, Int b) {
  if (b.v == 0) return 0;
  if (b.v == -1) return -a;
  return a.v / b.v;
}
// Remainder with the sign of the dividend; 0 for a zero divisor.
constexpr Int operator%(Int a, Int b) {
  if (b.v == 0 || b.v == -1) return 0;
  return a.v % b.v;
}
constexpr Int operator&(Int a, Int b) { return Wrap(U(a) & U(b)); }
constexpr Int operator|(Int a, Int b) { return Wrap(U(a) | U(b)); }
constexpr Int operator^(Int a, Int b) { return Wrap(U(a) ^ U(b)); }
constexpr Int operator<<(Int a, int s) { return Wrap(U(a) << (s & 31)); }
// Arithmetic shift, as the 32-bit machine does it.
constexpr Int operator>>(Int a, int s) { return Int(a.v >> (s & 31)); }

constexpr double D(Int a) { return static_cast<double>(a.v); }

// Real to integer toward zero. Values outside the 32-bit range (and NaN) give INT_MIN,
// the "integer indefinite" value the machine conversion produces, instead of undefined
// behaviour.
inline Int Trunc(double r) {
  if (!(r > -2147483649.0 && r < 2147483648.0)) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(r);
}

constexpr Int Abs(Int a) { return a.v < 0 ? -a : a; }
constexpr Int Min(Int a, Int b) { return a < b ? a : b; }
constexpr Int Max(Int a, Int b) { return a > b ? a : b; }
constexpr Int AbsDiff(Int a, Int b) { return Abs(a - b); }

// A channel value as written: clamped to 0..255.
constexpr std::uint8_t Clamp255(Int a) {
  return static_cast<std::uint8_t>(a.v < 0 ? 0 : a.v > 255 ? 255 : a.v);
}

// Parameter p (0..255) mapped onto lo..hi: trunc(p x (hi - lo) / 256 + lo).
inline Int Map(int p, Int lo, Int hi) { return Trunc(p * (D(hi) - D(lo)) / 256.0 + D(lo)); }

// Weighted mean with weight n / d on a: trunc(a x n / d + b x (d - n) / d); a when d is 0.
inline Int Mix(Int a, Int b, Int n, Int d) {
  if (d.v == 0) return a;
  return Trunc(D(a) * D(n) / D(d) + D(b) * (D(d) - D(n)) / D(d));
}

// v moved linearly from a..b onto lo..hi; hi when a = b.
inline Int Remap(Int v, Int a, Int b, Int lo, Int hi) {
  if (a == b) return hi;
  return Trunc((D(hi) - D(lo)) / (D(b) - D(a)) * (D(v) - D(a)) + D(lo));
}

// Angles in 1024 units per turn.
inline constexpr double kAngleUnit = 0.006135923151367188;  // 2 pi / 1024
inline Int Sin512(Int a) { return Trunc(512.0 * std::sin(D(a) * kAngleUnit)); }
inline Int Cos512(Int a) { return Trunc(512.0 * std::cos(D(a) * kAngleUnit)); }

inline Int Dist(Int a, Int b) {
  const double da = D(a);
  const double db = D(b);
  return Trunc(std::sqrt(da * da + db * db));
}

// atan2 in 512 units per half turn; 0 for the origin.
inline constexpr double kAngleScale = 162.97466173075898;  // 512 / pi
inline Int Angle(Int x, Int y) {
  if (x.v == 0 && y.v == 0) return 0;
  return Trunc(std::atan2(D(y), D(x)) * kAngleScale);
}

// A value a..b from the shared 15-bit generator (one draw).
Int Rand(Int a, Int b);

// Luminance of a pixel from its red, green and blue.
constexpr Int Lum(Int r, Int g, Int b) { return (76 * r + 150 * g + 29 * b) >> 8; }

// 511 - (v AND 511) when bit 8 of v is set, otherwise v AND 255: a triangle wave.
// Written without a branch: with bit 8 set, 511 - (v AND 511) is (NOT v) AND 511.
constexpr Int Fold(Int v) { return (v ^ (0 - ((v >> 8) & 1))) & 511; }

}  // namespace lumi::fx
