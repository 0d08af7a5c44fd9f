#include "controls/color_picker.h"

#include <QColorDialog>
#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

#include "controls/control_colours.h"
#include "controls/controls_accessibility.h"
#include "controls/program_icons.h"
#include "qt_convert.h"
#include "ui/hls_colour_field.h"

namespace lumi::app {

namespace {
constexpr int kGenePictureWidth = 15;

std::optional<COLORREF> AskWithQColorDialog(COLORREF initial, QWidget* parent) {
  const QColor chosen = QColorDialog::getColor(ToQColor(initial), parent);
  if (!chosen.isValid()) return std::nullopt;
  return ToColorRef(chosen);
}
}  // namespace

CColorPicker::CColorPicker(QWidget* parent)
    : QWidget(parent), gene_pictures_(IconImage("gene-button", QSize(3 * kGenePictureWidth, 15))),
      colour_dialog_(AskWithQColorDialog) {
  InstallControlsAccessibility();
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CColorPicker::SetFirstColour(COLORREF colour) {
  first_ = colour;
  update();
  NotifyAccessibleValue(this, ColourText(first_));
}

void CColorPicker::SetSecondColour(COLORREF colour) {
  second_ = colour;
  update();
  NotifyAccessibleValue(this, ColourText(second_));
}
void CColorPicker::SetColoursAndReport(COLORREF first, COLORREF second) {
  first_ = first;
  if (!single_) second_ = second;
  update();
  ColoursChanged();
  ReportEnd();
}

void CColorPicker::SetGenePictureIndex(int index) { gene_picture_ = index; update(); }
void CColorPicker::SetSingleColour(bool on) { single_ = on; update(); }

PickerZone CColorPicker::ZoneAt(QPoint p) const { return PickerZoneAt({p.x(), p.y()}, single_, height()); }

void CColorPicker::paintEvent(QPaintEvent*) {
  const int w = width(), h = height();
  const QPalette& pal = palette();
  const bool enabled = isEnabled();
  QPainter p(this);
  p.fillRect(0, 0, 22, h, ButtonFace(pal));
  const QRect first = ToQRect(PickerFirstSwatch(single_, h));
  auto sunken_frame = [&](const QRect& r) { qDrawShadeRect(&p, r, pal, true, 1); };
  if (enabled) {
    p.fillRect(first, ToQColor(first_));
    sunken_frame(first);
  } else {
    p.setPen(GreyText(pal));
    p.drawRect(first.adjusted(0, 0, -1, -1));
  }
  if (!single_) {
    const QRect second = ToQRect(kPickerSecondSwatch);
    p.fillRect(second, ToQColor(second_));
    sunken_frame(second);
    sunken_frame(QRect(QPoint(22, 0), QPoint(w - 1, h - 1)));
    const QRect gene = ToQRect(kPickerGeneButton);
    p.fillRect(gene, QColor(192, 192, 192));
    if (!gene_pictures_.isNull()) {
      const int index = GeneButtonPicture(gene_picture_);
      p.drawImage(QPoint(gene.left() + 2, gene.top() + 2), gene_pictures_,
                  QRect(index * kGenePictureWidth, 0, kGenePictureWidth, gene_pictures_.height()));
    }
    qDrawShadePanel(&p, gene, pal, gene_down_, 1);
  }
  if (enabled) {
    const int columns = w - 24, rows = h - 2;
    if (columns > 0 && rows > 0) {
      QImage field(columns, rows, QImage::Format_RGB32);
      for (int i = 1; i <= rows; ++i) {
        QRgb* line = reinterpret_cast<QRgb*>(field.scanLine(i - 1));
        for (int j = 1; j <= columns; ++j) {
          const COLORREF c = ColourFieldColour(j, i, w, h);
          line[j - 1] = qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
        }
      }
      p.drawImage(23, 1, field);
    }
  } else {
    p.fillRect(QRect(QPoint(23, 1), QPoint(w - 1, h - 2)), QColor(192, 192, 192));
    p.setPen(GreyText(pal));
    p.drawRect(QRect(QPoint(23, 1), QPoint(w - 1, h - 2)).adjusted(0, 0, -1, -1));
  }
}

void CColorPicker::PickAt(QPoint at) {
  // The pixel under the clamped point is the colour field cell drawn there.
  const Point p = PickerPickPoint({at.x(), at.y()}, width(), height());
  const COLORREF colour = ColourFieldColour(p.x - 22, p.y, width(), height());
  if (drag_ == Drag::kFirst) first_ = colour;
  else if (drag_ == Drag::kSecond) second_ = colour;
  else return;
  update(0, 0, 22, height());
  ColoursChanged();
}

void CColorPicker::ColoursChanged() {
  NotifyAccessibleValue(this, ColourText(first_));
  emit coloursChanged();
}

void CColorPicker::ReportEnd() {
  emit reported(SliderReport::kEndTrack, 0);
  emit changeFinished();
}

void CColorPicker::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  gene_pressed_ = false;
  if (event->button() == Qt::LeftButton) {
    if (at.x() >= 1 && at.x() <= 21) {
      if (ZoneAt(at) == PickerZone::kGeneButton) {
        gene_down_ = true;
        update();
      }
    } else if (at.x() > 22) {
      drag_ = Drag::kFirst;
      PickAt(at);
    }
  } else if (event->button() == Qt::RightButton && !single_) {
    if (at.x() > 21) {
      drag_ = Drag::kSecond;
      PickAt(at);
    } else if (ZoneAt(at) == PickerZone::kFirstSwatch) {
      second_ = first_;  // a right press on the first swatch copies the first colour into the second
      update();
      ColoursChanged();
    }
  }
}

void CColorPicker::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  UpdateCursor(at);
  if (drag_ != Drag::kNone) PickAt(at);
}

void CColorPicker::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const PickerZone zone = ZoneAt(at);
  if (event->button() == Qt::LeftButton) {
    drag_ = Drag::kNone;
    const bool was_down = gene_down_;
    gene_down_ = false;
    if (was_down) update();
    if (zone == PickerZone::kGeneButton && was_down) {
      gene_pressed_ = true;
    } else if (zone == PickerZone::kFirstSwatch) {
      if (std::optional<COLORREF> chosen = colour_dialog_ ? colour_dialog_(first_, this) : std::nullopt) {
        first_ = *chosen;
        update();
        ColoursChanged();
      }
    } else if (zone == PickerZone::kSecondSwatch) {
      std::swap(first_, second_);
      update();
      ColoursChanged();
    }
    ReportEnd();
  } else if (event->button() == Qt::RightButton) {
    drag_ = Drag::kNone;
    if (zone == PickerZone::kSecondSwatch && at.x() < 22) {
      second_ = first_;  // a right click on the second swatch takes the first colour too
      update();
      ColoursChanged();
    }
    ReportEnd();
  }
}

void CColorPicker::UpdateCursor(QPoint at) {
  switch (ZoneAt(at)) {
    case PickerZone::kFirstSwatch: setCursor(ToolCursor("picker-first")); break;
    case PickerZone::kSecondSwatch: setCursor(ToolCursor("picker-second")); break;
    case PickerZone::kGeneButton: setCursor(ToolCursor("gene")); break;
    case PickerZone::kColourField: setCursor(ToolCursor("colour-field")); break;
    case PickerZone::kNone: unsetCursor(); break;
  }
}

}  // namespace lumi::app
