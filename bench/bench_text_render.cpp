// Live text from the dialog to its rendered image: a 200-character text of 5 lines at the
// line heights 80 and 400, created (outline, extent, descender room) and rendered.
// Ours is CDrawObject::CreateText with its render; the reference lays the text out with
// the plain layout (the face opened and every outline read again), scales it the same
// way and fills it with the plain rasteriser that holds the whole work surface.
// Run: build/bench/bench_text_render
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/host.h"
#include "image/dib_section.h"
#include "objects/draw_object.h"
#include "objects/font_engine.h"
#include "objects/text_dialog.h"
#include "objects/text_layout.h"
#include "ratio_main.h"
#include "rasterizer_reference.h"
#include "render/outline_paths.h"
#include "render/supersampling.h"
#include "text_reference.h"

namespace {

const std::string& Text() { return lumi::reference::TextBenchmarkSample(); }

const char kFamily[] = "Liberation Sans";

void BM_Ours(benchmark::State& state) {
  lumi::SilentHost host;
  const double size = static_cast<double>(state.range(0));
  int width = 0, height = 0;
  for (auto _ : state) {
    lumi::CDrawObject text(host);
    lumi::ScriptedTextDialog dialog;
    dialog.Ok([&](lumi::TextDialogValues& v) {
      v.size = size;
      v.alignment = lumi::kTextAlignCentre;
      lumi::SetFaceName(v.font, kFamily);
    });
    if (!text.CreateText(0, 0, Text(), dialog)) state.SkipWithError("no text was created");
    width = text.GetWidth();
    height = text.GetHeight();
    benchmark::DoNotOptimize(text.KeptImage().HeldBytes());  // as kept, not unpacked
  }
  state.counters["width"] = width;
  state.counters["height"] = height;
}

void BM_Reference(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const lumi::FaceMatch match = lumi::SharedFontEngine().Match({kFamily, false, false});
  lumi::FontFace& face = lumi::SharedFontEngine().Face({kFamily, false, false});
  const int lines = lumi::TextLineCount(Text());
  for (auto _ : state) {
    lumi::CPolynome outline;
    outline.FromTextPath(lumi::reference::BuildTextPath(match, Text(), 500, lumi::kTextAlignCentre));
    const lumi::TextExtentSize extent = lumi::reference::MeasureText(match, Text(), size);
    int height = extent.height;
    if (lumi::HasDescenderCharacters(Text())) height += lines * face.Metrics(size).descent;
    const int w = std::clamp(extent.width, 1, lumi::kMaxObjectWidth);
    const int h = std::clamp(height, 1, lumi::kMaxObjectHeight);
    const int f = lumi::PolynomeSupersampling(lumi::kSuperSmooth, w, h, true, lines);
    std::vector<std::uint8_t> mask(std::size_t(w) * h);
    lumi::reference::FillPathEvenOdd(lumi::PolynomeRasterPath(outline, f * w, f * h, 0),
                                     {mask.data(), w, h, f});
    lumi::CDIBSection image;
    image.Create(w, h, 32, true);
    image.FillRGB(0x000000FF);
    image.SetAlphaFromMask(mask.data());
    benchmark::DoNotOptimize(image.Row(0));
  }
}

BENCHMARK(BM_Ours)->Name("TextRender/ours")->Arg(80)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Reference)->Name("TextRender/reference")->Arg(80)->Arg(400)->Unit(benchmark::kMillisecond);

}  // namespace

LUMI_BENCHMARK_MAIN()
