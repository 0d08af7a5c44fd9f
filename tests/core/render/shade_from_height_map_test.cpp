#include "render/shade_from_height_map.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "base/errors.h"
#include "blur_reference.h"
#include "effects/profile_blur.h"

namespace lumi {
namespace {

using Map = std::vector<std::uint8_t>;

CDIBSection Grey(int w, int h, int level = 128, int alpha = 255) {
  CDIBSection b;
  b.Create(w, h);
  for (std::size_t i = 0; i < b.PixelBytes(); i += 4) {
    b.Pixels()[i] = b.Pixels()[i + 1] = b.Pixels()[i + 2] = static_cast<std::uint8_t>(level);
    b.Pixels()[i + 3] = static_cast<std::uint8_t>(alpha);
  }
  return b;
}

// A white square on black, top row first.
Map Square(int w, int h, int left, int top, int right, int bottom) {
  Map m(static_cast<std::size_t>(w) * h, 0);
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) m[static_cast<std::size_t>(y) * w + x] = 255;
  return m;
}

int Blue(const CDIBSection& b, int x, int row) { return b.Row(row)[x * 4]; }

TEST(ShadeFromHeightMap, DefaultSmoothBevelLightsUpperLeftAndShadesLowerRight) {
  // "Smooth Bevel" defaults: width 8 (sigma 2), light from 135 degrees, elevation 30,
  // depth 255, intensity 75.
  Map h = Square(60, 50, 20, 15, 40, 35);
  CProfileBlur().Apply(h.data(), 60, 50, 2);
  CDIBSection image = Grey(60, 50);
  ShadeFromHeightMap(image, h.data(), 60, 50, 135, 30, 255, 75, false);
  EXPECT_GT(Blue(image, 20, 25), 128 + 60);  // left edge
  EXPECT_GT(Blue(image, 30, 15), 128 + 60);  // top edge
  EXPECT_LT(Blue(image, 39, 25), 128 - 60);  // right edge
  EXPECT_LT(Blue(image, 30, 34), 128 - 60);  // bottom edge
  EXPECT_EQ(Blue(image, 30, 25), 128);       // flat top of the plateau
  EXPECT_EQ(Blue(image, 3, 25), 128);        // flat ground
  for (std::size_t i = 3; i < image.PixelBytes(); i += 4) ASSERT_EQ(image.Pixels()[i], 255);
}

TEST(ShadeFromHeightMap, UnblurredMaskLightsOnlyTheEdgePixels) {
  // "Smooth Bevel" width 2 gives sigma 0: the hard mask itself is the height map.
  const Map h = Square(20, 20, 5, 5, 15, 15);
  CDIBSection image = Grey(20, 20);
  ShadeFromHeightMap(image, h.data(), 20, 20, 135, 30, 255, 75, false);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      const bool near_edge = x >= 4 && x <= 15 && y >= 4 && y <= 15 &&
                             !(x >= 6 && x <= 13 && y >= 6 && y <= 13);
      if (!near_edge) {
        EXPECT_EQ(Blue(image, x, y), 128) << x << "," << y;
      }
    }
  }
  EXPECT_NE(Blue(image, 5, 10), 128);
  EXPECT_NE(Blue(image, 14, 10), 128);
}

TEST(ShadeFromHeightMap, HeightMapRowsAreImageRowsFromTheTop) {
  // A step across the top of the map changes only the top image rows, which are the last
  // rows in memory.
  Map h(12 * 10, 0);
  for (int x = 0; x < 12; ++x) h[2 * 12 + x] = 200;
  CDIBSection image = Grey(12, 10);
  ShadeFromHeightMap(image, h.data(), 12, 10, 90, 30, 255, 100, false);
  EXPECT_NE(Blue(image, 5, 1), 128);
  EXPECT_NE(image.Pixels()[(9 - 1) * 12 * 4 + 5 * 4], 128);
  for (int row = 5; row < 10; ++row) EXPECT_EQ(Blue(image, 5, row), 128) << row;
}

