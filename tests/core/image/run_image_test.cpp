// Images kept as runs give back every byte, and blending from the runs gives what the row
// blends give from the full image, wherever a blended stretch starts and ends.
#include "image/run_image.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "image/blend_rows.h"
#include "image/dib_section.h"

namespace lumi {
namespace {

using PixelOf = std::function<std::uint32_t(int x, int y)>;

CDIBSection Image(int w, int h, const PixelOf& pixel) {
  CDIBSection image;
  image.Create(w, h, 32, true);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint32_t p = pixel(x, y);
      const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(p >> 8),
                                     static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 24)};
      std::memcpy(image.Row(y) + 4 * x, bytes, 4);
    }
  return image;
}

std::vector<std::uint8_t> Bytes(const CDIBSection& image) {
  return {image.Pixels(), image.Pixels() + image.PixelBytes()};
}

std::uint32_t Noise(int x, int y) {
  return static_cast<std::uint32_t>(x * 2654435761u ^ y * 40503u) * 2246822519u;
}

// Images a render leaves: clear corners with the fill's colour under alpha 0, a flat
// inside, soft edges, repeats just below and above the shortest run kept as one, rows
// longer than the blend's chunk of copies, and single odd pixels.
struct Packable {
  const char* name;
  int w, h;
  PixelOf pixel;
};

std::vector<Packable> PackableImages() {
  return {
      {"disc with soft edge", 90, 70,
       [](int x, int y) {
         const int d2 = (x - 45) * (x - 45) + (y - 35) * (y - 35);
         const std::uint32_t alpha = d2 < 900 ? 255 : d2 < 1100 ? (1100 - d2) : 0;
         return (alpha << 24) | 0x3080C0u;
       }},
      {"half-clear shadow, long rows", 300, 12,
       [](int x, int y) { return (x < 150 ? 0u : static_cast<std::uint32_t>(40 + y * 10) << 24) | 0x000000u; }},
      {"repeats of 7 and 8", 60, 3,
       [](int x, int y) { return x < 28 ? 0xFF000000u | static_cast<std::uint32_t>((x / 7) * 50 + y) : 0x80FFFFFFu; }},
      {"single pixels between runs", 40, 3,
       [](int x, int y) { return x == 0 || x == 20 || x == 39 ? Noise(x, y) : 0x7F102030u; }},
      {"noise band between flat runs", 120, 20,
       [](int x, int y) { return x >= 50 && x < 60 ? Noise(x, y) : 0xC0406080u; }},
  };
}

TEST(RunImage, PackedImagesGiveBackEveryByteAndPixel) {
  for (const Packable& c : PackableImages()) {
    SCOPED_TRACE(c.name);
    const CDIBSection image = Image(c.w, c.h, c.pixel);
    RunImage runs;
    ASSERT_TRUE(runs.Pack(image));
    EXPECT_EQ(runs.Width(), c.w);
    EXPECT_EQ(runs.Height(), c.h);
    EXPECT_LE(runs.HeldBytes(), image.PixelBytes() * 3 / 4);
    CDIBSection back;
    runs.UnpackInto(back);
    EXPECT_EQ(back.Bits(), 32);
    EXPECT_TRUE(back.HasAlphaFlag());
    EXPECT_EQ(Bytes(back), Bytes(image));
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) {
        const auto p = runs.PixelAt(x, y);
        ASSERT_EQ(std::memcmp(p.data(), image.Row(y) + 4 * x, 4), 0) << x << "," << y;
      }
  }
}

TEST(RunImage, BlendingFromRunsMatchesTheRowBlendsEverywhere) {
  std::mt19937 rng(11);
  for (const Packable& c : PackableImages()) {
    SCOPED_TRACE(c.name);
    const CDIBSection image = Image(c.w, c.h, c.pixel);
    RunImage runs;
    ASSERT_TRUE(runs.Pack(image));
    for (const bool keep_alpha : {true, false}) {
      for (int trial = 0; trial < 200; ++trial) {
        const int row = static_cast<int>(rng() % c.h);
        const int x = static_cast<int>(rng() % c.w);
        const int count = 1 + static_cast<int>(rng() % (c.w - x));
        std::vector<std::uint8_t> expected(4 * count);
        for (auto& b : expected) b = static_cast<std::uint8_t>(rng());
        std::vector<std::uint8_t> got = expected;
        const std::uint8_t* s = image.Row(row) + 4 * x;
        if (keep_alpha)
          BlendRowKeepAlpha(expected.data(), s, count);
        else
          BlendRowWithAlpha(expected.data(), s, count);
        runs.BlendRow(row, x, count, got.data(), keep_alpha);
        ASSERT_EQ(got, expected) << "row " << row << " from " << x << " for " << count
                                 << (keep_alpha ? ", canvas alpha kept" : ", alpha blended");
      }
    }
  }
}

TEST(RunImage, ImagesThatRunsCannotShrinkAreNotPacked) {
  const struct {
    const char* name;
    CDIBSection image;
  } cases[] = {
      {"noise", Image(64, 64, Noise)},
      {"repeats of 7 only", Image(70, 8, [](int x, int y) { return static_cast<std::uint32_t>(x / 7 + y * 16); })},
      {"one pixel", Image(1, 1, [](int, int) { return 0xFF00FF00u; })},
      {"one column", Image(1, 40, [](int, int) { return 0xFF00FF00u; })},
      {"empty", CDIBSection()},
      {"24 bits", [] {
         CDIBSection image;
         image.Create(50, 50, 24, false);
         return image;
       }()},
  };
  for (const auto& c : cases) {
    RunImage runs;
    EXPECT_FALSE(runs.Pack(c.image)) << c.name;
    EXPECT_TRUE(runs.IsEmpty()) << c.name;
    EXPECT_EQ(runs.HeldBytes(), 0u) << c.name;
  }
}

}  // namespace
}  // namespace lumi
