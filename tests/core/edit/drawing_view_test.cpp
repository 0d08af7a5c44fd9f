#include "edit/drawing_view.h"

#include <functional>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "edit/canvas_frame.h"
#include "view_fixtures.h"

namespace lumi {
namespace {

using testing::DevicePixel;
using testing::PixelOf;
using testing::RecordingSurface;
using testing::TestDocument;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

struct ViewFixture {
  ViewFixture(int canvas_w, int canvas_h, Size client) : document(canvas_w, canvas_h, kWhite) {
    view.SetDocument(&document);
    view.SetClientSize(client);
    view.OnFirstShow();
  }
  RecordingHost host;
  TestDocument document;
  RecordingSurface surface;
  DrawingView view{surface, host};
};

TEST(DrawingView, CanvasAt100PercentIsCentredWithFrameAndShadow) {
  ViewFixture f(400, 300, {800, 600});
  f.document.AddRectangle(f.host, {10, 10, 60, 40}, kRed);
  const ViewPaint paint = f.view.Paint();
  ASSERT_NE(paint.image, nullptr);
  ASSERT_EQ(paint.image_device, (Rect{0, 0, 800, 600})) << "one copy covers the window";
  ASSERT_EQ(paint.image_source, (Rect{0, 0, 800, 600})) << "composed at canvas resolution";

  const struct {
    int x, y;
    COLORREF colour;
    const char* what;
  } pixels[] = {
      {10, 10, 0xE1E1E1, "surround"},
      {199, 300, 0x000000, "frame, left"},
      {300, 149, 0x000000, "frame, top"},
      {600, 300, 0x000000, "frame, right"},
      {300, 450, 0x000000, "frame, bottom"},
      {200, 150, kWhite, "canvas corner"},
      {599, 449, kWhite, "canvas far corner"},
      {235, 175, kRed, "the object"},
      {601, 154, 0x808080, "right shadow starts s - 1 below the top"},
      {601, 153, 0xE1E1E1, "above the right shadow"},
      {605, 450, 0x808080, "right shadow, 5 wide"},
      {606, 300, 0xE1E1E1, "beyond the right shadow"},
      {205, 451, 0x808080, "bottom shadow starts s to the right"},
      {204, 451, 0xE1E1E1, "left of the bottom shadow"},
      {605, 455, 0x808080, "bottom shadow, 5 deep"},
      {400, 456, 0xE1E1E1, "below the bottom shadow"},
  };
  for (const auto& p : pixels)
    EXPECT_EQ(DevicePixel(paint, p.x, p.y), p.colour) << p.what << " at " << p.x << "," << p.y;
}

// The shadow is width / 80 deep: nothing for canvases narrower than 80 pixels.
TEST(DrawingView, ShadowDepthFollowsTheCanvasWidth) {
  const struct {
    int width;
    int depth;
  } cases[] = {{400, 5}, {160, 2}, {80, 1}, {79, 0}, {60, 0}};
  for (const auto& c : cases) {
    ViewFixture f(c.width, 50, {c.width + 40, 100});
    const ViewPaint paint = f.view.Paint();
    const Point o = f.view.Zoom().ViewportOrigin();
    const int right = o.x + c.width;  // the frame's right column
    ASSERT_EQ(DevicePixel(paint, right, o.y + 25), 0x000000u) << c.width;
    int depth = 0;
    while (DevicePixel(paint, right + 1 + depth, o.y + 25) == 0x808080u) ++depth;
    EXPECT_EQ(depth, c.depth) << "canvas width " << c.width;
    EXPECT_EQ(DevicePixel(paint, right + 1 + depth, o.y + 25), 0xE1E1E1u);
  }
}

TEST(DrawingView, BelowFullSizeTheWholeCanvasIsComposedAndShrunk) {
  ViewFixture f(400, 300, {800, 600});
  f.document.AddRectangle(f.host, {10, 10, 60, 40}, kRed);
  f.view.ChooseZoomEntry(2);  // "50%"
  ASSERT_EQ(f.view.Zoom().Scale(), 0.5f);
  const ViewPaint paint = f.view.Paint();
  ASSERT_NE(paint.image, nullptr);
  EXPECT_EQ(paint.image->Width(), 401);
  EXPECT_EQ(paint.image->Height(), 301);
  EXPECT_EQ(paint.image_source, (Rect{0, 0, 400, 300}));
  EXPECT_EQ(paint.image_device, (Rect{300, 225, 500, 375}));
  EXPECT_EQ(PixelOf(*paint.image, 30, 20), kRed);
  EXPECT_EQ(PixelOf(*paint.image, 200, 200), kWhite);
  EXPECT_EQ(paint.frame_outline, (Rect{299, 224, 501, 376}));
  EXPECT_EQ(paint.shadows[0], (Rect{501, 227, 503, 376}));
  EXPECT_EQ(paint.shadows[1], (Rect{303, 376, 503, 378}));
  EXPECT_EQ(paint.grey_bands[0], (Rect{0, 0, 800, 225}));
  EXPECT_EQ(paint.grey_bands[1], (Rect{0, 375, 800, 600}));
  EXPECT_EQ(paint.grey_bands[2], (Rect{0, 225, 300, 375}));
  EXPECT_EQ(paint.grey_bands[3], (Rect{500, 225, 800, 375}));
}

TEST(DrawingView, MatteCoversTheWindowOutsideTheCanvas) {
  ViewFixture f(400, 300, {800, 600});
  EXPECT_TRUE(f.view.Paint().matte[0].IsEmpty());
  f.view.ToggleMatte();
  ASSERT_TRUE(f.view.Matte());
  const ViewPaint paint = f.view.Paint();
  EXPECT_EQ(paint.matte[0], (Rect{0, 0, 800, 150}));
  EXPECT_EQ(paint.matte[1], (Rect{0, 450, 800, 600}));
  EXPECT_EQ(paint.matte[2], (Rect{0, 150, 200, 450}));
  EXPECT_EQ(paint.matte[3], (Rect{600, 150, 800, 450}));
}

TEST(DrawingView, ZoomComboCustomGives100Percent) {
  ViewFixture f(400, 300, {800, 600});
  f.view.ChooseZoomEntry(7);  // "400%"
  EXPECT_EQ(f.view.Zoom().Scale(), 4.0f);
  f.view.ChooseZoomEntry(10);  // "Custom"
  EXPECT_EQ(f.view.Zoom().Scale(), 1.0f);
  EXPECT_EQ(f.view.ZoomEntry(), 10);

  f.view.ZoomToRectangle({0, 0, 100, 100});
  EXPECT_FLOAT_EQ(f.view.Zoom().Scale(), 601.0f / 100.0f);
  EXPECT_EQ(f.surface.entry, 10) << "after a zoom rectangle the list shows Custom";
  f.view.OriginalSize();
  EXPECT_EQ(f.view.Zoom().Scale(), 1.0f);
  EXPECT_EQ(f.surface.entry, 4) << "Original Size selects 100%";
}

// Wheel turns on a 2000 x 1500 canvas scrolled to (400, 300) in an 800 x 600 client.
TEST(DrawingView, TheWheelScrollsAndWithCtrlZoomsAboutThePointer) {
  const struct {
    const char* what;
    WheelTurn turn;
    Point scroll;
  } cases[] = {
      {"a notch away scrolls up", {{10, 10}, {0, 120}, {}, false, false}, {400, 240}},
      {"a notch towards scrolls down", {{10, 10}, {0, -120}, {}, false, false}, {400, 360}},
      {"Shift scrolls across", {{10, 10}, {0, 120}, {}, false, true}, {340, 300}},
      {"a sideways wheel scrolls across", {{10, 10}, {-240, 0}, {}, false, false}, {520, 300}},
      {"pixels win over the angle", {{10, 10}, {0, 120}, {3, -7}, false, false}, {397, 307}},
      {"a partial notch scrolls part", {{10, 10}, {0, 30}, {}, false, false}, {400, 285}},
  };
  for (const auto& c : cases) {
    ViewFixture f(2000, 1500, {800, 600});
    f.view.ScrollTo({400, 300});
    f.view.Wheel(c.turn);
    EXPECT_EQ(f.view.Zoom().ScrollPosition(), c.scroll) << c.what;
    EXPECT_EQ(f.view.Zoom().Scale(), 1.0f) << c.what;
  }

  ViewFixture f(2000, 1500, {800, 600});
  f.view.ScrollTo({400, 300});
  const Point pointer{200, 450};
  const Point under = f.view.Zoom().DeviceToCanvas(pointer);
  f.view.Wheel({pointer, {0, 120}, {}, true, false});
  EXPECT_FLOAT_EQ(f.view.Zoom().Scale(), 1.25f);
  EXPECT_EQ(f.view.Zoom().DeviceToCanvas(pointer), under);
  EXPECT_EQ(f.surface.entry, kZoomEntryCustom) << "1.25 is not in the zoom list";
  f.view.Wheel({pointer, {0, -120}, {}, true, false});
  EXPECT_FLOAT_EQ(f.view.Zoom().Scale(), 1.0f);
  EXPECT_EQ(f.surface.entry, kZoomEntryOriginal) << "back at 100% the list says so";
  EXPECT_EQ(f.view.Zoom().DeviceToCanvas(pointer), under);
  // A pinch spreading by 100% doubles the zoom, about its centre too.
  f.view.ZoomAbout(pointer, 1.0 + 1.0);
  EXPECT_FLOAT_EQ(f.view.Zoom().Scale(), 2.0f);
  EXPECT_EQ(f.surface.entry, 5);
  EXPECT_EQ(f.view.Zoom().DeviceToCanvas(pointer), under);
  // Many notches stop at the largest zoom.
  for (int i = 0; i < 30; ++i) f.view.Wheel({pointer, {0, 120}, {}, true, false});
  EXPECT_EQ(f.view.Zoom().Scale(), DrawingView::kMaxScale);
}

TEST(DrawingView, LimitsAreSetWhenFirstShown) {
  RecordingHost host;
  RecordingSurface surface;
  DrawingView view(surface, host);
  EXPECT_EQ(view.Zoom().MaxScale(), ZoomView::kNoLimit);
  EXPECT_EQ(view.Zoom().Mode(), ZoomView::kZoomNormal);
  view.OnFirstShow();
  EXPECT_EQ(view.Zoom().MinScale(), 0.02f);
  EXPECT_EQ(view.Zoom().MaxScale(), 22.0f);
}

TEST(DrawingView, UpdateHints) {
  ViewFixture f(400, 300, {800, 600});
  const CDrawObject& a = f.document.AddRectangle(f.host, {10, 10, 60, 40}, kRed);
  const CDrawObject& b = f.document.AddRectangle(f.host, {100, 100, 150, 140}, kRed);

  f.view.SelectObject(&a);
  f.view.OnUpdate(kHintRepaint);
  EXPECT_EQ(f.view.Selected(), &a) << "hint 10 only repaints";
  f.view.OnUpdate(kHintCanvasChanged);
  EXPECT_EQ(f.view.Selected(), &a);

  f.view.OnUpdate(kHintGeneral);  // after undo
  EXPECT_EQ(f.view.Selected(), nullptr);
  f.view.SetMultiSelection({&a, &b}, true);
  const int whole = f.surface.whole;
  f.view.OnUpdate(kHintGeneral);
  EXPECT_TRUE(f.view.MultiSelection().empty());
  EXPECT_FALSE(f.view.GroupSelected());
  EXPECT_EQ(f.surface.whole, whole + 1);

  // An object still in the document repaints its own area only.
  f.surface.rects.clear();
  f.view.OnUpdate(kHintGeneral, &b);
  ASSERT_EQ(f.surface.rects.size(), 1u);
  const Rect r = f.surface.rects[0];
  EXPECT_TRUE(r.left <= 300 && r.top <= 250 && r.right >= 350 && r.bottom >= 290);
  EXPECT_TRUE(r.right < 400 && r.bottom < 400) << "not the whole window";
  auto gone = f.document.Remove(1);
  f.surface.rects.clear();
  const int before = f.surface.whole;
  f.view.OnUpdate(kHintGeneral, gone.get());
  EXPECT_TRUE(f.surface.rects.empty());
  EXPECT_EQ(f.surface.whole, before);
}

TEST(DrawingView, CanvasChangeResizesTheScrolledArea) {
  ViewFixture f(400, 300, {200, 150});
  EXPECT_EQ(f.view.Zoom().ZoomedSize(), (Size{400, 300}));
  TestDocument bigger(1000, 800, kWhite);
  f.view.SetDocument(&bigger);
  EXPECT_EQ(f.view.Zoom().LogicalSize(), (Size{1000, 800}));
  EXPECT_EQ(f.view.Zoom().PageScroll(), (Size{100, 80}));
}

TEST(DrawingView, MouseMovesShowCanvasAndDevicePoints) {
  ViewFixture f(400, 300, {800, 600});
  f.view.MouseMoved({210, 160});
  f.view.MouseMoved({100, 100});
  f.view.ChooseZoomEntry(5);  // 200%: canvas 800 x 600 fills the client exactly
  f.view.MouseMoved({21, 41});
  const auto& log = f.host.Log();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0], "status 1: Log: (10,10) Dev: (210,160)");
  EXPECT_EQ(log[1], "status 1: Log: (-100,-50) Dev: (100,100)");
  EXPECT_EQ(log[2], "status 1: Log: (10,20) Dev: (21,41)");
}

