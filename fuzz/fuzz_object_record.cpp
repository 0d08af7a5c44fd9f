// Object records read from hostile bytes. Reading renders the object and its looks, so
// damaged values reach the whole render pipeline; the object read is then written again
// and drawn, as a loaded document would be.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"
#include "base/host.h"
#include "objects/draw_object.h"
#include "objects/text_dialog.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte asks for an attributes-only read; the rest is the record.
  const bool no_render = (data[0] & 1) != 0;
  lumi::MemorySource source({data + 1, size - 1});
  lumi::CArchive ar(source);
  lumi::SilentHost host;
  lumi::CDrawObject object(host);
  try {
    object.SerializeObject(ar, no_render);
  } catch (const lumi::Error&) {
    return 0;
  }
  lumi::MemorySink sink;
  lumi::CArchive out(sink);
  object.SerializeObject(out, false);
  lumi::CDIBSection canvas;
  canvas.Create(64, 64, 32, true);
  object.DrawTo(canvas, {object.GetX() - 8, object.GetY() - 8});
  return 0;
}

extern "C" std::vector<std::vector<std::uint8_t>> LumiFuzzSeeds() {
  lumi::SilentHost host;
  auto record = [](lumi::CDrawObject& o) {
    lumi::MemorySink sink;
    lumi::CArchive ar(sink);
    o.SerializeObject(ar, false);
    std::vector<std::uint8_t> bytes = sink.TakeBytes();
    bytes.insert(bytes.begin(), 0);  // read with rendering
    return bytes;
  };
  std::vector<std::vector<std::uint8_t>> seeds;

  lumi::CDrawObject looks(host);
  looks.CreateRectangle(0, 0, 24, 16);
  looks.SetEffectKind(1);
  looks.SetBevelKind(1);
  looks.SourceBitmap().Create(2, 2, 32, true);
  looks.SetStates(1, true, true, false);
  looks.SetStates(0, true, true, false);
  seeds.push_back(record(looks));

  lumi::CDrawObject star(host);
  star.CreateStar(0, 0, 30, 30, 5, 2);
  star.SetBevelKind(12);
  star.SetEffectKind(3);
  star.Render();
  seeds.push_back(record(star));

  lumi::CDrawObject arrow(host);
  arrow.CreateArrow({2, 2}, {30, 20}, {30, 30});
  seeds.push_back(record(arrow));

  lumi::CDrawObject envelope(host);
  envelope.CreateCircle(0, 0, 30, 20);
  envelope.ConvertToPolynome();
  envelope.ConvertPolynomeToEnvelope(true);
  seeds.push_back(record(envelope));

  lumi::CDrawObject text(host);
  lumi::ScriptedTextDialog dialog;
  dialog.Ok([](lumi::TextDialogValues& v) {
    v.text = "Ab";
    v.size = 14;
  });
  if (text.CreateText(0, 0, "", dialog)) seeds.push_back(record(text));
  return seeds;
}
