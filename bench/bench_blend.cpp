// Alpha blending of an object's bitmap: the four-channel bitmap blend (BlendFrom) and the
// canvas blend that keeps the canvas alpha (BlendOnto), each against its pixel-at-a-time
// reference, and at 1024 x 1024 against a plain copy of the layer's rows. Each benchmark
// runs nine times, interleaved with the others, and the medians are compared.
// Run: build/bench/bench_blend   (--benchmark_repetitions=1 for a single quick pass)
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <random>

#include "blend_onto_reference.h"
#include "dib_reference.h"
#include "image/dib_section.h"
#include "ratio_main.h"
#include "render/blend_onto.h"

namespace {

struct Pair {
  lumi::CDIBSection canvas, image;
};

// An object image as renders make them (opaque inside, clear outside, a soft band
// between) over a noisy canvas 64 pixels larger.
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

template <void (*Blend)(Pair&)>
void BM_Blend(benchmark::State& state) {
  Pair p = MakePair(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    Blend(p);
    benchmark::DoNotOptimize(p.canvas.Pixels());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0));
}

void FromOurs(Pair& p) { p.canvas.BlendFrom(p.image, 32, 32); }
void FromReference(Pair& p) { lumi::reference::BlendFrom(p.canvas, p.image, 32, 32); }
void OntoOurs(Pair& p) { lumi::BlendOnto(p.image, p.canvas, 32, 32); }
void OntoReference(Pair& p) { lumi::reference::BlendOnto(p.image, p.canvas, 32, 32); }

// The baseline the blends aim at: copying the layer's rows onto the canvas, in memory
// order (last row first) as the blends walk them.
void CopyLayer(Pair& p) {
  const int size = p.image.Width();
  for (int y = size - 1; y >= 0; --y)
    std::memcpy(p.canvas.Row(y + 32) + 32 * 4, p.image.Row(y), static_cast<std::size_t>(size) * 4);
}

BENCHMARK(BM_Blend<CopyLayer>)->Name("BlendFrom/copy")->Arg(1024);
BENCHMARK(BM_Blend<CopyLayer>)->Name("BlendOnto/copy")->Arg(1024);
BENCHMARK(BM_Blend<FromOurs>)->Name("BlendFrom/ours")->Arg(256)->Arg(1024);
BENCHMARK(BM_Blend<FromReference>)->Name("BlendFrom/reference")->Arg(256)->Arg(1024);
BENCHMARK(BM_Blend<OntoOurs>)->Name("BlendOnto/ours")->Arg(256)->Arg(1024);
BENCHMARK(BM_Blend<OntoReference>)->Name("BlendOnto/reference")->Arg(256)->Arg(1024);

}  // namespace

// The copy baseline is bound by memory, the blends by arithmetic: a busy neighbour on the
// host slows them unequally, so both are repeated and interleaved.
LUMI_BENCHMARK_MAIN_REPEATED(9)
