#include "plenivor_view.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QNativeGestureEvent>
#include <QUrl>
#include <QWheelEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMetaObject>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "edit/canvas_frame.h"
#include "edit/checker_shade.h"
#include "edit/tool_commands.h"
#include "edit/view_keys.h"
#include "qt_convert.h"
#include "tool_painting.h"

namespace lumi::app {
namespace {

QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

}  // namespace

// The tools' requests turned into the view's repaints, selection and zoom.
class CPlenivorView::ToolPort final : public ToolViewPort {
 public:
  explicit ToolPort(CPlenivorView& v) : v_(v) {}
  void SelectionChanged(const CDrawObject* selected, const std::vector<const CDrawObject*>& multi,
                        bool group) override {
    if (!multi.empty())
      v_.view_.SetMultiSelection(multi, group);
    else if (selected != v_.view_.Selected() || !v_.view_.MultiSelection().empty())
      v_.view_.SelectObject(selected);
    emit v_.currentObjectChanged(multi.empty() ? selected : nullptr);
  }
  void InvalidateCanvas(const Rect& canvas) override { v_.InvalidateCanvas(canvas); }
  void InvalidateAll() override { v_.viewport()->update(); }
  void ZoomToRectangle(const Rect& canvas) override { v_.view_.ZoomToRectangle(canvas); }
  void DropCache() override { v_.view_.Cache().Drop(); }
  void MarkCacheInvalid() override { v_.view_.Cache().MarkInvalid(); }
  void ToolChanged() override {
    v_.UpdateCursor();
    emit v_.toolChanged();
  }

 private:
  CPlenivorView& v_;
};

CPlenivorView::~CPlenivorView() = default;

CPlenivorView::CPlenivorView(Host& host, QWidget* parent)
    : QAbstractScrollArea(parent), view_(*this, host) {
  // Every paint covers every pixel: no background erase.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setMouseTracking(true);
  // Screen readers and the accessibility tests find the drawing by this name.
  setAccessibleName(QStringLiteral("Drawing"));
  viewport()->setAccessibleName(QStringLiteral("Drawing"));
  // Object-library entries are dragged here as their file paths.
  setAcceptDrops(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
    connect(bar, &QScrollBar::sliderReleased, this, &CPlenivorView::EndScroll);
    // Arrow, page and keyboard steps end their scroll at once; a thumb drag ends on release.
    connect(bar, &QScrollBar::actionTriggered, this, [this](int action) {
      if (action != QAbstractSlider::SliderMove)
        QMetaObject::invokeMethod(this, &CPlenivorView::EndScroll, Qt::QueuedConnection);
    });
  }
}

void CPlenivorView::SetDocument(const ViewDocument* document) {
  view_.SetDocument(document);
  if (shown_) view_.OnFirstShow();
}

void CPlenivorView::AttachTools(CPlenivorDoc& doc, TextDialog* text_dialog) {
  tool_port_ = std::make_unique<ToolPort>(*this);
  tools_ = std::make_unique<ToolMachine>(doc, *tool_port_, quick_tools_, text_dialog);
  setFocusPolicy(Qt::StrongFocus);
  UpdateCursor();
}

void CPlenivorView::OnUpdate(int hint) {
  if (tools_ && hint != kHintRepaint) tools_->ForgetSelection();
  view_.OnUpdate(hint);
}

void CPlenivorView::InvalidateCanvas(const Rect& canvas) {
  if (canvas.IsEmpty()) return;
  const Rect d = view_.Zoom().CanvasToDevice(canvas);
  // A canvas pixel cut by the right or bottom edge still shows partly.
  viewport()->update(QRect(d.left, d.top, d.Width() + 1, d.Height() + 1));
}

Point CPlenivorView::CanvasPoint(const QMouseEvent& event) const {
  const QPoint p = event.position().toPoint();
  return view_.Zoom().DeviceToCanvas({p.x(), p.y()});
}

void CPlenivorView::UpdateCursor() {
  if (pan_button_ != Qt::NoButton)
    viewport()->setCursor(Qt::ClosedHandCursor);
  else if (space_held_)
    viewport()->setCursor(Qt::OpenHandCursor);
  else
    viewport()->setCursor(CursorFor(tools_ ? tools_->Cursor() : CursorRole::Arrow));
}

bool CPlenivorView::StartPan(const QMouseEvent& event) {
  const bool middle = event.button() == Qt::MiddleButton;
  const bool space_left = event.button() == Qt::LeftButton && space_held_;
  // A tool drag under way keeps the mouse.
  if (pan_button_ != Qt::NoButton || (!middle && !space_left) || (tools_ && tools_->Dragging())) return false;
  pan_button_ = event.button();
  pan_last_ = event.position().toPoint();
  UpdateCursor();
  return true;
}

void CPlenivorView::EndPan() {
  pan_button_ = Qt::NoButton;
  UpdateCursor();
}

void CPlenivorView::wheelEvent(QWheelEvent* event) {
  const QPoint at = event->position().toPoint();
  const QPoint angle = event->angleDelta();
  const QPoint pixels = event->pixelDelta();
  view_.Wheel({{at.x(), at.y()},
               {angle.x(), angle.y()},
               {pixels.x(), pixels.y()},
               event->modifiers().testFlag(Qt::ControlModifier),
               event->modifiers().testFlag(Qt::ShiftModifier)});
  event->accept();
}

bool CPlenivorView::viewportEvent(QEvent* event) {
  // A touchpad pinch zooms about its centre.
  if (event->type() == QEvent::NativeGesture) {
    auto* gesture = static_cast<QNativeGestureEvent*>(event);
    if (gesture->gestureType() == Qt::ZoomNativeGesture) {
      const QPoint at = gesture->position().toPoint();
      view_.ZoomAbout({at.x(), at.y()}, 1.0 + gesture->value());
      event->accept();
      return true;
    }
  }
  return QAbstractScrollArea::viewportEvent(event);
}

void CPlenivorView::focusOutEvent(QFocusEvent* event) {
  // The Space release goes elsewhere now.
  space_held_ = false;
  UpdateCursor();
  QAbstractScrollArea::focusOutEvent(event);
}

namespace {
Keys KeysOf(const QInputEvent& event) {
  return {event.modifiers().testFlag(Qt::ShiftModifier), event.modifiers().testFlag(Qt::ControlModifier)};
}
}  // namespace

void CPlenivorView::mousePressEvent(QMouseEvent* event) {
  if (StartPan(*event)) return;
  if (!tools_) return QAbstractScrollArea::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) tools_->Press(CanvasPoint(*event), KeysOf(*event));
  if (event->button() == Qt::RightButton) tools_->RightPress(CanvasPoint(*event), KeysOf(*event));
  UpdateCursor();
}

