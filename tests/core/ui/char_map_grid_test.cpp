// The character map's cells: where a press lands and which character a cell holds.
#include <gtest/gtest.h>

#include "ui/char_map_grid.h"

namespace lumi {
namespace {

TEST(CharMapGrid, PressesLandInTheCellUnderThem) {
  struct Case {
    Point press;
    std::optional<CharMapCell> cell;
  } cases[] = {
      {{0, 0}, CharMapCell{0, 0}},           {{25, 25}, CharMapCell{0, 0}},
      {{26, 0}, CharMapCell{1, 0}},          {{26 * 22 + 25, 26 * 9 + 25}, CharMapCell{22, 9}},
      {{26 * 23, 0}, std::nullopt},          {{0, 26 * 10}, std::nullopt},
      {{-1, 5}, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(CharMapCellAt(c.press), c.cell) << c.press.x << ", " << c.press.y;
  EXPECT_EQ(CharMapCellRect({1, 2}), (Rect{27, 53, 52, 78})) << "inside the grid lines";
}

TEST(CharMapGrid, CellsHoldWindows1252FirstThenTheRestOfTheBasicPlane) {
  struct Case {
    int page;
    CharMapCell cell;
    std::string character;
  } cases[] = {
      {0, {0, 0}, " "},
      {0, {1, 0}, "!"},
      {0, {4, 4}, "\xE2\x82\xAC"},  // byte 128: the euro sign
      {0, {0, 9}, "\xC3\xAF"},      // byte 239
      {0, {16, 9}, "\xC3\xBF"},     // byte 255
      {0, {17, 9}, ""},             // the empty end of the first page
      {1, {0, 0}, "\xC4\x80"},      // U+0100
      {240, {1, 3}, ""},            // U+D800: surrogates are no characters
      {284, {5, 8}, "\xEF\xBF\xBF"},  // U+FFFF, the last
      {284, {6, 8}, ""},
      {285, {0, 0}, ""},
  };
  EXPECT_EQ(CharMapPageCount(), 285);
  for (const Case& c : cases)
    EXPECT_EQ(CharMapCharacter(c.page, c.cell), c.character) << c.page << ": " << c.cell.column << ", " << c.cell.row;
}

}  // namespace
}  // namespace lumi
