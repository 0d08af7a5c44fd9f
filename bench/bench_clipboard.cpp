// The object commands on many objects, as a user meets them: Select All, Copy and Paste
// of 200 bevelled objects on a 1700 x 1500 canvas (the paste reads every record back and
// renders it), and Combine Objects of 50 polynomes into one.
// Run: build/bench/bench_clipboard
#include <benchmark/benchmark.h>

#include <memory>

#include "base/host.h"
#include "base/settings.h"
#include "document/plenivor_doc.h"
#include "edit/object_commands.h"
#include "edit/quick_tools.h"
#include "edit/tool_machine.h"
#include "library/texture_bank.h"
#include "objects/draw_object.h"
#include "ratio_main.h"

namespace {

using namespace lumi;

class Scene {
 public:
  Scene() {
    doc_.NewDocument();
    doc_.SetCanvasSize(1700, 1500);
    doc_.SetUndoLimit(1);
  }
  void AddBevelled(int count) {
    for (int i = 0; i < count; ++i) {
      auto o = doc_.MakeObject();
      const int x = (i * 173) % 1500, y = (i * 311) % 1300;
      o->CreateRectangle(x, y, x + 120, y + 90);
      o->SetFillColor(RGB(i % 255, 255 - i % 255, 128));
      o->SetBevelKind(1);
      o->SetBevelWidth(8);
      o->Render();
      doc_.Objects().push_back(std::move(o));
    }
  }
  void AddPolynomes(int count) {
    for (int i = 0; i < count; ++i) {
      auto o = doc_.MakeObject();
      const int x = (i * 97) % 1500, y = (i * 131) % 1300;
      if (i % 2)
        o->CreateCircle(x, y, x + 100, y + 80);
      else
        o->CreateRectangle(x, y, x + 100, y + 80);
      o->ConvertToPolynome();
      doc_.Objects().push_back(std::move(o));
    }
  }
  CPlenivorDoc& Doc() { return doc_; }
  ToolMachine& Tools() { return tools_; }

 private:
  SilentHost host_;
  MemorySettings settings_;
  CTextureBank bank_;
  CPlenivorDoc doc_{host_, settings_, bank_};
  ToolViewPort port_;
  RecordingQuickTools quick_;
  ToolMachine tools_{doc_, port_, quick_, nullptr};
};

void BM_SelectAllCopyPaste(benchmark::State& state) {
  Scene scene;
  const int count = static_cast<int>(state.range(0));
  scene.AddBevelled(count);
  for (auto _ : state) {
    SelectAllObjects(scene.Tools());
    CopySelection(scene.Tools());
    PasteFromClipboard(scene.Tools());
    state.PauseTiming();
    scene.Tools().ForgetSelection();
    scene.Doc().Objects().resize(static_cast<std::size_t>(count));
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SelectAllCopyPaste)->Name("SelectAllCopyPaste/ours")->Arg(200)->Unit(benchmark::kMillisecond);

void BM_Combine(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto scene = std::make_unique<Scene>();
    scene->AddPolynomes(static_cast<int>(state.range(0)));
    SelectAllObjects(scene->Tools());
    state.ResumeTiming();
    CombineSelection(scene->Tools());
    benchmark::DoNotOptimize(scene->Doc().Objects().size());
    state.PauseTiming();
    scene.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Combine)->Name("Combine/ours")->Arg(50)->Unit(benchmark::kMillisecond);

}  // namespace

LUMI_BENCHMARK_MAIN();
