// Projects of 50 bevelled, shadowed objects (100 x 80 to 160 x 120 pixels, all kinds of
// outline): saving, opening, and the undo snapshot.
//
// "ProjectSave/ours" is Save As to a .plv file (texture pruning, a temporary file made
// durable and renamed over the target); "ProjectSave/reference" is the same safe save
// written plainly: stdio into a temporary file, flushed, synced and renamed.
// "ProjectSave/unsafe" writes straight into the target through stdio and never syncs, as
// a save that may lose the old file and the new one at a power cut does: the price of
// keeping them.
// "ProjectOpen/ours" is Open (file reader, a fresh document, every object rendered, taken
// over when whole, first snapshot); "ProjectOpen/reference" reads the same bytes from
// memory straight into an empty document: the price of the all-or-nothing open.
// "UndoSnapshot/ours" is TakeSnapshot; "UndoSnapshot/reference" writes the same
// objects-only stream into a plain memory stream that grows by 1024 bytes at a time.
// "UndoRestore/ours" is one Undo (every object read back and rendered).
// Run: build/bench/bench_project
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"
#include "base/host.h"
#include "base/settings.h"
#include "document/plenivor_doc.h"
#include "library/texture_bank.h"
#include "ratio_main.h"

namespace {

using namespace lumi;

constexpr int kObjects = 50;

struct Project {
  SilentHost host;
  MemorySettings settings;
  CTextureBank bank;
  CPlenivorDoc doc{host, settings, bank};
  std::filesystem::path dir;

  Project() {
    dir = std::filesystem::temp_directory_path() /
          ("lumi_bench_project_" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(dir);
    doc.NewDocument();
    doc.SetCanvasSize(1200, 900);
    for (int i = 0; i < kObjects; ++i) {
      auto o = doc.MakeObject();
      const int x = (i % 10) * 110, y = (i / 10) * 170;
      const int w = 100 + (i % 4) * 20, h = 80 + (i % 3) * 20;
      switch (i % 4) {
        case 0: o->CreateRectangle(x, y, x + w, y + h); break;
        case 1: o->CreateCircle(x, y, x + w, y + h); break;
        case 2: o->CreateStar(x, y, x + w, y + h, 5 + i % 3, 2); break;
        default: o->CreateRoundRect(x, y, x + w, y + h, 200); break;
      }
      o->SetBevelKind(1 + i % 12);
      o->SetBevelWidth(6 + i % 5);
      o->SetEffectKind(1 + i % 7);
      o->SetEffectSoftness(2 + i % 4);
      o->SetEdgeQuality(kSuperSmooth);  // renders with the bevel and the shadow
      doc.Objects().push_back(std::move(o));
    }
  }
  ~Project() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
};

Project& Shared() {
  static Project project;
  return project;
}

// The plain sinks the reference versions write through.
class PlainFileSink final : public ByteSink {
 public:
  explicit PlainFileSink(const std::filesystem::path& path) : file_(std::fopen(path.c_str(), "wb")) {
    if (!file_) throw FileError("cannot create " + path.string());
  }
  ~PlainFileSink() override {
    if (file_) std::fclose(file_);
  }
  void Write(const void* data, std::size_t size) override { std::fwrite(data, 1, size, file_); }
  // Flushes, syncs and closes the file.
  void Sync() {
    if (std::fflush(file_) != 0 || ::fsync(fileno(file_)) != 0) throw FileError("cannot sync");
    std::fclose(std::exchange(file_, nullptr));
  }

 private:
  std::FILE* file_;
};

class Grow1024Sink final : public ByteSink {
 public:
  void Write(const void* data, std::size_t size) override {
    if (used_ + size > capacity_) {
      std::size_t capacity = capacity_;
      while (used_ + size > capacity) capacity += 1024;
      std::unique_ptr<std::uint8_t[]> grown(new std::uint8_t[capacity]);
      if (used_) std::memcpy(grown.get(), buffer_.get(), used_);
      buffer_ = std::move(grown);
      capacity_ = capacity;
    }
    std::memcpy(buffer_.get() + used_, data, size);
    used_ += size;
  }
  std::size_t Size() const { return used_; }

