#pragma once
// The drawing view without its window: zoom and scrolling, the selection it shows, the
// update protocol with the document, and the composite to paint. The window turns its
// events into these calls and paints what `Paint` returns.
#include <array>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "document/update_hints.h"
#include "edit/below_selection_cache.h"
#include "edit/zoom_combo.h"
#include "edit/zoom_view.h"
#include "image/dib_section.h"

namespace lumi {

class CDrawObject;
class Host;
class ViewDocument;

// One turn of a wheel or a touchpad scroll: the angle in eighths of a degree (120 is a
// notch of an ordinary wheel) and, from high-resolution devices, the distance in pixels.
struct WheelTurn {
  Point device;  // the pointer
  Point angle;
  Point pixels;
  bool ctrl = false;
  bool shift = false;
};

// What the view asks of its window.
class ViewSurface {
 public:
  virtual ~ViewSurface() = default;
  virtual void InvalidateAll() = 0;
  virtual void InvalidateDeviceRect(const Rect& device) = 0;
  // Scroll ranges, steps or positions changed: the window updates its scroll bars.
  virtual void ScrollGeometryChanged() = 0;
  // The zoom list shows entry `index` (see zoom_combo.h).
  virtual void ShowZoomEntry(int index) = 0;
};

// What to put on the window, all in device pixels, in painting order: the grey bands,
// the frame outline and the shadows (those three only below 100%), the composed image
// stretched from `image_source` to `image_device`, then the matte over `matte`.
struct ViewPaint {
  std::array<Rect, 4> grey_bands{};
  Rect frame_outline;  // 1 pixel wide
  std::array<Rect, 2> shadows{};
  const CDIBSection* image = nullptr;
  Rect image_source;
  Rect image_device;
  std::array<Rect, 4> matte{};
  BelowSelectionCache::DrawResult objects;
  // The part of `image` composed for this paint, in its own pixels; elsewhere it keeps
  // what earlier paints composed there (the window shows those pixels already).
  Rect composed;
};

class DrawingView {
 public:
  static constexpr float kMinScale = 0.02f;
  static constexpr float kMaxScale = 22.0f;
  // The menu's zoom in and zoom out step.
  static constexpr float kMenuZoomFactor = 2.0f;
  // Ctrl+wheel zooms by this factor per notch; a notch scrolls this many device pixels.
  static constexpr float kWheelZoomFactor = 1.25f;
  static constexpr int kWheelNotchPixels = 60;

  DrawingView(ViewSurface& surface, Host& host) : surface_(surface), host_(host) {}

  // The document to show (it must outlive the view or be replaced first); followed by a
  // canvas-changed update.
  void SetDocument(const ViewDocument* document);
  const ViewDocument* Document() const { return document_; }
  const ZoomView& Zoom() const { return zoom_; }

  // The window is shown the first time: zoom limits, logical size, a general update.
  void OnFirstShow();
  void SetClientSize(Size size);
  // A scroll bar moved (device position); the end of a scroll rebuilds the cache.
  void ScrollTo(Point position);
  void EndScroll();

  // The document's refresh: an object, or one of the hints above.
  void OnUpdate(int hint, const CDrawObject* object = nullptr);

  // ---- zoom
  void ChooseZoomEntry(int index);
  void OriginalSize();
  void ZoomIn();
  void ZoomOut();
  // The end of a zoom-tool drag, with the canvas rectangle dragged.
  void ZoomToRectangle(const Rect& canvas);
  int ZoomEntry() const { return zoom_entry_; }

  // ---- wheel, touchpad and panning
  // The wheel scrolls (Shift: across), with Ctrl it zooms about the pointer.
  void Wheel(const WheelTurn& turn);
  // Zooms by `factor` keeping the canvas point under `device` there (a pinch gives
  // 1 + its scale change); the zoom list follows.
  void ZoomAbout(Point device, double factor);
  // Moves the view by device pixels (a pan drag, a wheel turn).
  void ScrollBy(Point delta);

  // ---- selection shown by the view
  const CDrawObject* Selected() const { return selected_; }
  void SelectObject(const CDrawObject* object);
  const std::vector<const CDrawObject*>& MultiSelection() const { return multi_; }
  bool GroupSelected() const { return group_selected_; }
  void SetMultiSelection(std::vector<const CDrawObject*> objects, bool group);
  void EndMultiSelectionMove();
  void EndExportCropDrag();
  // Repaints the object's area with its effects and the previous selection area.
  void InvalidateObject(const CDrawObject& object);

  // ---- display
  bool Matte() const { return matte_; }
  void ToggleMatte();
  // "Log: (x,y) Dev: (x,y)" into the second status pane.
  void MouseMoved(Point device);
  static std::string CursorStatusText(Point canvas, Point device);
  // Composes the visible part at canvas resolution and says where everything goes.
  ViewPaint Paint();
  // The same for a window that only has to show `dirty` (device pixels) again: only the
  // canvas area under it is composed, unless the composite kept from the last paint
  // covers another area or the cache cannot serve the selection there.
  ViewPaint Paint(const Rect& dirty);

  BelowSelectionCache& Cache() { return cache_; }

 private:
  void ZoomChanged();
  void InvalidateCanvasRect(const Rect& canvas);
  // The whole window shows something new: the next paint composes everything again.
  void InvalidateEverything();
  void PrepareOffscreen(int width, int height);
  // The canvas pixels a device rectangle shows, with a margin of one for the window's
  // stretch.
  Rect CanvasAreaOf(const Rect& device) const;
  // Composes `area` (canvas coordinates) into the offscreen bitmap, or only its part
  // under `dirty` when the bitmap still holds that area; returns what was composed, in
  // the bitmap's pixels.
  Rect Compose(const Rect& area, const Rect& dirty, bool with_surround, ViewPaint& paint);
  // What lies under the objects: the surround, the frame, its shadows and the canvas
  // (`with_surround`), or only the canvas colour.
  void ComposeBackground(CDIBSection& bitmap, Point origin, bool with_surround) const;

  ViewSurface& surface_;
  Host& host_;
  const ViewDocument* document_ = nullptr;
  ZoomView zoom_;
  int zoom_entry_ = kZoomEntryOriginal;
  const CDrawObject* selected_ = nullptr;
  std::vector<const CDrawObject*> multi_;
  bool group_selected_ = false;
  Rect selection_rect_;
  bool matte_ = false;
  BelowSelectionCache cache_;
  CDIBSection offscreen_;
  // The canvas area offscreen_ holds and whether with the surround; empty when it must
  // be composed whole at the next paint.
  Rect offscreen_area_;
  bool offscreen_with_surround_ = false;
  CDIBSection patch_;
};

}  // namespace lumi
