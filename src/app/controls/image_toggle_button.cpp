#include "controls/image_toggle_button.h"

#include <QPainter>

#include "controls/program_icons.h"

namespace lumi::app {

CImageToggleButton::CImageToggleButton(QWidget* parent) : QAbstractButton(parent) {}

bool CImageToggleButton::LoadImages(const QString& strip, int image_width) {
  const std::string name = strip.toStdString();
  const QImage image = HasIcon(name) ? IconImage(name, QSize()) : QImage(strip);
  if (image.isNull() || image_width <= 0 || image.width() < 3 * image_width) return false;
  for (int i = 0; i < 3; ++i) images_[i] = image.copy(i * image_width, 0, image_width, image.height());
  updateGeometry();
  update();
  return true;
}

void CImageToggleButton::SetOn(bool on) {
  on_ = on;
  // Screen readers say which frame is being edited.
  setAccessibleDescription(on ? QStringLiteral("On") : QStringLiteral("Off"));
  repaint();
}

QSize CImageToggleButton::sizeHint() const {
  return images_[1].isNull() ? QSize(64, 44) : images_[1].size() + QSize(4, 4);
}

void CImageToggleButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QImage* picture;
  if (!isEnabled()) {
    p.fillRect(rect(), QColor(192, 192, 192));
    picture = &images_[0];
  } else {
    p.fillRect(rect(), Qt::white);
    picture = on_ ? &images_[2] : &images_[1];
  }
  if (!picture->isNull())
    p.drawImage(QPoint((width() - picture->width()) / 2, (height() - picture->height()) / 2), *picture);
}

}  // namespace lumi::app
