// The style, object and gene libraries the program ships: every entry reads back through
// the library readers and renders with the shipped textures without a message, every
// picture is the libraries' 50 x 50 bitmap, the files are exactly what their scenes and
// the gene table make (every time), and a contact sheet of all pictures is kept.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>
#include <unistd.h>

#include "base/folders.h"
#include "base/host.h"
#include "collections/object_library.h"
#include "collections/style_library.h"
#include "gene_recipes.h"
#include "image/pixwerk.h"
#include "library/texture_bank.h"
#include "library/texture_factory.h"
#include "objects/draw_object.h"
#include "render/render_context.h"

namespace fs = std::filesystem;
using lumi::RgbImage;

namespace {

const fs::path kData = LUMI_DATA;
const fs::path kScenes = LUMI_LIBRARY_SCENES;

std::vector<char> Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> ScenesIn(const fs::path& folder) {
  std::vector<fs::path> scenes;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().extension() == ".json") scenes.push_back(entry.path());
  std::sort(scenes.begin(), scenes.end());
  return scenes;
}

std::set<std::string> FilesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file()) names.insert(fs::relative(entry.path(), folder).string());
  return names;
}

// Renders with the shipped textures, as the program does with its data folder.
class ShippedLibraries : public ::testing::Test {
 protected:
  // A style is worth shipping only when it carries more than a plain colour.
  static bool HasALook(const lumi::CDrawObject& style) {
    const std::string& texture = style.GetTextureName();
    return (!texture.empty() && texture != "No Texture.bmp") || style.GetGeneSeed() != 0 ||
           style.GetBevelKind() != 0 || style.GetEffectKind() != 0;
  }

  // A library picture: the uncompressed 24-bit 50 x 50 BMP that shows something.
  static RgbImage CheckPicture(const fs::path& path) {
    EXPECT_EQ(fs::file_size(path), 7654u) << path;
    const auto picture = lumi::PxLoadBMP(path);
    EXPECT_TRUE(picture) << path;
    if (!picture) return {};
    EXPECT_EQ(picture->width, 50);
    EXPECT_EQ(picture->height, 50);
    const auto white = std::count(picture->pixels.begin(), picture->pixels.end(), 255);
    EXPECT_LT(white, static_cast<std::ptrdiff_t>(picture->pixels.size() * 9 / 10)) << path << " is nearly empty";
    return *picture;
  }

  lumi::CTextureBank bank_;
  lumi::FolderSet folders_ = lumi::FolderSet::FromRoot(kData);
  lumi::RenderContext context_{&bank_, &folders_};
  lumi::RecordingHost host_;
};

TEST_F(ShippedLibraries, EveryStyleReadsBackWithItsLookAndPicture) {
  const lumi::NumberedEntries styles = lumi::StyleEntries(kData / "Styles");
  const int count = styles.Count();
  EXPECT_GE(count, 24);
  EXPECT_EQ(static_cast<std::size_t>(count), ScenesIn(kScenes / "styles").size());
  for (int n = 1; n <= count; ++n) {
    SCOPED_TRACE(styles.FileName(n));
    const auto style = lumi::ReadStyle(styles.MainFile(n), host_, nullptr, &context_);
    ASSERT_TRUE(style);
    EXPECT_TRUE(host_.Messages().empty()) << host_.Messages().front();
    EXPECT_TRUE(HasALook(*style));
    CheckPicture(styles.Picture(n));
  }
}