void CPlenivorView::mouseReleaseEvent(QMouseEvent* event) {
  if (pan_button_ != Qt::NoButton) {
    if (event->button() == pan_button_) EndPan();
    return;
  }
  if (!tools_) return QAbstractScrollArea::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton) tools_->Release(CanvasPoint(*event), KeysOf(*event));
  UpdateCursor();
}

void CPlenivorView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!tools_) return QAbstractScrollArea::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) tools_->DoubleClick(CanvasPoint(*event), KeysOf(*event));
  UpdateCursor();
}

namespace {
// The name the view's key table knows a key by ("R", "*", "Escape", "+"), or "".
QString ViewKeyName(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Escape: return QStringLiteral("Escape");
    case Qt::Key_Delete: return QStringLiteral("Delete");
    case Qt::Key_Plus: return QStringLiteral("+");
    case Qt::Key_Minus: return QStringLiteral("-");
    default: break;
  }
  // The arrow keys nudge the selection, unmodified only (Shift and Ctrl scroll).
  if (event.modifiers() == Qt::NoModifier || event.modifiers() == Qt::KeypadModifier) {
    switch (event.key()) {
      case Qt::Key_Left: return QStringLiteral("Left");
      case Qt::Key_Right: return QStringLiteral("Right");
      case Qt::Key_Up: return QStringLiteral("Up");
      case Qt::Key_Down: return QStringLiteral("Down");
      default: break;
    }
  }
  // Letters and "*" with Shift at most (Ctrl and Alt belong to the menus).
  const Qt::KeyboardModifiers other = event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  if (other != Qt::NoModifier || event.text().size() != 1) return {};
  return event.text().toUpper();
}
}  // namespace

void CPlenivorView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space) {
    if (!event->isAutoRepeat()) {
      space_held_ = true;
      UpdateCursor();
    }
    return;
  }
  const QString name = ViewKeyName(*event);
  if (tools_ && !name.isEmpty() && IsViewKey(name.toStdString())) {
    // Escape during a pan ends the pan; the tools never saw the press.
    if (name == QLatin1String("Escape") && pan_button_ != Qt::NoButton) {
      EndPan();
      return;
    }
    const bool done = PressViewKey(name.toStdString(), *tools_, &view_);
    UpdateCursor();
    // An arrow key that moves nothing (no selection) scrolls the view instead.
    const bool arrow = event->key() == Qt::Key_Left || event->key() == Qt::Key_Right ||
                       event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
    if (done || !arrow) return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

void CPlenivorView::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
    space_held_ = false;
    UpdateCursor();
    return;
  }
  QAbstractScrollArea::keyReleaseEvent(event);
}

