// Gradients, texture mapping and transparency: the worked examples, and every kernel
// against its plain one-pixel-at-a-time reference on many random inputs.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "fill_reference.h"
#include "render/fill_math.h"
#include "render/gradients.h"
#include "render/ramp_projector.h"
#include "render/texture_mapping.h"
#include "render/transparency.h"

namespace lumi {
namespace {

// A bitmap of one colour (COLORREF, red lowest) with alpha 255.
CDIBSection Filled(int w, int h, COLORREF colour) {
  CDIBSection image;
  image.Create(w, h);
  image.FillRGBA(colour);
  return image;
}

// Blue, green, red of image pixel (x, y), y counted from the top, as a COLORREF.
COLORREF At(const CDIBSection& image, int x, int y) {
  const std::uint8_t* p = image.Row(y) + 4 * x;
  return RGB(p[2], p[1], p[0]);
}
int Red(const CDIBSection& image, int x, int y) { return image.Row(y)[4 * x + 2]; }
int Green(const CDIBSection& image, int x, int y) { return image.Row(y)[4 * x + 1]; }
int AlphaAt(const CDIBSection& image, int x, int y) { return image.Row(y)[4 * x + 3]; }

// A texture whose every texel is different: red = 16 x + 1, green = 16 y + 2, blue = x ^ y.
struct Texture {
  int w, h;
  std::vector<std::uint8_t> rgb;
  TextureView View() const { return {rgb.data(), w, h}; }
  COLORREF Texel(int x, int y) const {
    const std::uint8_t* t = rgb.data() + 3 * (y * w + x);
    return RGB(t[0], t[1], t[2]);
  }
};
Texture Distinct(int w, int h) {
  Texture t{w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(3 * w * h))};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = t.rgb.data() + 3 * (y * w + x);
      p[0] = static_cast<std::uint8_t>(16 * x + 1);
      p[1] = static_cast<std::uint8_t>(16 * y + 2);
      p[2] = static_cast<std::uint8_t>(x ^ y);
    }
  return t;
}
Texture Plain(int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  Texture t{w, h, {}};
  for (int i = 0; i < w * h; ++i) t.rgb.insert(t.rgb.end(), {r, g, b});
  return t;
}

TEST(LinearGradient, AngleZeroStrength128RunsEvenlyAcrossTheObject) {
  CDIBSection image = Filled(100, 50, RGB(0, 255, 0));
  LinearGradient(image, 0, 128, RGB(200, 0, 0));
  // The left column keeps the fill colour; the ramp direction is truncated to 1/1024
  // turns, so some rows start one ramp step (2 in red, 3 in green) in.
  EXPECT_EQ(At(image, 0, 25), RGB(0, 255, 0));
  for (int y = 0; y < 50; ++y) {
    EXPECT_LE(Red(image, 0, y), 2) << "row " << y;
    EXPECT_GE(Green(image, 0, y), 252) << "row " << y;
  }
  // Along the middle row red climbs by 2 per column and would reach 200 one column past
  // the right edge; green falls by 2.55 per column.
  for (int x = 1; x < 100; ++x) {
    EXPECT_NEAR(Red(image, x, 25), 2 * x, 2) << "column " << x;
    EXPECT_GE(Red(image, x, 25), Red(image, x - 1, 25));
    EXPECT_NEAR(Green(image, x, 25), 255 - 2.55 * x, 3) << "column " << x;
  }
  EXPECT_LT(Red(image, 99, 25), 200);
}

TEST(LinearGradient, Strength255ReachesColourTwoHalfWayAndClamps) {
  CDIBSection image = Filled(100, 50, RGB(0, 255, 0));
  LinearGradient(image, 0, 255, RGB(200, 0, 0));
  EXPECT_EQ(At(image, 0, 25), RGB(0, 255, 0));
  // Colour 2 is reached half-way along the middle row.
  int reached = 0;
  while (reached < 100 && Red(image, reached, 25) < 200) ++reached;
  EXPECT_GE(reached, 50);
  EXPECT_LE(reached, 52);
  EXPECT_LE(Green(image, reached, 25), 1);
  // Beyond half-way the blend overshoots: red is held at 255, green at 0.
  EXPECT_EQ(At(image, 99, 25), RGB(255, 0, 0));
  EXPECT_EQ(At(image, 80, 10), RGB(255, 0, 0));
}

TEST(RadialGradient, CentreKeepsTheFillAndCornersTakeColourTwo) {
  for (auto [w, h] : {std::pair{100, 50}, std::pair{41, 77}, std::pair{3, 3}}) {
    CDIBSection image = Filled(w, h, RGB(10, 20, 30));
    RadialGradient(image, 128, RGB(250, 150, 50));
    // The centre (W div 2, H div 2 counted from the bottom).
    EXPECT_EQ(At(image, w / 2, h - 1 - h / 2), RGB(10, 20, 30)) << w << "x" << h;
    for (auto [x, y] : {std::pair{0, 0}, std::pair{w - 1, 0}, std::pair{0, h - 1}, std::pair{w - 1, h - 1}})
      EXPECT_EQ(At(image, x, y), RGB(250, 150, 50)) << w << "x" << h << " corner " << x << "," << y;
  }
}

