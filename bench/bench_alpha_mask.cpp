// The alpha mask of a Solo-mode button image written as a grey RGB image, against its
// pixel-at-a-time reference.
// Run: build/bench/bench_alpha_mask
#include <benchmark/benchmark.h>

#include <random>

#include "alpha_mask_reference.h"
#include "export/alpha_mask_rgb.h"
#include "image/dib_section.h"
#include "ratio_main.h"

namespace {

lumi::CDIBSection NoisyBitmap(int size) {
  lumi::CDIBSection bitmap;
  bitmap.Create(size, size);
  std::mt19937 rng(3);
  for (std::size_t i = 0; i < bitmap.PixelBytes(); ++i) bitmap.Pixels()[i] = rng() & 255;
  return bitmap;
}

void BM_Ours(benchmark::State& state) {
  const lumi::CDIBSection bitmap = NoisyBitmap(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(lumi::AlphaMaskToRGB(bitmap));
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0));
}

void BM_Reference(benchmark::State& state) {
  const lumi::CDIBSection bitmap = NoisyBitmap(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(lumi::reference::AlphaMaskToRGB(bitmap));
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0));
}

BENCHMARK(BM_Ours)->Name("AlphaMaskToRGB/ours")->Arg(256)->Arg(1024);
BENCHMARK(BM_Reference)->Name("AlphaMaskToRGB/reference")->Arg(256)->Arg(1024);

}  // namespace

LUMI_BENCHMARK_MAIN()
