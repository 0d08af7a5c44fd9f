// The texture catalogue: loading files into the bank, finding textures by name with the
// missing-texture messages, the bars' texture lists and captions, and the thumbnails.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/host.h"
#include "image/image_loader.h"
#include "image/pixwerk.h"
#include "image_fixtures.h"
#include "library/texture_bank.h"
#include "library/texture_list.h"
#include "library/texture_lookup.h"

namespace lumi {
namespace {

namespace fs = std::filesystem;
using fixtures::TempDir;

// RGB pixels where every pixel differs: red = x, green = y, blue = seed.
std::vector<std::uint8_t> Pattern(int w, int h, std::uint8_t seed) {
  std::vector<std::uint8_t> rgb;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) rgb.insert(rgb.end(), {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), seed});
  return rgb;
}

std::string Folder(const TempDir& dir) { return dir.Path().string() + "/"; }

void SaveBmp(const TempDir& dir, const std::string& name, int w, int h, std::uint8_t seed = 7) {
  const std::vector<std::uint8_t> rgb = Pattern(w, h, seed);
  ASSERT_TRUE(PxSaveBMP(dir.File(name), rgb.data(), w, h));
}

TEST(TextureLoad, NamesTheEntryByTheLowerCasedFileName) {
  TempDir dir;
  SaveBmp(dir, "Brick Wall.BMP", 5, 3);
  CTextureBank bank;
  RecordingHost host;
  const TextureView t = bank.Load(Folder(dir) + "Brick Wall.BMP", host);
  ASSERT_TRUE(t);
  ASSERT_EQ(bank.Size(), 1u);
  EXPECT_EQ(bank.Entry(0).name, "brick wall.bmp");
  EXPECT_EQ(t.width, 5);
  EXPECT_EQ(t.height, 3);
  EXPECT_EQ(bank.Entry(0).pixels, Pattern(5, 3, 7));
  EXPECT_TRUE(host.Messages().empty());
}

TEST(TextureLoad, FailuresAddNothingAndOnlyAGifTellsWhy) {
  TempDir dir;
  dir.Write("broken.jpg", {1, 2, 3, 4});
  dir.Write("broken.gif", {'G', 'I', 'F', '8', '9', 'a', 1});
  SaveBmp(dir, "real.bmp", 2, 2);
  fs::copy_file(dir.File("real.bmp"), dir.File("real.tga"));
  CTextureBank bank;
  RecordingHost host;
  EXPECT_FALSE(bank.Load(Folder(dir) + "broken.jpg", host));
  EXPECT_FALSE(bank.Load(Folder(dir) + "absent.png", host));
  EXPECT_FALSE(bank.Load(Folder(dir) + "real.tga", host));  // no reader for .tga
  EXPECT_TRUE(host.Messages().empty());

  std::string gif_text;
  ASSERT_FALSE(LoadImageFile(dir.File("broken.gif"), &gif_text));
  ASSERT_FALSE(gif_text.empty());
  EXPECT_FALSE(bank.Load(Folder(dir) + "broken.gif", host));
  EXPECT_EQ(host.Messages(), std::vector<std::string>{gif_text});
  EXPECT_EQ(bank.Size(), 0u);
}

TEST(TextureLookup, NameDifferingInCaseIsFoundWithoutReadingTheFileAgain) {
  TempDir dir;
  const std::vector<std::uint8_t> rgb = Pattern(8, 8, 3);
  ASSERT_TRUE(PxSaveJPG(dir.File("marble.jpg"), rgb.data(), 8, 8, 90, true, false));
  CTextureBank bank;
  RecordingHost host;
  std::string name = "marble.jpg";
  ASSERT_TRUE(FindOrLoadTexture(bank, Folder(dir), name, MissingTextureText::kFill, host));
  fs::remove(dir.File("marble.jpg"));  // a second read would now fail
  std::string other = "Marble.JPG";
  EXPECT_TRUE(FindOrLoadTexture(bank, Folder(dir), other, MissingTextureText::kFill, host));
  EXPECT_EQ(other, "Marble.JPG");
  EXPECT_EQ(bank.Size(), 1u);
  EXPECT_TRUE(host.Messages().empty());
}

TEST(TextureLookup, MissingTexturesTellTheUserAndClearTheName) {
  struct Case {
    MissingTextureText which;
    std::string name;
    std::string message;
  } cases[] = {
      {MissingTextureText::kFill, "gone.jpg",
       "This file uses missing texture: gone.jpg\nThe texture was not saved to the project "
       "file\nand it is also missing in the subfirectory Textures."},
      {MissingTextureText::kCutTransparency, "holes.png",
       "This file uses missing transparency texture: holes.png\nThe texture was not saved to "
       "the project file\nand it is also missing in the subfirectory Transp."},
      {MissingTextureText::kPaintTransparency, "old\\mist.bmp",
       "This file uses missing transparent texture: old\\mist.bmp\nThe texture was not saved "
       "to the project file\nand it is also missing in the subfirectory Transp."},
      // The fill and the cut name the tried file after its last separator.
      {MissingTextureText::kFill, "old\\wood.jpg",
       "This file uses missing texture: wood.jpg\nThe texture was not saved to the project "
       "file\nand it is also missing in the subfirectory Textures."},
  };
  TempDir dir;
  for (const Case& c : cases) {
    CTextureBank bank;
    RecordingHost host;
    std::string name = c.name;
    EXPECT_FALSE(FindOrLoadTexture(bank, Folder(dir), name, c.which, host));
    EXPECT_EQ(name, "");
    EXPECT_EQ(host.Messages(), std::vector<std::string>{c.message});
  }
}