// Three objects with the middle one selected, in a window smaller than the canvas so
// that it can scroll.
struct CacheFixture : ViewFixture {
  CacheFixture() : ViewFixture(400, 300, {200, 150}) {
    a = &document.AddRectangle(host, {0, 0, 300, 200}, RGB(0, 0, 255));
    b = &document.AddRectangle(host, {50, 50, 250, 250}, RGB(0, 255, 0));
    c = &document.AddRectangle(host, {150, 100, 350, 280}, kRed);
    view.SelectObject(b);
  }
  const CDrawObject* a;
  const CDrawObject* b;
  const CDrawObject* c;
};

TEST(BelowSelectionCache, ObjectsBeneathTheSelectionComeFromTheCache) {
  CacheFixture f;
  const ViewPaint first = f.view.Paint();
  EXPECT_FALSE(first.objects.used_cache);
  EXPECT_EQ(first.objects.objects_drawn, 3);
  const CDIBSection full = *first.image;

  const ViewPaint second = f.view.Paint();
  EXPECT_TRUE(second.objects.used_cache);
  EXPECT_EQ(second.objects.objects_drawn, 2) << "the selection and what lies above it";
  ASSERT_EQ(second.image->PixelBytes(), full.PixelBytes());
  EXPECT_TRUE(std::equal(full.Pixels(), full.Pixels() + full.PixelBytes(), second.image->Pixels()))
      << "the cached picture is the picture";
}

