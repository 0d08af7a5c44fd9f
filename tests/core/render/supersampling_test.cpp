// Supersampling factors and the outline inset, from the worked examples.
#include "render/supersampling.h"

#include <gtest/gtest.h>

namespace lumi {
namespace {

// Edge qualities: 1 Hard Edge, 2 Anti-Alias, 3 Super Smooth, 4 Extreme.
TEST(Supersampling, ShapesUseTheBaseFactorPlusOneWhenTiny) {
  struct Case {
    int quality, w, h, f;
  };
  const Case cases[] = {{2, 5, 5, 3},   {2, 5, 12, 2}, {1, 5, 5, 1},
                        {3, 9, 9, 4},            {3, 10, 9, 3},          {4, 1700, 1500, 4},
                        {4, 1, 1, 5}};
  for (const Case& c : cases)
    EXPECT_EQ(ShapeSupersampling(c.quality, c.w, c.h), c.f) << c.quality << " " << c.w << "x" << c.h;
}

TEST(Supersampling, PolynomesAndTextByHeightAndLineHeight) {
  struct Case {
    int quality, w, h;
    bool live;
    int lines, f;
  };
  const Case cases[] = {
      {3, 50, 100, false, 1, 10},   // q + 7
      {3, 50, 150, false, 1, 8},    // 150 high: q + 5
      {3, 50, 250, false, 1, 5},    // 250 high: q + 2
      {4, 50, 50, false, 1, 11},    // the largest factor
      {1, 50, 50, true, 1, 1},      // Hard Edge text
      {3, 400, 600, true, 1, 2},    // one line 600 high: at most 2
      {3, 400, 600, false, 1, 5},   // the line rules are for live text only
      {4, 100, 600, true, 2, 6},    // two lines of 300: not above 300
      {4, 100, 602, true, 2, 3},    // two lines of 301
      {3, 100, 1300, true, 3, 2},   // lines of 433, but the box is above 1200
      {3, 100, 2600, true, 9, 1},   // above 2500
      {3, 2300, 100, true, 1, 2},   // wider than 2200
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PolynomeSupersampling(c.quality, c.w, c.h, c.live, c.lines), c.f)
        << "q" << c.quality << " " << c.w << "x" << c.h << (c.live ? " text" : "") << " "
        << c.lines << " lines";
  }
}

TEST(Supersampling, OutlineBevelsInsetClosedOutlinesOnly) {
  EXPECT_EQ(OutlineInset(7, 8, true), 12);
  EXPECT_EQ(OutlineInset(7, 9, true), 13);
  EXPECT_EQ(OutlineInset(9, 9, true), 4);
  EXPECT_EQ(OutlineInset(7, 8, false), 0);
  EXPECT_EQ(OutlineInset(3, 8, true), 0);
}

}  // namespace
}  // namespace lumi
