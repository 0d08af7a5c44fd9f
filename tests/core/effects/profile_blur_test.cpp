#include "effects/profile_blur.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <utility>
#include <vector>

#include "base/runtime_random.h"
#include "base/parallel_render.h"
#include "blur_reference.h"

namespace lumi {
namespace {

using Map = std::vector<std::uint8_t>;

Map RandomMap(std::mt19937& rng, int w, int h) {
  Map m(static_cast<std::size_t>(w) * h);
  // Mostly shapes (flat runs with soft edges) with some noise, like coverage masks.
  const int style = rng() % 3;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      std::uint8_t v;
      if (style == 0) v = rng() & 255;
      else if (style == 1) v = (x * 7 + y * 3) % 50 < 30 ? 255 : 0;
      else v = (std::abs(x - w / 2) + std::abs(y - h / 2) < (w + h) / 4) ? 255 : rng() % 2 * 128;
      m[static_cast<std::size_t>(y) * w + x] = v;
    }
  }
  return m;
}

Map Uniform(int w, int h, int v) { return Map(static_cast<std::size_t>(w) * h, v); }

TEST(CProfileBlur, KernelHasTwoNPlusOneNormalisedTaps) {
  struct Case { double sigma; std::size_t taps; };
  const Case cases[] = {{2, 15}, {1, 11}, {0.5, 9}, {2.6666666, 17}, {10, 47}, {30, 127}};
  for (const Case& c : cases) {
    const std::vector<float> k = CProfileBlur::Kernel(c.sigma);
    ASSERT_EQ(k.size(), c.taps) << c.sigma;
    double sum = 0;
    for (float w : k) sum += w;
    EXPECT_NEAR(sum, 1.0, 1e-5) << c.sigma;
    EXPECT_EQ(k.front(), k.back()) << c.sigma;
    EXPECT_GT(k[c.taps / 2], k[c.taps / 2 - 1]) << c.sigma;
  }
  EXPECT_TRUE(CProfileBlur::Kernel(0).empty());
  EXPECT_TRUE(CProfileBlur::Kernel(std::nan("")).empty());
}

TEST(CProfileBlur, SigmaZeroOrNotANumberLeavesTheMapAlone) {
  // Not even the profile pass runs: mode 8 would double every value.
  std::mt19937 rng(3);
  const Map original = RandomMap(rng, 13, 9);
  for (double sigma : {0.0, std::nan("")}) {
    Map m = original;
    CProfileBlur(CProfileBlur::kDouble).Apply(m.data(), 13, 9, sigma);
    EXPECT_EQ(m, original);
  }
}

TEST(CProfileBlur, SamplesOutsideTheMapCountZero) {
  // A white map darkens towards its edges and corners; its centre stays near white.
  Map m = Uniform(41, 41, 255);
  CProfileBlur().Apply(m.data(), 41, 41, 2);
  const int centre = m[20 * 41 + 20], edge = m[20 * 41 + 0], corner = m[0];
  // Two truncated float sums leave a white interior just below white.
  EXPECT_GE(centre, 253);
  EXPECT_GT(edge, 140);
  EXPECT_LT(edge, 190);
  EXPECT_LT(corner, edge);
}

TEST(CProfileBlur, HaloRingsPeakAt99) {
  // Mode 9 on flat maps (the 3 x 3 average of a flat map is its value): averages 1..63
  // and 128..191 become arches peaking at 99, the rest 0.
  int peak_low = 0, peak_high = 0;
  for (int v = 0; v < 256; ++v) {
    Map m = Uniform(3, 3, v);
    CProfileBlur(CProfileBlur::kRings).ApplyProfile(m.data(), 3, 3);
    const int out = m[4];
    const bool in_arch = (v >= 1 && v <= 63) || (v >= 128 && v <= 191);
    if (in_arch) {
      EXPECT_GT(out, 0) << v;
    } else {
      EXPECT_EQ(out, 0) << v;
    }
    if (v < 128) peak_low = std::max(peak_low, out);
    else peak_high = std::max(peak_high, out);
  }
  EXPECT_EQ(peak_low, 99);
  EXPECT_EQ(peak_high, 99);
}

TEST(CProfileBlur, ProfileCurvesOnFlatMaps) {
  struct Case { int mode; int in; int out; };
  const Case cases[] = {
      {0, 77, 77},   {6, 200, 200}, {7, 3, 3},
      {1, 0, 0},     {1, 128, 127}, {1, 255, 255},  // v - 50 cos(0.7 v degrees)
      {2, 255, 255}, {2, 0, 0},                     // v - 50 sin(2.82 (255 - v) degrees)
      {4, 180, 180}, {4, 181, 179}, {4, 255, 105},  // saucer folds above 180
      {5, 210, 210}, {5, 211, 208}, {5, 229, 172},  // the frame ridge 211..229
      {5, 230, 170}, {5, 255, 195},
      {8, 100, 200}, {8, 128, 255},
      {42, 90, 90},                                 // unknown modes keep the average
  };
  for (const Case& c : cases) {
    Map m = Uniform(4, 3, c.in);
    CProfileBlur(c.mode).ApplyProfile(m.data(), 4, 3);
    EXPECT_EQ(m[5], c.out) << "mode " << c.mode << " value " << c.in;
  }
}

