#include "tool_painting.h"

#include "controls/program_icons.h"

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
  // The tools' own pictures; the arrow and the handles' resize arrows are the system's,
  // which users know from every other window.
  switch (role) {
    case CursorRole::Arrow: return Qt::ArrowCursor;
    case CursorRole::SystemDefault: return Qt::ArrowCursor;
    case CursorRole::Zoom: return ToolCursor("zoom");
    case CursorRole::ZoomDragging: return ToolCursor("zoom-drag");
    case CursorRole::Drawing: return ToolCursor("draw");
    case CursorRole::Crop: return ToolCursor("crop");
    case CursorRole::Insert: return ToolCursor("insert");
    case CursorRole::Node: return ToolCursor("node");
    case CursorRole::AddPoint: return ToolCursor("add-point");
    case CursorRole::Rotate: return ToolCursor("rotate");
    case CursorRole::TransparencyBrush: return ToolCursor("transparency-brush");
    case CursorRole::OpaqueBrush: return ToolCursor("opaque-brush");
    case CursorRole::Pencil: return ToolCursor("pencil");
    case CursorRole::ColourPicker: return ToolCursor("colour-picker");
    case CursorRole::Move: return ToolCursor("move");
    case CursorRole::SizeCorner: return ToolCursor("corner");
    case CursorRole::SizeDiagonalDown: return Qt::SizeFDiagCursor;
    case CursorRole::SizeDiagonalUp: return Qt::SizeBDiagCursor;
    case CursorRole::SizeVertical: return Qt::SizeVerCursor;
    case CursorRole::SizeHorizontal: return Qt::SizeHorCursor;
  }
  return Qt::ArrowCursor;
}

}  // namespace lumi::app
