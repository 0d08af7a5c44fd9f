#include "render/bevels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "effects/profile_blur.h"

namespace lumi {
namespace {

using Map = std::vector<std::uint8_t>;

// A white rectangle on black, top row first.
Map Rect(int w, int h, int left, int top, int right, int bottom) {
  Map m(static_cast<std::size_t>(w) * h, 0);
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) m[static_cast<std::size_t>(y) * w + x] = 255;
  return m;
}

// An object image filled with `colour`, alpha from the mask.
CDIBSection Object(const Map& mask, int w, int h, COLORREF colour = 0x808080) {
  CDIBSection b;
  b.Create(w, h);
  b.FillRGB(colour);
  b.SetAlphaFromMask(mask.data());
  return b;
}

const std::uint8_t* Px(const CDIBSection& b, int x, int row) { return b.Row(row) + x * 4; }

TEST(BevelList, KeepsTheTextsShownToTheUser) {
  EXPECT_EQ(std::string(kBevelNames[0]), "No Bevel");
  EXPECT_EQ(std::string(kBevelNames[6]), "Frame ");  // with its trailing blank
  EXPECT_EQ(std::string(kBevelNames[10]), "Smooth+Warp");
  EXPECT_EQ(std::string(kBevelNames[12]), "3D Ball");
}

TEST(BevelStage, SmoothBevelOfWidthTwoUsesTheMaskUnblurred) {
  const Map original = Rect(30, 30, 8, 8, 22, 22);
  Map mask = original;
  CDIBSection image = Object(mask, 30, 30);
  BevelSettings bevel;
  bevel.kind = kSmoothBevel;
  bevel.width = 2;  // sigma 0
  ApplyBevelStage(image, mask.data(), bevel, {});
  EXPECT_EQ(mask, original);
  EXPECT_EQ(Px(image, 15, 15)[0], 128);  // inside, away from the edge
  EXPECT_EQ(Px(image, 2, 2)[0], 128);    // outside
  EXPECT_GT(Px(image, 8, 15)[0], 128);   // left edge lit
  EXPECT_LT(Px(image, 21, 15)[0], 128);  // right edge shaded
}

TEST(BevelStage, DefaultSmoothBevelLightsUpperLeftSlopes) {
  Map mask = Rect(50, 40, 10, 10, 40, 30);
  CDIBSection image = Object(mask, 50, 40);
  BevelSettings bevel;
  bevel.kind = kSmoothBevel;  // width 8, intensity 75, angle 135
  ApplyBevelStage(image, mask.data(), bevel, {});
  EXPECT_GT(Px(image, 10, 20)[0], 180);  // left slope
  EXPECT_GT(Px(image, 25, 10)[2], 180);  // top slope (red too)
  EXPECT_LT(Px(image, 39, 20)[1], 80);   // right slope
  EXPECT_LT(Px(image, 25, 29)[0], 80);   // bottom slope
  EXPECT_EQ(Px(image, 25, 20)[3], 255);  // alpha untouched
}

TEST(BevelStage, BumpOutWithoutEffectMakesFlatPartsTransparent) {
  Map mask = Rect(50, 40, 10, 10, 40, 30);
  CDIBSection image = Object(mask, 50, 40, 0x808080);
  BevelSettings bevel;
  bevel.kind = kBumpOutBevel;
  ApplyBevelStage(image, mask.data(), bevel, {});
  EXPECT_EQ(Px(image, 25, 20)[3], 0);    // flat top
  EXPECT_EQ(Px(image, 2, 2)[3], 0);      // outside
  EXPECT_GT(Px(image, 10, 20)[3], 100);  // lit slope stays
  const int blue = Px(image, 10, 20)[0];
  EXPECT_EQ(Px(image, 10, 20)[3], std::min(std::abs(blue - 128) * 2, 255));
}

TEST(BumpOutAlpha, LowersTheEffectLayerUnderVisiblePixels) {
  // A 4 x 3 grey image with one bright opaque pixel; a layer with margin 2 drawn at (1, 1).
  CDIBSection image;
  image.Create(4, 3);
  image.FillRGBA(0x808080);
  std::uint8_t* p = image.Row(1) + 2 * 4;  // image row 1 = memory row 1
  p[0] = 228;
  CDIBSection layer;
  layer.Create(8, 7);
  layer.FillRGBA(0);
  BumpOutAlpha(image, {&layer, 2, 1, 1});
  EXPECT_EQ(image.Row(1)[2 * 4 + 3], 200);  // |228 - 128| x 2
  EXPECT_EQ(image.Row(0)[3], 0);
  // Memory row 1 + 2 + 1 = 4, column 2 + 2 - 1 = 3 of the layer lies under that pixel:
  // every object pixel was opaque, so the whole area under the object is cleared.
  const std::uint8_t* layer_memory = layer.Pixels();
  EXPECT_EQ(layer_memory[(4 * 8 + 3) * 4 + 3], 0);
  EXPECT_EQ(layer_memory[(0 * 8 + 0) * 4 + 3], 255);  // outside the object
}

TEST(Feather, IntensityHundredReplacesTheMaskByItsBlur) {
  const Map original = Rect(40, 40, 10, 10, 30, 30);
  Map mask = original, blurred = original;
  BevelSettings bevel;
  bevel.kind = kFeatherBevel;
  bevel.width = 8;
  bevel.intensity = 100;
  PrepareFeather(mask.data(), 40, 40, bevel);
  CProfileBlur().Apply(blurred.data(), 40, 40, 8 / 3.0);
  EXPECT_EQ(mask, blurred);
  EXPECT_GT(mask[20 * 40 + 8], 0);  // softened beyond the edge
}

TEST(Feather, IntensityFiftyAddsAQuarterOfTheUnsoftenedMask) {
  const Map original = Rect(40, 40, 10, 10, 30, 30);
  Map mask = original, soft = original;
  BevelSettings bevel;
  bevel.kind = kFeatherBevel;
  bevel.width = 6;
  bevel.intensity = 50;
  PrepareFeather(mask.data(), 40, 40, bevel);
  CProfileBlur().Apply(soft.data(), 40, 40, 2.0);
  for (std::size_t i = 0; i < mask.size(); ++i) {
    // 255 x 50 x 0.005 = 63.75 inside, 0 outside.
    const int expected = original[i] ? std::min(soft[i] + 63, 255) : soft[i];
    ASSERT_EQ(mask[i], expected) << i;
  }
}

TEST(Feather, NothingAtIntensityZeroOrForOtherBevels) {
  const Map original = Rect(20, 20, 5, 5, 15, 15);
  for (BevelSettings bevel : {BevelSettings{kFeatherBevel, 8, 0}, BevelSettings{kSmoothBevel, 8, 75}}) {
    Map mask = original;
    PrepareFeather(mask.data(), 20, 20, bevel);
    EXPECT_EQ(mask, original);
  }
}

TEST(LinearFeather, RampsUpFromEveryEdge) {
  // Width 4: steps of 256 div 8 = 32 from each edge of a 12 x 12 square.
  Map m = Rect(16, 16, 2, 2, 14, 14);
  LinearFeatherRamp(m.data(), 16, 16, 4);
  const std::uint8_t* middle = m.data() + 8 * 16;
  const int row[16] = {0, 0, 32, 64, 96, 128, 160, 192, 192, 160, 128, 96, 64, 32, 0, 0};
  for (int x = 0; x < 16; ++x) EXPECT_EQ(middle[x], row[x]) << x;
  EXPECT_EQ(m[2 * 16 + 2], 32);  // corner
  EXPECT_EQ(m[3 * 16 + 5], 64);  // nearest edge wins
}

TEST(LinearFeather, WidthZeroKeepsAHardMask) {
  const Map original = Rect(9, 7, 2, 2, 6, 5);
  Map m = original;
  LinearFeatherRamp(m.data(), 9, 7, 0);
  EXPECT_EQ(m, original);
}

TEST(LinearFeather, ValueThirteenFeathersThroughPrepareFeather) {
  Map m = Rect(16, 16, 2, 2, 14, 14);
  BevelSettings bevel;
  bevel.kind = kLinearFeatherBevel;
  bevel.width = 4;
  bevel.intensity = 100;
  PrepareFeather(m.data(), 16, 16, bevel);
  EXPECT_EQ(m[8 * 16 + 3], 64);
}

TEST(OutlineBand, TurnsTheShapeIntoASoftBandAlongItsEdge) {
  Map mask = Rect(60, 60, 10, 10, 50, 50);
  PrepareOutlineBand(mask.data(), 60, 60, 9);  // sigma 3
  int peak = 0;
  for (int x = 0; x < 30; ++x) peak = std::max<int>(peak, mask[30 * 60 + x]);
  EXPECT_GT(peak, 200);               // the band
  EXPECT_LT(mask[30 * 60 + 30], 10);  // inside falls back near 0
  EXPECT_EQ(mask[30 * 60 + 0], 0);    // outside stays empty
}

TEST(SmoothWarp, FlatHeightsMoveNothingAndSlopesShiftColours) {
  CDIBSection image;
  image.Create(6, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 6; ++x) image.Row(y)[x * 4] = static_cast<std::uint8_t>(10 * x + y);
  const CDIBSection original = image;
  const Map flat(18, 77);
  WarpAlongSlopes(image, flat.data());
  EXPECT_TRUE(std::equal(image.Pixels(), image.Pixels() + image.PixelBytes(), original.Pixels()));

  // Heights rising by 2 per column: each pixel takes the colours from 2 columns left
  // (wrapping); rows have no slope, so the column pass moves nothing.
  Map ramp(18);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 6; ++x) ramp[y * 6 + x] = static_cast<std::uint8_t>(2 * x);
  WarpAlongSlopes(image, ramp.data());
  const int expected_columns[6] = {4, 5, 0, 1, 2, 3};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(image.Row(1)[x * 4], 10 * expected_columns[x] + 1) << x;
}

