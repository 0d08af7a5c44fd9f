// Linked into the libFuzzer programs: started with LUMI_FUZZ_WRITE_SEEDS=FOLDER, a target
// writes the seed inputs it offers into FOLDER (seed-0, seed-1, ...) and exits, so that
// scripts/fuzz.sh can hand libFuzzer the same well-formed starting points the replay
// driver mutates.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern "C" __attribute__((weak)) std::vector<std::vector<std::uint8_t>> LumiFuzzSeeds();

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const char* folder = std::getenv("LUMI_FUZZ_WRITE_SEEDS");
  if (!folder) return 0;
  std::filesystem::create_directories(folder);
  std::size_t n = 0;
  if (LumiFuzzSeeds) {
    for (const auto& seed : LumiFuzzSeeds()) {
      std::ofstream out(std::filesystem::path(folder) / ("seed-" + std::to_string(n++)),
                        std::ios::binary);
      out.write(reinterpret_cast<const char*>(seed.data()), static_cast<std::streamsize>(seed.size()));
      if (!out) {
        std::fprintf(stderr, "cannot write the seeds into %s\n", folder);
        std::exit(1);
      }
    }
  }
  std::printf("%zu seeds written into %s\n", n, folder);
  std::exit(0);
}
