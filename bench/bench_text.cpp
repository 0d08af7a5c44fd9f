// Text outlines and extents: ours (faces and glyph outlines opened once and kept) against
// the plain layout that opens the face and reads every outline again on each call.
// A 200-character text of 5 lines, outline at the outline height 500, extents at the
// line heights 80 and 400.
// Run: build/bench/bench_text
#include <benchmark/benchmark.h>

#include <string>

#include "ratio_main.h"
#include "text_reference.h"
#include "objects/font_engine.h"
#include "objects/text_layout.h"

namespace {

const std::string& Text() { return lumi::reference::TextBenchmarkSample(); }

const lumi::FontRequest kRequest{"Arial", false, false};

void BM_OutlineOurs(benchmark::State& state) {
  lumi::FontEngine& engine = lumi::SharedFontEngine();
  for (auto _ : state) {
    lumi::PathPoints path = lumi::BuildTextPath(engine.Face(kRequest), Text(),
                                                static_cast<int>(state.range(0)), 1);
    benchmark::DoNotOptimize(path.data());
  }
}

void BM_OutlineReference(benchmark::State& state) {
  const lumi::FaceMatch match = lumi::SharedFontEngine().Match(kRequest);
  for (auto _ : state) {
    lumi::PathPoints path =
        lumi::reference::BuildTextPath(match, Text(), static_cast<int>(state.range(0)), 1);
    benchmark::DoNotOptimize(path.data());
  }
}

void BM_ExtentOurs(benchmark::State& state) {
  lumi::FontEngine& engine = lumi::SharedFontEngine();
  for (auto _ : state) {
    lumi::TextExtentSize size =
        lumi::MeasureText(engine.Face(kRequest), Text(), static_cast<int>(state.range(0)));
    benchmark::DoNotOptimize(size);
  }
}

void BM_ExtentReference(benchmark::State& state) {
  const lumi::FaceMatch match = lumi::SharedFontEngine().Match(kRequest);
  for (auto _ : state) {
    lumi::TextExtentSize size =
        lumi::reference::MeasureText(match, Text(), static_cast<int>(state.range(0)));
    benchmark::DoNotOptimize(size);
  }
}

BENCHMARK(BM_OutlineOurs)->Name("TextOutline/ours")->Arg(500);
BENCHMARK(BM_OutlineReference)->Name("TextOutline/reference")->Arg(500);
BENCHMARK(BM_ExtentOurs)->Name("TextExtent/ours")->Arg(80)->Arg(400);
BENCHMARK(BM_ExtentReference)->Name("TextExtent/reference")->Arg(80)->Arg(400);

}  // namespace

LUMI_BENCHMARK_MAIN()
