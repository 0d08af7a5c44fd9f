#include <gtest/gtest.h>

#include <tiffio.h>

#include "image/pixwerk.h"
#include "image_fixtures.h"

namespace lumi {
namespace {

using fixtures::Bytes;
using fixtures::TempDir;

// Writes a TIFF with libtiff: `samples` per pixel of 8 bits, rows top first.
std::filesystem::path WriteTiff(const TempDir& dir, const std::string& name, int width, int height,
                                int samples, const Bytes& pixels, int compression = COMPRESSION_NONE,
                                bool unassociated_alpha = false) {
  const auto path = dir.File(name);
  TIFF* tif = TIFFOpen(path.c_str(), "w");
  EXPECT_NE(tif, nullptr);
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, samples);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, samples >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, compression);
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 2);
  if (unassociated_alpha) {
    const std::uint16_t extra = EXTRASAMPLE_UNASSALPHA;
    TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, &extra);
  }
  Bytes row(static_cast<std::size_t>(width) * samples);
  for (int y = 0; y < height; ++y) {
    std::copy(pixels.begin() + y * row.size(), pixels.begin() + (y + 1) * row.size(), row.begin());
    TIFFWriteScanline(tif, row.data(), y, 0);
  }
  TIFFClose(tif);
  return path;
}

TEST(TiffReader, RgbInEveryCompression) {
  TempDir dir;
  Bytes rgb;
  for (int i = 0; i < 5 * 3 * 3; ++i) rgb.push_back(static_cast<std::uint8_t>(i * 5));
  for (int compression : {COMPRESSION_NONE, COMPRESSION_LZW, COMPRESSION_ADOBE_DEFLATE, COMPRESSION_PACKBITS}) {
    const auto path = WriteTiff(dir, "rgb.tif", 5, 3, 3, rgb, compression);
    const auto image = PxLoadTIF(path);
    ASSERT_TRUE(image) << compression;
    EXPECT_EQ(PxGetLastError(), 0);
    EXPECT_EQ(image->width, 5);
    EXPECT_EQ(image->height, 3);
    EXPECT_EQ(image->pixels, rgb) << compression;
  }
}

TEST(TiffReader, GreyBecomesRgbAndAlphaIsFlattenedOnBlack) {
  TempDir dir;
  const auto grey = PxLoadTIF(WriteTiff(dir, "g.tif", 2, 1, 1, {10, 200}));
  ASSERT_TRUE(grey);
  EXPECT_EQ(grey->pixels, (Bytes{10, 10, 10, 200, 200, 200}));
  const auto alpha = PxLoadTIF(WriteTiff(dir, "a.tif", 2, 1, 4, {255, 100, 50, 0, 255, 100, 50, 255},
                                         COMPRESSION_NONE, true));
  ASSERT_TRUE(alpha);
  EXPECT_EQ(alpha->pixels, (Bytes{0, 0, 0, 255, 100, 50}));
}

TEST(TiffReader, DamagedFilesFailQuietlyWithCode20) {
  TempDir dir;
  const Bytes good = TempDir::Read(WriteTiff(dir, "x.tif", 16, 16, 3, Bytes(16 * 16 * 3, 9)));
  Bytes huge = good;  // first directory entry (width, a SHORT or LONG) set very large
  const std::size_t ifd = good[4] | (good[5] << 8) | (good[6] << 16) | (good[7] << 24);
  for (std::size_t e = 0; e < 12; ++e) {
    const std::size_t at = ifd + 2 + e * 12;
    if (huge[at] == 0 && huge[at + 1] == 1) {  // tag 256, image width
      huge[at + 8] = 0x30;
      huge[at + 9] = 0x75;
    }
    if (huge[at] == 1 && huge[at + 1] == 1) {  // tag 257, image length
      huge[at + 8] = 0x30;
      huge[at + 9] = 0x75;
    }
  }
  ::testing::internal::CaptureStderr();
  for (const Bytes& bad : {Bytes{}, Bytes{'I', 'I', 42, 0}, Bytes(good.begin(), good.begin() + 200),
                           Bytes(good.begin(), good.begin() + 8), huge, Bytes(100, 0xFF)}) {
    PxSetLastError(0);
    EXPECT_FALSE(PxDecodeTIF(bad));
    EXPECT_EQ(PxGetLastError(), 20);
  }
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace lumi
