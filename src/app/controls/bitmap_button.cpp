#include "controls/bitmap_button.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFile>
#include <QIcon>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <qdrawutil.h>

#include "controls/control_colours.h"
#include "controls/program_icons.h"
#include "ui/button_images.h"

namespace lumi::app {

QImage ColdImageOf(const QImage& image, COLORREF mask) {
  QImage cold = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb mask_rgb = qRgb(GetRValue(mask), GetGValue(mask), GetBValue(mask));
  for (int y = 0; y < cold.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(cold.scanLine(y));
    for (int x = 0; x < cold.width(); ++x) {
      if (qAlpha(line[x]) == 0 || (line[x] | 0xFF000000u) == (mask_rgb | 0xFF000000u)) continue;
      const int grey = ColdGreyLevel(qRed(line[x]), qGreen(line[x]), qBlue(line[x]));
      line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
    }
  }
  return cold;
}

COXBitmapButton::COXBitmapButton(QWidget* parent) : QAbstractButton(parent) {
  setAttribute(Qt::WA_Hover);
}

bool COXBitmapButton::LoadBitmap(const QString& picture, bool fit, COLORREF mask) {
  QImage image;
  if (HasIcon(picture.toStdString())) {
    image = IconImage(picture.toStdString(), QSize(16, 16), devicePixelRatioF());
  } else if (QFile::exists(picture)) {
    image = QImage(picture).convertToFormat(QImage::Format_ARGB32);
    const QRgb mask_rgb = qRgb(GetRValue(mask), GetGValue(mask), GetBValue(mask));
    for (int y = 0; y < image.height(); ++y) {
      QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x)
        if ((line[x] | 0xFF000000u) == (mask_rgb | 0xFF000000u)) line[x] = 0;
    }
  }
  if (image.isNull()) {
    normal_ = cold_ = disabled_ = QImage();
    update();
    return false;
  }
  normal_ = image;
  cold_ = ColdImageOf(image, mask);
  QStyleOption option;
  option.initFrom(this);
  const QPixmap disabled = style()->generatedIconPixmap(QIcon::Disabled, QPixmap::fromImage(image), &option);
  disabled_ = disabled.toImage();
  fit_ = fit;
  if (fit) setFixedSize(sizeHint());
  update();
  return true;
}

QString COXBitmapButton::Caption() const { return text().section(u'\n', 0, 0); }

void COXBitmapButton::SetToolTipText(const QString& tip) {
  setText(Caption() + u'\n' + tip);
  UpdateToolTip();
}

bool COXBitmapButton::SetFlatLook(bool on) {
  flat_ = on;
  update();
  return true;
}

void COXBitmapButton::SetToolTipEnabled(bool on) {
  tooltip_enabled_ = on;
  UpdateToolTip();
}

void COXBitmapButton::UpdateToolTip() {
  const QString tip = text().section(u'\n', 1);
  setToolTip(tooltip_enabled_ ? tip : QString());
  if (accessibleName().isEmpty() || accessibleName() == accessibleDescription()) setAccessibleName(tip.isEmpty() ? Caption() : tip);
}

QSize COXBitmapButton::sizeHint() const {
  const QSize picture = normal_.isNull() ? QSize(16, 16) : normal_.size() / normal_.devicePixelRatio();
  QSize size = picture + QSize(6, 6);
  const QString caption = Caption();
  if (!caption.isEmpty()) size.rwidth() += fontMetrics().horizontalAdvance(caption) + 4;
  return size;
}

bool COXBitmapButton::event(QEvent* e) {
  if (e->type() == QEvent::EnabledChange) update();
  return QAbstractButton::event(e);
}

void COXBitmapButton::enterEvent(QEnterEvent* e) {
  if (isEnabled()) {
    hovered_ = true;
    update();
  }
  QAbstractButton::enterEvent(e);
}

void COXBitmapButton::leaveEvent(QEvent* e) {
  hovered_ = false;
  update();
  QAbstractButton::leaveEvent(e);
}

void COXBitmapButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette& pal = palette();
  const QRect r = rect();
  const bool enabled = isEnabled();
  const bool pressed = isDown() || isChecked();
  p.fillRect(r, ButtonFace(pal));
  if (pressed) {
    qDrawWinButton(&p, r, pal, true);
  } else if (!flat_ || (hovered_ && enabled)) {
    qDrawShadePanel(&p, r, pal, false, 1);
  }
  const QImage* picture = &normal_;
  if (!enabled) picture = &disabled_;
  else if (flat_ && !hovered_ && !pressed) picture = &cold_;
  if (!picture->isNull()) {
    const QSize size = picture->size() / picture->devicePixelRatio();
    QPoint at((r.width() - size.width()) / 2, (r.height() - size.height()) / 2);
    const QString caption = Caption();
    if (!caption.isEmpty()) at.setX(4);
    if (pressed) at += QPoint(1, 1);
    p.drawImage(at, *picture);
    if (!caption.isEmpty()) {
      p.setPen(enabled ? pal.color(QPalette::ButtonText) : GreyText(pal));
      p.drawText(r.adjusted(at.x() + size.width() + 2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, caption);
    }
  }
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = r.adjusted(3, 3, -3, -3).translated(pressed ? QPoint(1, 1) : QPoint());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    if (!flat_) {
      p.setPen(Qt::black);
      p.drawRect(r.adjusted(0, 0, -1, -1));
    }
  }
}

}  // namespace lumi::app
