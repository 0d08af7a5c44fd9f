// The integer helpers of the gradients and transparency ramps against values worked out
// by hand. The fill reference uses these same helpers, so comparing with it cannot catch
// a fault in them; this does.
#include "render/fill_math.h"

#include <gtest/gtest.h>

#include <limits>

namespace lumi {
namespace {

TEST(FillMath, TruncationTowardZeroSaturatesAndMapsNotANumberToZero) {
  constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
  const struct {
    double in;
    int out;
  } cases[] = {{2.9, 2}, {-2.9, -2}, {0.0, 0}, {1e12, kMax}, {-1e12, kMin},
               {std::numeric_limits<double>::quiet_NaN(), 0}};
  for (const auto& c : cases) EXPECT_EQ(TruncToInt(c.in), c.out) << c.in;
  EXPECT_EQ(TruncToInt64(-7.5), -7);
  EXPECT_EQ(TruncToInt64(1e19), std::numeric_limits<std::int64_t>::max());
}

TEST(FillMath, LerpInterpolatesExtrapolatesAndTruncates) {
  const struct {
    std::int64_t x, x0, x1;
    int y0, y1, out;
  } cases[] = {
      {5, 0, 10, 0, 100, 50},     // midway
      {15, 0, 10, 0, 100, 150},   // beyond the end
      {1, 0, 3, 0, 10, 3},        // 3.33 truncated
      {1, 0, 3, 0, -10, -3},      // -3.33 truncated toward zero
      {3, 4, 4, 7, 9, 9},         // equal x: the end value
  };
  for (const auto& c : cases) EXPECT_EQ(Lerp(c.x, c.x0, c.x1, c.y0, c.y1), c.out) << c.x;
}

// A 10 x 10 object has its centre at (5, 5); angles are in 1/1024 turns, y downwards in
// memory rows.
TEST(FillMath, AnglesDistancesAndProjections) {
  EXPECT_EQ(PixelAngle(10, 5, 10, 10), 0);      // straight right
  EXPECT_EQ(PixelAngle(5, 10, 10, 10), 256);    // a quarter turn
  EXPECT_EQ(PixelAngle(0, 0, 10, 10), -384);    // three eighths the other way
  EXPECT_EQ(PixelAngle(9, 8, 10, 10), 104);     // atan2(3, 4) = 104.87
  EXPECT_EQ(Dist(8, 9, 10, 10), 5);             // the 3-4-5 triangle
  EXPECT_EQ(Dist(5, 5, 10, 10), 0);
  EXPECT_EQ(Project(0, 10, 20), 20);            // along the ramp: d + len / 2
  EXPECT_EQ(Project(512, 10, 20), 0);           // against it
  EXPECT_EQ(Project(256, 10, 20), 10);          // across it: the middle
  EXPECT_EQ(Project(100, 7, 30), 20);           // cos(100/1024 turn) x 7 + 15 = 20.72
}

}  // namespace
}  // namespace lumi
