#include "render/canvas_composition.h"

#include <gtest/gtest.h>

#include "base/host.h"
#include "image/pixwerk.h"
#include "objects/draw_object.h"

namespace lumi {
namespace {

std::unique_ptr<CDrawObject> Rectangle(Host& host, Rect r, COLORREF colour) {
  auto o = std::make_unique<CDrawObject>(host);
  o->SetFillColor(colour);
  o->CreateRectangle(r.left, r.top, r.right, r.bottom);
  return o;
}

std::vector<std::uint8_t> RgbAt(const std::vector<std::uint8_t>& rgb, int width, int x, int y) {
  const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
  return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

TEST(CanvasComposition, ObjectsOverCanvasColourInListOrder) {
  RecordingHost host;
  std::vector<std::unique_ptr<CDrawObject>> objects;
  objects.push_back(Rectangle(host, {10, 10, 60, 40}, RGB(255, 0, 0)));
  objects.push_back(Rectangle(host, {30, 20, 80, 50}, RGB(0, 0, 255)));
  auto hidden = Rectangle(host, {0, 0, 100, 100}, RGB(0, 255, 0));
  hidden->SetHidden(1);
  objects.push_back(std::move(hidden));

  const CDIBSection image = ComposeCanvas({100, 80, RGB(255, 255, 255), {}}, objects, host);
  ASSERT_EQ(image.Width(), 100);
  ASSERT_EQ(image.Height(), 80);
  const auto rgb = PxBitmapToRGB(image).value().pixels;
  EXPECT_EQ(RgbAt(rgb, 100, 2, 2), (std::vector<std::uint8_t>{255, 255, 255}));
  EXPECT_EQ(RgbAt(rgb, 100, 20, 15), (std::vector<std::uint8_t>{255, 0, 0}));
  EXPECT_EQ(RgbAt(rgb, 100, 45, 30), (std::vector<std::uint8_t>{0, 0, 255})) << "later objects on top";
  EXPECT_EQ(RgbAt(rgb, 100, 90, 75), (std::vector<std::uint8_t>{255, 255, 255})) << "hidden objects are skipped";
  EXPECT_EQ(host.Log().back(), "status 0: Working: 100%");
}

TEST(CanvasComposition, CropRegionGivesItsSizeAndShiftsObjects) {
  RecordingHost host;
  std::vector<std::unique_ptr<CDrawObject>> objects;
  objects.push_back(Rectangle(host, {10, 10, 60, 40}, RGB(255, 0, 0)));
  const CDIBSection image = ComposeCanvas({100, 80, RGB(0, 0, 0), Rect{40, 30, 90, 70}}, objects, host);
  ASSERT_EQ(image.Width(), 50);
  ASSERT_EQ(image.Height(), 40);
  const auto rgb = PxBitmapToRGB(image).value().pixels;
  // Canvas point (45, 35) lies inside the rectangle (fitted to 8..62 x 8..42).
  EXPECT_EQ(RgbAt(rgb, 50, 5, 5), (std::vector<std::uint8_t>{255, 0, 0}));
  EXPECT_EQ(RgbAt(rgb, 50, 30, 20), (std::vector<std::uint8_t>{0, 0, 0}));
}

TEST(CanvasComposition, ProgressCountsEveryObject) {
  RecordingHost host;
  std::vector<std::unique_ptr<CDrawObject>> objects;
  for (int i = 0; i < 3; ++i) objects.push_back(Rectangle(host, {0, 0, 5, 5}, 0));
  host.Clear();
  ComposeCanvas({10, 10, 0, {}}, objects, host);
  EXPECT_EQ(host.Log(), (std::vector<std::string>{"status 0: Working: 33%", "status 0: Working: 66%",
                                                  "status 0: Working: 100%"}));
}

}  // namespace
}  // namespace lumi
