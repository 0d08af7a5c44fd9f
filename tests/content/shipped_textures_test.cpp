// The textures the program ships: each is what its generator makes (byte for byte, every
// time), reads through the texture bank, appears in its bar's list and tiles without a
// visible seam.
//
// Seam measure: the mean absolute channel difference between the last and the first
// column (the join when the texture is laid side by side) must be no larger than the
// largest such difference between two neighbouring columns inside the picture; the same
// for the last and first row. A seam shows as a join that is rougher than anything the
// picture itself contains.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "base/host.h"
#include "image/pixwerk.h"
#include "library/texture_bank.h"
#include "library/texture_list.h"
#include "texture_recipes.h"

namespace fs = std::filesystem;
using lumi::RgbImage;

namespace {

struct Seam {
  double join = 0;           // across the wrap-around edge
  double widest_inside = 0;  // largest step between neighbours inside
  bool Invisible() const { return join <= widest_inside; }
};

double Step(const RgbImage& image, int ax, int ay, int bx, int by, int count, int dx, int dy) {
  double sum = 0;
  for (int i = 0; i < count; ++i) {
    const auto* a = &image.pixels[((ay + dy * i) * image.width + ax + dx * i) * 3];
    const auto* b = &image.pixels[((by + dy * i) * image.width + bx + dx * i) * 3];
    for (int c = 0; c < 3; ++c) sum += std::abs(a[c] - b[c]);
  }
  return sum / (3.0 * count);
}

Seam ColumnSeam(const RgbImage& image) {
  Seam seam;
  seam.join = Step(image, image.width - 1, 0, 0, 0, image.height, 0, 1);
  for (int x = 0; x + 1 < image.width; ++x)
    seam.widest_inside = std::max(seam.widest_inside, Step(image, x, 0, x + 1, 0, image.height, 0, 1));
  return seam;
}

Seam RowSeam(const RgbImage& image) {
  Seam seam;
  seam.join = Step(image, 0, image.height - 1, 0, 0, image.width, 1, 0);
  for (int y = 0; y + 1 < image.height; ++y)
    seam.widest_inside = std::max(seam.widest_inside, Step(image, 0, y, 0, y + 1, image.width, 1, 0));
  return seam;
}

RgbImage Pattern(int size, int (*value)(int x, int y)) {
  RgbImage image{size, size, std::vector<std::uint8_t>(static_cast<std::size_t>(size) * size * 3)};
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      for (int c = 0; c < 3; ++c) image.pixels[(y * size + x) * 3 + c] = static_cast<std::uint8_t>(value(x, y));
  return image;
}

std::vector<char> Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::set<std::string> FilesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

// Pastes `tile` 2 x 2 at half size into the sheet cell at (cx, cy), so a seam would show
// as a cross through the cell.
void PasteTiled(RgbImage& sheet, const RgbImage& tile, int cx, int cy, int cell) {
  const int half = cell / 2;
  std::vector<std::uint8_t> small(static_cast<std::size_t>(half) * half * 3);
  ASSERT_TRUE(lumi::PxResizeRGB(tile.pixels.data(), tile.width, tile.height, small.data(), half, half));
  for (int y = 0; y < cell; ++y)
    for (int x = 0; x < cell; ++x)
      std::copy_n(&small[((y % half) * half + x % half) * 3], 3,
                  &sheet.pixels[((cy + y) * sheet.width + cx + x) * 3]);
}

TEST(SeamMeasure, FindsTheJoinOfAPictureThatDoesNotRepeat) {
  // A left-to-right ramp jumps from white back to black at the join; a stripe pattern
  // whose period divides the size joins like any of its own columns.
  const RgbImage ramp = Pattern(16, [](int x, int) { return x * 16; });
  const RgbImage stripes = Pattern(16, [](int x, int y) { return ((x / 4 + y / 2) % 2) * 200; });
  EXPECT_FALSE(ColumnSeam(ramp).Invisible());
  EXPECT_TRUE(RowSeam(ramp).Invisible());
  EXPECT_TRUE(ColumnSeam(stripes).Invisible());
  EXPECT_TRUE(RowSeam(stripes).Invisible());
}

TEST(ShippedTextures, AreListedReadThroughTheBankAndTileSeamlessly) {
  struct Folder {
    lumi::TextureListKind kind;
    const char* name;
    std::size_t at_least;
  };
  const Folder folders[] = {{lumi::TextureListKind::kFill, "Textures", 30},
                            {lumi::TextureListKind::kTransparency, "Transp", 10}};
  constexpr int kCell = 192, kColumns = 8;
  const std::size_t total = lumi::content::TextureRecipes().size();
  const int rows = static_cast<int>((total + kColumns - 1) / kColumns);
  RgbImage sheet{kCell * kColumns, kCell * rows,
                 std::vector<std::uint8_t>(static_cast<std::size_t>(kCell) * kColumns * kCell * rows * 3, 255)};
  int placed = 0;
  for (const Folder& folder : folders) {
    SCOPED_TRACE(folder.name);
    const fs::path dir = fs::path(LUMI_DATA) / folder.name;
    std::vector<std::string> listed = lumi::TextureListItems(folder.kind, dir.string() + "/");
    const auto& reserved = lumi::ReservedTextureNames(folder.kind);
    listed.erase(listed.begin(), listed.begin() + static_cast<std::ptrdiff_t>(reserved.size()));
    EXPECT_GE(listed.size(), folder.at_least);
    for (const std::string& name : listed) {
      SCOPED_TRACE(name);
      lumi::CTextureBank bank;
      lumi::RecordingHost host;
      const lumi::TextureView view = bank.Load((dir / name).string(), host);
      ASSERT_TRUE(view);
      EXPECT_TRUE(host.Messages().empty());
      EXPECT_EQ(view.width, view.height);
      EXPECT_TRUE(view.width == 256 || view.width == 512) << view.width;
      const RgbImage image{view.width, view.height,
                           std::vector<std::uint8_t>(view.pixels, view.pixels + view.width * view.height * 3)};
      const Seam columns = ColumnSeam(image), rows_seam = RowSeam(image);
      EXPECT_TRUE(columns.Invisible()) << "left/right join " << columns.join << " > " << columns.widest_inside;
      EXPECT_TRUE(rows_seam.Invisible()) << "top/bottom join " << rows_seam.join << " > " << rows_seam.widest_inside;
      if (placed < kColumns * rows) PasteTiled(sheet, image, placed % kColumns * kCell, placed / kColumns * kCell, kCell);
      ++placed;
    }
  }
  EXPECT_EQ(static_cast<std::size_t>(placed), total);
  fs::create_directories(LUMI_ARTEFACTS);
  EXPECT_TRUE(lumi::PxSavePNG(fs::path(LUMI_ARTEFACTS) / "textures-contact-sheet.png", sheet.pixels.data(),
                              sheet.width, sheet.height));
}

TEST(ShippedTextures, ReservedListPicturesAreThumbnailSizedBitmaps) {
  for (const auto& picture : lumi::content::ReservedPictures()) {
    SCOPED_TRACE(picture.file);
    const fs::path path = fs::path(LUMI_DATA) / (picture.transparency ? "Transp" : "Textures") / picture.file;
    const std::vector<char> bytes = Bytes(path);
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(std::string(bytes.data(), 2), "BM");
    EXPECT_EQ(bytes[10], 54);  // pixels follow the two headers directly
    EXPECT_EQ(bytes[28], 24);  // bits per pixel
    const auto image = lumi::PxLoadBMP(path);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 79);
    EXPECT_EQ(image->height, 32);
  }
}

TEST(ShippedTextures, AreExactlyWhatTheGeneratorMakesEveryTime) {
  const fs::path root = fs::temp_directory_path() / ("lumi-textures-" + std::to_string(::getpid()));
  fs::remove_all(root);
  const auto first = lumi::content::WriteTextures(root / "a");
  const auto second = lumi::content::WriteTextures(root / "b");
  ASSERT_EQ(first.size(), second.size());
  for (const char* folder : {"Textures", "Transp"}) {
    SCOPED_TRACE(folder);
    // Nothing shipped that the generator does not make, and the other way round.
    EXPECT_EQ(FilesIn(fs::path(LUMI_DATA) / folder), FilesIn(root / "a" / folder));
  }
  for (std::size_t i = 0; i < first.size(); ++i) {
    const fs::path relative = fs::relative(first[i], root / "a");
    SCOPED_TRACE(relative.string());
    const std::vector<char> made = Bytes(first[i]);
    EXPECT_EQ(made, Bytes(second[i]));
    EXPECT_EQ(made, Bytes(fs::path(LUMI_DATA) / relative))
        << "regenerate with: lumi-gen-textures data";
  }
  fs::remove_all(root);
}

}  // namespace
