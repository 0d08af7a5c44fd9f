#include "edit/checker_shade.h"

#include <vector>

#include <gtest/gtest.h>

namespace lumi {
namespace {

constexpr COLORREF kHighlight = 0xD77800;  // a blue selection highlight

TEST(CheckerShade, PatternAndColoursOfBothVariants) {
  const struct {
    CheckerVariant variant;
    COLORREF destination;
    int x, y;
    COLORREF expected;
  } cases[] = {
      {CheckerVariant::kDark, 0xE1E1E1, 0, 0, 0xC0C0C0},
      {CheckerVariant::kDark, 0xE1E1E1, 1, 0, 0x808080 | kHighlight},
      {CheckerVariant::kDark, 0xE1E1E1, 0, 1, 0x808080 | kHighlight},
      {CheckerVariant::kDark, 0xE1E1E1, 9, 9, 0xC0C0C0},
      {CheckerVariant::kDark, 0x3F3F3F, 0, 0, 0x000000},
      {CheckerVariant::kLight, 0xE1E1E1, 2, 4, 0xE1E1E1},
      {CheckerVariant::kLight, 0xE1E1E1, 3, 4, 0xC0C0C0 | kHighlight},
      {CheckerVariant::kLight, 0x123456, 0, 0, 0x123456},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CheckerPixel(c.destination, c.x, c.y, c.variant, kHighlight), c.expected)
        << std::hex << c.destination << " at " << std::dec << c.x << "," << c.y;
}

TEST(CheckerShade, ShadesOnlyTheAreaAnchoredAtTheDeviceOrigin) {
  const int w = 6, h = 4;
  // Grey E1E1E1 with alpha 7, blue green red alpha.
  std::vector<std::uint8_t> pixels(w * h * 4);
  for (std::size_t i = 0; i < pixels.size(); i += 4) {
    pixels[i] = pixels[i + 1] = pixels[i + 2] = 0xE1;
    pixels[i + 3] = 7;
  }
  ShadeChecker(pixels.data(), w, h, w * 4, {3, 1, 10, 3}, CheckerVariant::kDark, 0x0000FF);
  auto at = [&](int x, int y) {
    const std::uint8_t* p = &pixels[(y * w + x) * 4];
    return RGB(p[2], p[1], p[0]);
  };
  EXPECT_EQ(at(2, 1), 0xE1E1E1u) << "left of the area";
  EXPECT_EQ(at(3, 0), 0xE1E1E1u) << "above the area";
  EXPECT_EQ(at(3, 3), 0xE1E1E1u) << "below the area";
  EXPECT_EQ(at(3, 1), 0xC0C0C0u) << "3 + 1 is even: a 0 bit";
  EXPECT_EQ(at(4, 1), 0x8080FFu) << "a 1 bit takes the highlight";
  EXPECT_EQ(at(5, 2), 0x8080FFu);
  EXPECT_EQ(pixels[(1 * w + 4) * 4 + 3], 7) << "alpha kept";
}

}  // namespace
}  // namespace lumi
