// Projects on the command line: build from a scene, render, info, and damaged files.
#include <algorithm>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/host.h"
#include "base/settings.h"
#include "cli_fixture.h"
#include "document/plenivor_doc.h"
#include "library/texture_bank.h"

namespace lumi {
namespace {

using CliProject = CliTest;

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
  // Pixels, not file bytes: a PNG carries the second it was written in.
  const auto scene_image = PxLoadPNG(from_scene);
  ASSERT_TRUE(scene_image.has_value());
  EXPECT_EQ(image->pixels, scene_image->pixels);
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
      {"render '" + jpg.string() + "' -o x.png", "is an ordinary JPG without a project"},
      {"build '" + jpg.string() + "' -o x.plv", "the input must be a .json scene"},
      {"build '" + Write("s.json", "{}").string() + "' -o x.png", "the output must end in .plv or .jpg"},
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
      {R"({"objects": [{"shape": "outline", "width": 9, "height": 9}]})", "object 0: \"outline\": missing"},
      {R"({"objects": [{"shape": "outline", "height": 9, "outline": {"nodes": [[0,0],[1,1]]}}]})", "object 0: \"width\": missing"},
      {R"({"objects": [{"shape": "outline", "width": 9, "height": 9, "outline": {"nodes": [[0,0],[1]]}}]})", "object 0: \"outline.nodes\": expected a list of [x, y] nodes"},
      {R"({"objects": [{"shape": "outline", "width": 9, "height": 9, "outline": {"nodes": [[0,0],[1,500]]}}]})", "object 0: \"outline.nodes\": coordinates lie within 100"},
      {R"({"objects": [{"shape": "outline", "width": 9, "height": 9, "outline": {"nodes": [[0,0]], "shut": 1}}]})", "object 0: \"outline.shut\": unknown key"},
      {R"({"objects": [{"shape": "polynome", "width": 9, "height": 9, "polynome": {"nodes": [[0,0,6]], "envelope": [0,1]}}]})", "object 0: \"polynome.envelope\": expected 16 numbers"},
      {R"({"objects": [{"shape": "polynome", "width": 9, "height": 9, "polynome": {"nodes": [[0,0,256]]}}]})", "object 0: \"polynome.nodes\": must be between 0 and 255"},
      {R"({"objects": [{"shape": "circle", "rect": [0,0,9,9], "font": {"face": "Sans", "weight": "bold"}}]})", "object 0: \"font.weight\": expected an integer"},
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

// Edited outlines (rotated, skewed), polynomes with an envelope, arrows, free paths and
// texts all come back from `info --json` exactly: the rebuilt project is byte-identical.
const char* kEverythingScene = R"({
  "canvas": {"width": 300, "height": 220, "color": "#EEDDCC", "portable": false},
  "objects": [
    {"shape": "rectangle", "rect": [10, 10, 110, 60], "fillColor": "#FF0000", "bevelKind": 1, "ops": [{"rotate": 30}]},
    {"shape": "roundRect", "rect": [120, 10, 220, 60], "textureAngleX": 12.5, "textureName": "Moss.bmp", "effectKind": 2},
    {"shape": "star", "rect": [120, 80, 220, 180], "points": 6, "inner": 4, "ops": [{"skew": [5, 0, -5, 0]}]},
    {"shape": "path", "points": [[0,0],[10,10],[10,10],[50,10]], "closed": true, "hidden": 1},
    {"shape": "freePath", "points": [[0,0],[10,3],[20,9],[35,20]], "closed": false, "lineWidth": 3},
    {"shape": "arrow", "points": [[10,100],[60,100],[60,130]], "lightX": 0.1},
    {"shape": "circle", "rect": [10, 140, 80, 200], "ops": [{"convert": "polynome"}, {"convert": "envelope"}, {"rotate": 20}]},
    {"shape": "text", "at": [150, 190], "text": "Hi\nthere", "lineHeight": 14, "textBold": 1},
    {"shape": "bitmap", "at": [200, 150], "file": "pic.png", "ops": [{"states": {"pushed": {"transparency": 100}}}]},
    {"shape": "roundRect", "rect": [230, 10, 290, 40], "fillColor": "#00FF00",
     "ops": [{"states": {"highlighted": {"fillColor": "#FFFF00"}, "pushed": {"fillColor": "#0000FF", "bevelKind": 2}}}]},
    {"shape": "circle", "rect": [230, 50, 260, 80], "excludeFromButtons": 1, "ops": [{"states": {"solo": 1, "highlighted": true}}]},
    {"shape": "star", "rect": [230, 90, 290, 140], "ops": [{"convert": "bitmap"}]}
  ],
  "groups": [[0, 2], [3, 5]],
  "crop": [0, 0, 250, 200]
})";

