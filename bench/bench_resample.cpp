// Two-pass resampling, 1800 x 1500 to 1200 x 1000 (the export's largest canvas to two
// thirds) with each kernel, and the four-channel bilinear enlargement bitmap objects use:
// ours against the sample-at-a-time reference. The argument is the kernel (0 box,
// 1 bilinear, 2 Hamming, 3 Blackman). Run: build/bench/bench_resample
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "image/two_pass_scaler.h"
#include "ratio_main.h"
#include "resample_reference.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes PhotoLike(int w, int h, int channels) {
  Bytes image(static_cast<std::size_t>(w) * h * channels);
  std::mt19937 rng(3);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      for (int c = 0; c < channels; ++c) {
        const int v = (x * (c + 2) / 9 + y * (4 - c) / 7 + ((x / 40 + y / 30) % 2) * 60) % 256;
        image[(static_cast<std::size_t>(y) * w + x) * channels + c] =
            static_cast<std::uint8_t>(std::min(255, v + static_cast<int>(rng() % 12)));
      }
    }
  }
  return image;
}

struct Case {
  int sw, sh, dw, dh, channels;
};

constexpr Case kShrink{1800, 1500, 1200, 1000, 3};
constexpr Case kEnlarge{400, 300, 800, 600, 4};

void Ours(benchmark::State& state, Case c) {
  const Bytes source = PhotoLike(c.sw, c.sh, c.channels);
  Bytes out(static_cast<std::size_t>(c.dw) * c.dh * c.channels);
  lumi::CTwoPassScaler scaler(lumi::ScaleKernelFromIndex(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    scaler.Scale(source.data(), c.sw, c.sh, out.data(), c.dw, c.dh, c.channels);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * c.sw * c.sh);
}

void Reference(benchmark::State& state, Case c) {
  const Bytes source = PhotoLike(c.sw, c.sh, c.channels);
  const lumi::ScaleKernel kernel = lumi::ScaleKernelFromIndex(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    Bytes out = lumi::reference::Resample(kernel, source, c.sw, c.sh, c.dw, c.dh, c.channels);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * c.sw * c.sh);
}

void BM_ShrinkOurs(benchmark::State& state) { Ours(state, kShrink); }
void BM_ShrinkReference(benchmark::State& state) { Reference(state, kShrink); }
void BM_EnlargeOurs(benchmark::State& state) { Ours(state, kEnlarge); }
void BM_EnlargeReference(benchmark::State& state) { Reference(state, kEnlarge); }

BENCHMARK(BM_ShrinkOurs)->Name("Resample1800x1500to1200x1000/ours")->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShrinkReference)->Name("Resample1800x1500to1200x1000/reference")->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnlargeOurs)->Name("ResampleRGBA400x300to800x600/ours")->Arg(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnlargeReference)->Name("ResampleRGBA400x300to800x600/reference")->Arg(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

LUMI_BENCHMARK_MAIN()
