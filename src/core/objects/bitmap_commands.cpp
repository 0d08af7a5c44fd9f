// The commands of the Bitmap menu: resets, transparencies, masks and crop from another
// object, update from the file, applying size changes and converting to an envelope.
#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "base/errors.h"
#include "base/host.h"
#include "image/image_loader.h"
#include "image/two_pass_scaler.h"
#include "objects/bitmap_messages.h"
#include "objects/curve_math.h"
#include "objects/draw_object.h"
#include "effects/bitmap_alpha.h"

namespace lumi {

int CDrawObject::ResetTransformation() {
  if (!IsBitmap()) return 0;
  // The size comes from the pixels themselves, so a damaged record cannot ask for a box
  // its source does not have.
  if (!m_sourceBitmap.IsEmpty()) {
    m_sourceWidth = m_sourceBitmap.Width();
    m_sourceHeight = m_sourceBitmap.Height();
  }
  m_bitmapAngle = 0;
  m_polynome.ResetEnvelope();
  m_width = std::max(m_sourceWidth, 1);
  m_height = std::max(m_sourceHeight, 1);
  image_.Rewrite().Create(m_width, m_height, 32, true);
  Render();
  return 1;
}

int CDrawObject::ResetAll() {
  if (!IsBitmap()) return 0;
  m_sourceBitmap.SetAlpha(255);
  return ResetTransformation();
}

int CDrawObject::TransparencyFromIntensity() {
  if (!IsBitmap()) return 0;
  lumi::TransparencyFromIntensity(m_sourceBitmap);
  Render();
  return 1;
}

int CDrawObject::ColorTransparency(COLORREF colour, int tolerance) {
  if (!IsBitmap()) return 0;
  lumi::ColourTransparency(m_sourceBitmap, colour, tolerance);
  Render();
  return 1;
}

int CDrawObject::WhiteTransparency() { return ColorTransparency(RGB(255, 255, 255), 15); }

COLORREF CDrawObject::ImageColorAt(Point canvas) const {
  const int x = canvas.x - m_x, y = canvas.y - m_y;
  if (image_.IsEmpty() || !image_.Is32Bit() || x < 0 || y < 0 || x >= image_.Width() ||
      y >= image_.Height())
    return RGB(255, 255, 255);
  const auto p = image_.PixelAt(x, y);
  return RGB(p[2], p[1], p[0]);
}

int CDrawObject::TransparencyFromObject(const CDrawObject& other, bool inverted, bool hard) {
  if (!IsBitmap()) {
    host_->Message(kBottomMustBeBitmapMessage, MessageKind::Warning);
    return 0;
  }
  if (&other == this) return 0;
  if (!IsUntransformedBitmap() || m_sourceBitmap.IsEmpty() ||
      m_sourceBitmap.Width() != m_width || m_sourceBitmap.Height() != m_height) {
    host_->Message(kBitmapTransformedMessage, MessageKind::Warning);
    return 0;
  }
  if (Intersect(GetRect(), other.GetRect()).IsEmpty()) {
    host_->Message(kMaskNoOverlapMessage, MessageKind::Warning);
    return 0;
  }
  // d: the other object's alpha where it covers each source pixel, 0 elsewhere.
  const int w = m_sourceWidth, h = m_sourceHeight;
  std::vector<std::uint8_t> limit(static_cast<std::size_t>(w) * h, 0);
  const KeptBitmap& cover = other.image_;
  if (!cover.IsEmpty() && cover.Is32Bit()) {
    const int dx = m_x - other.m_x, dy = m_y - other.m_y;
    const int x0 = std::max(0, -dx), x1 = std::min(w, cover.Width() - dx);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(cover.Width()) * 4);
    for (int r = std::max(0, -dy); r < std::min(h, cover.Height() - dy); ++r) {
      cover.ReadRow(r + dy, row.data());
      std::uint8_t* d = limit.data() + static_cast<std::size_t>(r) * w;
      for (int x = x0; x < x1; ++x) d[x] = row[4 * (x + dx) + 3];
    }
  }
  for (std::uint8_t& d : limit) {
    if (hard && d > 60) d = 255;
    if (inverted) d = static_cast<std::uint8_t>(255 - d);
  }
  LimitAlpha(m_sourceBitmap, limit.data());
  Render();
  return 1;
}