void CPlenivorView::contextMenuEvent(QContextMenuEvent* event) {
  // The menu key puts the menu just inside the view's top-left corner.
  const QPoint at = event->reason() == QContextMenuEvent::Keyboard ? viewport()->mapToGlobal(QPoint(5, 5))
                                                                    : event->globalPos();
  emit contextMenuWanted(at);
  event->accept();
}

void CPlenivorView::chooseZoomEntry(int index) { view_.ChooseZoomEntry(index); }
void CPlenivorView::zoomIn() { view_.ZoomIn(); }
void CPlenivorView::zoomOut() { view_.ZoomOut(); }
void CPlenivorView::originalSize() { view_.OriginalSize(); }
void CPlenivorView::toggleMatte() { view_.ToggleMatte(); }

void CPlenivorView::EndScroll() { view_.EndScroll(); }

void CPlenivorView::InvalidateAll() { viewport()->update(); }

void CPlenivorView::InvalidateDeviceRect(const Rect& device) { viewport()->update(ToQRect(device)); }

void CPlenivorView::ShowZoomEntry(int index) { emit zoomEntryChanged(index); }

void CPlenivorView::ScrollGeometryChanged() {
  const ZoomView& zoom = view_.Zoom();
  const Point most = zoom.MaxScroll();
  const Point at = zoom.ScrollPosition();
  syncing_bars_ = true;
  QScrollBar* h = horizontalScrollBar();
  QScrollBar* v = verticalScrollBar();
  h->setRange(0, most.x);
  v->setRange(0, most.y);
  h->setPageStep(std::max(zoom.PageScroll().width, 1));
  v->setPageStep(std::max(zoom.PageScroll().height, 1));
  h->setSingleStep(std::max(zoom.LineScroll().width, 1));
  v->setSingleStep(std::max(zoom.LineScroll().height, 1));
  h->setValue(at.x);
  v->setValue(at.y);
  syncing_bars_ = false;
  // Showing or hiding a bar changes the client size; the core view hears of it through
  // the viewport's resize.
}

void CPlenivorView::scrollContentsBy(int, int) {
  if (syncing_bars_) return;
  view_.ScrollTo({horizontalScrollBar()->value(), verticalScrollBar()->value()});
}

void CPlenivorView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  view_.SetClientSize({viewport()->width(), viewport()->height()});
}

void CPlenivorView::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  if (shown_) return;
  shown_ = true;
  view_.SetClientSize({viewport()->width(), viewport()->height()});
  view_.OnFirstShow();
}

void CPlenivorView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (pan_button_ != Qt::NoButton) {
    view_.ScrollBy({pan_last_.x() - p.x(), pan_last_.y() - p.y()});
    pan_last_ = p;
    return;
  }
  view_.MouseMoved({p.x(), p.y()});
  if (tools_) {
    const Point canvas = view_.Zoom().DeviceToCanvas({p.x(), p.y()});
    if (event->buttons().testFlag(Qt::LeftButton) && tools_->Dragging())
      tools_->Move(canvas, KeysOf(*event));
    else
      tools_->Hover(canvas, KeysOf(*event));
    UpdateCursor();
  }
  QAbstractScrollArea::mouseMoveEvent(event);
}

const QImage& CPlenivorView::CanvasImage(const CDIBSection& bitmap, const Rect& source,
                                         const Rect& composed) {
  Rect changed = Intersect(composed, source);
  if (canvas_image_.width() != source.Width() || canvas_image_.height() != source.Height()) {
    canvas_image_ = QImage(source.Width(), source.Height(), QImage::Format_RGB32);
    changed = source;
  }
  CopyIntoImage(bitmap, changed, canvas_image_, QPoint(changed.left - source.left, changed.top - source.top));
  return canvas_image_;
}

