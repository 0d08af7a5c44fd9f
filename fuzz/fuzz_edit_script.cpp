// Edit scripts read from hostile bytes and played on a small drawing, as
// `lumiverdant-cli edit` plays them: every step the script reader accepts runs through
// the tools and commands; then undo and redo walk the whole history and the drawing is
// stored and read back. Library files are fuzzed by their own targets, so steps that read
// files are left out here, as are inputs naming paths.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"
#include "base/host.h"
#include "base/settings.h"
#include "document/plenivor_doc.h"
#include "document/scene.h"
#include "document/scene_project.h"
#include "edit/edit_script.h"
#include "edit/quick_tools.h"
#include "edit/tool_machine.h"
#include "library/texture_bank.h"

namespace {

constexpr const char* kDrawing = R"({"canvas": {"width": 160, "height": 120}, "objects": [
  {"shape": "rectangle", "rect": [10, 10, 60, 40], "bevelKind": 1},
  {"shape": "star", "rect": [70, 20, 120, 70], "points": 5, "inner": 2, "effectKind": 1},
  {"shape": "polynome", "x": 20, "y": 60, "width": 40, "height": 30,
   "polynome": {"nodes": [[0,0,6],[1000,0,2],[500,1000,3]]}},
  {"shape": "circle", "rect": [100, 80, 140, 110], "ops": [{"convert": "bitmap"}]}],
  "groups": [[0, 1]]})";

// A string that could name a file outside the fuzzer's own folder.
bool NamesAPath(const nlohmann::json& value) {
  if (value.is_string()) {
    const std::string& s = value.get_ref<const std::string&>();
    return s.find('/') != std::string::npos || s.find('\\') != std::string::npos ||
           s.find("..") != std::string::npos;
  }
  if (value.is_structured()) {
    for (const auto& item : value) {
      if (NamesAPath(item)) return true;
    }
  }
  return false;
}

class NoView final : public lumi::ToolViewPort {};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const nlohmann::json root = nlohmann::json::parse(data, data + size, nullptr, false);
  if (root.is_discarded() || NamesAPath(root)) return 0;
  lumi::EditScript script;
  try {
    script = lumi::ParseEditScript(root);
  } catch (const lumi::Error&) {
    return 0;
  }
  std::erase_if(script, [](const lumi::EditStep& s) {
    return s.key == "applyStyle" || s.key == "insertObject";
  });

  lumi::SilentHost host;
  lumi::MemorySettings settings;
  lumi::CTextureBank bank;
  lumi::CPlenivorDoc doc(host, settings, bank);
  lumi::MoveSceneIntoDocument(lumi::BuildScene(nlohmann::json::parse(kDrawing), host, nullptr), doc);
  doc.ClearUndoHistory();
  doc.TakeSnapshot();

  lumi::ScriptAnswers answers;
  lumi::RecordingQuickTools quick_tools;
  NoView view;
  lumi::ToolMachine machine(doc, view, quick_tools, &answers);
  try {
    lumi::EditScriptRunner(machine, quick_tools, answers).Run(script);
  } catch (const lumi::Error&) {
    // A step that cannot run stops the script; what ran before it stays.
  }
  while (doc.CanUndo()) doc.Undo();
  while (doc.CanRedo()) doc.Redo();

  lumi::MemorySink sink;
  lumi::CArchive out(sink);
  doc.Serialize(out);
  const std::vector<std::uint8_t> bytes = sink.TakeBytes();
  lumi::MemorySource source(bytes);
  lumi::CArchive in(source);
  lumi::CTextureBank bank_again;
  lumi::CPlenivorDoc again(host, settings, bank_again);
  again.Serialize(in);  // its own bytes: a failure here is a fault, so it is not caught
  return 0;
}

extern "C" std::vector<std::vector<std::uint8_t>> LumiFuzzSeeds() {
  const std::string scripts[] = {
      R"([{"tool": "Select Object"}, {"drag": [[20, 20], [40, 30]]}, {"tool": "Shape Tool"},
          {"press": [40, 30]}, {"release": [40, 30]}, {"key": "Delete"}])",
      R"([{"tool": "Select Object"}, {"press": [80, 30], "shift": true}, {"release": [80, 30]},
          {"drag": [[30, 20], [90, 60]]}, {"doubleClick": [30, 20]}, {"drag": [[10, 10], [5, 5]]}])",
      R"([{"tool": "Select Object"}, {"press": [30, 70]}, {"release": [30, 70]}, {"tool": "Shape Tool"},
          {"drag": [[20, 60], [35, 75]]}, {"command": "Smooth Node"}, {"rightPress": [30, 70]},
          {"quickTools": {"first": 3, "second": 7}}, {"command": "Break Path"}])",
      R"([{"tool": "Zoom"}, {"drag": [[0, 0], [80, 60]]}, {"tool": "Select Export Crop Region"},
          {"drag": [[5, 5], [100, 90]]}, {"tool": "Rotate Object"}, {"drag": [[40, 40], [60, 20]]},
          {"tool": "Skew"}, {"drag": [[40, 40], [50, 45]]}, {"answers": ["yes", "no"]}])",
  };
  std::vector<std::vector<std::uint8_t>> seeds;
  for (const std::string& s : scripts) seeds.emplace_back(s.begin(), s.end());
  return seeds;
}