TEST(RadialGradient, OnePixelWideOrHighObjectsStillRender) {
  for (auto [w, h] : {std::pair{1, 30}, std::pair{30, 1}, std::pair{1, 1}}) {
    CDIBSection image = Filled(w, h, RGB(10, 20, 30));
    RadialGradient(image, 128, RGB(250, 150, 50));
    CDIBSection ref = Filled(w, h, RGB(10, 20, 30));
    reference::RadialGradient(ref, 128, RGB(250, 150, 50));
    EXPECT_EQ(0, std::memcmp(image.Pixels(), ref.Pixels(), image.PixelBytes())) << w << "x" << h;
  }
}

TEST(MapTexture, UnscaledUnrotatedMapsOneTexelPerPixelFromTheOffsets) {
  const Texture tex = Distinct(7, 5);
  for (auto [ox, oy] : {std::pair{0, 0}, std::pair{3, 2}, std::pair{-2, 9}}) {
    for (double scale : {0.0, 1.0}) {
      CDIBSection image = Filled(20, 13, RGB(0, 0, 0));
      std::vector<std::uint8_t> mask(20 * 13, 255);
      TextureMapping m;
      m.scale_x = m.scale_y = scale;
      m.offset_x = ox;
      m.offset_y = oy;
      MapTexture(image, mask.data(), tex.View(), m);
      for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 20; ++x) {
          // The texture is shifted right by the x offset and down by the y offset.
          const int tx = ((x - ox) % 7 + 7) % 7, ty = ((y - oy) % 5 + 5) % 5;
          ASSERT_EQ(At(image, x, y), tex.Texel(tx, ty))
              << "offset " << ox << "," << oy << " scale " << scale << " at " << x << "," << y;
        }
      EXPECT_EQ(mask, std::vector<std::uint8_t>(20 * 13, 255));  // not transparent: no cut
    }
  }
}

TEST(MapTexture, WhiteTextureScreensToWhiteAndTwoColourTintsToColourTwo) {
  const Texture white = Plain(4, 4, 255, 255, 255);
  std::vector<std::uint8_t> mask(30 * 20, 255);
  TextureMapping m;
  m.screen = true;
  m.colour2 = RGB(0, 128, 255);
  CDIBSection screened = Filled(30, 20, RGB(40, 90, 200));
  MapTexture(screened, mask.data(), white.View(), m);
  EXPECT_EQ(At(screened, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(At(screened, 29, 19), RGB(255, 255, 255));

  m.two_colour = true;  // "F-B"
  CDIBSection tinted = Filled(30, 20, RGB(40, 90, 200));
  MapTexture(tinted, mask.data(), white.View(), m);
  // Colour 2 scaled by 255/256: (255 x c) >> 8.
  EXPECT_EQ(At(tinted, 0, 0), RGB(0, 127, 254));
  EXPECT_EQ(At(tinted, 17, 11), RGB(0, 127, 254));
}

TEST(MapTexture, TransparentTextureCutsCoverageByItsGrey) {
  const Texture grey = Plain(3, 3, 90, 120, 150);  // grey level 120
  CDIBSection image = Filled(10, 10, RGB(0, 0, 0));
  std::vector<std::uint8_t> mask(100, 255);
  mask[0] = 30;
  TextureMapping m;
  m.transparent = true;
  m.strength = 128;
  MapTexture(image, mask.data(), grey.View(), m);
  EXPECT_EQ(mask[55], 255 - ((120 * 128) >> 8));
  EXPECT_EQ(mask[0], 0);  // never below 0
  // Strength 128 blends half of the texel into the black fill: (texel x 128) >> 8.
  EXPECT_EQ(At(image, 5, 5), RGB(45, 60, 75));
}

TEST(MapTexture, DamagedAttributesStillMapWithinTheTexture) {
  const Texture tex = Distinct(5, 4);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    double scale_x, scale_y, angle_x, angle_y;
    int offset_x, offset_y;
  } cases[] = {
      {1e-30, -1e-30, 30, 10, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()},
      {nan, 1, nan, 1e300, 7, -7},
      {1e300, 1e-300, -1e20, 3, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()},
  };
  for (const Case& c : cases) {
    CDIBSection image = Filled(16, 9, RGB(0, 0, 0));
    std::vector<std::uint8_t> mask(16 * 9, 255);
    TextureMapping m;
    m.scale_x = c.scale_x;
    m.scale_y = c.scale_y;
    m.angle_x = c.angle_x;
    m.angle_y = c.angle_y;
    m.offset_x = c.offset_x;
    m.offset_y = c.offset_y;
    MapTexture(image, mask.data(), tex.View(), m);
    // Every pixel took some texel of the texture.
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 16; ++x) {
        bool found = false;
        for (int ty = 0; ty < 4 && !found; ++ty)
          for (int tx = 0; tx < 5 && !found; ++tx) found = At(image, x, y) == tex.Texel(tx, ty);
        ASSERT_TRUE(found) << x << "," << y;
      }
  }
}

