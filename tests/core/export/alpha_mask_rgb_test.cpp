#include "export/alpha_mask_rgb.h"

#include <gtest/gtest.h>

#include <random>

#include "alpha_mask_reference.h"
#include "image/dib_section.h"

namespace lumi {
namespace {

TEST(AlphaMaskToRGB, MatchesTheReferenceOnRandomBitmaps) {
  std::mt19937 rng(7);
  for (int trial = 0; trial < 40; ++trial) {
    CDIBSection bitmap;
    bitmap.Create(1 + static_cast<int>(rng() % 97), 1 + static_cast<int>(rng() % 61));
    for (std::size_t i = 0; i < bitmap.PixelBytes(); ++i) bitmap.Pixels()[i] = rng() & 255;
    const auto ours = AlphaMaskToRGB(bitmap);
    ASSERT_TRUE(ours);
    const RgbImage expected = reference::AlphaMaskToRGB(bitmap);
    EXPECT_EQ(ours->width, expected.width);
    EXPECT_EQ(ours->height, expected.height);
    ASSERT_EQ(ours->pixels, expected.pixels) << "trial " << trial;
  }
}

TEST(AlphaMaskToRGB, TopRowComesFirst) {
  CDIBSection bitmap;
  bitmap.Create(1, 2);
  bitmap.Row(0)[3] = 10;
  bitmap.Row(1)[3] = 200;
  const auto rgb = AlphaMaskToRGB(bitmap).value();
  EXPECT_EQ(rgb.pixels, (std::vector<std::uint8_t>{10, 10, 10, 200, 200, 200}));
}

TEST(AlphaMaskToRGB, RefusesBitmapsWithoutAlpha) {
  CDIBSection empty;
  EXPECT_FALSE(AlphaMaskToRGB(empty));
  CDIBSection grey;
  grey.Create(4, 4, 8, false);
  EXPECT_FALSE(AlphaMaskToRGB(grey));
  EXPECT_EQ(PxGetLastError(), kPxBadParam);
}

}  // namespace
}  // namespace lumi
