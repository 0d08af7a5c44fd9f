#pragma once
// Edit scripts: a JSON array of user actions (tool choices, mouse presses, moves and
// drags in canvas pixels, menu commands, keys, Quick Tools slider positions and the
// answers the next dialogs get) replayed through the tool machine. The command line's
// `edit` subcommand runs them; docs/edit-scripts.md describes the format.
//
//   EditScript script = ParseEditScript(json);   // throws EditScriptError naming the step
//   ScriptAnswers answers;
//   EditScriptRunner runner(machine, quick_tools, answers);
//   runner.Run(script);                           // throws EditScriptError
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/errors.h"
#include "base/host.h"
#include "collections/style_library.h"
#include "edit/image_import.h"
#include "edit/script_view.h"
#include "edit/command_services.h"
#include "edit/bar_steps.h"
#include "edit/tool_machine.h"
#include "objects/text_dialog.h"

namespace lumi {

class RecordingQuickTools;

// A step that cannot be understood or carried out: "step N: KEY: why".
class EditScriptError : public Error {
 public:
  using Error::Error;
};

struct EditStep {
  int index = 0;
  std::string key;                // the action: "tool", "press", "drag", ...
  std::vector<Point> points;      // mouse steps
  Keys keys;
  std::string text;               // tool, command or key name; a library file's path
  std::optional<int> first, second;  // quickTools
  std::vector<nlohmann::json> answers;
  WheelTurn wheel;     // wheel: the turn (its pointer is the step's canvas point)
  double pinch = 0.0;  // pinch: the change of scale (0.5 spreads by half)
  std::string control;            // bar: the control's caption or name
  nlohmann::json value;           // bar: what the control is set to
};

using EditScript = std::vector<EditStep>;

// Checks every step before anything runs.
EditScript ParseEditScript(const nlohmann::json& steps);

// The answers of a script's "answers" steps, taken in order by questions (Host::Ask),
// by the text dialog and by the image tool's file dialog.
class ScriptAnswers final : public TextDialog, public ImageImport {
 public:
  void Add(const std::vector<nlohmann::json>& answers);
  // The next answer whatever it is (the command dialogs read their own); nullopt when
  // none is left.
  std::optional<nlohmann::json> TakeNext();
  // The next answer to a question; nullopt when the script gave none.
  std::optional<Answer> NextQuestionAnswer();
  // The text dialog: an object edits the values and presses OK, "cancel" presses Cancel,
  // and no answer left presses Cancel.
  bool Run(TextDialogValues& values) override;
  // The image dialog: {"file": PATH} chooses the file, "cancel" or no answer left
  // presses Cancel.
  std::optional<std::filesystem::path> ChooseImageFile() override;
  // The "Rotate Object" dialog: {"angle": n} presses OK with n, "cancel" or no answer
  // left presses Cancel.
  std::optional<int> NextRotateAngle();

 private:
  std::deque<nlohmann::json> queue_;
};

// What the library steps need: the Styles folder "Add to Styles" writes into (empty when
// the run has no data folder, which makes the command unavailable). A style applied with
// nothing selected sets the tool machine's new-object defaults.
struct ScriptLibraries {
  std::filesystem::path styles_folder;
};

// The services of one run: Copy and Paste share an in-memory clipboard, and the rotate
// dialog takes the script's answers.
class ScriptCommandServices final : public MemoryCommandServices {
 public:
  explicit ScriptCommandServices(ScriptAnswers& answers) : answers_(answers) {}
  std::optional<int> AskRotateAngle(int) override { return answers_.NextRotateAngle(); }

 private:
  ScriptAnswers& answers_;
};

// The runner gives the machine its services for as long as it lives.
class EditScriptRunner {
 public:
  EditScriptRunner(ToolMachine& machine, RecordingQuickTools& quick_tools, ScriptAnswers& answers)
      : machine_(machine), quick_(quick_tools), answers_(answers), services_(answers) {
    machine_.SetCommandServices(&services_);
  }
  EditScriptRunner(ToolMachine& machine, RecordingQuickTools& quick_tools, ScriptAnswers& answers,
                   ScriptLibraries& libraries)
      : EditScriptRunner(machine, quick_tools, answers) {
    libraries_ = &libraries;
  }
  ~EditScriptRunner() { machine_.SetCommandServices(nullptr); }
  EditScriptRunner(const EditScriptRunner&) = delete;
  EditScriptRunner& operator=(const EditScriptRunner&) = delete;
  void Run(const EditScript& script);
  void RunStep(const EditStep& step);
  // The script's view after wheel, pinch and zoom key steps (ScriptView::Text), or ""
  // when none ran.
  std::string ViewText() const { return view_ ? view_->Text() : std::string(); }
  // The property bars "bar" steps set; without them such a step fails.
  void SetBars(BarSteps* bars) { bars_ = bars; }

 private:
  void RunLibraryStep(const EditStep& s);
  DrawingView& View();

  ToolMachine& machine_;
  RecordingQuickTools& quick_;
  ScriptAnswers& answers_;
  ScriptLibraries* libraries_ = nullptr;
  ScriptLibraries own_libraries_;
  std::unique_ptr<ScriptView> view_;
  ScriptCommandServices services_;
  BarSteps* bars_ = nullptr;
};

// "[0, 2]": the list indexes of the selected objects.
std::string SelectionText(const ToolMachine& machine);

}  // namespace lumi
