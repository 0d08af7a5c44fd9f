// The user's view of speed and memory: 1700 x 1500 drawings of 50, 200 and 800 objects
// (rounded rectangles, circles and stars of 80 to 400 pixels with random fills, a third
// with "Drop Shadow" softness 6, a third with "Smooth Bevel" width 10, all "Super
// Smooth") are built as projects by the command-line program, then opened and rendered
// ('info') and exported to JPG ('export'), each with one thread and with every core, in
// the same run. Every timing is a fresh process: wall and CPU time and its peak memory.
// Beside each peak stands its ratio to the memory of the objects' own final images (every
// object's image and the effect layer its effect draws, as the objects keep them once
// rendered), which an open drawing has to hold; their size at 4 bytes a pixel is shown too.
// The runs with one thread and with every core take turns with a third: as many one-thread
// runs at once as there are cores. What those gain over one run ("machine") is the most
// this machine gives at that moment to work that no thread waits on (a virtual machine's
// neighbours take some of it); "of machine" is how much of that ours reaches. "paired"
// gives the same two gains as the median of each round's own ratios, which a spell of
// the host longer than a round cannot tilt. The rows
// marked * time the same open and export inside this process, where no program starts
// and the render threads are already there, as in the program's window.
// Run: build/bench/bench_drawing [repeats]   (default 3; the median is shown)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "base/host.h"
#include "base/parallel_render.h"
#include "base/settings.h"
#include "document/plenivor_doc.h"
#include "effects/effect_geometry.h"
#include "export/export_choices.h"
#include "export/export_image.h"
#include "library/texture_bank.h"
#include "render/canvas_composition.h"
#include "render/render_context.h"

namespace {

namespace fs = std::filesystem;

std::string HexColour(std::mt19937& rng) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(rng() & 0xFFFFFF));
  return text;
}

void WriteScene(const fs::path& path, int count) {
  std::mt19937 rng(static_cast<unsigned>(count));
  std::ofstream out(path);
  out << "{\"canvas\": {\"width\": 1700, \"height\": 1500, \"color\": \"#FFFFFF\"},\n \"objects\": [\n";
  const char* shapes[] = {"roundRect", "circle", "star"};
  for (int i = 0; i < count; ++i) {
    const int w = 80 + static_cast<int>(rng() % 321), h = 80 + static_cast<int>(rng() % 321);
    const int x = static_cast<int>(rng() % (1700 - w)), y = static_cast<int>(rng() % (1500 - h));
    out << "  {\"shape\": \"" << shapes[i % 3] << "\", \"rect\": [" << x << ", " << y << ", " << x + w
        << ", " << y + h << "], \"fillColor\": \"" << HexColour(rng) << "\", \"edgeQuality\": 3";
    if (i % 3 == 0) out << ", \"effectKind\": 1, \"effectSoftness\": 6";
    if (i % 3 == 1) out << ", \"bevelKind\": 1, \"bevelWidth\": 10";
    out << "}" << (i + 1 < count ? "," : "") << "\n";
  }
  out << "]}\n";
}

struct Run {
  double wall = 0, cpu = 0, peak_mib = 0;
  bool ok = false;
};

// Runs `copies` instances of the command-line program with `args` at once, each in a
// fresh process, and waits for all: the wall time until the last ends, the CPU time of
// all, the largest peak.
Run SpawnCopies(const std::vector<std::string>& args, int copies) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(LUMI_CLI));
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::fflush(stdout);  // the child must not print this process's pending output again
  const auto start = std::chrono::steady_clock::now();
  std::vector<pid_t> children;
  for (int i = 0; i < copies; ++i) {
    const pid_t pid = fork();
    if (pid == 0) {
      if (!std::freopen("/dev/null", "w", stdout)) _exit(127);
      execv(LUMI_CLI, argv.data());
      _exit(127);
    }
    children.push_back(pid);
  }
  Run r;
  r.ok = true;
  for (const pid_t pid : children) {
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid) {
      r.ok = false;
      continue;
    }
    r.cpu += usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
             usage.ru_stime.tv_usec / 1e6;
    r.peak_mib = std::max(r.peak_mib, usage.ru_maxrss / 1024.0);
    r.ok = r.ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  r.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return r;
}

Run Spawn(const std::vector<std::string>& args) {
  return SpawnCopies(args, 1);
}

struct ImageMemory {
  double kept_mib = -1;  // as the objects hold them after a render
  double full_mib = -1;  // at 4 bytes a pixel
};

