// Blending an object image onto the canvas: ours against the pixel-at-a-time reference.
// Run: build/bench/bench_blend_onto
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>

#include "blend_onto_reference.h"
#include "ratio_main.h"
#include "render/blend_onto.h"

namespace {

struct Pair {
  lumi::CDIBSection canvas, image;
};

// An object image as renders make them: opaque inside, clear outside, a soft band between.
Pair MakePair(int size) {
  Pair p;
  p.canvas.Create(size + 64, size + 64);
  p.image.Create(size, size);
  std::mt19937 rng(1);
  for (std::size_t i = 0; i < p.canvas.PixelBytes(); ++i) p.canvas.Pixels()[i] = rng() & 255;
  for (int y = 0; y < size; ++y) {
    std::uint8_t* row = p.image.Row(y);
    for (int x = 0; x < size; ++x) {
      const int d = std::abs(x - size / 2) + std::abs(y - size / 2);
      row[x * 4] = rng() & 255;
      row[x * 4 + 1] = rng() & 255;
      row[x * 4 + 2] = rng() & 255;
      row[x * 4 + 3] = d < size / 3 ? 255 : d < size / 2 ? rng() & 255 : 0;
    }
  }
  return p;
}

void BM_BlendOntoOurs(benchmark::State& state) {
  Pair p = MakePair(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    lumi::BlendOnto(p.image, p.canvas, 32, 32);
    benchmark::DoNotOptimize(p.canvas.Pixels());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0));
}

void BM_BlendOntoReference(benchmark::State& state) {
  Pair p = MakePair(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    lumi::reference::BlendOnto(p.image, p.canvas, 32, 32);
    benchmark::DoNotOptimize(p.canvas.Pixels());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0));
}

BENCHMARK(BM_BlendOntoOurs)->Name("BlendOnto/ours")->Arg(256)->Arg(1024);
BENCHMARK(BM_BlendOntoReference)->Name("BlendOnto/reference")->Arg(256)->Arg(1024);

}  // namespace

LUMI_BENCHMARK_MAIN()
