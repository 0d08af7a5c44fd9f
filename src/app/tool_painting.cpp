#include "tool_painting.h"

#include <QPainter>
#include <QPolygon>

#include "base/colour.h"
#include "edit/zoom_view.h"

namespace lumi::app {

namespace {

QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

// The device rectangle of a canvas rectangle, as Qt's last-pixel-inclusive outline.
QRect DeviceRect(const ZoomView& zoom, Rect canvas) {
  canvas.Normalize();
  const Rect d = zoom.CanvasToDevice(canvas);
  return QRect(d.left, d.top, std::max(d.Width(), 1), std::max(d.Height(), 1));
}

}  // namespace

void PaintOverlay(QPainter& painter, const Overlay& overlay, const ZoomView& zoom) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (const OverlayShape& s : overlay.shapes) {
    const QColor colour = ToQColor(s.colour);
    QPen pen(colour, 0);
    if (s.kind == OverlayShape::Kind::DottedFrame) {
      pen.setStyle(Qt::CustomDashLine);
      pen.setDashPattern({1, 1});
    }
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QRect r = DeviceRect(zoom, s.rect);
    switch (s.kind) {
      case OverlayShape::Kind::Frame:
      case OverlayShape::Kind::DottedFrame:
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        break;
      case OverlayShape::Kind::FilledRect:
        painter.fillRect(r, colour);
        break;
      case OverlayShape::Kind::Circle:
        painter.drawEllipse(r.adjusted(0, 0, -1, -1));
        break;
      case OverlayShape::Kind::FilledCircle:
        painter.setBrush(colour);
        painter.drawEllipse(r.adjusted(0, 0, -1, -1));
        break;
      case OverlayShape::Kind::Polyline: {
        QPolygon line;
        for (const Point& p : s.points) {
          const Point d = zoom.CanvasToDevice(p);
          line << QPoint(d.x, d.y);
        }
        painter.drawPolyline(line);
        break;
      }
    }
  }
  painter.restore();
}

QCursor CursorFor(CursorRole role) {
  switch (role) {
    case CursorRole::Arrow: return Qt::ArrowCursor;
    case CursorRole::SystemDefault: return Qt::ArrowCursor;
    case CursorRole::Zoom:
    case CursorRole::ZoomDragging: return Qt::CrossCursor;
    case CursorRole::Drawing:
    case CursorRole::Crop: return Qt::CrossCursor;
    case CursorRole::Insert: return Qt::IBeamCursor;
    case CursorRole::Node:
    case CursorRole::AddPoint: return Qt::PointingHandCursor;
    case CursorRole::Rotate: return Qt::OpenHandCursor;
    case CursorRole::TransparencyBrush:
    case CursorRole::OpaqueBrush:
    case CursorRole::Pencil:
    case CursorRole::ColourPicker: return Qt::CrossCursor;
    case CursorRole::Move: return Qt::SizeAllCursor;
    case CursorRole::SizeDiagonalDown:
    case CursorRole::SizeCorner: return Qt::SizeFDiagCursor;
    case CursorRole::SizeDiagonalUp: return Qt::SizeBDiagCursor;
    case CursorRole::SizeVertical: return Qt::SizeVerCursor;
    case CursorRole::SizeHorizontal: return Qt::SizeHorCursor;
  }
  return Qt::ArrowCursor;
}

}  // namespace lumi::app
