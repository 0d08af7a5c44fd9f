// The filter rules on small fixtures worked out by hand, and the engine's properties:
// every run starts from the unfiltered copy, alpha is never written, values are clamped,
// integers wrap, and the noise of Aged Photo follows the shared generator.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <random>
#include <vector>

#include "base/runtime_random.h"
#include "effects/filter_factory.h"
#include "filter_reference.h"
#include "image/dib_section.h"

namespace lumi {
namespace {

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

// A width x height image of one colour, alpha 77.
std::vector<std::uint8_t> Plain(int w, int h, Rgb c) {
  std::vector<std::uint8_t> px(static_cast<std::size_t>(w) * h * 4);
  for (std::size_t i = 0; i < px.size(); i += 4) {
    px[i] = static_cast<std::uint8_t>(c.b);
    px[i + 1] = static_cast<std::uint8_t>(c.g);
    px[i + 2] = static_cast<std::uint8_t>(c.r);
    px[i + 3] = 77;
  }
  return px;
}

std::vector<std::uint8_t> Noise(int w, int h, unsigned seed) {
  std::vector<std::uint8_t> px(static_cast<std::size_t>(w) * h * 4);
  std::mt19937 rng(seed);
  for (auto& b : px) b = static_cast<std::uint8_t>(rng());
  return px;
}

Rgb At(const std::vector<std::uint8_t>& px, int w, int x, int y) {
  const std::size_t i = (static_cast<std::size_t>(y) * w + x) * 4;
  return {px[i + 2], px[i + 1], px[i]};
}
void Set(std::vector<std::uint8_t>& px, int w, int x, int y, Rgb c) {
  const std::size_t i = (static_cast<std::size_t>(y) * w + x) * 4;
  px[i] = static_cast<std::uint8_t>(c.b);
  px[i + 1] = static_cast<std::uint8_t>(c.g);
  px[i + 2] = static_cast<std::uint8_t>(c.r);
}

// Runs filter `id` (defaults, then `params` over the first slots) on `px` in place.
void RunFilter(std::vector<std::uint8_t>& px, int w, int h, int id, std::initializer_list<int> params = {}) {
  CFilterFactory factory;
  ASSERT_TRUE(factory.SetImage(px.data(), w, h));
  factory.SelectFilter(id);
  int i = 0;
  for (int p : params) factory.SetParam(i++, p);
  factory.ApplyFilter();
}

struct PointCase {
  int id;
  std::vector<int> params;
  Rgb expected;
};

TEST(FilterRulesTest, PointRulesOnOnePixel) {
  // Pixel (100, 50, 20), luminance 61. Each expectation is the rule worked through once.
  const PointCase cases[] = {
      {0, {}, {126, 45, 0}},              // a = 181; (200 x 255 / 181 - 70 x 74 / 181) / 2
      {1, {}, {108, 48, 12}},             // s = 8; 20..100 stretched onto 12..108
      {1, {60}, {79, 55, 41}},            // u = 135: 135/255 of the way to grey 61
      {2, {200, 64, 255}, {156, 25, 39}}, // P x v x 2 / 256
      {3, {}, {112, 24, 0}},              // 100 + |100 - 50| - |100 - 138|
      {6, {}, {77, 61, 41}},              // 61 x 2P / 255
      {7, {}, {93, 38, 50}},
      {8, {}, {116, 66, 36}},             // 186 >= 170: each channel + 16
      {8, {80, 80, 80}, {170, 120, 90}},
      {8, {50, 50, 50}, {100, 50, 20}},   // 150 < 170: unchanged
      {9, {}, {64, 0, 0}},                // shift 6 keeps the top two bits
      {13, {}, {109, 59, 29}},            // 192 mod 61 = 9
      {14, {}, {16, 4, 100}},             // 100 OR (20 - 99) = -11; 25 - 8.25
      {15, {}, {101, 51, 21}},            // XOR |61 - 62| = 1
      {16, {}, {197, 96, 56}},
      {17, {}, {112, 0, 29}},             // a = 56: inside red and blue ranges only
      {18, {}, {255, 255, 0}},
  };
  for (const PointCase& c : cases) {
    auto px = Plain(1, 1, {100, 50, 20});
    CFilterFactory factory;
    ASSERT_TRUE(factory.SetImage(px.data(), 1, 1));
    factory.SelectFilter(c.id);
    for (std::size_t i = 0; i < c.params.size(); ++i) factory.SetParam(static_cast<int>(i), c.params[i]);
    factory.ApplyFilter();
    EXPECT_EQ(At(px, 1, 0, 0), c.expected) << "filter " << c.id;
    EXPECT_EQ(px[3], 77) << "alpha, filter " << c.id;
  }
}

// 3 x 3 of (10, 10, 10) with (200, 100, 40) in the middle: the neighbourhood rules and
// their clamping at the border.
std::vector<std::uint8_t> Spot() {
  auto px = Plain(3, 3, {10, 10, 10});
  Set(px, 3, 1, 1, {200, 100, 40});
  return px;
}

TEST(FilterRulesTest, SharpenOnASpot) {
  auto px = Spot();
  RunFilter(px, 3, 3, 4);
  const Rgb black{0, 0, 0}, bg{10, 10, 10};
  const Rgb expected[3][3] = {{bg, black, bg}, {black, {255, 255, 100}, black}, {bg, black, bg}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(At(px, 3, x, y), expected[y][x]) << x << "," << y;
}

TEST(FilterRulesTest, AntialiasSmoothsOnlyChannelsWithAStep) {
  auto px = Spot();
  RunFilter(px, 3, 3, 5);  // limit 255 - 128 = 127: only red (step 190) is smoothed
  const Rgb bg{10, 10, 10}, side{48, 10, 10};
  const Rgb expected[3][3] = {{bg, side, bg}, {side, {48, 100, 40}, side}, {bg, side, bg}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(At(px, 3, x, y), expected[y][x]) << x << "," << y;
}

TEST(FilterRulesTest, GlowingEdgeReadsTheLowerRightNeighbour) {
  auto px = Spot();
  RunFilter(px, 3, 3, 21);
  const Rgb bg{10, 10, 10};
  const Rgb expected[3][3] = {{{0, 0, 17}, bg, bg}, {bg, {255, 153, 32}, bg}, {bg, bg, bg}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(At(px, 3, x, y), expected[y][x]) << x << "," << y;
}

TEST(FilterRulesTest, SaturationLeavesPixelsWithTwoEqualChannels) {
  for (int p : {0, 60, 200, 255}) {
    for (Rgb c : {Rgb{100, 100, 20}, Rgb{7, 90, 90}, Rgb{33, 200, 33}}) {
      auto px = Plain(1, 1, c);
      RunFilter(px, 1, 1, 1, {p});
      EXPECT_EQ(At(px, 1, 0, 0), c) << p;
    }
  }
}

TEST(FilterRulesTest, QuantizeShifts) {
  struct Case { int p; int expected; };
  // Channel 255: shift 0 keeps it, 5 keeps three bits, 6 (from 220 up) keeps two.
  for (Case c : {Case{0, 255}, Case{36, 255}, Case{37, 254}, Case{219, 224}, Case{220, 192}, Case{255, 192}}) {
    auto px = Plain(1, 1, {255, 255, 255});
    RunFilter(px, 1, 1, 9, {c.p, c.p, c.p});
    EXPECT_EQ(At(px, 1, 0, 0), (Rgb{c.expected, c.expected, c.expected})) << c.p;
  }
}

TEST(FilterRulesTest, MosaicsWithSizeZero) {
  const auto original = Noise(9, 7, 3);
  auto px = original;
  RunFilter(px, 9, 7, 24, {0});  // Mosaic 3: blocks of one pixel
  EXPECT_EQ(px, original);

  px = original;
  RunFilter(px, 9, 7, 26, {0});  // hard mosaic: blocks raised to 1, all grid lines
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x) EXPECT_EQ(At(px, 9, x, y), (Rgb{0, 0, 0}));
  for (std::size_t i = 3; i < px.size(); i += 4) ASSERT_EQ(px[i], original[i]);
}

TEST(FilterRulesTest, HardMosaicTakesBlockCentres) {
  // Size 128 on a 4 x 4 image: blocks of 2, grid on even rows and columns, the rest from
  // the block centre (x - u + 1, y - v + 1).
  auto px = Noise(4, 4, 5);
  const auto original = px;
  RunFilter(px, 4, 4, 26, {128});
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      const Rgb expected = (x % 2 && y % 2) ? At(original, 4, x, y) : Rgb{0, 0, 0};
      EXPECT_EQ(At(px, 4, x, y), expected) << x << "," << y;
    }
}

TEST(FilterRulesTest, OceanicMultipliesWithWrapAround) {
  // d = 896, e = 1195; at (1199, 899) the product d e y x wraps to -1216043904, half of
  // it gives Cos512 = -473 and g = 9 (without the wrap g would be 5).
  auto px = Plain(1200, 900, {100, 50, 20});
  RunFilter(px, 1200, 900, 22, {255});
  EXPECT_EQ(At(px, 1200, 1199, 899), (Rgb{153, 103, 31}));
}

TEST(FilterRulesTest, AgedPhotoNoiseFollowsTheSharedGenerator) {
  // 2 x 2: the half diagonal is 1, so there is no fading. Draws in order: T[255], T[0],
  // T[255], T[1], T[255], T[255]; with seed 1 that is -18, 1, ..., 6, ..., -1.
  auto px = Plain(2, 2, {100, 50, 20});
  SeedRandom(1);
  CFilterFactory factory;
  ASSERT_TRUE(factory.SetImage(px.data(), 2, 2));
  factory.SelectFilter(12);
  factory.ApplyFilter();
  EXPECT_EQ(At(px, 2, 0, 0), (Rgb{110, 74, 44}));  // 93 - 1 + 18
  EXPECT_EQ(At(px, 2, 1, 0), (Rgb{98, 62, 32}));
  EXPECT_EQ(At(px, 2, 0, 1), (Rgb{89, 53, 23}));
  EXPECT_EQ(At(px, 2, 1, 1), (Rgb{88, 52, 22}));
  EXPECT_EQ(factory.Scratch()[0], 1);
  EXPECT_EQ(factory.Scratch()[1], 6);
  EXPECT_EQ(factory.Scratch()[255], -1);

  // The scratch table outlives runs of other filters and new images.
  factory.SelectFilter(0);
  factory.ApplyFilter();
  auto other = Plain(5, 5, {1, 2, 3});
  ASSERT_TRUE(factory.SetImage(other.data(), 5, 5));
  EXPECT_EQ(factory.Scratch()[1], 6);
  EXPECT_EQ(factory.Scratch()[255], -1);
}

TEST(FilterRulesTest, AgedPhotoRepeatsUnderTheSameSeed) {
  auto a = Noise(300, 4, 9);  // wider than 255: columns 255 apart share their scratch
  auto b = a;
  SeedRandom(77);
  RunFilter(a, 300, 4, 12);
  SeedRandom(77);
  RunFilter(b, 300, 4, 12);
  EXPECT_EQ(a, b);
  auto c = Noise(300, 4, 9);
  SeedRandom(78);
  RunFilter(c, 300, 4, 12);
  EXPECT_NE(a, c);
}

TEST(FilterRulesTest, EveryRunStartsFromTheUnfilteredCopy) {
  for (int id = 0; id < 27; ++id) {
    auto px = Noise(11, 9, static_cast<unsigned>(id));
    const auto original = px;
    CFilterFactory factory;
    ASSERT_TRUE(factory.SetImage(px.data(), 11, 9));
    factory.SelectFilter(id);
    SeedRandom(5);
    factory.ApplyFilter();
    const auto first = px;
    SeedRandom(5);
    factory.ApplyFilter();
    EXPECT_EQ(px, first) << "filter " << id;
    for (std::size_t i = 3; i < px.size(); i += 4) ASSERT_EQ(px[i], original[i]) << "alpha, filter " << id;
  }
}

TEST(FilterRulesTest, NothingHappensWithoutAnImage) {
  CFilterFactory factory;
  factory.ApplyFilter();  // no image: must not touch anything
  std::uint8_t pixel[4] = {1, 2, 3, 4};
  EXPECT_FALSE(factory.SetImage(pixel, 0, 1));
  factory.ApplyFilter();
  EXPECT_EQ(pixel[0], 1);
}

TEST(FilterRulesTest, TheTerminatingEntryOnlyRestoresTheImage) {
  auto px = Noise(5, 4, 1);
  const auto original = px;
  CFilterFactory factory;
  ASSERT_TRUE(factory.SetImage(px.data(), 5, 4));
  factory.SelectFilter(0);
  factory.ApplyFilter();
  ASSERT_NE(px, original);
  factory.SelectFilter(27);
  factory.ApplyFilter();
  EXPECT_EQ(px, original);
}

TEST(FilterRulesTest, RunsOnA32BitBitmapInItsStoredRowOrder) {
  // Glowing Edge reads the next stored row: in a bitmap stored bottom row first that is
  // the image row above.
  CDIBSection bitmap;
  bitmap.Create(1, 2);
  bitmap.Row(0)[2] = 200;  // top row, red
  bitmap.Row(1)[2] = 10;   // bottom row (stored first), red
  CFilterFactory factory;
  ASSERT_TRUE(factory.SetImage(bitmap));
  factory.SelectFilter(21);
  factory.SetParam(0, 128);  // red: Mix(v, next, 128, 256) = (v + next) / 2
  factory.SetParam(1, 256);
  factory.ApplyFilter();
  EXPECT_EQ(bitmap.Row(1)[2], 105);  // (10 + 200) / 2 from the row above it
  EXPECT_EQ(bitmap.Row(0)[2], 200);  // the last stored row reads itself

  CDIBSection eight;
  eight.Create(4, 4, 8);
  EXPECT_FALSE(factory.SetImage(eight));
  factory.ApplyFilter();  // detached: nothing happens
  EXPECT_EQ(bitmap.Row(1)[2], 105);
}

// Ours against the pixel-at-a-time reference on random images, sizes and parameters.
TEST(FilterRulesTest, MatchesTheReferenceOnRandomInputs) {
  struct Size { int w, h; };
  const Size sizes[] = {{1, 1}, {1, 6}, {7, 1}, {2, 3}, {13, 11}, {40, 17}, {260, 3}, {70, 45}};
  std::mt19937 rng(2024);
  for (int id = 0; id < 27; ++id) {
    for (const Size& s : sizes) {
      for (int trial = 0; trial < 4; ++trial) {
        std::array<int, 8> P{};
        CFilterFactory factory;
        factory.SelectFilter(id);
        for (int i = 0; i < 8; ++i) {
          // Trial 0 uses the defaults; the others random values with the extremes often.
          const int r = static_cast<int>(rng() % 300);
          P[static_cast<std::size_t>(i)] =
              trial == 0 ? factory.GetParam(i) : r < 20 ? 0 : r < 40 ? 255 : r % 256;
          factory.SetParam(i, P[static_cast<std::size_t>(i)]);
        }
        auto ours = Noise(s.w, s.h, rng());
        auto expected = ours;
        std::array<std::int32_t, 256> T{};
        ASSERT_TRUE(factory.SetImage(ours.data(), s.w, s.h));
        SeedRandom(static_cast<std::uint32_t>(trial));
        factory.ApplyFilter();
        SeedRandom(static_cast<std::uint32_t>(trial));
        reference::ApplyFilter(id, P.data(), expected, s.w, s.h, T.data());
        ASSERT_EQ(ours, expected) << "filter " << id << " at " << s.w << " x " << s.h
                                  << ", trial " << trial;
      }
    }
  }
}

// Parameters only ever come from 0..255 sliders, but nothing may go undefined or crash
// when a caller passes anything else: the arithmetic wraps, shifts are taken modulo 32 and
// divisions by zero give 0.
TEST(FilterRulesTest, ExtremeParametersStayDefined) {
  const int extremes[] = {std::numeric_limits<int>::min(), -100000, -1, 256, 70000,
                          std::numeric_limits<int>::max()};
  std::mt19937 rng(99);
  for (int id = 0; id < 27; ++id) {
    for (int trial = 0; trial < 8; ++trial) {
      std::array<int, 8> P{};
      CFilterFactory factory;
      factory.SelectFilter(id);
      for (int i = 0; i < 8; ++i) {
        P[static_cast<std::size_t>(i)] = extremes[rng() % std::size(extremes)];
        factory.SetParam(i, P[static_cast<std::size_t>(i)]);
      }
      auto ours = Noise(6, 5, rng());
      auto expected = ours;
      std::array<std::int32_t, 256> T{};
      ASSERT_TRUE(factory.SetImage(ours.data(), 6, 5));
      SeedRandom(3);
      factory.ApplyFilter();
      SeedRandom(3);
      reference::ApplyFilter(id, P.data(), expected, 6, 5, T.data());
      ASSERT_EQ(ours, expected) << "filter " << id << ", trial " << trial;
    }
  }
}

}  // namespace
}  // namespace lumi
