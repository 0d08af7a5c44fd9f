// Stored bitmaps read from hostile archive bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/archive.h"
#include "base/errors.h"
#include "base/host.h"
#include "image/dib_section.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumi::MemorySource source({data, size});
  lumi::CArchive ar(source);
  lumi::SilentHost host;
  lumi::CDIBSection bitmap;
  try {
    bitmap.Serialize(ar, host);
  } catch (const lumi::Error&) {
  }
  return 0;
}

extern "C" std::vector<std::vector<std::uint8_t>> LumiFuzzSeeds() {
  std::vector<std::uint8_t> two_by_one = {0, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 8, 0, 0, 0};
  two_by_one.insert(two_by_one.end(), 8, 0x40);
  return {two_by_one, {1, 0, 0, 0}};
}
