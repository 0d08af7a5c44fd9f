// The image library's sharpen and soften filters on RGB buffers.
#include "effects/sharpen_soften.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "sharpen_soften_reference.h"

namespace lumi {
namespace {

std::vector<std::uint8_t> Grey(std::initializer_list<int> values) {
  std::vector<std::uint8_t> rgb;
  for (int v : values)
    for (int ch = 0; ch < 3; ++ch) rgb.push_back(static_cast<std::uint8_t>(v));
  return rgb;
}

TEST(SharpenSoftenTest, ThreePixelsWorkedThrough) {
  // A row 10, 100, 10. At the middle S = 260; at the left edge (its own left neighbour
  // and its own row above and below) S = 350.
  const auto source = Grey({10, 100, 10});
  std::vector<std::uint8_t> out(source.size());
  ASSERT_EQ(PxSharpen(source.data(), out.data(), 3, 1, 20), kPxOk);  // k = 0.1
  EXPECT_EQ(out, Grey({0, 154, 0}));  // 10 - 27 clamped; 100 + 54
  ASSERT_EQ(PxSoften(source.data(), out.data(), 3, 1, 10), kPxOk);   // k = 0.1
  EXPECT_EQ(out, Grey({13, 93, 13}));  // 4.3 + 9; 3.2 + 90
}

TEST(SharpenSoftenTest, FlatImagesStayAndBlurLeavesOnePixel) {
  for (int v = 0; v < 256; ++v) {
    const auto one = Grey({v});
    std::vector<std::uint8_t> out(3);
    PxSoften(one.data(), out.data(), 1, 1, 10);  // the "Blur" command on 1 x 1
    ASSERT_EQ(out, one) << v;
    PxSharpen(one.data(), out.data(), 1, 1, 20);
    ASSERT_EQ(out, one) << v;
  }
}

TEST(SharpenSoftenTest, AmountIsClampedToZeroToHundred) {
  const auto source = Grey({10, 100, 10, 200, 0, 30});
  std::vector<std::uint8_t> a(source.size()), b(source.size());
  PxSharpen(source.data(), a.data(), 3, 2, 150);
  PxSharpen(source.data(), b.data(), 3, 2, 100);
  EXPECT_EQ(a, b);
  PxSoften(source.data(), a.data(), 3, 2, -5);
  EXPECT_EQ(a, source);  // amount 0: k = 0
  PxSharpen(source.data(), a.data(), 3, 2, 0);
  EXPECT_EQ(a, source);
}

TEST(SharpenSoftenTest, BadParametersWriteNothing) {
  auto buffer = Grey({10, 100, 10});
  const auto before = buffer;
  std::vector<std::uint8_t> out(buffer.size(), 7);
  EXPECT_EQ(PxSharpen(buffer.data(), buffer.data(), 3, 1, 10), kPxBadParam);
  EXPECT_EQ(PxSoften(buffer.data(), buffer.data(), 3, 1, 10), kPxBadParam);
  EXPECT_EQ(buffer, before);
  EXPECT_EQ(PxSharpen(nullptr, out.data(), 3, 1, 10), kPxBadParam);
  EXPECT_EQ(PxSoften(buffer.data(), nullptr, 3, 1, 10), kPxBadParam);
  EXPECT_EQ(PxSoften(buffer.data(), out.data(), 0, 1, 10), kPxBadParam);
  EXPECT_EQ(out, std::vector<std::uint8_t>(buffer.size(), 7));
}

TEST(SharpenSoftenTest, MatchReferenceOnRandomImages) {
  std::mt19937 rng(11);
  const int sizes[][2] = {{1, 1}, {1, 4}, {5, 1}, {2, 2}, {37, 23}};
  for (const auto& s : sizes) {
    for (int amount : {-3, 0, 1, 7, 10, 20, 33, 50, 99, 100, 140}) {
      std::vector<std::uint8_t> source(static_cast<std::size_t>(s[0]) * s[1] * 3);
      for (auto& b : source) b = static_cast<std::uint8_t>(rng());
      std::vector<std::uint8_t> ours(source.size()), expected(source.size());
      PxSharpen(source.data(), ours.data(), s[0], s[1], amount);
      reference::Sharpen(source.data(), expected.data(), s[0], s[1], amount);
      ASSERT_EQ(ours, expected) << "sharpen " << amount << " at " << s[0] << " x " << s[1];
      PxSoften(source.data(), ours.data(), s[0], s[1], amount);
      reference::Soften(source.data(), expected.data(), s[0], s[1], amount);
      ASSERT_EQ(ours, expected) << "soften " << amount << " at " << s[0] << " x " << s[1];
    }
  }
}

}  // namespace
}  // namespace lumi
