// Object-library entries read from hostile bytes: every object of the stream is read and
// rendered, then drawn the way an inserted entry is drawn.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"
#include "base/host.h"
#include "collections/object_library.h"
#include "objects/draw_object.h"
#include "objects/object_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumi::SilentHost host;
  std::vector<std::unique_ptr<lumi::CDrawObject>> objects;
  try {
    objects = lumi::ReadObjectEntryBytes({data, size}, host);
  } catch (const lumi::Error&) {
    return 0;
  }
  lumi::CDIBSection canvas;
  canvas.Create(48, 48, 32, true);
  for (const auto& object : objects) object->DrawTo(canvas, {object->GetX(), object->GetY()});
  return 0;
}

extern "C" std::vector<std::vector<std::uint8_t>> LumiFuzzSeeds() {
  lumi::SilentHost host;
  lumi::CDrawObject a(host), b(host);
  a.CreateRectangle(0, 0, 20, 14);
  a.SetEffectKind(3);
  b.CreateCircle(30, 10, 50, 40);
  b.SetBevelKind(1);
  std::vector<std::vector<std::uint8_t>> seeds;
  for (const std::vector<const lumi::CDrawObject*>& stream :
       {std::vector<const lumi::CDrawObject*>{&a}, std::vector<const lumi::CDrawObject*>{&a, &b}}) {
    lumi::MemorySink sink;
    lumi::CArchive ar(sink);
    lumi::WriteObjectStream(ar, stream);
    seeds.push_back(sink.TakeBytes());
  }
  return seeds;
}
