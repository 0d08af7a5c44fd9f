// Filling outlines into coverage masks: ours (a band of work rows at a time) against the
// reference (the whole enlarged work surface, then block averages), for a 1700 x 1500
// object at supersampling factors 1, 3, 4 and 10. The "extra_kB" counter is the largest
// amount of heap memory one call held on top of what existed before it.
// Run: build/bench/bench_rasterizer
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <vector>

#include "rasterizer_reference.h"
#include "ratio_main.h"
#include "render/raster_path.h"
#include "render/rasterizer.h"

// Heap accounting for the whole program: every allocation carries its size in front.
namespace {
std::size_t g_heap_now = 0;
std::size_t g_heap_peak = 0;
constexpr std::size_t kHeader = 16;

void* CountedAlloc(std::size_t size) {
  auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (block == nullptr) throw std::bad_alloc();
  *reinterpret_cast<std::size_t*>(block) = size;
  g_heap_now += size;
  if (g_heap_now > g_heap_peak) g_heap_peak = g_heap_now;
  return block + kHeader;
}

void CountedFree(void* p) noexcept {
  if (p == nullptr) return;
  auto* block = static_cast<unsigned char*>(p) - kHeader;
  g_heap_now -= *reinterpret_cast<std::size_t*>(block);
  std::free(block);
}
}  // namespace

void* operator new(std::size_t size) { return CountedAlloc(size); }
void* operator new[](std::size_t size) { return CountedAlloc(size); }
void operator delete(void* p) noexcept { CountedFree(p); }
void operator delete[](void* p) noexcept { CountedFree(p); }
void operator delete(void* p, std::size_t) noexcept { CountedFree(p); }
void operator delete[](void* p, std::size_t) noexcept { CountedFree(p); }

namespace {

constexpr int kWidth = 1700;
constexpr int kHeight = 1500;
constexpr double kPi = 3.14159265358979323846;

// A six-point star filling the object box, as a shape outline of straight edges.
lumi::RasterPath SixPointStar(int factor) {
  const double w = double(kWidth) * factor, h = double(kHeight) * factor;
  lumi::RasterPath path;
  for (int i = 0; i < 12; ++i) {
    const double angle = kPi * i / 6;
    const double r = i % 2 == 0 ? 0.5 : 0.25;
    const lumi::PointD p{std::trunc(w * (0.5 + r * std::cos(angle)) + 0.5),
                         std::trunc(h * (0.5 + r * std::sin(angle)) + 0.5)};
    if (i == 0) path.MoveTo(p);
    else path.LineTo(p);
  }
  path.CloseFigure();
  return path;
}

// A polynome of many curved figures: a frame with rounded corners, a row of rings (each an
// outer and an inner ellipse, so each has a hole), islands inside the holes, and curved
// blobs, the way a line of glyphs looks.
lumi::RasterPath PolynomeWithHoles(int factor) {
  const double w = double(kWidth) * factor, h = double(kHeight) * factor;
  auto px = [&](double u, double v) { return lumi::PointD{std::trunc(w * u), std::trunc(h * v)}; };
  lumi::RasterPath path;
  auto ellipse = [&](double l, double t, double r, double b) {
    const double k = 0.5522847498 / 2, cx = (l + r) / 2, cy = (t + b) / 2;
    const double rx = (r - l) / 2, ry = (b - t) / 2;
    path.MoveTo(px(l, cy));
    path.BezierTo(px(l, cy - 2 * k * ry), px(cx - 2 * k * rx, t), px(cx, t));
    path.BezierTo(px(cx + 2 * k * rx, t), px(r, cy - 2 * k * ry), px(r, cy));
    path.BezierTo(px(r, cy + 2 * k * ry), px(cx + 2 * k * rx, b), px(cx, b));
    path.BezierTo(px(cx - 2 * k * rx, b), px(l, cy + 2 * k * ry), px(l, cy));
    path.CloseFigure();
  };
  // The frame: outer rounded rectangle and inner rounded rectangle (a hole).
  for (double m : {0.0, 0.04}) {
    const double r = 0.08;
    path.MoveTo(px(m, m + r));
    path.BezierTo(px(m, m), px(m, m), px(m + r, m));
    path.LineTo(px(1 - m - r, m));
    path.BezierTo(px(1 - m, m), px(1 - m, m), px(1 - m, m + r));
    path.LineTo(px(1 - m, 1 - m - r));
    path.BezierTo(px(1 - m, 1 - m), px(1 - m, 1 - m), px(1 - m - r, 1 - m));
    path.LineTo(px(m + r, 1 - m));
    path.BezierTo(px(m, 1 - m), px(m, 1 - m), px(m, 1 - m - r));
    path.CloseFigure();
  }
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 5; ++col) {
      const double l = 0.08 + col * 0.17, t = 0.08 + row * 0.29;
      ellipse(l, t, l + 0.15, t + 0.26);                 // the letter's body
      ellipse(l + 0.03, t + 0.05, l + 0.12, t + 0.21);   // its hole
      ellipse(l + 0.06, t + 0.11, l + 0.09, t + 0.15);   // an island in the hole
    }
  }
  // Wavy blobs overlapping the rings.
  for (int i = 0; i < 4; ++i) {
    const double x = 0.1 + i * 0.22;
    path.MoveTo(px(x, 0.45));
    path.BezierTo(px(x + 0.05, 0.2), px(x + 0.15, 0.7), px(x + 0.2, 0.45));
    path.BezierTo(px(x + 0.25, 0.3), px(x + 0.1, 0.9), px(x, 0.45));
    path.CloseFigure();
  }
  return path;
}

