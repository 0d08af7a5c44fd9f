#include "render/bitmap_stage.h"

#include <algorithm>
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

// Sends the enlarged source's pixels along the envelope, one enlarged row at a time.
class EnvelopeWarper {
 public:
  EnvelopeWarper(const std::array<Point, 8>& e, int enlarged_width, int enlarged_height,
                 CDIBSection& work)
      : ew_(enlarged_width), eh_(enlarged_height), work_(work), columns_(enlarged_width) {
    // Samples are taken at t = k / ew; column j picks sample k = (ew - 1) j / ew.
    for (int j = 0; j < ew_; ++j) {
      const int k = static_cast<int>(static_cast<std::int64_t>(ew_ - 1) * j / ew_);
      const double t = static_cast<double>(k) / ew_;
      const Point top = BezierPoint(t, e[0], e[1], e[2], e[3]);
      const Point bottom = BezierPoint(t, e[4], e[5], e[6], e[7]);
      columns_[j] = {static_cast<double>(top.x), static_cast<double>(bottom.x),
                     static_cast<double>(top.y), static_cast<double>(bottom.y)};
    }
  }

  // Row i of the enlarged source, counted from the top.
  void WarpRow(const std::uint8_t* s, int i) {
    const int ww = work_.Width(), wh = work_.Height();
    const double q = static_cast<double>(i) / eh_;
    const double p = 1.0 - q;
    for (int j = 0; j < ew_; ++j, s += 4) {
      const Column& c = columns_[j];
      const int x = static_cast<int>(c.top_x * p + c.bottom_x * q);
      const int y = static_cast<int>(c.bottom_y * q + c.top_y * p);
      if (static_cast<unsigned>(x) >= static_cast<unsigned>(ww) ||
          static_cast<unsigned>(y) >= static_cast<unsigned>(wh))
        continue;
      std::memcpy(work_.Row(y) + 4 * x, s, 4);
    }
  }

 private:
  struct Column {
    double top_x, bottom_x, top_y, bottom_y;
  };
  int ew_, eh_;
  CDIBSection& work_;
  std::vector<Column> columns_;
};

bool SizeInLimits(std::int64_t w, std::int64_t h) {
  return w >= 1 && h >= 1 && w <= CDIBSection::kMaxSide && h <= CDIBSection::kMaxSide &&
         w * h <= CDIBSection::kMaxPixels;
}

// The source is enlarged three times by the bilinear two-pass scaler, but the enlarged
// image is never held whole: after the horizontal pass (3 sw x sh) each enlarged row is
// summed, exactly as the scaler's vertical pass sums it, and warped at once. That keeps a
// third of the memory the enlarged image would take.
bool WarpThroughEnvelope(const CDIBSection& source, const std::array<double, 16>& envelope,
                         CDIBSection& image) {
  const int sw = source.Width(), sh = source.Height();
  const int ew = 3 * sw, eh = 3 * sh;
  if (!SizeInLimits(ew, sh) || eh > CDIBSection::kMaxSide) return false;
  CDIBSection work;
  work.Create(sw, sh, 32, true);
  work.FillRGB(0xFFFFFF);  // white, alpha 0 where nothing lands
  {
    CTwoPassScaler scaler(ScaleKernel::kBilinear);
    std::vector<std::uint8_t> wide(static_cast<std::size_t>(ew) * sh * 4);
    if (!scaler.HorizontalPass(source.Pixels(), sw, sh, wide.data(), ew, 4)) return false;
    const ScaleContributions taps = BuildContributions(ScaleKernel::kBilinear, sh, eh);
    const std::size_t row_bytes = static_cast<std::size_t>(ew) * 4;
    std::vector<double> sum(row_bytes);
    std::vector<std::uint8_t> row(row_bytes);
    EnvelopeWarper warper(EnvelopePixels(envelope, sw, sh), ew, eh, work);
    for (int i = 0; i < eh; ++i) {
      // Storage rows run from the bottom, as the scaler samples a bitmap.
      const int r = eh - 1 - i;
      const double* w = &taps.weights[static_cast<std::size_t>(r) * taps.window_size];
      const std::uint8_t* s = wide.data() + static_cast<std::size_t>(taps.first[r]) * row_bytes;
      for (std::size_t e = 0; e < row_bytes; ++e) sum[e] = w[0] * s[e];
      for (int k = 1; k <= taps.last[r] - taps.first[r]; ++k) {
        s += row_bytes;
        const double wk = w[k];
        for (std::size_t e = 0; e < row_bytes; ++e) sum[e] += wk * s[e];
      }
      for (std::size_t e = 0; e < row_bytes; ++e) row[e] = TruncateChannel(sum[e]);
      warper.WarpRow(row.data(), i);
    }
  }  // the enlarged rows go before the result is scaled
  return ScaleInto(work, image);
}

