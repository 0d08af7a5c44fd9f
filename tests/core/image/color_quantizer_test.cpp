#include "image/color_quantizer.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

#include "quantize_reference.h"

namespace lumi {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Result {
  Bytes indices;
  Bytes palette;  // 256 entries; bytes past the asked colours keep the fill 0xCD
  int found = 0;
};

Result Reduce(const Bytes& rgb, int width, int height, int colours, int dither) {
  Result r;
  r.indices.assign(static_cast<std::size_t>(width) * height, 0xCD);
  r.palette.assign(256 * 4 + 4, 0xCD);
  CColorQuantizer quantizer;
  EXPECT_NE(quantizer.Quantize(rgb.data(), r.indices.data(), width, height, colours,
                               r.palette.data(), dither),
            0);
  r.found = quantizer.ColoursFound();
  return r;
}

Bytes Repeat(std::initializer_list<std::initializer_list<int>> colours_and_counts) {
  // Each entry: red, green, blue, number of pixels.
  Bytes rgb;
  for (const auto& entry : colours_and_counts) {
    const int* e = entry.begin();
    for (int i = 0; i < e[3]; ++i) rgb.insert(rgb.end(), {Bytes::value_type(e[0]),
                                                         Bytes::value_type(e[1]),
                                                         Bytes::value_type(e[2])});
  }
  return rgb;
}

TEST(CColorQuantizer, WorkedPalettes) {
  const struct {
    const char* name;
    Bytes rgb;
    int colours;
    Bytes palette;  // (blue, green, red, 0) entries expected
    Bytes indices;
  } cases[] = {
      // Children are walked from the highest bit down, so white comes first.
      {"black and white", Repeat({{0, 0, 0, 1}, {255, 255, 255, 1}}), 2,
       {255, 255, 255, 0, 0, 0, 0, 0}, {1, 0}},
      // A count of 0 is 1: everything folds into the root, the rounded mean.
      {"count 0", Repeat({{0, 0, 0, 1}, {255, 255, 255, 1}, {10, 20, 30, 1}, {100, 0, 200, 1}}),
       0, {121, 69, 91, 0}, {0, 0, 0, 0}},
      // The least used leaf (one pixel) folds into its empty parent, which then takes
      // in its sibling (two pixels): (248 + 2 x 240 + 1) / 3 = 243.
      {"smallest first",
       Repeat({{255, 255, 255, 10}, {0, 0, 248, 1}, {0, 0, 240, 2}}), 2,
       {255, 255, 255, 0, 243, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1}},
      // Fewer colours than asked: the rest of the palette is zero.
      {"three of four", Repeat({{200, 0, 0, 2}, {0, 200, 0, 1}, {0, 0, 200, 1}}), 4,
       {0, 0, 200, 0, 0, 200, 0, 0, 200, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 1, 2}},
  };
  for (const auto& c : cases) {
    const int pixels = static_cast<int>(c.rgb.size() / 3);
    for (int dither : {0, 2}) {
      const Result r = Reduce(c.rgb, pixels, 1, c.colours, dither);
      EXPECT_EQ(Bytes(r.palette.begin(), r.palette.begin() + c.palette.size()), c.palette)
          << c.name;
      EXPECT_EQ(r.palette[c.palette.size()], 0xCD) << c.name << ": wrote past the palette";
      if (dither == 0) {
        EXPECT_EQ(r.indices, c.indices) << c.name;
      }
    }
  }
}

// n cells of the 15-bit cube, two pixels in each (low bits 1 and 6: mean 8 c + 4).
Bytes TwoPixelsPerCell(int n) {
  Bytes rgb;
  for (int k = 0; k < n; ++k) {
    const int r = k & 31, g = (k >> 5) & 31, b = 7 + (k >> 10);
    for (int low : {1, 6}) {
      rgb.insert(rgb.end(), {Bytes::value_type(r * 8 + low), Bytes::value_type(g * 8 + low),
                             Bytes::value_type(b * 8 + low)});
    }
  }
  return rgb;
}

TEST(CColorQuantizer, OneEntryPerCellWhenTheCellsFit) {
  for (int n : {2, 16, 64, 256}) {
    const Bytes rgb = TwoPixelsPerCell(n);
    const int pixels = 2 * n;
    for (int dither : {0, 1, 2}) {
      const Result r = Reduce(rgb, pixels, 1, n, dither);
      EXPECT_EQ(r.found, n);
      std::set<int> used;
      for (int i = 0; i < pixels; ++i) {
        const int index = r.indices[i];
        used.insert(index);
        for (int c = 0; c < 3; ++c) {
          ASSERT_EQ(r.palette[index * 4 + 2 - c], (rgb[i * 3 + c] & 248) + 4)
              << n << " cells, dither " << dither << ", pixel " << i;
        }
      }
      EXPECT_EQ(static_cast<int>(used.size()), n);
    }
  }
}

TEST(CColorQuantizer, ColourCountIsClampedTo256) {
  const Bytes rgb = TwoPixelsPerCell(300);
  const Result r = Reduce(rgb, 300, 2, 300, 0);
  EXPECT_EQ(r.found, 256);
  EXPECT_EQ(r.palette[256 * 4], 0xCD);
  EXPECT_NE(r.palette[255 * 4 + 3], 0xCD);
}

TEST(CColorQuantizer, UniformImagesDitherToOneIndex) {
  for (int dither : {1, 2}) {
    for (int colours : {1, 16, 256}) {
      const int w = 37, h = 11;
      Bytes rgb;
      for (int i = 0; i < w * h; ++i) rgb.insert(rgb.end(), {93, 171, 14});
      const Result r = Reduce(rgb, w, h, colours, dither);
      EXPECT_EQ(r.indices, Bytes(w * h, 0)) << "dither " << dither;
      EXPECT_EQ(Bytes(r.palette.begin(), r.palette.begin() + 4), (Bytes{14, 171, 93, 0}));
    }
  }
}

TEST(CColorQuantizer, PaletteColoursNeedNoDither) {
  // Every pixel is exactly a palette colour, so no error is ever diffused.
  std::mt19937 rng(5);
  const Bytes colours[4] = {{0, 0, 0}, {250, 10, 10}, {40, 200, 120}, {255, 255, 255}};
  const int w = 23, h = 17;
  Bytes rgb;
  for (int i = 0; i < w * h; ++i) {
    const Bytes& c = colours[rng() % 4];
    rgb.insert(rgb.end(), c.begin(), c.end());
  }
  const Result plain = Reduce(rgb, w, h, 4, 0);
  EXPECT_EQ(Reduce(rgb, w, h, 4, 1).indices, plain.indices);
  EXPECT_EQ(Reduce(rgb, w, h, 4, 2).indices, plain.indices);
}

TEST(CColorQuantizer, DitheringMixesColoursAcrossARamp) {
  // Greys 0..63 across, two palette colours: without dither each column takes one
  // colour; with dither the columns near the boundary mix both.
  const int w = 64, h = 16;
  Bytes rgb;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) rgb.insert(rgb.end(), {Bytes::value_type(x), 0, 0});
  }
  auto mixed_columns = [&](int dither) {
    const Result r = Reduce(rgb, w, h, 2, dither);
    int mixed = 0;
    for (int x = 0; x < w; ++x) {
      std::set<int> seen;
      for (int y = 0; y < h; ++y) seen.insert(r.indices[y * w + x]);
      mixed += seen.size() > 1;
    }
    return mixed;
  };
  EXPECT_EQ(mixed_columns(0), 0);
  EXPECT_GT(mixed_columns(1), 0);
  EXPECT_GT(mixed_columns(2), 0);
}

