#include "render/effects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/errors.h"

namespace lumi {
namespace {

// An opaque object of w x h in `colour` (alpha 255 unless given).
CDIBSection Opaque(int w, int h, COLORREF colour = 0x3060C0, int alpha = 255) {
  CDIBSection b;
  b.Create(w, h);
  b.FillRGB(colour);
  b.SetAlpha(static_cast<std::uint8_t>(alpha));
  return b;
}

std::vector<std::uint8_t> FullMask(int w, int h) {
  return std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h, 255);
}

int Alpha(const CDIBSection& b, int x, int row) { return b.Row(row)[x * 4 + 3]; }

EffectSettings Effect(int kind, int softness = 2) {
  EffectSettings e;
  e.kind = kind;
  e.softness = softness;
  return e;
}

TEST(EffectList, KeepsTheTextsShownToTheUser) {
  EXPECT_EQ(std::string(kEffectNames[2]), "Sun Shadow");
  EXPECT_EQ(std::string(kEffectNames[7]), "Inset + Shadow");
}

TEST(EffectOffsets, FollowTheLayerTable) {
  struct Case { int kind; int dx, dy; };
  // Default distance 3 at 45 degrees: trunc(3 cos 45) = 2.
  const Case cases[] = {{kDropShadow, 2, 2}, {kSunShadow, 2, 7}, {kGlow, 2, 2},
                        {kInsetShadow, 0, 0}};
  for (const Case& c : cases) {
    const EffectOffset o = LayerOffset(Effect(c.kind));
    EXPECT_EQ(o.dx, c.dx) << c.kind;
    EXPECT_EQ(o.dy, c.dy) << c.kind;
  }
  EXPECT_EQ(ShadowOffset(10, 180).dx, -10);
  EXPECT_EQ(ShadowOffset(10, 180).dy, 0);
  EXPECT_EQ(ShadowOffset(5, 270).dy, -5);
  EXPECT_FALSE(DrawsEffectLayer(kNoEffect));
  EXPECT_FALSE(DrawsEffectLayer(kCutout));
  EXPECT_TRUE(DrawsEffectLayer(kInsetShadow));
}

TEST(EffectLayer, MarginsBeyondTheBitmapLimitsAreRefused) {
  const CDIBSection image = Opaque(10, 10);
  CDIBSection layer, shadowed = Opaque(10, 10);
  const auto mask = FullMask(10, 10);
  struct Case {
    int margin;
    bool refused;
  };
  // 2 x 12000 + 10 per side is within the side limit, but the layer would have more
  // pixels than any bitmap may; a negative margin has no layer at all.
  for (const Case c : {Case{-1, true}, Case{12000, true}, Case{20000, true}, Case{0, false},
                       Case{100, false}}) {
    EffectSettings e = Effect(kDropShadow);
    e.margin = c.margin;
    if (c.refused) {
      EXPECT_THROW(BuildSilhouette(image, e), BitmapError) << c.margin;
      EXPECT_THROW(ApplyEffectStage(shadowed, layer, mask.data(), e), BitmapError) << c.margin;
      e.kind = kCutout;
      EXPECT_THROW(InnerShadow(shadowed, mask.data(), e), BitmapError) << c.margin;
    } else {
      ApplyEffectStage(shadowed, layer, mask.data(), e);
      EXPECT_EQ(layer.Width(), 10 + 2 * c.margin);
    }
  }
}

TEST(EffectLayer, ALayerLeftFromTheLastRenderIsRebuiltCompletely) {
  const CDIBSection image = Opaque(17, 12);
  for (int kind : {kDropShadow, kSunShadow, kGlow, kHalo, kInset, kInsetShadow}) {
    EffectSettings e = Effect(kind, 3);
    e.colour = 0x406080;
    CDIBSection fresh, stale;
    stale.Create(37, 32);
    stale.FillRGBA(0x123456);  // a previous look of the same size
    BuildEffectLayer(fresh, image, e);
    BuildEffectLayer(stale, image, e);
    ASSERT_EQ(stale.PixelBytes(), fresh.PixelBytes()) << kind;
    EXPECT_TRUE(std::equal(fresh.Pixels(), fresh.Pixels() + fresh.PixelBytes(), stale.Pixels()))
        << kind;
  }
}

TEST(DropShadow, HardShadowIsTheAlphaAt200Of256) {
  CDIBSection image = Opaque(20, 10), layer;
  ApplyEffectStage(image, layer, FullMask(20, 10).data(), Effect(kDropShadow, 0));
  ASSERT_EQ(layer.Width(), 40);
  ASSERT_EQ(layer.Height(), 30);
  EXPECT_EQ(Alpha(layer, 10, 10), 199);  // 255 x 200 >> 8
  EXPECT_EQ(Alpha(layer, 29, 19), 199);
  EXPECT_EQ(Alpha(layer, 9, 10), 0);
  EXPECT_EQ(Alpha(layer, 10, 20), 0);
  EXPECT_EQ(layer.Row(15)[20 * 4], 0);  // the effect colour, black
}

TEST(DropShadow, SoftShadowIsBlurred) {
  CDIBSection image = Opaque(20, 10), layer;
  ApplyEffectStage(image, layer, FullMask(20, 10).data(), Effect(kDropShadow, 2));
  EXPECT_GT(Alpha(layer, 8, 15), 0);      // spreads beyond the object
  EXPECT_LT(Alpha(layer, 10, 15), 199);   // and softens its edge
  EXPECT_GE(Alpha(layer, 20, 15), 190);   // the middle stays dense
}

TEST(DropShadow, FollowsTheObjectsTransparency) {
  CDIBSection layer;
  CDIBSection clear = Opaque(12, 12, 0, 0);
  ApplyEffectStage(clear, layer, FullMask(12, 12).data(), Effect(kDropShadow));
  for (std::size_t i = 3; i < layer.PixelBytes(); i += 4) ASSERT_EQ(layer.Pixels()[i], 0);
  CDIBSection half = Opaque(12, 12, 0, 128);
  ApplyEffectStage(half, layer, FullMask(12, 12).data(), Effect(kDropShadow, 0));
  EXPECT_EQ(Alpha(layer, 15, 15), 100);  // 128 x 200 >> 8
}

TEST(SunShadow, IsAQuarterHighAtTheBottomOfTheLayer) {
  CDIBSection image = Opaque(16, 40), layer;
  ApplyEffectStage(image, layer, FullMask(16, 40).data(), Effect(kSunShadow, 0));
  ASSERT_EQ(layer.Height(), 60);
  std::vector<int> rows;
  for (int row = 0; row < 60; ++row)
    if (Alpha(layer, 15, row) > 0) rows.push_back(row);
  ASSERT_EQ(rows.size(), 10u);  // 40 / 4
  EXPECT_EQ(rows.front(), 39);
  EXPECT_EQ(rows.back(), 48);
  EXPECT_EQ(Alpha(layer, 9, 45), 0);  // columns keep their place
  EXPECT_EQ(Alpha(layer, 10, 45), 199);
}

TEST(SunShadow, EachRowTakesTheLastOfTheFourLayerRowsSquashedOntoIt) {
  // A 2 x 12 image whose stored rows (bottom first) have alphas 10, 20, ... 120; full
  // opacity keeps them. The layer rows 4k..4k+3 land on one silhouette row and the last
  // of them is kept, even when it lies outside the image (then the row is empty).
  CDIBSection image;
  image.Create(2, 12);
  for (int i = 0; i < 12; ++i)
    for (int j = 0; j < 2; ++j)
      image.Pixels()[(i * 2 + j) * 4 + 3] = static_cast<std::uint8_t>(10 * (i + 1));
  struct Case {
    int margin;
    std::vector<int> rows;  // the silhouette's column at the margin, top row first
  };
  const Case cases[] = {
      {0, {120, 80, 40, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {2, {0, 0, 0, 0, 100, 60, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    EffectSettings e = Effect(kSunShadow, 0);
    e.opacity = 256;
    e.margin = c.margin;
    const std::vector<std::uint8_t> s = BuildSilhouette(image, e);
    const int lw = 2 + 2 * c.margin;
    ASSERT_EQ(s.size(), static_cast<std::size_t>(lw) * c.rows.size()) << c.margin;
    for (std::size_t t = 0; t < c.rows.size(); ++t) {
      std::vector<int> expected(lw, 0);
      expected[c.margin] = expected[c.margin + 1] = c.rows[t];
      const std::vector<int> row(s.begin() + static_cast<std::ptrdiff_t>(t) * lw,
                                 s.begin() + static_cast<std::ptrdiff_t>(t + 1) * lw);
      EXPECT_EQ(row, expected) << "margin " << c.margin << ", row " << t;
    }
  }
}

TEST(Glow, SoftnessOneSkipsTheHalfRadiusPass) {
  // With softness 1 only the doubling pass runs, as for "Inset": the alphas agree.
  // With softness 2 the half-radius pass (sigma 1) runs first and they differ.
  for (int softness : {1, 2}) {
    CDIBSection image = Opaque(15, 11), glow, inset;
    ApplyEffectStage(image, glow, FullMask(15, 11).data(), Effect(kGlow, softness));
    ApplyEffectStage(image, inset, FullMask(15, 11).data(), Effect(kInset, softness));
    bool same = true;
    for (std::size_t i = 3; i < glow.PixelBytes(); i += 4)
      same = same && glow.Pixels()[i] == inset.Pixels()[i];
    EXPECT_EQ(same, softness == 1) << softness;
  }
}

TEST(Halo, RingsPeakAt99) {
  CDIBSection image = Opaque(40, 40), layer;
  ApplyEffectStage(image, layer, FullMask(40, 40).data(), Effect(kHalo, 4));
  int peak = 0;
  for (std::size_t i = 3; i < layer.PixelBytes(); i += 4) peak = std::max<int>(peak, layer.Pixels()[i]);
  EXPECT_EQ(peak, 99);
  EXPECT_EQ(Alpha(layer, 30, 30), 0);  // the dense middle (199) lies between the rings
  EXPECT_EQ(Alpha(layer, 0, 0), 0);
}

TEST(Inset, LightsTheLayerColours) {
  EffectSettings e = Effect(kInset, 3);
  e.colour = 0x808080;
  CDIBSection image = Opaque(30, 30), layer;
  ApplyEffectStage(image, layer, FullMask(30, 30).data(), e);
  // Light from 360 - 45 degrees: one side brighter, the opposite darker, the flat
  // middle and surroundings as they were.
  const int left = layer.Row(40)[10 * 4], right = layer.Row(40)[39 * 4];
  EXPECT_NE(left, right);
  EXPECT_EQ(layer.Row(25)[25 * 4], 128);
  EXPECT_EQ(layer.Row(2)[2 * 4], 128);
}

TEST(Cutout, DrawsNoLayerAndWithOpacityZeroChangesNothing) {
  EffectSettings e = Effect(kCutout);
  e.opacity = 0;
  CDIBSection image = Opaque(20, 20), layer;
  const CDIBSection before = image;
  ApplyEffectStage(image, layer, FullMask(20, 20).data(), e);
  EXPECT_TRUE(layer.IsEmpty());
  EXPECT_TRUE(std::equal(image.Pixels(), image.Pixels() + image.PixelBytes(), before.Pixels()));
}

TEST(InnerShadow, DarkensTheTopAndLeftInnerEdges) {
  // Offset (2, 2), no blur: pixels whose position moved back by (2, 2) lies outside the
  // shape lose 255 x 200 >> 8 = 199.
  EffectSettings e = Effect(kCutout, 0);
  CDIBSection image = Opaque(12, 10, 0xF0F0F0), layer;
  ApplyEffectStage(image, layer, FullMask(12, 10).data(), e);
  EXPECT_EQ(image.Row(0)[5 * 4], 0xF0 - 199);   // top rows
  EXPECT_EQ(image.Row(1)[5 * 4], 0xF0 - 199);
  EXPECT_EQ(image.Row(5)[1 * 4 + 2], 0xF0 - 199);  // left columns
  EXPECT_EQ(image.Row(2)[2 * 4], 0xF0);         // inside
  EXPECT_EQ(image.Row(9)[11 * 4], 0xF0);        // bottom right untouched
  EXPECT_EQ(image.Row(0)[3], 255);               // alpha kept
}

TEST(InnerShadow, OffsetsBeyondTheMarginDarkenFully) {
  EffectSettings e = Effect(kCutout, 0);
  e.distance = 40;
  e.angle = 0;
  CDIBSection image = Opaque(8, 8, 0xFFFFFF), layer;
  ApplyEffectStage(image, layer, FullMask(8, 8).data(), e);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(image.Row(y)[x * 4], 255 - 199);
}

TEST(InsetShadow, DarkensTheObjectAndBuildsACentredLitLayer) {
  CDIBSection image = Opaque(20, 20, 0xFFFFFF), layer;
  ApplyEffectStage(image, layer, FullMask(20, 20).data(), Effect(kInsetShadow, 2));
  // The top inner edge is shaded far more than the middle or the far corner.
  EXPECT_LT(image.Row(0)[10 * 4] + 100, image.Row(10)[10 * 4]);
  EXPECT_LT(image.Row(0)[10 * 4] + 100, image.Row(19)[19 * 4]);
  ASSERT_EQ(layer.Width(), 40);
  EXPECT_GT(Alpha(layer, 20, 20), 0);
}

}  // namespace
}  // namespace lumi
