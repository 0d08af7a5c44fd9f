// JPEG files read from hostile bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_seed_files.h"
#include "image/pixwerk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumi::fuzz::CheckPicture(lumi::PxDecodeJPG({data, size}));
  return 0;
}

extern "C" std::vector<std::vector<std::uint8_t>> LumiFuzzSeeds() {
  using lumi::fuzz::WrittenBytes;
  const auto rgb = lumi::fuzz::SeedPicture(16, 8);
  lumi::PxClearJPGText();
  lumi::PxAddJPGText("seed");
  std::vector<std::vector<std::uint8_t>> seeds;
  for (bool colour : {true, false}) {
    for (bool progressive : {false, true}) {
      seeds.push_back(WrittenBytes("a.jpg", [&](const auto& p) {
        return lumi::PxSaveJPG(p, rgb.data(), 16, 8, 75, colour, progressive);
      }));
    }
  }
  lumi::PxClearJPGText();
  return seeds;
}
