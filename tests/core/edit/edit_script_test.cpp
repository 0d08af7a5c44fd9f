// Edit scripts run through the tools: the Quick Tools sliders and the shared queue of
// answers.
#include <filesystem>
#include <unistd.h>

#include "edit/edit_script.h"
#include "image/pixwerk.h"
#include "tool_fixture.h"

namespace lumi::testing {
namespace {

using EditScriptRun = ToolTest;

TEST_F(EditScriptRun, WidthSliderActsOnlyWhileTheNodePanelShowsIt) {
  CDrawObject& o = AddRectangle(100, 100, 200, 150);
  ScriptAnswers answers;
  EditScriptRunner runner(tools_, quick_, answers);
  const EditScript script = ParseEditScript(nlohmann::json::parse(R"([
    {"press": [150, 120]}, {"release": [150, 120]},
    {"quickTools": {"first": 4}},
    {"command": "Break Path"},
    {"quickTools": {"first": 9, "second": 3}}
  ])"));
  for (int i = 0; i < 3; ++i) runner.RunStep(script[static_cast<std::size_t>(i)]);
  EXPECT_EQ(tools_.DefaultLineWidth(), 6) << "the plain bar's first slider is not the width";
  EXPECT_EQ(o.GetLineWidth(), 6);
  runner.RunStep(script[3]);
  runner.RunStep(script[4]);
  EXPECT_EQ(tools_.DefaultLineWidth(), 9);
  EXPECT_EQ(o.GetLineWidth(), 9);
  EXPECT_EQ(quick_.SecondValue(), 3);
}

// The 400 x 300 canvas in the script's 800 x 600 view: keys choose tools and zoom, the
// wheel scrolls and with Ctrl zooms, a pinch zooms.
TEST_F(EditScriptRun, KeysWheelAndPinchDriveToolsAndView) {
  ScriptAnswers answers;
  EditScriptRunner runner(tools_, quick_, answers);
  EXPECT_EQ(runner.ViewText(), "") << "no view before a step needs one";
  // The canvas point (300, 200) stays under the pointer through the zooms about it.
  const struct {
    const char* step;
    Tool tool;
    const char* view;
  } steps[] = {
      {R"({"key": "Z"})", Tool::Zoom, ""},
      {R"({"key": "Escape"})", Tool::Select, ""},
      {R"({"key": "Escape"})", Tool::Select, ""},  // nothing to give up: no error
      {R"({"key": "+"})", Tool::Select, "zoom 200% (200%), scroll (0, 0)"},
      {R"({"key": "+"})", Tool::Select, "zoom 400% (400%), scroll (400, 300)"},
      {R"({"wheel": [200, 150], "delta": -120})", Tool::Select, "zoom 400% (400%), scroll (400, 360)"},
      {R"({"wheel": [200, 150], "delta": 120, "shift": true})", Tool::Select, "zoom 400% (400%), scroll (340, 360)"},
      {R"({"wheel": [200, 150], "pixels": [0, -7]})", Tool::Select, "zoom 400% (400%), scroll (340, 367)"},
      {R"({"wheel": [0, 0], "delta": -1200})", Tool::Select, "zoom 400% (400%), scroll (340, 600)"},
      {R"({"key": "-"})", Tool::Select, "zoom 200% (200%), scroll (0, 0)"},
      {R"({"wheel": [300, 200], "delta": 120, "ctrl": true})", Tool::Select, "zoom 250% (Custom), scroll (150, 100)"},
      {R"({"pinch": [300, 200], "scale": 1.0})", Tool::Select, "zoom 500% (Custom), scroll (901, 601)"},
      {R"({"key": "S"})", Tool::Select, "zoom 500% (Custom), scroll (901, 601)"},
  };
  for (const auto& s : steps) {
    const EditScript script = ParseEditScript(nlohmann::json::parse(std::string("[") + s.step + "]"));
    runner.Run(script);
    EXPECT_EQ(tools_.CurrentTool(), s.tool) << s.step;
    EXPECT_EQ(runner.ViewText(), s.view) << s.step;
  }
}

TEST_F(EditScriptRun, AnswersAreTakenInOrderByQuestionsAndTheTextDialog) {
  ScriptAnswers answers;
  answers.Add({"yes", {{"text", "Hi"}, {"textAlign", 2}}, "cancel"});
  EXPECT_EQ(answers.NextQuestionAnswer(), Answer::Yes);
  TextDialogValues values;
  EXPECT_TRUE(answers.Run(values));
  EXPECT_EQ(values.text, "Hi");
  EXPECT_EQ(values.alignment, 2);
  EXPECT_FALSE(answers.Run(values)) << "\"cancel\" presses Cancel";
  EXPECT_FALSE(answers.Run(values)) << "no answer left presses Cancel";
  EXPECT_EQ(answers.NextQuestionAnswer(), std::nullopt);
  answers.Add({{{"text", "x"}}});
  EXPECT_THROW(answers.NextQuestionAnswer(), EditScriptError) << "a question meets a dialog's answer";
}

TEST_F(EditScriptRun, ADisabledCommandStopsTheRunNamingTheStep) {
  ScriptAnswers answers;
  EditScriptRunner runner(tools_, quick_, answers);
  const EditScript script = ParseEditScript(nlohmann::json::parse(R"([
    {"tool": "Shape Tool"}, {"key": "Delete"}])"));
  try {
    runner.Run(script);
    FAIL() << "the Delete key needs a selected object";
  } catch (const EditScriptError& e) {
    EXPECT_STREQ(e.what(), "step 1: key: \"Delete\" is not available now");
  }
}

TEST_F(EditScriptRun, DrawingToolsByTheirCommandTextWithImageAndTextAnswers) {
  const std::filesystem::path png =
      std::filesystem::temp_directory_path() / ("lumi-script-image-" + std::to_string(getpid()) + ".png");
  const std::vector<std::uint8_t> rgb(3 * 12 * 8, 0x40);
  ASSERT_TRUE(PxSavePNG(png, rgb.data(), 12, 8));
  ScriptAnswers answers;
  ToolMachine machine(doc_, port_, quick_, &answers);
  machine.SetImageImport(&answers);
  EditScriptRunner runner(machine, quick_, answers);
  runner.Run(ParseEditScript(nlohmann::json::parse(R"([
    {"tool": "Rectangle"}, {"drag": [[10, 10], [60, 40]]},
    {"tool": "Image"}, {"answers": ["cancel"]}, {"press": [100, 100]}, {"release": [100, 100]},
    {"tool": "Image"}, {"answers": [{"file": ")" + png.string() + R"("}]}, {"press": [100, 100]},
    {"release": [100, 100]},
    {"tool": "Polynome Artistic Text"}, {"answers": [{"text": "Hi"}]}, {"press": [20, 150]}
  ])")));
  std::filesystem::remove(png);
  ASSERT_EQ(doc_.Objects().size(), 3u);
  EXPECT_EQ(doc_.Objects()[0]->GetKindName(), "Rectangle");
  EXPECT_TRUE(doc_.Objects()[1]->IsBitmap());
  EXPECT_EQ(doc_.Objects()[1]->GetRect(), (Rect{100, 100, 112, 108}));
  EXPECT_EQ(doc_.Objects()[2]->GetText(), "Hi");

  struct Bad {
    const char* script;
    const char* message;
  } bad[] = {
      {R"([{"answers": [{"file": ""}]}])", "step 0: answers: an image answer is {\"file\": PATH} alone"},
      {R"([{"answers": [{"file": "a.png", "text": "x"}]}])", "step 0: answers: an image answer is {\"file\": PATH} alone"},
  };
  for (const Bad& b : bad) {
    try {
      ParseEditScript(nlohmann::json::parse(b.script));
      ADD_FAILURE() << b.script;
    } catch (const EditScriptError& e) {
      EXPECT_STREQ(e.what(), b.message);
    }
  }
  answers.Add({{{"file", "x.png"}}});
  TextDialogValues values;
  EXPECT_THROW(answers.Run(values), EditScriptError) << "the text dialog meets an image answer";
}

}  // namespace
}  // namespace lumi::testing
