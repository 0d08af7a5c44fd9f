// Fills on the largest object (1700 x 1500): the two gradients and a rotated, sheared
// texture mapping, ours against the one-pixel-at-a-time references.
// Run: build/bench/bench_fills
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "fill_reference.h"
#include "ratio_main.h"
#include "render/gradients.h"
#include "render/texture_mapping.h"

namespace {

using lumi::RGB;

constexpr int kWidth = 1700;
constexpr int kHeight = 1500;

lumi::CDIBSection Image() {
  lumi::CDIBSection image;
  image.Create(kWidth, kHeight);
  image.FillRGBA(RGB(40, 90, 200));
  return image;
}

std::vector<std::uint8_t> TexturePixels() {
  std::vector<std::uint8_t> rgb(256 * 256 * 3);
  std::mt19937 rng(3);
  for (auto& b : rgb) b = static_cast<std::uint8_t>(rng());
  return rgb;
}

lumi::TextureMapping Rotated() {
  lumi::TextureMapping m;
  m.strength = 200;
  m.scale_x = 0.8;
  m.scale_y = 1.3;
  m.angle_x = 30;
  m.angle_y = 12;
  m.offset_x = 17;
  m.offset_y = -5;
  return m;
}

template <bool kOurs>
void BM_Linear(benchmark::State& state) {
  lumi::CDIBSection image = Image();
  for (auto _ : state) {
    if (kOurs) lumi::LinearGradient(image, 30, 128, RGB(250, 10, 0));
    else lumi::reference::LinearGradient(image, 30, 128, RGB(250, 10, 0));
    benchmark::DoNotOptimize(image.Pixels());
  }
}

template <bool kOurs>
void BM_Radial(benchmark::State& state) {
  lumi::CDIBSection image = Image();
  for (auto _ : state) {
    if (kOurs) lumi::RadialGradient(image, 128, RGB(250, 10, 0));
    else lumi::reference::RadialGradient(image, 128, RGB(250, 10, 0));
    benchmark::DoNotOptimize(image.Pixels());
  }
}

template <bool kOurs>
void BM_MapTexture(benchmark::State& state) {
  lumi::CDIBSection image = Image();
  std::vector<std::uint8_t> mask(static_cast<std::size_t>(kWidth) * kHeight, 255);
  const std::vector<std::uint8_t> rgb = TexturePixels();
  const lumi::TextureView texture{rgb.data(), 256, 256};
  const lumi::TextureMapping m = Rotated();
  for (auto _ : state) {
    if (kOurs) lumi::MapTexture(image, mask.data(), texture, m);
    else lumi::reference::MapTexture(image, mask.data(), texture, m);
    benchmark::DoNotOptimize(image.Pixels());
  }
}

BENCHMARK(BM_Linear<true>)->Name("LinearGradient/ours/1700x1500")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Linear<false>)->Name("LinearGradient/reference/1700x1500")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Radial<true>)->Name("RadialGradient/ours/1700x1500")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Radial<false>)->Name("RadialGradient/reference/1700x1500")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapTexture<true>)->Name("MapTexture/ours/1700x1500")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapTexture<false>)->Name("MapTexture/reference/1700x1500")->Unit(benchmark::kMillisecond);

}  // namespace

LUMI_BENCHMARK_MAIN()
