// Resize, crop and bitmap conversion of RGB buffers.
#include <gtest/gtest.h>

#include "base/parallel_render.h"
#include "image/dib_section.h"
#include "image/pixwerk.h"

namespace lumi {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Resize(const Bytes& src, int sw, int sh, int dw, int dh) {
  Bytes out(static_cast<std::size_t>(dw) * dh * 3, 0xEE);
  EXPECT_TRUE(PxResizeRGB(src.data(), sw, sh, out.data(), dw, dh));
  return out;
}

TEST(PxResizeRGB, OnePixelToThreeByThreeIsNineCopies) {
  const Bytes out = Resize({10, 20, 30}, 1, 1, 3, 3);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(Bytes(out.begin() + i * 3, out.begin() + i * 3 + 3), (Bytes{10, 20, 30}));
}

TEST(PxResizeRGB, BlackAndWhiteToFourWideTruncates) {
  EXPECT_EQ(Resize({0, 0, 0, 255, 255, 255}, 2, 1, 4, 1),
            (Bytes{0, 0, 0, 127, 127, 127, 255, 255, 255, 255, 255, 255}));
  // The same down the rows.
  EXPECT_EQ(Resize({0, 0, 0, 255, 255, 255}, 1, 2, 1, 4),
            (Bytes{0, 0, 0, 127, 127, 127, 255, 255, 255, 255, 255, 255}));
}

TEST(PxResizeRGB, SameSizeIsACopyAndHalvingPicksEvenPixels) {
  Bytes src;
  for (int i = 0; i < 4 * 4 * 3; ++i) src.push_back(static_cast<std::uint8_t>(i * 5));
  EXPECT_EQ(Resize(src, 4, 4, 4, 4), src);
  const Bytes half = Resize(src, 4, 4, 2, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 2; ++x) {
      for (int c = 0; c < 3; ++c) EXPECT_EQ(half[(y * 2 + x) * 3 + c], src[(y * 2 * 4 + x * 2) * 3 + c]);
    }
  }
}

TEST(PxResizeRGB, MissingBuffersOrSizesAreBadParameters) {
  Bytes one = {1, 2, 3}, out(27);
  EXPECT_FALSE(PxResizeRGB(nullptr, 1, 1, out.data(), 3, 3));
  EXPECT_EQ(PxGetLastError(), 5);
  EXPECT_FALSE(PxResizeRGB(one.data(), 1, 1, nullptr, 3, 3));
  EXPECT_FALSE(PxResizeRGB(one.data(), 0, 1, out.data(), 3, 3));
  EXPECT_FALSE(PxResizeRGB(one.data(), 1, 1, out.data(), 3, 0));
  EXPECT_EQ(PxGetLastError(), 5);
}

TEST(PxCropRGB, CutsTheRectangle) {
  Bytes src;
  for (int i = 0; i < 3 * 3; ++i) src.insert(src.end(), {static_cast<std::uint8_t>(i), 0, 0});
  const auto out = PxCropRGB(src.data(), 3, 3, 1, 1, 3, 3);
  ASSERT_TRUE(out);
  EXPECT_EQ(out->width, 2);
  EXPECT_EQ(out->height, 2);
  EXPECT_EQ(out->pixels, (Bytes{4, 0, 0, 5, 0, 0, 7, 0, 0, 8, 0, 0}));
}

TEST(PxCropRGB, RefusesRectanglesOutsideThePicture) {
  const Bytes src(27, 1);
  struct Case {
    int left, top, right, bottom, code;
  };
  for (const Case& c : {Case{2, 0, 1, 3, 5}, Case{0, 2, 3, 1, 5}, Case{0, 0, 4, 3, 5},
                        Case{0, 0, 3, 4, 5}, Case{-1, 0, 2, 2, 5}, Case{0, -1, 2, 2, 5},
                        Case{1, 1, 1, 3, 0}, Case{0, 2, 3, 2, 0}}) {
    PxSetLastError(99);
    EXPECT_FALSE(PxCropRGB(src.data(), 3, 3, c.left, c.top, c.right, c.bottom));
    EXPECT_EQ(PxGetLastError(), c.code) << c.left << c.top << c.right << c.bottom;
  }
}

TEST(PxBitmapToRGB, ThirtyTwoBitsAndIndexedBitmaps) {
  CDIBSection full;
  full.Create(2, 2);
  full.FillRGBA(0x00302010);  // red 0x10, green 0x20, blue 0x30
  full.Row(1)[4] = 0xFF;       // bottom-right pixel's blue
  auto out = PxBitmapToRGB(full);
  ASSERT_TRUE(out);
  EXPECT_EQ(out->pixels, (Bytes{16, 32, 48, 16, 32, 48, 16, 32, 48, 16, 32, 255}));

  CDIBSection indexed;
  indexed.Create(3, 1, 4, false);
  auto table = indexed.ColourTable();
  table[4 * 2 + 2] = 77;  // entry 2: red 77
  indexed.Row(0)[0] = 0x02;
  indexed.Row(0)[1] = 0x20;
  out = PxBitmapToRGB(indexed);
  ASSERT_TRUE(out);
  EXPECT_EQ(out->pixels, (Bytes{0, 0, 0, 77, 0, 0, 77, 0, 0}));

  EXPECT_FALSE(PxBitmapToRGB(CDIBSection()));
  EXPECT_EQ(PxGetLastError(), 5);
}

// Large bitmaps are filled and converted in bands of rows on the render threads; every
// band must land on its own rows, whatever the number of threads.
TEST(PxBitmapToRGB, LargeBitmapsGiveTheSameBytesAtEveryThreadCount) {
  auto convert = [](int threads, int bits) {
    SetRenderThreadCount(threads);
    CDIBSection bitmap;
    bitmap.Create(601, 307, bits, bits == 32);
    if (bits == 32) bitmap.FillRGBA(0x00405060);
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.RowBytes(); x += 7) bitmap.Row(y)[x] = static_cast<std::uint8_t>(x + 3 * y);
    auto rgb = PxBitmapToRGB(bitmap);
    SetRenderThreadCount(0);
    return rgb ? rgb->pixels : Bytes{};
  };
  for (const int bits : {32, 24, 16, 8}) {
    const Bytes one = convert(1, bits);
    ASSERT_EQ(one.size(), 601u * 307 * 3) << bits;
    EXPECT_EQ(convert(2, bits), one) << bits << " bits";
    EXPECT_EQ(convert(8, bits), one) << bits << " bits";
  }
}

}  // namespace
}  // namespace lumi
