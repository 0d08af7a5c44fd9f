// Alpha blending of one bitmap onto another: ours against the pixel-at-a-time reference.
// Run: build/bench/bench_blend
#include <benchmark/benchmark.h>

#include <random>

#include "dib_reference.h"
#include "ratio_main.h"
#include "image/dib_section.h"

namespace {

struct Pair {
  lumi::CDIBSection dst, src;
};

Pair MakePair(int size) {
  Pair p;
  p.dst.Create(size, size);
  p.src.Create(size, size);
  std::mt19937 rng(1);
  for (std::size_t i = 0; i < p.dst.PixelBytes(); ++i) p.dst.Pixels()[i] = rng() & 255;
  // An object bitmap: opaque inside, clear outside, a soft band between.
  for (int y = 0; y < size; ++y) {
    std::uint8_t* row = p.src.Row(y);
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

void BM_BlendOurs(benchmark::State& state) {
  Pair p = MakePair(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    p.dst.BlendFrom(p.src, 0, 0);
    benchmark::DoNotOptimize(p.dst.Pixels());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0));
}

void BM_BlendReference(benchmark::State& state) {
  Pair p = MakePair(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    lumi::reference::BlendFrom(p.dst, p.src, 0, 0);
    benchmark::DoNotOptimize(p.dst.Pixels());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0));
}

BENCHMARK(BM_BlendOurs)->Name("Blend/ours")->Arg(256)->Arg(1024);
BENCHMARK(BM_BlendReference)->Name("Blend/reference")->Arg(256)->Arg(1024);

}  // namespace

LUMI_BENCHMARK_MAIN()
