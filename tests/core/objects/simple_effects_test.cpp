#include "objects/simple_effects.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "base/host.h"
#include "image/pixwerk.h"
#include "objects/draw_object.h"

namespace lumi {
namespace {

// A bitmap object from top-down RGB, its source alpha set to `alpha`.
std::unique_ptr<CDrawObject> Bitmap(Host& host, int w, int h, const std::vector<std::uint8_t>& rgb,
                                    std::uint8_t alpha) {
  auto o = std::make_unique<CDrawObject>(host);
  RgbImage image{w, h, rgb};
  EXPECT_EQ(o->CreateBitmapFromClipboard(image, w / 2, h / 2), 1);
  o->SourceBitmap().SetAlpha(alpha);
  o->Render();
  return o;
}

std::vector<std::uint8_t> SourceRgbAt(const CDrawObject& o, int x, int y) {
  const std::uint8_t* p = o.SourceBitmap().Row(y) + x * 4;
  return {p[2], p[1], p[0], p[3]};
}

TEST(SimpleEffects, BlurOnOnePixelChangesNothing) {
  RecordingHost host;
  auto o = Bitmap(host, 1, 1, {200, 100, 50}, 77);
  ASSERT_TRUE(ApplySimpleBitmapEffect(*o, SimpleBitmapEffect::kBlur));
  EXPECT_EQ(SourceRgbAt(*o, 0, 0), (std::vector<std::uint8_t>{200, 100, 50, 77}));
}

TEST(SimpleEffects, SharpenAmountsAndAlphaKept) {
  // A dark centre between two light pixels in a one-row image: the rows above and below
  // are the row itself, so S = 6 x 100 + 2 x 40 = 680 and S - 8v = 360.
  const std::vector<std::uint8_t> row = {100, 100, 100, 40, 40, 40, 100, 100, 100};
  const struct {
    SimpleBitmapEffect effect;
    int centre;
  } cases[] = {
      {SimpleBitmapEffect::kSharpen, 22},      // 40 - 0.05 x 360
      {SimpleBitmapEffect::kSharpenMore, 4},   // 40 - 0.1 x 360
      {SimpleBitmapEffect::kBlur, 44},         // trunc(0.1 x (680 >> 3) + 0.9 x 40)
  };
  for (const auto& c : cases) {
    RecordingHost host;
    auto o = Bitmap(host, 3, 1, row, 200);
    ASSERT_TRUE(ApplySimpleBitmapEffect(*o, c.effect));
    const auto centre = SourceRgbAt(*o, 1, 0);
    EXPECT_EQ(centre[0], c.centre) << static_cast<int>(c.effect);
    EXPECT_EQ(centre[3], 200) << "alpha kept";
  }
}

TEST(SimpleEffects, OnlyBitmapObjects) {
  RecordingHost host;
  CDrawObject shape(host);
  shape.CreateRectangle(0, 0, 10, 10);
  EXPECT_FALSE(ApplySimpleBitmapEffect(shape, SimpleBitmapEffect::kSharpen));
}

TEST(SimpleEffects, ShiftColourMovesEveryFillAndClamps) {
  RecordingHost host;
  CDrawObject a(host), b(host);
  a.SetFillColor(RGB(230, 10, 10));
  b.SetFillColor(RGB(20, 200, 0));
  a.CreateRectangle(0, 0, 10, 10);
  b.CreateRectangle(0, 0, 10, 10);
  EXPECT_EQ(ShiftFillColours({&a, &b}, RGB(100, 0, 0), RGB(150, 0, 0)), 2);
  EXPECT_EQ(a.GetFillColor(), RGB(255, 10, 10));
  EXPECT_EQ(b.GetFillColor(), RGB(70, 200, 0));
  EXPECT_EQ(a.Image().Row(5)[5 * 4 + 2], 255) << "rendered with the new colour";
  EXPECT_EQ(ShiftFillColours({&a}, RGB(1, 2, 3), RGB(1, 2, 3)), 0);
  EXPECT_EQ(a.GetFillColor(), RGB(255, 10, 10));
}

}  // namespace
}  // namespace lumi
