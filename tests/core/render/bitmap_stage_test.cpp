// The bitmap stage and the bitmap pixel operations against their plain references on
// random images, envelopes and angles, plus the few results worth pinning by hand.
#include "render/bitmap_stage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "bitmap_stage_reference.h"
#include "effects/bitmap_alpha.h"

namespace lumi {
namespace {

using Envelope = std::array<double, 16>;
constexpr Envelope kDefault = {0, 0, 0.4, 0, 0.6, 0, 1, 0, 0, 1, 0.4, 1, 0.6, 1, 1, 1};

CDIBSection RandomBitmap(std::mt19937& rng, int w, int h) {
  CDIBSection b;
  b.Create(w, h, 32, true);
  // Smooth areas with noise and some transparency, like a photo with a cut-out.
  for (int y = 0; y < h; ++y) {
    std::uint8_t* p = b.Row(y);
    for (int x = 0; x < w; ++x, p += 4) {
      p[0] = static_cast<std::uint8_t>(x * 7 + rng() % 16);
      p[1] = static_cast<std::uint8_t>(y * 5 + rng() % 16);
      p[2] = static_cast<std::uint8_t>((x + y) * 3);
      p[3] = static_cast<std::uint8_t>(rng() % 4 == 0 ? rng() % 256 : 255);
    }
  }
  return b;
}

bool SamePixels(const CDIBSection& a, const CDIBSection& b) {
  return a.Width() == b.Width() && a.Height() == b.Height() &&
         std::memcmp(a.Pixels(), b.Pixels(), a.PixelBytes()) == 0;
}

CDIBSection Blank(int w, int h) {
  CDIBSection b;
  b.Create(w, h, 32, true);
  return b;
}

TEST(BitmapStage, EnvelopeWarpMatchesTheReference) {
  std::mt19937 rng(11);
  for (int trial = 0; trial < 30; ++trial) {
    const int sw = 1 + static_cast<int>(rng() % 40), sh = 1 + static_cast<int>(rng() % 40);
    Envelope e = kDefault;
    // Handles pulled well outside the box too, so pixels fall off every side.
    for (double& v : e) v += (static_cast<int>(rng() % 161) - 80) / 100.0;
    const CDIBSection enlarged = RandomBitmap(rng, 3 * sw, 3 * sh);
    CDIBSection ours = Blank(sw, sh), ref = Blank(sw, sh);
    WarpEnlargedSource(enlarged, EnvelopePixels(e, sw, sh), ours);
    reference::WarpEnlargedSource(enlarged, e, ref);
    ASSERT_TRUE(SamePixels(ours, ref)) << "trial " << trial << " " << sw << "x" << sh;
  }
}

TEST(BitmapStage, RotationMatchesTheReference) {
  std::mt19937 rng(12);
  for (int trial = 0; trial < 40; ++trial) {
    const int sw = 1 + static_cast<int>(rng() % 50), sh = 1 + static_cast<int>(rng() % 50);
    const int angle = static_cast<int>(rng() % 1441) - 720;  // totals are never reduced
    const int w = 1 + static_cast<int>(rng() % 70), h = 1 + static_cast<int>(rng() % 70);
    const CDIBSection enlarged = RandomBitmap(rng, 2 * sw, 2 * sh);
    CDIBSection ours = Blank(2 * w, 2 * h), ref = Blank(2 * w, 2 * h);
    RotateEnlargedSource(enlarged, angle, ours);
    reference::RotateEnlargedSource(enlarged, angle, ref);
    ASSERT_TRUE(SamePixels(ours, ref)) << "trial " << trial << " angle " << angle;
  }
}

TEST(BitmapStage, WholeStageMatchesTheReferenceInEveryMode) {
  std::mt19937 rng(13);
  for (int trial = 0; trial < 36; ++trial) {
    const int sw = 1 + static_cast<int>(rng() % 30), sh = 1 + static_cast<int>(rng() % 30);
    const bool same_size = trial % 4 == 0;
    const int w = same_size ? sw : 1 + static_cast<int>(rng() % 60);
    const int h = same_size ? sh : 1 + static_cast<int>(rng() % 60);
    const CDIBSection source = RandomBitmap(rng, sw, sh);
    Envelope e = kDefault;
    for (double& v : e) v += (static_cast<int>(rng() % 41) - 20) / 100.0;
    const int mode = trial % 3;  // 0 plain, 1 rotated, 2 envelope
    const int angle = mode == 1 ? static_cast<int>(rng() % 359) + 1 : 0;
    const Envelope* envelope = mode == 2 ? &e : nullptr;
    CDIBSection ours = Blank(w, h), ref = Blank(w, h);
    RenderBitmapImage(source, envelope, angle, ours);
    reference::RenderBitmapImage(source, envelope, angle, ref);
    ASSERT_TRUE(SamePixels(ours, ref)) << "trial " << trial << " mode " << mode;
  }
}

TEST(BitmapStage, PlainStageCopiesAtTheSourceSizeAndClearsForAnEmptySource) {
  std::mt19937 rng(14);
  const CDIBSection source = RandomBitmap(rng, 9, 7);
  CDIBSection image = Blank(9, 7);
  RenderBitmapImage(source, nullptr, 0, image);
  EXPECT_TRUE(SamePixels(image, source));
  RenderBitmapImage(CDIBSection(), nullptr, 0, image);
  for (std::size_t i = 0; i < image.PixelBytes(); ++i) ASSERT_EQ(image.Pixels()[i], 0);
}

TEST(BitmapStage, QuarterTurnOfAnOpaqueSourceLeavesClearCornersOnly) {
  // 20 x 10 turned by 90 in its 14 x 24 box: the middle is covered, the box corners
  // lie outside the turned source.
  CDIBSection source = Blank(20, 10);
  source.FillRGBA(RGB(10, 200, 30));
  CDIBSection image = Blank(14, 24);
  RenderBitmapImage(source, nullptr, 90, image);
  EXPECT_EQ(image.Row(12)[7 * 4 + 3], 255);
  EXPECT_EQ(image.Row(12)[7 * 4 + 1], 200);
  EXPECT_EQ(image.Row(0)[3], 0);
  EXPECT_EQ(image.Row(23)[13 * 4 + 3], 0);
}

TEST(BitmapAlpha, IntensityAndColourTransparencyMatchTheReference) {
  std::mt19937 rng(15);
  for (int trial = 0; trial < 24; ++trial) {
    const int w = 1 + static_cast<int>(rng() % 40), h = 1 + static_cast<int>(rng() % 40);
    const CDIBSection start = RandomBitmap(rng, w, h);
    CDIBSection ours = start, ref = start;
    TransparencyFromIntensity(ours);
    reference::TransparencyFromIntensity(ref);
    ASSERT_TRUE(SamePixels(ours, ref));
    const int tolerance = static_cast<int>(rng() % 60);
    const COLORREF colour = RGB(rng() % 256, rng() % 256, rng() % 256);
    ours = start;
    ref = start;
    ColourTransparency(ours, colour, tolerance);
    reference::ColourTransparency(ref, colour, tolerance);
    ASSERT_TRUE(SamePixels(ours, ref)) << "tolerance " << tolerance;
  }
}

TEST(BitmapAlpha, MirroringSwapsColumnsOrRows) {
  std::mt19937 rng(16);
  const CDIBSection start = RandomBitmap(rng, 5, 3);
  for (bool vertical : {false, true}) {
    CDIBSection b = start;
    MirrorPixels(b, vertical);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 5; ++x) {
        const int sx = vertical ? x : 4 - x, sy = vertical ? 2 - y : y;
        ASSERT_EQ(std::memcmp(b.Row(y) + 4 * x, start.Row(sy) + 4 * sx, 4), 0);
      }
    }
  }
}

}  // namespace
}  // namespace lumi
