// Height-map lighting: ours against the plain per-pixel reference, on a bevelled object
// of 400 x 300 and of the largest size 1700 x 1500. "LightingCopy" times a plain copy of
// the image for scale.
// Run: build/bench/bench_lighting
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "blur_reference.h"
#include "image/dib_section.h"
#include "ratio_main.h"
#include "render/bevels.h"
#include "effects/profile_blur.h"
#include "render/shade_from_height_map.h"

namespace {

struct Scene {
  lumi::CDIBSection image;
  std::vector<std::uint8_t> height;
};

// A rounded rectangle mask blurred as "Smooth Bevel" width 30 would (sigma 10), over a
// grey object.
Scene MakeScene(int w, int h) {
  Scene s;
  s.image.Create(w, h);
  s.image.FillRGBA(0x808080);
  s.height.assign(static_cast<std::size_t>(w) * h, 0);
  const int m = w / 10;
  for (int y = m; y < h - m; ++y)
    for (int x = m; x < w - m; ++x) s.height[static_cast<std::size_t>(y) * w + x] = 255;
  lumi::CProfileBlur().Apply(s.height.data(), w, h, 10);
  return s;
}

void BM_LightingOurs(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  Scene s = MakeScene(w, h);
  for (auto _ : state) {
    lumi::ShadeFromHeightMap(s.image, s.height.data(), w, h, 135, 30, 255, 75, false);
    benchmark::DoNotOptimize(s.image.Pixels());
  }
  state.SetItemsProcessed(state.iterations() * w * h);
}

void BM_LightingReference(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  Scene s = MakeScene(w, h);
  for (auto _ : state) {
    lumi::reference::ShadeFromHeightMap(s.image, s.height.data(), w, h, 135, 30, 255, 75,
                                        false);
    benchmark::DoNotOptimize(s.image.Pixels());
  }
  state.SetItemsProcessed(state.iterations() * w * h);
}

void BM_LightingCopy(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  Scene s = MakeScene(w, h);
  std::vector<std::uint8_t> copy(s.image.PixelBytes());
  for (auto _ : state) {
    std::memcpy(copy.data(), s.image.Pixels(), copy.size());
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetItemsProcessed(state.iterations() * w * h);
}

// The whole "Smooth Bevel" stage at width 30 (blur sigma 10, profile, lighting) on a
// rectangle, against the same stage made of the reference kernels.
std::vector<std::uint8_t> RectangleMask(int w, int h) {
  std::vector<std::uint8_t> mask(static_cast<std::size_t>(w) * h, 0);
  for (int y = 20; y < h - 20; ++y)
    for (int x = 20; x < w - 20; ++x) mask[static_cast<std::size_t>(y) * w + x] = 255;
  return mask;
}

void BM_SmoothBevelOurs(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  const std::vector<std::uint8_t> original = RectangleMask(w, h);
  lumi::CDIBSection image;
  image.Create(w, h);
  image.FillRGBA(0x808080);
  lumi::BevelSettings bevel;
  bevel.kind = lumi::kSmoothBevel;
  bevel.width = 30;
  std::vector<std::uint8_t> mask;
  for (auto _ : state) {
    mask = original;
    lumi::ApplyBevelStage(image, mask.data(), bevel, {});
    benchmark::DoNotOptimize(image.Pixels());
  }
  state.SetItemsProcessed(state.iterations() * w * h);
}

void BM_SmoothBevelReference(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  const std::vector<std::uint8_t> original = RectangleMask(w, h);
  lumi::CDIBSection image;
  image.Create(w, h);
  image.FillRGBA(0x808080);
  std::vector<std::uint8_t> mask;
  for (auto _ : state) {
    mask = original;
    lumi::reference::ProfileBlur(mask.data(), w, h, 10, 0);
    lumi::reference::ShadeFromHeightMap(image, mask.data(), w, h, 135, 30, 255, 75, false);
    benchmark::DoNotOptimize(image.Pixels());
  }
  state.SetItemsProcessed(state.iterations() * w * h);
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Args({400, 300})->Args({1700, 1500})->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_LightingOurs)->Name("Lighting/ours")->Apply(Sizes);
BENCHMARK(BM_LightingReference)->Name("Lighting/reference")->Apply(Sizes);
BENCHMARK(BM_LightingCopy)->Name("LightingCopy")->Apply(Sizes);
BENCHMARK(BM_SmoothBevelOurs)->Name("SmoothBevelStage/ours")->Apply(Sizes);
BENCHMARK(BM_SmoothBevelReference)->Name("SmoothBevelStage/reference")->Apply(Sizes);

}  // namespace

LUMI_BENCHMARK_MAIN()