TEST(BelowSelectionCache, EveryInvalidationRuleRebuildsIt) {
  const struct {
    const char* what;
    std::function<void(CacheFixture&)> action;
    bool rebuilds;
    bool releases_bitmap;
  } cases[] = {
      {"end of a scroll", [](CacheFixture& f) { f.view.EndScroll(); }, true, false},
      {"end of a multi-selection move", [](CacheFixture& f) { f.view.EndMultiSelectionMove(); }, true, false},
      {"end of an export-crop drag", [](CacheFixture& f) { f.view.EndExportCropDrag(); }, true, true},
      {"zoom list entry", [](CacheFixture& f) { f.view.ChooseZoomEntry(4); }, true, true},
      {"Original Size", [](CacheFixture& f) { f.view.OriginalSize(); }, true, true},
      {"zoom rectangle", [](CacheFixture& f) { f.view.ZoomToRectangle({0, 0, 100, 75}); }, true, true},
      {"another selection", [](CacheFixture& f) { f.view.SelectObject(f.c); }, true, false},
      {"visible area resized", [](CacheFixture& f) { f.view.SetClientSize({190, 150}); }, true, false},
      {"scrolled to another place", [](CacheFixture& f) { f.view.ScrollTo({10, 0}); }, true, false},
      {"canvas changed", [](CacheFixture& f) { f.view.OnUpdate(kHintCanvasChanged); }, true, false},
      {"repaint hint", [](CacheFixture& f) { f.view.OnUpdate(kHintRepaint); }, false, false},
      {"object hint", [](CacheFixture& f) { f.view.OnUpdate(kHintGeneral, f.b); }, false, false},
      {"mouse move", [](CacheFixture& f) { f.view.MouseMoved({5, 5}); }, false, false},
  };
  for (const auto& c : cases) {
    CacheFixture f;
    f.view.Paint();
    ASSERT_TRUE(f.view.Paint().objects.used_cache) << c.what;
    c.action(f);
    EXPECT_EQ(f.view.Cache().HasBitmap(), !c.releases_bitmap) << c.what;
    const ViewPaint after = f.view.Paint();
    EXPECT_EQ(after.objects.used_cache, !c.rebuilds) << c.what;
    if (c.rebuilds) {
      EXPECT_EQ(after.objects.objects_drawn, 3) << c.what;
      EXPECT_TRUE(f.view.Paint().objects.used_cache) << c.what << ": built again";
    }
  }
}

