#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "cli_fixture.h"
#include "image/pixwerk.h"

namespace lumi {
namespace {

namespace fs = std::filesystem;

using CliRender = CliTest;

const char* kScene = R"({
  "canvas": {"width": 120, "height": 80, "color": "#FFFFFF"},
  "objects": [
    {"shape": "rectangle", "rect": [10, 10, 50, 40], "fillColor": "#FF0000"},
    {"shape": "circle", "rect": [60, 20, 110, 70], "fillColor": "#0000FF", "edgeQuality": 1}
  ]
})";

TEST_F(CliRender, SceneToPngAndBmpWithObjectsInPlace) {
  const fs::path scene = Write("scene.json", kScene);
  for (const char* ext : {".png", ".bmp"}) {
    SCOPED_TRACE(ext);
    const fs::path out = dir_ / (std::string("out") + ext);
    const CliRun run = Cli("render '" + scene.string() + "' -o '" + out.string() + "'");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out, out.string() + "\n") << "prints where it wrote";
    const auto image = std::string(ext) == ".png" ? PxLoadPNG(out) : PxLoadBMP(out);
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->width, 120);
    ASSERT_EQ(image->height, 80);
    EXPECT_EQ(Pixel(*image, 2, 2), (std::vector<std::uint8_t>{255, 255, 255}));
    EXPECT_EQ(Pixel(*image, 30, 25), (std::vector<std::uint8_t>{255, 0, 0}));
    EXPECT_EQ(Pixel(*image, 85, 45), (std::vector<std::uint8_t>{0, 0, 255}));
    EXPECT_EQ(Pixel(*image, 62, 22), (std::vector<std::uint8_t>{255, 255, 255})) << "outside the circle";
  }
}

TEST_F(CliRender, ObjectMaskIsItsCoverage) {
  const fs::path scene = Write("scene.json", kScene);
  const fs::path out = dir_ / "mask.png";
  const CliRun run = Cli("render '" + scene.string() + "' -o '" + out.string() + "' --object 1 --layer mask");
  ASSERT_EQ(run.status, 0) << run.out;
  const auto mask = PxLoadPNG(out);  // grey, expanded to equal channels
  ASSERT_TRUE(mask.has_value());
  EXPECT_EQ(Pixel(*mask, mask->width / 2, mask->height / 2)[0], 255);
  EXPECT_EQ(Pixel(*mask, 0, 0)[0], 0);
}

TEST_F(CliRender, TexturesComeFromTheDataFolder) {
  fs::create_directories(dir_ / "data" / "Textures");
  const std::vector<std::uint8_t> green(4 * 4 * 3, 0);
  std::vector<std::uint8_t> rgb = green;
  for (std::size_t i = 1; i < rgb.size(); i += 3) rgb[i] = 200;
  ASSERT_TRUE(PxSaveBMP(dir_ / "data" / "Textures" / "Moss.bmp", rgb.data(), 4, 4));
  const fs::path scene = Write("scene.json", R"({
    "canvas": {"width": 60, "height": 40, "color": "#FFFFFF"},
    "objects": [
      {"shape": "rectangle", "rect": [5, 5, 25, 35], "fillColor": "#FF0000", "textureName": "Moss.bmp"},
      {"shape": "rectangle", "rect": [35, 5, 55, 35], "fillColor": "#0000FF", "textureName": "Gone.jpg"}
    ]
  })");
  const fs::path out = dir_ / "out.png";
  const std::string data = " --data '" + (dir_ / "data").string() + "'";

  CliRun run = Cli("render '" + scene.string() + "' -o '" + out.string() + "'" + data);
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("This file uses missing texture: Gone.jpg"), std::string::npos) << run.out;
  auto image = PxLoadPNG(out);
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(Pixel(*image, 15, 20), (std::vector<std::uint8_t>{0, 200, 0}));
  EXPECT_EQ(Pixel(*image, 45, 20), (std::vector<std::uint8_t>{0, 0, 255}));

  // Without --data the program's per-user data folder is read when there is one.
  fs::create_directories(dir_ / "xdg-data" / "Plenivor");
  fs::rename(dir_ / "data", dir_ / "xdg-data" / "Plenivor" / "Lumiverdant");
  run = Cli("render '" + scene.string() + "' -o '" + out.string() + "'");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("This file uses missing texture: Gone.jpg"), std::string::npos) << run.out;
  image = PxLoadPNG(out);
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(Pixel(*image, 15, 20), (std::vector<std::uint8_t>{0, 200, 0}));

  // Without any data folder no texture file is read and nothing is reported.
  fs::remove_all(dir_ / "xdg-data");
  run = Cli("render '" + scene.string() + "' -o '" + out.string() + "'");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out, out.string() + "\n");
  image = PxLoadPNG(out);
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(Pixel(*image, 15, 20), (std::vector<std::uint8_t>{255, 0, 0}));
}

