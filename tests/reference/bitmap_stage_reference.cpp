#include "bitmap_stage_reference.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "objects/curve_math.h"
#include "effects/profile_blur.h"
#include "resample_reference.h"

namespace lumi::reference {

namespace {

// Pixel (x, y) in storage order (row 0 the bottom row).
std::uint8_t* Stored(CDIBSection& b, int x, int y) {
  return b.Pixels() + (static_cast<std::size_t>(y) * b.Width() + x) * 4;
}
const std::uint8_t* Stored(const CDIBSection& b, int x, int y) {
  return b.Pixels() + (static_cast<std::size_t>(y) * b.Width() + x) * 4;
}

}  // namespace

CDIBSection ScaleBitmap(const CDIBSection& source, int width, int height) {
  const std::vector<std::uint8_t> in(source.Pixels(), source.Pixels() + source.PixelBytes());
  const std::vector<std::uint8_t> out = Resample(ScaleKernel::kBilinear, in, source.Width(),
                                                 source.Height(), width, height, 4);
  CDIBSection result;
  result.Create(width, height, 32, true);
  std::memcpy(result.Pixels(), out.data(), out.size());
  return result;
}

void WarpEnlargedSource(const CDIBSection& enlarged, const std::array<double, 16>& env,
                        CDIBSection& work) {
  const int sw = work.Width(), sh = work.Height();
  const int ew = enlarged.Width(), eh = enlarged.Height();
  Point e[8];
  for (int n = 0; n < 8; ++n)
    e[n] = {static_cast<int>(sw * env[2 * n]), static_cast<int>(sh * env[2 * n + 1])};
  for (int i = 0; i < eh; ++i) {
    for (int j = 0; j < ew; ++j) {
      const int k = static_cast<int>(static_cast<long long>(ew - 1) * j / ew);
      const double t = static_cast<double>(k) / ew;
      const Point top = BezierPoint(t, e[0], e[1], e[2], e[3]);
      const Point bottom = BezierPoint(t, e[4], e[5], e[6], e[7]);
      const double q = static_cast<double>(i) / eh;
      const int x = static_cast<int>(top.x * (1 - q) + bottom.x * q);
      const int y = static_cast<int>(bottom.y * q + top.y * (1 - q));
      if (x < 0 || x >= sw || y < 0 || y >= sh) continue;
      const std::uint8_t* s = enlarged.Row(i) + 4 * j;
      std::uint8_t* d = work.Row(y) + 4 * x;
      for (int c = 0; c < 4; ++c) d[c] = s[c];
    }
  }
}

void RotateEnlargedSource(const CDIBSection& enlarged, int angle_degrees, CDIBSection& work) {
  const int sw = enlarged.Width() / 2, sh = enlarged.Height() / 2;
  const int w = work.Width() / 2, h = work.Height() / 2;
  const double a = angle_degrees * 3.1415926535 / 180;
  const float c = static_cast<float>(std::cos(a));
  const float s = static_cast<float>(std::sin(a));
  const int cx = sw, cy = sh, ox = w - sw, oy = h - sh;
  for (int i = 0; i < 2 * h; ++i) {
    for (int j = 0; j < 2 * w; ++j) {
      const int x = static_cast<int>(cx + (j - ox - cx) * c + (i - oy - cy) * s);
      const int y = static_cast<int>(cy - (j - ox - cx) * s + (i - oy - cy) * c);
      const bool inside = x >= 0 && x < 2 * sw && y >= 0 && y < 2 * sh;
      const std::uint8_t* p =
          Stored(enlarged, std::clamp(x, 0, 2 * sw - 1), std::clamp(y, 0, 2 * sh - 1));
      std::uint8_t* d = Stored(work, j, i);
      d[0] = p[0];
      d[1] = p[1];
      d[2] = p[2];
      d[3] = inside ? p[3] : 0;
    }
  }
}

void RenderBitmapImage(const CDIBSection& source, const std::array<double, 16>* envelope,
                       int angle_degrees, CDIBSection& image) {
  const int sw = source.Width(), sh = source.Height();
  const int w = image.Width(), h = image.Height();
  CDIBSection result;
  if (envelope) {
    const CDIBSection enlarged = ScaleBitmap(source, 3 * sw, 3 * sh);
    CDIBSection work;
    work.Create(sw, sh, 32, true);
    for (int y = 0; y < sh; ++y) {
      for (int x = 0; x < sw; ++x) {
        std::uint8_t* d = Stored(work, x, y);
        d[0] = d[1] = d[2] = 255;
        d[3] = 0;
      }
    }
    WarpEnlargedSource(enlarged, *envelope, work);
    result = (sw == w && sh == h) ? work : ScaleBitmap(work, w, h);
  } else if (angle_degrees != 0) {
    const CDIBSection enlarged = ScaleBitmap(source, 2 * sw, 2 * sh);
    CDIBSection work;
    work.Create(2 * w, 2 * h, 32, true);
    RotateEnlargedSource(enlarged, angle_degrees, work);
    result = ScaleBitmap(work, w, h);
  } else {
    result = (sw == w && sh == h) ? source : ScaleBitmap(source, w, h);
  }
  std::memcpy(image.Pixels(), result.Pixels(), image.PixelBytes());
}

void TransparencyFromIntensity(CDIBSection& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      std::uint8_t* p = bitmap.Row(y) + 4 * x;
      const int a = std::min(255, (765 - p[2] - p[1] - p[0]) * 2);
      p[3] = static_cast<std::uint8_t>(std::min<int>(a, p[3]));
    }
  }
}

void ColourTransparency(CDIBSection& bitmap, COLORREF colour, int tolerance) {
  const int w = bitmap.Width(), h = bitmap.Height();
  const int rgb[3] = {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
  auto within = [&](const std::uint8_t* p) {
    return std::abs(p[2] - rgb[0]) <= tolerance && std::abs(p[1] - rgb[1]) <= tolerance &&
           std::abs(p[0] - rgb[2]) <= tolerance;
  };
  // The mask lies over the stored pixels, bottom row first.
  std::vector<std::uint8_t> mask(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) mask[y * w + x] = within(Stored(bitmap, x, y)) ? 0 : 255;
  if (tolerance > 4) CProfileBlur(0).Apply(mask.data(), w, h, std::max(tolerance / 20, 1));
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = Stored(bitmap, x, y);
      const int m = mask[y * w + x];
      const int e = (within(p) || m < 129) ? 0 : (2 * m) % 256;
      p[3] = static_cast<std::uint8_t>(std::min<int>(e, p[3]));
    }
  }
}

}  // namespace lumi::reference