TEST(BelowSelectionCache, WithoutASelectionEverythingIsDrawn) {
  CacheFixture f;
  f.view.Paint();
  f.view.OnUpdate(kHintGeneral);
  for (int i = 0; i < 2; ++i) {
    const ViewPaint paint = f.view.Paint();
    EXPECT_FALSE(paint.objects.used_cache);
    EXPECT_EQ(paint.objects.objects_drawn, 3);
  }
}

TEST(BelowSelectionCache, ASelectionThatLeftTheDocumentDoesNotHideTheRest) {
  CacheFixture f;
  f.view.Paint();
  auto removed = f.document.Remove(1);  // the selected object
  const ViewPaint paint = f.view.Paint();
  EXPECT_FALSE(paint.objects.used_cache);
  EXPECT_EQ(paint.objects.objects_drawn, 2);
}


// A canvas larger than the window with a shadowed object selected between two others,
// and a second view of the same document that always composes everything.
struct DirtyPaintFixture : ViewFixture {
  DirtyPaintFixture() : ViewFixture(400, 300, {300, 220}) {
    document.AddRectangle(host, {20, 30, 260, 200}, RGB(0, 0, 255));
    CDrawObject& b = document.AddRectangle(host, {80, 60, 200, 170}, RGB(0, 255, 0));
    b.SetEffectKind(kDropShadow);
    b.Render();
    moved = &b;
    document.AddRectangle(host, {150, 120, 330, 260}, kRed);
    view.SelectObject(moved);
    reference.SetDocument(&document);
    reference.SetClientSize({300, 220});
    reference.OnFirstShow();
  }
  // Both views at the same zoom entry and scroll position.
  void Show(int zoom_entry, Point scroll) {
    for (DrawingView* v : {&view, &reference}) {
      v->ChooseZoomEntry(zoom_entry);
      v->ScrollTo(scroll);
    }
  }
  // Where a device pixel's colour lies in a paint's image, or nothing where the window
  // shows no image there.
  static std::optional<Point> ImagePixel(const DrawingView& v, const ViewPaint& paint, Point device) {
    if (!paint.image || !Contains(paint.image_device, device)) return std::nullopt;
    const Point canvas = v.Zoom().DeviceToCanvas(device);
    const Point origin = v.Zoom().Scale() >= 1.0f ? Point{v.Zoom().VisibleCanvasRect().left,
                                                          v.Zoom().VisibleCanvasRect().top}
                                                    : Point{0, 0};
    return Point{canvas.x - origin.x, canvas.y - origin.y};
  }
  static bool Contains(const Rect& r, Point p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
  }

