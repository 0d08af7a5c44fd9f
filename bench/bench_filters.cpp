// The bitmap filters: ours against the pixel-at-a-time reference.
// "Filter<id>/ours/<width>" on a width x (width x 5 / 6) image of noise.
// Run: build/bench/bench_filters   (add --benchmark_filter=/1800 for the large images)
#include <benchmark/benchmark.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "base/runtime_random.h"
#include "effects/filter_factory.h"
#include "filter_reference.h"
#include "ratio_main.h"

namespace {

std::vector<std::uint8_t> Noise(int w, int h) {
  std::vector<std::uint8_t> px(static_cast<std::size_t>(w) * h * 4);
  std::mt19937 rng(1);
  for (auto& b : px) b = static_cast<std::uint8_t>(rng());
  return px;
}

void Ours(benchmark::State& state, int id) {
  const int w = static_cast<int>(state.range(0)), h = w * 5 / 6;
  auto px = Noise(w, h);
  lumi::CFilterFactory factory;
  factory.SetImage(px.data(), w, h);
  factory.SelectFilter(id);
  lumi::SeedRandom(1);
  for (auto _ : state) {
    factory.ApplyFilter();
    benchmark::DoNotOptimize(px.data());
  }
  state.SetItemsProcessed(state.iterations() * w * h);
}

void Reference(benchmark::State& state, int id) {
  const int w = static_cast<int>(state.range(0)), h = w * 5 / 6;
  const auto original = Noise(w, h);
  auto px = original;
  lumi::CFilterFactory factory;
  factory.SelectFilter(id);
  std::array<int, 8> P{};
  for (int i = 0; i < 8; ++i) P[static_cast<std::size_t>(i)] = factory.GetParam(i);
  std::array<std::int32_t, 256> T{};
  lumi::SeedRandom(1);
  for (auto _ : state) {
    px = original;  // what ours does first: start again from the unfiltered image
    lumi::reference::ApplyFilter(id, P.data(), px, w, h, T.data());
    benchmark::DoNotOptimize(px.data());
  }
  state.SetItemsProcessed(state.iterations() * w * h);
}

// The three slowest filters (Oil Emboss, Aged Photo, Mosaic Soft) also at the largest
// object size.
const int kSlowest[] = {11, 12, 25};

int Register() {
  for (int id = 0; id < 27; ++id) {
    const std::string name = "Filter" + std::to_string(id);
    auto* ours = benchmark::RegisterBenchmark((name + "/ours").c_str(), Ours, id)->Arg(600);
    auto* ref = benchmark::RegisterBenchmark((name + "/reference").c_str(), Reference, id)->Arg(600);
    for (int slow : kSlowest)
      if (slow == id) {
        ours->Arg(1800);
        ref->Arg(1800);
      }
    ours->Unit(benchmark::kMillisecond);
    ref->Unit(benchmark::kMillisecond);
  }
  return 0;
}
const int kRegistered = Register();

}  // namespace

LUMI_BENCHMARK_MAIN()
