#include "edit/zoom_view.h"

#include <gtest/gtest.h>

#include <limits>

#include "edit/zoom_combo.h"

namespace lumi {
namespace {

// A 2000 x 1500 canvas in an 800 x 600 client with the drawing view's limits.
ZoomView LargeCanvas() {
  ZoomView z;
  z.SetLimits(0.02f, 22.0f);
  z.SetClientSize({800, 600});
  z.SetLogicalSize({2000, 1500});
  return z;
}

TEST(ZoomView, SmallCanvasIsCentredAndMapsBothWays) {
  ZoomView z;
  z.SetClientSize({800, 600});
  z.SetLogicalSize({400, 300});
  EXPECT_EQ(z.ViewportOrigin(), (Point{200, 150}));
  EXPECT_EQ(z.DeviceToCanvas({200, 150}), (Point{0, 0}));
  EXPECT_EQ(z.DeviceToCanvas({199, 149}), (Point{-1, -1}));
  EXPECT_EQ(z.CanvasToDevice(Rect{0, 0, 400, 300}), (Rect{200, 150, 600, 450}));
  z.SetCentred(false);
  EXPECT_EQ(z.ViewportOrigin(), (Point{0, 0}));
}

TEST(ZoomView, StretchedPixelsMapToTheCanvasPixelTheyShow) {
  ZoomView z;
  z.SetClientSize({800, 600});
  z.SetLogicalSize({400, 300});
  ASSERT_TRUE(z.ZoomPercent(300));  // 1200 x 900: scrolled, not centred
  EXPECT_EQ(z.ZoomedSize(), (Size{1200, 900}));
  const Point scroll = z.ScrollPosition();
  EXPECT_EQ(scroll, (Point{200, 150})) << "the middle canvas point stays in the middle";
  EXPECT_EQ(z.DeviceToCanvas({0, 0}), (Point{66, 50}));
  EXPECT_EQ(z.DeviceToCanvas({1, 0}), (Point{67, 50}));
  EXPECT_EQ(z.DeviceToCanvas({3, 2}), (Point{67, 50}));
  EXPECT_EQ(z.DeviceToCanvas({4, 2}), (Point{68, 50}));
  EXPECT_EQ(z.CanvasToDevice(Point{67, 50}), (Point{1, 0}));
  EXPECT_EQ(z.VisibleCanvasRect(), (Rect{66, 50, 334, 250}));
}

TEST(ZoomView, RecentringKeepsTheMiddlePointAndSetsScrollAmounts) {
  ZoomView z = LargeCanvas();
  ASSERT_EQ(z.DeviceToCanvas({400, 300}), (Point{400, 300}));
  ASSERT_TRUE(z.ZoomPercent(200));
  EXPECT_EQ(z.ZoomedSize(), (Size{4000, 3000}));
  EXPECT_EQ(z.PageScroll(), (Size{400, 300}));
  EXPECT_EQ(z.LineScroll(), (Size{40, 30}));
  EXPECT_EQ(z.ScrollPosition(), (Point{400, 300}));
  EXPECT_EQ(z.DeviceToCanvas({400, 300}), (Point{400, 300}));

  // About a given point, clamped to the scroll range at the edges.
  ASSERT_TRUE(z.ZoomIn({1990, 10}, 2.0f));
  EXPECT_EQ(z.Scale(), 4.0f);
  EXPECT_EQ(z.ScrollPosition(), (Point{8000 - 800, 0}));
}

TEST(ZoomView, ZoomToRectangleFitsTheClientPlusOne) {
  ZoomView z = LargeCanvas();
  ASSERT_TRUE(z.ZoomToRect({1100, 1000, 900, 1200}));  // normalised to 200 x 200
  EXPECT_FLOAT_EQ(z.Scale(), 601.0f / 200.0f);
  // The rectangle's centre lands in the middle, give or take the truncated zoomed size.
  const Point middle = z.DeviceToCanvas({400, 300});
  EXPECT_NEAR(middle.x, 1000, 1);
  EXPECT_NEAR(middle.y, 1100, 1);
}

// Zoom-tool rectangles whose scale lies beyond 2200% or below 2%, or without area, keep
// the scale and only bring the rectangle's centre to the middle.
TEST(ZoomView, ZoomToRectangleBeyondTheLimitsOnlyRecentres) {
  const struct {
    Rect rect;
    Point centre;
  } cases[] = {
      {{1000, 1000, 1010, 1010}, {1005, 1005}},  // 80x: above 22
      {{1200, 1000, 1200, 1100}, {1200, 1050}},  // no width
      {{500, 700, 600, 700}, {550, 700}},        // no height
  };
  for (const auto& c : cases) {
    ZoomView z = LargeCanvas();
    EXPECT_FALSE(z.ZoomToRect(c.rect));
    EXPECT_EQ(z.Scale(), 1.0f);
    EXPECT_EQ(z.ScrollPosition(), (Point{c.centre.x - 400, c.centre.y - 300}));
  }
  ZoomView z = LargeCanvas();
  z.SetClientSize({10, 10});
  EXPECT_FALSE(z.ZoomToRect({0, 0, 1000, 1000})) << "11 / 1000 is below 2%";
  EXPECT_EQ(z.Scale(), 1.0f);
}

TEST(ZoomView, ScalesOutsideTheLimitsOrModeAreIgnored) {
  ZoomView z = LargeCanvas();
  z.ScrollTo({100, 100});
  EXPECT_FALSE(z.SetZoomScale(22.5f));
  EXPECT_FALSE(z.SetZoomScale(0.019f));
  EXPECT_EQ(z.Scale(), 1.0f);
  EXPECT_EQ(z.ScrollPosition(), (Point{100, 100})) << "a refused scale does not recentre";
  EXPECT_TRUE(z.SetZoomScale(22.0f));
  EXPECT_TRUE(z.SetZoomScale(0.02f));
  EXPECT_EQ(z.ZoomedSize(), (Size{40, 30}));

  ZoomView unlimited;
  unlimited.SetLogicalSize({100, 100});
  EXPECT_TRUE(unlimited.SetZoomScale(50.0f));
  EXPECT_FALSE(unlimited.ZoomToRect({5, 5, 5, 9})) << "no area never gives an infinite scale";
  EXPECT_EQ(unlimited.Scale(), 50.0f);

  ZoomView off = LargeCanvas();
  off.SetMode(ZoomView::kZoomOff);
  EXPECT_FALSE(off.ZoomPercent(200));
  EXPECT_EQ(off.Scale(), 1.0f);
}

// The canvas position (fractional) at the centre of a device pixel.
double CanvasXAt(const ZoomView& z, int device_x) {
  return (device_x - z.ViewportOrigin().x + 0.5) * z.LogicalSize().width / z.ZoomedSize().width;
}
double CanvasYAt(const ZoomView& z, int device_y) {
  return (device_y - z.ViewportOrigin().y + 0.5) * z.LogicalSize().height / z.ZoomedSize().height;
}

// Zooming about the pointer: the canvas point under the pointer stays there (within half
// a device pixel) from one zoom to the next, in and out, at low and high zooms.
TEST(ZoomView, ZoomAboutThePointerKeepsTheCanvasPointUnderIt) {
  const struct {
    float from, to;
    Point pointer;
  } cases[] = {
      {1.0f, 1.25f, {400, 300}}, {1.0f, 1.25f, {37, 511}},   {1.25f, 1.0f, {700, 20}},
      {2.0f, 8.0f, {123, 456}},  {8.0f, 2.0f, {790, 590}},   {3.7f, 21.0f, {5, 5}},
      {21.0f, 0.9f, {600, 100}}, {0.5f, 0.62f, {400, 300}},
  };
  for (const auto& c : cases) {
    ZoomView z = LargeCanvas();
    ASSERT_TRUE(z.SetZoomScale(c.from, Point{1000, 750}));
    const double x = CanvasXAt(z, c.pointer.x), y = CanvasYAt(z, c.pointer.y);
    ASSERT_TRUE(z.ZoomAbout(c.pointer, c.to));
    EXPECT_FLOAT_EQ(z.Scale(), c.to);
    const double half_pixel = 0.5 * 2000 / z.ZoomedSize().width + 1e-9;
    EXPECT_NEAR(CanvasXAt(z, c.pointer.x), x, half_pixel) << c.from << " -> " << c.to;
    EXPECT_NEAR(CanvasYAt(z, c.pointer.y), y, half_pixel) << c.from << " -> " << c.to;
  }
}

TEST(ZoomView, ZoomAboutThePointerStopsAtTheLimitsAndTheScrollRange) {
  ZoomView z = LargeCanvas();
  // Beyond the limits the scale stops at the limit; at the limit nothing changes.
  ASSERT_TRUE(z.SetZoomScale(20.0f));
  EXPECT_TRUE(z.ZoomAbout({400, 300}, 25.0f));
  EXPECT_EQ(z.Scale(), 22.0f);
  const Point scroll = z.ScrollPosition();
  EXPECT_FALSE(z.ZoomAbout({10, 10}, 30.0f));
  EXPECT_EQ(z.ScrollPosition(), scroll) << "a zoom that changes nothing does not scroll";
  ASSERT_TRUE(z.SetZoomScale(0.03f));
  EXPECT_TRUE(z.ZoomAbout({400, 300}, 0.01f));
  EXPECT_EQ(z.Scale(), 0.02f);
  EXPECT_FALSE(z.ZoomAbout({400, 300}, 0.0f));
  EXPECT_FALSE(z.ZoomAbout({400, 300}, std::numeric_limits<float>::infinity()));

  // Near the canvas edge the view cannot scroll before the canvas start: zooming out
  // from the top-left corner leaves the scroll at 0.
  ASSERT_TRUE(z.SetZoomScale(2.0f, Point{0, 0}));
  ASSERT_TRUE(z.ZoomAbout({700, 500}, 1.5f));
  EXPECT_EQ(z.ScrollPosition(), (Point{0, 0}));
  // Smaller than the client, the canvas stays centred whatever the pointer.
  ASSERT_TRUE(z.ZoomAbout({700, 500}, 0.25f));
  EXPECT_EQ(z.ViewportOrigin(), (Point{150, 112}));

  ZoomView off = LargeCanvas();
  off.SetMode(ZoomView::kZoomOff);
  EXPECT_FALSE(off.ZoomAbout({400, 300}, 2.0f));
}

TEST(ZoomCombo, EntriesAndTheirPercentages) {
  ASSERT_EQ(kZoomComboEntries.size(), 11u);
  EXPECT_EQ(kZoomComboEntries[kZoomEntryOriginal], "100%");
  EXPECT_EQ(kZoomComboEntries[kZoomEntryCustom], "Custom");
  const int expected[] = {10, 30, 50, 80, 100, 200, 300, 400, 600, 800, 100};
  for (int i = 0; i < 11; ++i) EXPECT_EQ(ZoomEntryPercent(i), expected[i]) << kZoomComboEntries[i];
  EXPECT_EQ(ZoomEntryForScale(2.0f), 5);
  EXPECT_EQ(ZoomEntryForScale(1.5f), kZoomEntryCustom);
}

}  // namespace
}  // namespace lumi
