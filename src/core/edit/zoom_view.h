#pragma once
// A scroll view that zooms: the canvas (the logical size) is shown at `Scale()` inside a
// client area, scrolled, or centred where it is smaller than the client. Every device
// point goes through this mapping before the tools see it.
#include <optional>

#include "base/geometry.h"

namespace lumi {

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

class ZoomView {
 public:
  // Zoom modes; zoom operations act only in mode 2.
  static constexpr int kZoomOff = 1;
  static constexpr int kZoomNormal = 2;
  static constexpr int kZoomToFit = 3;
  // A limit of -1 means none.
  static constexpr float kNoLimit = -1.0f;

  int Mode() const { return mode_; }
  void SetMode(int mode) { mode_ = mode; }
  float Scale() const { return scale_; }
  float MinScale() const { return min_scale_; }
  float MaxScale() const { return max_scale_; }
  void SetLimits(float min_scale, float max_scale) {
    min_scale_ = min_scale;
    max_scale_ = max_scale;
  }
  bool Centred() const { return centre_; }
  void SetCentred(bool centre) { centre_ = centre; }

  // The canvas size; the zoomed size and the scroll amounts follow.
  void SetLogicalSize(Size size);
  void SetClientSize(Size size);
  Size LogicalSize() const { return logical_; }
  Size ClientSize() const { return client_; }
  // Logical size x scale, truncated.
  Size ZoomedSize() const { return zoomed_; }
  // A tenth of the zoomed size, and a tenth of that.
  Size PageScroll() const { return page_; }
  Size LineScroll() const { return line_; }

  // Scroll position in device pixels, kept within 0..MaxScroll().
  Point ScrollPosition() const { return scroll_; }
  Point MaxScroll() const;
  void ScrollTo(Point position);

  // Zoom operations (mode 2 only). A requested scale beyond a set limit is ignored;
  // otherwise it is stored and the view recentres on `centre` (a canvas point), by
  // default the canvas point at the middle of the client area before the change.
  // Each returns true when the scale was stored.
  bool SetZoomScale(float scale, std::optional<Point> centre = std::nullopt);
  bool ZoomIn(Point centre, float factor);
  bool ZoomOut(Point centre, float factor);
  bool ZoomOriginal() { return SetZoomScale(1.0f); }
  bool ZoomPercent(int percent) { return SetZoomScale(static_cast<float>(percent * 0.01)); }
  // Zooms to `scale`, brought within the limits, keeping the canvas point shown at the
  // device pixel `device` under that pixel (as far as the scroll range allows). False
  // when the scale stays as it was.
  bool ZoomAbout(Point device, float scale);
  // Fits a canvas rectangle into the client; when that scale is refused the view still
  // recentres on the rectangle's centre.
  bool ZoomToRect(Rect rect);
  // Recomputes the zoomed size and scroll amounts and scrolls `centre` (canvas) to the
  // middle of the client area.
  void Recentre(std::optional<Point> centre = std::nullopt);

  // ---- mapping between device pixels (the client area) and canvas pixels
  // Where canvas (0, 0) lies on the device.
  Point ViewportOrigin() const;
  // The canvas pixel a device pixel shows.
  Point DeviceToCanvas(Point device) const;
  // The first device pixel showing canvas pixel `canvas` (edges of stretched pixels).
  Point CanvasToDevice(Point canvas) const;
  // The device pixels showing a canvas rectangle.
  Rect CanvasToDevice(const Rect& canvas) const;
  // The canvas area the client area shows, widened to whole canvas pixels.
  Rect VisibleCanvasRect() const;

 private:
  void UpdateZoomedSize();
  Point ClientCentreOnCanvas() const;

  int mode_ = kZoomNormal;
  float scale_ = 1.0f;
  float min_scale_ = kNoLimit;
  float max_scale_ = kNoLimit;
  bool centre_ = true;
  Size logical_;
  Size client_;
  Size zoomed_;
  Size page_;
  Size line_;
  Point scroll_;
};

}  // namespace lumi