TEST(BallLight, HighlightExponentFollowsTheWidth) {
  // Light straight from the front: s = 2 z^2 - 1 = 0.9 at z^2 = 0.95.
  BevelSettings bevel;
  bevel.light_x = 0;
  bevel.light_y = 0;
  bevel.light_z = 1;
  bevel.intensity = 20;  // q = 51
  const double z = std::sqrt(0.95);
  struct Case { int width; int light; };
  // Width 8: 26 multiplications; 29: 2; 30 and more: none; 0: 35.
  for (const Case c : {Case{8, 127}, Case{29, 161}, Case{30, 170}, Case{45, 170}, Case{0, 125}}) {
    bevel.width = c.width;
    const BallLightValue v = BallLight(0, 0, z, bevel);
    EXPECT_EQ(v.blue_green, c.light) << c.width;
    EXPECT_EQ(v.red, c.light) << c.width;
  }
  bevel.width = 8;
  bevel.intensity = 75;  // the centre with a full highlight saturates
  EXPECT_EQ(BallLight(0, 0, 1, bevel).blue_green, 255);
}

TEST(BallLighting, LightsTheBallAndSkipsObjectsTooSmallForIt) {
  BevelSettings bevel;
  bevel.kind = kBallBevel;
  CDIBSection small;
  small.Create(21, 40);
  small.FillRGBA(0x808080);
  const CDIBSection before = small;
  BallLighting(small, bevel);
  EXPECT_TRUE(std::equal(small.Pixels(), small.Pixels() + small.PixelBytes(), before.Pixels()));

  CDIBSection ball;
  ball.Create(100, 60);
  ball.FillRGBA(0x808080);
  BallLighting(ball, bevel);
  // Default light from the upper left: brighter there than at the lower right.
  EXPECT_GT(Px(ball, 35, 20)[0], Px(ball, 65, 40)[0]);
  // Beyond the ellipse facing away from the light: no light at all, 128 - 128.
  EXPECT_EQ(Px(ball, 95, 55)[0], 0);
}

}  // namespace
}  // namespace lumi
