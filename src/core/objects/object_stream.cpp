#include "objects/object_stream.h"

#include <cstdint>

#include "base/archive.h"
#include "base/errors.h"
#include "objects/draw_object.h"

namespace lumi {

void WriteObjectStream(CArchive& ar, const std::vector<const CDrawObject*>& objects) {
  ar.WriteInt32(static_cast<std::int32_t>(objects.size()));
  for (const CDrawObject* object : objects) {
    // Writing never changes the object; the record interface is shared with reading.
    const_cast<CDrawObject*>(object)->SerializeObject(ar, false);
  }
}

std::vector<std::unique_ptr<CDrawObject>> ReadObjectStream(CArchive& ar,
                                                           const ObjectMaker& make_object) {
  const std::int32_t count = ar.ReadInt32();
  if (count < 0) throw ArchiveError("Object stream: negative count");
  ar.RequireRemaining(static_cast<std::uint64_t>(count), kMinObjectRecordBytes, "Object stream");
  std::vector<std::unique_ptr<CDrawObject>> objects;
  objects.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) {
    std::unique_ptr<CDrawObject> object = make_object();
    object->SerializeObject(ar, false);
    objects.push_back(std::move(object));
  }
  return objects;
}

}  // namespace lumi