TEST_F(ShippedLibraries, EveryObjectEntryReadsBackWithAllItsObjects) {
  const std::vector<std::string> groups = lumi::ObjectGroupNames(kData / "Objects");
  EXPECT_EQ(groups, (std::vector<std::string>{"Arrows", "Badges", "Buttons", "Frames", "Shapes"}));
  for (const std::string& group : groups) {
    SCOPED_TRACE(group);
    const std::vector<fs::path> scenes = ScenesIn(kScenes / "objects" / group);
    const lumi::NumberedEntries entries = lumi::ObjectEntries(kData / "Objects" / group);
    EXPECT_GE(entries.Count(), 6);
    ASSERT_EQ(static_cast<std::size_t>(entries.Count()), scenes.size());
    for (int n = 1; n <= entries.Count(); ++n) {
      SCOPED_TRACE(entries.FileName(n));
      const auto objects = lumi::ReadObjectEntry(entries.MainFile(n), host_, nullptr, &context_);
      ASSERT_TRUE(objects);
      const auto scene = nlohmann::json::parse(std::ifstream(scenes[static_cast<std::size_t>(n - 1)]));
      ASSERT_EQ(objects->size(), scene["objects"].size());
      EXPECT_TRUE(host_.Messages().empty()) << host_.Messages().front();
      // Buttons keep the highlighted and pushed looks their scenes give them.
      for (std::size_t i = 0; i < objects->size(); ++i) {
        const nlohmann::json& looks = scene["objects"][i].value("ops", nlohmann::json::array());
        const bool highlighted = std::any_of(looks.begin(), looks.end(), [](const nlohmann::json& op) {
          return op.contains("states") && op["states"].contains("highlighted");
        });
        const bool pushed = std::any_of(looks.begin(), looks.end(), [](const nlohmann::json& op) {
          return op.contains("states") && op["states"].contains("pushed");
        });
        EXPECT_EQ((*objects)[i]->HighlightedLook() != nullptr, highlighted) << "object " << i;
        EXPECT_EQ((*objects)[i]->PushedLook() != nullptr, pushed) << "object " << i;
      }
      CheckPicture(entries.Picture(n));
    }
  }
}

TEST_F(ShippedLibraries, GeneLibraryHoldsEveryGeneOfTheTableAndEachDrawsAPattern) {
  const auto entries = lumi::ReadGeneLibrary(kData / lumi::content::kGeneLibraryFile);
  ASSERT_TRUE(entries);
  const auto& genes = lumi::content::ShippedGenes();
  EXPECT_GE(genes.size(), 20u);
  ASSERT_EQ(entries->size(), genes.size() + 1);
  EXPECT_EQ(entries->front(), "..");
  std::set<std::string> names;
  for (std::size_t i = 0; i < genes.size(); ++i) {
    SCOPED_TRACE(genes[i].name);
    const auto parsed = lumi::ParseGeneEntry((*entries)[i + 1]);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->name, genes[i].name);
    EXPECT_EQ(lumi::UnpackLibraryGene(parsed->words), genes[i].gene);
    EXPECT_TRUE(names.insert(parsed->name).second) << "two genes of one name";
    // The fill a gene draws on a 64 x 64 object: a pattern, not one flat colour.
    constexpr int kSide = 64;
    std::vector<std::uint8_t> pixels(kSide * kSide * 4, 0);
    lumi::GenerateGeneFill(pixels.data(), kSide, kSide, parsed->words.word1, parsed->words.word2,
                           parsed->words.word3, genes[i].gene.mode);
    std::set<int> colours;
    for (int p = 0; p < kSide * kSide; ++p)
      colours.insert(pixels[p * 4] | pixels[p * 4 + 1] << 8 | pixels[p * 4 + 2] << 16);
    EXPECT_GT(colours.size(), 64u);
  }
}

