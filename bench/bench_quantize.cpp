// Colour reduction of an 1800 x 1500 photo-like image (the export's largest canvas) to
// 256 and 16 colours, without dither and with both dithers: ours against the plain
// reference. The argument is the colour count. Run: build/bench/bench_quantize
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "image/color_quantizer.h"
#include "quantize_reference.h"
#include "ratio_main.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr int kWidth = 1800, kHeight = 1500;

// Smooth gradients, soft blobs and sensor-like noise: many thousands of 15-bit cells.
const Bytes& PhotoLike() {
  static const Bytes image = [] {
    Bytes rgb(static_cast<std::size_t>(kWidth) * kHeight * 3);
    std::mt19937 rng(11);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const int dx = x - 900, dy = y - 600;
        const int blob = std::max(0, 120 - (dx * dx + dy * dy) / 4000);
        const int v[3] = {x * 200 / kWidth + blob / 2, y * 180 / kHeight + blob / 3,
                          (x + y) * 120 / (kWidth + kHeight) + blob};
        for (int c = 0; c < 3; ++c) {
          rgb[(static_cast<std::size_t>(y) * kWidth + x) * 3 + c] = static_cast<std::uint8_t>(
              std::clamp(v[c] + static_cast<int>(rng() % 17) - 8, 0, 255));
        }
      }
    }
    return rgb;
  }();
  return image;
}

void Ours(benchmark::State& state, int dither) {
  const Bytes& rgb = PhotoLike();
  Bytes indices(static_cast<std::size_t>(kWidth) * kHeight), palette(1024);
  lumi::CColorQuantizer quantizer;
  for (auto _ : state) {
    quantizer.Quantize(rgb.data(), indices.data(), kWidth, kHeight,
                       static_cast<int>(state.range(0)), palette.data(), dither);
    benchmark::DoNotOptimize(indices.data());
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void Reference(benchmark::State& state, int dither) {
  const Bytes& rgb = PhotoLike();
  for (auto _ : state) {
    auto result = lumi::reference::Quantize(rgb, kWidth, kHeight,
                                            static_cast<int>(state.range(0)), dither);
    benchmark::DoNotOptimize(result.indices.data());
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void BM_NoneOurs(benchmark::State& s) { Ours(s, 0); }
void BM_NoneReference(benchmark::State& s) { Reference(s, 0); }
void BM_SimpleOurs(benchmark::State& s) { Ours(s, 1); }
void BM_SimpleReference(benchmark::State& s) { Reference(s, 1); }
void BM_FloydOurs(benchmark::State& s) { Ours(s, 2); }
void BM_FloydReference(benchmark::State& s) { Reference(s, 2); }

#define LUMI_QUANTIZE_BENCH(fn, name) \
  BENCHMARK(fn)->Name(name)->Arg(16)->Arg(256)->Unit(benchmark::kMillisecond)
LUMI_QUANTIZE_BENCH(BM_NoneOurs, "QuantizeNoDither/ours");
LUMI_QUANTIZE_BENCH(BM_NoneReference, "QuantizeNoDither/reference");
LUMI_QUANTIZE_BENCH(BM_SimpleOurs, "QuantizeErrorDiffusion/ours");
LUMI_QUANTIZE_BENCH(BM_SimpleReference, "QuantizeErrorDiffusion/reference");
LUMI_QUANTIZE_BENCH(BM_FloydOurs, "QuantizeFloydSteinberg/ours");
LUMI_QUANTIZE_BENCH(BM_FloydReference, "QuantizeFloydSteinberg/reference");

}  // namespace

LUMI_BENCHMARK_MAIN()