using PathMaker = lumi::RasterPath (*)(int);
using Filler = void (*)(const lumi::RasterPath&, const lumi::MaskTarget&);

void RunFill(benchmark::State& state, PathMaker make, Filler fill) {
  const int factor = static_cast<int>(state.range(0));
  const lumi::RasterPath path = make(factor);
  std::vector<std::uint8_t> mask(std::size_t(kWidth) * kHeight);
  const lumi::MaskTarget target{mask.data(), kWidth, kHeight, factor};
  std::size_t extra = 0;
  for (auto _ : state) {
    const std::size_t before = g_heap_now;
    g_heap_peak = before;
    fill(path, target);
    benchmark::DoNotOptimize(mask.data());
    benchmark::ClobberMemory();
    if (g_heap_peak - before > extra) extra = g_heap_peak - before;
  }
  state.counters["extra_kB"] = double(extra) / 1024;
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void BM_StarOurs(benchmark::State& s) { RunFill(s, SixPointStar, lumi::FillPathEvenOdd); }
void BM_StarReference(benchmark::State& s) {
  RunFill(s, SixPointStar, lumi::reference::FillPathEvenOdd);
}
void BM_PolynomeOurs(benchmark::State& s) { RunFill(s, PolynomeWithHoles, lumi::FillPathEvenOdd); }
void BM_PolynomeReference(benchmark::State& s) {
  RunFill(s, PolynomeWithHoles, lumi::reference::FillPathEvenOdd);
}

// The reference at factor 10 holds a 17000 x 15000 work surface (255 MB) per call; a short
// minimum time keeps it to a few iterations.
#define LUMI_FACTORS ->Arg(1)->Arg(3)->Arg(4)->Arg(10)->MinTime(0.5)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_StarOurs)->Name("FillStar1700x1500/ours") LUMI_FACTORS;
BENCHMARK(BM_StarReference)->Name("FillStar1700x1500/reference") LUMI_FACTORS;
BENCHMARK(BM_PolynomeOurs)->Name("FillPolynome1700x1500/ours") LUMI_FACTORS;
BENCHMARK(BM_PolynomeReference)->Name("FillPolynome1700x1500/reference") LUMI_FACTORS;

}  // namespace

LUMI_BENCHMARK_MAIN()