// Looks rows of the turned image up in the enlarged source.
class Turner {
 public:
  Turner(const CDIBSection& enlarged, int angle_degrees, int work_width, int work_height)
      : enlarged_(enlarged), ew_(enlarged.Width()), eh_(enlarged.Height()),
        ww_(work_width) {
    const int sw = ew_ / 2, sh = eh_ / 2;
    const int w = work_width / 2, h = work_height / 2;
    const double a = angle_degrees * kDegreesToRadians;
    c_ = static_cast<float>(std::cos(a));
    s_ = static_cast<float>(std::sin(a));
    cx_ = sw;
    cy_ = sh;
    ox_ = w - sw;
    oy_ = h - sh;
    // The column terms are the same on every row; the sums keep the order
    // cx + dx c + dy s (and cy - dx s + dy c) of the per-pixel form, so no bit changes.
    dx_c_.resize(ww_);
    dx_s_.resize(ww_);
    for (int j = 0; j < ww_; ++j) {
      dx_c_[j] = static_cast<float>(j - ox_ - cx_) * c_;
      dx_s_[j] = static_cast<float>(j - ox_ - cx_) * s_;
    }
  }

  // Storage row i (counted from the bottom) of the work image into `out`.
  void Row(int i, std::uint8_t* out) const {
    const std::uint8_t* src = enlarged_.Pixels();
    const std::size_t stride = static_cast<std::size_t>(ew_) * 4;
    const float dy = static_cast<float>(i - oy_ - cy_);
    const float dy_s = dy * s_, dy_c = dy * c_;
    const float fcx = static_cast<float>(cx_), fcy = static_cast<float>(cy_);
    for (int j = 0; j < ww_; ++j, out += 4) {
      const int x = static_cast<int>(fcx + dx_c_[j] + dy_s);
      const int y = static_cast<int>(fcy - dx_s_[j] + dy_c);
      const bool inside = static_cast<unsigned>(x) < static_cast<unsigned>(ew_) &&
                          static_cast<unsigned>(y) < static_cast<unsigned>(eh_);
      const int xc = x < 0 ? 0 : (x >= ew_ ? ew_ - 1 : x);
      const int yc = y < 0 ? 0 : (y >= eh_ ? eh_ - 1 : y);
      const std::uint8_t* p = src + yc * stride + static_cast<std::size_t>(xc) * 4;
      out[0] = p[0];
      out[1] = p[1];
      out[2] = p[2];
      out[3] = inside ? p[3] : 0;
    }
  }

 private:
  const CDIBSection& enlarged_;
  int ew_, eh_, ww_;
  float c_ = 0, s_ = 0;
  int cx_ = 0, cy_ = 0, ox_ = 0, oy_ = 0;
  std::vector<float> dx_c_, dx_s_;
};

// The turned work image (2 W x 2 H) is reduced to W x H by the bilinear two-pass scaler
// without being held whole: bands of its rows go through the horizontal pass as they are
// made, and only the half-width result waits for the vertical pass.
bool RotateBitmap(const CDIBSection& source, int angle_degrees, CDIBSection& image) {
  const int sw = source.Width(), sh = source.Height();
  const int w = image.Width(), h = image.Height();
  if (!SizeInLimits(2 * static_cast<std::int64_t>(w), 2 * static_cast<std::int64_t>(h)))
    return false;
  CDIBSection enlarged;
  if (!ScaleBilinear(source, enlarged, 2 * sw, 2 * sh)) return false;
  const Turner turner(enlarged, angle_degrees, 2 * w, 2 * h);
  CTwoPassScaler scaler(ScaleKernel::kBilinear);
  constexpr int kBand = 64;
  const std::size_t work_row = static_cast<std::size_t>(2 * w) * 4;
  const std::size_t half_row = static_cast<std::size_t>(w) * 4;
  std::vector<std::uint8_t> band(work_row * std::min(kBand, 2 * h));
  std::vector<std::uint8_t> half(half_row * 2 * h);
  for (int i0 = 0; i0 < 2 * h; i0 += kBand) {
    const int rows = std::min(kBand, 2 * h - i0);
    for (int i = 0; i < rows; ++i) turner.Row(i0 + i, band.data() + i * work_row);
    if (!scaler.HorizontalPass(band.data(), 2 * w, rows, half.data() + i0 * half_row, w, 4))
      return false;
  }
  return scaler.VerticalPass(half.data(), w, 2 * h, image.Pixels(), h, 4);
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
  EnvelopeWarper warper(e, enlarged.Width(), enlarged.Height(), work);
  for (int i = 0; i < enlarged.Height(); ++i) warper.WarpRow(enlarged.Row(i), i);
}

void RotateEnlargedSource(const CDIBSection& enlarged, int angle_degrees, CDIBSection& work) {
  const Turner turner(enlarged, angle_degrees, work.Width(), work.Height());
  const std::size_t row_bytes = static_cast<std::size_t>(work.Width()) * 4;
  for (int i = 0; i < work.Height(); ++i) turner.Row(i, work.Pixels() + i * row_bytes);
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
