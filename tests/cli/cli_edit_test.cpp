// lumiverdant-cli edit: scripts of user actions replayed on a drawing, checked through
// the written project and the traced texts.
#include <nlohmann/json.hpp>

#include "cli_fixture.h"

namespace lumi {
namespace {

using CliEdit = CliTest;
using nlohmann::json;

constexpr const char* kTwoShapes = R"({
  "canvas": {"width": 400, "height": 300},
  "objects": [
    {"shape": "rectangle", "rect": [100, 100, 200, 150]},
    {"shape": "rectangle", "rect": [250, 200, 300, 250], "ops": [{"convert": "polynome"}]}
  ]
})";

class CliEditRun : public CliEdit {
 protected:
  // Runs the script on the scene and returns the written drawing as a scene.
  json EditAndRead(const std::string& scene, const std::string& script, CliRun* run_out = nullptr) {
    const fs::path in = Write("in.json", scene);
    const fs::path steps = Write("steps.json", script);
    const fs::path out = dir_ / "out.plv";
    const CliRun run = Cli("edit '" + in.string() + "' --script '" + steps.string() + "' -o '" + out.string() + "' --trace");
    if (run_out) *run_out = run;
    EXPECT_EQ(run.status, 0) << run.out;
    const CliRun info = Cli("info --json '" + out.string() + "'");
    EXPECT_EQ(info.status, 0) << info.out;
    return json::parse(info.out);
  }
  static std::vector<int> Box(const json& object) {
    return {object["x"].get<int>(), object["y"].get<int>(), object["width"].get<int>(), object["height"].get<int>()};
  }
};

TEST_F(CliEditRun, MoveAndResizeAreSavedInTheProject) {
  // The rectangle's box is (98, 98) 104 x 54; a move 40 right, then its bottom-right
  // handle (at the box corner) 20 further down and right.
  const json scene = EditAndRead(kTwoShapes, R"([
    {"drag": [[150, 125], [170, 125], [190, 125]]},
    {"drag": [[241, 151], [261, 171]]}
  ])");
  EXPECT_EQ(Box(scene["objects"][0]), (std::vector<int>{138, 98, 124, 74}));
  EXPECT_EQ(Box(scene["objects"][1]), Box(json::parse(Cli("info --json '" + Write("again.json", kTwoShapes).string() + "'").out)["objects"][1]))
      << "the other object stays";
}

TEST_F(CliEditRun, BarStepsWriteTheSelectedObjectsLookIntoTheProject) {
  const json scene = EditAndRead(kTwoShapes, R"([
    {"press": [150, 125]}, {"release": [150, 125]},
    {"bar": "Bevel", "control": "bevel", "value": "Smooth Bevel"},
    {"bar": "Bevel", "control": "width", "value": 14},
    {"bar": "Effect", "control": "effect", "value": "Glow"},
    {"bar": "Effect", "control": "softness", "value": 59},
    {"bar": "Transparency", "control": "amount", "value": 90}
  ])");
  const json& o = scene["objects"][0];
  EXPECT_EQ(o["bevelKind"], 1);
  EXPECT_EQ(o["bevelWidth"], 14);
  EXPECT_EQ(o["effectKind"], 3);
  EXPECT_EQ(o["effectSoftness"], 5);
  EXPECT_EQ(o["effectDistance"], 0);
  EXPECT_EQ(o["effectColor"], "#FF00FF");
  EXPECT_EQ(o["transparency"], 90);
  EXPECT_EQ(scene["objects"][1]["bevelKind"], 0) << "only the selected object changes";
}

TEST_F(CliEditRun, TraceGivesStatusTextsMessagesAndTheSelection) {
  CliRun run;
  EditAndRead(kTwoShapes, R"([
    {"press": [275, 225]}, {"release": [275, 225]},
    {"tool": "Shape Tool"},
    {"drag": [[250, 200]]},
    {"key": "Delete"},
    {"tool": "Select Object"},
    {"drag": [[80, 80], [320, 270]]}
  ])", &run);
  const std::string expected =
      "status: Object: Polynome\n"
      "status: Select and move points, CTRL - Select control handle, DEL - delete point\n"
      "status: Polynome Point: 0\n"
      "message: This is a start point of the Polynome\\nIt can't be deleted. Sorry...\n"
      "status:  2 objects selected\n"
      "status: Ready.\n"
      "selection: [0, 1]\n";
  EXPECT_NE(run.out.find(expected), std::string::npos) << run.out;
}

