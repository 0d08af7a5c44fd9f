// Object records of a 50-object list with bevels and shadows: writing, reading with the
// render every load does, and reading the attributes only. There is no plain version to
// compare with (a record is a fixed sequence of archive calls), so the times are absolute.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/host.h"
#include "objects/draw_object.h"
#include "ratio_main.h"

namespace {

using Objects = std::vector<std::unique_ptr<lumi::CDrawObject>>;

lumi::SilentHost& Host() {
  static lumi::SilentHost host;
  return host;
}

// 50 shapes of about 120 x 90 pixels, each with a bevel and a shadow or glow.
const Objects& List() {
  static const Objects list = [] {
    Objects objects;
    for (int i = 0; i < 50; ++i) {
      auto o = std::make_unique<lumi::CDrawObject>(Host());
      const int x = (i % 10) * 130, y = (i / 10) * 100;
      switch (i % 3) {
        case 0: o->CreateRectangle(x, y, x + 120, y + 90); break;
        case 1: o->CreateCircle(x, y, x + 120, y + 90); break;
        default: o->CreateStar(x, y, x + 120, y + 90, 5, 2); break;
      }
      o->SetBevelKind(1 + i % 11);
      o->SetEffectKind(1 + i % 5);
      o->SetEffectSoftness(4);
      o->Render();
      objects.push_back(std::move(o));
    }
    return objects;
  }();
  return list;
}

std::vector<std::uint8_t> Write(const Objects& list) {
  lumi::MemorySink sink;
  lumi::CArchive ar(sink);
  for (const auto& o : list) o->SerializeObject(ar, false);
  return sink.TakeBytes();
}

void BM_Write(benchmark::State& state) {
  const Objects& list = List();
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::vector<std::uint8_t> out = Write(list);
    bytes = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}

void Read(benchmark::State& state, bool no_render) {
  const std::vector<std::uint8_t> bytes = Write(List());
  for (auto _ : state) {
    lumi::MemorySource source(bytes);
    lumi::CArchive ar(source);
    Objects read;
    for (int i = 0; i < 50; ++i) {
      read.push_back(std::make_unique<lumi::CDrawObject>(Host()));
      read.back()->SerializeObject(ar, no_render);
    }
    benchmark::DoNotOptimize(read.back().get());
  }
}

void BM_ReadRendering(benchmark::State& state) { Read(state, false); }
void BM_ReadAttributes(benchmark::State& state) { Read(state, true); }

}  // namespace

BENCHMARK(BM_Write)->Name("Records/write/50")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadRendering)->Name("Records/read_rendering/50")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAttributes)->Name("Records/read_attributes/50")->Unit(benchmark::kMicrosecond);

LUMI_BENCHMARK_MAIN();
