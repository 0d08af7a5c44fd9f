// Strings and numbers read from hostile archive bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/archive.h"
#include "base/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumi::MemorySource source({data, size});
  lumi::CArchive ar(source);
  try {
    while (ar.Remaining() > 0) {
      const std::string s = ar.ReadString();
      (void)s;
      if (ar.Remaining() > 0) ar.ReadByte();
    }
  } catch (const lumi::ArchiveError&) {
  }
  return 0;
}

extern "C" std::vector<std::vector<std::uint8_t>> LumiFuzzSeeds() {
  return {{3, 'a', 'b', 'c'},
          {0xFF, 0xFE, 0xFF, 0x02, 'h', 0, 'i', 0},
          {0xFF, 0x00, 0x01, 'x'},
          {0xFF, 0xFF, 0xFF, 0x02, 0, 0, 0, 'o', 'k'}};
}