// A document in this process, set up as the program sets up its own.
struct Session {
  lumi::SilentHost host;
  lumi::MemorySettings settings;
  lumi::CTextureBank bank;
  const lumi::RenderContext context{&bank, nullptr};
  lumi::CPlenivorDoc doc{host, settings, bank};
  Session() {
    doc.SetRenderContext(&context);
    doc.NewDocument();
  }
};

// The objects' images and drawn effect layers, opened in this process as the program
// opens them.
ImageMemory ImagesOf(const fs::path& project) {
  Session session;
  if (!session.doc.Open(project)) return {};
  double kept = 0, full = 0;
  for (const auto& o : session.doc.Objects()) {
    kept += static_cast<double>(o->KeptImage().HeldBytes());
    full += 4.0 * o->KeptImage().Width() * o->KeptImage().Height();
    if (lumi::DrawsEffectLayer(o->GetEffectKind())) {
      const lumi::KeptBitmap& layer = o->KeptEffectLayer();
      kept += static_cast<double>(layer.HeldBytes());
      full += 4.0 * layer.Width() * layer.Height();
    }
  }
  constexpr double kMiB = 1024.0 * 1024.0;
  return {kept / kMiB, full / kMiB};
}

// Open and the JPG export of the open drawing timed inside this process, as a user of the
// program who opens a drawing and exports it meets them: no process to start, and render
// threads that are already there. One thread and every core take turns; the wall times
// of each are returned: the open, and the open with the export after it.
struct InProcessTimes {
  std::vector<double> open[2], jpg[2];
  bool ok = true;
};

InProcessTimes TimeInProcess(const fs::path& project, const fs::path& jpg, int repeats, int cores) {
  Session session;
  lumi::CPlenivorDoc& doc = session.doc;
  const lumi::ExportContext export_context{
      session.host,
      session.settings,
      jpg.parent_path(),
      [&](const lumi::SaveDialogRequest&) { return std::optional<fs::path>(jpg); },
      {}};
  InProcessTimes times;
  using Clock = std::chrono::steady_clock;
  for (int k = 0; k < repeats; ++k) {
    for (int turn = 0; turn < 2; ++turn) {
      const int t = (turn + k) % 2;
      lumi::SetRenderThreadCount(t == 0 ? 1 : cores);
      const auto start = Clock::now();
      times.ok = doc.Open(project) && times.ok;
      const auto opened = Clock::now();
      lumi::ExportChoices choices;  // as the command line exports: baseline, quality 95
      const lumi::Rect area = lumi::ComposedArea(doc.GetCanvasArea());
      choices.width = area.Width();
      choices.height = area.Height();
      choices.progressive = false;
      times.ok = lumi::ExportComposedCanvas(lumi::ExportMode::kExport, doc.GetCanvasArea(),
                                            doc.Objects(), choices, export_context)
                     .written &&
                 times.ok;
      const auto exported = Clock::now();
      times.open[t].push_back(std::chrono::duration<double>(opened - start).count());
      times.jpg[t].push_back(std::chrono::duration<double>(exported - start).count());
    }
  }
  lumi::SetRenderThreadCount(0);
  return times;
}

