#include "controls/program_icons.h"

#include <QFile>
#include <QImageReader>
#include <QPixmap>

#include "ui/toolbar_commands.h"

namespace lumi::app {

QString IconResourcePath(const std::string& name) {
  return QStringLiteral(":/icons/") + QString::fromStdString(name) + QStringLiteral(".svg");
}

bool HasIcon(const std::string& name) { return QFile::exists(IconResourcePath(name)); }

QIcon CommandIcon(std::string_view command) {
  const std::string name = IconNameForCommand(command);
  return HasIcon(name) ? QIcon(IconResourcePath(name)) : QIcon();
}

QImage IconImage(const std::string& name, QSize size, qreal device_pixel_ratio) {
  QImageReader reader(IconResourcePath(name));
  if (!size.isValid()) size = reader.size();  // the picture's own size
  reader.setScaledSize(size * device_pixel_ratio);
  QImage image = reader.read();
  if (image.isNull()) return image;
  image = image.convertToFormat(QImage::Format_ARGB32);
  image.setDevicePixelRatio(device_pixel_ratio);
  return image;
}

QCursor ToolCursor(const std::string& role) {
  const std::string name = "cursor-" + role;
  for (const CursorPicture& c : CursorPictures()) {
    if (c.name != name) continue;
    const QImage image = IconImage(name, QSize(32, 32));
    if (image.isNull()) break;
    return QCursor(QPixmap::fromImage(image), c.hot_x, c.hot_y);
  }
  return QCursor(Qt::ArrowCursor);
}

}  // namespace lumi::app
