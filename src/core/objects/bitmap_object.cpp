// Bitmap objects: creation from a file, the clipboard or another object, the bitmap
// stage of the render pipeline, and turning and mirroring the source pixels.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "base/errors.h"
#include "base/host.h"
#include "image/image_loader.h"
#include "image/pixwerk.h"
#include "image/two_pass_scaler.h"
#include "objects/draw_object.h"
#include "effects/bitmap_alpha.h"

namespace lumi {

namespace {

constexpr double kDegreesToRadians = 3.1415926535 / 180.0;

// The box of a source of sw x sh turned by `angle_degrees`: the bounds of the four
// turned corners, each coordinate truncated, grown by 4.
void RotatedBoxSize(int sw, int sh, int angle_degrees, int& width, int& height) {
  const double a = angle_degrees * kDegreesToRadians;
  const float c = static_cast<float>(std::cos(a));
  const float s = static_cast<float>(std::sin(a));
  const float fw = static_cast<float>(sw), fh = static_cast<float>(sh);
  const int xs[4] = {0, static_cast<int>(fh * s), static_cast<int>(fw * c + fh * s),
                     static_cast<int>(fw * c)};
  const int ys[4] = {0, static_cast<int>(fh * c), static_cast<int>(fh * c - fw * s),
                     static_cast<int>(-fw * s)};
  int min_x = xs[0], max_x = xs[0], min_y = ys[0], max_y = ys[0];
  for (int i = 1; i < 4; ++i) {
    min_x = std::min(min_x, xs[i]);
    max_x = std::max(max_x, xs[i]);
    min_y = std::min(min_y, ys[i]);
    max_y = std::max(max_y, ys[i]);
  }
  width = max_x - min_x + 4;
  height = max_y - min_y + 4;
}

}  // namespace

bool CDrawObject::LoadSourceFile(const std::filesystem::path& path) {
  std::string failure;
  std::optional<RgbImage> rgb;
  {
    WaitCursor wait(*host_);
    rgb = LoadImageFile(path, &failure);
  }
  try {
    if (!rgb) throw BitmapError(failure);
    SetSourceFromRGB(*rgb);
  } catch (const BitmapError&) {
    host_->Message(failure.empty() ? kImageLoadError : failure, MessageKind::Error);
    return false;
  }
  return true;
}

void CDrawObject::SetSourceFromRGB(const RgbImage& rgb) {
  CDIBSection source;  // built aside, so a refused size leaves the old source
  source.FromRGB(rgb.pixels.data(), rgb.width, rgb.height);
  m_sourceBitmap = std::move(source);
  m_sourceWidth = rgb.width;
  m_sourceHeight = rgb.height;
}

int CDrawObject::CreateBitmap(int x, int y, const std::filesystem::path& path) {
  if (!LoadSourceFile(path)) return 0;
  source_path_ = path.string();
  m_kindName = path.filename().string();
  PlaceNewBitmap(x, y);
  return 1;
}

void CDrawObject::PlaceNewBitmap(int x, int y) {
  m_x = x;
  m_y = y;
  m_kind = kKindBitmap;
  m_outline.MakeRectangle();
  m_polynome.ResetEnvelope();
  m_bevelKind = 0;
  m_bitmapAngle = 0;
  SetSize(m_sourceWidth, m_sourceHeight);
}

int CDrawObject::CreateBitmapFromClipboard(const RgbImage& rgb, int centre_x, int centre_y) {
  if (rgb.width < 1 || rgb.height < 1 ||
      rgb.pixels.size() != static_cast<std::size_t>(rgb.width) * rgb.height * 3)
    return 0;
  try {
    SetSourceFromRGB(rgb);
  } catch (const BitmapError&) {
    return 0;
  }
  PlaceNewBitmap(centre_x - m_sourceWidth / 2, centre_y - m_sourceHeight / 2);
  return 1;
}

int CDrawObject::CreateBitmapFromClipboard(const CDIBSection& bitmap, int centre_x,
                                           int centre_y) {
  const std::optional<RgbImage> rgb = PxBitmapToRGB(bitmap);
  if (!rgb) return 0;
  return CreateBitmapFromClipboard(*rgb, centre_x, centre_y);
}

int CDrawObject::ConvertToBitmap() {
  if (m_width < 1 || m_height < 1) return 0;
  m_convertToBitmap = 1;
  m_bitmapAngle = 0;
  Render();  // keeps the image before bevel and shadow as the new source
  m_polynome.SetEnvelopeOn(false);
  const CDrawObject defaults(*host_);
  TransferAttributes(defaults);
  return 1;
}

bool CDrawObject::IsUntransformedBitmap() const {
  return IsBitmap() && m_width == m_sourceWidth && m_height == m_sourceHeight;
}

bool CDrawObject::RotateBitmap(int angle_degrees) {
  if (m_sourceBitmap.IsEmpty()) return false;
  // The first turn fixes the current scaling into the source.
  if (m_bitmapAngle == 0 && (m_width != m_sourceWidth || m_height != m_sourceHeight)) {
    CTwoPassScaler scaler(ScaleKernel::kBilinear);
    if (!scaler.ScaleBitmap(m_sourceBitmap, m_sourceBitmap, m_width, m_height)) return false;
    m_sourceWidth = m_width;
    m_sourceHeight = m_height;
  }
  // The box always comes from the source and the total angle, so turns do not grow it.
  int width = 0, height = 0;
  RotatedBoxSize(m_sourceWidth, m_sourceHeight, m_bitmapAngle + angle_degrees, width, height);
  try {
    CheckBitmapSize(width, height);
  } catch (const BitmapError&) {
    return false;  // a source too large to turn stays as it is
  }
  m_bitmapAngle += angle_degrees;
  m_x += m_width / 2 - width / 2;
  m_y += m_height / 2 - height / 2;
  m_width = width;
  m_height = height;
  image_.Rewrite().Create(m_width, m_height, 32, true);
  Render();
  return true;
}

void CDrawObject::FlipBitmap(bool vertical) {
  MirrorPixels(m_sourceBitmap, vertical);
  if (!m_sourceBitmap.IsEmpty()) {
    m_sourceWidth = m_sourceBitmap.Width();
    m_sourceHeight = m_sourceBitmap.Height();
  }
  Render();
}

}  // namespace lumi
