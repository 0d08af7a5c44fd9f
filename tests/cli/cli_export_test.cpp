// export, buttons and editable JPGs through the command line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "cli_fixture.h"
#include "image/pixwerk.h"

namespace lumi {
namespace {

using CliExport = CliTest;

const char* kButtonScene = R"({
  "canvas": {"width": 160, "height": 100, "color": "#FFFFFF"},
  "objects": [
    {"shape": "rectangle", "rect": [0, 0, 40, 30], "fillColor": "#000080", "id": "PANEL0000001"},
    {"shape": "rectangle", "rect": [60, 40, 120, 80], "fillColor": "#00FF00", "edgeQuality": 1, "id": "BUTTON000001",
     "ops": [{"states": {"highlighted": {"fillColor": "#FFFF00"}, "pushed": {"fillColor": "#FF0000"}}}]}
  ]
})";

// A little-endian reading of the BMP header fields the tests need.
std::uint32_t Le32(const std::vector<char>& b, std::size_t at) {
  return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8 |
         static_cast<std::uint8_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 3])) << 24;
}

TEST_F(CliExport, ChoicesReachTheWrittenFile) {
  const fs::path scene = Write("scene.json", kButtonScene);
  const std::string in = "'" + scene.string() + "'";
  const struct {
    const char* options;
    const char* name;
    int width, height;
    std::uint16_t bits;   // BMP only
    std::uint32_t colours;  // BMP only
  } cases[] = {
      {"--width 80", "half.png", 80, 50, 0, 0},
      {"--height 25 --kernel bilinear", "quarter.png", 40, 25, 0, 0},
      {"--colors 16 --dither none", "c16.bmp", 160, 100, 4, 16},
      {"--colors 17", "c17.bmp", 160, 100, 8, 17},
      {"--colors 300", "c300.bmp", 160, 100, 8, 256},
      {"--colors 256 --width 33 --height 20", "c256.bmp", 33, 20, 8, 256},
      {"--quality 40 --gray --progressive", "grey.jpg", 160, 100, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.options);
    const fs::path out = dir_ / c.name;
    const CliRun run = Cli("export " + in + " -o '" + out.string() + "' " + c.options);
    ASSERT_EQ(run.status, 0) << run.out;
    const std::string ext = out.extension().string();
    const auto image = ext == ".png" ? PxLoadPNG(out) : ext == ".bmp" ? PxLoadBMP(out) : PxLoadJPG(out);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width, c.width);
    EXPECT_EQ(image->height, c.height);
    if (c.bits) {
      const auto bytes = Bytes(out);
      EXPECT_EQ(bytes[28], c.bits);
      EXPECT_EQ(Le32(bytes, 46), c.colours);
    }
  }
}

TEST_F(CliExport, BadChoicesWriteNothing) {
  const fs::path scene = Write("scene.json", kButtonScene);
  const std::string in = "'" + scene.string() + "'";
  const fs::path out = dir_ / "out.png";
  for (const char* options : {"--width 0", "--width -5 --height 10", "--width 40000 --height 40000",
                              "--colors 1", "--colors many", "--kernel lanczos", "--dither ordered",
                              "--quality 50", "--format gif", "--sharpen 101"}) {
    SCOPED_TRACE(options);
    const CliRun run = Cli("export " + in + " -o '" + out.string() + "' " + options);
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << run.out;
    EXPECT_FALSE(fs::exists(out));
  }
}

TEST_F(CliExport, EditableJpgCarriesTheProjectBack) {
  const fs::path scene = Write("scene.json", kButtonScene);
  const fs::path built = dir_ / "built.jpg";
  const fs::path exported = dir_ / "exported.jpg";
  ASSERT_EQ(Cli("build '" + scene.string() + "' -o '" + built.string() + "'").status, 0);
  ASSERT_EQ(Cli("export '" + scene.string() + "' -o '" + exported.string() + "' --format ejpg --progressive").status, 0);
  const CliRun from_scene = Cli("info '" + scene.string() + "' --json");
  for (const fs::path& jpg : {built, exported}) {
    SCOPED_TRACE(jpg.filename().string());
    const auto picture = PxLoadJPG(jpg);
    ASSERT_TRUE(picture.has_value()) << "any JPEG reader shows the canvas";
    EXPECT_EQ(picture->width, 160);
    // The project inside gives the same drawing back.
    const CliRun info = Cli("info '" + jpg.string() + "' --json");
    ASSERT_EQ(info.status, 0) << info.out;
    EXPECT_EQ(info.out, from_scene.out);
    const fs::path png = dir_ / "again.png";
    ASSERT_EQ(Cli("render '" + jpg.string() + "' -o '" + png.string() + "'").status, 0);
    const auto again = PxLoadPNG(png);
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(Pixel(*again, 90, 60), (std::vector<std::uint8_t>{0, 255, 0}));
  }
}

