// BMP files read from hostile bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_seed_files.h"
#include "image/pixwerk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumi::fuzz::CheckPicture(lumi::PxDecodeBMP({data, size}));
  return 0;
}

extern "C" std::vector<std::vector<std::uint8_t>> LumiFuzzSeeds() {
  using lumi::fuzz::WrittenBytes;
  const auto rgb = lumi::fuzz::SeedPicture(5, 3);
  std::vector<std::uint8_t> indices(15), palette(16 * 4);
  for (std::size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<std::uint8_t>(i % 16);
  for (std::size_t i = 0; i < palette.size(); ++i) palette[i] = static_cast<std::uint8_t>(i * 4);
  std::vector<std::vector<std::uint8_t>> seeds;
  seeds.push_back(WrittenBytes("a.bmp", [&](const auto& p) { return lumi::PxSaveBMP(p, rgb.data(), 5, 3); }));
  for (int bits : {1, 4, 8}) {
    seeds.push_back(WrittenBytes("b.bmp", [&](const auto& p) {
      return lumi::PxSaveBMP(p, indices.data(), 5, 3, bits, bits == 1 ? 2 : 16, palette.data());
    }));
  }
  // Run-length 8 and 4 bits: runs, an absolute run, a delta, end of line and picture.
  std::vector<std::uint8_t> rle8 = seeds[3];
  rle8[30] = 1;  // compression
  rle8.resize(54 + 16 * 4);
  rle8.insert(rle8.end(), {2, 1, 0, 3, 4, 5, 6, 0, 0, 0, 0, 2, 1, 1, 3, 7, 0, 1});
  seeds.push_back(rle8);
  std::vector<std::uint8_t> rle4 = seeds[2];
  rle4[30] = 2;
  rle4.resize(54 + 16 * 4);
  rle4.insert(rle4.end(), {5, 0x12, 0, 0, 0, 5, 0x34, 0x56, 0x70, 0, 0, 1});
  seeds.push_back(rle4);
  return seeds;
}