TEST(CColorQuantizer, RefusesEmptyAndOversizedImagesWithoutWriting) {
  // The sizes come unchecked from the Export dialog's edits; nothing may be read.
  const Bytes rgb(12, 7);
  for (const auto& [w, h] : {std::pair{0, 4}, {4, 0}, {-3, 2}, {2, -1}, {20000, 20000}}) {
    Bytes indices(16, 0xCD), palette(1024, 0xCD);
    CColorQuantizer quantizer;
    EXPECT_EQ(quantizer.Quantize(rgb.data(), indices.data(), w, h, 16, palette.data(), 2), 0);
    EXPECT_EQ(indices, Bytes(16, 0xCD));
    EXPECT_EQ(palette, Bytes(1024, 0xCD));
  }
}

// Random images with a limited or a smooth range of colours, so leaves share parents
// and the reduction has real choices to make.
Bytes RandomImage(std::mt19937& rng, int w, int h, int kind) {
  Bytes rgb(static_cast<std::size_t>(w) * h * 3);
  const int base[3] = {static_cast<int>(rng() % 256), static_cast<int>(rng() % 256),
                       static_cast<int>(rng() % 256)};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      for (int c = 0; c < 3; ++c) {
        int v;
        switch (kind) {
          case 0: v = static_cast<int>(rng() % 256); break;
          case 1: v = base[c] + static_cast<int>(rng() % 40) - 20; break;
          default: v = base[c] + (x * (c + 1) * 7 + y * (3 - c) * 5) % 97 + static_cast<int>(rng() % 9);
        }
        rgb[(static_cast<std::size_t>(y) * w + x) * 3 + c] =
            static_cast<std::uint8_t>(std::clamp(v, 0, 255));
      }
    }
  }
  return rgb;
}

TEST(CColorQuantizer, MatchesTheReferenceOnRandomImages) {
  std::mt19937 rng(99);
  for (int round = 0; round < 240; ++round) {
    const int w = 1 + static_cast<int>(rng() % 48), h = 1 + static_cast<int>(rng() % 40);
    const int colours = std::array{0, 1, 2, 3, 7, 16, 64, 200, 256, 300}[rng() % 10];
    const int dither = round % 3;
    const Bytes rgb = RandomImage(rng, w, h, round / 3 % 3);
    const Result r = Reduce(rgb, w, h, colours, dither);
    const reference::Quantized expected = reference::Quantize(rgb, w, h, colours, dither);
    ASSERT_EQ(r.indices, expected.indices)
        << "round " << round << ": " << w << "x" << h << ", " << colours << " colours, dither "
        << dither;
    ASSERT_EQ(Bytes(r.palette.begin(), r.palette.begin() + expected.palette.size()),
              expected.palette)
        << "round " << round;
  }
}

}  // namespace
}  // namespace lumi
