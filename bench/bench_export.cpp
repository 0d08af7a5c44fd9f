// Exporting a full 1800 x 1500 canvas of 50 objects (rectangles of 80..400 pixels, a
// third with drop shadows or glows): the composition into the RGB export buffer against
// the plain pixel-at-a-time composition, and the whole export (composition, then
// ExportImage writing the file) as JPG, 24-bit PNG and 64-colour PNG with Floyd-Steinberg.
// The whole exports have no natural reference; their absolute times are printed.
// Run: build/bench/bench_export
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "base/host.h"
#include "base/settings.h"
#include "canvas_composition_reference.h"
#include "export/export_image.h"
#include "export/render_canvas_for_export.h"
#include "objects/draw_object.h"
#include "ratio_main.h"

namespace {

using namespace lumi;

struct Scene {
  SilentHost host;
  CanvasArea canvas{1800, 1500, RGB(250, 248, 240), {}};
  std::vector<std::unique_ptr<CDrawObject>> objects;
};

Scene& TheScene(int count) {
  static Scene scene = [count] {
    Scene s;
    std::mt19937 rng(7);
    for (int i = 0; i < count; ++i) {
      auto o = std::make_unique<CDrawObject>(s.host);
      o->SetFillColor(RGB(rng() % 256, rng() % 256, rng() % 256));
      if (i % 3 == 0) o->SetEffectKind(rng() % 2 ? 1 : 3);  // drop shadow or glow
      const int w = 80 + static_cast<int>(rng() % 320), h = 80 + static_cast<int>(rng() % 320);
      const int x = static_cast<int>(rng() % (1800 - w)), y = static_cast<int>(rng() % (1500 - h));
      o->CreateRectangle(x, y, x + w, y + h);
      s.objects.push_back(std::move(o));
    }
    // Both compositions must agree before either is timed.
    if (RenderCanvasForExport(s.canvas, s.objects, s.host).pixels !=
        reference::ComposeCanvasRgb(s.canvas, s.objects).pixels)
      std::abort();
    return s;
  }();
  return scene;
}

void BM_ComposeOurs(benchmark::State& state) {
  Scene& s = TheScene(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(RenderCanvasForExport(s.canvas, s.objects, s.host));
}
void BM_ComposeReference(benchmark::State& state) {
  Scene& s = TheScene(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(reference::ComposeCanvasRgb(s.canvas, s.objects));
}

// Composition and export into one file, as "Export..." does it.
template <ImageFormat kFormat, int kColourMode>
void BM_Export(benchmark::State& state) {
  Scene& s = TheScene(static_cast<int>(state.range(0)));
  MemorySettings settings;
  const auto folder = std::filesystem::temp_directory_path();
  const auto file =
      folder / (kFormat == ImageFormat::kJpg ? "lumi_bench_export.jpg" : "lumi_bench_export.png");
  ExportContext context{
      s.host,
      settings,
      folder,
      [&](const SaveDialogRequest&) -> std::optional<std::filesystem::path> { return file; },
      {}};
  for (auto _ : state) {
    const RgbImage source = RenderCanvasForExport(s.canvas, s.objects, s.host);
    ExportChoices choices = LoadExportChoices(settings, source.width, source.height);
    choices.format = kFormat;
    choices.colour_mode = kColourMode;
    choices.custom_count = 64;
    choices.dither = 2;
    if (!ExportImage(ExportMode::kExport, &source, choices, context).written) {
      state.SkipWithError("export failed");
      break;
    }
  }
  std::filesystem::remove(file);
}

BENCHMARK(BM_ComposeOurs)->Name("Compose/ours")->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComposeReference)->Name("Compose/reference")->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export<ImageFormat::kJpg, 0>)->Name("ExportJpg")->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export<ImageFormat::kPng, 0>)->Name("ExportPng24")->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export<ImageFormat::kPng, 2>)
    ->Name("ExportPng64FloydSteinberg")
    ->Arg(50)
    ->Unit(benchmark::kMillisecond);

}  // namespace

LUMI_BENCHMARK_MAIN()
