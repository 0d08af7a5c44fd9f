#include "render/effects.h"

#include <algorithm>
#include <cmath>

#include "base/errors.h"
#include "base/parallel_render.h"
#include "effects/profile_blur.h"
#include "render/shade_from_height_map.h"

namespace lumi {

namespace {

void CheckImage(const CDIBSection& image) {
  if (image.IsEmpty() || image.Bits() != 32) {
    throw BitmapError("an effect needs a 32-bit object image");
  }
}

// Layer sizes, checked against the bitmap limits before anything is allocated.
struct LayerSize {
  int width, height;
};

LayerSize LayerSizeFor(const CDIBSection& image, int margin) {
  const long long w = image.Width() + 2LL * margin, h = image.Height() + 2LL * margin;
  // Both limits of the bitmap, so the byte buffers of the same size are never larger
  // than a layer may be.
  if (margin < 0 || w > CDIBSection::kMaxSide || h > CDIBSection::kMaxSide ||
      w * h > CDIBSection::kMaxPixels) {
    throw BitmapError("the effect margin is out of range");
  }
  return {static_cast<int>(w), static_cast<int>(h)};
}

// One silhouette row: the alpha of `width` pixels scaled by the opacity.
void ScaledAlphaRow(const std::uint8_t* pixels, int width, int opacity, std::uint8_t* out) {
  for (int j = 0; j < width; ++j) {
    const int v = (pixels[j * 4 + 3] * opacity) >> 8;
    out[j] = static_cast<std::uint8_t>(std::clamp(v, 0, 255));
  }
}

// Darkens one image row: pixel j by what the coverage lacks at column j + shift of
// `coverage` (a row of `coverage_width` bytes, null when the row lies outside the
// buffer); samples outside count 0, full darkening.
void DarkenRow(std::uint8_t* row, int width, const std::uint8_t* coverage, long long coverage_width,
               long long shift, int opacity) {
  for (int j = 0; j < width; ++j) {
    const long long bx = static_cast<long long>(j) + shift;
    const int v = (coverage && bx >= 0 && bx < coverage_width) ? coverage[bx] : 0;
    const long long d = (static_cast<long long>(255 - v) * opacity) >> 8;
    std::uint8_t* p = row + j * 4;
    for (int c = 0; c < 3; ++c)
      p[c] = static_cast<std::uint8_t>(std::clamp<long long>(p[c] - d, 0, 255));
  }
}

}  // namespace

EffectOffset LayerOffset(const EffectSettings& effect) {
  return LayerOffset(effect.kind, effect.distance, effect.angle);
}

std::vector<std::uint8_t> BuildSilhouette(const CDIBSection& image, const EffectSettings& effect) {
  CheckImage(image);
  const LayerSize size = LayerSizeFor(image, effect.margin);
  const int lw = size.width, lh = size.height, m = effect.margin;
  const int w = image.Width(), h = image.Height();
  // The layer row each silhouette row takes, as an image row (outside the image: the row
  // stays 0). Layer memory rows go bottom first; "Sun Shadow" gives four layer rows to
  // each silhouette row and the last one wins. Found here in layer order, so the rows
  // can then be written side by side.
  std::vector<int> image_row(lh, -1);
  for (int r = 0; r < lh; ++r) {
    int target = lh - 1 - r;
    if (effect.kind == kSunShadow) target = std::clamp(lh - r / 4 - 10, 0, lh - 1);
    image_row[target] = r - m;
  }
  std::vector<std::uint8_t> s(static_cast<std::size_t>(lw) * lh, 0);
  ParallelRows(lh, MinRowsToSplit(lw), [&](int first, int last) {
    for (int t = first; t < last; ++t) {
      const int i = image_row[t];
      if (i < 0 || i >= h) continue;
      ScaledAlphaRow(image.Pixels() + static_cast<std::size_t>(i) * w * 4, w, effect.opacity,
                     s.data() + static_cast<std::size_t>(t) * lw + m);
    }
  });
  return s;
}

void BlurSilhouette(std::uint8_t* silhouette, int width, int height, const EffectSettings& effect) {
  const int softness = effect.softness;
  if (softness <= 0) return;
  switch (effect.kind) {
    case kGlow:
      CProfileBlur(CProfileBlur::kSmooth).Apply(silhouette, width, height, softness / 2);
      CProfileBlur(CProfileBlur::kDouble).Apply(silhouette, width, height, softness);
      break;
    case kHalo:
      CProfileBlur(CProfileBlur::kRings).Apply(silhouette, width, height, softness);
      break;
    case kInset:
    case kInsetShadow:
      CProfileBlur(CProfileBlur::kDouble).Apply(silhouette, width, height, softness);
      break;
    case kDropShadow:
    case kSunShadow:
      CProfileBlur(CProfileBlur::kSmooth).Apply(silhouette, width, height, softness);
      break;
    default:
      break;
  }
}

void BuildEffectLayer(CDIBSection& layer, const CDIBSection& image, const EffectSettings& effect) {
  if (!DrawsEffectLayer(effect.kind)) return;
  std::vector<std::uint8_t> s = BuildSilhouette(image, effect);
  const LayerSize size = LayerSizeFor(image, effect.margin);
  BlurSilhouette(s.data(), size.width, size.height, effect);
  // A layer of the right size from the last render is rewritten in place (every pixel
  // gets its colour and alpha again); one of another size goes before the new one is
  // made, so the two are never held together.
  const bool reuse = !layer.IsEmpty() && layer.Bits() == 32 && layer.Width() == size.width &&
                     layer.Height() == size.height;
  if (!reuse) {
    layer.ResetToDefault();
    layer.Create(size.width, size.height);
  }
  layer.FillRGB(effect.colour);
  if (effect.kind == kInset || effect.kind == kInsetShadow) {
    ShadeFromHeightMap(layer, s.data(), size.width, size.height, 360 - effect.angle, 45, 255,
                       effect.opacity, false);
  }
  layer.SetAlphaFromMask(s.data());
}

void InnerShadow(CDIBSection& image, const std::uint8_t* mask, const EffectSettings& effect) {
  CheckImage(image);
  const LayerSize size = LayerSizeFor(image, effect.margin);
  const int lw = size.width, lh = size.height, m = effect.margin;
  const int w = image.Width(), h = image.Height();
  std::vector<std::uint8_t> b(static_cast<std::size_t>(lw) * lh, 0);
  const int min_rows = MinRowsToSplit(w);
  ParallelRows(h, min_rows, [&](int first, int last) {
    for (int y = first; y < last; ++y) {
      std::copy(mask + static_cast<std::size_t>(y) * w, mask + static_cast<std::size_t>(y + 1) * w,
                b.begin() + static_cast<std::ptrdiff_t>(y + m) * lw + m);
    }
  });
  CProfileBlur(CProfileBlur::kSmooth).Apply(b.data(), lw, lh, effect.softness);
  const EffectOffset offset = ShadowOffset(effect.distance, effect.angle);
  // Each row reads the blurred buffer and darkens only itself.
  ParallelRows(h, min_rows, [&](int first, int last) {
    for (int i = first; i < last; ++i) {  // memory rows, bottom first
      std::uint8_t* row = image.Pixels() + static_cast<std::size_t>(i) * w * 4;
      const long long by = static_cast<long long>(h - 1 - i) + m - offset.dy;
      const std::uint8_t* coverage =
          by >= 0 && by < lh ? b.data() + static_cast<std::size_t>(by) * lw : nullptr;
      DarkenRow(row, w, coverage, lw, static_cast<long long>(m) - offset.dx, effect.opacity);
    }
  });
}

void ApplyEffectStage(CDIBSection& image, CDIBSection& layer, const std::uint8_t* mask,
                      const EffectSettings& effect) {
  if (effect.kind == kCutout || effect.kind == kInsetShadow) InnerShadow(image, mask, effect);
  BuildEffectLayer(layer, image, effect);
}

}  // namespace lumi
