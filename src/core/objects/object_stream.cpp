#include "objects/object_stream.h"

#include <cstdint>

#include "base/archive.h"
#include "base/errors.h"
#include "base/host.h"
#include "base/parallel_render.h"
#include "objects/draw_object.h"

namespace lumi {

void WriteObjectStream(CArchive& ar, const std::vector<const CDrawObject*>& objects) {
  ar.WriteInt32(static_cast<std::int32_t>(objects.size()));
  for (const CDrawObject* object : objects) {
    // Writing never changes the object; the record interface is shared with reading.
    const_cast<CDrawObject*>(object)->SerializeObject(ar, false);
  }
}

void RenderReadTogether(const std::vector<std::unique_ptr<CDrawObject>>& objects) {
  if (objects.empty()) return;
  Host& host = objects.front()->GetHost();
  RunInOrder(objects.size(), host, [&](std::size_t i, Host& task_host) {
    CDrawObject& object = *objects[i];
    Host& own = object.GetHost();
    object.SetHost(task_host);
    try {
      object.RenderAsRead();
    } catch (...) {
      object.SetHost(own);
      throw;
    }
    object.SetHost(own);
  }, [&](std::size_t i) { return objects[i]->RenderNeedsItsTurn(); });
}

std::vector<std::unique_ptr<CDrawObject>> ReadObjectStream(CArchive& ar,
                                                           const ObjectMaker& make_object) {
  const std::int32_t count = ar.ReadInt32();
  if (count < 0) throw ArchiveError("Object stream: negative count");
  ar.RequireRemaining(static_cast<std::uint64_t>(count), kMinObjectRecordBytes, "Object stream");
  std::vector<std::unique_ptr<CDrawObject>> objects;
  objects.reserve(static_cast<std::size_t>(count));
  // Every record is read first, then all render at once; on a damaged record those read
  // before it still render, so their messages come as when each rendered while read.
  try {
    for (std::int32_t i = 0; i < count; ++i) {
      std::unique_ptr<CDrawObject> object = make_object();
      object->ReadRecordForLaterRender(ar);
      objects.push_back(std::move(object));
    }
  } catch (const Error&) {
    RenderReadTogether(objects);
    throw;
  }
  RenderReadTogether(objects);
  return objects;
}

}  // namespace lumi
