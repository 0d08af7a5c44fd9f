// PCX files read from hostile bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_seed_files.h"
#include "image/pixwerk.h"

namespace {

std::vector<std::uint8_t> Header(int width, int height, int bits, int planes, int line_bytes) {
  std::vector<std::uint8_t> b(128, 0);
  b[0] = 0x0A;
  b[1] = 5;
  b[2] = 1;
  b[3] = static_cast<std::uint8_t>(bits);
  b[8] = static_cast<std::uint8_t>(width - 1);
  b[10] = static_cast<std::uint8_t>(height - 1);
  for (int i = 0; i < 48; ++i) b[16 + i] = static_cast<std::uint8_t>(i * 5);
  b[65] = static_cast<std::uint8_t>(planes);
  b[66] = static_cast<std::uint8_t>(line_bytes);
  return b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumi::fuzz::CheckPicture(lumi::PxDecodePCX({data, size}));
  return 0;
}

extern "C" std::vector<std::vector<std::uint8_t>> LumiFuzzSeeds() {
  const std::vector<std::uint8_t> runs = {0xC3, 0x12, 0x34, 0xC2, 0xFF, 0x56, 0x78, 0xC4, 0x9A, 0x01, 0x02};
  std::vector<std::vector<std::uint8_t>> seeds;
  for (auto [bits, planes, line] : {std::array{1, 1, 2}, std::array{1, 4, 2}, std::array{4, 1, 2},
                                    std::array{8, 1, 4}, std::array{8, 3, 4}}) {
    auto file = Header(4, 3, bits, planes, line);
    for (int i = 0; i < 4; ++i) file.insert(file.end(), runs.begin(), runs.end());
    if (bits == 8 && planes == 1) {
      file.push_back(0x0C);
      for (int i = 0; i < 768; ++i) file.push_back(static_cast<std::uint8_t>(i));
    }
    seeds.push_back(file);
  }
  return seeds;
}
