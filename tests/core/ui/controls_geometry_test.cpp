// The arithmetic behind the custom controls: the picker's colour field and zones, the colour
// slider's knob, value and track colour, the dial's angles, the shaded ring, the keyboard
// steps, the progress bar's tints and the cold look of bitmap buttons.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

#include "ui/button_images.h"
#include "ui/color_picker_layout.h"
#include "ui/color_slider_geometry.h"
#include "ui/hls_colour_field.h"
#include "ui/round_slider_geometry.h"
#include "ui/shaded_circle.h"
#include "ui/shaded_progress.h"
#include "ui/toolbar_commands.h"
#include "ui/value_steps.h"

namespace lumi {
namespace {

// A picker 384 x 102: hue = column degrees, lightness = row / 100.
constexpr int kColourFieldW = 384;
constexpr int kColourFieldH = 102;

TEST(ColourField, CellsFollowTheHlsModel) {
  struct Case { int column, row; COLORREF expected; };
  const Case cases[] = {
      {120, 50, RGB(0, 255, 0)},      // pure green at half lightness
      {30, 25, RGB(127, 63, 0)},      // m2 = 0.5: red 127.5 and green 63.75 truncated
      {200, 75, RGB(127, 212, 255)},  // L > 0.5: m1 = 0.5, green from the falling slope
      {0, 50, RGB(255, 0, 0)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ColourFieldColour(c.column, c.row, kColourFieldW, kColourFieldH), c.expected) << c.column << "," << c.row;
}

TEST(ColourField, TopRowNearlyBlackBottomRowWhite) {
  for (int column = 1; column <= kColourFieldW - 24; column += 37) {
    const COLORREF top = ColourFieldColour(column, 1, kColourFieldW, kColourFieldH);
    EXPECT_LE(std::max({GetRValue(top), GetGValue(top), GetBValue(top)}), 5) << column;
    EXPECT_EQ(ColourFieldColour(column, kColourFieldH - 2, kColourFieldW, kColourFieldH), RGB(255, 255, 255)) << column;
  }
}

TEST(PickerLayout, ZonesDependOnSingleColourMode) {
  struct Case { Point p; bool single; PickerZone expected; };
  const Case cases[] = {
      {{5, 5}, false, PickerZone::kFirstSwatch},   {{19, 14}, false, PickerZone::kFirstSwatch},
      {{5, 15}, false, PickerZone::kNone},         {{5, 20}, false, PickerZone::kSecondSwatch},
      {{5, 40}, false, PickerZone::kGeneButton},   {{30, 10}, false, PickerZone::kColourField},
      {{22, 10}, false, PickerZone::kNone},        {{5, 20}, true, PickerZone::kFirstSwatch},
      {{5, 40}, true, PickerZone::kFirstSwatch},   {{5, 0}, true, PickerZone::kNone},
      {{5, 49}, true, PickerZone::kNone},          // the single swatch ends at height - 1
  };
  for (const Case& c : cases)
    EXPECT_EQ(PickerZoneAt(c.p, c.single, 50), c.expected) << c.p.x << "," << c.p.y << " single " << c.single;
  EXPECT_EQ(PickerPickPoint({500, -4}, 200, 50), (Point{198, 1}));
  EXPECT_EQ(PickerPickPoint({0, 80}, 200, 50), (Point{23, 48}));
  EXPECT_EQ(GeneButtonPicture(2), 2);
  EXPECT_EQ(GeneButtonPicture(1), 1);
  EXPECT_EQ(GeneButtonPicture(7), 0);
}

TEST(SliderGeometry, KnobAtMinimumMiddleAndMaximum) {
  const SliderScale scale{0, 255, 100, 6};
  EXPECT_EQ(SliderKnobCentre(scale, 0), 6);
  EXPECT_EQ(SliderKnobCentre(scale, 128), 50);  // 6 + trunc(88 / 256 * 128)
  EXPECT_EQ(SliderKnobCentre(scale, 255), 93);  // one step short of the right end
  const SliderScale offset{-50, 49, 212, 6};
  EXPECT_EQ(SliderKnobCentre(offset, -50), 6);
  EXPECT_EQ(SliderKnobCentre(offset, 0), 106);
}

TEST(SliderGeometry, ValueUnderThePointerStaysInRange) {
  const SliderScale scale{0, 255, 100, 6};
  const std::pair<int, int> cases[] = {{-20, 0}, {6, 0}, {50, 128}, {93, 253}, {94, 255}, {400, 255}};
  for (auto [x, expected] : cases) EXPECT_EQ(SliderValueAt(scale, x), expected) << x;
  EXPECT_EQ(SliderValueAt(SliderScale{10, 20, 12, 6}, 50), 10);  // no room for the knob's travel
}

TEST(SliderGeometry, TrackColourPlainInvertedAndCentred) {
  const COLORREF base = RGB(200, 100, 0);
  struct Case { int min, max, pos; bool inverted, centred; COLORREF expected; };
  const Case cases[] = {
      {0, 255, 0, false, false, RGB(0, 0, 0)},
      {0, 255, 255, false, false, RGB(199, 99, 0)},  // t = trunc(255 / 256 * 255) = 254
      {0, 255, 255, true, false, RGB(0, 0, 0)},      // F = 1 / 255
      {0, 255, 0, true, false, base},
      {0, 200, 100, false, true, RGB(2, 1, 0)},      // t = 126: nearly black in the middle
      {0, 200, 0, false, true, base},
      {0, 200, 200, false, true, RGB(196, 98, 0)},   // t = 253: nearly the base at the maximum
  };
  for (const Case& c : cases)
    EXPECT_EQ(SliderTrackColour(base, c.min, c.max, c.pos, c.inverted, c.centred), c.expected)
        << c.pos << " inverted " << c.inverted << " centred " << c.centred;
}

TEST(SliderGeometry, TicksOfPlainAndCentredSliders) {
  std::set<int> plain, centred;
  for (const SliderTick& t : SliderTicks(100, false)) plain.insert(t.x);
  for (const SliderTick& t : SliderTicks(100, true)) centred.insert(t.x);
  EXPECT_EQ(plain, (std::set<int>{6, 28, 49, 72, 93}));
  EXPECT_EQ(centred, (std::set<int>{6, 49}));
}

TEST(ValueSteps, KeysMoveByLineAndPageAndWrap) {
  struct Case { StepKey key; int position, expected; SliderReport report; };
  const Case cases[] = {
      {StepKey::kPageUp, 5, 251, SliderReport::kPageUp},  // 5 - 10 wraps by 256
      {StepKey::kPageDown, 250, 4, SliderReport::kPageDown},
      {StepKey::kLeft, 0, 255, SliderReport::kLineUp},
      {StepKey::kUp, 7, 6, SliderReport::kLineUp},
      {StepKey::kRight, 255, 0, SliderReport::kLineDown},
      {StepKey::kDown, 7, 8, SliderReport::kLineDown},
  };
  for (const Case& c : cases) {
    const KeyStep step = StepByKey(c.key, c.position, 0, 255, 1, 10);
    EXPECT_EQ(step.new_position, c.expected) << c.position;
    EXPECT_EQ(step.report, c.report) << c.position;
  }
  EXPECT_EQ(StepByKey(StepKey::kPageUp, 2, 0, 3, 1, 10).new_position, 0);  // a page larger than the range
  EXPECT_EQ(WrapIntoRange(-1, 0, 0), 0);
}

TEST(DialGeometry, CircleInTheSmallerSide) {
  const DialGeometry g = DialGeometryFor(60, 44, 5);
  EXPECT_EQ(g.side, 44);
  EXPECT_EQ(g.centre, (Point{22, 22}));
  EXPECT_EQ(g.radius, 16);
}

TEST(DialGeometry, DisplayAngles) {
  const DialRange bar{0, 360, 270, false};
  EXPECT_EQ(DialDisplayAngle(bar, 0), 270);   // points left
  EXPECT_EQ(DialDisplayAngle(bar, 90), 359);  // 90 * 360 / 361 = 89, plus 270
  const DialRange mirrored{0, 360, 270, true};
  EXPECT_EQ(DialDisplayAngle(mirrored, 0), 90);  // points right
  const DialGeometry g{41, {20, 20}, 11};
  EXPECT_EQ(DialKnobCentre(g, 0), (Point{20, 10}));
  EXPECT_EQ(DialKnobCentre(g, 90), (Point{30, 20}));
  EXPECT_EQ(DialKnobCentre(g, 270), (Point{10, 20}));
}

TEST(DialGeometry, ValueAtTheCompassPoints) {
  const Point c{50, 50};
  struct Case { int x, y; int zero; bool mirrored; int expected; };
  const Case cases[] = {
      {50, 10, 0, false, 0},    {90, 50, 0, false, 90},  {50, 90, 0, false, 180}, {10, 50, 0, false, 270},
      {50, 10, 0, true, 0},     {90, 50, 0, true, 270},  {50, 90, 0, true, 180},  {10, 50, 0, true, 90},
      {90, 10, 0, false, 45},   {50, 90, 270, false, 270},  // below the centre with zero 270
  };
  for (const Case& k : cases) {
    const DialRange r{0, 359, k.zero, k.mirrored};
    EXPECT_EQ(DialValueAt(r, c, k.x, k.y), k.expected) << k.x << "," << k.y << " mirrored " << k.mirrored;
  }
  EXPECT_EQ(DialValueAt(DialRange{0, 360, 270, false}, c, 50, 90), 270);  // trunc(270 * 361 / 360)
}

TEST(ShadedCircle, RingAndItsTwoSides) {
  for (int radius : {1, 4, 9}) {
    const std::vector<Point> ring = MidpointCircle(radius);
    for (const Point& p : ring) EXPECT_NEAR(std::hypot(p.x, p.y), radius, 0.75) << radius;
    for (Point compass : {Point{radius, 0}, Point{0, radius}, Point{-radius, 0}, Point{0, -radius}})
      EXPECT_NE(std::find(ring.begin(), ring.end(), compass), ring.end()) << radius;
  }
  const COLORREF a = RGB(255, 255, 255), b = RGB(0, 0, 0);
  // Upper left: all A but for the formula's 2.356, a hair below 3/4 of a half turn.
  EXPECT_EQ(ShadedCircleColour(-3, -3, a, b), RGB(254, 254, 254));
  EXPECT_EQ(ShadedCircleColour(3, 3, a, b), b);    // lower right: all B
  EXPECT_EQ(ShadedCircleColour(0, -3, a, b), RGB(217, 217, 217));  // top: w = (1 + cos 0.785) / 2
  EXPECT_EQ(ShadedCircleColour(-3, 0, RGB(10, 20, 30), RGB(110, 220, 30)), RGB(25, 50, 30));  // left: alpha wraps by 6.293
  const RimColours sys{RGB(255, 255, 255), RGB(0, 0, 0), RGB(220, 220, 220), RGB(128, 128, 128), RGB(109, 109, 109)};
  const ShadedRim raised = RimFor(sys, false, true);
  const ShadedRim sunken = RimFor(sys, true, true);
  EXPECT_EQ(raised.outer_a, sunken.outer_b);
  EXPECT_EQ(raised.inner_b, sunken.inner_a);
  EXPECT_EQ(RimFor(sys, false, false).outer_a, sys.grey_text);
}

TEST(ShadedProgress, TintsOfPureBlue) {
  const ProgressPalette p = MakeProgressPalette(RGB(0, 0, 255), RGB(0, 0, 0), RGB(128, 128, 128));
  EXPECT_EQ(p.tube[3], RGB(51, 51, 255));
  EXPECT_EQ(p.tube[4], RGB(102, 102, 255));
  EXPECT_EQ(p.tube[5], RGB(153, 153, 255));
  EXPECT_EQ(p.tube[1], RGB(0, 0, 204));
  EXPECT_EQ(p.tube[0], RGB(0, 0, 153));
  EXPECT_EQ(p.shadow_mid, RGB(64, 64, 64));
  EXPECT_EQ(LighterTint(RGB(210, 204, 205)), RGB(210, 255, 205));
  EXPECT_EQ(DarkerTint(RGB(50, 51, 52)), RGB(50, 0, 1));
}

TEST(ShadedProgress, FilledLengthAndTubeLines) {
  EXPECT_EQ(ProgressFilledLength(50, 0, 100, 200), 100);
  EXPECT_EQ(ProgressFilledLength(150, 0, 100, 200), 200);
  EXPECT_EQ(ProgressFilledLength(5, 10, 10, 200), 0);  // an empty range fills nothing
  const ProgressPalette p = MakeProgressPalette(RGB(0, 0, 255), 0, RGB(128, 128, 128));
  const std::vector<COLORREF> lines = ProgressTubeLines(p, 11);
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines.front(), p.tube[0]);
  EXPECT_EQ(lines.back(), p.tube[0]);
  EXPECT_EQ(lines[5], p.tube[5]);
  for (int i = 0; i < 11; ++i) EXPECT_EQ(lines[i], lines[10 - i]) << i;
}

TEST(ButtonImages, ColdGreyLevels) {
  const std::pair<std::array<int, 3>, int> cases[] = {
      {{255, 0, 0}, 128}, {{0, 0, 0}, 0}, {{0, 0, 255}, 0}, {{0, 255, 0}, 128},
      {{255, 255, 0}, 255}, {{255, 255, 255}, 255}, {{63, 63, 63}, 0}, {{64, 64, 64}, 128},
      {{159, 159, 159}, 128}, {{160, 160, 160}, 192}, {{223, 223, 223}, 192}, {{224, 224, 224}, 255}};
  for (const auto& [rgb, grey] : cases) EXPECT_EQ(ColdGreyLevel(rgb[0], rgb[1], rgb[2]), grey) << rgb[0] << "," << rgb[1] << "," << rgb[2];
}

TEST(ToolbarCommands, IconNamesFromCommandTexts) {
  EXPECT_EQ(IconNameForCommand("&Open..."), "open");
  EXPECT_EQ(IconNameForCommand("Select Object"), "select-object");
  EXPECT_EQ(IconNameForCommand("Trim canvas to the size of a crop tool"), "trim-canvas-to-the-size-of-a-crop-tool");
  std::set<int> ids;
  for (const ToolbarLayout& bar : MainToolbars())
    for (const ToolbarButton& b : bar.buttons) {
      EXPECT_EQ(b.id == 0, b.command.empty()) << bar.id;
      if (b.id != 0 && b.id != 32771) {
        EXPECT_TRUE(ids.insert(b.id).second) << "command twice: " << b.id;
      }
    }
  const std::vector<std::string> all = AllIconNames();
  EXPECT_EQ(std::set<std::string>(all.begin(), all.end()).size(), all.size());
}

}  // namespace
}  // namespace lumi
