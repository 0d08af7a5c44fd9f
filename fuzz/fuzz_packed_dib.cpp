// Packed bitmaps, as pasted from other programs.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/errors.h"
#include "image/dib_section.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumi::CDIBSection bitmap;
  try {
    bitmap.ImportPackedDib({data, size});
    lumi::CDIBSection expanded;
    expanded.CopyFrom(&bitmap);
  } catch (const lumi::Error&) {
  }
  return 0;
}

extern "C" std::vector<std::vector<std::uint8_t>> LumiFuzzSeeds() {
  std::vector<std::vector<std::uint8_t>> seeds;
  for (int bits : {1, 4, 8, 16, 24, 32}) {
    lumi::CDIBSection b;
    b.Create(3, 2, bits, false);
    seeds.push_back(b.ExportPackedDib());
  }
  return seeds;
}
