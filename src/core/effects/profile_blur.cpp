#include "effects/profile_blur.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "base/runtime_random.h"
#include "base/parallel_render.h"

// The vector helpers below are always inlined, never called, so the calling-convention
// note about vector arguments without AVX does not concern us.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace lumi {

namespace {

// Floats processed side by side: the sums for neighbouring pixels run in parallel, each
// in its own lane and in tap order, so each lane is exactly the scalar sum. Products and
// sums must stay two roundings: the build compiles this file with -ffp-contract=off, so no
// compiler fuses them into multiply-adds.

typedef float Floats8 __attribute__((vector_size(32)));
typedef int Ints8 __attribute__((vector_size(32)));
typedef float Floats16 __attribute__((vector_size(64)));
typedef int Ints16 __attribute__((vector_size(64)));

typedef std::uint8_t Bytes8 __attribute__((vector_size(8)));
typedef std::uint8_t Bytes16 __attribute__((vector_size(16)));

template <class V> struct IntsOf;
template <> struct IntsOf<Floats8> { using type = Ints8; using bytes = Bytes8; };
template <> struct IntsOf<Floats16> { using type = Ints16; using bytes = Bytes16; };

// Rows are processed in blocks of four vectors (four independent sums keep the adder
// busy); buffers are padded to whole blocks of the widest vector.
constexpr int kBlock = 64;
// Maps of at least this many pixels split their passes across the render threads.
constexpr std::int64_t kSplitPixels = 256 * 256;

template <class V>
inline __attribute__((always_inline)) V Load(const float* p) {
  V v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// Clamped to 0..255 and truncated, kept as float.
template <class V>
inline __attribute__((always_inline)) V ClampTruncate(V s) {
  const V zero = {};
  const V top = zero + 255.0f;
  s = s < zero ? zero : s;
  s = s > top ? top : s;
  return __builtin_convertvector(__builtin_convertvector(s, typename IntsOf<V>::type), V);
}

// One row of the horizontal pass. `padded` holds the row with n zeros before it and
// enough zeros after it for `blocks` blocks; out receives blocks * kBlock values.
// A zero sample adds exactly +0 to a non-negative sum, so the padding changes nothing.
template <class V>
inline __attribute__((always_inline)) void HorizontalRowT(const float* padded,
                                                          const float* kernel, int taps,
                                                          int blocks, float* out) {
  constexpr int kLanes = sizeof(V) / sizeof(float);
  for (int b = 0; b < blocks * (kBlock / (4 * kLanes)); ++b) {
    const float* in = padded + b * 4 * kLanes;
    V s0 = {}, s1 = {}, s2 = {}, s3 = {};
    for (int t = 0; t < taps; ++t) {
      const V k = V{} + kernel[t];
      const float* p = in + t;
      s0 = s0 + k * Load<V>(p);
      s1 = s1 + k * Load<V>(p + kLanes);
      s2 = s2 + k * Load<V>(p + 2 * kLanes);
      s3 = s3 + k * Load<V>(p + 3 * kLanes);
    }
    const V r[4] = {ClampTruncate(s0), ClampTruncate(s1), ClampTruncate(s2), ClampTruncate(s3)};
    std::memcpy(out + b * 4 * kLanes, r, sizeof r);
  }
}

// The vertical pass for one strip of kBlock columns starting at x0, every row from top
// to bottom. Taps over rows outside the map count 0 and are skipped. Going down a narrow
// strip keeps the 2n + 1 rows it reads in the first-level cache.
template <class V>
inline __attribute__((always_inline)) void VerticalStripT(const float* plane,
                                                          std::size_t stride,
                                                          const float* kernel, int n,
                                                          int height, int x0, int width,
                                                          std::uint8_t* out) {
  constexpr int kLanes = sizeof(V) / sizeof(float);
  for (int y = 0; y < height; ++y) {
    const int first = std::max(0, n - y);
    const int last = std::min(2 * n, height - 1 - y + n);
    const float* column = plane + static_cast<std::size_t>(y + first - n) * stride + x0;
    for (int part = 0; part < kBlock; part += 4 * kLanes) {
      if (x0 + part >= width) break;
      const float* in = column + part;
      V s0 = {}, s1 = {}, s2 = {}, s3 = {};
      for (int t = first; t <= last; ++t) {
        const V k = V{} + kernel[t];
        const float* p = in + static_cast<std::size_t>(t - first) * stride;
        s0 = s0 + k * Load<V>(p);
        s1 = s1 + k * Load<V>(p + kLanes);
        s2 = s2 + k * Load<V>(p + 2 * kLanes);
        s3 = s3 + k * Load<V>(p + 3 * kLanes);
      }
      using Bytes = typename IntsOf<V>::bytes;
      using Ints = typename IntsOf<V>::type;
      const Bytes r[4] = {
          __builtin_convertvector(__builtin_convertvector(ClampTruncate(s0), Ints), Bytes),
          __builtin_convertvector(__builtin_convertvector(ClampTruncate(s1), Ints), Bytes),
          __builtin_convertvector(__builtin_convertvector(ClampTruncate(s2), Ints), Bytes),
          __builtin_convertvector(__builtin_convertvector(ClampTruncate(s3), Ints), Bytes)};
      const int count = std::min(4 * kLanes, width - x0 - part);
      std::memcpy(out + static_cast<std::size_t>(y) * width + x0 + part, r, count);
    }
  }
}

__attribute__((target("avx512f"))) void HorizontalRow16(const float* padded,
                                                        const float* kernel, int taps,
                                                        int blocks, float* out) {
  HorizontalRowT<Floats16>(padded, kernel, taps, blocks, out);
}

__attribute__((target_clones("avx2", "default"))) void HorizontalRow8(
    const float* padded, const float* kernel, int taps, int blocks, float* out) {
  HorizontalRowT<Floats8>(padded, kernel, taps, blocks, out);
}

__attribute__((target("avx512f"))) void VerticalStrip16(const float* plane,
                                                        std::size_t stride,
                                                        const float* kernel, int n,
                                                        int height, int x0, int width,
                                                        std::uint8_t* out) {
  VerticalStripT<Floats16>(plane, stride, kernel, n, height, x0, width, out);
}

__attribute__((target_clones("avx2", "default"))) void VerticalStrip8(
    const float* plane, std::size_t stride, const float* kernel, int n, int height, int x0,
    int width, std::uint8_t* out) {
  VerticalStripT<Floats8>(plane, stride, kernel, n, height, x0, width, out);
}

// The widest vectors this processor runs; the results are the same with any width.
bool narrow_only = false;
bool UseWideVectors() {
  static const bool wide = __builtin_cpu_supports("avx512f");
  return wide && !narrow_only;
}

void HorizontalRow(const float* padded, const float* kernel, int taps, int blocks,
                   float* out) {
  if (UseWideVectors()) {
    HorizontalRow16(padded, kernel, taps, blocks, out);
  } else {
    HorizontalRow8(padded, kernel, taps, blocks, out);
  }
}

void VerticalStrip(const float* plane, std::size_t stride, const float* kernel, int n,
                   int height, int x0, int width, std::uint8_t* out) {
  if (UseWideVectors()) {
    VerticalStrip16(plane, stride, kernel, n, height, x0, width, out);
  } else {
    VerticalStrip8(plane, stride, kernel, n, height, x0, width, out);
  }
}

// The profile curve of a mode for an average v (mode 3 is applied per pixel instead).
int Curve(int mode, int v) {
  const double pi = 3.14159;  // the curves were tuned with this value
  switch (mode) {
    case CProfileBlur::kFlat: return static_cast<int>(v - 50 * std::cos(v * 0.7 * pi / 180));
    case CProfileBlur::kFramed:
      return static_cast<int>(v - 50 * std::sin((255 - v) * 2.82 * pi / 180));
    case CProfileBlur::kSaucer: return v > 180 ? 360 - v : v;
    case CProfileBlur::kFrame:
      if (v > 210 && v < 230) return (315 - v) * 2;
      if (v > 229) return v - 60;
      return v;
    case CProfileBlur::kDouble: return 2 * v;
    case CProfileBlur::kRings: return static_cast<int>(100 * std::sin(v * 2.82 * pi / 180));
    default: return v;
  }
}

std::uint8_t ClampByte(int v) { return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

// Noise: the average lifted by a random share of its distance to white, less 128.
std::uint8_t Noise(int v, int r) {
  return ClampByte(static_cast<int>(r * (255 - v) * 3.051850947599719e-05 + 0.5 + v - 128));
}

}  // namespace

void CProfileBlur::UseNarrowVectors(bool narrow) { narrow_only = narrow; }

std::vector<float> CProfileBlur::Kernel(double sigma) {
  if (sigma == 0 || std::isnan(sigma)) return {};
  sigma = std::clamp(sigma, -kMaxSigma, kMaxSigma);
  const int n = static_cast<int>((sigma + 1.5) * 2);
  if (n < 0) return {};
  std::vector<float> k(2 * static_cast<std::size_t>(n) + 1);
  float sum = 0;
  for (int t = 0; t <= 2 * n; ++t) {
    const double d = (t - n) / sigma;
    k[t] = static_cast<float>(std::exp(-0.5 * (d * d)));
    sum += k[t];
  }
  for (float& w : k) w /= sum;
  return k;
}

void CProfileBlur::Apply(std::uint8_t* map, int width, int height, double sigma) {
  if (width < 1 || height < 1) return;
  const std::vector<float> kernel = Kernel(sigma);
  if (kernel.empty()) return;
  const int taps = static_cast<int>(kernel.size());
  const int n = taps / 2;
  const int blocks = (width + kBlock - 1) / kBlock;
  const std::size_t stride = static_cast<std::size_t>(blocks) * kBlock;

  // Rows and strips are independent: a large map splits them across the render threads
  // (each band pads its rows in a buffer of its own), with the same result.
  const bool split = static_cast<std::int64_t>(width) * height >= kSplitPixels;

  // Horizontal pass into a float plane (whole numbers 0..255, exact in float).
  plane_.resize(stride * height);
  auto horizontal = [&](int first, int last, std::vector<float>& row) {
    row.assign(stride + 2 * static_cast<std::size_t>(n), 0.0f);
    for (int y = first; y < last; ++y) {
      const std::uint8_t* src = map + static_cast<std::size_t>(y) * width;
      for (int x = 0; x < width; ++x) row[n + x] = src[x];
      HorizontalRow(row.data(), kernel.data(), taps, blocks, plane_.data() + y * stride);
    }
  };
  if (split) {
    ParallelRows(height, 1, [&](int first, int last) {
      std::vector<float> row;
      horizontal(first, last, row);
    });
  } else {
    horizontal(0, height, row_);
  }

  // Vertical pass into bytes.
  blurred_.resize(static_cast<std::size_t>(width) * height);
  auto vertical = [&](std::size_t b) {
    VerticalStrip(plane_.data(), stride, kernel.data(), n, height, static_cast<int>(b) * kBlock,
                  width, blurred_.data());
  };
  if (split) {
    ParallelFor(static_cast<std::size_t>(blocks), vertical);
  } else {
    for (int b = 0; b < blocks; ++b) vertical(static_cast<std::size_t>(b));
  }
  ProfileFrom(blurred_.data(), map, width, height);
}

void CProfileBlur::ApplyProfile(std::uint8_t* map, int width, int height) {
  if (width < 1 || height < 1) return;
  blurred_.assign(map, map + static_cast<std::size_t>(width) * height);
  ProfileFrom(blurred_.data(), map, width, height);
}

void CProfileBlur::ProfileFrom(const std::uint8_t* in, std::uint8_t* out, int width,
                               int height) {
  // Curve by 3 x 3 sum (0..2295), the division by 9 folded in.
  std::array<std::uint8_t, 9 * 255 + 1> by_sum;
  for (int s = 0; s <= 9 * 255; ++s) by_sum[s] = ClampByte(Curve(mode_, s / 9));

  // Each row reads the rows around it in `in` and writes only its own row of `out`; with
  // the curve (not the noise, whose draws come in pixel order) bands of rows are done
  // side by side, each with its own column sums.
  auto rows = [&](int first, int last, std::vector<int>& column_sums) {
    column_sums.resize(static_cast<std::size_t>(width) + 2);
    int* sums = column_sums.data() + 1;  // sums[-1] and sums[width] repeat the edges
    for (int y = first; y < last; ++y) {
      const std::uint8_t* above = in + static_cast<std::size_t>(std::max(y - 1, 0)) * width;
      const std::uint8_t* here = in + static_cast<std::size_t>(y) * width;
      const std::uint8_t* below =
          in + static_cast<std::size_t>(std::min(y + 1, height - 1)) * width;
      for (int x = 0; x < width; ++x) sums[x] = above[x] + here[x] + below[x];
      sums[-1] = sums[0];
      sums[width] = sums[width - 1];
      std::uint8_t* o = out + static_cast<std::size_t>(y) * width;
      if (mode_ == kNoise) {
        for (int x = 0; x < width; ++x) {
          o[x] = Noise((sums[x - 1] + sums[x] + sums[x + 1]) / 9, lumi::Rand());
        }
      } else {
        for (int x = 0; x < width; ++x) o[x] = by_sum[sums[x - 1] + sums[x] + sums[x + 1]];
      }
    }
  };
  if (mode_ == kNoise || in == out) {
    rows(0, height, column_sums_);
    return;
  }
  ParallelRows(height, MinRowsToSplit(width), [&](int first, int last) {
    std::vector<int> column_sums;
    rows(first, last, column_sums);
  });
}

}  // namespace lumi
