// TIFF files read from hostile bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_seed_files.h"
#include "image/pixwerk.h"

namespace {

void Put16(std::vector<std::uint8_t>& b, unsigned v) {
  b.push_back(v & 255);
  b.push_back((v >> 8) & 255);
}
void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back((v >> (8 * i)) & 255);
}

// An uncompressed little-endian RGB or grey TIFF, one strip, assembled by hand.
std::vector<std::uint8_t> Tiff(int width, int height, int samples) {
  const std::uint32_t entries = 10;
  const std::uint32_t data_at = 8 + 2 + entries * 12 + 4;
  const std::uint32_t bytes = static_cast<std::uint32_t>(width * height * samples);
  std::vector<std::uint8_t> b = {'I', 'I', 42, 0, 8, 0, 0, 0};
  Put16(b, entries);
  auto entry = [&](unsigned tag, unsigned type, std::uint32_t value) {
    Put16(b, tag);
    Put16(b, type);
    Put32(b, 1);
    if (type == 3) {
      Put16(b, value);
      Put16(b, 0);
    } else {
      Put32(b, value);
    }
  };
  entry(256, 3, width);
  entry(257, 3, height);
  entry(258, 3, 8);
  entry(259, 3, 1);
  entry(262, 3, samples == 3 ? 2 : 1);
  entry(273, 4, data_at);
  entry(277, 3, samples);
  entry(278, 3, height);
  entry(279, 4, bytes);
  entry(284, 3, 1);
  Put32(b, 0);
  for (std::uint32_t i = 0; i < bytes; ++i) b.push_back(static_cast<std::uint8_t>(i * 7));
  return b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumi::fuzz::CheckPicture(lumi::PxDecodeTIF({data, size}));
  return 0;
}

extern "C" std::vector<std::vector<std::uint8_t>> LumiFuzzSeeds() {
  return {Tiff(3, 2, 3), Tiff(4, 3, 1)};
}