TEST_F(CliExport, OrdinaryAndDamagedJpgs) {
  const fs::path scene = Write("scene.json", kButtonScene);
  const fs::path plain = dir_ / "plain.jpg";
  ASSERT_EQ(Cli("export '" + scene.string() + "' -o '" + plain.string() + "'").status, 0);
  const CliRun ordinary = Cli("info '" + plain.string() + "'");
  EXPECT_EQ(ordinary.status, 1) << ordinary.out;
  EXPECT_NE(ordinary.out.find("ordinary JPG"), std::string::npos) << ordinary.out;

  const fs::path editable = dir_ / "editable.jpg";
  ASSERT_EQ(Cli("build '" + scene.string() + "' -o '" + editable.string() + "'").status, 0);
  auto bytes = Bytes(editable);
  // The block length in the last four bytes now points before the block's mark.
  bytes[bytes.size() - 4] = static_cast<char>(bytes[bytes.size() - 4] + 1);
  std::ofstream(editable, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  const CliRun damaged = Cli("info '" + editable.string() + "'");
  EXPECT_EQ(damaged.status, 2) << damaged.out;
  EXPECT_NE(damaged.out.find("Corrupted e-JPG file (2)"), std::string::npos) << damaged.out;
}

TEST_F(CliExport, ButtonsAsSeparateFilesWithTheirTable) {
  const fs::path scene = Write("scene.json", kButtonScene);
  const fs::path out = dir_ / "btn.bmp";
  const CliRun run = Cli("buttons '" + scene.string() + "' -o '" + out.string() + "'");
  ASSERT_EQ(run.status, 0) << run.out;
  const std::string stem = (dir_ / "btn").string();
  EXPECT_EQ(run.out, out.string() + "\n" + stem + "0a.bmp\n" + stem + "0b.bmp\n" + stem + "0c.bmp\n" + stem + ".txt\n");
  const auto background = PxLoadBMP(out);
  ASSERT_TRUE(background.has_value());
  EXPECT_EQ(Pixel(*background, 20, 15), (std::vector<std::uint8_t>{0, 0, 128}));
  EXPECT_EQ(Pixel(*background, 90, 60), (std::vector<std::uint8_t>{255, 255, 255})) << "the button is not in the background";
  const struct {
    const char* suffix;
    std::vector<std::uint8_t> colour;
  } states[] = {{"0a.bmp", {0, 255, 0}}, {"0b.bmp", {255, 255, 0}}, {"0c.bmp", {255, 0, 0}}};
  for (const auto& s : states) {
    const auto image = PxLoadBMP(stem + s.suffix);
    ASSERT_TRUE(image.has_value()) << s.suffix;
    EXPECT_EQ(Pixel(*image, image->width / 2, image->height / 2), s.colour) << s.suffix;
  }
  const auto table = Bytes(stem + ".txt");
  EXPECT_NE(std::string(table.begin(), table.end()).find("btn0x.bmp : Left "), std::string::npos);
}

TEST_F(CliExport, ButtonsNeedObjectsWithLooks) {
  const fs::path scene = Write("scene.json", R"({"objects": [{"shape": "circle", "rect": [0, 0, 20, 20]}]})");
  const CliRun run = Cli("buttons '" + scene.string() + "' -o '" + (dir_ / "b.pvx").string() + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("There are no separate multiframe objects in this project."), std::string::npos) << run.out;
  EXPECT_FALSE(fs::exists(dir_ / "b.pvx"));
}

TEST_F(CliExport, ButtonsAsOnePavonixProject) {
  const fs::path scene = Write("scene.json", kButtonScene);
  const fs::path out = dir_ / "site.pvx";
  const CliRun run = Cli("buttons '" + scene.string() + "' -o '" + out.string() + "'");
  ASSERT_EQ(run.status, 0) << run.out;
  const auto bytes = Bytes(out);
  ASSERT_GT(bytes.size(), 22u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 22), std::string("\x0APavonix006\x0AProject...", 22));
}

}  // namespace
}  // namespace lumi
