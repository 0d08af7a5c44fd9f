#include "controls/color_slider.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "controls/control_colours.h"
#include "controls/controls_accessibility.h"
#include "controls/step_keys.h"
#include "ui/color_slider_geometry.h"

namespace lumi::app {

CColorSlider::CColorSlider(QWidget* parent) : QWidget(parent) {
  InstallControlsAccessibility();
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  // The ticks and the track sit at fixed rows from the top and the bottom: keep the height.
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void CColorSlider::SetRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = std::max(minimum, maximum);
  position_ = std::clamp(position_, minimum_, maximum_);
  update();
}

void CColorSlider::SetKnobRadius(int radius) { knob_radius_ = std::max(2, radius); update(); }
void CColorSlider::SetKnobColourMode(int mode) { knob_colour_mode_ = mode; update(); }
void CColorSlider::SetInverted(bool on) { inverted_ = on; update(); }
void CColorSlider::SetCentred(bool on) { centred_ = on; update(); }

void CColorSlider::SetPosition(int position) {
  position_ = std::clamp(position, minimum_, maximum_);
  repaint();
  NotifyAccessibleValue(this, position_);
}

void CColorSlider::SetBaseColour(COLORREF colour) {
  base_colour_ = colour;
  repaint();
}

void CColorSlider::paintEvent(QPaintEvent*) {
  const int w = width(), h = height(), r = knob_radius_;
  const QPalette& pal = palette();
  const bool enabled = isEnabled();
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(ButtonFace(pal));
  {
    QPainter p(&image);
    p.setPen(QColor(128, 128, 128));
    for (const SliderTick& t : SliderTicks(w, centred_)) p.drawLine(t.x, t.top, t.x, t.bottom);
    const QColor track = enabled ? ToQColor(SliderTrackColour(base_colour_, minimum_, maximum_, position_, inverted_, centred_))
                                 : QColor(192, 192, 192);
    p.fillRect(QRect(QPoint(6, h - 7), QPoint(w - 6, h - 6)), track);
  }
  if (enabled) {
    DrawSunkenFrame(image, 5, h - 8, w - 4, h - 4, pal);
  } else {
    QPainter p(&image);
    p.setPen(GreyText(pal));
    p.drawRect(5, h - 8, w - 10, 3);
  }
  const int knob_x = SliderKnobCentre(SliderScale{minimum_, maximum_, w, r}, position_);
  QColor knob;
  if (!enabled) knob = ButtonFace(pal);
  else if (dragging_) knob = Qt::white;
  else if (knob_colour_mode_ == 1) knob = ToQColor(base_colour_);
  else if (knob_colour_mode_ == 0) knob = QColor(192, 128, 128);
  else knob = ButtonFace(pal);
  FillDisc(image, knob_x, h - 7, r - 1, knob);
  DrawShadedRim(image, knob_x, h - 7, r - 1, RimFor(RimColoursOf(pal), false, enabled));

  QPainter p(this);
  p.drawImage(0, 0, image);
  if (dragging_ && show_value_) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(10);
    p.setFont(font);
    p.setPen(Qt::black);
    const QString text = QString::number(position_);
    const int tw = QFontMetrics(font).horizontalAdvance(text);
    const int x = std::clamp(knob_x - tw / 2, 0, std::max(0, w - tw));
    p.drawText(QRect(x, 0, tw, h - 11), Qt::AlignHCenter | Qt::AlignBottom, text);
  }
}

bool CColorSlider::TrackPointer(int x) {
  const int value = SliderValueAt(SliderScale{minimum_, maximum_, width(), knob_radius_}, x);
  if (value == position_) return false;
  SetPosition(value);
  return true;
}

void CColorSlider::SetPositionAndReport(int position) {
  const int before = position_;
  SetPosition(position);
  if (position_ == before) return;
  Report(SliderReport::kThumbTrack);
  Report(SliderReport::kEndTrack);
}

void CColorSlider::Report(SliderReport code) {
  emit reported(code, position_);
  if (code == SliderReport::kEndTrack) emit changeFinished(position_);
  else if (code != SliderReport::kThumbPosition) emit valueChanging(position_);
}

void CColorSlider::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = true;
  changed_during_drag_ = false;
  setFocus(Qt::MouseFocusReason);
  if (TrackPointer(event->position().toPoint().x())) {
    changed_during_drag_ = true;
    Report(SliderReport::kThumbTrack);
  }
  update();
}

void CColorSlider::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  if (TrackPointer(event->position().toPoint().x())) {
    changed_during_drag_ = true;
    Report(SliderReport::kThumbTrack);
  }
}

void CColorSlider::mouseReleaseEvent(QMouseEvent* event) {
  if (!dragging_ || event->button() != Qt::LeftButton) return;
  dragging_ = false;
  if (TrackPointer(event->position().toPoint().x())) {
    changed_during_drag_ = true;
    Report(SliderReport::kThumbTrack);
  }
  if (changed_during_drag_) {
    changed_during_drag_ = false;
    Report(SliderReport::kEndTrack);
  }
  update();
}

void CColorSlider::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Home || event->key() == Qt::Key_End) return event->accept();
  const std::optional<StepKey> key = StepKeyOf(event->key());
  if (!key) return QWidget::keyPressEvent(event);
  const KeyStep step = StepByKey(*key, position_, minimum_, maximum_, line_step_, page_step_);
  SetPosition(step.new_position);
  Report(step.report);
}

void CColorSlider::keyReleaseEvent(QKeyEvent* event) {
  if (!StepKeyOf(event->key())) return QWidget::keyReleaseEvent(event);
  if (!event->isAutoRepeat()) Report(SliderReport::kEndTrack);
}

}  // namespace lumi::app