TEST_F(CliProject, InfoJsonRebuildsTheSameProject) {
  // The bitmap object's picture, made by the tool itself.
  const fs::path picture_scene = Write("picture.json", R"({"canvas": {"width": 30, "height": 20, "color": "#336699"},
    "objects": [{"shape": "circle", "rect": [2, 2, 18, 18], "fillColor": "#FF8000"}]})");
  ASSERT_EQ(Cli("render '" + picture_scene.string() + "' -o '" + (dir_ / "pic.png").string() + "'").status, 0);
  const fs::path scene = Write("scene.json", kEverythingScene);
  const fs::path first = dir_ / "first.plv";
  const fs::path second = dir_ / "second.plv";
  ASSERT_EQ(Cli("build '" + scene.string() + "' -o '" + first.string() + "'").status, 0);
  const CliRun info = Cli("info '" + first.string() + "' --json");
  ASSERT_EQ(info.status, 0) << info.out;
  const fs::path described = Write("described.json", info.out);
  const CliRun rebuilt = Cli("build '" + described.string() + "' -o '" + second.string() + "'");
  ASSERT_EQ(rebuilt.status, 0) << rebuilt.out;
  EXPECT_EQ(Bytes(first), Bytes(second));
  EXPECT_EQ(Cli("info '" + second.string() + "' --json").out, info.out);

  // The texture's angle survives although its key sorts before the texture's name.
  EXPECT_NE(info.out.find("\"textureAngleX\": 12.5"), std::string::npos);
  EXPECT_NE(info.out.find("\"shape\": \"outline\""), std::string::npos);
  EXPECT_NE(info.out.find("\"envelopeOn\": 1"), std::string::npos);
  EXPECT_NE(info.out.find("\"shape\": \"bitmap\""), std::string::npos);
  EXPECT_NE(info.out.find("\"solo\": 1"), std::string::npos);
  EXPECT_NE(info.out.find("\"bevelKind\": 2"), std::string::npos) << "the pushed look's own field";
}

TEST_F(CliProject, InfoShowsOneBlockPerObject) {
  const fs::path scene = Write("scene.json", kCroppedScene);
  const CliRun run = Cli("info '" + scene.string() + "'");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out.rfind("canvas:\n  width: 120\n  height: 80\n  color: #00FF00\n", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("crop: [20,10,100,60]\n"), std::string::npos);
  EXPECT_NE(run.out.find("  group 0: objects [0,1]\n"), std::string::npos);
  EXPECT_NE(run.out.find("\nobject 0:\n  shape: outline\n  id: red\n  kindName: Rectangle\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\nobject 1:\n"), std::string::npos);
  EXPECT_EQ(run.out.find("\nobject 2:"), std::string::npos);
}

// Projects the program makes but a scene cannot carry exactly: a button look whose outline
// was edited, and a group naming an object the project does not hold.
fs::path WriteProject(const fs::path& path, bool edited_look, bool lost_member) {
  SilentHost host;
  MemorySettings settings;
  CTextureBank bank;
  CPlenivorDoc doc(host, settings, bank);
  doc.SetCanvasSize(100, 80);
  auto button = doc.MakeObject();
  button->CreateRectangle(10, 10, 40, 30);
  if (edited_look) {
    button->SetStates(1, true, false, false);  // shows the highlighted look ...
    button->MoveNode(0, 5, 3);                 // ... drags a corner of its outline ...
    button->FinishNodeDrag();
    button->SetStates(0, true, false, false);  // ... and shows the normal one again
  }
  auto circle = doc.MakeObject();
  circle->CreateCircle(50, 40, 90, 70);
  std::vector<std::string> members = {button->GetId(), circle->GetId()};
  if (lost_member) members.push_back("gone");
  doc.Groups().push_back(CObjectGroup{members, {10, 10, 90, 70}});
  doc.Objects().push_back(std::move(button));
  doc.Objects().push_back(std::move(circle));
  FileSink sink(path);
  CArchive ar(sink);
  doc.Serialize(ar);
  sink.Commit();
  return path;
}

TEST_F(CliProject, InfoShowsEveryProjectThatOpens) {
  const fs::path lost = WriteProject(dir_ / "lost.plv", false, true);
  const fs::path edited = WriteProject(dir_ / "edited.plv", true, false);
  ASSERT_EQ(Cli("render '" + edited.string() + "' -o '" + (dir_ / "e.png").string() + "'").status, 0);

  // A lost group member is left out, as the document leaves it out.
  CliRun run = Cli("info '" + lost.string() + "'");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("  group 0: objects [0,1]\n"), std::string::npos) << run.out;
  run = Cli("info --json '" + lost.string() + "'");
  ASSERT_EQ(run.status, 0) << run.out;
  const fs::path rebuilt = dir_ / "rebuilt.plv";
  ASSERT_EQ(Cli("build '" + Write("lost.json", run.out).string() + "' -o '" + rebuilt.string() + "'").status, 0);

  // The readable form shows the edited look; the scene form says in one line that it
  // cannot carry it.
  run = Cli("info '" + edited.string() + "'");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("\"highlighted\":{"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"outline\":{"), std::string::npos) << run.out;
  run = Cli("info --json '" + edited.string() + "'");
  EXPECT_EQ(run.status, 1) << run.out;
  EXPECT_NE(run.out.find("a highlighted look that differs in \"outline\" cannot be written as a scene yet"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << "one line: " << run.out;
}

TEST_F(CliProject, ImageThatFailsInASceneIsOneLine) {
  Write("junk.png", "not a picture");
  const fs::path scene =
      Write("scene.json", R"({"objects": [{"shape": "bitmap", "at": [0, 0], "file": "junk.png"}]})");
  for (const char* command : {"build", "render"}) {
    SCOPED_TRACE(command);
    const fs::path out = dir_ / (std::string(command) == "build" ? "out.plv" : "out.png");
    const CliRun run = Cli(std::string(command) + " '" + scene.string() + "' -o '" + out.string() + "'");
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_NE(run.out.find("object 0: \"file\": cannot be read as an image"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Image Load Error"), std::string::npos) << "the reader's own text joins the line";
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << "one line: " << run.out;
  }
}

TEST_F(CliProject, EverySubcommandHasHelp) {
  for (const char* command : {"render", "build", "info"}) {
    SCOPED_TRACE(command);
    const CliRun run = Cli(std::string(command) + " --help");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind(std::string("Usage: lumiverdant-cli ") + command + " ", 0), 0u) << run.out;
  }
}

}  // namespace
}  // namespace lumi
