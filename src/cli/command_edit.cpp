// lumiverdant-cli edit: a drawing changed by a script of user actions replayed through
// the tools, then written.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "base/errors.h"
#include "cli_session.h"
#include "commands.h"
#include "document/scene_writer.h"
#include "edit/edit_script.h"
#include "edit/quick_tools.h"
#include "edit/tool_machine.h"
#include "export/export_choices.h"
#include "export/render_canvas_for_export.h"
#include "document/save_flat_image.h"
#include "options.h"
#include "ui/property_bar_set.h"

namespace lumi::cli {

namespace {

namespace fs = std::filesystem;

nlohmann::json ReadScript(const fs::path& path) {
  std::ifstream in(path);
  if (!in) throw FileError("cannot read " + path.string());
  try {
    return nlohmann::json::parse(in);
  } catch (const nlohmann::json::parse_error& e) {
    throw UsageError(path.string() + " is not JSON: " + e.what());
  }
}

void WriteTextFile(const fs::path& path, const std::string& text) {
  const fs::path temporary = path.string() + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) {
      std::error_code ec;
      fs::remove(temporary, ec);
      throw FileError("cannot write " + path.string());
    }
  }
  std::error_code ec;
  fs::rename(temporary, path, ec);
  if (ec) throw FileError("cannot write " + path.string() + ": " + ec.message());
}

void WriteOutput(CliSession& session, const fs::path& output) {
  const std::string ext = LowerExtension(output);
  CPlenivorDoc& doc = session.Doc();
  if (ext == ".plv") {
    doc.WriteProjectFile(output);
  } else if (ext == ".jpg" || ext == ".jpeg") {
    ExportEditableJpg(session, output);
  } else if (ext == ".png" || ext == ".bmp") {
    CliHost& host = session.GetHost();
    bool written = false;
    const std::string why = host.CollectDuring([&] {
      written = SaveFlatImage(output, ext == ".png" ? ImageFormat::kPng : ImageFormat::kBmp,
                              doc.GetCanvasArea(), doc.Objects(), host);
    });
    if (!written) throw FileError("cannot write " + output.string() + ": " + why);
  } else {
    WriteTextFile(output, SceneOfDocument(doc).dump(2) + "\n");
  }
}

// The edit subcommand's view: no window, so repaints and zooms have nowhere to go; the
// property bars follow its selection.
class NoView final : public ToolViewPort {
 public:
  void Bind(ToolMachine& machine, PropertyBarSet& bars) {
    machine_ = &machine;
    bars_ = &bars;
  }
  void SelectionChanged(const CDrawObject*, const std::vector<const CDrawObject*>&, bool) override {
    if (bars_) bars_->SetObject(machine_->Selected());
  }

 private:
  ToolMachine* machine_ = nullptr;
  PropertyBarSet* bars_ = nullptr;
};

}  // namespace

int RunEdit(const std::vector<std::string>& args) {
  const Options opts(args, {"-o", "--script", "--data"}, {"--trace"});
  if (opts.Positional().size() != 1) throw UsageError("edit takes one INPUT (see edit --help)");
  const fs::path input = opts.Positional()[0];
  const fs::path output = opts.Required("-o");
  const std::string ext = LowerExtension(output);
  if (ext != ".plv" && ext != ".jpg" && ext != ".jpeg" && ext != ".png" && ext != ".bmp" && ext != ".json")
    throw UsageError("the output must end in .plv, .jpg, .png, .bmp or .json: " + output.string());
  // Every step is checked before the drawing is even read.
  EditScript script;
  try {
    script = ParseEditScript(ReadScript(opts.Required("--script")));
  } catch (const EditScriptError& e) {
    throw UsageError(e.what());
  }

  CliSession session(opts.Value("--data"));
  session.Load(input);
  CPlenivorDoc& doc = session.Doc();
  // The loaded drawing is where undo starts.
  doc.ClearUndoHistory();
  doc.TakeSnapshot();

  CliHost& host = session.GetHost();
  ScriptAnswers answers;
  RecordingQuickTools quick_tools;
  NoView view;
  ToolMachine machine(doc, view, quick_tools, &answers);
  machine.SetImageImport(&answers);
  host.SetAnswerSource([&] { return answers.NextQuestionAnswer(); });
  host.SetTrace(opts.Has("--trace"));
  ScriptLibraries libraries;
  if (session.Folders()) libraries.styles_folder = session.Folders()->styles;
  // The bars share the tool machine's new-object defaults, as in the window.
  PropertyBarSet bars(&machine.DefaultSets());
  if (session.Folders()) bars.FillTextureLists(session.Folders()->textures, session.Folders()->transparencies);
  bars.SetView(&machine);
  bars.SetQuickTools(&quick_tools);
  view.Bind(machine, bars);
  EditScriptRunner runner(machine, quick_tools, answers, libraries);
  runner.SetBars(&bars);
  try {
    runner.Run(script);
  } catch (const EditScriptError& e) {
    throw UsageError(e.what());
  }
  if (opts.Has("--trace")) {
    std::fprintf(stderr, "selection: %s\n", SelectionText(machine).c_str());
    if (const std::string view = runner.ViewText(); !view.empty()) std::fprintf(stderr, "view: %s\n", view.c_str());
  }
  host.SetTrace(false);
  WriteOutput(session, output);
  std::printf("%s\n", output.string().c_str());
  return 0;
}

}  // namespace lumi::cli
