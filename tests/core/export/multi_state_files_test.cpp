#include "export/multi_state_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "button_fixture.h"
#include "export/multi_state_export.h"
#include "image_fixtures.h"

namespace lumi {
namespace {

using namespace fixtures;

std::set<std::string> FilesIn(const std::filesystem::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    names.insert(entry.path().filename().string());
  return names;
}

TEST(MultiStateFiles, NamesComeFromTheChosenPath) {
  struct Case {
    std::string path, ext, base, title;
  };
  for (const Case& c : {Case{"/home/me/btn.jpg", "jpg", "/home/me/btn", "btn"},
                        Case{"C:\\out\\btn.jpg", "jpg", "C:\\out\\btn", "btn"},
                        Case{"/tmp/a\\b/Button.BMP", "bmp", "/tmp/a\\b/Button", "Button"},
                        Case{"/tmp/x\\y.bmp", "bmp", "/tmp/x\\y", "y"},
                        Case{"btn.bmp", "bmp", "btn", "btn"}}) {
    EXPECT_EQ(SeparateExtension(c.path), c.ext) << c.path;
    EXPECT_EQ(SeparateBase(c.path), c.base) << c.path;
    EXPECT_EQ(FileTitle(c.base), c.title) << c.path;
  }
}

TEST(MultiStateFiles, TableListsEachButtonAtItsExportRectangle) {
  ButtonScene scene;
  scene.Add({0, 0, 10, 10}, kGrey);
  scene.AddButton({12, 40, 32, 60}, kRed, kGreen, kBlue);
  scene.AddButton({50, 50, 60, 60}, kRed, kGreen, 0).SetExcludeFromButtons(1);
  CDrawObject& shadowed = scene.AddButton({70, 20, 90, 30}, kRed, 0, kBlue);
  shadowed.SetEffectKind(1);
  shadowed.Render();
  const Rect second = ExportRect(shadowed);
  EXPECT_EQ(ExportTableText("C:\\out\\btn.bmp", scene.objects),
            "*** Export Table****************\r\n"
            "*** x: a - Normal, b - Higlited, c - Pushed  <- All the same size and position\r\n"
            "btn0x.bmp : Left 12,Top 40\r\n"
            "btn1x.bmp : Left " + std::to_string(second.left) + ",Top " +
                std::to_string(second.top) + "\r\n");
}

TEST(MultiStateFiles, SeparateJpgFilesAndTableBesideTheChosenFile) {
  TempDir dir;
  ButtonScene scene;
  scene.Add({0, 0, 120, 10}, kGrey);
  scene.AddButton({12, 40, 32, 60}, kRed, kGreen, kBlue);
  const std::string path = dir.File("btn.jpg").string();
  ASSERT_TRUE(ExportMultiState(MultiStateTarget::SeparateJpg, path, scene.canvas, scene.objects,
                               scene.host));
  EXPECT_EQ(FilesIn(dir.Path()),
            (std::set<std::string>{"btn.jpg", "btn0a.jpg", "btn0b.jpg", "btn0c.jpg", "btn.txt"}));
  EXPECT_TRUE(scene.host.Messages().empty());
  EXPECT_EQ(scene.host.Log().back(), "status 0: Done..");
  const auto table = TempDir::Read(dir.File("btn.txt"));
  EXPECT_EQ(std::string(table.begin(), table.end()),
            "*** Export Table****************\r\n"
            "*** x: a - Normal, b - Higlited, c - Pushed  <- All the same size and position\r\n"
            "btn0x.jpg : Left 12,Top 40\r\n");
  const auto background = PxLoadJPG(dir.File("btn.jpg"));
  ASSERT_TRUE(background);
  EXPECT_EQ(background->width, 120);
  EXPECT_EQ(background->height, 90);
  const auto pushed = PxLoadJPG(dir.File("btn0c.jpg"));
  ASSERT_TRUE(pushed);
  EXPECT_EQ(pushed->width, 20);
  EXPECT_EQ(pushed->height, 20);
  const COLORREF centre = ColourAt(*pushed, 10, 10);
  EXPECT_LT(GetRValue(centre), 16);
  EXPECT_GT(GetBValue(centre), 240) << "the pushed look";
}

TEST(MultiStateFiles, PushedOnlyButtonGivesFilesAAndCButNoB) {
  TempDir dir;
  ButtonScene scene;
  scene.Add({0, 0, 120, 30}, kGrey);
  scene.AddButton({20, 20, 50, 40}, kRed, 0, kBlue);
  const std::string path = dir.File("Keys.BMP").string();
  ASSERT_TRUE(ExportMultiState(MultiStateTarget::SeparateBmp, path, scene.canvas, scene.objects,
                               scene.host));
  EXPECT_EQ(FilesIn(dir.Path()),
            (std::set<std::string>{"Keys.bmp", "Keys0a.bmp", "Keys0c.bmp", "Keys.txt"}));
  const auto background = PxLoadBMP(dir.File("Keys.bmp"));
  ASSERT_TRUE(background);
  EXPECT_EQ(ColourAt(*background, 30, 10), kGrey);
  EXPECT_EQ(ColourAt(*background, 30, 35), kWhite) << "the button is not in the background";
  const auto normal = PxLoadBMP(dir.File("Keys0a.bmp"));
  const auto pushed = PxLoadBMP(dir.File("Keys0c.bmp"));
  ASSERT_TRUE(normal && pushed);
  EXPECT_EQ(ColourAt(*normal, 15, 15), kRed);
  EXPECT_EQ(ColourAt(*pushed, 15, 15), kBlue);
}

TEST(MultiStateFiles, SoloModeWritesOnlyTheNormalImage) {
  TempDir dir;
  ButtonScene scene;
  scene.AddButton({20, 20, 50, 40}, kRed, kGreen, kBlue).SetStates(0, true, true, true);
  ASSERT_TRUE(ExportSeparateObject(dir.File("s.bmp").string(), 0, scene.canvas, scene.objects,
                                   scene.host));
  EXPECT_EQ(FilesIn(dir.Path()), (std::set<std::string>{"s0a.bmp"}));
}

TEST(MultiStateFiles, RefusalsWriteNothing) {
  TempDir dir;
  ButtonScene scene;
  scene.AddButton({20, 20, 50, 40}, kRed, kGreen, kBlue);
  EXPECT_FALSE(ExportSeparateObject(dir.File("btn.bmp").string(), 1, scene.canvas, scene.objects,
                                    scene.host));
  EXPECT_EQ(scene.host.Messages(), (std::vector<std::string>{"Error export #2"}));
  scene.host.Clear();
  EXPECT_FALSE(ExportMultiState(MultiStateTarget::SeparateBmp, dir.File("btn.png").string(),
                                scene.canvas, scene.objects, scene.host));
  EXPECT_EQ(scene.host.Messages(), (std::vector<std::string>{"Bad user param"}));
  EXPECT_TRUE(FilesIn(dir.Path()).empty());
}

TEST(MultiStateFiles, UnwritableFolderIsReportedAndStopsTheExport) {
  ButtonScene scene;
  scene.AddButton({20, 20, 50, 40}, kRed, kGreen, kBlue);
  const std::string path = "/nonexistent-lumi-folder/btn.bmp";
  EXPECT_FALSE(ExportMultiState(MultiStateTarget::SeparateBmp, path, scene.canvas, scene.objects,
                                scene.host));
  EXPECT_EQ(scene.host.Messages().size(), 1u);
  EXPECT_FALSE(WriteExportTable(path, scene.objects, scene.host));
  EXPECT_EQ(scene.host.Messages().size(), 2u) << "a table that cannot be created is reported";
  EXPECT_FALSE(ExportMultiState(MultiStateTarget::Pavonix, "/nonexistent-lumi-folder/b.pvx",
                                scene.canvas, scene.objects, scene.host));
  EXPECT_EQ(scene.host.Messages().size(), 3u);
}

}  // namespace
}  // namespace lumi
