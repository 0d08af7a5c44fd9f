#pragma once
// A document and a window stand-in for the view's tests.
#include <memory>
#include <vector>

#include "base/host.h"
#include "edit/drawing_view.h"
#include "edit/view_document.h"
#include "objects/draw_object.h"

namespace lumi::testing {

class TestDocument final : public ViewDocument {
 public:
  TestDocument(int width, int height, COLORREF colour) : w_(width), h_(height), colour_(colour) {}
  int CanvasWidth() const override { return w_; }
  int CanvasHeight() const override { return h_; }
  COLORREF CanvasColour() const override { return colour_; }
  int ObjectCount() const override { return static_cast<int>(objects_.size()); }
  const CDrawObject& ObjectAt(int index) const override {
    return *objects_[static_cast<std::size_t>(index)];
  }

  CDrawObject& AddRectangle(Host& host, Rect r, COLORREF colour) {
    auto o = std::make_unique<CDrawObject>(host);
    o->SetFillColor(colour);
    o->CreateRectangle(r.left, r.top, r.right, r.bottom);
    objects_.push_back(std::move(o));
    return *objects_.back();
  }
  std::unique_ptr<CDrawObject> Remove(int index) {
    auto o = std::move(objects_[static_cast<std::size_t>(index)]);
    objects_.erase(objects_.begin() + index);
    return o;
  }

 private:
  int w_, h_;
  COLORREF colour_;
  std::vector<std::unique_ptr<CDrawObject>> objects_;
};

class RecordingSurface final : public ViewSurface {
 public:
  void InvalidateAll() override { ++whole; }
  void InvalidateDeviceRect(const Rect& device) override { rects.push_back(device); }
  void ScrollGeometryChanged() override { ++scroll_changes; }
  void ShowZoomEntry(int index) override { entry = index; }

  int whole = 0;
  std::vector<Rect> rects;
  int scroll_changes = 0;
  int entry = -1;
};

// The colour (COLORREF) of a composed bitmap pixel.
inline COLORREF PixelOf(const CDIBSection& image, int x, int y) {
  const std::uint8_t* p = image.Row(y) + static_cast<std::size_t>(x) * 4;
  return RGB(p[2], p[1], p[0]);
}

// The colour a device pixel gets from the composed image, at 100% only (one image pixel
// per device pixel).
inline COLORREF DevicePixel(const ViewPaint& paint, int x, int y) {
  return PixelOf(*paint.image, x - paint.image_device.left + paint.image_source.left,
                 y - paint.image_device.top + paint.image_source.top);
}

}  // namespace lumi::testing
