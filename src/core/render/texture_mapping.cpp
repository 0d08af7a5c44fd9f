#include "render/texture_mapping.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "base/parallel_render.h"
#include "render/fill_math.h"
#include "render/shade_from_height_map.h"

namespace lumi {

namespace {

// 256 / scale as a whole step in 1/256 texels, 0 for a zero scale. Scales below 1/65536
// (only a damaged file has them) are held at that step, which keeps every product of
// the mapping, even with the largest offsets, far within 64 bits.
std::int64_t TexelStep(double scale) {
  if (scale == 0) return 0;
  return std::min<std::int64_t>(TruncToInt64(std::fabs(256 / scale)), std::int64_t{1} << 24);
}

// A rotated coordinate folded back into the texture: a negative value becomes its
// remainder plus the size, and what is still negative becomes 0.
std::int64_t FoldNegative(std::int64_t v, std::int64_t size) {
  if (v < 0) v = v % size + size;
  return v < 0 ? 0 : v;
}

// x mod size with the sign of x, quick for the common case of x within one tile.
std::int64_t Wrap(std::int64_t x, std::int64_t size) {
  if (x >= 0 && x < size) return x;
  if (x >= size && x < 2 * size) return x - size;
  return x % size;
}

// How a texel changes the pixel's colour.
enum class Blend { kReplace, kMix, kScreen, kTwoColour };

// Everything one row of the mapping needs; the row's own values are updated per row.
struct RowJob {
  const std::uint8_t* texels;
  std::int64_t tw, th, ox, oy, last_texel;
  int strength;
  ColourBytes second;
  const std::int64_t* column_u;
  const float* u_c1;
  const float* u_s2;
  float l0f, m0f;
  int width;
  std::int64_t v = 0;
  float v_s1 = 0, v_c2 = 0;
};

// One row, with the per-pixel choices made once per row by the template arguments.
template <bool kRotated, Blend kBlend, bool kTransparent>
void MapRow(const RowJob& job, std::uint8_t* p, std::uint8_t* mask_row) {
  const std::int64_t plain_row = Wrap(job.v + job.oy, job.th) * job.tw;
  const int s = job.strength;
  for (int j = 0; j < job.width; ++j, p += 4) {
    std::int64_t k;
    if constexpr (kRotated) {
      // Every term is finite and far inside the 64-bit range here (see MapTexture).
      const auto ur = FoldNegative(static_cast<std::int64_t>(job.v_s1 + job.u_c1[j] + job.l0f), job.tw);
      const auto vr = FoldNegative(static_cast<std::int64_t>(job.v_c2 - job.u_s2[j] + job.m0f), job.th);
      k = 3 * (Wrap(vr + job.oy, job.th) * job.tw + Wrap(ur + job.ox, job.tw));
    } else {
      k = 3 * (plain_row + Wrap(job.column_u[j] + job.ox, job.tw));
    }
    k = std::clamp<std::int64_t>(k, 0, job.last_texel);
    const std::uint8_t* t = job.texels + k;
    const int red = t[0], green = t[1], blue = t[2];
    const int grey = (red + green + blue) / 3;
    if constexpr (kTransparent) mask_row[j] = static_cast<std::uint8_t>(std::max(0, mask_row[j] - ((grey * s) >> 8)));
    if constexpr (kBlend == Blend::kReplace) {
      p[0] = static_cast<std::uint8_t>(blue);
      p[1] = static_cast<std::uint8_t>(green);
      p[2] = static_cast<std::uint8_t>(red);
    } else if constexpr (kBlend == Blend::kMix) {
      p[0] = static_cast<std::uint8_t>((p[0] * (255 - s) + blue * s) >> 8);
      p[1] = static_cast<std::uint8_t>((p[1] * (255 - s) + green * s) >> 8);
      p[2] = static_cast<std::uint8_t>((p[2] * (255 - s) + red * s) >> 8);
    } else if constexpr (kBlend == Blend::kScreen) {
      const int tint = grey * s / 255;
      p[0] = static_cast<std::uint8_t>(255 - (255 - p[0]) * (255 - tint) / 255);
      p[1] = static_cast<std::uint8_t>(255 - (255 - p[1]) * (255 - tint) / 255);
      p[2] = static_cast<std::uint8_t>(255 - (255 - p[2]) * (255 - tint) / 255);
    } else {
      const int tint = grey * s / 255;
      p[0] = static_cast<std::uint8_t>((p[0] * (255 - tint) + tint * job.second.b) >> 8);
      p[1] = static_cast<std::uint8_t>((p[1] * (255 - tint) + tint * job.second.g) >> 8);
      p[2] = static_cast<std::uint8_t>((p[2] * (255 - tint) + tint * job.second.r) >> 8);
    }
  }
}

template <bool kRotated, Blend kBlend>
void DispatchTransparent(const RowJob& job, std::uint8_t* p, std::uint8_t* mask_row, bool transparent) {
  if (transparent) MapRow<kRotated, kBlend, true>(job, p, mask_row);
  else MapRow<kRotated, kBlend, false>(job, p, mask_row);
}

template <bool kRotated>
void DispatchBlend(const RowJob& job, std::uint8_t* p, std::uint8_t* mask_row, Blend blend, bool transparent) {
  switch (blend) {
    case Blend::kReplace: return DispatchTransparent<kRotated, Blend::kReplace>(job, p, mask_row, transparent);
    case Blend::kMix: return DispatchTransparent<kRotated, Blend::kMix>(job, p, mask_row, transparent);
    case Blend::kScreen: return DispatchTransparent<kRotated, Blend::kScreen>(job, p, mask_row, transparent);
    case Blend::kTwoColour: return DispatchTransparent<kRotated, Blend::kTwoColour>(job, p, mask_row, transparent);
  }
}

void DispatchRow(const RowJob& job, std::uint8_t* p, std::uint8_t* mask_row, bool rotated, Blend blend,
                 bool transparent) {
  if (rotated) DispatchBlend<true>(job, p, mask_row, blend, transparent);
  else DispatchBlend<false>(job, p, mask_row, blend, transparent);
}

}  // namespace

void MapTexture(CDIBSection& image, std::uint8_t* mask, const TextureView& texture,
                const TextureMapping& m) {
  if (image.IsEmpty() || image.Bits() != 32 || !texture || texture.width < 1 || texture.height < 1)
    return;
  const int w = image.Width(), h = image.Height();
  const std::int64_t tw = texture.width, th = texture.height;
  const int strength = std::clamp(m.strength, 0, 255);

  // The field named Y scales horizontally and the one named X vertically.
  const std::int64_t step_h = TexelStep(m.scale_y);
  const std::int64_t step_v = TexelStep(m.scale_x);
  const bool unscaled = m.scale_x == 0 && m.scale_y == 0;
  const float a1 = static_cast<float>((360 - m.angle_x) * 3.1415926535 / 180);
  const float a2 = static_cast<float>(m.angle_y * 3.1415926535 / 180);
  float c1 = std::cos(a1), s1 = std::sin(a1);
  float c2 = std::cos(a2), s2 = std::sin(a2);
  // Angles that are not numbers (or too large for single precision) from a damaged file
  // turn nothing; everything below then stays finite.
  const bool usable_angles = std::isfinite(c1) && std::isfinite(s1) && std::isfinite(c2) && std::isfinite(s2);
  if (!usable_angles) c1 = 1, s1 = 0, c2 = 1, s2 = 0;
  const bool rotated = usable_angles && (m.angle_x != 0 || m.angle_y != 0);

  std::int64_t ox = tw - m.offset_x;
  if (ox < 0) ox += tw;
  std::int64_t oy = th - m.offset_y;
  if (oy < 0) oy += th;
  const float dx = static_cast<float>(w - ox), dy = static_cast<float>(h - oy);
  const std::int64_t l0 = (TruncToInt64(dx - c1 * dx - s1 * dy) * step_h) >> 8;
  const std::int64_t m0 = (TruncToInt64(s2 * dx + dy - c2 * dy) * step_v) >> 8;
  const float l0f = static_cast<float>(l0), m0f = static_cast<float>(m0);

  // Per column: the unrotated texel column u and its two rotated products.
  std::vector<std::int64_t> column_u(static_cast<std::size_t>(w));
  std::vector<float> u_c1(static_cast<std::size_t>(w)), u_s2(static_cast<std::size_t>(w));
  for (int j = 0; j < w; ++j) {
    const std::int64_t u = unscaled ? j : (j * step_h) >> 8;
    column_u[static_cast<std::size_t>(j)] = u;
    u_c1[static_cast<std::size_t>(j)] = static_cast<float>(u) * c1;
    u_s2[static_cast<std::size_t>(j)] = static_cast<float>(u) * s2;
  }

  const std::int64_t last_texel = 3 * (tw * th - 1);
  const ColourBytes second = ImageBytes(m.colour2);
  const Blend blend = !m.screen ? (strength == 255 ? Blend::kReplace : Blend::kMix)
                                : (m.two_colour ? Blend::kTwoColour : Blend::kScreen);
  const RowJob shared{texture.pixels, tw, th, ox, oy, last_texel, strength, second, column_u.data(), u_c1.data(),
                      u_s2.data(), l0f, m0f, w};
  // Each row reads the texture and writes only its own image and mask row: bands of rows
  // are mapped side by side.
  ParallelRows(h, MinRowsToSplit(w), [&](int first, int last) {
    RowJob job = shared;
    for (int r = first; r < last; ++r) {
      // Image row r counted from the top is memory row h - 1 - r and mask row r.
      const std::int64_t v = unscaled ? r : (r * step_v) >> 8;
      job.v = v;
      job.v_s1 = static_cast<float>(v) * s1;
      job.v_c2 = static_cast<float>(v) * c2;
      std::uint8_t* p = image.Row(r);
      std::uint8_t* mask_row = mask + static_cast<std::size_t>(r) * w;
      DispatchRow(job, p, mask_row, rotated, blend, m.transparent);
    }
  });
}

void TextureRelief(CDIBSection& image, int depth) {
  if (image.IsEmpty() || image.Bits() != 32) return;
  const int w = image.Width(), h = image.Height();
  std::vector<std::uint8_t> heights(static_cast<std::size_t>(w) * h);
  const bool invert = depth <= 100;
  for (int r = 0; r < h; ++r) {
    const std::uint8_t* p = image.Row(r);
    std::uint8_t* out = heights.data() + static_cast<std::size_t>(r) * w;
    for (int j = 0; j < w; ++j, p += 4) {
      const int v = (29 * p[0] + 226 * p[1]) >> 8;
      out[j] = static_cast<std::uint8_t>(invert ? 255 - v : v);
    }
  }
  const int intensity = static_cast<int>(std::min<long long>(std::llabs(static_cast<long long>(depth) - 100), 1 << 20));
  ShadeFromHeightMap(image, heights.data(), w, h, 135, 35, 255, intensity, false);
}

}  // namespace lumi
