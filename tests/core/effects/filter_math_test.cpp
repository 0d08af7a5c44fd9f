// The shared numeric helpers of filters and colour genes, on worked values.
#include "effects/filter_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/runtime_random.h"

namespace lumi::fx {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(FilterMathTest, IntegersWrapAndDivideTowardZero) {
  EXPECT_EQ((Int(kMax) + 1).v, kMin);
  EXPECT_EQ((Int(kMin) - 1).v, kMax);
  EXPECT_EQ((Int(65536) * 65536).v, 0);
  EXPECT_EQ((Int(100000) * 100000).v, 1410065408);  // 10^10 mod 2^32
  EXPECT_EQ((-Int(kMin)).v, kMin);
  EXPECT_EQ((Int(-7) / 2).v, -3);
  EXPECT_EQ((Int(-7) % 3).v, -1);
  EXPECT_EQ((Int(7) % -3).v, 1);
  EXPECT_EQ((Int(kMin) / -1).v, kMin);
  EXPECT_EQ((Int(kMin) % -1).v, 0);
  EXPECT_EQ((Int(5) / 0).v, 0);
  EXPECT_EQ((Int(255) << 6).v, 16320);
  EXPECT_EQ((Int(-256) >> 8).v, -1);
  EXPECT_EQ((Int(100) | Int(-79)).v, -11);
}

// Aged Photo draws its noise from Rand(-P / 2, P / 2). With P = INT_MIN both bounds are
// INT_MIN / 2, as -INT_MIN wraps to INT_MIN. GCC 12 once turned -P / 2 into -(P / 2) here.
[[gnu::noinline]] void ExpectBothHalves(Int lo, Int hi) {
  EXPECT_EQ(lo.v, kMin / 2);
  EXPECT_EQ(hi.v, kMin / 2);
}

TEST(FilterMathTest, NegatedSmallestIntegerDividesLikeItself) {
  volatile std::int32_t source = kMin;  // not a constant the compiler can see through
  const Int p = source;
  ExpectBothHalves(-p / 2, p / 2);
  EXPECT_EQ((Abs(p) / 2).v, kMin / 2);
}

TEST(FilterMathTest, TruncGoesTowardZeroAndOutOfRangeIsIndefinite) {
  EXPECT_EQ(Trunc(2.9).v, 2);
  EXPECT_EQ(Trunc(-2.9).v, -2);
  EXPECT_EQ(Trunc(3e9).v, kMin);
  EXPECT_EQ(Trunc(-3e9).v, kMin);
  EXPECT_EQ(Trunc(std::nan("")).v, kMin);
  EXPECT_EQ(Trunc(2147483647.5).v, kMax);
}

TEST(FilterMathTest, MapSpreadsAParameterOverARange) {
  struct Case { int p, lo, hi, expected; };
  const Case cases[] = {
      {0, 0, 7, 0},      {219, 0, 7, 5},     {220, 0, 7, 6},  {255, 0, 7, 6},
      {74, 255, 1, 181}, {255, 255, 1, 1},   {0, 255, 1, 255}, {128, -128, 128, 0},
      {29, -128, 128, -99}, {180, -20, 20, 8}, {60, 255, -255, 135},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Map(c.p, c.lo, c.hi).v, c.expected) << c.p << " " << c.lo << ".." << c.hi;
}

TEST(FilterMathTest, MixAndRemap) {
  EXPECT_EQ(Mix(7, 100, 3, 0).v, 7);                // d = 0 gives a
  EXPECT_EQ(Mix(100, -11, 1, 4).v, 16);             // 25 - 8.25
  EXPECT_EQ(Mix(10, 40, 128, 168).v, 17);           // 7.62 + 9.52
  EXPECT_EQ(Mix(-200, 0, 128, 255).v, -100);        // truncation toward zero
  EXPECT_EQ(Remap(5, 3, 3, 0, 77).v, 77);           // empty source range gives hi
  EXPECT_EQ(Remap(50, 20, 100, 12, 108).v, 48);     // 96 / 80 x 30 + 12
  EXPECT_EQ(Remap(61, 0, 255, 0, 324).v, 77);
  EXPECT_EQ(Remap(-100, 0, 10, 0, 1).v, -10);
}

TEST(FilterMathTest, SinesAndAnglesIn1024UnitsPerTurn) {
  EXPECT_EQ(Sin512(0).v, 0);
  EXPECT_EQ(Sin512(256).v, 512);
  EXPECT_EQ(Sin512(128).v, 362);
  EXPECT_EQ(Sin512(768).v, -512);
  EXPECT_EQ(Cos512(0).v, 512);
  EXPECT_EQ(Cos512(512).v, -512);
  EXPECT_EQ(Angle(0, 0).v, 0);
  EXPECT_EQ(Angle(1, 0).v, 0);
  EXPECT_EQ(Angle(0, 1).v, 256);
  EXPECT_EQ(Angle(-1, 0).v, 512);
  EXPECT_EQ(Angle(0, -1).v, -256);
  EXPECT_EQ(Dist(3, 4).v, 5);
  EXPECT_EQ(Dist(1, 1).v, 1);
  EXPECT_EQ(Dist(-60000, 0).v, 60000);  // no overflow in the squares
}

TEST(FilterMathTest, LumAndFold) {
  EXPECT_EQ(Lum(255, 255, 255).v, 254);
  EXPECT_EQ(Lum(100, 50, 20).v, 61);
  EXPECT_EQ(Fold(255).v, 255);
  EXPECT_EQ(Fold(256).v, 255);
  EXPECT_EQ(Fold(300).v, 211);
  EXPECT_EQ(Fold(511).v, 0);
  EXPECT_EQ(Fold(512).v, 0);
  EXPECT_EQ(Fold(-1).v, 0);
}

TEST(FilterMathTest, RandDrawsOnceFromTheSharedGenerator) {
  // Seed 1: the generator's first values are 41, 18467, 6334.
  SeedRandom(1);
  EXPECT_EQ(Rand(0, 32767).v, 41);
  EXPECT_EQ(Rand(-10, 10).v, 1);   // -10 + trunc(18467 / 32767 x 20 + 0.5) = -10 + 11
  EXPECT_EQ(Rand(5, 5).v, 5);      // still draws
  EXPECT_EQ(lumi::Rand(), 26500);  // the fourth value
}

}  // namespace
}  // namespace lumi::fx
