#include <gtest/gtest.h>

#include "image/pixwerk.h"
#include "image_fixtures.h"

namespace lumi {
namespace {

using fixtures::Bmp;
using fixtures::Bytes;

struct DepthCase {
  const char* name;
  int bits;
  Bytes table;       // blue, green, red, 0 entries
  std::uint32_t used;
  Bytes stored;      // rows bottom first, padded to 4 bytes
  Bytes expected;    // 3 x 2 pixels, top-down red, green, blue
};

class BmpDepth : public ::testing::TestWithParam<DepthCase> {};

TEST_P(BmpDepth, DecodesThreeByTwo) {
  const DepthCase& c = GetParam();
  const auto image = PxDecodeBMP(Bmp(3, 2, c.bits, c.table, c.stored, 0, c.used));
  ASSERT_TRUE(image) << PxGetLastError();
  EXPECT_EQ(PxGetLastError(), 0);
  EXPECT_EQ(image->width, 3);
  EXPECT_EQ(image->height, 2);
  EXPECT_EQ(image->pixels, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    AllDepths, BmpDepth,
    ::testing::Values(
        // Two colours; pixels from the most significant bit first.
        DepthCase{"bits1", 1, {10, 20, 30, 0, 40, 50, 60, 0}, 0,
                  {0xA0, 0, 0, 0, 0x60, 0, 0, 0},
                  {30, 20, 10, 60, 50, 40, 60, 50, 40, 60, 50, 40, 30, 20, 10, 60, 50, 40}},
        // Three colours used; the third pixel sits in the high nibble of the second byte.
        DepthCase{"bits4", 4, {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0}, 3,
                  {0x21, 0x00, 0, 0, 0x00, 0x20, 0, 0},
                  {3, 2, 1, 3, 2, 1, 9, 8, 7, 9, 8, 7, 6, 5, 4, 3, 2, 1}},
        DepthCase{"bits8", 8, {0, 0, 255, 0, 255, 0, 0, 0}, 2,
                  {1, 0, 1, 0, 0, 0, 1, 0},
                  {255, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 255, 255, 0, 0, 0, 0, 255}},
        // 5-5-5 with each value v becoming (v << 3) | 7: 0x7FFF is white, 0 is (7, 7, 7).
        DepthCase{"bits16", 16, {}, 0,
                  {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0, 0,
                   0xFF, 0x7F, 0x00, 0x00, 0x21, 0x04, 0, 0},
                  {255, 255, 255, 7, 7, 7, 15, 15, 15, 255, 7, 7, 7, 255, 7, 7, 7, 255}},
        DepthCase{"bits24", 24, {}, 0,
                  {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 10, 11, 12, 13, 14, 15, 16, 17, 18, 0, 0, 0},
                  {12, 11, 10, 15, 14, 13, 18, 17, 16, 3, 2, 1, 6, 5, 4, 9, 8, 7}},
        // The fourth byte is ignored.
        DepthCase{"bits32", 32, {}, 0,
                  {1, 2, 3, 99, 4, 5, 6, 99, 7, 8, 9, 99, 10, 11, 12, 0, 13, 14, 15, 0, 16, 17, 18, 0},
                  {12, 11, 10, 15, 14, 13, 18, 17, 16, 3, 2, 1, 6, 5, 4, 9, 8, 7}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BmpReader, NegativeHeightLoadsUpright) {
  // Rows stored top row first: red above blue.
  const Bytes stored = {0, 0, 255, 0, 255, 0, 0, 0};
  const auto image = PxDecodeBMP(Bmp(1, -2, 24, {}, stored));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels, (Bytes{255, 0, 0, 0, 0, 255}));
  const auto upside = PxDecodeBMP(Bmp(1, 2, 24, {}, stored));
  ASSERT_TRUE(upside);
  EXPECT_EQ(upside->pixels, (Bytes{0, 0, 255, 255, 0, 0}));
}

TEST(BmpReader, RunLength8WithEveryEscape) {
  // 5 x 3, rows bottom first. Row 0: a run of two 1s, an absolute run 2 3 1 (padded),
  // end of line. Row 1: one 3, a delta of (2, 1) into row 2 at x = 3, a run of two 2s,
  // end of picture. Pixels never reached stay index 0.
  const Bytes rle = {0x02, 0x01, 0x00, 0x03, 0x02, 0x03, 0x01, 0x00, 0x00, 0x00,
                     0x01, 0x03, 0x00, 0x02, 0x02, 0x01, 0x02, 0x02, 0x00, 0x01};
  const Bytes table = {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};
  const auto image = PxDecodeBMP(Bmp(5, 3, 8, table, rle, 1, 4));
  ASSERT_TRUE(image) << PxGetLastError();
  const Bytes k = {0, 0, 0}, r = {255, 0, 0}, g = {0, 255, 0}, b = {0, 0, 255};
  Bytes expected;
  for (const Bytes* p : {&k, &k, &k, &g, &g,    // row 2 (top)
                         &b, &k, &k, &k, &k,    // row 1
                         &r, &r, &g, &b, &r}) { // row 0 (bottom)
    expected.insert(expected.end(), p->begin(), p->end());
  }
  EXPECT_EQ(image->pixels, expected);
}

TEST(BmpReader, RunLength4LoadsLikeItsUncompressedTwin) {
  Bytes table;
  for (int i = 0; i < 16; ++i) table.insert(table.end(), {static_cast<std::uint8_t>(i * 16), 7, static_cast<std::uint8_t>(255 - i), 0});
  // Bottom row 1 2 1 2 1 as one run, top row 3 3 3 0 5 as an absolute run of 5 nibbles
  // (3 bytes padded to 4).
  const Bytes rle = {0x05, 0x12, 0x00, 0x00, 0x00, 0x05, 0x33, 0x30, 0x50, 0x00, 0x00, 0x01};
  const Bytes plain = {0x12, 0x12, 0x10, 0x00, 0x33, 0x30, 0x50, 0x00};
  const auto packed = PxDecodeBMP(Bmp(5, 2, 4, table, rle, 2));
  const auto twin = PxDecodeBMP(Bmp(5, 2, 4, table, plain));
  ASSERT_TRUE(packed) << PxGetLastError();
  ASSERT_TRUE(twin);
  EXPECT_EQ(packed->pixels, twin->pixels);
  EXPECT_EQ(packed->pixels[4 * 3], 255 - 5);  // top row, last pixel: index 5
}

TEST(BmpReader, RunsPastTheRowEdgeAreClipped) {
  // A run of 4 in a 2-pixel row, then end of picture.
  const Bytes table = {0, 0, 0, 0, 9, 9, 9, 0};
  const auto image = PxDecodeBMP(Bmp(2, 1, 8, table, {0x04, 0x01, 0x00, 0x01}, 1, 2));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels, (Bytes{9, 9, 9, 9, 9, 9}));
}

TEST(BmpReader, PixelOffsetOfTheFileHeaderIsHonoured) {
  Bytes file = Bmp(1, 1, 24, {}, {0, 0, 0, 0, 1, 2, 3, 0});
  file[10] = 58;  // pixels start four bytes later
  const auto image = PxDecodeBMP(file);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels, (Bytes{3, 2, 1}));
}

struct BadCase {
  const char* name;
  Bytes file;
  int code;
};

class BmpBad : public ::testing::TestWithParam<BadCase> {};

TEST_P(BmpBad, FailsWithItsCode) {
  PxSetLastError(0);
  EXPECT_FALSE(PxDecodeBMP(GetParam().file));
  EXPECT_EQ(PxGetLastError(), GetParam().code);
}

Bytes Truncated(Bytes b, std::size_t n) {
  b.resize(n);
  return b;
}

INSTANTIATE_TEST_SUITE_P(
    Damaged, BmpBad,
    ::testing::Values(
        BadCase{"notBM", {'B', 'N', 0, 0}, 6},
        BadCase{"empty", {}, 6},
        BadCase{"shortHeader", Truncated(Bmp(1, 1, 24, {}, {1, 2, 3, 0}), 40), 3},
        BadCase{"zeroWidth", Bmp(0, 1, 24, {}, {}), 6},
        BadCase{"zeroHeight", Bmp(1, 0, 24, {}, {}), 6},
        BadCase{"minHeight", Bmp(1, INT32_MIN, 24, {}, {}), 6},
        BadCase{"depth2", Bmp(1, 1, 2, {}, {0, 0, 0, 0}), 6},
        BadCase{"rle8With4Bits", Bmp(1, 1, 4, Bytes(64, 0), {0, 1}, 1), 6},
        BadCase{"bitfields", Bmp(1, 1, 16, {}, {0, 0, 0, 0}, 3), 6},
        BadCase{"beyondLimits", Bmp(40000, 1, 24, {}, Bytes(120000, 0)), 6},
        BadCase{"shortPixels", Bmp(2, 2, 24, {}, Bytes(15, 0)), 3},
        BadCase{"hugeClaimTinyData", Bmp(30000, 8000, 8, Bytes(1024, 0), Bytes(16, 0)), 3},
        BadCase{"shortTable", Truncated(Bmp(1, 1, 8, Bytes(1024, 0), {0, 0, 0, 0}), 100), 3},
        BadCase{"rleWithoutEnd", Bmp(4, 4, 8, Bytes(1024, 0), {0x02, 0x01, 0x00, 0x00}, 1), 3},
        BadCase{"rleShortAbsolute", Bmp(4, 1, 8, Bytes(1024, 0), {0x00, 0x04, 1, 2}, 1), 3},
        BadCase{"rleHugeClaim", Bmp(20000, 13000, 8, Bytes(1024, 0), {0x00, 0x01}, 1), 3}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lumi