double MedianOf(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The median of each turn's ratio to the turn beside it in the same round. A spell of the
// host that lasts longer than a round slows both alike, so it cancels, where a ratio of
// the two medians would carry it.
double PairedRatio(const std::vector<double>& one, const std::vector<double>& all) {
  std::vector<double> ratios;
  for (std::size_t k = 0; k < one.size() && k < all.size(); ++k) ratios.push_back(one[k] / all[k]);
  return MedianOf(ratios);
}

std::vector<double> WallsOf(const std::vector<Run>& runs) {
  std::vector<double> walls;
  for (const Run& r : runs) walls.push_back(r.wall);
  return walls;
}

Run Median(std::vector<Run> runs) {
  std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.wall < b.wall; });
  return runs[runs.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  const int cores = std::max(1u, std::thread::hardware_concurrency());
  const fs::path dir = fs::temp_directory_path() / ("lumi_bench_drawing_" + std::to_string(getpid()));
  fs::create_directories(dir);
  double load[3] = {0, 0, 0};
  if (getloadavg(load, 3) < 0) load[0] = -1;
  std::printf("command-line program: %s\n%d cores, load average %.2f at the start, median of %d\n\n", LUMI_CLI,
              cores, load[0], repeats);
  std::printf("%-8s %-7s %8s | %9s %9s %9s | %9s %11s %9s %10s | %9s %9s\n", "objects", "task",
              "threads", "wall s", "cpu s", "peak MiB", "wall 1/N", "peak/images", "machine",
              "of machine", "paired", "machine");
  bool all_ok = true;
  for (int count : {50, 200, 800}) {
    const fs::path scene = dir / ("drawing" + std::to_string(count) + ".json");
    const fs::path project = dir / ("drawing" + std::to_string(count) + ".plv");
    WriteScene(scene, count);
    if (!Spawn({"build", scene.string(), "-o", project.string()}).ok) {
      std::fprintf(stderr, "cannot build %s\n", project.c_str());
      return 1;
    }
    const ImageMemory images = ImagesOf(project);
    const double images_mib = images.kept_mib;
    std::printf("%d objects: their images and effect layers hold %.1f MiB (%.1f MiB at 4 bytes a pixel)\n",
                count, images.kept_mib, images.full_mib);
    struct Task {
      const char* name;
      std::vector<std::string> args;
    };
    const std::vector<Task> tasks = {
        {"open", {"info", project.string()}},
        {"jpg", {"export", project.string(), "-o", (dir / "out.jpg").string()}},
    };
    for (const Task& task : tasks) {
      Run by_threads[2];
      const int thread_counts[2] = {1, cores};
      // Turn 2 is the machine's own ceiling: one one-thread run per core, all at once,
      // whose work no thread waits on. The turns rotate, each first every third time, so
      // that a slow or quick spell of the machine falls on all alike.
      std::vector<Run> runs[3];
      for (int k = 0; k < repeats; ++k) {
        for (int turn = 0; turn < 3; ++turn) {
          const int t = (turn + k) % 3;
          std::vector<std::string> args = {"--threads", std::to_string(t == 1 ? cores : 1)};
          args.insert(args.end(), task.args.begin(), task.args.end());
          runs[t].push_back(SpawnCopies(args, t == 2 ? cores : 1));
          all_ok = all_ok && runs[t].back().ok;
        }
      }
      for (int t = 0; t < 2; ++t) {
        by_threads[t] = Median(runs[t]);
        const Run& r = by_threads[t];
        std::printf("%-8d %-7s %8d | %9.3f %9.3f %9.1f |", count, task.name, thread_counts[t], r.wall, r.cpu,
                    r.peak_mib);
        if (t == 1)
          std::printf(" %9.2f", by_threads[0].wall / r.wall);
        else
          std::printf(" %9s", "");
        if (images_mib > 0) std::printf(" %11.2f", r.peak_mib / images_mib);
        if (t == 1) {
          // Independent runs at once do the cores' worth of work; what they gain over one
          // run is the most any sharing of one run's work could gain on this machine now.
          const double machine = cores * by_threads[0].wall / Median(runs[2]).wall;
          std::printf(" %9.2f %9.0f%%", machine, 100 * (by_threads[0].wall / r.wall) / machine);
          const std::vector<double> one = WallsOf(runs[0]);
          std::printf(" | %9.2f %9.2f", PairedRatio(one, WallsOf(runs[1])),
                      cores * PairedRatio(one, WallsOf(runs[2])));
        }
        std::printf("\n");
      }
    }
    const InProcessTimes inside = TimeInProcess(project, dir / "inside.jpg", repeats, cores);
    all_ok = all_ok && inside.ok;
    const struct {
      const char* name;
      const std::vector<double>* times;
    } inside_rows[] = {{"open*", inside.open}, {"jpg*", inside.jpg}};
    for (const auto& row : inside_rows) {
      const double one = MedianOf(row.times[0]), all = MedianOf(row.times[1]);
      std::printf("%-8d %-7s %8d | %9.3f %9s %9s |\n", count, row.name, 1, one, "", "");
      std::printf("%-8d %-7s %8d | %9.3f %9s %9s | %9.2f %11s %9s %10s | %9.2f\n", count, row.name,
                  cores, all, "", "", one / all, "", "", "",
                  PairedRatio(row.times[0], row.times[1]));
    }
  }
  std::printf(
      "\n* inside this process: Open, and Open then the JPG export, with the threads already "
      "made\n");
  fs::remove_all(dir);
  if (!all_ok) std::fprintf(stderr, "some runs failed\n");
  return all_ok ? 0 : 1;
}
