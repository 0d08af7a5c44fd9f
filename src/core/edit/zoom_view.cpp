#include "edit/zoom_view.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace lumi {
namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return -FloorDiv(-a, b); }

// Device offset of a canvas coordinate along one axis: the first device pixel whose
// canvas pixel is `c` or beyond.
int CanvasToDeviceAxis(int c, int logical, int zoomed, int origin) {
  if (logical <= 0 || zoomed <= 0) return origin;
  return origin + static_cast<int>(CeilDiv(std::int64_t{c} * zoomed, logical));
}

int DeviceToCanvasAxis(int d, int logical, int zoomed, int origin) {
  if (logical <= 0 || zoomed <= 0) return 0;
  return static_cast<int>(FloorDiv(std::int64_t{d - origin} * logical, zoomed));
}

int CentredScroll(int point, int logical, int zoomed, int client) {
  if (logical <= 0) return 0;
  const auto on_zoomed = static_cast<int>(FloorDiv(std::int64_t{point} * zoomed, logical));
  return on_zoomed - client / 2;
}

}  // namespace

void ZoomView::UpdateZoomedSize() {
  zoomed_ = {static_cast<int>(static_cast<float>(logical_.width) * scale_),
             static_cast<int>(static_cast<float>(logical_.height) * scale_)};
  page_ = {zoomed_.width / 10, zoomed_.height / 10};
  line_ = {page_.width / 10, page_.height / 10};
  ScrollTo(scroll_);
}

void ZoomView::SetLogicalSize(Size size) {
  logical_ = {std::max(size.width, 0), std::max(size.height, 0)};
  UpdateZoomedSize();
}

void ZoomView::SetClientSize(Size size) {
  client_ = {std::max(size.width, 0), std::max(size.height, 0)};
  ScrollTo(scroll_);
}

Point ZoomView::MaxScroll() const {
  return {std::max(zoomed_.width - client_.width, 0), std::max(zoomed_.height - client_.height, 0)};
}

void ZoomView::ScrollTo(Point position) {
  const Point most = MaxScroll();
  scroll_ = {std::clamp(position.x, 0, most.x), std::clamp(position.y, 0, most.y)};
}

Point ZoomView::ClientCentreOnCanvas() const {
  return DeviceToCanvas({client_.width / 2, client_.height / 2});
}

bool ZoomView::SetZoomScale(float scale, std::optional<Point> centre) {
  if (mode_ != kZoomNormal) return false;
  // A scale that is not a finite positive number (a zoom rectangle without area when no
  // limits are set) is refused like one beyond the limits.
  if (!(scale > 0.0f) || !std::isfinite(scale)) return false;
  if (max_scale_ != kNoLimit && scale > max_scale_) return false;
  if (min_scale_ != kNoLimit && scale < min_scale_) return false;
  const Point point = centre ? *centre : ClientCentreOnCanvas();
  scale_ = scale;
  Recentre(point);
  return true;
}

bool ZoomView::ZoomIn(Point centre, float factor) { return SetZoomScale(scale_ * factor, centre); }

bool ZoomView::ZoomOut(Point centre, float factor) {
  if (!(factor > 0.0f)) return false;
  return SetZoomScale(scale_ / factor, centre);
}

bool ZoomView::ZoomAbout(Point device, float scale) {
  if (mode_ != kZoomNormal || !(scale > 0.0f) || !std::isfinite(scale)) return false;
  if (max_scale_ != kNoLimit) scale = std::min(scale, max_scale_);
  if (min_scale_ != kNoLimit) scale = std::max(scale, min_scale_);
  if (scale == scale_) return false;
  // The canvas position (fractional) at the centre of the device pixel, before and after.
  const Point origin = ViewportOrigin();
  const auto at = [](int d, int o, int logical, int zoomed) {
    return zoomed > 0 ? (d - o + 0.5) * logical / zoomed : 0.0;
  };
  const double cx = at(device.x, origin.x, logical_.width, zoomed_.width);
  const double cy = at(device.y, origin.y, logical_.height, zoomed_.height);
  scale_ = scale;
  UpdateZoomedSize();
  const auto scroll = [](double c, int d, int logical, int zoomed) {
    return logical > 0 ? static_cast<int>(std::lround(c * zoomed / logical - 0.5 - d)) : 0;
  };
  ScrollTo({scroll(cx, device.x, logical_.width, zoomed_.width),
            scroll(cy, device.y, logical_.height, zoomed_.height)});
  return true;
}

bool ZoomView::ZoomToRect(Rect rect) {
  if (mode_ != kZoomNormal) return false;
  rect.Normalize();
  const Point centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  // A rectangle without width or height has no scale within any limits.
  if (rect.Width() == 0 || rect.Height() == 0) {
    Recentre(centre);
    return false;
  }
  const float sx = static_cast<float>(client_.width + 1) / static_cast<float>(rect.Width());
  const float sy = static_cast<float>(client_.height + 1) / static_cast<float>(rect.Height());
  if (SetZoomScale(std::min(sx, sy), centre)) return true;
  Recentre(centre);
  return false;
}

void ZoomView::Recentre(std::optional<Point> centre) {
  const Point point = centre ? *centre : ClientCentreOnCanvas();
  UpdateZoomedSize();
  ScrollTo({CentredScroll(point.x, logical_.width, zoomed_.width, client_.width),
            CentredScroll(point.y, logical_.height, zoomed_.height, client_.height)});
}

Point ZoomView::ViewportOrigin() const {
  Point origin{-scroll_.x, -scroll_.y};
  if (centre_ && zoomed_.width < client_.width) origin.x = (client_.width - zoomed_.width) / 2;
  if (centre_ && zoomed_.height < client_.height)
    origin.y = (client_.height - zoomed_.height) / 2;
  return origin;
}

Point ZoomView::DeviceToCanvas(Point device) const {
  const Point o = ViewportOrigin();
  return {DeviceToCanvasAxis(device.x, logical_.width, zoomed_.width, o.x),
          DeviceToCanvasAxis(device.y, logical_.height, zoomed_.height, o.y)};
}

Point ZoomView::CanvasToDevice(Point canvas) const {
  const Point o = ViewportOrigin();
  return {CanvasToDeviceAxis(canvas.x, logical_.width, zoomed_.width, o.x),
          CanvasToDeviceAxis(canvas.y, logical_.height, zoomed_.height, o.y)};
}

Rect ZoomView::CanvasToDevice(const Rect& canvas) const {
  const Point a = CanvasToDevice(Point{canvas.left, canvas.top});
  const Point b = CanvasToDevice(Point{canvas.right, canvas.bottom});
  return {a.x, a.y, b.x, b.y};
}

Rect ZoomView::VisibleCanvasRect() const {
  const Point a = DeviceToCanvas({0, 0});
  // The last client pixel's canvas pixel, plus one: canvas pixels cut by the client
  // edge are included.
  const Point b = DeviceToCanvas({client_.width - 1, client_.height - 1});
  return {a.x, a.y, b.x + 1, b.y + 1};
}

}  // namespace lumi
