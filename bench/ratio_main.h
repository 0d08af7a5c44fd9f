#pragma once
// A benchmark main that, after the usual table, prints for every pair of benchmarks named
// "<Kernel>/ours/<args>" and "<Kernel>/reference/<args>" the ratio of the reference's
// CPU time to ours (above 1 means ours is faster), and for a "<Kernel>/copy/<args>" the
// ratio of our time to that plain copy's (1 means as fast as copying the bytes).
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
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
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
  std::map<std::string, double> times_;
};

}  // namespace lumi::bench

#define LUMI_BENCHMARK_MAIN()                                   \
  int main(int argc, char** argv) {                             \
    benchmark::Initialize(&argc, argv);                         \
    lumi::bench::RatioReporter reporter;                        \
    benchmark::RunSpecifiedBenchmarks(&reporter);               \
    benchmark::Shutdown();                                      \
    return 0;                                                   \
  }