TEST(TextureList, ReservedEntriesThenListedFilesInByteOrder) {
  TempDir dir;
  for (const char* name : {"b.jpg", "A.PNG", "_wood.jpg", "a.b.jpg", "notes.txt", "Z.Gif", "x.tga", "\xC3\xA9.bmp",
                           "No Texture.bmp", "Flat.tmb", "s.TIF", "p.pcx", "jpg"})
    dir.Write(name, {0});
  fs::create_directory(dir.File("folder.jpg"));
  EXPECT_EQ(TextureListItems(TextureListKind::kFill, Folder(dir)),
            (std::vector<std::string>{"No Texture.bmp", "Linear Gradient.tmb", "Radial Gradient.tmb", "A.PNG",
                                      "Z.Gif", "_wood.jpg", "a.b.jpg", "b.jpg", "p.pcx", "s.TIF", "x.tga",
                                      "\xC3\xA9.bmp"}));
  // "No Texture.bmp" is reserved only in the colour bar.
  const std::vector<std::string> transparency = TextureListItems(TextureListKind::kTransparency, Folder(dir));
  ASSERT_GE(transparency.size(), 5u);
  EXPECT_EQ((std::vector<std::string>(transparency.begin(), transparency.begin() + 5)),
            (std::vector<std::string>{"Flat.tmb", "Linear.tmb", "Radial.tmb", "A.PNG", "No Texture.bmp"}));
  EXPECT_EQ(TextureListItems(TextureListKind::kTransparency, Folder(dir) + "absent/"),
            (std::vector<std::string>{"Flat.tmb", "Linear.tmb", "Radial.tmb"}));
}

TEST(TextureList, Captions) {
  const std::pair<const char*, const char*> cases[] = {
      {"_wood.jpg", "wood"}, {"a.b.jpg", "a.b"}, {"Linear Gradient.tmb", "Linear Gradient"},
      {"plain", "plain"},    {"__x.png", "_x"},
  };
  for (auto [item, caption] : cases) EXPECT_EQ(TextureCaption(item), caption) << item;
}

TEST(Thumbnails, TopLeftCornerAtMost79By32WrittenOnceAsA24BitBmp) {
  TempDir dir;
  SaveBmp(dir, "small.bmp", 40, 20, 1);
  const std::vector<std::uint8_t> big = Pattern(300, 200, 2);
  ASSERT_TRUE(PxSavePNG(dir.File("big.png"), big.data(), 300, 200));
  CTextureBank bank;

  const auto small = TextureListPicture(Folder(dir), "small.bmp", bank);
  ASSERT_TRUE(small);
  EXPECT_EQ(small->width, 40);  // the picture drawn is the texture itself
  const auto small_thumb = PxLoadBMP(dir.File("small.tmb"));
  ASSERT_TRUE(small_thumb);
  EXPECT_EQ(small_thumb->width, 40);
  EXPECT_EQ(small_thumb->height, 20);
  EXPECT_EQ(small_thumb->pixels, Pattern(40, 20, 1));

  ASSERT_TRUE(TextureListPicture(Folder(dir), "big.png", bank));
  const std::vector<std::uint8_t> file = TempDir::Read(dir.File("big.tmb"));
  // 54 header bytes, then 32 rows of 79 x 3 bytes padded to 240; 24 bits, uncompressed.
  ASSERT_EQ(file.size(), 54u + 240u * 32u);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[28], 24);
  EXPECT_EQ(file[30], 0);
  const auto big_thumb = PxLoadBMP(dir.File("big.tmb"));
  ASSERT_TRUE(big_thumb);
  EXPECT_EQ(big_thumb->width, 79);
  EXPECT_EQ(big_thumb->height, 32);
  EXPECT_EQ(big_thumb->pixels, Pattern(79, 32, 2));

  // Replacing the texture keeps the old thumbnail, which is now what the list shows.
  const std::vector<std::uint8_t> other = Pattern(300, 200, 99);
  ASSERT_TRUE(PxSavePNG(dir.File("big.png"), other.data(), 300, 200));
  const auto again = TextureListPicture(Folder(dir), "big.png", bank);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->pixels, Pattern(79, 32, 2));
  EXPECT_EQ(TempDir::Read(dir.File("big.tmb")), file);
}

TEST(Thumbnails, ProjectTexturesComeFromTheBankAndPlaceholdersHaveNoPicture) {
  TempDir dir;
  CTextureBank bank;
  bank.Add("project-texture", Pattern(3, 2, 5), 3, 2);
  const auto picture = TextureListPicture(Folder(dir), "project-texture", bank);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->pixels, Pattern(3, 2, 5));
  EXPECT_FALSE(fs::exists(dir.File("project-texture")));
  EXPECT_TRUE(fs::is_empty(dir.Path()));  // no thumbnail for a texture without a file
  for (const char* item : {"No Texture", "None", "", "nowhere.jpg"})
    EXPECT_FALSE(TextureListPicture(Folder(dir), item, bank)) << item;
}

TEST(Thumbnails, PathReplacesTheLastThreeCharacters) {
  EXPECT_EQ(ThumbnailPath("/t/marble.jpg"), "/t/marble.tmb");
  EXPECT_EQ(ThumbnailPath("/t/Flat.tmb"), "/t/Flat.tmb");
  EXPECT_EQ(ThumbnailPath("/t/x.tiff"), "/t/x.ttmb");
}

}  // namespace
}  // namespace lumi
