// Gene libraries read from hostile bytes: every entry is parsed as the list shows it and
// chosen genes are unpacked and painted.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"
#include "library/gene_library.h"
#include "library/texture_factory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> entries;
  try {
    entries = lumi::ReadGeneLibraryBytes({data, size});
  } catch (const lumi::Error&) {
    return 0;
  }
  lumi::SortGeneList(entries);
  std::uint8_t pixels[8 * 6 * 4] = {};
  for (const std::string& entry : entries) {
    lumi::GeneListText(entry);
    lumi::GeneListIcon(entry);
    if (const auto gene = lumi::ParseGeneEntry(entry)) {
      const lumi::Gene g = lumi::UnpackLibraryGene(gene->words);
      lumi::GenerateGeneFill(pixels, 8, 6, gene->words.word1, gene->words.word2,
                             gene->words.word3, g.mode);
    }
  }
  return 0;
}

extern "C" std::vector<std::vector<std::uint8_t>> LumiFuzzSeeds() {
  lumi::MemorySink sink;
  lumi::CArchive ar(sink);
  const std::vector<std::string> entries = {"..", "Sea|2334|243|327923", "Fire|1|2|851968",
                                            std::string(300, 'n') + "|5|6|7"};
  ar.WriteInt32(static_cast<std::int32_t>(entries.size()));
  for (const auto& e : entries) ar.WriteString(e);
  return {sink.TakeBytes()};
}