  RecordingSurface reference_surface;
  DrawingView reference{reference_surface, host};
  CDrawObject* moved = nullptr;
};

int Area(const Rect& r) { return r.Width() * r.Height(); }

TEST(DirtyPaint, APartOfTheWindowGetsTheSamePixelsAsAWholePaint) {
  const struct {
    const char* what;
    int zoom_entry;
    Point scroll;
    Rect dirty;  // device pixels
  } cases[] = {
      {"100%, inside the canvas", 4, {0, 0}, {90, 70, 160, 130}},
      {"100%, the window's top-left corner", 4, {0, 0}, {0, 0, 25, 18}},
      {"100%, partly outside the window", 4, {0, 0}, {-40, 150, 60, 260}},
      {"100%, scrolled, across the right and bottom edges", 4, {150, 120}, {200, 150, 320, 240}},
      {"200%, scrolled, odd edges", 5, {37, 21}, {101, 57, 173, 139}},
      {"400%, one canvas pixel and a bit", 7, {300, 250}, {13, 9, 19, 14}},
      {"50%, across the canvas corner, frame and shadow", 2, {0, 0}, {230, 170, 270, 220}},
      {"50%, inside the canvas", 2, {0, 0}, {90, 60, 140, 110}},
      {"30%, inside the canvas", 1, {0, 0}, {100, 80, 160, 120}},
  };
  for (const auto& c : cases) {
    DirtyPaintFixture f;
    f.Show(c.zoom_entry, c.scroll);
    const ViewPaint first = f.view.Paint();
    const Rect whole = first.composed;
    // The selected object moves (drawn above the cache); the window then repaints only
    // the case's rectangle.
    f.moved->MoveTo(f.moved->GetX() + 9, f.moved->GetY() + 7);
    f.view.InvalidateObject(*f.moved);
    const ViewPaint partial = f.view.Paint(c.dirty);
    const ViewPaint full = f.reference.Paint();
    EXPECT_LT(Area(partial.composed), Area(whole)) << c.what << ": only a part is composed";
    EXPECT_EQ(partial.image_source, full.image_source) << c.what;
    EXPECT_EQ(partial.image_device, full.image_device) << c.what;
    int compared = 0, differing = 0;
    const Rect shown = Intersect(c.dirty, Rect{0, 0, 300, 220});
    for (int y = shown.top; y < shown.bottom; ++y) {
      for (int x = shown.left; x < shown.right; ++x) {
        const auto p = DirtyPaintFixture::ImagePixel(f.view, partial, {x, y});
        if (!p) continue;
        ++compared;
        if (PixelOf(*partial.image, p->x, p->y) != PixelOf(*full.image, p->x, p->y)) ++differing;
      }
    }
    EXPECT_GT(compared, 0) << c.what;
    EXPECT_EQ(differing, 0) << c.what << ": of " << compared << " pixels";
  }
}