 private:
  std::unique_ptr<std::uint8_t[]> buffer_;
  std::size_t used_ = 0, capacity_ = 0;
};

void ProjectSaveOurs(benchmark::State& state) {
  Project& p = Shared();
  const auto path = p.dir / "save.plv";
  for (auto _ : state) p.doc.SaveAs(path, ImageFormat::kProject);
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
}

void ProjectSaveReference(benchmark::State& state) {
  Project& p = Shared();
  const auto path = p.dir / "save_plain.plv";
  const auto temp = p.dir / "save_plain.plv.tmp";
  for (auto _ : state) {
    PlainFileSink sink(temp);
    CArchive ar(sink);
    p.doc.Serialize(ar);
    sink.Sync();
    std::filesystem::rename(temp, path);
  }
}

void ProjectSaveUnsafe(benchmark::State& state) {
  Project& p = Shared();
  const auto path = p.dir / "save_unsafe.plv";
  for (auto _ : state) {
    PlainFileSink sink(path);
    CArchive ar(sink);
    p.doc.Serialize(ar);
  }
}

void ProjectOpenOurs(benchmark::State& state) {
  Project& p = Shared();
  const auto path = p.dir / "open.plv";
  p.doc.SaveAs(path, ImageFormat::kProject, false);
  SilentHost host;
  MemorySettings settings;
  CTextureBank bank;
  CPlenivorDoc doc(host, settings, bank);
  for (auto _ : state) {
    if (!doc.Open(path)) state.SkipWithError("open failed");
  }
}

void ProjectOpenReference(benchmark::State& state) {
  Project& p = Shared();
  MemorySink saved;
  CArchive out(saved);
  p.doc.Serialize(out);
  SilentHost host;
  MemorySettings settings;
  CTextureBank bank;
  for (auto _ : state) {
    CPlenivorDoc doc(host, settings, bank);
    MemorySource source(saved.Bytes());
    CArchive ar(source);
    doc.Serialize(ar);
    benchmark::DoNotOptimize(doc.Objects().size());
  }
}

void UndoSnapshotOurs(benchmark::State& state) {
  Project& p = Shared();
  for (auto _ : state) p.doc.TakeSnapshot();
}

void UndoSnapshotReference(benchmark::State& state) {
  Project& p = Shared();
  std::size_t size = 0;
  for (auto _ : state) {
    Grow1024Sink sink;
    CArchive ar(sink);
    p.doc.WriteObjects(ar);
    size = sink.Size();
  }
  state.counters["bytes"] = static_cast<double>(size);
}

void UndoRestoreOurs(benchmark::State& state) {
  Project& p = Shared();
  for (auto _ : state) {
    state.PauseTiming();
    p.doc.TakeSnapshot();
    p.doc.TakeSnapshot();
    state.ResumeTiming();
    p.doc.Undo();
  }
}

}  // namespace

BENCHMARK(ProjectSaveOurs)->Name("ProjectSave/ours/50")->Unit(benchmark::kMillisecond);
BENCHMARK(ProjectSaveReference)->Name("ProjectSave/reference/50")->Unit(benchmark::kMillisecond);
BENCHMARK(ProjectSaveUnsafe)->Name("ProjectSave/unsafe/50")->Unit(benchmark::kMillisecond);
BENCHMARK(ProjectOpenOurs)->Name("ProjectOpen/ours/50")->Unit(benchmark::kMillisecond);
BENCHMARK(ProjectOpenReference)->Name("ProjectOpen/reference/50")->Unit(benchmark::kMillisecond);
BENCHMARK(UndoSnapshotOurs)->Name("UndoSnapshot/ours/50")->Unit(benchmark::kMillisecond);
BENCHMARK(UndoSnapshotReference)->Name("UndoSnapshot/reference/50")->Unit(benchmark::kMillisecond);
BENCHMARK(UndoRestoreOurs)->Name("UndoRestore/ours/50")->Unit(benchmark::kMillisecond);

// Saves wait on the disk, which varies from one moment to the next: every benchmark runs
// five times, interleaved with the others, and the medians are compared.
LUMI_BENCHMARK_MAIN_REPEATED(5)
