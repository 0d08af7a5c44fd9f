#include "library/texture_bank.h"

#include <gtest/gtest.h>

#include "base/archive.h"
#include "base/errors.h"
#include "image/dib_section.h"

namespace lumi {
namespace {

std::vector<std::uint8_t> Rgb(int w, int h, std::uint8_t seed) {
  std::vector<std::uint8_t> v(static_cast<std::size_t>(w) * h * 3);
  for (std::size_t i = 0; i < v.size(); ++i) v[i] = static_cast<std::uint8_t>(seed + i);
  return v;
}

std::vector<std::uint8_t> Store(CTextureBank& bank) {
  MemorySink sink;
  CArchive ar(sink);
  bank.Serialize(ar);
  return sink.TakeBytes();
}

void Load(CTextureBank& bank, const std::vector<std::uint8_t>& bytes) {
  MemorySource source(bytes);
  CArchive ar(source);
  bank.Serialize(ar);
  EXPECT_EQ(source.Remaining(), 0u);
}

TEST(TextureBank, FindIgnoresCaseOfTheAskedName) {
  CTextureBank bank;
  bank.Add("Marble.JPG", Rgb(2, 1, 0), 2, 1);
  EXPECT_EQ(bank.Entry(0).name, "marble.jpg");
  const TextureView t = bank.Find("mArBlE.jpg");
  ASSERT_TRUE(t);
  EXPECT_EQ(t.width, 2);
  EXPECT_EQ(t.pixels[3], 3);
  EXPECT_FALSE(bank.Find(""));
  EXPECT_FALSE(bank.Find("marble.jp"));
  EXPECT_EQ(LowerTextureName("\xC3\x89T\xC3\x89.BMP"), "\xC3\xA9t\xC3\xA9.bmp");  // ÉTÉ
}

TEST(TextureBank, ProjectTexturesTakeTheFirstFreeName) {
  CTextureBank bank;
  CDIBSection bmp;
  bmp.Create(2, 2);
  // Top row red, bottom row blue: the entry must come out top row first.
  bmp.Row(0)[2] = 255;
  bmp.Row(0)[6] = 255;
  bmp.Row(1)[0] = 255;
  bmp.Row(1)[4] = 255;
  EXPECT_EQ(bank.AddProjectTexture(bmp), "project-texture");
  EXPECT_EQ(bank.AddProjectTexture(bmp), "project-texture 1");
  EXPECT_EQ(bank.AddProjectTexture(bmp), "project-texture 2");
  const TextureView t = bank.Find("Project-Texture");
  ASSERT_TRUE(t);
  const std::vector<std::uint8_t> top_then_bottom = {255, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 255};
  EXPECT_EQ(std::vector<std::uint8_t>(t.pixels, t.pixels + 12), top_then_bottom);
  EXPECT_EQ(bank.AddProjectTexture(CDIBSection()), "");
}

TEST(TextureBank, PruningKeepsOnlyNamedEntriesInOrder) {
  CTextureBank bank;
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"}) bank.Add(name, Rgb(1, 1, 0), 1, 1);
  bank.ClearUsedMarks();
  bank.MarkUsed("D.JPG", "");
  bank.MarkUsed("No Texture.bmp", "b.jpg");
  bank.RemoveUnused();
  ASSERT_EQ(bank.Size(), 2u);
  EXPECT_EQ(bank.Entry(0).name, "b.jpg");
  EXPECT_EQ(bank.Entry(1).name, "d.jpg");
}

TEST(TextureBank, BlockBytes) {
  CTextureBank empty;
  EXPECT_EQ(Store(empty), (std::vector<std::uint8_t>{0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));

  CTextureBank bank;
  bank.Add("ab", {1, 2, 3, 4, 5, 6}, 2, 1);
  const std::vector<std::uint8_t> expected = {
      1, 0, 0, 0,                    // count
      2, 'a', 'b',                   // name
      2, 0, 0, 0, 1, 0, 0, 0,        // width, height
      6, 0, 0, 0, 1, 2, 3, 4, 5, 6,  // byte length, pixels
      0xFF, 0xFF, 0xFF, 0xFF,        // entry end mark
      0xFF, 0xFF, 0xFF, 0xFF};       // block end mark
  EXPECT_EQ(Store(bank), expected);
}

TEST(TextureBank, ReadingReplacesTheBankAndKeepsDuplicates) {
  CTextureBank source;
  source.Add("x.jpg", Rgb(3, 2, 9), 3, 2);
  source.Add("x.jpg", Rgb(1, 1, 1), 1, 1);
  const auto bytes = Store(source);

  CTextureBank bank;
  bank.Add("old.jpg", Rgb(1, 1, 0), 1, 1);
  Load(bank, bytes);
  ASSERT_EQ(bank.Size(), 2u);
  EXPECT_EQ(bank.Entry(0).pixels, Rgb(3, 2, 9));
  EXPECT_EQ(bank.Find("x.jpg").width, 3) << "the first of two equal names is found";
  EXPECT_FALSE(bank.Contains("old.jpg"));
}

TEST(TextureBank, ZeroLengthEntryHasNoPixelsAndIsNotUsable) {
  const std::vector<std::uint8_t> bytes = {1, 0, 0, 0, 1, 'z', 0, 0, 0, 0, 5, 0, 0, 0,
                                           0, 0, 0, 0, 9, 9, 9, 9, 7, 7, 7, 7};
  CTextureBank bank;
  Load(bank, bytes);
  ASSERT_EQ(bank.Size(), 1u);
  EXPECT_TRUE(bank.Contains("z"));
  EXPECT_FALSE(bank.Find("z")) << "a texture without pixels must not reach the renderer";
}

// An entry read with length 0 keeps its sizes but holds no pixels; storing it must write
// length 0 and no bytes, or everything after it in the project is out of step.
TEST(TextureBank, EntriesWithoutPixelsSurviveStoreAndReadByteForByte) {
  auto entry_without_pixels = [](std::int32_t w, std::int32_t h) {
    std::vector<std::uint8_t> b = {1, 0, 0, 0, 5, 'e', '.', 'b', 'm', 'p'};
    for (std::int32_t v : {w, h, 0, -1, -1}) {
      for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    return b;
  };
  // Sizes whose product overflows an int must not matter either.
  for (const auto& [w, h] : {std::pair{4, 3}, std::pair{32768, 32768}, std::pair{0, 0}}) {
    SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
    CTextureBank bank;
    Load(bank, entry_without_pixels(w, h));
    EXPECT_EQ(Store(bank), entry_without_pixels(w, h));

    bank.Add("loaded.jpg", Rgb(2, 2, 7), 2, 2);
    const auto first = Store(bank);
    CTextureBank again;
    Load(again, first);
    ASSERT_EQ(again.Size(), 2u);
    EXPECT_EQ(again.Find("loaded.jpg").width, 2);
    EXPECT_EQ(Store(again), first);
  }
}

TEST(TextureBank, PruningDropsAnEmptyEntryShadowedByALoadedOneOfItsName) {
  CTextureBank bank;
  bank.Add("m.jpg", {}, 4, 4);  // as read from a project without pixels
  bank.Add("m.jpg", Rgb(1, 1, 3), 1, 1);  // then loaded from the texture folder
  bank.Add("alone.jpg", {}, 4, 4);  // nothing to replace it: kept while named
  EXPECT_EQ(bank.Find("M.JPG").width, 1) << "the loaded entry, not the empty one";
  bank.ClearUsedMarks();
  bank.MarkUsed("m.jpg", "alone.jpg");
  bank.RemoveUnused();
  ASSERT_EQ(bank.Size(), 2u);
  EXPECT_EQ(bank.Entry(0).pixels, Rgb(1, 1, 3));
  EXPECT_EQ(bank.Entry(1).name, "alone.jpg");
}

TEST(TextureBank, DamagedBlocksFailAndLeaveTheBankEmpty) {
  auto with_size = [](std::int32_t w, std::int32_t h, std::int32_t length) {
    std::vector<std::uint8_t> b = {1, 0, 0, 0, 1, 'q'};
    for (std::int32_t v : {w, h, length}) {
      for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    return b;
  };
  const std::vector<std::vector<std::uint8_t>> damaged = {
      {0xFF, 0xFF, 0xFF, 0x7F},       // two billion entries in four bytes
      {0xFE, 0xFF, 0xFF, 0xFF},       // negative count
      with_size(2, 2, 11),            // length not width x height x 3
      with_size(-2, -2, 12),          // negative sizes that multiply out
      with_size(65536, 65536, 0x30000),
      with_size(100, 100, 30000),     // pixels missing
      // Both sides -2^31 with a non-zero length: the product must not be formed.
      {1, 0, 0, 0, 0, 0, 0, 0, 0x80, 0, 0, 0, 0x80, 1, 0, 0, 0, 0, 0, 0, 0, 0},
  };
  for (const auto& bytes : damaged) {
    CTextureBank bank;
    bank.Add("keep.jpg", Rgb(1, 1, 0), 1, 1);
    MemorySource src(bytes);
    CArchive ar(src);
    EXPECT_THROW(bank.Serialize(ar), ArchiveError);
    EXPECT_EQ(bank.Size(), 0u);
  }
}

}  // namespace
}  // namespace lumi
