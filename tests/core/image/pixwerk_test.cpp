// Result codes, their texts, and the choice of reader by file name.
#include <gtest/gtest.h>

#include <thread>

#include "image/image_loader.h"
#include "image/pixwerk.h"
#include "image_fixtures.h"

namespace lumi {
namespace {

using fixtures::Bytes;
using fixtures::TempDir;

TEST(ErrorText, TableAndOtherCodes) {
  const std::vector<std::pair<int, std::string>> table = {
      {0, "No error"},
      {1, "Error : out of memory"},
      {2, "Error on file open"},
      {3, "Error on file read"},
      {4, "Error on file write"},
      {5, "Bad user param"},
      {6, "Bad BMP file"},
      {7, "We don't do RLE BMP files"},
      {8, "Bad GIF file"},
      {9, "Bad jpg file"},
      {10, "Device error"},
      {11, "GetDIBits error"},
      {12, "No GIF support.."},
      {13, "Resource Not Found"},
      {14, "Operation cancelled by callback"},
      {16, "Internal PNG creation error - possibly bad params"},
      {17, "Internal Pixwerk error"},
      {18, "Font creation error"},
      {20, "Bad TIF file"},
      {15, "Error #15"},
      {19, "Error #19"},
      {22, "Error #22"},
      {-3, "Error #-3"},
  };
  for (const auto& [code, text] : table) EXPECT_EQ(ErrorText(code), text) << code;
}

TEST(PixwerkState, IsKeptPerThread) {
  PxSetLastError(6);
  PxSetDCTMethod(3);
  PxClearJPGText();
  PxAddJPGText("main");
  int other_error = -1, other_method = -1;
  std::size_t other_texts = 99;
  std::thread([&] {
    other_error = PxGetLastError();
    other_method = PxGetDCTMethod();
    other_texts = PxJPGTexts().size();
    PxSetLastError(9);
  }).join();
  EXPECT_EQ(other_error, 0);
  EXPECT_EQ(other_method, 0);
  EXPECT_EQ(other_texts, 0u);
  EXPECT_EQ(PxGetLastError(), 0);  // PxAddJPGText succeeded here
  EXPECT_EQ(PxGetDCTMethod(), 3);
  PxClearJPGText();
  PxSetDCTMethod(0);
}

TEST(LoadImageFile, ChoosesTheReaderByTheLastFourCharactersInAnyCase) {
  TempDir dir;
  const Bytes rgb = {200, 100, 50, 200, 100, 50};
  ASSERT_TRUE(PxSaveJPG(dir.File("picture.JpG"), rgb.data(), 2, 1, 95, true, false));
  ASSERT_TRUE(PxSaveJPG(dir.File("picture.jpeg"), rgb.data(), 2, 1, 95, true, false));
  ASSERT_TRUE(PxSavePNG(dir.File("p.Png"), rgb.data(), 2, 1));
  ASSERT_TRUE(PxSaveBMP(dir.File("b.bMP"), rgb.data(), 2, 1));
  // A PCX of the same picture, a TIFF named .tiff, and a GIF named .GIF.
  Bytes pcx = fixtures::PcxHeader(2, 1, 8, 3, 2);
  pcx.insert(pcx.end(), {0xC2, 200, 100, 100, 50, 50});  // 200 needs a run
  dir.Write("c.pcx", pcx);
  const fixtures::GifImage gif{2, 1, {1, 1}, {}, false, 2};
  dir.Write("g.GIF", fixtures::Gif({0, 0, 0, 200, 100, 50, 0, 0, 0, 0, 0, 0}, {fixtures::GifImageBlock(gif)}));

  for (const char* name : {"picture.JpG", "p.Png", "b.bMP", "c.pcx", "g.GIF"}) {
    std::string text = "untouched";
    const auto image = LoadImageFile(dir.File(name), &text);
    ASSERT_TRUE(image) << name;
    EXPECT_EQ(image->width, 2) << name;
    EXPECT_EQ(image->height, 1) << name;
    EXPECT_NEAR(image->pixels[0], 200, 8) << name;
    EXPECT_NEAR(image->pixels[4], 100, 8) << name;
    EXPECT_EQ(text, "untouched") << name;
  }
  for (const char* name : {"picture.jpeg", "x", "p.tiff"}) {
    std::string text;
    EXPECT_FALSE(LoadImageFile(dir.File(name), &text)) << name;
    EXPECT_EQ(text, "Image Load Error") << name;
  }
}

TEST(LoadImageFile, ReportsLibraryAndGifFailures) {
  TempDir dir;
  std::string text;
  EXPECT_FALSE(LoadImageFile(dir.Write("bad.bmp", {'B', 'M', 1}), &text));
  EXPECT_EQ(text, "Image Load Error");
  EXPECT_FALSE(LoadImageFile(dir.File("missing.tif"), &text));
  EXPECT_EQ(text, "Image Load Error");
  EXPECT_EQ(PxGetLastError(), 2);
  std::filesystem::create_directory(dir.File("folder.png"));
  EXPECT_FALSE(LoadImageFile(dir.File("folder.png"), &text));
  EXPECT_EQ(text, "Image Load Error");
  const auto gif = dir.Write("bad.gif", {'G', 'I', 'F', '8', '8', 'a'});
  EXPECT_FALSE(LoadImageFile(gif, &text));
  EXPECT_EQ(text, "Error, Bad GIF Version number");
}

TEST(LoadImageFile, TifFilesAreRead) {
  TempDir dir;
  // An uncompressed little-endian TIFF of one red pixel, assembled by hand.
  Bytes tif = {'I', 'I', 42, 0, 8, 0, 0, 0};
  const std::vector<std::array<std::uint32_t, 3>> entries = {
      {256, 3, 1}, {257, 3, 1}, {258, 3, 8}, {259, 3, 1}, {262, 3, 2},
      {273, 4, 8 + 2 + 10 * 12 + 4}, {277, 3, 3}, {278, 3, 1}, {279, 4, 3}, {284, 3, 1}};
  fixtures::Put16(tif, static_cast<unsigned>(entries.size()));
  for (const auto& [tag, type, value] : entries) {
    fixtures::Put16(tif, tag);
    fixtures::Put16(tif, type);
    fixtures::Put32(tif, 1);
    if (type == 3) {
      fixtures::Put16(tif, value);
      fixtures::Put16(tif, 0);
    } else {
      fixtures::Put32(tif, value);
    }
  }
  fixtures::Put32(tif, 0);
  tif.insert(tif.end(), {255, 0, 0});
  const auto image = LoadImageFile(dir.Write("r.TIF", tif));
  ASSERT_TRUE(image) << PxGetLastError();
  EXPECT_EQ(image->pixels, (Bytes{255, 0, 0}));
}

}  // namespace
}  // namespace lumi