void CPlenivorView::paintEvent(QPaintEvent* event) {
  const QSize size = viewport()->size();
  if (size.isEmpty()) return;
  // Only what Qt asks for is composed and painted; the rest of the window keeps its pixels.
  const QRect dirty = event->rect().intersected(QRect(QPoint(0, 0), size));
  if (dirty.isEmpty()) return;
  const ViewPaint paint = view_.Paint({dirty.left(), dirty.top(), dirty.right() + 1, dirty.bottom() + 1});
  // The frame has the screen's own pixels (twice as many each way on a high-density
  // screen): everything below is placed in window units, so the composite is stretched
  // once from canvas pixels to screen pixels and the overlays are drawn at full density.
  const qreal ratio = viewport()->devicePixelRatioF();
  const QSize pixels(static_cast<int>(std::ceil(size.width() * ratio)),
                     static_cast<int>(std::ceil(size.height() * ratio)));
  if (frame_.size() != pixels || frame_.devicePixelRatio() != ratio) {
    frame_ = QImage(pixels, QImage::Format_RGB32);
    frame_.setDevicePixelRatio(ratio);
  }
  {
    QPainter p(&frame_);
    p.setClipRect(dirty);
    for (const Rect& band : paint.grey_bands)
      if (!band.IsEmpty()) p.fillRect(ToQRect(band), ToQColor(kViewSurroundColour));
    const Rect& f = paint.frame_outline;
    if (!f.IsEmpty()) {
      const QColor black = ToQColor(kCanvasFrameColour);
      p.fillRect(QRect(f.left, f.top, f.Width(), 1), black);
      p.fillRect(QRect(f.left, f.bottom - 1, f.Width(), 1), black);
      p.fillRect(QRect(f.left, f.top, 1, f.Height()), black);
      p.fillRect(QRect(f.right - 1, f.top, 1, f.Height()), black);
    }
    for (const Rect& shadow : paint.shadows)
      if (!shadow.IsEmpty()) p.fillRect(ToQRect(shadow), ToQColor(kCanvasShadowColour));
    if (paint.image && !paint.image_source.IsEmpty()) {
      // One stretch from canvas resolution to device pixels, without smoothing; the whole
      // image is placed so that every pixel samples as in a whole paint, clipped to `dirty`.
      p.drawImage(ToQRect(paint.image_device), CanvasImage(*paint.image, paint.image_source, paint.composed));
    }
  }
  const QColor hl = palette().color(QPalette::Highlight);
  auto on_frame = [ratio](const Rect& area) {
    return Rect{static_cast<int>(std::floor(area.left * ratio)), static_cast<int>(std::floor(area.top * ratio)),
                static_cast<int>(std::ceil(area.right * ratio)), static_cast<int>(std::ceil(area.bottom * ratio))};
  };
  const Rect dirty_on_frame = on_frame({dirty.left(), dirty.top(), dirty.right() + 1, dirty.bottom() + 1});
  for (const Rect& area : paint.matte) {
    // The checker works on the frame's own pixels, and only where the composite under it
    // was painted again (shading twice would darken it).
    const Rect shaded = Intersect(on_frame(area), dirty_on_frame);
    if (shaded.IsEmpty()) continue;
    ShadeChecker(frame_.bits(), frame_.width(), frame_.height(), frame_.bytesPerLine(), shaded,
                 CheckerVariant::kDark, RGB(hl.red(), hl.green(), hl.blue()));
  }
  if (tools_) {
    // The tools' overlays over the composite; nothing needs erasing by drawing again.
    QPainter p(&frame_);
    p.setClipRect(dirty);
    PaintOverlay(p, tools_->BuildOverlay(), view_.Zoom());
  }
  QPainter(viewport()).drawImage(0, 0, frame_);
}

// Only plain text (a library entry's path) is taken; files dropped from elsewhere go on
// to the main window.
std::optional<QString> CPlenivorView::LibraryEntryPath(const QMimeData& data) {
  // A file manager offers a file URL; the object library its path as text.
  if (data.hasUrls()) {
    const QList<QUrl> urls = data.urls();
    if (urls.size() == 1 && urls[0].isLocalFile() && urls[0].toLocalFile().endsWith(QStringLiteral(".obj"), Qt::CaseInsensitive))
      return urls[0].toLocalFile();
    return std::nullopt;
  }
  if (data.hasText()) return data.text();
  return std::nullopt;
}

void CPlenivorView::dragEnterEvent(QDragEnterEvent* event) {
  if (LibraryEntryPath(*event->mimeData())) {
    setFocus();
    event->setDropAction(event->modifiers() & Qt::ControlModifier ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void CPlenivorView::dragMoveEvent(QDragMoveEvent* event) {
  if (LibraryEntryPath(*event->mimeData())) {
    event->setDropAction(event->modifiers() & Qt::ControlModifier ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void CPlenivorView::dropEvent(QDropEvent* event) {
  const std::optional<QString> path = LibraryEntryPath(*event->mimeData());
  if (!path) {
    event->ignore();
    return;
  }
  const QPoint device = event->position().toPoint();
  const Point canvas = view_.Zoom().DeviceToCanvas({device.x(), device.y()});
  event->acceptProposedAction();
  emit libraryEntryDropped(*path, QPoint(canvas.x, canvas.y));
}

}  // namespace lumi::app