TEST(DirtyPaint, AMovedObjectRecomposesOnlyItsArea) {
  DirtyPaintFixture f;
  const ViewPaint first = f.view.Paint();
  f.surface.rects.clear();
  f.moved->MoveTo(f.moved->GetX() + 3, f.moved->GetY() + 2);
  f.view.InvalidateObject(*f.moved);
  ASSERT_EQ(f.surface.rects.size(), 1u);
  const Rect dirty = f.surface.rects[0];
  const ViewPaint paint = f.view.Paint(dirty);
  EXPECT_TRUE(paint.objects.used_cache);
  EXPECT_EQ(paint.objects.objects_drawn, 2) << "the object and the one above it";
  // The dirty area with the one-pixel margin for the window's stretch, nothing more.
  EXPECT_LE(paint.composed.Width(), dirty.Width() + 2);
  EXPECT_LE(paint.composed.Height(), dirty.Height() + 2);
  EXPECT_LT(Area(paint.composed) * 2, Area(first.composed));
  EXPECT_TRUE(f.view.Paint(Rect{}).composed.IsEmpty()) << "nothing to show, nothing composed";
}

// A small dirty rectangle cannot be served from what the view kept: everything is
// composed again.
TEST(DirtyPaint, WhatTheViewKeptNoLongerFitsSoEverythingIsComposed) {
  const struct {
    const char* what;
    std::function<void(DirtyPaintFixture&)> action;
  } cases[] = {
      {"the cache beneath the selection marked invalid",
       [](DirtyPaintFixture& f) { f.view.EndMultiSelectionMove(); }},
      {"another selection", [](DirtyPaintFixture& f) { f.view.SelectObject(nullptr); f.view.SelectObject(&f.document.ObjectAt(2)); }},
      {"scrolled", [](DirtyPaintFixture& f) { f.view.ScrollTo({20, 10}); }},
      {"zoomed", [](DirtyPaintFixture& f) { f.view.ChooseZoomEntry(5); }},
      {"window resized", [](DirtyPaintFixture& f) { f.view.SetClientSize({280, 200}); }},
      {"canvas changed", [](DirtyPaintFixture& f) { f.view.OnUpdate(kHintCanvasChanged); }},
      {"whole window repainted", [](DirtyPaintFixture& f) { f.view.OnUpdate(kHintRepaint); }},
  };
  for (const auto& c : cases) {
    DirtyPaintFixture f;
    f.view.Paint();
    ASSERT_EQ(Area(f.view.Paint({10, 10, 20, 20}).composed), 12 * 12) << c.what;
    c.action(f);
    const ViewPaint paint = f.view.Paint({10, 10, 20, 20});
    EXPECT_EQ(paint.composed, paint.image_source) << c.what;
  }
}

}  // namespace
}  // namespace lumi