TEST(CutTransparency, FlatHalvesTheCoverageAndFullMakesItInvisible) {
  CDIBSection image = Filled(8, 6, RGB(1, 2, 3));
  std::vector<std::uint8_t> mask(48, 255);
  mask[8 * 2 + 3] = 100;  // image pixel (3, 2)
  CutTransparency(image, mask.data(), {TransparencyPattern::kFlat, 128, 0}, {});
  EXPECT_EQ(AlphaAt(image, 0, 0), (255 * 127) >> 8);
  EXPECT_EQ(AlphaAt(image, 3, 2), (100 * 127) >> 8);
  CutTransparency(image, mask.data(), {TransparencyPattern::kFlat, 255, 0}, {});
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(AlphaAt(image, x, y), 0);
}

TEST(CutTransparency, ImageCutIsWrittenBackIntoTheMask) {
  // White columns 0 and 1, black column 2, tiled from the top-left.
  Texture tex = Plain(3, 2, 0, 0, 0);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x)
      for (int c = 0; c < 3; ++c) tex.rgb[3 * (y * 3 + x) + c] = 255;
  CDIBSection image = Filled(7, 4, RGB(1, 2, 3));
  std::vector<std::uint8_t> mask(28, 200);
  CutTransparency(image, mask.data(), {TransparencyPattern::kImage, 128, 0}, tex.View());
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 7; ++x) {
      const int expected = x % 3 == 2 ? 200 : 200 - ((255 * 128) >> 8);
      EXPECT_EQ(AlphaAt(image, x, y), expected) << x << "," << y;
      EXPECT_EQ(mask[static_cast<std::size_t>(y * 7 + x)], expected) << x << "," << y;
    }
}

TEST(CutTransparency, RadialClearsTheRimAndTakesTheAmountAtTheCentre) {
  CDIBSection image = Filled(60, 40, RGB(1, 2, 3));
  std::vector<std::uint8_t> mask(60 * 40, 255);
  CutTransparency(image, mask.data(), {TransparencyPattern::kRadial, 100, 0}, {});
  EXPECT_EQ(AlphaAt(image, 30, 40 - 1 - 20), 155);
  EXPECT_EQ(AlphaAt(image, 0, 0), 0);
  EXPECT_EQ(AlphaAt(image, 0, 19), 0);  // on the inscribed ellipse
}

TEST(PaintTransparency, FlatChangesNothingAndRadialWhitensTheCentre) {
  CDIBSection image = Filled(50, 30, RGB(10, 20, 30));
  const CDIBSection before = image;
  PaintTransparency(image, {TransparencyPattern::kFlat, 200, 0}, {});
  EXPECT_EQ(0, std::memcmp(image.Pixels(), before.Pixels(), image.PixelBytes()));
  PaintTransparency(image, {TransparencyPattern::kRadial, 255, 0}, {});
  EXPECT_EQ(At(image, 25, 30 - 1 - 15), RGB(255, 255, 255));
  // The paint fades out towards half the diagonal (29 pixels), just beyond the corners.
  for (int x = 26; x < 50; ++x) EXPECT_LE(Red(image, x, 14), Red(image, x - 1, 14));
  EXPECT_LT(Red(image, 0, 0), 30);
  EXPECT_GT(Red(image, 0, 0), 10);
}

// The ramp reuses each row's angles for the row mirrored about the centre. Checking
// every pixel of the largest object proves that shortcut exact for every pixel offset
// any object can have.
TEST(RampProjector, MatchesProjectOnEveryPixelOfTheLargestObject) {
  const int w = 1700, h = 1500, len = 1234;
  const std::int64_t o = RampOffset(37);
  RampProjector ramp(w, h, o, len);
  std::vector<int> row(w);
  for (int i = 0; i < h; ++i) {
    ramp.Row(i, row.data());
    for (int j = 0; j < w; ++j)
      ASSERT_EQ(row[static_cast<std::size_t>(j)], Project(o + PixelAngle(j, i, w, h), Dist(j, i, w, h), len))
          << j << "," << i;
  }
}

// ---- every kernel against its reference

struct Case {
  int w, h;
};

