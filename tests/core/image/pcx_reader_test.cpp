#include <gtest/gtest.h>

#include "image/pixwerk.h"
#include "image_fixtures.h"

namespace lumi {
namespace {

using fixtures::Bytes;
using fixtures::PcxEncode;
using fixtures::PcxHeader;

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Sixteen header colours: entry i is (16 i, 100, 255 - i).
Bytes Palette16() {
  Bytes p;
  for (int i = 0; i < 16; ++i) p.insert(p.end(), {static_cast<std::uint8_t>(16 * i), 100, static_cast<std::uint8_t>(255 - i)});
  return p;
}

Bytes Colours(std::initializer_list<int> indices) {
  Bytes out;
  for (int i : indices) out.insert(out.end(), {static_cast<std::uint8_t>(16 * i), 100, static_cast<std::uint8_t>(255 - i)});
  return out;
}

struct PcxCase {
  const char* name;
  int width, height, bits, planes, line_bytes;
  Bytes raw;       // decoded scanlines, all planes of a row one after another
  Bytes expected;  // through Palette16()
};

class PcxIndexed : public ::testing::TestWithParam<PcxCase> {};

TEST_P(PcxIndexed, TakesColoursFromTheHeader) {
  const PcxCase& c = GetParam();
  const Bytes file = Concat(PcxHeader(c.width, c.height, c.bits, c.planes, c.line_bytes, Palette16()),
                            PcxEncode(c.raw));
  const auto image = PxDecodePCX(file);
  ASSERT_TRUE(image) << PxGetLastError();
  EXPECT_EQ(image->width, c.width);
  EXPECT_EQ(image->height, c.height);
  EXPECT_EQ(image->pixels, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    UnderEightBits, PcxIndexed,
    ::testing::Values(
        // 10 pixels in two bytes per line (even line length), bits from the top.
        PcxCase{"bits1", 10, 1, 1, 1, 2, {0xA0, 0x40},
                Colours({1, 0, 1, 0, 0, 0, 0, 0, 0, 1})},
        PcxCase{"bits2", 5, 1, 2, 1, 2, {0x1B, 0xC0}, Colours({0, 1, 2, 3, 3})},
        PcxCase{"bits4", 3, 2, 4, 1, 2, {0x0F, 0x70, 0x12, 0x30}, Colours({0, 15, 7, 1, 2, 3})},
        // Four planes of one bit; plane 0 gives the lowest bit of the index.
        PcxCase{"planes4", 3, 1, 1, 4, 2,
                {0x80, 0, 0x40, 0, 0x20, 0, 0xE0, 0}, Colours({9, 10, 12})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PcxReader, EightBitsUseTheTrailingPalette) {
  const Bytes raw = {0, 1, 2, 255};
  Bytes palette = {0x0C};
  for (int i = 0; i < 256; ++i) palette.insert(palette.end(), {static_cast<std::uint8_t>(i), 7, static_cast<std::uint8_t>(255 - i)});
  const Bytes file = Concat(Concat(PcxHeader(4, 1, 8, 1, 4), PcxEncode(raw)), palette);
  const auto image = PxDecodePCX(file);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels, (Bytes{0, 7, 255, 1, 7, 254, 2, 7, 253, 255, 7, 0}));
}

TEST(PcxReader, EightBitsWithoutPaletteAreAGreyRamp) {
  const Bytes file = Concat(PcxHeader(3, 1, 8, 1, 4), PcxEncode({0, 128, 255, 0}));
  const auto image = PxDecodePCX(file);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels, (Bytes{0, 0, 0, 128, 128, 128, 255, 255, 255}));
}

TEST(PcxReader, ThreePlanesAreRgbAndRunsMayCrossLines) {
  // 2 x 2 with lines of 2 bytes: each row holds its red, green and blue planes. Five
  // literals, then one run of seven 0xC5 that finishes row 0 and fills all of row 1.
  const Bytes encoded = {0x01, 0x02, 0x03, 0x04, 0x05, 0xC7, 0xC5};
  const auto image = PxDecodePCX(Concat(PcxHeader(2, 2, 8, 3, 2), encoded));
  ASSERT_TRUE(image) << PxGetLastError();
  EXPECT_EQ(image->pixels, (Bytes{1, 3, 5, 2, 4, 0xC5, 0xC5, 0xC5, 0xC5, 0xC5, 0xC5, 0xC5}));
}

struct BadCase {
  const char* name;
  Bytes file;
};

class PcxBad : public ::testing::TestWithParam<BadCase> {};

TEST_P(PcxBad, FailsWithCode22) {
  PxSetLastError(0);
  EXPECT_FALSE(PxDecodePCX(GetParam().file));
  EXPECT_EQ(PxGetLastError(), 22);
}

Bytes WithByte(Bytes b, std::size_t at, std::uint8_t v) {
  b[at] = v;
  return b;
}

const Bytes kGood = Concat(PcxHeader(4, 2, 8, 1, 4), PcxEncode(Bytes(8, 3)));

INSTANTIATE_TEST_SUITE_P(
    Damaged, PcxBad,
    ::testing::Values(
        BadCase{"shortHeader", Bytes(100, 0x0A)},
        BadCase{"manufacturer", WithByte(kGood, 0, 0x0B)},
        BadCase{"notRunLength", WithByte(kGood, 2, 0)},
        BadCase{"eightBitsTwoPlanes", WithByte(kGood, 65, 2)},
        BadCase{"fourBitsTwoPlanes", Concat(PcxHeader(4, 2, 4, 2, 2), Bytes(16, 0))},
        BadCase{"lineTooShort", WithByte(kGood, 66, 3)},
        BadCase{"invertedWindow", WithByte(WithByte(kGood, 8, 0), 4, 5)},
        BadCase{"truncatedRows", Concat(PcxHeader(4, 2, 8, 1, 4), {0xC4, 3, 0xC2})},
        BadCase{"hugeClaimTinyData", Concat(PcxHeader(30000, 8000, 8, 1, 30000), {0xFF, 1})}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lumi
