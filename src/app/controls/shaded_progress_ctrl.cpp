#include "controls/shaded_progress_ctrl.h"

#include <QEvent>
#include <QImage>
#include <QPainter>

#include "controls/control_colours.h"

namespace lumi::app {

CShadedProgressCtrl::CShadedProgressCtrl(QWidget* parent) : QProgressBar(parent) {
  setTextVisible(false);
  SetColour(ToColorRef(palette().color(QPalette::Highlight)));
  follows_highlight_ = true;
}

void CShadedProgressCtrl::SetColour(COLORREF colour) {
  follows_highlight_ = false;
  colour_ = colour;
  tints_ = MakeProgressPalette(colour, ToColorRef(palette().color(QPalette::Shadow)),
                               ToColorRef(palette().color(QPalette::Dark)));
  repaint();
}

void CShadedProgressCtrl::changeEvent(QEvent* event) {
  QProgressBar::changeEvent(event);
  if (event->type() != QEvent::PaletteChange) return;
  const bool follows = follows_highlight_;
  SetColour(follows ? ToColorRef(palette().color(QPalette::Highlight)) : colour_);
  follows_highlight_ = follows;
}

void CShadedProgressCtrl::StepIt() {
  const int next = value() + step_;
  setValue(next > maximum() ? minimum() + (next - maximum()) : next);
}

void CShadedProgressCtrl::paintEvent(QPaintEvent*) {
  const int w = width(), h = height();
  QImage image(std::max(1, w), std::max(1, h), QImage::Format_RGB32);
  image.fill(ButtonFace(palette()));
  const bool vertical = orientation() == Qt::Vertical;
  const int length = vertical ? h : w;
  const int thickness = vertical ? w : h;
  const int filled = ProgressFilledLength(value(), minimum(), maximum(), length);
  if (filled > 0) {
    QPainter p(&image);
    const std::vector<COLORREF> lines = ProgressTubeLines(tints_, thickness);
    for (int i = 0; i < thickness; ++i) {
      p.setPen(ToQColor(lines[i]));
      if (vertical) p.drawLine(i, h - filled, i, h - 1);
      else p.drawLine(0, i, filled - 1, i);
    }
    // The far end: a column of the midpoint colour, then one of the shadow colour.
    const QColor ends[2] = {ToQColor(tints_.shadow_mid), ToQColor(tints_.shadow)};
    for (int k = 0; k < 2 && k < filled; ++k) {
      p.setPen(ends[k]);
      const int at = filled - 2 + k;
      if (at < 0) continue;
      if (vertical) p.drawLine(0, h - 1 - at, w - 1, h - 1 - at);
      else p.drawLine(at, 0, at, h - 1);
    }
  }
  QPainter p(this);
  p.drawImage(0, 0, image);
  if (isTextVisible()) {
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(rect(), Qt::AlignCenter, text());
  }
}

}  // namespace lumi::app
