#include "qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <cstring>

namespace lumi::app {

namespace {
QString MimeType() { return QString::fromLatin1(kObjectStreamMimeType); }
}  // namespace

void QtObjectClipboard::SetObjectStream(std::vector<std::uint8_t> bytes) {
  auto* data = new QMimeData;  // the clipboard takes it
  data->setData(MimeType(), QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
  QGuiApplication::clipboard()->setMimeData(data);
}

std::optional<std::vector<std::uint8_t>> QtObjectClipboard::ObjectStream() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data || !data->hasFormat(MimeType())) return std::nullopt;
  const QByteArray bytes = data->data(MimeType());
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

std::optional<RgbImage> QtObjectClipboard::Image() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data || !data->hasImage()) return std::nullopt;
  const QImage image = qvariant_cast<QImage>(data->imageData()).convertToFormat(QImage::Format_RGB888);
  if (image.isNull() || image.width() <= 0 || image.height() <= 0) return std::nullopt;
  RgbImage rgb;
  rgb.width = image.width();
  rgb.height = image.height();
  const std::size_t row = static_cast<std::size_t>(rgb.width) * 3;
  rgb.pixels.resize(row * static_cast<std::size_t>(rgb.height));
  // Qt pads its rows; the object wants them packed.
  for (int y = 0; y < rgb.height; ++y)
    std::memcpy(rgb.pixels.data() + row * static_cast<std::size_t>(y), image.constScanLine(y), row);
  return rgb;
}

}  // namespace lumi::app
