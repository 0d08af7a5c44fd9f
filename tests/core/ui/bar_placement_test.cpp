// Bar placement arithmetic: a saved floating position kept on the screen, the fix-up of
// a docked bar hanging below the screen, and the free-memory pane's figure.
#include <gtest/gtest.h>

#include "ui/bar_placement.h"

namespace lumi {
namespace {

TEST(BarPlacement, SavedPositionIsKeptOnTheScreen) {
  struct Case { Point saved; Point expected; };
  const Case cases[] = {
      {{5000, 5000}, {1024 - 32, 768 - 32}},  // far off: the icon's size from the corner
      {{-40, 100}, {0, 100}},                 // left of the screen
      {{300, -1}, {300, 0}},                  // the "never saved" default
      {{992, 736}, {992, 736}},               // exactly the limit
  };
  for (const Case& c : cases) {
    const Point p = ClampToScreen(c.saved, 1024, 768, 32, 32);
    EXPECT_EQ(p, c.expected) << c.saved.x << "," << c.saved.y;
  }
  // A screen smaller than the icon still puts the bar at 0, not at a negative place.
  EXPECT_EQ(ClampToScreen({50, 50}, 20, 20, 32, 32), (Point{0, 0}));
}

TEST(BarPlacement, DockedBarHangingBelowTheScreenFloats) {
  // Screen 1024 x 768: the limit is 738.
  EXPECT_FALSE(FloatPositionForOverhangingBar({800, 400, 1024, 738}, 1024, 768));
  const auto moved = FloatPositionForOverhangingBar({800, 600, 1024, 800}, 1024, 768);
  ASSERT_TRUE(moved);
  EXPECT_EQ(*moved, (Point{1024 - 248, 600 - 62}));
}

TEST(BarPlacement, DockedBarAwayFromTheRightEdgeDocksThereAgain) {
  // Screen width 1024: a right edge left of 994 goes back to the right side.
  const struct {
    int right;
    bool again;
  } cases[] = {{993, true}, {994, false}, {1024, false}, {500, true}};
  for (const auto& c : cases) {
    EXPECT_EQ(DocksAgainOnTheRight({c.right - 200, 100, c.right, 300}, 1024), c.again) << c.right;
  }
}

TEST(BarPlacement, AttributeBarsInStackingOrder) {
  const auto& bars = AttributeBars();
  EXPECT_EQ(bars[0].section, "BarColor");
  EXPECT_EQ(bars[1].section, "BarTransp");
  EXPECT_EQ(bars[2].section, "BarBevel");
  EXPECT_EQ(bars[3].section, "BarDrop");
  EXPECT_EQ(bars[0].title, "Color & Texture");
  EXPECT_EQ(bars[3].title, "Effect");
}

TEST(FreeMemory, TextInWholeKilobytesFromMeminfo) {
  EXPECT_EQ(FreeMemoryText(1023), "Mem:0 KB");
  EXPECT_EQ(FreeMemoryText(5ull * 1024 * 1024 * 1024 + 1023), "Mem:5242880 KB");
  const char* meminfo =
      "MemTotal:       16314380 kB\nMemFree:         1200000 kB\nMemAvailable:    8123456 kB\n";
  EXPECT_EQ(MemAvailableBytes(meminfo), 8123456ull * 1024);
  EXPECT_FALSE(MemAvailableBytes("MemTotal: 5 kB\n"));
  EXPECT_FALSE(MemAvailableBytes("XMemAvailable: 5 kB\n"));
  EXPECT_FALSE(MemAvailableBytes("MemAvailable:   kB\n"));
}

}  // namespace
}  // namespace lumi