TEST_F(CliRender, BadScenesNameTheKeyAndWriteNothing) {
  const struct {
    const char* scene;
    const char* says;
  } cases[] = {
      {R"({"objects": [{"shape": "rectangle", "rect": [0,0,9,9], "fillColour": "#FF0000"}]})", "object 0: \"fillColour\": unknown key"},
      {R"({"objects": [{"shape": "circle", "rect": [0,0,9,9], "bevelKind": "2"}]})", "object 0: \"bevelKind\": expected an integer"},
      {"{\"objects\": [", "not valid JSON"},
  };
  for (const auto& c : cases) {
    const fs::path scene = Write("bad.json", c.scene);
    const fs::path out = dir_ / "never.png";
    const CliRun run = Cli("render '" + scene.string() + "' -o '" + out.string() + "'");
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_NE(run.out.find(c.says), std::string::npos) << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << "one line: " << run.out;
    EXPECT_FALSE(fs::exists(out));
  }
}

TEST_F(CliRender, UsageErrors) {
  const fs::path scene = Write("scene.json", kScene);
  const struct {
    std::string args;
    const char* says;
  } cases[] = {
      {"render", "render takes one INPUT"},
      {"render '" + scene.string() + "'", "option -o is required"},
      {"render '" + (dir_ / "missing.json").string() + "' -o x.png", "missing.json"},
      {"render '" + scene.string() + "' -o out.gif", "must end in .png, .jpg or .bmp"},
      {"render '" + scene.string() + "' -o out.png --object 7", "there is no object 7"},
      {"render '" + scene.string() + "' -o out.png --frobnicate", "unknown option --frobnicate"},
  };
  for (const auto& c : cases) {
    const CliRun run = Cli(c.args);
    EXPECT_EQ(run.status, 1) << c.args << "\n" << run.out;
    EXPECT_NE(run.out.find(c.says), std::string::npos) << run.out;
  }
}

TEST_F(CliRender, BundledSampleRenders) {
  const fs::path out = dir_ / "welcome.png";
  const CliRun run = Cli(std::string("render '") + LUMI_SAMPLES + "/welcome.json' -o '" + out.string() + "'");
  ASSERT_EQ(run.status, 0) << run.out;
  const auto image = PxLoadPNG(out);
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(image->width, 400);
  EXPECT_EQ(Pixel(*image, 100, 110), (std::vector<std::uint8_t>{0x2E, 0x8B, 0x57})) << "the green circle";
}

// The program opens welcome.plv; it must stay the project its scene builds, byte for
// byte (rebuild it with `lumiverdant-cli build welcome.json -o welcome.plv` after a
// deliberate change to the scene).
TEST_F(CliRender, BundledProjectIsItsSceneBuilt) {
  const fs::path out = dir_ / "welcome.plv";
  const CliRun run = Cli(std::string("build '") + LUMI_SAMPLES + "/welcome.json' -o '" + out.string() + "'");
  ASSERT_EQ(run.status, 0) << run.out;
  const std::vector<char> bundled = Bytes(fs::path(LUMI_SAMPLES) / "welcome.plv");
  ASSERT_FALSE(bundled.empty());
  EXPECT_TRUE(Bytes(out) == bundled);
}

}  // namespace
}  // namespace lumi
