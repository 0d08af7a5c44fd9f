// Edit scripts run through the tools: the Quick Tools sliders and the shared queue of
// answers.
#include "edit/edit_script.h"
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

}  // namespace
}  // namespace lumi::testing
