// Drives a fuzz target without libFuzzer: random buffers of random lengths, plus
// mutations of whatever seed inputs the target offers, each run once.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// Optional: a target may provide well-formed inputs worth mutating.
extern "C" __attribute__((weak)) std::vector<std::vector<std::uint8_t>> LumiFuzzSeeds();

int main(int argc, char** argv) {
  const long runs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
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
  std::printf("%ld inputs handled\n", runs);
  return 0;
}
