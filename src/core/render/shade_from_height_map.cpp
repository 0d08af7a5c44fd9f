#include "render/shade_from_height_map.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/errors.h"
#include "base/parallel_render.h"

// The vector helpers below are always inlined, never called, so the calling-convention
// note about vector arguments without AVX does not concern us.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace lumi {

namespace {

typedef std::int16_t Shorts16 __attribute__((vector_size(32)));
typedef std::uint8_t Bytes16 __attribute__((vector_size(16)));

// Pixels per block of the slope computation.
constexpr int kRun = 16;

// The loads hand their vectors back through a reference: clang refuses a 32-byte vector
// return value in the clone built without AVX.
inline __attribute__((always_inline)) void LoadShorts(const std::int16_t* p, Shorts16& v) {
  std::memcpy(&v, p, sizeof v);
}

inline __attribute__((always_inline)) void LoadBytes(const std::uint8_t* p, Shorts16& out) {
  Bytes16 v;
  std::memcpy(&v, p, sizeof v);
  out = __builtin_convertvector(v, Shorts16);
}

// The slopes of one height-map row. cs and rd have `blocks` x kRun + 2 entries with the
// row at offset 1; gx, gy have blocks x kRun entries; any[b] tells whether block b holds
// a slope (it may be set for a block whose only slopes lie beyond the row's end).
//   column sums cs[j] = up + mid + down, row differences rd[j] = down - up, both wrapped
//   one entry beyond each end; gx = cs[j - 1] - cs[j + 1], gy = rd[j - 1] + rd[j] + rd[j + 1].
__attribute__((target_clones("avx2", "default"))) void RowSlopes(
    const std::uint8_t* up, const std::uint8_t* mid, const std::uint8_t* down, int width,
    int blocks, std::int16_t* cs, std::int16_t* rd, std::int16_t* gx, std::int16_t* gy,
    std::uint8_t* any) {
  int j = 0;
  for (; j + kRun <= width; j += kRun) {
    Shorts16 u, m, d;
    LoadBytes(up + j, u);
    LoadBytes(mid + j, m);
    LoadBytes(down + j, d);
    const Shorts16 sum = u + m + d, diff = d - u;
    std::memcpy(cs + 1 + j, &sum, sizeof sum);
    std::memcpy(rd + 1 + j, &diff, sizeof diff);
  }
  for (; j < width; ++j) {
    cs[1 + j] = static_cast<std::int16_t>(up[j] + mid[j] + down[j]);
    rd[1 + j] = static_cast<std::int16_t>(down[j] - up[j]);
  }
  cs[0] = cs[width];
  cs[width + 1] = cs[1];
  rd[0] = rd[width];
  rd[width + 1] = rd[1];
  for (int b = 0; b < blocks; ++b) {
    const int j0 = b * kRun;
    Shorts16 c0, c2, r0, r1, r2;
    LoadShorts(cs + j0, c0);
    LoadShorts(cs + j0 + 2, c2);
    LoadShorts(rd + j0, r0);
    LoadShorts(rd + j0 + 1, r1);
    LoadShorts(rd + j0 + 2, r2);
    const Shorts16 x = c0 - c2;
    const Shorts16 y = r0 + r1 + r2;
    std::memcpy(gx + j0, &x, sizeof x);
    std::memcpy(gy + j0, &y, sizeof y);
    const Shorts16 either = x | y;
    std::uint64_t words[4];
    std::memcpy(words, &either, sizeof words);
    any[b] = (words[0] | words[1] | words[2] | words[3]) != 0;
  }
}

// Truncation toward zero, saturating at the int range: hostile depths and intensities
// cannot overflow.
int Trunc(double v) {
  if (!(v > -2147483648.0)) return v != v ? 0 : -2147483647 - 1;
  if (v >= 2147483647.0) return 2147483647;
  return static_cast<int>(v);
}

// delta is within -255..255 here.
std::uint8_t AddClamped(std::uint8_t value, int delta) {
  const int v = value + delta;
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

// The delta depends on the slope only, and a height map holds few distinct slopes (a
// blurred edge repeats the same ones all along it), so deltas are remembered in a small
// direct-mapped table keyed by the slope. A flat slope maps to 0: flat pixels stay.
class DeltaCache {
 public:
  explicit DeltaCache(const Lamp& lamp) : lamp_(lamp), keys_(kSize, -1), deltas_(kSize) {
    const int flat = Key(0, 0);
    keys_[Slot(flat)] = flat;
    deltas_[Slot(flat)] = 0;
  }
  int Delta(int gx, int gy) {
    const int key = Key(gx, gy);
    const unsigned slot = Slot(key);
    if (keys_[slot] != key) {
      if (gx == 0 && gy == 0) return 0;  // the flat entry was pushed out
      keys_[slot] = key;
      // Any delta beyond +-255 clamps a byte just as +-255 does.
      deltas_[slot] = std::clamp(lamp_.Delta(gx, gy), -255, 255);
    }
    return deltas_[slot];
  }

 private:
  static constexpr int kBits = 14;
  static constexpr int kSize = 1 << kBits;
  // gx and gy lie within -765..765.
  static int Key(int gx, int gy) { return (gx + 1024) << 11 | (gy + 1024); }
  static unsigned Slot(int key) {
    return (static_cast<unsigned>(key) * 2654435761u) >> (32 - kBits);
  }
  const Lamp& lamp_;
  std::vector<int> keys_;
  std::vector<int> deltas_;
};

// Adds deltas[k] (-255..255) to blue, green and red of pixel k, clamping; alpha kept.
void AddDeltas(std::uint8_t* pixels, const std::int16_t* deltas, int count) {
  int k = 0;
#if defined(__SSE2__)
  // Four pixels at a time: a saturating add of the positive parts and a saturating
  // subtraction of the negative parts, each spread over the three colour bytes.
  for (; k + 4 <= count; k += 4) {
    std::uint32_t up[4], down[4];
    for (int q = 0; q < 4; ++q) {
      const int d = deltas[k + q];
      up[q] = static_cast<std::uint32_t>(d > 0 ? d : 0) * 0x010101u;
      down[q] = static_cast<std::uint32_t>(d < 0 ? -d : 0) * 0x010101u;
    }
    __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + k * 4));
    p = _mm_adds_epu8(p, _mm_loadu_si128(reinterpret_cast<const __m128i*>(up)));
    p = _mm_subs_epu8(p, _mm_loadu_si128(reinterpret_cast<const __m128i*>(down)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + k * 4), p);
  }
#endif
  for (; k < count; ++k) {
    std::uint8_t* p = pixels + k * 4;
    p[0] = AddClamped(p[0], deltas[k]);
    p[1] = AddClamped(p[1], deltas[k]);
    p[2] = AddClamped(p[2], deltas[k]);
  }
}

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

  // Lighting a row reads only the height map and writes only its own image row, so
  // bands of rows are lit side by side, each with its own buffers and delta cache. The
  // border copies of rows 0 and height - 1 read other rows and come after, in order.
  const int blocks = (width + kRun - 1) / kRun;
  const std::size_t padded = static_cast<std::size_t>(blocks) * kRun + 2;
  auto copies_rows = [&](int i) { return (i == 1) || (i == height - 1 && height >= 2); };
  ParallelRows(height, MinRowsToSplit(width), [&](int first, int last) {
    // Per row: column sums and row differences (with room for whole blocks and the
    // wrapped entries), the slopes, and which blocks hold any slope.
    std::vector<std::int16_t> cs(padded, 0), rd(padded, 0), gx(padded), gy(padded);
    std::vector<std::uint8_t> any(blocks);
    DeltaCache cache(lamp);
    for (int i = first; i < last; ++i) {
      const std::uint8_t* up = h + static_cast<std::size_t>((i + height - 1) % height) * width;
      const std::uint8_t* mid = h + static_cast<std::size_t>(i) * width;
      const std::uint8_t* down = h + static_cast<std::size_t>((i + 1) % height) * width;
      RowSlopes(up, mid, down, width, blocks, cs.data(), rd.data(), gx.data(), gy.data(),
                any.data());

      // Flat pixels stay; blocks without any slope are skipped whole.
      std::uint8_t* row = image.Row(i);
      for (int b = 0; b < blocks; ++b) {
        if (!any[b]) continue;
        const int j0 = b * kRun;
        const int count = std::min(width - j0, kRun);
        std::int16_t deltas[kRun];
        for (int k = 0; k < count; ++k) deltas[k] = cache.Delta(gx[j0 + k], gy[j0 + k]);
        AddDeltas(row + j0 * 4, deltas, count);
      }
      // Border replication of the row's own end columns. Lighting a pixel never reads
      // the image, and each copy only reads pixels already lit, so the copies can follow
      // the whole row as long as they keep their order by position.
      if (!copies_rows(i) && width >= 2) {
        CopyColours(row, row + 4);
        CopyColours(row + (width - 1) * 4, row + (width - 2) * 4);
      }
    }
  });

  // The rows that also copy whole rows (1 and height - 1), in row order, once every row
  // is lit.
  for (int i = 1; i < height; i += std::max(1, height - 2)) {
    if (!copies_rows(i)) continue;
    std::uint8_t* row = image.Row(i);
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
