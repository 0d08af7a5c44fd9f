#include <gtest/gtest.h>

#include <functional>

#include "image/pixwerk.h"
#include "image_fixtures.h"

namespace lumi {
namespace {

using fixtures::Bytes;
using fixtures::Put16;
using fixtures::Put32;
using fixtures::TempDir;

// The 54 header bytes the writer must produce.
Bytes Headers(std::uint32_t width, std::uint32_t height, int bits, std::uint32_t colours,
              std::uint32_t image_size) {
  Bytes b = {'B', 'M'};
  Put32(b, 54 + 4 * colours + image_size);
  Put32(b, 0);
  Put32(b, 54 + 4 * colours);
  Put32(b, 40);
  Put32(b, width);
  Put32(b, height);
  Put16(b, 1);
  Put16(b, bits);
  Put32(b, 0);
  Put32(b, image_size);
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, colours);
  Put32(b, colours);
  return b;
}

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Bytes GreyPalette(int n) {
  Bytes p;
  for (int i = 0; i < n; ++i) p.insert(p.end(), {static_cast<std::uint8_t>(i * 10), static_cast<std::uint8_t>(i * 10), static_cast<std::uint8_t>(i * 10), 0});
  return p;
}

TEST(BmpWriter, TrueColourBytes) {
  TempDir dir;
  const Bytes rgb = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};  // 2 x 2, top row first
  const auto path = dir.File("t.bmp");
  ASSERT_TRUE(PxSaveBMP(path, rgb.data(), 2, 2));
  EXPECT_EQ(PxGetLastError(), 0);
  const Bytes expected = Concat(Headers(2, 2, 24, 0, 16),
                                {9, 8, 7, 12, 11, 10, 0, 0, 3, 2, 1, 6, 5, 4, 0, 0});
  EXPECT_EQ(TempDir::Read(path), expected);
  const auto back = PxLoadBMP(path);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->pixels, rgb);
}

struct IndexedCase {
  const char* name;
  int width, height, bits, colours;
  Bytes indices;  // top row first
  Bytes rows;     // expected pixel bytes, bottom row first
};

class BmpIndexedWriter : public ::testing::TestWithParam<IndexedCase> {};

TEST_P(BmpIndexedWriter, WritesHeadersPaletteAndPackedRows) {
  const IndexedCase& c = GetParam();
  TempDir dir;
  const Bytes palette = GreyPalette(c.colours);
  const auto path = dir.File("i.bmp");
  ASSERT_TRUE(PxSaveBMP(path, c.indices.data(), c.width, c.height, c.bits, c.colours, palette.data()));
  const Bytes expected = Concat(Concat(Headers(c.width, c.height, c.bits, c.colours,
                                               static_cast<std::uint32_t>(c.rows.size())),
                                       palette),
                                c.rows);
  EXPECT_EQ(TempDir::Read(path), expected);
  const auto back = PxLoadBMP(path);
  ASSERT_TRUE(back) << PxGetLastError();
  for (std::size_t i = 0; i < c.indices.size(); ++i) {
    EXPECT_EQ(back->pixels[i * 3], c.indices[i] * 10) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Depths, BmpIndexedWriter,
    ::testing::Values(
        // An odd width ends each row in a byte whose low four bits are zero.
        IndexedCase{"bits4OddWidth", 3, 2, 4, 16, {1, 2, 3, 4, 5, 6},
                    {0x45, 0x60, 0, 0, 0x12, 0x30, 0, 0}},
        IndexedCase{"bits1", 10, 1, 1, 2, {1, 0, 1, 0, 0, 0, 0, 0, 0, 1}, {0xA0, 0x40, 0, 0}},
        // Seventeen colours make an 8-bit file with seventeen entries.
        IndexedCase{"bits8Seventeen", 3, 1, 8, 17, {16, 0, 5}, {16, 0, 5, 0}},
        IndexedCase{"bits4Sixteen", 8, 1, 4, 16, {0, 1, 2, 3, 12, 13, 14, 15},
                    {0x01, 0x23, 0xCD, 0xEF}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BmpWriter, BadParametersAndUnwritablePaths) {
  TempDir dir;
  const auto path = dir.Write("keep.bmp", {1, 2, 3});
  const Bytes palette = GreyPalette(256), pixels(64, 1);
  const std::vector<std::pair<std::function<bool()>, int>> cases = {
      {[&] { return PxSaveBMP(path, pixels.data(), 2, 2, 2, 4, palette.data()); }, 5},
      {[&] { return PxSaveBMP(path, pixels.data(), 2, 2, 24, 0, palette.data()); }, 5},
      {[&] { return PxSaveBMP(path, pixels.data(), 2, 2, 8, 4, nullptr); }, 5},
      {[&] { return PxSaveBMP(path, pixels.data(), 2, 2, 4, 17, palette.data()); }, 5},
      {[&] { return PxSaveBMP(path, pixels.data(), 2, 2, 8, 0, palette.data()); }, 5},
      {[&] { return PxSaveBMP(path, nullptr, 2, 2); }, 5},
      {[&] { return PxSaveBMP(path, pixels.data(), 2, 0); }, 5},
      {[&] { return PxSaveBMP(path, pixels.data(), 40000, 1); }, 5},
      {[&] { return PxSaveBMP(dir.File("no/dir.bmp"), pixels.data(), 2, 2); }, 2},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    PxSetLastError(0);
    EXPECT_FALSE(cases[i].first()) << i;
    EXPECT_EQ(PxGetLastError(), cases[i].second) << i;
  }
  EXPECT_EQ(TempDir::Read(path), (Bytes{1, 2, 3}));
}

TEST(BmpWriter, OverwritesAnExistingFile) {
  TempDir dir;
  const auto path = dir.Write("old.bmp", Bytes(500, 9));
  const Bytes rgb = {1, 2, 3};
  ASSERT_TRUE(PxSaveBMP(path, rgb.data(), 1, 1));
  EXPECT_EQ(TempDir::Read(path).size(), 58u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

}  // namespace
}  // namespace lumi