// Tool keys act like the tool steps; the wheel, a pinch and the zoom keys move the
// script's view, which the trace reports last.
TEST_F(CliEditRun, KeysAndTheWheelTraceTheView) {
  CliRun run;
  const json drawing = EditAndRead(kTwoShapes, R"([
    {"key": "Z"}, {"key": "Escape"},
    {"press": [275, 225]}, {"move": [300, 250]}, {"key": "Escape"}, {"release": [300, 250]},
    {"key": "+"}, {"wheel": [200, 150], "delta": -120}, {"wheel": [200, 150], "delta": 120, "ctrl": true}
  ])", &run);
  EXPECT_NE(run.out.find("selection: [1]\nview: zoom 250% (Custom), scroll ("), std::string::npos) << run.out;
  EXPECT_EQ(Box(drawing["objects"][1]), Box(EditAndRead(kTwoShapes, "[]")["objects"][1]))
      << "the drag given up moved nothing";
}

TEST_F(CliEditRun, ObjectCommandsAndTheRunsOwnClipboard) {
  // The rectangle copied and pasted in the same run, nudged two pixels right, then every
  // object aligned to the top and grouped.
  const json scene = EditAndRead(kTwoShapes, R"([
    {"press": [150, 125]}, {"release": [150, 125]},
    {"command": "Copy"}, {"command": "Paste"},
    {"key": "Right"}, {"key": "Right"},
    {"command": "Select All"}, {"command": "Align Top"}, {"command": "Group"}
  ])");
  ASSERT_EQ(scene["objects"].size(), 3u);
  const std::vector<int> rect = Box(scene["objects"][0]);
  const std::vector<int> copy = Box(scene["objects"][2]);
  EXPECT_EQ(copy[0], rect[0] + 2);
  EXPECT_EQ(copy[2], rect[2]);
  for (const json& o : scene["objects"]) EXPECT_EQ(o["y"], rect[1]);
  ASSERT_TRUE(scene.contains("groups"));
  EXPECT_EQ(scene["groups"].size(), 1u);
}

TEST_F(CliEditRun, AnEmptySceneIsANewDocumentForTheCropTool) {
  const json scene = EditAndRead(R"({"canvas": {"width": 300, "height": 200}, "objects": []})", R"([
    {"tool": "Select Export Crop Region"},
    {"drag": [[20, 30], [120, 60]], "shift": true}
  ])");
  EXPECT_EQ(scene["crop"], json::parse("[20, 30, 120, 130]"));
}

TEST_F(CliEditRun, DoubleClickedTextTakesTheScriptedDialogAnswers) {
  const std::string text_scene = R"({"objects": [
      {"shape": "text", "at": [20, 20], "text": "Hello", "lineHeight": 40}]})";
  json scene = EditAndRead(text_scene, R"([
    {"answers": [{"text": "Bye", "textBold": true}]},
    {"doubleClick": [40, 40]}
  ])");
  ASSERT_EQ(scene["objects"].size(), 1u);
  EXPECT_EQ(scene["objects"][0]["text"], "Bye");
  EXPECT_EQ(scene["objects"][0]["textBold"], 1);
  scene = EditAndRead(text_scene, R"([{"answers": ["cancel"]}, {"doubleClick": [40, 40]}])");
  EXPECT_EQ(scene["objects"][0]["text"], "Hello");
  scene = EditAndRead(text_scene, R"([{"answers": [{"text": ""}]}, {"doubleClick": [40, 40]}])");
  EXPECT_TRUE(scene["objects"].empty()) << "an emptied text is deleted";
}

