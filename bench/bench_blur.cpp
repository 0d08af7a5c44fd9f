// The blur with profile curves: ours against the plain per-pixel reference, on maps the
// size of a typical object (400 x 300) and of the largest effect layer (1720 x 1520).
// Run: build/bench/bench_blur
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <vector>

#include "blur_reference.h"
#include "ratio_main.h"
#include "effects/profile_blur.h"

namespace {

// A coverage mask: an opaque diamond with a ragged edge.
std::vector<std::uint8_t> MakeMask(int w, int h) {
  std::vector<std::uint8_t> m(static_cast<std::size_t>(w) * h);
  std::mt19937 rng(1);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int d = std::abs(x - w / 2) * h + std::abs(y - h / 2) * w;
      m[static_cast<std::size_t>(y) * w + x] =
          d < w * h / 3 ? 255 : d < w * h / 3 + w * 2 ? rng() & 255 : 0;
    }
  }
  return m;
}

void BM_BlurOurs(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  const std::vector<std::uint8_t> mask = MakeMask(w, h);
  std::vector<std::uint8_t> map;
  lumi::CProfileBlur blur;
  for (auto _ : state) {
    map = mask;
    blur.Apply(map.data(), w, h, static_cast<double>(state.range(2)));
    benchmark::DoNotOptimize(map.data());
  }
  state.SetItemsProcessed(state.iterations() * w * h);
}

void BM_BlurReference(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  const std::vector<std::uint8_t> mask = MakeMask(w, h);
  std::vector<std::uint8_t> map;
  for (auto _ : state) {
    map = mask;
    lumi::reference::ProfileBlur(map.data(), w, h, static_cast<double>(state.range(2)), 0);
    benchmark::DoNotOptimize(map.data());
  }
  state.SetItemsProcessed(state.iterations() * w * h);
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (int sigma : {2, 10, 30}) b->Args({400, 300, sigma});
  for (int sigma : {2, 10, 30}) b->Args({1720, 1520, sigma});
  b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_BlurOurs)->Name("Blur/ours")->Apply(Sizes);
BENCHMARK(BM_BlurReference)->Name("Blur/reference")->Apply(Sizes);

}  // namespace

LUMI_BENCHMARK_MAIN()
