#pragma once
// A benchmark main that, after the usual table, prints for every pair of benchmarks named
// "<Kernel>/ours/<args>" and "<Kernel>/reference/<args>" the ratio of the reference's
// CPU time to ours (above 1 means ours is faster), and for a "<Kernel>/copy/<args>" the
// ratio of our time to that plain copy's (1 means as fast as copying the bytes). With
// repetitions the medians are compared.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace lumi::bench {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      // Repeated runs are compared by their medians, which a busy moment moves least.
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        medians_[run.run_name.str()] = run.GetAdjustedCPUTime();
      } else if (run.run_type == Run::RT_Iteration) {
        times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
      }
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const auto& [name, median] : medians_) times_[name] = median;
    std::printf("\n%-40s %12s\n", "kernel", "ref / ours");
    for (const auto& [name, ours] : times_) {
      const auto at = name.find("/ours");
      if (at == std::string::npos) continue;
      std::string ref = name;
      ref.replace(at, 5, "/reference");
      auto it = times_.find(ref);
      if (it == times_.end() || ours <= 0) continue;
      std::string label = name;
      label.erase(at, 5);
      std::printf("%-40s %12.2f\n", label.c_str(), it->second / ours);
    }
    // Kernels timed against a plain copy of the same bytes ("<Kernel>/copy/<args>").
    bool header = false;
    for (const auto& [name, ours] : times_) {
      const auto at = name.find("/ours");
      if (at == std::string::npos) continue;
      std::string copy = name;
      copy.replace(at, 5, "/copy");
      auto it = times_.find(copy);
      if (it == times_.end() || it->second <= 0) continue;
      if (!header) std::printf("\n%-40s %12s\n", "kernel", "ours / copy");
      header = true;
      std::string label = name;
      label.erase(at, 5);
      std::printf("%-40s %12.2f\n", label.c_str(), ours / it->second);
    }
  }

 private:
  std::map<std::string, double> times_, medians_;
};

// Runs the benchmarks with the ratio table. `repetitions` above 1 repeats each benchmark
// that often, interleaved at random with the others, so that ours and its baseline share
// the machine's slow and quick moments (a virtual machine's vary by a third); flags on
// the command line still win.
inline int RunWithRatios(int argc, char** argv, int repetitions) {
  std::vector<std::string> defaults;
  if (repetitions > 1) {
    defaults = {"--benchmark_repetitions=" + std::to_string(repetitions),
                "--benchmark_enable_random_interleaving=true"};
  }
  std::vector<char*> args = {argv[0]};
  for (auto& flag : defaults) args.push_back(flag.data());
  for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
  int count = static_cast<int>(args.size());
  args.push_back(nullptr);
  benchmark::Initialize(&count, args.data());
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace lumi::bench

#define LUMI_BENCHMARK_MAIN()                         \
  int main(int argc, char** argv) {                   \
    return lumi::bench::RunWithRatios(argc, argv, 1); \
  }

#define LUMI_BENCHMARK_MAIN_REPEATED(repetitions)               \
  int main(int argc, char** argv) {                             \
    return lumi::bench::RunWithRatios(argc, argv, repetitions); \
  }
