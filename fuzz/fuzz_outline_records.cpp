// Stored outlines (Bezier splines and polynomes) read from hostile archive bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"
#include "objects/bezier.h"
#include "objects/polynome.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the class, the rest is the record.
  lumi::MemorySource source({data + 1, size - 1});
  lumi::CArchive ar(source);
  try {
    if (data[0] & 1) {
      lumi::CPolynome polynome;
      polynome.Serialize(ar);
    } else {
      lumi::CBezier bezier;
      bezier.Serialize(ar);
    }
  } catch (const lumi::Error&) {
  }
  return 0;
}

extern "C" std::vector<std::vector<std::uint8_t>> LumiFuzzSeeds() {
  auto record = [](std::uint8_t which, auto& outline) {
    lumi::MemorySink sink;
    lumi::CArchive ar(sink);
    outline.Serialize(ar);
    std::vector<std::uint8_t> bytes{which};
    bytes.insert(bytes.end(), sink.Bytes().begin(), sink.Bytes().end());
    return bytes;
  };
  lumi::CBezier rectangle;
  rectangle.MakeRectangle();
  lumi::CPolynome arrow;
  arrow.MakeArrow({0, 0}, {40, 30}, {60, 30});
  return {record(0, rectangle), record(1, arrow)};
}
