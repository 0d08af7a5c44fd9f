// PNG files read from hostile bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_seed_files.h"
#include "image/pixwerk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumi::fuzz::CheckPicture(lumi::PxDecodePNG({data, size}));
  return 0;
}

extern "C" std::vector<std::vector<std::uint8_t>> LumiFuzzSeeds() {
  using lumi::fuzz::WrittenBytes;
  const auto rgb = lumi::fuzz::SeedPicture(6, 4);
  std::vector<std::uint8_t> indices(24), palette(8 * 4);
  for (std::size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<std::uint8_t>(i % 8);
  for (std::size_t i = 0; i < palette.size(); ++i) palette[i] = static_cast<std::uint8_t>(i * 8);
  return {WrittenBytes("a.png", [&](const auto& p) { return lumi::PxSavePNG(p, rgb.data(), 6, 4); }),
          WrittenBytes("b.png", [&](const auto& p) {
            return lumi::PxSavePNG(p, indices.data(), 6, 4, 8, palette.data());
          })};
}