class Oracle : public ::testing::Test {
 protected:
  std::mt19937 rng{20261210};
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
  CDIBSection Noise(int w, int h) {
    CDIBSection image;
    image.Create(w, h);
    for (std::size_t i = 0; i < image.PixelBytes(); ++i) image.Pixels()[i] = static_cast<std::uint8_t>(rng());
    return image;
  }
  std::vector<std::uint8_t> Mask(int w, int h) {
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(w) * h);
    for (auto& b : mask) b = static_cast<std::uint8_t>(rng());
    return mask;
  }
  Texture RandomTexture() {
    Texture t{Int(1, 40), Int(1, 40), {}};
    t.rgb.resize(static_cast<std::size_t>(3 * t.w * t.h));
    for (auto& b : t.rgb) b = static_cast<std::uint8_t>(rng());
    return t;
  }
  static void ExpectSame(const CDIBSection& a, const CDIBSection& b, const std::string& what) {
    ASSERT_EQ(0, std::memcmp(a.Pixels(), b.Pixels(), a.PixelBytes())) << what;
  }
};

TEST_F(Oracle, Gradients) {
  for (int n = 0; n < 150; ++n) {
    const int w = Int(1, 160), h = Int(1, 160), angle = Int(-720, 720), strength = Int(0, 255);
    const COLORREF c2 = rng() & 0xFFFFFF;
    CDIBSection ours = Noise(w, h), ref = ours;
    LinearGradient(ours, angle, strength, c2);
    reference::LinearGradient(ref, angle, strength, c2);
    ExpectSame(ours, ref, "linear " + std::to_string(w) + "x" + std::to_string(h) + " angle " + std::to_string(angle));
    CDIBSection ours2 = Noise(w, h), ref2 = ours2;
    RadialGradient(ours2, strength, c2);
    reference::RadialGradient(ref2, strength, c2);
    ExpectSame(ours2, ref2, "radial " + std::to_string(w) + "x" + std::to_string(h));
  }
}

TEST_F(Oracle, MapTexture) {
  const double scales[] = {0.0, 1.0, 0.5, 2.0, 0.37, -1.5, 3.3};
  for (int n = 0; n < 300; ++n) {
    const int w = Int(1, 120), h = Int(1, 120);
    const Texture tex = RandomTexture();
    TextureMapping m;
    m.strength = Int(0, 3) == 0 ? 255 : Int(1, 255);
    m.screen = Int(0, 1);
    m.two_colour = Int(0, 1);
    m.transparent = Int(0, 1);
    m.colour2 = rng() & 0xFFFFFF;
    m.scale_x = scales[Int(0, 6)];
    m.scale_y = Int(0, 2) == 0 ? m.scale_x : scales[Int(0, 6)];
    m.angle_x = Int(0, 1) ? 0 : Int(-360, 360) + Int(0, 9) * 0.1;
    m.angle_y = Int(0, 1) ? 0 : Int(-80, 80);
    m.offset_x = Int(-3 * tex.w, 2 * tex.w);
    m.offset_y = Int(-3 * tex.h, 2 * tex.h);
    CDIBSection ours = Noise(w, h), ref = ours;
    std::vector<std::uint8_t> mask = Mask(w, h), ref_mask = mask;
    MapTexture(ours, mask.data(), tex.View(), m);
    reference::MapTexture(ref, ref_mask.data(), tex.View(), m);
    const std::string what = "case " + std::to_string(n);
    ExpectSame(ours, ref, what);
    ASSERT_EQ(mask, ref_mask) << what;
  }
}

TEST_F(Oracle, Transparency) {
  const TransparencyPattern patterns[] = {TransparencyPattern::kFlat, TransparencyPattern::kLinear,
                                          TransparencyPattern::kRadial, TransparencyPattern::kImage};
  for (int n = 0; n < 200; ++n) {
    const int w = Int(1, 140), h = Int(1, 140);
    const Texture tex = RandomTexture();
    const TransparencySettings t{patterns[Int(0, 3)], Int(0, 2) == 0 ? 255 : Int(1, 255), Int(-400, 400)};
    const std::string what = "case " + std::to_string(n);
    CDIBSection ours = Noise(w, h), ref = ours;
    std::vector<std::uint8_t> mask = Mask(w, h), ref_mask = mask;
    CutTransparency(ours, mask.data(), t, tex.View());
    reference::CutTransparency(ref, ref_mask.data(), t, tex.View());
    ExpectSame(ours, ref, "cut " + what);
    ASSERT_EQ(mask, ref_mask) << what;
    CDIBSection ours2 = Noise(w, h), ref2 = ours2;
    PaintTransparency(ours2, t, tex.View());
    reference::PaintTransparency(ref2, t, tex.View());
    ExpectSame(ours2, ref2, "paint " + what);
  }
}

}  // namespace
}  // namespace lumi