TEST_F(CliEditRun, LibrarySteps) {
  const std::string look = R"({"objects": [
      {"shape": "rectangle", "rect": [0, 0, 40, 30], "fillColor": "#123456", "bevelKind": 3}]})";
  const fs::path style = dir_ / "look.sty";
  ASSERT_EQ(Cli("build '" + Write("look.json", look).string() + "' -o '" + style.string() + "'").status, 0);
  const fs::path entry = dir_ / "pair.obj";
  ASSERT_EQ(Cli("build '" + Write("pair.json", kTwoShapes).string() + "' -o '" + entry.string() + "'").status, 0);

  // A style applied to the selected object; an entry of two objects dropped as a group
  // whose first object is centred on the drop point.
  CliRun run;
  const json scene = EditAndRead(R"({"canvas": {"width": 600, "height": 400}, "objects": [
      {"shape": "circle", "rect": [10, 10, 60, 60]}]})",
                                 R"([
    {"press": [35, 35]}, {"release": [35, 35]},
    {"applyStyle": ")" + style.string() + R"("},
    {"insertObject": ")" + entry.string() + R"(", "at": [400, 300]}
  ])",
                                 &run);
  ASSERT_EQ(scene["objects"].size(), 3u);
  EXPECT_EQ(scene["objects"][0]["fillColor"], "#123456");
  EXPECT_EQ(scene["objects"][0]["bevelKind"], 3);
  const json& first = scene["objects"][1];
  EXPECT_EQ(first["x"].get<int>() + first["width"].get<int>() / 2, 400);
  EXPECT_EQ(first["y"].get<int>() + first["height"].get<int>() / 2, 300);
  EXPECT_EQ(scene["groups"].size(), 1u);
  EXPECT_NE(run.out.find("selection: [1, 2]"), std::string::npos) << run.out;

  // "Add to Styles" writes the next style into the data folder's Styles.
  const fs::path data = dir_ / "data";
  fs::create_directories(data / "Styles");
  const fs::path in = Write("one.json", look);
  const fs::path steps = Write("add.json", R"([{"press": [20, 15]}, {"release": [20, 15]}, {"command": "Add to Styles"}])");
  run = Cli("edit '" + in.string() + "' --script '" + steps.string() + "' -o '" + (dir_ / "o.plv").string() +
            "' --data '" + data.string() + "'");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_TRUE(fs::exists(data / "Styles" / "Style1.sty"));
  EXPECT_TRUE(fs::exists(data / "Styles" / "Style1.tmb"));
  // Without a selection the command is not available, and nothing is written.
  const fs::path none = Write("none.json", R"([{"command": "Add to Styles"}])");
  run = Cli("edit '" + in.string() + "' --script '" + none.string() + "' -o '" + (dir_ / "n.plv").string() +
            "' --data '" + data.string() + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_FALSE(fs::exists(dir_ / "n.plv"));
  EXPECT_FALSE(fs::exists(data / "Styles" / "Style2.sty"));
}

