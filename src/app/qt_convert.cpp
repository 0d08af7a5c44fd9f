#include "qt_convert.h"

#include <cstdint>
#include <cstring>

#include "image/dib_section.h"
#include "image/pixwerk.h"

namespace lumi::app {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToStdString(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

QImage ToQImage(const CDIBSection& bitmap) {
  return ToQImage(bitmap, Rect{0, 0, bitmap.Width(), bitmap.Height()});
}

QImage ToQImage(const CDIBSection& bitmap, const Rect& source) {
  const Rect part = Intersect(source, Rect{0, 0, bitmap.Width(), bitmap.Height()});
  if (bitmap.Bits() != 32 || part.IsEmpty()) return {};
  QImage image(part.Width(), part.Height(), QImage::Format_RGB32);
  CopyIntoImage(bitmap, part, image, {0, 0});
  return image;
}

void CopyIntoImage(const CDIBSection& bitmap, const Rect& source, QImage& image, QPoint at) {
  if (bitmap.Bits() != 32 || image.format() != QImage::Format_RGB32) return;
  Rect part = Intersect(source, Rect{0, 0, bitmap.Width(), bitmap.Height()});
  // The same part seen from the image.
  part = Intersect(part, Rect{source.left - at.x(), source.top - at.y(),
                              source.left - at.x() + image.width(), source.top - at.y() + image.height()});
  if (part.IsEmpty()) return;
  const int dx = at.x() - source.left, dy = at.y() - source.top;
  for (int y = part.top; y < part.bottom; ++y) {
    const std::uint8_t* in = bitmap.Row(y) + static_cast<std::size_t>(part.left) * 4;
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y + dy)) + (part.left + dx);
    // Qt's RGB32 wants alpha 255; the bitmap's own alpha is coverage, not shown here.
    for (int x = 0; x < part.Width(); ++x, in += 4)
      out[x] = qRgb(in[2], in[1], in[0]);
  }
}

QImage ToQImage(const RgbImage& picture) {
  if (picture.width <= 0 || picture.height <= 0) return {};
  const std::size_t row_bytes = static_cast<std::size_t>(picture.width) * 3;
  if (picture.pixels.size() < row_bytes * static_cast<std::size_t>(picture.height)) return {};
  QImage image(picture.width, picture.height, QImage::Format_RGB888);
  if (image.isNull()) return {};
  for (int y = 0; y < picture.height; ++y)
    std::memcpy(image.scanLine(y), picture.pixels.data() + row_bytes * static_cast<std::size_t>(y), row_bytes);
  return image;
}

}  // namespace lumi::app
