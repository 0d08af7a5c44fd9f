// Drives a fuzz target without libFuzzer: first every file of the corpus folders named
// after the run count (the kept, minimised corpus of earlier fuzzing, found faults
// included), then random buffers of random lengths and mutations of whatever seed inputs
// the target offers, each run once.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// Optional: a target may provide well-formed inputs worth mutating.
extern "C" __attribute__((weak)) std::vector<std::vector<std::uint8_t>> LumiFuzzSeeds();

namespace {

// Replays the files of `folder` in name order; returns how many.
long ReplayFolder(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  for (const auto& file : files) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> input{std::istreambuf_iterator<char>(in), {}};
    LLVMFuzzerTestOneInput(input.data(), input.size());
  }
  return static_cast<long>(files.size());
}

}  // namespace

int main(int argc, char** argv) {
  const long runs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
  long replayed = 0;
  for (int i = 2; i < argc; ++i) {
    if (!std::filesystem::is_directory(argv[i])) {
      std::fprintf(stderr, "no corpus folder %s\n", argv[i]);
      return 1;
    }
    replayed += ReplayFolder(argv[i]);
  }
  std::mt19937 rng(12345);
  std::vector<std::vector<std::uint8_t>> seeds;
  if (LumiFuzzSeeds) seeds = LumiFuzzSeeds();
  for (long i = 0; i < runs; ++i) {
    std::vector<std::uint8_t> input;
    if (!seeds.empty() && i % 2 == 0) {
      input = seeds[rng() % seeds.size()];
      const int flips = 1 + rng() % 4;
      for (int f = 0; f < flips && !input.empty(); ++f) input[rng() % input.size()] = rng() & 255;
      if (rng() % 4 == 0) input.resize(rng() % (input.size() + 1));
    } else {
      input.resize(rng() % 64);
      for (auto& b : input) b = rng() % 3 == 0 ? 0xFF : rng() & 255;
    }
    LLVMFuzzerTestOneInput(input.data(), input.size());
  }
  std::printf("%ld corpus files and %ld generated inputs handled\n", replayed, runs);
  return 0;
}