// A contact sheet of every picture the library panels show, twice their size, a row of
// styles after another, then a row per object group, then the gene fills. Kept as a test
// artefact to look at.
TEST(ShippedLibraryPictures, MakeAContactSheet) {
  constexpr int kShown = 100, kCell = 110, kColumns = 12;
  std::vector<std::vector<RgbImage>> rows(1);
  auto add = [&](RgbImage picture) {
    if (rows.back().size() == kColumns) rows.emplace_back();
    rows.back().push_back(std::move(picture));
  };
  auto add_numbered = [&](const lumi::NumberedEntries& entries) {
    for (int n = 1; n <= entries.Count(); ++n) {
      const auto picture = lumi::PxLoadBMP(entries.Picture(n));
      ASSERT_TRUE(picture) << entries.Picture(n);
      add(*picture);
    }
    rows.emplace_back();
  };
  add_numbered(lumi::StyleEntries(kData / "Styles"));
  for (const std::string& group : lumi::ObjectGroupNames(kData / "Objects"))
    add_numbered(lumi::ObjectEntries(kData / "Objects" / group));
  for (const auto& named : lumi::content::ShippedGenes()) {
    const lumi::GeneWords words = lumi::PackGene(named.gene, true);
    std::vector<std::uint8_t> bgra(50 * 50 * 4, 0);
    lumi::GenerateGeneFill(bgra.data(), 50, 50, words.word1, words.word2, words.word3, named.gene.mode);
    RgbImage fill{50, 50, std::vector<std::uint8_t>(50 * 50 * 3)};
    for (int p = 0; p < 50 * 50; ++p)
      for (int c = 0; c < 3; ++c) fill.pixels[p * 3 + c] = bgra[p * 4 + 2 - c];
    add(std::move(fill));
  }
  if (rows.back().empty()) rows.pop_back();
  RgbImage sheet{kCell * kColumns, kCell * static_cast<int>(rows.size()),
                 std::vector<std::uint8_t>(static_cast<std::size_t>(kCell) * kColumns * kCell * rows.size() * 3, 224)};
  std::vector<std::uint8_t> shown(kShown * kShown * 3);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      const RgbImage& picture = rows[r][c];
      ASSERT_TRUE(lumi::PxResizeRGB(picture.pixels.data(), picture.width, picture.height, shown.data(), kShown, kShown));
      const int x0 = static_cast<int>(c) * kCell + 5, y0 = static_cast<int>(r) * kCell + 5;
      for (int y = 0; y < kShown; ++y)
        std::copy_n(&shown[static_cast<std::size_t>(y) * kShown * 3], kShown * 3,
                    &sheet.pixels[(static_cast<std::size_t>(y0 + y) * sheet.width + x0) * 3]);
    }
  }
  fs::create_directories(LUMI_ARTEFACTS);
  EXPECT_TRUE(lumi::PxSavePNG(fs::path(LUMI_ARTEFACTS) / "libraries-contact-sheet.png", sheet.pixels.data(),
                              sheet.width, sheet.height));
}

// Makes the libraries again, twice, with the command-line program, and compares both
// with each other and with what is shipped.
TEST(ShippedLibraryFiles, AreExactlyWhatTheirScenesAndTheGeneTableMakeEveryTime) {
  const fs::path root = fs::temp_directory_path() / ("lumi-libraries-" + std::to_string(::getpid()));
  fs::remove_all(root);
  for (const char* run : {"a", "b"}) {
    const fs::path data = root / run;
    fs::create_directories(data);
    // The scenes name the shipped textures; the pictures are rendered with them.
    fs::create_directory_symlink(kData / "Textures", data / "Textures");
    fs::create_directory_symlink(kData / "Transp", data / "Transp");
    const std::string command = std::string("'") + LUMI_MAKE_LIBRARIES + "' '" + LUMI_CLI + "' '" + data.string() +
                                "' >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    lumi::content::WriteGenes(data);
  }
  for (const char* folder : {"Styles", "Objects"}) {
    SCOPED_TRACE(folder);
    const std::set<std::string> made = FilesIn(root / "a" / folder);
    EXPECT_EQ(made, FilesIn(kData / folder)) << "nothing shipped that the scenes do not make";
    for (const std::string& file : made) {
      SCOPED_TRACE(file);
      const std::vector<char> bytes = Bytes(root / "a" / folder / file);
      EXPECT_EQ(bytes, Bytes(root / "b" / folder / file)) << "two runs differ";
      EXPECT_EQ(bytes, Bytes(kData / folder / file))
          << "regenerate with: tools/content/make-libraries.sh build/src/cli/lumiverdant-cli data";
    }
  }
  const std::vector<char> genes = Bytes(root / "a" / lumi::content::kGeneLibraryFile);
  EXPECT_EQ(genes, Bytes(root / "b" / lumi::content::kGeneLibraryFile));
  EXPECT_EQ(genes, Bytes(kData / lumi::content::kGeneLibraryFile)) << "regenerate with: lumi-gen-genes data";
  fs::remove_all(root);
}

}  // namespace