TEST(ShadeFromHeightMap, SquaringDeepensShadows) {
  Map h = Square(30, 30, 8, 8, 22, 22);
  CProfileBlur().Apply(h.data(), 30, 30, 2);
  CDIBSection plain = Grey(30, 30), squared = Grey(30, 30);
  ShadeFromHeightMap(plain, h.data(), 30, 30, 135, 30, 255, 75, false);
  ShadeFromHeightMap(squared, h.data(), 30, 30, 135, 30, 255, 75, true);
  // B below 255 shrinks when squared: every darkened pixel gets darker or stays.
  int deeper = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 30; ++x) {
      if (Blue(plain, x, y) >= 128) continue;
      EXPECT_LE(Blue(squared, x, y), Blue(plain, x, y)) << x << "," << y;
      deeper += Blue(squared, x, y) < Blue(plain, x, y);
    }
  }
  EXPECT_GT(deeper, 10);
}

TEST(ShadeFromHeightMap, OnePixelWideOrHighMapsStayInRange) {
  struct Case { int w, h; };
  for (const Case c : {Case{1, 1}, Case{1, 7}, Case{7, 1}, Case{2, 2}, Case{2, 5}}) {
    Map h(static_cast<std::size_t>(c.w) * c.h);
    for (std::size_t i = 0; i < h.size(); ++i) h[i] = static_cast<std::uint8_t>(i * 97);
    CDIBSection ours = Grey(c.w, c.h), ref = Grey(c.w, c.h);
    ShadeFromHeightMap(ours, h.data(), c.w, c.h, 135, 30, 255, 75, false);
    reference::ShadeFromHeightMap(ref, h.data(), c.w, c.h, 135, 30, 255, 75, false);
    EXPECT_TRUE(std::equal(ours.Pixels(), ours.Pixels() + ours.PixelBytes(), ref.Pixels()))
        << c.w << "x" << c.h;
  }
}

TEST(ShadeFromHeightMap, RefusesAnImageOfAnotherSize) {
  CDIBSection image = Grey(5, 4);
  const Map h(5 * 5, 0);
  EXPECT_THROW(ShadeFromHeightMap(image, h.data(), 5, 5, 0, 30, 255, 75, false), BitmapError);
}

TEST(ShadeFromHeightMap, EqualsTheReferenceOnRandomMaps) {
  std::mt19937 rng(4);
  for (int trial = 0; trial < 300; ++trial) {
    const int w = 1 + rng() % 70, h = 1 + rng() % 50;
    Map map(static_cast<std::size_t>(w) * h);
    const int style = trial % 3;
    for (auto& v : map) v = static_cast<std::uint8_t>(style == 0 ? rng() : rng() % 4 ? 0 : 255);
    if (style == 2) CProfileBlur().Apply(map.data(), w, h, 1 + rng() % 5);
    CDIBSection ours, ref;
    ours.Create(w, h);
    for (std::size_t i = 0; i < ours.PixelBytes(); ++i) ours.Pixels()[i] = rng() & 255;
    ref = ours;
    const double azimuth = static_cast<int>(rng() % 720) - 360;
    const double elevation = trial % 2 ? 30 : 45;
    // Depths and intensities include hostile values that would overflow plain ints.
    const int depths[] = {255, 255, 100, 1, 0, -255, 2000000000};
    const int intensities[] = {75, 200, 100, 0, -50, 2000000000};
    const int depth = depths[rng() % 7];
    const int intensity = intensities[rng() % 6];
    const bool squaring = rng() % 2;
    ShadeFromHeightMap(ours, map.data(), w, h, azimuth, elevation, depth, intensity, squaring);
    reference::ShadeFromHeightMap(ref, map.data(), w, h, azimuth, elevation, depth, intensity,
                                  squaring);
    ASSERT_TRUE(std::equal(ours.Pixels(), ours.Pixels() + ours.PixelBytes(), ref.Pixels()))
        << "trial " << trial << " " << w << "x" << h;
  }
}

}  // namespace
}  // namespace lumi
