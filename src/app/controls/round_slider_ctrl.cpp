#include "controls/round_slider_ctrl.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <algorithm>

#include "controls/control_colours.h"
#include "controls/controls_accessibility.h"
#include "controls/step_keys.h"
#include "ui/shaded_circle.h"

namespace lumi::app {

CRoundSliderCtrl::CRoundSliderCtrl(QWidget* parent) : QWidget(parent), font_(QStringLiteral("Arial")) {
  InstallControlsAccessibility();
  font_.setPixelSize(9);
  font_.setWeight(QFont::Normal);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CRoundSliderCtrl::SetRange(int minimum, int maximum) {
  range_.minimum = minimum;
  range_.maximum = std::max(minimum, maximum);
  position_ = std::clamp(position_, range_.minimum, range_.maximum);
  update();
}

void CRoundSliderCtrl::SetPosition(int position) {
  position_ = std::clamp(position, range_.minimum, range_.maximum);
  repaint();
  NotifyAccessibleValue(this, position_);
}

void CRoundSliderCtrl::SetZeroAngle(int degrees) { range_.zero_angle = degrees; update(); }
void CRoundSliderCtrl::SetMirrored(bool on) { range_.mirrored = on; update(); }
void CRoundSliderCtrl::SetKnobRadius(int radius) { knob_radius_ = std::max(2, radius); update(); }
void CRoundSliderCtrl::SetTextFormat(const QString& format) { format_ = format; update(); }
void CRoundSliderCtrl::SetHideText(bool hide) { hide_text_ = hide; update(); }

QString CRoundSliderCtrl::Text() const {
  QString text;
  const QString number = QString::number(position_);
  for (qsizetype i = 0; i < format_.size(); ++i) {
    if (format_[i] != u'%') { text += format_[i]; continue; }
    if (format_.mid(i, 3) == QStringLiteral("%ld")) { text += number; i += 2; }
    else if (format_.mid(i, 2) == QStringLiteral("%d")) { text += number; i += 1; }
    else if (format_.mid(i, 2) == QStringLiteral("%%")) { text += u'%'; i += 1; }
    else text += u'%';
  }
  return text;
}

void CRoundSliderCtrl::resizeEvent(QResizeEvent*) {
  const DialGeometry g = Geometry();
  setMask(QRegion(0, 0, g.side, g.side, QRegion::Ellipse));
}

void CRoundSliderCtrl::paintEvent(QPaintEvent*) {
  const DialGeometry g = Geometry();
  const QPalette& pal = palette();
  const bool enabled = isEnabled();
  const RimColours sys = RimColoursOf(pal);
  QImage image(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
  image.fill(ButtonFace(pal));
  const int cx = g.centre.x, cy = g.centre.y, radius = g.radius;
  // The dial: a raised rim and a sunken ring inside it.
  DrawShadedRim(image, cx, cy, radius + 1, RimFor(sys, false, enabled));
  const ShadedRim sunken = enabled ? ShadedRim{sys.shadow, sys.light, sys.shadow, sys.light}
                                   : RimFor(sys, false, false);
  DrawShadedCircle(image, cx, cy, radius - 1, sunken.outer_a, sunken.outer_b);

  const Point knob = DialKnobCentre(g, DialDisplayAngle(range_, position_));
  FillDisc(image, knob.x, knob.y, knob_radius_, ButtonFace(pal));
  DrawShadedRim(image, knob.x, knob.y, knob_radius_ - 1, RimFor(sys, dragging_, enabled));
  if (hasFocus()) {
    const std::vector<Point> ring = MidpointCircle(std::max(1, knob_radius_ - 4));
    for (const Point& d : ring) {
      const int x = knob.x + d.x, y = knob.y + d.y;
      if ((x + y) % 2 == 0 && image.rect().contains(x, y)) image.setPixel(x, y, qRgb(0, 0, 0));
    }
  }

  QPainter p(this);
  p.drawImage(0, 0, image);
  const QString text = Text();
  if (!text.isEmpty() && !hide_text_) {
    p.setFont(font_);
    p.setPen(enabled ? pal.color(QPalette::WindowText) : GreyText(pal));
    const QFontMetrics fm(font_);
    const int tw = fm.horizontalAdvance(text);
    p.drawText(QRect(cx - tw / 2 - 1, cy + 1 - fm.height() / 2, tw + 2, fm.height()), Qt::AlignCenter, text);
  }
}

bool CRoundSliderCtrl::TrackPointer(QPoint at) {
  const int value = DialValueAt(range_, Geometry().centre, at.x(), at.y());
  if (value == position_) return false;
  SetPosition(value);
  return true;
}

void CRoundSliderCtrl::SetPositionAndReport(int position) {
  const int before = position_;
  SetPosition(position);
  if (position_ == before) return;
  Report(SliderReport::kThumbTrack);
  Report(SliderReport::kEndTrack);
}

void CRoundSliderCtrl::Report(SliderReport code) {
  emit reported(code, position_);
  if (code == SliderReport::kEndTrack) emit changeFinished(position_);
  else if (code != SliderReport::kThumbPosition) emit valueChanging(position_);
}

void CRoundSliderCtrl::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = true;
  changed_during_drag_ = false;
  setFocus(Qt::MouseFocusReason);
  if (TrackPointer(event->position().toPoint())) {
    changed_during_drag_ = true;
    Report(SliderReport::kThumbTrack);
  }
  update();
}

void CRoundSliderCtrl::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  if (TrackPointer(event->position().toPoint())) {
    changed_during_drag_ = true;
    Report(SliderReport::kThumbTrack);
  }
}

void CRoundSliderCtrl::mouseReleaseEvent(QMouseEvent* event) {
  if (!dragging_ || event->button() != Qt::LeftButton) return;
  dragging_ = false;
  if (TrackPointer(event->position().toPoint())) {
    changed_during_drag_ = true;
    Report(SliderReport::kThumbTrack);
  }
  if (changed_during_drag_) {
    changed_during_drag_ = false;
    Report(SliderReport::kThumbPosition);
    Report(SliderReport::kEndTrack);
  }
  update();
}

void CRoundSliderCtrl::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Home || event->key() == Qt::Key_End) return event->accept();
  const std::optional<StepKey> key = StepKeyOf(event->key());
  if (!key) return QWidget::keyPressEvent(event);
  const KeyStep step = StepByKey(*key, position_, range_.minimum, range_.maximum, line_step_, page_step_);
  SetPosition(step.new_position);
  Report(step.report);
}

void CRoundSliderCtrl::keyReleaseEvent(QKeyEvent* event) {
  if (!StepKeyOf(event->key())) return QWidget::keyReleaseEvent(event);
  if (!event->isAutoRepeat()) Report(SliderReport::kEndTrack);
}

}  // namespace lumi::app
