// Project files read from hostile bytes, the way Open reads them: the container, the
// texture block, every object record (each rendered) and the groups. A project that
// reads is written again and its object list taken as an undo snapshot and restored.
// The first byte chooses between the whole project and the objects-only stream.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"
#include "base/host.h"
#include "base/settings.h"
#include "document/plenivor_doc.h"
#include "library/texture_bank.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool objects_only = (data[0] & 1) != 0;
  lumi::MemorySource source({data + 1, size - 1});
  lumi::CArchive ar(source);
  lumi::SilentHost host;
  lumi::MemorySettings settings;
  lumi::CTextureBank bank;
  lumi::CPlenivorDoc doc(host, settings, bank);
  try {
    if (objects_only) {
      doc.ReadObjects(ar);
    } else if (!doc.Serialize(ar)) {
      return 0;
    }
  } catch (const lumi::Error&) {
    return 0;
  }
  lumi::MemorySink sink;
  lumi::CArchive out(sink);
  doc.Serialize(out);
  doc.TakeSnapshot();
  doc.Objects().clear();
  doc.TakeSnapshot();
  doc.Undo();
  return 0;
}

extern "C" std::vector<std::vector<std::uint8_t>> LumiFuzzSeeds() {
  lumi::SilentHost host;
  lumi::MemorySettings settings;
  lumi::CTextureBank bank;
  lumi::CPlenivorDoc doc(host, settings, bank);
  doc.SetCanvasSize(64, 48);
  doc.SetPortable(true);
  bank.Add("cloth.jpg", std::vector<std::uint8_t>(2 * 2 * 3, 0x33), 2, 2);
  auto rect = doc.MakeObject();
  rect->CreateRectangle(2, 2, 30, 20);
  rect->SetTextureName("cloth.jpg");
  rect->SetEffectKind(1);
  auto star = doc.MakeObject();
  star->CreateStar(10, 10, 40, 40, 5, 2);
  star->SetBevelKind(2);
  doc.Groups().push_back(lumi::CObjectGroup{{rect->GetId(), star->GetId()}, {2, 2, 40, 40}});
  doc.Objects().push_back(std::move(rect));
  doc.Objects().push_back(std::move(star));
  doc.SetCropRect({1, 1, 50, 40});
  doc.SetCropActive(true);

  std::vector<std::vector<std::uint8_t>> seeds;
  for (const std::uint8_t mode : {0, 1}) {
    lumi::MemorySink sink;
    sink.Write(&mode, 1);
    lumi::CArchive ar(sink);
    if (mode == 0) {
      doc.Serialize(ar);
    } else {
      doc.WriteObjects(ar);
    }
    seeds.push_back(sink.TakeBytes());
  }
  return seeds;
}
