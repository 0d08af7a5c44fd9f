#include "image/dib_section.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "base/errors.h"
#include "base/parallel_render.h"
#include "dib_reference.h"

namespace lumi {
namespace {

std::vector<std::uint8_t> PixelOf(const CDIBSection& b, int x, int row) {
  const std::uint8_t* p = b.Row(row) + x * 4;
  return {p[0], p[1], p[2], p[3]};
}

void SetPixel(CDIBSection& b, int x, int row, std::vector<std::uint8_t> bgra) {
  std::copy(bgra.begin(), bgra.end(), b.Row(row) + x * 4);
}

TEST(CDIBSection, NewBitmapIsAnEmptyPlaceholder) {
  CDIBSection b;
  EXPECT_TRUE(b.IsEmpty());
  EXPECT_EQ(b.Width(), 16);
  EXPECT_EQ(b.Height(), 16);
  EXPECT_EQ(b.Bits(), 8);
}

TEST(CDIBSection, RowZeroIsTheTopRowStoredLast) {
  CDIBSection b;
  b.Create(3, 4);
  EXPECT_FALSE(b.IsEmpty());
  EXPECT_EQ(b.RowBytes(), 12);
  EXPECT_EQ(b.Row(3), b.Pixels());
  EXPECT_EQ(b.Row(0), b.Pixels() + 3 * 12);
  EXPECT_EQ(b.TotalSize(), 40u + 48u);
}

TEST(CDIBSection, RowBytesPadToFourBytes) {
  const struct {
    int width, bits, bytes;
  } cases[] = {{1, 1, 4}, {33, 1, 8}, {3, 8, 4}, {5, 8, 8}, {3, 24, 12}, {1, 24, 4}, {7, 32, 28}};
  for (const auto& c : cases) EXPECT_EQ(CDIBSection::RowBytesFor(c.width, c.bits), c.bytes);
}

TEST(CDIBSection, ImpossibleSizesAreRefusedBeforeAllocating) {
  const struct {
    int w, h;
  } bad[] = {{0, 5}, {5, 0}, {-1, 5}, {32769, 1}, {1, 32769}, {20000, 20000}};
  for (const auto& c : bad) {
    CDIBSection b;
    b.Create(2, 2);
    b.FillRGBA(RGB(1, 2, 3));
    EXPECT_THROW(b.Create(c.w, c.h), BitmapError) << c.w << " x " << c.h;
    EXPECT_EQ(b.Width(), 2) << "a refused Create changed the bitmap";
    EXPECT_EQ(PixelOf(b, 1, 1), (std::vector<std::uint8_t>{3, 2, 1, 255}));
  }
  CDIBSection edge;
  EXPECT_NO_THROW(edge.Create(32768, 1));
}

TEST(CDIBSection, FillsSetChannelsFromColourRef) {
  CDIBSection b;
  b.Create(2, 2);
  b.SetAlpha(77);
  b.FillRGB(RGB(10, 20, 30));
  EXPECT_EQ(PixelOf(b, 1, 0), (std::vector<std::uint8_t>{30, 20, 10, 77}));
  b.FillRGBA(RGB(10, 20, 30));
  EXPECT_EQ(PixelOf(b, 0, 1), (std::vector<std::uint8_t>{30, 20, 10, 255}));
}

TEST(CDIBSection, OperationsOnAnEmptyBitmapDoNothing) {
  CDIBSection empty;
  const auto before = empty.ExportPackedDib();
  empty.FillRGBA(RGB(255, 0, 0));
  empty.SetAlpha(9);
  const std::uint8_t mask[256] = {};
  empty.SetAlphaFromMask(mask);
  CDIBSection src;
  src.Create(4, 4);
  src.FillRGBA(RGB(1, 1, 1));
  empty.BlendFrom(src, 0, 0);
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_EQ(empty.ExportPackedDib(), before);

  CDIBSection dst;
  dst.Create(4, 4);
  dst.FillRGBA(RGB(9, 9, 9));
  const auto kept = dst.ExportPackedDib();
  dst.BlendFrom(CDIBSection(), 0, 0);
  EXPECT_EQ(dst.ExportPackedDib(), kept) << "blending an empty source changed the target";
}

TEST(CDIBSection, MaskRowZeroGoesToTheTopRow) {
  CDIBSection b;
  b.Create(2, 3);
  const std::uint8_t mask[] = {1, 2, 3, 4, 5, 6};  // top row first
  b.SetAlphaFromMask(mask);
  EXPECT_EQ(b.Row(0)[3], 1);
  EXPECT_EQ(b.Row(0)[7], 2);
  EXPECT_EQ(b.Row(2)[3], 5);
  EXPECT_EQ(b.Pixels()[3], 5) << "storage row 0 is the bottom image row";
}

TEST(CDIBSection, BlendRule) {
  const struct {
    std::uint8_t src_alpha;
    std::vector<std::uint8_t> expected;
  } cases[] = {
      {0, {10, 20, 30, 255}},      // destination kept
      {255, {200, 100, 50, 255}},  // all four bytes copied
      // (s*a + d*(255-a)) >> 8 for every byte, alpha included: alpha 190, not 255
      {128, {(200 * 128 + 10 * 127) >> 8, (100 * 128 + 20 * 127) >> 8,
             (50 * 128 + 30 * 127) >> 8, 190}},
  };
  for (const auto& c : cases) {
    CDIBSection dst, src;
    dst.Create(1, 1);
    SetPixel(dst, 0, 0, {10, 20, 30, 255});
    src.Create(1, 1);
    SetPixel(src, 0, 0, {200, 100, 50, c.src_alpha});
    dst.BlendFrom(src, 0, 0);
    EXPECT_EQ(PixelOf(dst, 0, 0), c.expected) << int(c.src_alpha);
  }
}

TEST(CDIBSection, BlendPositionCountsStorageRowsFromTheBottom) {
  CDIBSection dst, src;
  dst.Create(3, 3);
  src.Create(1, 1);
  src.FillRGBA(RGB(255, 255, 255));
  dst.BlendFrom(src, 2, 0);
  EXPECT_EQ(PixelOf(dst, 2, 2)[3], 255) << "y = 0 is the bottom row";
  EXPECT_EQ(PixelOf(dst, 2, 0)[3], 0);
}

TEST(CDIBSection, BlendMatchesReferenceWithClipping) {
  std::mt19937 rng(2024);
  std::uniform_int_distribution<int> byte(0, 255), size(1, 9), pos(-12, 12);
  for (int trial = 0; trial < 300; ++trial) {
    CDIBSection dst, src;
    dst.Create(size(rng), size(rng));
    src.Create(size(rng), size(rng));
    for (std::size_t i = 0; i < dst.PixelBytes(); ++i) dst.Pixels()[i] = byte(rng);
    for (std::size_t i = 0; i < src.PixelBytes(); ++i) {
      // Favour the alpha values the blend treats specially.
      const int v = byte(rng);
      src.Pixels()[i] = (i % 4 == 3 && v < 64) ? (v < 32 ? 0 : 255) : v;
    }
    CDIBSection expected = dst;
    const int x = pos(rng), y = pos(rng);
    reference::BlendFrom(expected, src, x, y);
    dst.BlendFrom(src, x, y);
    ASSERT_EQ(dst.ExportPackedDib(), expected.ExportPackedDib()) << "trial " << trial;
  }
}

TEST(CDIBSection, CopyFromAndAssignDifferInTheAlphaFlag) {
  CDIBSection src;
  src.Create(2, 1, 32, false);
  src.FillRGBA(RGB(4, 5, 6));

  CDIBSection copy;
  copy.CopyFrom(&src);
  EXPECT_TRUE(copy.HasAlphaFlag());
  EXPECT_EQ(PixelOf(copy, 1, 0), (std::vector<std::uint8_t>{6, 5, 4, 255}));

  CDIBSection assigned;
  assigned.Assign(src);
  EXPECT_FALSE(assigned.HasAlphaFlag());
  EXPECT_FALSE(assigned.IsEmpty());
  EXPECT_EQ(PixelOf(assigned, 0, 0), (std::vector<std::uint8_t>{6, 5, 4, 255}));

  // An empty or missing source leaves CopyFrom's target as it was; Assign takes the
  // empty flag.
  copy.CopyFrom(nullptr);
  copy.CopyFrom(&assigned.operator=(CDIBSection()));
  EXPECT_EQ(copy.Width(), 2);
  EXPECT_FALSE(copy.IsEmpty());
  copy.Assign(CDIBSection());
  EXPECT_TRUE(copy.IsEmpty());
}

TEST(CDIBSection, CopyFromExpandsLowerDepths) {
  CDIBSection indexed;
  indexed.Create(3, 1, 4, false);
  indexed.ColourTable()[4 * 2 + 0] = 11;  // entry 2: blue 11, green 22, red 33
  indexed.ColourTable()[4 * 2 + 1] = 22;
  indexed.ColourTable()[4 * 2 + 2] = 33;
  indexed.Pixels()[0] = 0x02;  // pixel 0 = entry 0, pixel 1 = entry 2
  CDIBSection copy;
  copy.CopyFrom(&indexed);
  ASSERT_EQ(copy.Bits(), 32);
  EXPECT_EQ(PixelOf(copy, 0, 0), (std::vector<std::uint8_t>{0, 0, 0, 255}));
  EXPECT_EQ(PixelOf(copy, 1, 0), (std::vector<std::uint8_t>{11, 22, 33, 255}));
}

// Object images are replaced on every render: a small bitmap put over a large one, by
// any of the ways an image is replaced, must hold no more than its own pixels.
TEST(CDIBSection, ReplacingALargeBitmapKeepsNoneOfItsStorage) {
  CDIBSection small;
  small.Create(3, 2);
  small.FillRGBA(RGB(7, 8, 9));
  const struct {
    const char* way;
    void (*replace)(CDIBSection& target, const CDIBSection& source);
  } ways[] = {
      {"copy assignment", [](CDIBSection& t, const CDIBSection& s) { t = s; }},
      {"move assignment", [](CDIBSection& t, const CDIBSection& s) { t = CDIBSection(s); }},
      {"CopyFrom", [](CDIBSection& t, const CDIBSection& s) { t.CopyFrom(&s); }},
      {"Assign", [](CDIBSection& t, const CDIBSection& s) { t.Assign(s); }},
      {"Create", [](CDIBSection& t, const CDIBSection& s) { t.Create(s.Width(), s.Height()); }},
  };
  for (const auto& w : ways) {
    CDIBSection large;
    large.Create(400, 300);
    w.replace(large, small);
    EXPECT_EQ(large.Width(), 3) << w.way;
    EXPECT_EQ(large.HeldBytes(), small.PixelBytes()) << w.way << " kept the large storage";
  }
}

// New storage starts cleared even where it reuses memory a freed bitmap filled, at every
// depth and size, whether one thread clears it or several in bands of rows.
TEST(CDIBSection, NewStorageIsClearedWhateverTheMemoryHeld) {
  const struct {
    int width, height, bits;
  } sizes[] = {{1, 1, 32}, {37, 5, 24}, {700, 300, 32}, {1203, 111, 8}, {640, 480, 1}};
  for (const int threads : {1, 2, 8}) {
    SetRenderThreadCount(threads);
    for (const auto& s : sizes) {
      for (int round = 0; round < 3; ++round) {
        CDIBSection bitmap;
        bitmap.Create(s.width, s.height, s.bits, s.bits == 32);
        const std::uint8_t* p = bitmap.Pixels();
        const std::size_t n = bitmap.PixelBytes();
        EXPECT_EQ(std::count(p, p + n, 0), static_cast<std::ptrdiff_t>(n))
            << s.width << " x " << s.height << " at " << s.bits << " bits, " << threads << " threads";
        std::memset(bitmap.Pixels(), 0xAB, n);  // what the next round's storage may be given
      }
    }
  }
  SetRenderThreadCount(0);
}

TEST(CDIBSection, FromRgbReadsTopDownPackedRows) {
  const std::uint8_t rgb[] = {1, 2, 3, 4, 5, 6,   // top row
                              7, 8, 9, 10, 11, 12};
  CDIBSection b;
  b.FromRGB(rgb, 2, 2);
  EXPECT_FALSE(b.HasAlphaFlag());
  EXPECT_EQ(PixelOf(b, 0, 0), (std::vector<std::uint8_t>{3, 2, 1, 255}));
  EXPECT_EQ(PixelOf(b, 1, 1), (std::vector<std::uint8_t>{12, 11, 10, 255}));
  EXPECT_EQ(b.Pixels()[0], 9) << "the bottom row is stored first";
}

}  // namespace
}  // namespace lumi
