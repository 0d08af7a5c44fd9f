// One step of a select-tool drag: a 400 x 400 bevelled object moved by one mouse move on
// a 1700 x 1500 canvas holding 50 objects, shown at 100% in a window as large as the
// canvas. A step is the tool's move (the object's new place and the repaint requests),
// the overlay display list rebuilt, and the view composed again.
//
// "DragStep/ours" composes through the below-selection cache, as the view does while a
// drag runs. "DragStep/reference" marks that cache invalid before each step, so every
// object beneath the dragged one is blended again: the composition without the cache.
// "DirtyStep/ours" repaints only the rectangle the step invalidated, as the window does;
// "DirtyStep/reference" composes the whole window through the cache (the step above).
// A smooth 60 frames per second drag needs a step under 8 ms.
// Run: build/bench/bench_drag
#include <benchmark/benchmark.h>

#include <memory>

#include "base/host.h"
#include "base/settings.h"
#include "document/plenivor_doc.h"
#include "edit/drawing_view.h"
#include "edit/plenivor_view_document.h"
#include "edit/quick_tools.h"
#include "edit/tool_machine.h"
#include "library/texture_bank.h"
#include "objects/draw_object.h"
#include "ratio_main.h"

namespace {

using namespace lumi;

struct NoSurface final : ViewSurface {
  void InvalidateAll() override {}
  void InvalidateDeviceRect(const Rect&) override {}
  void ScrollGeometryChanged() override {}
  void ShowZoomEntry(int) override {}
};

struct CountingPort final : ToolViewPort {
  void InvalidateCanvas(const Rect& r) override { dirty = Union(dirty, r); }
  Rect dirty;
};

class DragScene {
 public:
  DragScene() : view_document_(doc_), view_(surface_, host_) {
    doc_.NewDocument();
    doc_.SetCanvasSize(1700, 1500);
    // 50 objects, the dragged one in the middle of the list: 25 beneath it, 24 above.
    for (int i = 0; i < 50; ++i) {
      auto o = doc_.MakeObject();
      if (i == 25) {
        o->CreateRectangle(600, 500, 1000, 900);
        o->SetBevelKind(1);
        o->SetBevelWidth(12);
        o->Render();
        dragged_ = o.get();
      } else {
        const int x = (i * 173) % 1500, y = (i * 311) % 1300;
        if (i % 2)
          o->CreateCircle(x, y, x + 160, y + 140);
        else
          o->CreateRectangle(x, y, x + 200, y + 120);
        o->SetFillColor(RGB(i * 5, 255 - i * 5, 128));
        o->Render();
      }
      doc_.Objects().push_back(std::move(o));
    }
    view_.SetDocument(&view_document_);
    view_.SetClientSize({1700, 1500});
    view_.OnFirstShow();
    tools_ = std::make_unique<ToolMachine>(doc_, port_, quick_, nullptr);
    tools_->Press({800, 700}, {});
    view_.SelectObject(dragged_);
    view_.Paint();  // builds the cache
  }

  // One mouse move, alternating so that the object stays in place over many steps.
  // `dirty_only` paints just the device rectangle the move invalidated.
  void Step(bool drop_cache, bool dirty_only = false) {
    step_ ^= 1;
    port_.dirty = {};
    tools_->Move({800 + (step_ ? 7 : 0), 700 + (step_ ? 5 : 0)}, {});
    const Overlay overlay = tools_->BuildOverlay();
    benchmark::DoNotOptimize(overlay.shapes.data());
    if (drop_cache) view_.Cache().MarkInvalid();
    Rect device = view_.Zoom().CanvasToDevice(port_.dirty);
    // A canvas pixel cut by the right or bottom edge still shows partly, as in the window.
    device.right += 1;
    device.bottom += 1;
    const ViewPaint paint = dirty_only ? view_.Paint(device) : view_.Paint();
    benchmark::DoNotOptimize(paint.image);
    composed_pixels_ = paint.composed.Width() * paint.composed.Height();
  }
  int ComposedPixels() const { return composed_pixels_; }

 private:
  SilentHost host_;
  MemorySettings settings_;
  CTextureBank bank_;
  CPlenivorDoc doc_{host_, settings_, bank_};
  PlenivorViewDocument view_document_;
  NoSurface surface_;
  DrawingView view_;
  CountingPort port_;
  RecordingQuickTools quick_;
  std::unique_ptr<ToolMachine> tools_;
  CDrawObject* dragged_ = nullptr;
  int step_ = 0;
  int composed_pixels_ = 0;
};

DragScene& Scene() {
  static DragScene scene;
  return scene;
}

void BM_DragStepOurs(benchmark::State& state) {
  DragScene& scene = Scene();
  for (auto _ : state) scene.Step(false);
}
BENCHMARK(BM_DragStepOurs)->Name("DragStep/ours")->Unit(benchmark::kMillisecond);

void BM_DragStepReference(benchmark::State& state) {
  DragScene& scene = Scene();
  for (auto _ : state) scene.Step(true);
}
BENCHMARK(BM_DragStepReference)->Name("DragStep/reference")->Unit(benchmark::kMillisecond);

void BM_DirtyStepOurs(benchmark::State& state) {
  DragScene& scene = Scene();
  for (auto _ : state) scene.Step(false, true);
  state.counters["composed_pixels"] = scene.ComposedPixels();
}
BENCHMARK(BM_DirtyStepOurs)->Name("DirtyStep/ours")->Unit(benchmark::kMillisecond);

void BM_DirtyStepReference(benchmark::State& state) {
  DragScene& scene = Scene();
  for (auto _ : state) scene.Step(false);
  state.counters["composed_pixels"] = scene.ComposedPixels();
}
BENCHMARK(BM_DirtyStepReference)->Name("DirtyStep/reference")->Unit(benchmark::kMillisecond);

}  // namespace

LUMI_BENCHMARK_MAIN();
