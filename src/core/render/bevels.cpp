#include "render/bevels.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "base/errors.h"
#include "effects/profile_blur.h"
#include "render/shade_from_height_map.h"

namespace lumi {

namespace {

std::uint8_t ClampByte(long long v) {
  return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

// Truncation toward zero, saturating at the int range.
int Trunc(double v) {
  if (!(v > -2147483648.0)) return v != v ? 0 : -2147483647 - 1;
  if (v >= 2147483647.0) return 2147483647;
  return static_cast<int>(v);
}

void CheckImage(const CDIBSection& image) {
  if (image.IsEmpty() || image.Bits() != 32) {
    throw BitmapError("a bevel needs a 32-bit object image");
  }
}

// The 3 x 3 average with clamped coordinates, integer division by 9.
int Average3x3(const std::uint8_t* map, int width, int height, int x, int y) {
  int sum = 0;
  for (int dy = -1; dy <= 1; ++dy) {
    const std::uint8_t* row = map + static_cast<std::size_t>(std::clamp(y + dy, 0, height - 1)) * width;
    for (int dx = -1; dx <= 1; ++dx) sum += row[std::clamp(x + dx, 0, width - 1)];
  }
  return sum / 9;
}

}  // namespace

int GeneralBevelMode(int kind) {
  switch (kind) {
    case kSmoothBevel: return CProfileBlur::kSmooth;
    case kFlatBevel: return CProfileBlur::kFlat;
    case kFramedBevel: return CProfileBlur::kFramed;
    case kRandomNoiseBevel: return CProfileBlur::kNoise;
    case kSaucerBevel: return CProfileBlur::kSaucer;
    case kFrameBevel: return CProfileBlur::kFrame;
    case kOutlineBevel: return CProfileBlur::kOutline;
    case kBumpOutBevel: return CProfileBlur::kSmooth;
    default: return -1;
  }
}

void StandardLighting(CDIBSection& image, const std::uint8_t* heights, int angle,
                      int intensity, bool squaring) {
  ShadeFromHeightMap(image, heights, image.Width(), image.Height(), angle, 30, 255, intensity,
                     squaring);
}

void PrepareOutlineBand(std::uint8_t* mask, int width, int height, int bevel_width) {
  if (width < 1 || height < 1) return;
  std::vector<std::uint8_t> blurred(mask, mask + static_cast<std::size_t>(width) * height);
  CProfileBlur(CProfileBlur::kSmooth).Apply(blurred.data(), width, height, BevelSigma(bevel_width));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int d = blurred[static_cast<std::size_t>(y) * width + x];
      // The inside of the band folds down again: twice the height up to the middle, then
      // back towards 1.
      const int e = Average3x3(blurred.data(), width, height, x, y) > 128 ? 511 - 2 * d : 2 * d;
      mask[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint8_t>(std::min(e, 255));
    }
  }
}

void LinearFeatherRamp(std::uint8_t* map, int width, int height, int bevel_width) {
  if (width < 1 || height < 1) return;
  const int step = bevel_width == 0 ? 256 : 256 / (2 * bevel_width);
  // One scan of `count` pixels `stride` apart from `start`.
  auto scan = [step](std::uint8_t* start, std::ptrdiff_t stride, int count) {
    int running = 0;
    for (int k = 0; k < count; ++k) {
      std::uint8_t& pixel = start[k * stride];
      if (running >= pixel) {
        running = pixel;
      } else {
        // Kept within 0..255 so that a negative width cannot wrap the bytes.
        running = std::clamp(running + step, 0, 255);
        pixel = static_cast<std::uint8_t>(running);
      }
    }
  };
  for (int y = 0; y < height; ++y) scan(map + static_cast<std::size_t>(y) * width, 1, width);
  for (int y = 0; y < height; ++y) {
    scan(map + static_cast<std::size_t>(y) * width + width - 1, -1, width);
  }
  for (int x = 0; x < width; ++x) scan(map + x, width, height);
  for (int x = 0; x < width; ++x) {
    scan(map + static_cast<std::size_t>(height - 1) * width + x, -static_cast<std::ptrdiff_t>(width), height);
  }
}

void PrepareFeather(std::uint8_t* mask, int width, int height, const BevelSettings& bevel) {
  if (bevel.kind != kFeatherBevel && bevel.kind != kLinearFeatherBevel) return;
  if (bevel.intensity == 0 || width < 1 || height < 1) return;
  const std::size_t count = static_cast<std::size_t>(width) * height;
  std::vector<std::uint8_t> soft(mask, mask + count);
  if (bevel.kind == kFeatherBevel) {
    CProfileBlur(CProfileBlur::kSmooth)
        .Apply(soft.data(), width, height, std::max(bevel.width / 3.0, 1.0));
  } else {
    LinearFeatherRamp(soft.data(), width, height, bevel.width);
  }
  if (bevel.intensity == 100) {
    std::copy(soft.begin(), soft.end(), mask);
    return;
  }
  for (std::size_t i = 0; i < count; ++i) {
    mask[i] = ClampByte(Trunc(static_cast<double>(mask[i]) * (100 - bevel.intensity) * 0.005 + soft[i]));
  }
}

void BumpOutAlpha(CDIBSection& image, const EffectLayerPlacement& effect) {
  CheckImage(image);
  CDIBSection* layer = effect.layer;
  const bool has_layer = layer && !layer->IsEmpty() && layer->Bits() == 32;
  const int w = image.Width(), h = image.Height();
  for (int i = 0; i < h; ++i) {  // memory rows, bottom first
    std::uint8_t* row = image.Pixels() + static_cast<std::size_t>(i) * w * 4;
    std::uint8_t* layer_row = nullptr;
    if (has_layer) {
      const int r = std::clamp(effect.margin + effect.dy + i, 0, layer->Height() - 1);
      layer_row = layer->Pixels() + static_cast<std::size_t>(r) * layer->Width() * 4;
    }
    for (int j = 0; j < w; ++j) {
      std::uint8_t* p = row + j * 4;
      const int e = std::min(std::abs(p[0] - 128) * 2, 255);
      if (layer_row) {
        const int c = std::clamp(effect.margin - effect.dx + j, 0, layer->Width() - 1);
        std::uint8_t& under = layer_row[c * 4 + 3];
        under = static_cast<std::uint8_t>(std::min<int>(under, 255 - p[3]));
      }
      p[3] = static_cast<std::uint8_t>(std::min<int>(e, p[3]));
    }
  }
}

void WarpAlongSlopes(CDIBSection& image, const std::uint8_t* heights) {
  CheckImage(image);
  const int w = image.Width(), h = image.Height();
  auto height_at = [heights, w](int i, int j) {
    return static_cast<int>(heights[static_cast<std::size_t>(i) * w + j]);
  };
  // A single column or row has no slope to follow.
  if (w >= 2) {
    const CDIBSection copy = image;
    for (int i = 0; i < h; ++i) {
      const std::uint8_t* from = copy.Row(i);
      std::uint8_t* to = image.Row(i);
      for (int j = 0; j < w; ++j) {
        const int j1 = j == w - 1 ? w - 2 : j, j2 = j == w - 1 ? w - 1 : j + 1;
        int s = (height_at(i, j1) - height_at(i, j2) + j) % w;
        if (s < 0) s += w;
        std::copy(from + s * 4, from + s * 4 + 3, to + j * 4);
      }
    }
  }
  if (h >= 2) {
    const CDIBSection copy = image;
    for (int i = 0; i < h; ++i) {
      const int i1 = i == h - 1 ? h - 2 : i, i2 = i == h - 1 ? h - 1 : i + 1;
      std::uint8_t* to = image.Row(i);
      for (int j = 0; j < w; ++j) {
        int t = (height_at(i1, j) - height_at(i2, j) + i) % h;
        if (t < 0) t += h;
        const std::uint8_t* from = copy.Row(t) + j * 4;
        std::copy(from, from + 3, to + j * 4);
      }
    }
  }
}

BallLightValue BallLight(double u, double v, double z, const BevelSettings& bevel) {
  const double d = bevel.light_x * u + bevel.light_y * v + bevel.light_z * z;
  const double diffuse = std::max(d, 0.0);
  const double s = std::max(2 * d * z - bevel.light_z, 0.0);
  double highlight = s;
  const long long steps = 35 - static_cast<long long>(bevel.width) * 35 / 30;
  for (long long k = 0; k < steps; ++k) {
    highlight *= s;
    if (highlight < 0.01) {
      highlight = 0;
      break;
    }
    if (highlight > 2) highlight = 2;
  }
  const int q = Trunc(bevel.intensity * 0.01 * 255) % 256;
  const int red_q = static_cast<int>((static_cast<long long>(q) * 65793) >> 16);
  return {std::min(Trunc(diffuse * 128 + highlight * q), 255),
          std::min(Trunc(diffuse * 128 + highlight * red_q), 255)};
}

void BallLighting(CDIBSection& image, const BevelSettings& bevel) {
  CheckImage(image);
  const int w = image.Width(), h = image.Height();
  const int cx = w / 2, cy = h / 2, rx = cx - 10, ry = cy - 10;
  if (rx <= 0 || ry <= 0) return;
  for (int y = 0; y < h; ++y) {
    std::uint8_t* row = image.Row(y);
    const double v = static_cast<double>(y - cy) / ry;
    for (int x = 0; x < w; ++x) {
      const double u = static_cast<double>(x - cx) / rx;
      const double z = std::sqrt(std::max(0.0, 1 - u * u - v * v));
      const BallLightValue light = BallLight(u, v, z, bevel);
      std::uint8_t* p = row + x * 4;
      p[0] = ClampByte(static_cast<long long>(p[0]) + light.blue_green - 128);
      p[1] = ClampByte(static_cast<long long>(p[1]) + light.blue_green - 128);
      p[2] = ClampByte(static_cast<long long>(p[2]) + light.red - 128);
    }
  }
}

void ApplyBevelStage(CDIBSection& image, std::uint8_t* mask, const BevelSettings& bevel,
                     const EffectLayerPlacement& effect) {
  CheckImage(image);
  const int w = image.Width(), h = image.Height();
  const int mode = GeneralBevelMode(bevel.kind);
  if (mode >= 0) {
    CProfileBlur(mode).Apply(mask, w, h, BevelSigma(bevel.width));
    StandardLighting(image, mask, bevel.angle, bevel.intensity, false);
    if (bevel.kind == kBumpOutBevel) BumpOutAlpha(image, effect);
    return;
  }
  switch (bevel.kind) {
    case kSmoothWarpBevel:
      CProfileBlur(CProfileBlur::kSmooth).Apply(mask, w, h, BevelSigma(bevel.width));
      WarpAlongSlopes(image, mask);
      StandardLighting(image, mask, bevel.angle, bevel.intensity, false);
      break;
    case kSmoothHiLiteBevel:
      CProfileBlur(CProfileBlur::kSmooth).Apply(mask, w, h, BevelSigma(bevel.width));
      StandardLighting(image, mask, bevel.angle, bevel.intensity, true);
      break;
    case kBallBevel:
      BallLighting(image, bevel);
      break;
    default:
      break;
  }
}

}  // namespace lumi