Rect CDrawObject::OutlineBounds() const {
  if (IsShape()) {
    // The sampled curve, without the margin a re-fit would add.
    if (m_outline.Count() == 0) return GetRect();
    CBezier curve = m_outline;
    const Rect fitted = curve.FitBox(m_x, m_y, m_width, m_height);
    const int margin = m_outline.IsClosed() ? 2 : 14;
    return {fitted.left + margin, fitted.top + margin, fitted.right - margin,
            fitted.bottom - margin};
  }
  if (IsPolynome() && m_polynome.Count() > 0) {
    PointBounds bounds;
    for (const Point& p : m_polynome.PixelPoints(m_x, m_y, m_width, m_height)) bounds.Add(p);
    return {bounds.left, bounds.top, bounds.right, bounds.bottom};
  }
  return GetRect();
}

int CDrawObject::CropToObject(const CDrawObject& other) {
  if (!IsBitmap()) {
    host_->Message(kBottomMustBeBitmapMessage, MessageKind::Warning);
    return 0;
  }
  if (&other == this) return 0;
  if (!IsUntransformedBitmap() || m_sourceBitmap.IsEmpty()) {
    host_->Message(kBitmapTransformedMessage, MessageKind::Warning);
    return 0;
  }
  const Rect cut = Intersect(GetRect(), other.OutlineBounds());
  if (cut.IsEmpty()) {
    host_->Message(kCropNoOverlapMessage, MessageKind::Warning);
    return 0;
  }
  const Rect inside{cut.left - m_x, cut.top - m_y, cut.right - m_x, cut.bottom - m_y};
  if (inside.left < 0 || inside.top < 0 || inside.right > m_sourceBitmap.Width() ||
      inside.bottom > m_sourceBitmap.Height()) {
    host_->Message(kCropRectangleError, MessageKind::Error);
    return 0;
  }
  CDIBSection cropped;
  cropped.Create(inside.Width(), inside.Height(), 32, m_sourceBitmap.HasAlphaFlag());
  for (int r = 0; r < inside.Height(); ++r) {
    std::memcpy(cropped.Row(r), m_sourceBitmap.Row(inside.top + r) + 4 * inside.left,
                static_cast<std::size_t>(inside.Width()) * 4);
  }
  m_sourceBitmap = std::move(cropped);
  m_sourceWidth = inside.Width();
  m_sourceHeight = inside.Height();
  m_x = cut.left;
  m_y = cut.top;
  SetSize(inside.Width(), inside.Height());
  // Only what the other object covers stays.
  return TransparencyFromObject(other, false, true);
}

int CDrawObject::UpdateFromSource() {
  if (!IsBitmap() || source_path_.empty()) return 0;
  if (!LoadSourceFile(source_path_)) return 0;
  Render();
  return 1;
}

int CDrawObject::ApplySizeChanges() {
  if (!IsBitmap() || m_sourceBitmap.IsEmpty()) return 0;
  // A turned bitmap already had its scaling fixed into the source by its first turn;
  // its box is the turned outline, and squeezing the source into it would distort it.
  if (m_bitmapAngle != 0) return 0;
  if (m_width >= m_sourceWidth && m_height >= m_sourceHeight) return 0;
  CTwoPassScaler scaler(ScaleKernel::kBilinear);
  // ScaleBitmap builds the new source before it lets the old one go.
  if (!scaler.ScaleBitmap(m_sourceBitmap, m_sourceBitmap, m_width, m_height)) return 0;
  m_sourceWidth = m_width;
  m_sourceHeight = m_height;
  Render();
  return 1;
}

const CDIBSection& CDrawObject::SourcePixels() const {
  static const CDIBSection kEmpty;
  return IsBitmap() ? m_sourceBitmap : kEmpty;
}

int CDrawObject::ConvertToEnvelope() {
  if (!IsBitmap() || IsEnvelope()) return 0;
  if (host_->Ask(kConvertToEnvelopeQuestion, AskButtons::OkCancel) != Answer::Ok) return 0;
  ResetTransformation();
  m_polynome.ResetEnvelope();
  m_polynome.SetEnvelopeOn(true);
  ApplyRelativeBox(m_polynome.FitBox(0, 0, m_width, m_height));
  SetSize(m_width, m_height);
  return 1;
}

}  // namespace lumi
