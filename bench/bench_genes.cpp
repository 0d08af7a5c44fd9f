// The colour-gene generator: every mode, ours against the pixel-at-a-time reference.
// "Gene<mode>/ours/<width>" on width x (width x 15 / 17) pixels (1700 gives the largest
// object, 1700 x 1500).
// Run: build/bench/bench_genes   (add --benchmark_filter=/1700 for the largest objects)
#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

#include "gene_reference.h"
#include "library/texture_factory.h"
#include "ratio_main.h"

namespace {

constexpr std::array<int, 8> kGene = {200, 77, 181, 140, 90, 230, 120, 250};

void Ours(benchmark::State& state, int mode) {
  const int w = static_cast<int>(state.range(0)), h = w * 15 / 17;
  std::vector<std::uint8_t> px(static_cast<std::size_t>(w) * h * 4, 0);
  lumi::CTextureFactory factory;
  factory.SetImage(px.data(), w, h);
  for (int i = 0; i < 8; ++i) factory.SetParam(i, kGene[static_cast<std::size_t>(i)]);
  factory.SetGeneMode(mode);
  for (auto _ : state) {
    factory.Generate();
    benchmark::DoNotOptimize(px.data());
  }
  state.SetItemsProcessed(state.iterations() * w * h);
}

void Reference(benchmark::State& state, int mode) {
  const int w = static_cast<int>(state.range(0)), h = w * 15 / 17;
  std::vector<std::uint8_t> px(static_cast<std::size_t>(w) * h * 4, 0);
  for (auto _ : state) {
    lumi::reference::GenerateGene(px.data(), w, h, kGene.data(), mode);
    benchmark::DoNotOptimize(px.data());
  }
  state.SetItemsProcessed(state.iterations() * w * h);
}

int Register() {
  for (int mode = 0; mode < 14; ++mode) {
    const std::string name = "Gene" + std::to_string(mode);
    benchmark::RegisterBenchmark((name + "/ours").c_str(), Ours, mode)
        ->Arg(340)->Arg(1700)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((name + "/reference").c_str(), Reference, mode)
        ->Arg(340)->Arg(1700)->Unit(benchmark::kMillisecond);
  }
  return 0;
}
const int kRegistered = Register();

}  // namespace

LUMI_BENCHMARK_MAIN()
