// The preview size and "Random" of the colour tweak window, and the colour shift.
#include "effects/colour_tweak.h"

#include <gtest/gtest.h>

#include "base/runtime_random.h"

namespace lumi {
namespace {

TEST(ColourTweakTest, PreviewSize) {
  struct Case { int w, h, fw, fh, ew, eh; };
  const Case cases[] = {
      {1000, 500, 250, 200, 250, 125},  // divided by 4
      {100, 80, 250, 200, 100, 80},     // smaller than the frame: as it is
      {250, 80, 250, 200, 250, 80},     // as wide as the frame: divided by 1
      {300, 100, 250, 200, 250, 83},    // divided by 1.2, truncated
      {10000, 1, 250, 200, 250, 1},     // never below one pixel
  };
  for (const Case& c : cases) {
    const PreviewSize s = ColourTweakPreviewSize(c.w, c.h, c.fw, c.fh);
    EXPECT_EQ(s.width, c.ew) << c.w << " x " << c.h;
    EXPECT_EQ(s.height, c.eh) << c.w << " x " << c.h;
  }
}

TEST(ColourTweakTest, RandomDrawsEightSliderPositions) {
  // Seed 1: the generator gives 41, 18467, 6334, 26500, 19169, 15724, 11478, 29358.
  SeedRandom(1);
  const std::array<int, 8> expected = {0, 144, 49, 206, 149, 122, 89, 228};
  EXPECT_EQ(RandomSliderValues(), expected);
}

TEST(ColourTweakTest, ShiftColourClampsEachChannel) {
  EXPECT_EQ(ShiftColour(RGB(230, 10, 10), RGB(100, 0, 0), RGB(150, 0, 0)), RGB(255, 10, 10));
  EXPECT_EQ(ShiftColour(RGB(30, 200, 90), RGB(50, 0, 100), RGB(0, 40, 120)), RGB(0, 240, 110));
}

}  // namespace
}  // namespace lumi
