// Projects on the command line: build from a scene, render, info, and damaged files.
#include <algorithm>

#include "cli_fixture.h"

namespace lumi {
namespace {

using CliProject = CliTest;

std::vector<char> Bytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const char* kCroppedScene = R"({
  "canvas": {"width": 120, "height": 80, "color": "#00FF00", "portable": false},
  "objects": [
    {"shape": "rectangle", "rect": [10, 10, 50, 40], "fillColor": "#FF0000", "id": "red"},
    {"shape": "circle", "rect": [60, 20, 110, 70], "fillColor": "#0000FF", "edgeQuality": 1}
  ],
  "groups": [[0, 1]],
  "crop": [20, 10, 100, 60]
})";

TEST_F(CliProject, BuiltProjectRendersLikeItsSceneWithTheCropRegion) {
  const fs::path scene = Write("scene.json", kCroppedScene);
  const fs::path project = dir_ / "drawing.plv";
  CliRun run = Cli("build '" + scene.string() + "' -o '" + project.string() + "'");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out, project.string() + "\n");

  const fs::path from_project = dir_ / "project.png";
  const fs::path from_scene = dir_ / "scene.png";
  run = Cli("render '" + project.string() + "' -o '" + from_project.string() + "'");
  ASSERT_EQ(run.status, 0) << run.out;
  run = Cli("render '" + scene.string() + "' -o '" + from_scene.string() + "'");
  ASSERT_EQ(run.status, 0) << run.out;

  const auto image = PxLoadPNG(from_project);
  ASSERT_TRUE(image.has_value());
  ASSERT_EQ(image->width, 80) << "only the crop region";
  ASSERT_EQ(image->height, 50);
  EXPECT_EQ(Pixel(*image, 0, 49), (std::vector<std::uint8_t>{0, 255, 0})) << "canvas colour";
  EXPECT_EQ(Pixel(*image, 10, 15), (std::vector<std::uint8_t>{255, 0, 0})) << "canvas (30, 25)";
  EXPECT_EQ(Pixel(*image, 65, 35), (std::vector<std::uint8_t>{0, 0, 255})) << "canvas (85, 45)";
  EXPECT_EQ(Bytes(from_project), Bytes(from_scene));
}

TEST_F(CliProject, DamagedProjectsGiveStatusTwoInOneLine) {
  const fs::path scene = Write("scene.json", kCroppedScene);
  const fs::path good = dir_ / "good.plv";
  ASSERT_EQ(Cli("build '" + scene.string() + "' -o '" + good.string() + "'").status, 0);
  const std::vector<char> bytes = Bytes(good);
  ASSERT_GT(bytes.size(), 200u);

  std::vector<char> wrong_signature = bytes;
  wrong_signature[6] ^= 0x20;
  std::vector<char> huge_canvas = bytes;
  std::fill(huge_canvas.begin() + 12, huge_canvas.begin() + 16, '\x7F');  // the width
  const struct {
    const char* name;
    std::vector<char> content;
  } cases[] = {
      {"truncated", {bytes.begin(), bytes.begin() + static_cast<long>(bytes.size() / 2)}},
      {"signature", wrong_signature},
      {"canvas", huge_canvas},
      {"empty", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path damaged = dir_ / (std::string(c.name) + ".plv");
    std::ofstream(damaged, std::ios::binary).write(c.content.data(), static_cast<long>(c.content.size()));
    const fs::path out = dir_ / "never.png";
    const CliRun run = Cli("render '" + damaged.string() + "' -o '" + out.string() + "'");
    EXPECT_EQ(run.status, 2) << run.out;
    EXPECT_NE(run.out.find("damaged input: " + damaged.string()), std::string::npos) << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << "one line: " << run.out;
    EXPECT_FALSE(fs::exists(out));
  }
}

TEST_F(CliProject, InputsThatAreNotProjectsAreUserErrors) {
  const fs::path jpg = Write("photo.jpg", "not read");
  const struct {
    std::string args;
    const char* says;
  } cases[] = {
      {"render '" + (dir_ / "missing.plv").string() + "' -o x.png", "cannot read"},
      {"render '" + jpg.string() + "' -o x.png", "editable JPG files cannot be read"},
      {"build '" + jpg.string() + "' -o x.plv", "the input must be a .json scene"},
      {"build '" + Write("s.json", "{}").string() + "' -o x.jpg", "editable JPG files cannot be written"},
      {"build '" + Write("s.json", "{}").string() + "' -o x.png", "the output must end in .plv"},
  };
  for (const auto& c : cases) {
    const CliRun run = Cli(c.args);
    EXPECT_EQ(run.status, 1) << c.args << "\n" << run.out;
    EXPECT_NE(run.out.find(c.says), std::string::npos) << run.out;
  }
}

TEST_F(CliProject, BadScenesBuildNothing) {
  const struct {
    const char* scene;
    const char* says;
  } cases[] = {
      {R"({"objects": [{"shape": "rectangle", "rect": [0,0,9,9], "fillColour": "#FF0000"}]})", "object 0: \"fillColour\": unknown key"},
      {R"({"objects": [{"shape": "circle", "rect": [0,0,9,9]}, {"shape": "star", "rect": [0,0,9,9], "points": 2}]})", "object 1: \"points\": must be between 3 and 100"},
      {R"({"canvas": {"width": "wide"}})", "canvas: \"width\": expected an integer"},
      {R"({"objects": [{"shape": "circle", "rect": [0,0,9,9]}], "groups": [[0, 1]]})", "scene: \"groups\": must be between 0 and 0"},
      {R"({"objects": [{"shape": "circle", "rect": [0,0,9,9], "id": "a"}, {"shape": "circle", "rect": [0,0,9,9], "id": "a"}]})", "object 1: \"id\": already used by object 0"},
  };
  for (const auto& c : cases) {
    const fs::path scene = Write("bad.json", c.scene);
    const fs::path out = dir_ / "never.plv";
    const CliRun run = Cli("build '" + scene.string() + "' -o '" + out.string() + "'");
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_NE(run.out.find(c.says), std::string::npos) << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << "one line: " << run.out;
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1) << "no temporary file left";
  }
}

TEST_F(CliProject, EverySubcommandHasHelp) {
  for (const char* command : {"render", "build"}) {
    SCOPED_TRACE(command);
    const CliRun run = Cli(std::string(command) + " --help");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind(std::string("Usage: lumiverdant-cli ") + command + " ", 0), 0u) << run.out;
  }
}

}  // namespace
}  // namespace lumi
