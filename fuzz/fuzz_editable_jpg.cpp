// Editable JPGs read from hostile bytes. The first byte chooses: even, the bytes after it
// are a project block for DecodeProjectBlock; odd, they are a whole file handed to
// ReadEditableJpg through an anonymous in-memory file. A project that loads is written
// again.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"
#include "base/host.h"
#include "base/settings.h"
#include "document/plenivor_doc.h"
#include "document/editable_jpg.h"
#include "document/editable_jpg_block.h"
#include "library/texture_bank.h"

namespace {

bool ReadThroughMemoryFile(const std::uint8_t* data, std::size_t size, lumi::CPlenivorDoc& doc,
                           lumi::Host& host) {
  const int fd = memfd_create("ejpg", 0);
  if (fd < 0) return false;
  bool loaded = false;
  if (size == 0 || write(fd, data, size) == static_cast<ssize_t>(size)) {
    loaded = lumi::ReadEditableJpg(doc, "/proc/self/fd/" + std::to_string(fd), host);
  }
  close(fd);
  return loaded;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  lumi::SilentHost host;
  lumi::MemorySettings settings;
  lumi::CTextureBank bank;
  lumi::CPlenivorDoc doc(host, settings, bank);
  try {
    const bool whole_file = (data[0] & 1) != 0;
    const bool loaded = whole_file ? ReadThroughMemoryFile(data + 1, size - 1, doc, host)
                                   : lumi::DecodeProjectBlock({data + 1, size - 1}, doc);
    if (!loaded) return 0;
  } catch (const lumi::Error&) {
    return 0;
  }
  lumi::MemorySink sink;
  lumi::CArchive out(sink);
  doc.Serialize(out);
  return 0;
}

extern "C" std::vector<std::vector<std::uint8_t>> LumiFuzzSeeds() {
  lumi::SilentHost host;
  lumi::MemorySettings settings;
  lumi::CTextureBank bank;
  lumi::CPlenivorDoc doc(host, settings, bank);
  doc.SetCanvasSize(32, 24);
  auto rect = doc.MakeObject();
  rect->CreateRectangle(2, 2, 20, 14);
  doc.Objects().push_back(std::move(rect));
  lumi::MemorySink project_sink;
  lumi::CArchive ar(project_sink);
  doc.Serialize(ar);
  const std::vector<std::uint8_t> project = project_sink.TakeBytes();
  const auto n = static_cast<std::uint32_t>(project.size());

  const auto u32 = [](std::uint32_t v) {
    return std::vector<std::uint8_t>{static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                     static_cast<std::uint8_t>(v >> 16),
                                     static_cast<std::uint8_t>(v >> 24)};
  };
  const auto join = [](std::initializer_list<std::vector<std::uint8_t>> parts) {
    std::vector<std::uint8_t> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
  };
  const std::vector<std::uint8_t> head = {5, 'K', 'V', 'E', 'L', 'T'};
  const std::vector<std::uint8_t> compressed = lumi::EncodeProjectBlock(project);
  const std::vector<std::uint8_t> raw = join({head, u32(n), u32(0), project});
  const std::vector<std::uint8_t> older = join({head, u32(n), project});
  // A stand-in for the JPEG data: the reader never looks at them.
  const std::vector<std::uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xFE, 0, 17, 'L', 'u', 'm', 'i',
                                          'v',  'e',  'r',  'd',  'a', 'n', 't', ' ', 'P', 'L',
                                          'V',  0xFF, 0xD9};
  const std::vector<std::uint8_t> trailer = {'S', 'T', 'A', 'N', 'D', 'A', 'L', 'O', 'N', 'E'};

  std::vector<std::vector<std::uint8_t>> seeds;
  for (const auto* block : {&compressed, &raw, &older}) {
    seeds.push_back(join({{0}, *block}));
    seeds.push_back(
        join({{1}, jpeg, *block, trailer, u32(static_cast<std::uint32_t>(block->size()))}));
  }
  return seeds;
}
