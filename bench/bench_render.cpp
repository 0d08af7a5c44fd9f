// The whole render of the largest object: a 1700 x 1500 rectangle at "Super Smooth" with
// "Smooth Bevel" width 30 (blur sigma 10) and "Drop Shadow" softness 6.
//
// "Render/ours" is CDrawObject::Render. "Render/reference" renders the same rectangle
// without bevel and effect (the same scan conversion, fill and alpha) and then builds the
// shadow layer and the bevel with the plain reference blur and lighting; the setup checks
// that both give the same image and layer bytes. Each also reports the peak growth of
// heap memory during one render after a first one (every operator new counted; what the
// caches already hold is not counted) and the process's peak resident size.
// Run: build/bench/bench_render
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "base/host.h"
#include "blur_reference.h"
#include "image/dib_section.h"
#include "objects/draw_object.h"
#include "ratio_main.h"
#include "render/bevels.h"
#include "render/effects.h"

// ---- heap accounting: every plain operator new keeps its size in front of the block.
namespace {

std::atomic<std::size_t> g_live{0};
std::atomic<std::size_t> g_peak{0};
constexpr std::size_t kHeader = 16;  // keeps the alignment of malloc

void* CountedAlloc(std::size_t n) {
  auto* block = static_cast<unsigned char*>(std::malloc(n + kHeader));
  if (!block) throw std::bad_alloc();
  std::memcpy(block, &n, sizeof n);
  const std::size_t live = g_live.fetch_add(n) + n;
  std::size_t peak = g_peak.load();
  while (live > peak && !g_peak.compare_exchange_weak(peak, live)) {
  }
  return block + kHeader;
}

void CountedFree(void* p) noexcept {
  if (!p) return;
  auto* block = static_cast<unsigned char*>(p) - kHeader;
  std::size_t n;
  std::memcpy(&n, block, sizeof n);
  g_live.fetch_sub(n);
  std::free(block);
}

}  // namespace

void* operator new(std::size_t n) { return CountedAlloc(n); }
void* operator new[](std::size_t n) { return CountedAlloc(n); }
void operator delete(void* p) noexcept { CountedFree(p); }
void operator delete[](void* p) noexcept { CountedFree(p); }
void operator delete(void* p, std::size_t) noexcept { CountedFree(p); }
void operator delete[](void* p, std::size_t) noexcept { CountedFree(p); }

namespace {

constexpr int kWidth = 1700, kHeight = 1500;

void SetLook(lumi::CDrawObject& o, bool decorated) {
  o.SetBevelKind(decorated ? lumi::kSmoothBevel : lumi::kNoBevel);
  o.SetBevelWidth(30);
  o.SetEffectKind(decorated ? lumi::kDropShadow : lumi::kNoEffect);
  o.SetEffectSoftness(6);
}

void MakeObject(lumi::CDrawObject& o, bool decorated) {
  o.CreateRectangle(0, 0, kWidth, kHeight);
  o.SetEdgeQuality(lumi::kSuperSmooth);
  SetLook(o, decorated);
}

// The shadow layer and the bevel after a plain render, from the reference kernels.
void ReferenceDecorations(lumi::CDIBSection& image, lumi::CDIBSection& layer,
                          const lumi::CDrawObject& o) {
  const int w = image.Width(), h = image.Height();
  lumi::EffectSettings effect;
  effect.kind = lumi::kDropShadow;
  effect.softness = o.GetEffectSoftness();
  std::vector<std::uint8_t> s = lumi::BuildSilhouette(image, effect);
  const int lw = w + 2 * effect.margin, lh = h + 2 * effect.margin;
  lumi::reference::ProfileBlur(s.data(), lw, lh, effect.softness, 0);
  layer.Create(lw, lh);
  layer.FillRGB(effect.colour);
  layer.SetAlphaFromMask(s.data());

  std::vector<std::uint8_t> heights(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) heights[static_cast<std::size_t>(y) * w + x] = image.Row(y)[x * 4 + 3];
  lumi::reference::ProfileBlur(heights.data(), w, h, lumi::BevelSigma(o.GetBevelWidth()), 0);
  lumi::reference::ShadeFromHeightMap(image, heights.data(), w, h, o.GetBevelAngle(), 30, 255,
                                      o.GetBevelIntensity(), false);
}

void ReportMemory(benchmark::State& state, std::size_t peak_growth) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["heap_peak_MB"] = static_cast<double>(peak_growth) / (1 << 20);
  state.counters["maxrss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024;  // kilobytes
}

// The heap high-water mark of one call above what was live before it.
template <typename F>
std::size_t PeakGrowth(F&& f) {
  const std::size_t before = g_live.load();
  g_peak.store(before);
  f();
  return g_peak.load() - before;
}

void BM_RenderOurs(benchmark::State& state) {
  lumi::SilentHost host;
  lumi::CDrawObject object(host);
  MakeObject(object, true);
  object.Render();  // the layer exists from here on, as after any earlier render
  const std::size_t peak = PeakGrowth([&] { object.Render(); });
  for (auto _ : state) {
    object.Render();
    benchmark::DoNotOptimize(object.KeptImage().HeldBytes());  // as kept, not unpacked
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
  ReportMemory(state, peak);
}

void BM_RenderReference(benchmark::State& state) {
  lumi::SilentHost host;
  lumi::CDrawObject ours(host), plain(host);
  MakeObject(ours, true);
  MakeObject(plain, false);
  ours.Render();
  lumi::CDIBSection image, layer;
  const std::size_t peak = PeakGrowth([&] {
    plain.Render();
    image = plain.Image();
    ReferenceDecorations(image, layer, plain);
  });
  const bool same = image.PixelBytes() == ours.Image().PixelBytes() &&
                    layer.PixelBytes() == ours.EffectLayer().PixelBytes() &&
                    std::memcmp(image.Pixels(), ours.Image().Pixels(), image.PixelBytes()) == 0 &&
                    std::memcmp(layer.Pixels(), ours.EffectLayer().Pixels(), layer.PixelBytes()) == 0;
  if (!same) {
    state.SkipWithError("the reference render differs from ours");
    return;
  }
  for (auto _ : state) {
    plain.Render();
    image = plain.Image();
    ReferenceDecorations(image, layer, plain);
    benchmark::DoNotOptimize(image.Pixels());
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
  ReportMemory(state, peak);
}

BENCHMARK(BM_RenderOurs)->Name("Render/ours/1700x1500")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderReference)->Name("Render/reference/1700x1500")->Unit(benchmark::kMillisecond);

}  // namespace

LUMI_BENCHMARK_MAIN()
