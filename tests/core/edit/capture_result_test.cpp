// The captured area from two corners, and the captured picture as a new object.
#include "edit/capture_result.h"

#include "image/pixwerk.h"
#include "tool_fixture.h"

namespace lumi::testing {
namespace {

TEST(CaptureArea, NormalisesAndClipsToTheScreen) {
  struct Case {
    Point first, second;
    std::optional<Rect> area;
  };
  const Case cases[] = {
      {{10, 20}, {110, 70}, Rect{10, 20, 110, 70}},
      {{110, 70}, {10, 20}, Rect{10, 20, 110, 70}},     // dragged up and to the left
      {{110, 20}, {10, 70}, Rect{10, 20, 110, 70}},
      {{1500, 900}, {1900, 1300}, Rect{1500, 900, 1600, 1000}},  // beyond the screen
      {{-40, -10}, {30, 30}, Rect{0, 0, 30, 30}},
      {{50, 20}, {50, 300}, std::nullopt},               // zero width
      {{50, 20}, {90, 20}, std::nullopt},
      {{1700, 20}, {1800, 300}, std::nullopt},           // wholly off the screen
  };
  for (const Case& c : cases)
    EXPECT_EQ(CaptureArea(c.first, c.second, 1600, 1000), c.area)
        << c.first.x << "," << c.first.y << " " << c.second.x << "," << c.second.y;
}

using CapturedBitmap = ToolTest;

TEST_F(CapturedBitmap, IsCentredSelectedAndUndoable) {
  RgbImage picture{30, 21, std::vector<std::uint8_t>(30 * 21 * 3, 90)};
  doc_.SetModified(false);
  const std::size_t depth = doc_.UndoDepth();
  CDrawObject* added = AddCapturedBitmap(tools_, picture, {200, 150});
  ASSERT_NE(added, nullptr);
  EXPECT_TRUE(added->IsBitmap());
  EXPECT_EQ(added->GetRect(), (Rect{185, 140, 215, 161}));
  EXPECT_EQ(tools_.Selected(), added);
  EXPECT_TRUE(doc_.IsModified());
  EXPECT_EQ(doc_.UndoDepth(), depth + 1);
  doc_.Undo();
  EXPECT_TRUE(doc_.Objects().empty());

  RgbImage broken{30, 21, std::vector<std::uint8_t>(10, 0)};  // fewer bytes than its size
  EXPECT_EQ(AddCapturedBitmap(tools_, broken, {200, 150}), nullptr);
  EXPECT_TRUE(doc_.Objects().empty());
}

}  // namespace
}  // namespace lumi::testing
