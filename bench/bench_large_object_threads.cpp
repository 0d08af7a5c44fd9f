// One large object rendered with 1 and with 2 render threads: a 1500 x 1500 rounded
// rectangle at "Super Smooth", "Smooth Bevel" width 10, a texture fill and "Drop Shadow"
// softness 6. The rows of its stages are split across the threads.
//
// Real time is what the user waits for; "process_cpu_ms" is the CPU time of every thread
// of the process per render, so the price of the split shows too. "Render/threads:1" is
// the one-thread render the others must match byte for byte (checked in the setup).
//
// "EffectStage/kind:K/threads:N" times the effect stage alone on that object's image:
// the silhouette, its blur, the layer's colour, lighting and alpha, and for "Inset +
// Shadow" (kind 7) the inner shadow too; each iteration starts from the same image.
// Run: build/bench/bench_large_object_threads
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "base/folders.h"
#include "base/host.h"
#include "base/parallel_render.h"
#include "library/texture_bank.h"
#include "objects/draw_object.h"
#include "ratio_main.h"
#include "render/effects.h"
#include "render/render_context.h"

namespace {

constexpr int kSide = 1500;

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

struct LargeObject {
  lumi::SilentHost host;
  lumi::CTextureBank bank;
  lumi::FolderSet folders;
  lumi::RenderContext context{&bank, &folders};
  lumi::CDrawObject object{host};

  LargeObject() {
    std::vector<std::uint8_t> rgb(64 * 48 * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(i * 37 + i / 97);
    bank.Add("stone.bmp", rgb, 64, 48);
    object.SetRenderContext(&context);
    object.CreateRoundRect(0, 0, kSide, kSide, 200);
    object.SetTextureName("stone.bmp");
    object.SetBevelKind(1);
    object.SetBevelWidth(10);
    object.SetEffectKind(1);
    object.SetEffectSoftness(6);
    object.SetEdgeQuality(lumi::kSuperSmooth);  // renders
  }
  std::vector<std::uint8_t> Bytes() const {
    const auto& image = object.Image();
    const auto& layer = object.EffectLayer();
    std::vector<std::uint8_t> bytes(image.Pixels(), image.Pixels() + image.PixelBytes());
    bytes.insert(bytes.end(), layer.Pixels(), layer.Pixels() + layer.PixelBytes());
    return bytes;
  }
};

// Runs `step` once with one thread and once with `threads`; when `bytes` differ the
// benchmark stops with `what`. Otherwise `step` is timed with `threads`, with the CPU time
// of the whole process beside the wall time.
template <class Step, class Bytes>
void TimeAgainstOneThread(benchmark::State& state, int threads, Step step, Bytes bytes, const char* what) {
  lumi::SetRenderThreadCount(1);
  step();
  const std::vector<std::uint8_t> one = bytes();
  lumi::SetRenderThreadCount(threads);
  step();
  if (bytes() != one) {
    state.SkipWithError(what);
    lumi::SetRenderThreadCount(0);
    return;
  }
  const double cpu_before = ProcessCpuSeconds();
  for (auto _ : state) step();
  const double cpu = ProcessCpuSeconds() - cpu_before;
  state.counters["process_cpu_ms"] = cpu * 1e3 / static_cast<double>(state.iterations());
  lumi::SetRenderThreadCount(0);
}

void BM_Render(benchmark::State& state) {
  LargeObject large;
  TimeAgainstOneThread(
      state, static_cast<int>(state.range(0)),
      [&] {
        large.object.Render();
        benchmark::DoNotOptimize(large.object.KeptImage().HeldBytes());  // as kept, not unpacked
      },
      [&] { return large.Bytes(); }, "the split render differs from the one-thread render");
}

BENCHMARK(BM_Render)->Name("Render/threads")->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

// The effect stage of kind `kind` on a copy of `image` (its coverage mask from the alpha).
struct EffectStageRun {
  lumi::CDIBSection image, layer;
  std::vector<std::uint8_t> mask;
  lumi::EffectSettings effect;

  EffectStageRun(const lumi::CDIBSection& object_image, int kind) : image(object_image) {
    // The mask is top row first; image rows are stored bottom first.
    const int w = image.Width(), h = image.Height();
    mask.resize(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        mask[static_cast<std::size_t>(y) * w + x] = image.Row(y)[x * 4 + 3];
    effect.kind = kind;
    effect.softness = 6;
    effect.distance = 5;
    effect.margin = 20;
  }
  void Run(const lumi::CDIBSection& object_image) {
    std::memcpy(image.Pixels(), object_image.Pixels(), object_image.PixelBytes());
    lumi::ApplyEffectStage(image, layer, mask.data(), effect);
  }
  std::vector<std::uint8_t> Bytes() const {
    std::vector<std::uint8_t> bytes(image.Pixels(), image.Pixels() + image.PixelBytes());
    bytes.insert(bytes.end(), layer.Pixels(), layer.Pixels() + layer.PixelBytes());
    return bytes;
  }
};

void BM_EffectStage(benchmark::State& state) {
  LargeObject large;
  const lumi::CDIBSection& object_image = large.object.Image();
  EffectStageRun stage(object_image, static_cast<int>(state.range(0)));
  TimeAgainstOneThread(
      state, static_cast<int>(state.range(1)),
      [&] {
        stage.Run(object_image);
        benchmark::DoNotOptimize(stage.layer.Pixels());
      },
      [&] { return stage.Bytes(); }, "the split effect stage differs from the one-thread stage");
}

BENCHMARK(BM_EffectStage)
    ->Name("EffectStage")
    ->ArgNames({"kind", "threads"})
    ->Args({1, 1})
    ->Args({1, 2})
    ->Args({7, 1})
    ->Args({7, 2})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

LUMI_BENCHMARK_MAIN()
