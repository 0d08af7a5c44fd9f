// The drawing tools per mouse event: a pencil stroke of 2,000 mouse points, each move
// appending its point and rebuilding the overlay that shows the trace, and one dab of the
// transparency brush on a 1700 x 1500 bitmap object (the largest an object may be).
//
// "PencilStroke/ours" is the 2,000 moves of one stroke (items = moves, so the time per
// item is the time per move); "PencilRelease" makes the free path from those points.
// "BrushDab/ours" paints one dab (size 8), "BrushDab/reference" the same dab computed
// over every pixel of the bitmap, as a dab that does not keep to its square would.
// "BrushRelease" is the render from the painted source at the end of a brush stroke.
// A smooth drag wants each event under 4 ms.
// Run: build/bench/bench_draw_tools
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "base/host.h"
#include "base/settings.h"
#include "document/plenivor_doc.h"
#include "edit/brush_dab.h"
#include "edit/quick_tools.h"
#include "edit/tool_machine.h"
#include "image/pixwerk.h"
#include "library/texture_bank.h"
#include "objects/draw_object.h"
#include "ratio_main.h"

namespace {

using namespace lumi;

constexpr int kStrokePoints = 2000;

struct Scene {
  Scene() {
    doc.NewDocument();
    doc.SetCanvasSize(1700, 1500);
    RgbImage rgb{1700, 1500, std::vector<std::uint8_t>(3u * 1700 * 1500, 0x80)};
    auto o = doc.MakeObject();
    o->CreateBitmapFromClipboard(rgb, 850, 750);
    bitmap = o.get();
    doc.Objects().push_back(std::move(o));
  }
  // A spiral, so that the stroke does not close on itself.
  static Point StrokePoint(int i) {
    const double a = i * 0.02;
    return {850 + static_cast<int>((40 + i / 5.0) * std::cos(a)), 750 + static_cast<int>((40 + i / 5.0) * std::sin(a))};
  }
  SilentHost host;
  MemorySettings settings;
  CTextureBank bank;
  CPlenivorDoc doc{host, settings, bank};
  ToolViewPort port;
  RecordingQuickTools quick;
  ToolMachine tools{doc, port, quick, nullptr};
  CDrawObject* bitmap = nullptr;
};

Scene& TheScene() {
  static Scene scene;
  return scene;
}

void BM_PencilStroke(benchmark::State& state) {
  Scene& s = TheScene();
  for (auto _ : state) {
    s.tools.ChooseTool(Tool::FreePath);
    s.tools.Press(Scene::StrokePoint(0), {});
    for (int i = 1; i <= kStrokePoints; ++i) {
      s.tools.Move(Scene::StrokePoint(i), {});
      const Overlay trace = s.tools.BuildOverlay();
      benchmark::DoNotOptimize(trace.shapes.data());
    }
    state.PauseTiming();
    s.tools.ChooseTool(Tool::Select);  // drops the stroke without making it
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kStrokePoints);
}
BENCHMARK(BM_PencilStroke)->Name("PencilStroke/ours")->Unit(benchmark::kMillisecond);

void BM_PencilRelease(benchmark::State& state) {
  Scene& s = TheScene();
  for (auto _ : state) {
    state.PauseTiming();
    s.tools.ChooseTool(Tool::FreePath);
    s.tools.Press(Scene::StrokePoint(0), {});
    for (int i = 1; i <= kStrokePoints; ++i) s.tools.Move(Scene::StrokePoint(i), {});
    state.ResumeTiming();
    s.tools.Release(Scene::StrokePoint(kStrokePoints), {});
    state.PauseTiming();
    s.doc.Objects().pop_back();  // keep the document to the bitmap
    s.tools.ForgetSelection();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_PencilRelease)->Name("PencilRelease")->Unit(benchmark::kMillisecond);

void BM_BrushDabOurs(benchmark::State& state) {
  Scene& s = TheScene();
  int i = 0;
  for (auto _ : state) {
    const Rect r = PaintDab(*s.bitmap, {850 + (i++ % 64), 750}, 8, 128, BrushKind::Transparency);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_BrushDabOurs)->Name("BrushDab/ours")->Unit(benchmark::kMicrosecond);

// The same dab visiting every pixel of the bitmap.
void BM_BrushDabReference(benchmark::State& state) {
  Scene& s = TheScene();
  CDIBSection& source = s.bitmap->SourceBitmap();
  const int b = 8, v = 128;
  const double limit = 2.0 * b * b;
  int i = 0;
  for (auto _ : state) {
    const int lx = 850 + (i++ % 64), ly = 750;
    for (int r = 0; r < source.Height(); ++r) {
      std::uint8_t* row = source.Row(r);
      for (int c = 0; c < source.Width(); ++c) {
        const double d2 = static_cast<double>((c - lx) * (c - lx) + (r - ly) * (r - ly));
        if (d2 >= limit) continue;
        const int m = static_cast<int>(v - v / limit * d2);
        row[4 * c + 3] = static_cast<std::uint8_t>(std::max(0, row[4 * c + 3] - m));
      }
    }
    benchmark::DoNotOptimize(source.Pixels());
  }
}
BENCHMARK(BM_BrushDabReference)->Name("BrushDab/reference")->Unit(benchmark::kMicrosecond);

void BM_BrushRelease(benchmark::State& state) {
  Scene& s = TheScene();
  for (auto _ : state) {
    s.bitmap->Render();
    benchmark::DoNotOptimize(s.bitmap->KeptImage().HeldBytes());  // as kept, not unpacked
  }
}
BENCHMARK(BM_BrushRelease)->Name("BrushRelease")->Unit(benchmark::kMillisecond);

}  // namespace

LUMI_BENCHMARK_MAIN();
