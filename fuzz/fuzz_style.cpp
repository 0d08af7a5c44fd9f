// Style files read from hostile bytes: the one record is read and rendered, then used as
// a style is used: its look given to an object and to the new-object defaults.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"
#include "base/host.h"
#include "collections/style_library.h"
#include "objects/draw_object.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumi::SilentHost host;
  std::unique_ptr<lumi::CDrawObject> style;
  try {
    style = lumi::ReadStyleBytes({data, size}, host);
  } catch (const lumi::Error&) {
    return 0;
  }
  lumi::CDrawObject target(host);
  target.CreateRectangle(0, 0, 20, 12);
  target.TransferAttributes(*style);
  lumi::NewObjectDefaultSets defaults;
  lumi::ApplyStyleAsDefaults(*style, "Style1.sty", defaults);
  return 0;
}

extern "C" std::vector<std::vector<std::uint8_t>> LumiFuzzSeeds() {
  lumi::SilentHost host;
  std::vector<std::vector<std::uint8_t>> seeds;
  auto seed = [&](const lumi::CDrawObject& source) {
    lumi::MemorySink sink;
    lumi::CArchive ar(sink);
    lumi::MakeStyleObject(source)->SerializeObject(ar, false);
    seeds.push_back(sink.TakeBytes());
  };
  lumi::CDrawObject shaded(host);
  shaded.CreateRectangle(0, 0, 30, 20);
  shaded.SetBevelKind(2);
  shaded.SetEffectKind(1);
  shaded.SetStates(1, true, false, false);
  shaded.SetStates(0, true, false, false);
  seed(shaded);
  lumi::CDrawObject gene(host);
  gene.CreateStar(0, 0, 30, 30, 5, 2);
  gene.SetGeneSeed(4);
  seed(gene);
  return seeds;
}