TEST(CProfileBlur, ProfileAverageClampsCoordinates) {
  // A single bright corner pixel counts four times in the corner's own average.
  Map m = Uniform(5, 4, 0);
  m[0] = 90;
  CProfileBlur().ApplyProfile(m.data(), 5, 4);
  EXPECT_EQ(m[0], 40);      // 4 x 90 / 9
  EXPECT_EQ(m[1], 20);      // 2 x 90 / 9
  EXPECT_EQ(m[5 + 1], 10);  // 90 / 9
  EXPECT_EQ(m[2], 0);
}

TEST(CProfileBlur, NoiseFollowsTheSeedAndDiffersBetweenDraws) {
  std::mt19937 rng(5);
  const Map original = RandomMap(rng, 31, 17);
  auto noisy = [&](std::uint32_t seed) {
    Map m = original;
    SeedRandom(seed);
    CProfileBlur(CProfileBlur::kNoise).Apply(m.data(), 31, 17, 2);
    return m;
  };
  const Map a = noisy(11), b = noisy(11), c = noisy(12);
  EXPECT_EQ(a, b);
  EXPECT_NE(a, c);
  // Without seeding again, the next surface differs from the last one.
  Map d = original;
  CProfileBlur(CProfileBlur::kNoise).Apply(d.data(), 31, 17, 2);
  EXPECT_NE(d, c);
}

class CProfileBlurPaths : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { CProfileBlur::UseNarrowVectors(GetParam()); }
  void TearDown() override { CProfileBlur::UseNarrowVectors(false); }
};

INSTANTIATE_TEST_SUITE_P(VectorWidths, CProfileBlurPaths, ::testing::Values(false, true));

TEST_P(CProfileBlurPaths, EqualsTheReferenceOnRandomMaps) {
  std::mt19937 rng(1);
  CProfileBlur blur;  // one object: its buffers are reused across sizes
  for (int sigma = 0; sigma <= 30; ++sigma) {
    for (int trial = 0; trial < 3; ++trial) {
      const int w = 1 + 2 * (rng() % 60), h = 1 + 2 * (rng() % 45);  // odd sizes
      const int mode = rng() % 10;
      const Map original = RandomMap(rng, w, h);
      Map ours = original, ref = original;
      blur.SetMode(mode);
      SeedRandom(99);
      blur.Apply(ours.data(), w, h, sigma);
      SeedRandom(99);
      reference::ProfileBlur(ref.data(), w, h, sigma, mode);
      ASSERT_EQ(ours, ref) << "sigma " << sigma << " mode " << mode << " " << w << "x" << h;
    }
  }
}

TEST_P(CProfileBlurPaths, EqualsTheReferenceForRealAndOddSigmas) {
  std::mt19937 rng(2);
  for (double sigma : {0.3, 1.0, 8.0 / 3, 6.5, 17.25, -1.0, -1.6, -2.0, 40.0}) {
    for (int mode = 0; mode < 10; ++mode) {
      const int w = 1 + rng() % 150, h = 1 + rng() % 120;
      const Map original = RandomMap(rng, w, h);
      Map ours = original, ref = original;
      SeedRandom(5);
      CProfileBlur(mode).Apply(ours.data(), w, h, sigma);
      SeedRandom(5);
      reference::ProfileBlur(ref.data(), w, h, sigma, mode);
      ASSERT_EQ(ours, ref) << "sigma " << sigma << " mode " << mode << " " << w << "x" << h;
    }
  }
}

// Large maps split their rows and strips across threads; odd sizes leave a partial strip.
TEST_P(CProfileBlurPaths, LargeMapsEqualTheReferenceAtEveryThreadCount) {
  std::mt19937 rng(3);
  const int w = 301, h = 263;
  const Map original = RandomMap(rng, w, h);
  for (int threads : {1, 2, 8}) {
    SetRenderThreadCount(threads);
    for (const auto& [sigma, mode] : {std::pair{2.0, 0}, std::pair{9.0, 4}, std::pair{5.5, 7}}) {
      Map ours = original, ref = original;
      SeedRandom(8);
      CProfileBlur(mode).Apply(ours.data(), w, h, sigma);
      SeedRandom(8);
      reference::ProfileBlur(ref.data(), w, h, sigma, mode);
      ASSERT_EQ(ours, ref) << threads << " threads, sigma " << sigma << " mode " << mode;
    }
  }
  SetRenderThreadCount(0);
}

TEST(CProfileBlur, HugeSigmaIsBoundedAndSafe) {
  Map m = Uniform(9, 7, 255);
  CProfileBlur().Apply(m.data(), 9, 7, 1e12);
  Map ref = Uniform(9, 7, 255);
  reference::ProfileBlur(ref.data(), 9, 7, CProfileBlur::kMaxSigma, 0);
  EXPECT_EQ(m, ref);
}

}  // namespace
}  // namespace lumi