TEST_F(CliEdit, StepsThatCannotBeUnderstoodWriteNothing) {
  struct Case {
    const char* script;
    const char* said;
  } cases[] = {
      {R"({"press": [1, 2]})", "the script is a JSON array of steps"},
      {R"([{"tool": "Select Object"}, {"press": [1]}])", "step 1: press: a point is [x, y]"},
      {R"([{"tool": "Lasso"}])", "step 0: tool: unknown tool \"Lasso\""},
      {R"([{"command": "Frobnicate"}])", "step 0: command: unknown command"},
      {R"([{"press": [1, 2], "release": [1, 2]}])", "one action per step"},
      {R"([{"key": "Delete", "shift": true}])", "step 0: shift: only mouse steps take modifiers"},
      {R"([{"answers": ["maybe"]}])", "step 0: answers:"},
      {R"([{"wiggle": [1, 2]}])", "step 0: wiggle: unknown key"},
      {R"([{"key": "Q"}])", "step 0: key: unknown key \"Q\""},
      {R"([{"wheel": [1, 2]}])", "step 0: wheel: give \"delta\""},
      {R"([{"wheel": [1, 2], "delta": 1.5}])", "step 0: delta: a whole number"},
      {R"([{"press": [1, 2], "delta": 120}])", "step 0: delta: only wheel steps turn"},
      {R"([{"pinch": [1, 2]}])", "step 0: scale: a pinch and only a pinch has a scale"},
      {R"([{"key": "+", "ctrl": true}])", "step 0: ctrl: only mouse steps take modifiers"},
      // Understood but not possible at that point: nothing is selected for the node panel.
      {R"([{"tool": "Shape Tool"}, {"command": "Smooth Node"}])", "step 1: command: \"Smooth Node\" is not available now"},
      {R"([{"tool": "Texture Size and Rotation"}])", "step 0: tool: \"Texture Size and Rotation\" is not available now"},
      // A bar control that is disabled for the selection (no bevel yet).
      {R"([{"press": [150, 125]}, {"bar": "Bevel", "control": "width", "value": 12}])",
       "step 1: bar: \"width\": disabled"},
  };
  const fs::path in = Write("in.json", kTwoShapes);
  const fs::path out = dir_ / "out.plv";
  for (const Case& c : cases) {
    const fs::path steps = Write("steps.json", c.script);
    const CliRun run = Cli("edit '" + in.string() + "' --script '" + steps.string() + "' -o '" + out.string() + "'");
    EXPECT_EQ(run.status, 1) << c.script;
    EXPECT_NE(run.out.find(c.said), std::string::npos) << c.script << "\n" << run.out;
    EXPECT_FALSE(fs::exists(out)) << c.script;
  }
}

TEST_F(CliEdit, WritesEveryOutputKind) {
  const fs::path in = Write("in.json", kTwoShapes);
  const fs::path steps = Write("steps.json", R"([{"drag": [[150, 125], [160, 125]]}])");
  for (const char* name : {"out.plv", "out.jpg", "out.png", "out.bmp", "out.json"}) {
    const fs::path out = dir_ / name;
    const CliRun run = Cli("edit '" + in.string() + "' --script '" + steps.string() + "' -o '" + out.string() + "'");
    ASSERT_EQ(run.status, 0) << name << "\n" << run.out;
    if (std::string(name) == "out.png" || std::string(name) == "out.bmp") {
      EXPECT_GT(fs::file_size(out), 1000u) << name;
      continue;
    }
    const CliRun info = Cli("info --json '" + out.string() + "'");
    ASSERT_EQ(info.status, 0) << name << "\n" << info.out;
    EXPECT_EQ(json::parse(info.out)["objects"][0]["x"], 108) << name;
  }
}

TEST_F(CliEditRun, CanvasCommandsAndShiftColorTakeTheirAnswers) {
  constexpr const char* kShapes = R"({
    "canvas": {"width": 400, "height": 300},
    "objects": [
      {"shape": "rectangle", "rect": [100, 100, 200, 150], "fillColor": "#646464"},
      {"shape": "rectangle", "rect": [250, 200, 300, 250], "fillColor": "#646464"}
    ]
  })";
  // The refused size is told and the dialog takes the next answer.
  CliRun run;
  const json scene = EditAndRead(kShapes, R"([
    {"press": [150, 125]}, {"release": [150, 125]},
    {"answers": [{"from": "#000000", "towards": "#102000"}]},
    {"command": "Shift Color..."},
    {"command": "Trim Canvas to size of the objects"},
    {"answers": [{"width": 1801}, {"width": 640, "color": "#203040"}]},
    {"command": "Size and Color..."}
  ])", &run);
  EXPECT_NE(run.out.find("The maximum size allowed is 1800 x 1500"), std::string::npos) << run.out;
  EXPECT_EQ(scene["canvas"]["width"], 640);
  EXPECT_EQ(scene["canvas"]["height"], 150) << "the trimmed height";
  EXPECT_EQ(scene["canvas"]["color"], "#203040");
  EXPECT_EQ(scene["objects"][0]["fillColor"], "#748464") << "the selected rectangle's fill moved";
  EXPECT_EQ(scene["objects"][1]["fillColor"], "#646464");
}

}  // namespace
}  // namespace lumi
