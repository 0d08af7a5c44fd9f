#include "edit/drawing_view.h"

#include <cmath>
#include <cstdio>

#include "base/host.h"
#include "edit/canvas_frame.h"
#include "edit/view_document.h"
#include "objects/draw_object.h"

namespace lumi {

void DrawingView::SetDocument(const ViewDocument* document) {
  document_ = document;
  selected_ = nullptr;
  multi_.clear();
  group_selected_ = false;
  selection_rect_ = {};
  cache_.Drop();
  OnUpdate(kHintCanvasChanged);
}

void DrawingView::OnFirstShow() {
  zoom_.SetLimits(kMinScale, kMaxScale);
  if (document_) zoom_.SetLogicalSize({document_->CanvasWidth(), document_->CanvasHeight()});
  surface_.ScrollGeometryChanged();
  OnUpdate(kHintGeneral);
}

void DrawingView::SetClientSize(Size size) {
  zoom_.SetClientSize(size);
  surface_.ScrollGeometryChanged();
  InvalidateEverything();
}

void DrawingView::ScrollTo(Point position) {
  const Point before = zoom_.ScrollPosition();
  zoom_.ScrollTo(position);
  if (zoom_.ScrollPosition() != before) InvalidateEverything();
}

void DrawingView::EndScroll() {
  cache_.MarkInvalid();
  InvalidateEverything();
}

void DrawingView::OnUpdate(int hint, const CDrawObject* object) {
  if (object) {
    if (document_ && document_->Contains(object)) InvalidateObject(*object);
    return;
  }
  if (hint == kHintCanvasChanged) {
    if (document_) zoom_.SetLogicalSize({document_->CanvasWidth(), document_->CanvasHeight()});
    // The canvas under every object changed, so the composite beneath the selection did.
    cache_.MarkInvalid();
    surface_.ScrollGeometryChanged();
    InvalidateEverything();
    return;
  }
  if (hint == kHintRepaint) {
    InvalidateEverything();
    return;
  }
  selected_ = nullptr;
  multi_.clear();
  group_selected_ = false;
  selection_rect_ = {};
  InvalidateEverything();
}

void DrawingView::ZoomChanged() {
  surface_.ScrollGeometryChanged();
  InvalidateEverything();
}

void DrawingView::ChooseZoomEntry(int index) {
  zoom_entry_ = (index >= 0 && index < static_cast<int>(kZoomComboEntries.size()))
                    ? index
                    : kZoomEntryCustom;
  cache_.Drop();
  zoom_.ZoomPercent(ZoomEntryPercent(index));
  ZoomChanged();
}

void DrawingView::OriginalSize() {
  zoom_entry_ = kZoomEntryOriginal;
  surface_.ShowZoomEntry(zoom_entry_);
  cache_.Drop();
  zoom_.ZoomPercent(100);
  ZoomChanged();
}

void DrawingView::ZoomIn() {
  const Size c = zoom_.ClientSize();
  cache_.Drop();
  if (zoom_.ZoomIn(zoom_.DeviceToCanvas({c.width / 2, c.height / 2}), kMenuZoomFactor)) {
    zoom_entry_ = ZoomEntryForScale(zoom_.Scale());
    surface_.ShowZoomEntry(zoom_entry_);
  }
  ZoomChanged();
}

void DrawingView::ZoomOut() {
  const Size c = zoom_.ClientSize();
  cache_.Drop();
  if (zoom_.ZoomOut(zoom_.DeviceToCanvas({c.width / 2, c.height / 2}), kMenuZoomFactor)) {
    zoom_entry_ = ZoomEntryForScale(zoom_.Scale());
    surface_.ShowZoomEntry(zoom_entry_);
  }
  ZoomChanged();
}

void DrawingView::ZoomToRectangle(const Rect& canvas) {
  zoom_.ZoomToRect(canvas);
  cache_.Drop();
  zoom_entry_ = kZoomEntryCustom;
  surface_.ShowZoomEntry(zoom_entry_);
  ZoomChanged();
}

void DrawingView::Wheel(const WheelTurn& turn) {
  if (turn.ctrl) {
    const int notch = turn.angle.y != 0 ? turn.angle.y : turn.angle.x;
    if (notch != 0) ZoomAbout(turn.device, std::pow(double{kWheelZoomFactor}, notch / 120.0));
    return;
  }
  // High-resolution devices give pixels; ordinary wheels only angles.
  Point d = turn.pixels;
  if (d.x == 0 && d.y == 0)
    d = {turn.angle.x * kWheelNotchPixels / 120, turn.angle.y * kWheelNotchPixels / 120};
  if (turn.shift && d.x == 0) d = {d.y, 0};
  // Turning away from the user shows what is above (or to the left).
  ScrollBy({-d.x, -d.y});
}

void DrawingView::ZoomAbout(Point device, double factor) {
  if (!(factor > 0.0)) return;
  if (!zoom_.ZoomAbout(device, static_cast<float>(zoom_.Scale() * factor))) return;
  cache_.Drop();
  zoom_entry_ = ZoomEntryForScale(zoom_.Scale());
  surface_.ShowZoomEntry(zoom_entry_);
  ZoomChanged();
}

void DrawingView::ScrollBy(Point delta) {
  const Point before = zoom_.ScrollPosition();
  zoom_.ScrollTo({before.x + delta.x, before.y + delta.y});
  if (zoom_.ScrollPosition() == before) return;
  surface_.ScrollGeometryChanged();
  EndScroll();
}

void DrawingView::InvalidateEverything() {
  offscreen_area_ = {};
  surface_.InvalidateAll();
}

void DrawingView::InvalidateCanvasRect(const Rect& canvas) {
  if (canvas.IsEmpty()) return;
  Rect device = zoom_.CanvasToDevice(canvas);
  // A canvas pixel cut by the rectangle's right or bottom edge still shows partly.
  device.right += 1;
  device.bottom += 1;
  surface_.InvalidateDeviceRect(device);
}

void DrawingView::InvalidateObject(const CDrawObject& object) {
  const Rect area = object.GetInvalidRect(object.GetSelectionRect());
  InvalidateCanvasRect(Union(area, selection_rect_));
  if (&object == selected_) selection_rect_ = area;
}

void DrawingView::SelectObject(const CDrawObject* object) {
  const CDrawObject* old = selected_;
  selected_ = object;
  multi_.clear();
  group_selected_ = false;
  if (old) InvalidateObject(*old);
  selection_rect_ = {};
  if (object) InvalidateObject(*object);
}

void DrawingView::SetMultiSelection(std::vector<const CDrawObject*> objects, bool group) {
  if (selected_) SelectObject(nullptr);
  multi_ = std::move(objects);
  group_selected_ = group;
  InvalidateEverything();
}

void DrawingView::EndMultiSelectionMove() { cache_.MarkInvalid(); }

void DrawingView::EndExportCropDrag() { cache_.Drop(); }

void DrawingView::ToggleMatte() {
  matte_ = !matte_;
  InvalidateEverything();
}

std::string DrawingView::CursorStatusText(Point canvas, Point device) {
  char text[96];
  std::snprintf(text, sizeof text, "Log: (%d,%d) Dev: (%d,%d)", canvas.x, canvas.y, device.x,
                device.y);
  return text;
}

void DrawingView::MouseMoved(Point device) {
  host_.StatusText(1, CursorStatusText(zoom_.DeviceToCanvas(device), device));
}

void DrawingView::PrepareOffscreen(int width, int height) {
  if (offscreen_.IsEmpty() || offscreen_.Width() != width || offscreen_.Height() != height)
    offscreen_.Create(width, height, 32, true);
}

Rect DrawingView::CanvasAreaOf(const Rect& device) const {
  if (device.IsEmpty()) return {};
  const Point a = zoom_.DeviceToCanvas({device.left, device.top});
  const Point b = zoom_.DeviceToCanvas({device.right - 1, device.bottom - 1});
  // The window stretches with its own rounding, which may sample the neighbour of the
  // canvas pixel a device pixel is said to show.
  return {a.x - 1, a.y - 1, b.x + 2, b.y + 2};
}

void DrawingView::ComposeBackground(CDIBSection& bitmap, Point origin, bool with_surround) const {
  const int w = document_->CanvasWidth(), h = document_->CanvasHeight();
  if (!with_surround) {
    bitmap.FillRGBA(document_->CanvasColour());
    return;
  }
  FillCanvasRect(bitmap, origin, {origin.x, origin.y, origin.x + bitmap.Width(), origin.y + bitmap.Height()},
                 kViewSurroundColour);
  const CanvasFrame frame = CanvasFrameFor(w, h);
  OutlineCanvasRect(bitmap, origin, frame.frame, kCanvasFrameColour);
  for (const Rect& shadow : frame.shadows) FillCanvasRect(bitmap, origin, shadow, kCanvasShadowColour);
  FillCanvasRect(bitmap, origin, {0, 0, w, h}, document_->CanvasColour());
}

Rect DrawingView::Compose(const Rect& area, const Rect& dirty, bool with_surround, ViewPaint& paint) {
  const Point origin{area.left, area.top};
  const bool holds_area = offscreen_area_ == area && offscreen_with_surround_ == with_surround &&
                          offscreen_.Width() == area.Width() && offscreen_.Height() == area.Height();
  PrepareOffscreen(area.Width(), area.Height());
  offscreen_area_ = area;
  offscreen_with_surround_ = with_surround;
  const Rect part = Intersect(dirty, area);
  if (!holds_area || part == area ||
      !cache_.CanDrawPart(*document_, selected_, origin, area.Width(), area.Height())) {
    ComposeBackground(offscreen_, origin, with_surround);
    paint.objects = cache_.Draw(offscreen_, origin, *document_, selected_);
    return {0, 0, area.Width(), area.Height()};
  }
  if (part.IsEmpty()) return {};
  // The part is composed on its own bitmap, so every object blends only the pixels there.
  if (patch_.IsEmpty() || patch_.Width() != part.Width() || patch_.Height() != part.Height())
    patch_.Create(part.Width(), part.Height(), 32, true);
  const Point part_origin{part.left, part.top};
  ComposeBackground(patch_, part_origin, with_surround);
  paint.objects = cache_.DrawPart(patch_, part_origin, *document_, selected_);
  CopyCanvasRect(patch_, part_origin, offscreen_, origin, part);
  Rect composed = part;
  composed.Offset(-origin.x, -origin.y);
  return composed;
}

ViewPaint DrawingView::Paint() {
  const Size client = zoom_.ClientSize();
  return Paint(Rect{0, 0, client.width, client.height});
}

ViewPaint DrawingView::Paint(const Rect& dirty) {
  ViewPaint paint;
  const Size client = zoom_.ClientSize();
  const Rect client_rect{0, 0, client.width, client.height};
  if (!document_) {
    paint.grey_bands[0] = client_rect;
    return paint;
  }
  const int w = document_->CanvasWidth(), h = document_->CanvasHeight();
  const Rect canvas_device = zoom_.CanvasToDevice(Rect{0, 0, w, h});
  if (matte_) paint.matte = BandsAround(client_rect, canvas_device);
  const Rect dirty_canvas = CanvasAreaOf(Intersect(dirty, client_rect));

  if (zoom_.Scale() >= 1.0f) {
    // Everything at canvas resolution over exactly the visible canvas area, stretched
    // to the window in one copy.
    const Rect visible = zoom_.VisibleCanvasRect();
    if (visible.IsEmpty()) return paint;
    paint.composed = Compose(visible, dirty_canvas, true, paint);
    paint.image = &offscreen_;
    paint.image_source = {0, 0, visible.Width(), visible.Height()};
    paint.image_device = zoom_.CanvasToDevice(visible);
    return paint;
  }

  // Below 100%: the surround straight on the window, the whole canvas composed at its
  // own resolution and shrunk onto it.
  paint.grey_bands = BandsAround(client_rect, canvas_device);
  // The frame hugs the shrunk canvas so that it stays one device pixel wide and visible.
  paint.frame_outline = {canvas_device.left - 1, canvas_device.top - 1, canvas_device.right + 1,
                         canvas_device.bottom + 1};
  const CanvasFrame frame = CanvasFrameFor(w, h);
  for (std::size_t i = 0; i < frame.shadows.size(); ++i)
    if (!frame.shadows[i].IsEmpty()) paint.shadows[i] = zoom_.CanvasToDevice(frame.shadows[i]);
  if (w <= 0 || h <= 0) return paint;
  paint.composed = Compose({0, 0, w + 1, h + 1}, dirty_canvas, false, paint);
  paint.image = &offscreen_;
  paint.image_source = {0, 0, w, h};
  paint.image_device = canvas_device;
  return paint;
}

}  // namespace lumi
