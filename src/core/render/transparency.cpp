#include "render/transparency.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "render/fill_math.h"
#include "render/ramp_projector.h"

namespace lumi {

TransparencyPattern PatternOfName(const std::string& name) {
  if (name.empty() || name == "Flat.tmb") return TransparencyPattern::kFlat;
  if (name == "Linear.tmb") return TransparencyPattern::kLinear;
  if (name == "Radial.tmb") return TransparencyPattern::kRadial;
  return TransparencyPattern::kImage;
}

namespace {

// The length of the linear ramp for an angle in degrees.
int RampLength(int angle, int w, int h) {
  const double theta = angle * 3.1415926535 / 180;
  return std::abs(TruncToInt(std::cos(theta) * w)) + std::abs(TruncToInt(std::sin(theta) * h));
}

bool Usable(const TextureView& t) { return t && t.width > 0 && t.height > 0; }

// Calls f(pixel, mask byte, grey of the tiled texel) for every pixel, the texture tiled
// from the top-left without scaling.
template <typename F>
void ForEachTiledTexel(CDIBSection& image, std::uint8_t* mask, const TextureView& texture, F f) {
  const int w = image.Width(), h = image.Height();
  for (int r = 0; r < h; ++r) {
    std::uint8_t* p = image.Row(r);
    std::uint8_t* m = mask ? mask + static_cast<std::size_t>(r) * w : nullptr;
    const std::uint8_t* texel_row = texture.pixels + static_cast<std::size_t>(r % texture.height) * texture.width * 3;
    int tx = 0;
    for (int j = 0; j < w; ++j, p += 4) {
      const std::uint8_t* t = texel_row + 3 * tx;
      f(p, m ? m + j : nullptr, (t[0] + t[1] + t[2]) / 3);
      if (++tx == texture.width) tx = 0;
    }
  }
}

void Lighten(std::uint8_t* p, int amount) {
  p[0] = static_cast<std::uint8_t>(std::min(255, p[0] + amount));
  p[1] = static_cast<std::uint8_t>(std::min(255, p[1] + amount));
  p[2] = static_cast<std::uint8_t>(std::min(255, p[2] + amount));
}

}  // namespace

void CutTransparency(CDIBSection& image, std::uint8_t* mask, const TransparencySettings& t,
                     const TextureView& texture) {
  if (image.IsEmpty() || image.Bits() != 32) return;
  const int w = image.Width(), h = image.Height();
  const int a = std::clamp(t.amount, 0, 255);
  switch (t.pattern) {
    case TransparencyPattern::kFlat:
      for (int r = 0; r < h; ++r) {
        std::uint8_t* p = image.Row(r) + 3;
        const std::uint8_t* m = mask + static_cast<std::size_t>(r) * w;
        for (int j = 0; j < w; ++j, p += 4) *p = a == 255 ? 0 : static_cast<std::uint8_t>((m[j] * (255 - a)) >> 8);
      }
      return;
    case TransparencyPattern::kLinear: {
      const int len = RampLength(t.angle, w, h);
      RampProjector ramp(w, h, RampOffset(t.angle), len);
      std::vector<int> positions(static_cast<std::size_t>(w));
      const double slope = len != 0 ? 255.0 / len : 0;
      for (int i = 0; i < h; ++i) {
        std::uint8_t* p = image.Row(h - 1 - i) + 3;
        const std::uint8_t* m = mask + static_cast<std::size_t>(h - 1 - i) * w;
        ramp.Row(i, positions.data());
        for (int j = 0; j < w; ++j, p += 4) {
          const int v = len != 0 ? TruncToInt(slope * positions[static_cast<std::size_t>(j)]) : 255;
          *p = static_cast<std::uint8_t>(ClampByte(m[j] - ((v * a) >> 8)));
        }
      }
      return;
    }
    case TransparencyPattern::kRadial: {
      const std::int64_t hh = h / 2, hw = w / 2, area = hh * hw;
      const double slope = area != 0 ? static_cast<double>(255 - a) / static_cast<double>(area) : 0;
      for (int i = 0; i < h; ++i) {
        const std::int64_t di = i - hh;
        // A 1-pixel-high or -wide object has no ellipse term along that side.
        const std::int64_t row_term = hh != 0 ? di * di * hw / hh : 0;
        std::uint8_t* p = image.Row(h - 1 - i) + 3;
        const std::uint8_t* m = mask + static_cast<std::size_t>(h - 1 - i) * w;
        for (int j = 0; j < w; ++j, p += 4) {
          const std::int64_t dj = j - hw;
          const std::int64_t n = std::max<std::int64_t>(std::min(row_term + (hw != 0 ? dj * dj * hh / hw : 0), area), 0);
          const int cut = ClampByte(area != 0 ? static_cast<int>(slope * static_cast<double>(n) + a) : 255);
          *p = static_cast<std::uint8_t>(ClampByte(m[j] - cut));
        }
      }
      return;
    }
    case TransparencyPattern::kImage:
      if (!Usable(texture)) return;
      ForEachTiledTexel(image, mask, texture, [a](std::uint8_t* p, std::uint8_t* m, int grey) {
        const int taken = a == 255 ? grey : (grey * a) >> 8;
        const auto alpha = static_cast<std::uint8_t>(std::max(0, *m - taken));
        p[3] = alpha;
        *m = alpha;
      });
      return;
  }
}

void PaintTransparency(CDIBSection& image, const TransparencySettings& t,
                       const TextureView& texture) {
  if (image.IsEmpty() || image.Bits() != 32) return;
  const int w = image.Width(), h = image.Height();
  const int a = std::clamp(t.amount, 0, 255);
  switch (t.pattern) {
    case TransparencyPattern::kFlat:
      return;
    case TransparencyPattern::kLinear: {
      const int len = RampLength(t.angle, w, h);
      RampProjector ramp(w, h, RampOffset(t.angle), len);
      std::vector<int> positions(static_cast<std::size_t>(w));
      for (int i = 0; i < h; ++i) {
        std::uint8_t* p = image.Row(h - 1 - i);
        ramp.Row(i, positions.data());
        for (int j = 0; j < w; ++j, p += 4) Lighten(p, (std::max(0, positions[static_cast<std::size_t>(j)]) * a) >> 8);
      }
      return;
    }
    case TransparencyPattern::kRadial: {
      const int d = static_cast<int>(std::sqrt(static_cast<double>(w) * w + static_cast<double>(h) * h) * 0.5);
      const int reach = d * a / 255;
      const double slope = reach != 0 ? 255.0 / reach : 0;
      for (int i = 0; i < h; ++i) {
        std::uint8_t* p = image.Row(h - 1 - i);
        for (int j = 0; j < w; ++j, p += 4) {
          const int y = reach != 0 ? static_cast<int>(slope * Dist(j, i, w, h)) : 255;
          Lighten(p, std::max(0, 255 - y));
        }
      }
      return;
    }
    case TransparencyPattern::kImage:
      if (!Usable(texture)) return;
      ForEachTiledTexel(image, nullptr, texture,
                        [a](std::uint8_t* p, std::uint8_t*, int grey) { Lighten(p, (grey * a) >> 8); });
      return;
  }
}

}  // namespace lumi
