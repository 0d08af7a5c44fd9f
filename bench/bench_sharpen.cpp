// PxSharpen and PxSoften on an RGB image: ours against the pixel-at-a-time reference.
// Run: build/bench/bench_sharpen
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "effects/sharpen_soften.h"
#include "ratio_main.h"
#include "sharpen_soften_reference.h"

namespace {

std::vector<std::uint8_t> Noise(int w, int h) {
  std::vector<std::uint8_t> px(static_cast<std::size_t>(w) * h * 3);
  std::mt19937 rng(1);
  for (auto& b : px) b = static_cast<std::uint8_t>(rng());
  return px;
}

template <class F>
void Run(benchmark::State& state, F&& filter) {
  const int w = static_cast<int>(state.range(0)), h = w * 5 / 6;
  const auto source = Noise(w, h);
  std::vector<std::uint8_t> out(source.size());
  for (auto _ : state) {
    filter(source.data(), out.data(), w, h);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * w * h);
}

void SharpenOurs(benchmark::State& s) {
  Run(s, [](const std::uint8_t* a, std::uint8_t* b, int w, int h) { lumi::PxSharpen(a, b, w, h, 20); });
}
void SharpenReference(benchmark::State& s) {
  Run(s, [](const std::uint8_t* a, std::uint8_t* b, int w, int h) { lumi::reference::Sharpen(a, b, w, h, 20); });
}
void SoftenOurs(benchmark::State& s) {
  Run(s, [](const std::uint8_t* a, std::uint8_t* b, int w, int h) { lumi::PxSoften(a, b, w, h, 10); });
}
void SoftenReference(benchmark::State& s) {
  Run(s, [](const std::uint8_t* a, std::uint8_t* b, int w, int h) { lumi::reference::Soften(a, b, w, h, 10); });
}

BENCHMARK(SharpenOurs)->Name("Sharpen/ours")->Arg(600)->Arg(1800)->Unit(benchmark::kMillisecond);
BENCHMARK(SharpenReference)->Name("Sharpen/reference")->Arg(600)->Arg(1800)->Unit(benchmark::kMillisecond);
BENCHMARK(SoftenOurs)->Name("Soften/ours")->Arg(600)->Arg(1800)->Unit(benchmark::kMillisecond);
BENCHMARK(SoftenReference)->Name("Soften/reference")->Arg(600)->Arg(1800)->Unit(benchmark::kMillisecond);

}  // namespace

LUMI_BENCHMARK_MAIN()
