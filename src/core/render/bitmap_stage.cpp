#include "render/bitmap_stage.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "image/two_pass_scaler.h"
#include "objects/curve_math.h"

namespace lumi {

namespace {

constexpr double kDegreesToRadians = 3.1415926535 / 180.0;

bool ScaleBilinear(const CDIBSection& from, CDIBSection& to, int width, int height) {
  CTwoPassScaler scaler(ScaleKernel::kBilinear);
  return scaler.ScaleBitmap(from, to, width, height);
}

// Copies or resamples `from` into `image`, keeping `image` at its own size.
bool ScaleInto(const CDIBSection& from, CDIBSection& image) {
  if (from.Width() == image.Width() && from.Height() == image.Height()) {
    std::memcpy(image.Pixels(), from.Pixels(), image.PixelBytes());
    return true;
  }
  CDIBSection scaled;
  if (!ScaleBilinear(from, scaled, image.Width(), image.Height())) return false;
  std::memcpy(image.Pixels(), scaled.Pixels(), image.PixelBytes());
  return true;
}

bool WarpThroughEnvelope(const CDIBSection& source, const std::array<double, 16>& envelope,
                         CDIBSection& image) {
  const int sw = source.Width(), sh = source.Height();
  CDIBSection work;
  {
    CDIBSection enlarged;
    if (!ScaleBilinear(source, enlarged, 3 * sw, 3 * sh)) return false;
    work.Create(sw, sh, 32, true);
    work.FillRGB(0xFFFFFF);  // white, alpha 0 where nothing lands
    WarpEnlargedSource(enlarged, EnvelopePixels(envelope, sw, sh), work);
  }  // the enlarged source goes before the result is scaled
  return ScaleInto(work, image);
}

bool RotateBitmap(const CDIBSection& source, int angle_degrees, CDIBSection& image) {
  const int sw = source.Width(), sh = source.Height();
  const int w = image.Width(), h = image.Height();
  if (std::int64_t{2} * w * 2 * h > CDIBSection::kMaxPixels || 2 * w > CDIBSection::kMaxSide ||
      2 * h > CDIBSection::kMaxSide)
    return false;
  CDIBSection work;
  {
    CDIBSection enlarged;
    if (!ScaleBilinear(source, enlarged, 2 * sw, 2 * sh)) return false;
    work.Create(2 * w, 2 * h, 32, true);
    RotateEnlargedSource(enlarged, angle_degrees, work);
  }
  CDIBSection reduced;
  if (!ScaleBilinear(work, reduced, w, h)) return false;
  std::memcpy(image.Pixels(), reduced.Pixels(), image.PixelBytes());
  return true;
}

}  // namespace

std::array<Point, 8> EnvelopePixels(const std::array<double, 16>& envelope, int width, int height) {
  std::array<Point, 8> points;
  for (int i = 0; i < 8; ++i) {
    points[i] = {static_cast<int>(width * envelope[2 * i]),
                 static_cast<int>(height * envelope[2 * i + 1])};
  }
  return points;
}

void WarpEnlargedSource(const CDIBSection& enlarged, const std::array<Point, 8>& e,
                        CDIBSection& work) {
  const int ew = enlarged.Width(), eh = enlarged.Height();
  const int ww = work.Width(), wh = work.Height();
  // Per column of the enlarged source: the two curve points it moves between. Samples
  // are taken at t = k / ew and columns pick theirs by k = (ew - 1) j / ew.
  std::vector<Point> top(ew), bottom(ew);
  for (int k = 0; k < ew; ++k) {
    const double t = static_cast<double>(k) / ew;
    top[k] = BezierPoint(t, e[0], e[1], e[2], e[3]);
    bottom[k] = BezierPoint(t, e[4], e[5], e[6], e[7]);
  }
  struct Column {
    double top_x, bottom_x, top_y, bottom_y;
  };
  std::vector<Column> columns(ew);
  for (int j = 0; j < ew; ++j) {
    const int k = static_cast<int>(static_cast<std::int64_t>(ew - 1) * j / ew);
    columns[j] = {static_cast<double>(top[k].x), static_cast<double>(bottom[k].x),
                  static_cast<double>(top[k].y), static_cast<double>(bottom[k].y)};
  }
  for (int i = 0; i < eh; ++i) {
    const double q = static_cast<double>(i) / eh;
    const double p = 1.0 - q;
    const std::uint8_t* s = enlarged.Row(i);
    for (int j = 0; j < ew; ++j, s += 4) {
      const Column& c = columns[j];
      const int x = static_cast<int>(c.top_x * p + c.bottom_x * q);
      const int y = static_cast<int>(c.bottom_y * q + c.top_y * p);
      if (static_cast<unsigned>(x) >= static_cast<unsigned>(ww) ||
          static_cast<unsigned>(y) >= static_cast<unsigned>(wh))
        continue;
      std::memcpy(work.Row(y) + 4 * x, s, 4);
    }
  }
}

void RotateEnlargedSource(const CDIBSection& enlarged, int angle_degrees, CDIBSection& work) {
  const int ew = enlarged.Width(), eh = enlarged.Height();
  const int sw = ew / 2, sh = eh / 2;
  const int w = work.Width() / 2, h = work.Height() / 2;
  const double a = angle_degrees * kDegreesToRadians;
  const float c = static_cast<float>(std::cos(a));
  const float s = static_cast<float>(std::sin(a));
  const int cx = sw, cy = sh, ox = w - sw, oy = h - sh;
  // The column terms are the same on every row; the sums keep the order
  // cx + dx c + dy s (and cy - dx s + dy c) of the per-pixel form, so no bit changes.
  const int ww = work.Width(), wh = work.Height();
  std::vector<float> dx_c(ww), dx_s(ww);
  for (int j = 0; j < ww; ++j) {
    dx_c[j] = static_cast<float>(j - ox - cx) * c;
    dx_s[j] = static_cast<float>(j - ox - cx) * s;
  }
  const std::uint8_t* src = enlarged.Pixels();
  const std::size_t stride = static_cast<std::size_t>(ew) * 4;
  std::uint8_t* out = work.Pixels();  // storage order: row 0 is the bottom row
  for (int i = 0; i < wh; ++i) {
    const float dy = static_cast<float>(i - oy - cy);
    const float dy_s = dy * s, dy_c = dy * c;
    for (int j = 0; j < ww; ++j, out += 4) {
      const int x = static_cast<int>(static_cast<float>(cx) + dx_c[j] + dy_s);
      const int y = static_cast<int>(static_cast<float>(cy) - dx_s[j] + dy_c);
      const bool inside = static_cast<unsigned>(x) < static_cast<unsigned>(ew) &&
                          static_cast<unsigned>(y) < static_cast<unsigned>(eh);
      const int xc = x < 0 ? 0 : (x >= ew ? ew - 1 : x);
      const int yc = y < 0 ? 0 : (y >= eh ? eh - 1 : y);
      const std::uint8_t* p = src + yc * stride + static_cast<std::size_t>(xc) * 4;
      out[0] = p[0];
      out[1] = p[1];
      out[2] = p[2];
      out[3] = inside ? p[3] : 0;
    }
  }
}

void RenderBitmapImage(const CDIBSection& source, const std::array<double, 16>* envelope,
                       int angle_degrees, CDIBSection& image) {
  if (image.IsEmpty() || image.Bits() != 32) return;
  if (source.IsEmpty() || source.Bits() != 32) {
    std::memset(image.Pixels(), 0, image.PixelBytes());
    return;
  }
  try {
    if (envelope) {
      if (WarpThroughEnvelope(source, *envelope, image)) return;
    } else if (angle_degrees != 0) {
      if (RotateBitmap(source, angle_degrees, image)) return;
    }
  } catch (const std::exception&) {
    // A work image the limits or the memory refuse: the plain image below instead.
  }
  if (!ScaleInto(source, image)) std::memset(image.Pixels(), 0, image.PixelBytes());
}

}  // namespace lumi
