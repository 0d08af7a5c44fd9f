// Dragging the bevel bar's width slider across its range on a 600 x 600 "Super Smooth"
// object with a smooth bevel, in a document with undo on.
//
// "BevelSlider/ours" is one step of the drag as the window runs it: the object shows the
// new width (written and rendered, no undo step). "BevelSlider/reference" is the same
// step done as a full apply (written, rendered and an undo snapshot of the document), as
// if every slider position were the end of a change. "BevelSliderApply" is the one apply
// at the end of the drag. The window paces previews at one per 30 ms, so a preview under
// 66 ms keeps at least 15 previews a second; items_per_second is previews per second.
// Run: build/bench/bench_bevel_slider
#include <benchmark/benchmark.h>

#include "base/host.h"
#include "base/settings.h"
#include "document/plenivor_doc.h"
#include "edit/quick_tools.h"
#include "edit/tool_machine.h"
#include "library/texture_bank.h"
#include "objects/draw_object.h"
#include "ratio_main.h"
#include "ui/bevel_bar.h"

namespace {

using namespace lumi;

class BevelScene {
 public:
  BevelScene() {
    doc_.NewDocument();
    doc_.SetCanvasSize(800, 800);
    auto o = doc_.MakeObject();
    o->CreateCircle(100, 100, 700, 700);
    o->SetEdgeQuality(kSuperSmooth);
    o->SetBevelKind(1);
    o->Render();
    object_ = o.get();
    doc_.Objects().push_back(std::move(o));
    doc_.TakeSnapshot();
    tools_.SelectObject(object_);
    bar_.SetView(&tools_);
    bar_.SetObject(object_);
  }

  // The next slider position, sweeping the range back and forth.
  int NextWidth() {
    width_ += step_;
    if (width_ >= BevelBar::kMaxWidth || width_ <= BevelBar::kMinWidth) step_ = -step_;
    return width_;
  }

  BevelBar& Bar() { return bar_; }
  const CDrawObject& Object() const { return *object_; }

 private:
  RecordingHost host_;
  MemorySettings settings_;
  CTextureBank bank_;
  CPlenivorDoc doc_{host_, settings_, bank_};
  ToolViewPort port_;
  RecordingQuickTools quick_;
  ToolMachine tools_{doc_, port_, quick_, nullptr};
  BevelBar bar_;
  CDrawObject* object_ = nullptr;
  int width_ = BevelBar::kMinWidth;
  int step_ = 1;
};

void BM_PreviewStep(benchmark::State& state) {
  BevelScene scene;
  for (auto _ : state) {
    scene.Bar().width = scene.NextWidth();
    scene.Bar().Preview();
    // What the window draws from; reading Image() would unpack the kept runs, which no
    // preview does.
    benchmark::DoNotOptimize(scene.Object().KeptImage().HeldBytes());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PreviewStep)->Name("BevelSlider/ours")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ApplyEveryStep(benchmark::State& state) {
  BevelScene scene;
  for (auto _ : state) {
    scene.Bar().width = scene.NextWidth();
    scene.Bar().Apply();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ApplyEveryStep)->Name("BevelSlider/reference")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FinalApply(benchmark::State& state) {
  BevelScene scene;
  for (auto _ : state) {
    state.PauseTiming();
    scene.Bar().width = scene.NextWidth();
    scene.Bar().Preview();
    scene.Bar().width = scene.NextWidth();
    state.ResumeTiming();
    scene.Bar().Apply();
  }
}
BENCHMARK(BM_FinalApply)->Name("BevelSliderApply")->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

LUMI_BENCHMARK_MAIN();
