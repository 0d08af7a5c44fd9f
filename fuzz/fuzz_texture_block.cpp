// The texture block of portable projects, read from hostile bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/archive.h"
#include "base/errors.h"
#include "library/texture_bank.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumi::MemorySource source({data, size});
  lumi::CArchive ar(source);
  lumi::CTextureBank bank;
  try {
    bank.Serialize(ar);
    for (std::size_t i = 0; i < bank.Size(); ++i) (void)bank.Find(bank.Entry(i).name);
  } catch (const lumi::Error&) {
  }
  return 0;
}

extern "C" std::vector<std::vector<std::uint8_t>> LumiFuzzSeeds() {
  lumi::CTextureBank bank;
  bank.Add("wood.jpg", std::vector<std::uint8_t>(2 * 2 * 3, 0x80), 2, 2);
  bank.Add("z", {}, 0, 0);
  lumi::MemorySink sink;
  lumi::CArchive ar(sink);
  bank.Serialize(ar);
  return {sink.TakeBytes()};
}
