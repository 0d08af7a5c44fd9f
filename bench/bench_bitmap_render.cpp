// The bitmap stage on an 800 x 600 photo-like source: plainly scaled to 600 x 450,
// turned by 30 degrees in its 996 x 923 box, and warped through a bent envelope at the
// source size; plus the two warping kernels alone. Ours against the pixel-at-a-time
// reference (which resamples with the plain two-pass reference). The argument is the
// source width. Run: build/bench/bench_bitmap_render
#include <benchmark/benchmark.h>

#include <array>
#include <random>

#include "bitmap_stage_reference.h"
#include "image/two_pass_scaler.h"
#include "ratio_main.h"
#include "render/bitmap_stage.h"

namespace {

using lumi::CDIBSection;
using Envelope = std::array<double, 16>;

constexpr int kWidth = 800, kHeight = 600;
constexpr Envelope kBent = {0, 0.1, 0.4, -0.1, 0.6, 0.25, 1, 0, 0, 1, 0.35, 0.8, 0.7, 1.1, 1, 0.9};

CDIBSection Photo(int w, int h) {
  CDIBSection b;
  b.Create(w, h, 32, true);
  std::mt19937 rng(5);
  for (int y = 0; y < h; ++y) {
    std::uint8_t* p = b.Row(y);
    for (int x = 0; x < w; ++x, p += 4) {
      for (int c = 0; c < 3; ++c)
        p[c] = static_cast<std::uint8_t>((x * (c + 2) / 9 + y * (4 - c) / 7 +
                                          ((x / 40 + y / 30) % 2) * 60 + rng() % 12) % 256);
      p[3] = 255;
    }
  }
  return b;
}

CDIBSection Blank(int w, int h) {
  CDIBSection b;
  b.Create(w, h, 32, true);
  return b;
}

struct Mode {
  const Envelope* envelope;
  int angle;
  int w, h;
};
// 800 x 600 turned by 30: corners (0, 0), (300, 519), (992, 119), (692, -400), plus 4.
constexpr Mode kPlain{nullptr, 0, 600, 450};
constexpr Mode kTurned{nullptr, 30, 996, 923};
constexpr Mode kWarped{&kBent, 0, kWidth, kHeight};

void StageOurs(benchmark::State& state, Mode m) {
  const CDIBSection source = Photo(kWidth, kHeight);
  CDIBSection image = Blank(m.w, m.h);
  for (auto _ : state) {
    lumi::RenderBitmapImage(source, m.envelope, m.angle, image);
    benchmark::DoNotOptimize(image.Pixels());
  }
}

void StageReference(benchmark::State& state, Mode m) {
  const CDIBSection source = Photo(kWidth, kHeight);
  CDIBSection image = Blank(m.w, m.h);
  for (auto _ : state) {
    lumi::reference::RenderBitmapImage(source, m.envelope, m.angle, image);
    benchmark::DoNotOptimize(image.Pixels());
  }
}

// The kernels alone, on inputs already enlarged.
void WarpOurs(benchmark::State& state) {
  const CDIBSection enlarged = Photo(3 * kWidth, 3 * kHeight);
  CDIBSection work = Blank(kWidth, kHeight);
  for (auto _ : state) {
    lumi::WarpEnlargedSource(enlarged, lumi::EnvelopePixels(kBent, kWidth, kHeight), work);
    benchmark::DoNotOptimize(work.Pixels());
  }
}
void WarpReference(benchmark::State& state) {
  const CDIBSection enlarged = Photo(3 * kWidth, 3 * kHeight);
  CDIBSection work = Blank(kWidth, kHeight);
  for (auto _ : state) {
    lumi::reference::WarpEnlargedSource(enlarged, kBent, work);
    benchmark::DoNotOptimize(work.Pixels());
  }
}
void TurnOurs(benchmark::State& state) {
  const CDIBSection enlarged = Photo(2 * kWidth, 2 * kHeight);
  CDIBSection work = Blank(2 * kTurned.w, 2 * kTurned.h);
  for (auto _ : state) {
    lumi::RotateEnlargedSource(enlarged, 30, work);
    benchmark::DoNotOptimize(work.Pixels());
  }
}
void TurnReference(benchmark::State& state) {
  const CDIBSection enlarged = Photo(2 * kWidth, 2 * kHeight);
  CDIBSection work = Blank(2 * kTurned.w, 2 * kTurned.h);
  for (auto _ : state) {
    lumi::reference::RotateEnlargedSource(enlarged, 30, work);
    benchmark::DoNotOptimize(work.Pixels());
  }
}

BENCHMARK_CAPTURE(StageOurs, plain, kPlain)->Name("BitmapScaled/ours")->Arg(800)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StageReference, plain, kPlain)->Name("BitmapScaled/reference")->Arg(800)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StageOurs, turned, kTurned)->Name("BitmapTurned30/ours")->Arg(800)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StageReference, turned, kTurned)->Name("BitmapTurned30/reference")
    ->Arg(800)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StageOurs, warped, kWarped)->Name("BitmapEnvelope/ours")->Arg(800)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StageReference, warped, kWarped)->Name("BitmapEnvelope/reference")
    ->Arg(800)->Unit(benchmark::kMillisecond);
BENCHMARK(WarpOurs)->Name("EnvelopeWarpKernel/ours")->Arg(800)->Unit(benchmark::kMillisecond);
BENCHMARK(WarpReference)->Name("EnvelopeWarpKernel/reference")->Arg(800)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(TurnOurs)->Name("TurnKernel/ours")->Arg(800)->Unit(benchmark::kMillisecond);
BENCHMARK(TurnReference)->Name("TurnKernel/reference")->Arg(800)
    ->Unit(benchmark::kMillisecond);

}  // namespace

LUMI_BENCHMARK_MAIN()
