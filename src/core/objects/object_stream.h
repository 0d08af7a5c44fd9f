#pragma once
// The object stream: a count and that many object records, nothing else (no identifiers,
// no signature, no end mark). Clipboard data and object-library entries hold it.
#include <functional>
#include <memory>
#include <vector>

namespace lumi {

class CArchive;
class CDrawObject;

// Writes the count and each object's record, in the order given.
void WriteObjectStream(CArchive& ar, const std::vector<const CDrawObject*>& objects);

// Reads a whole stream into objects made by `make_object`, then renders them together on
// the render threads (see RenderReadTogether). The stream is read as a whole before anything is handed back: a negative count, a
// count the remaining bytes cannot hold, or a damaged record throws ArchiveError.
using ObjectMaker = std::function<std::unique_ptr<CDrawObject>()>;
std::vector<std::unique_ptr<CDrawObject>> ReadObjectStream(CArchive& ar,
                                                           const ObjectMaker& make_object);

// Renders just-read records (ReadRecordForLaterRender) at once on the render threads,
// as each would have rendered while read: same images, and the messages of every object
// reach its host once each, in list order.
void RenderReadTogether(const std::vector<std::unique_ptr<CDrawObject>>& objects);

// The smallest number of bytes one object record can take; a stored count is checked
// against it before anything is allocated.
inline constexpr unsigned kMinObjectRecordBytes = 64;

}  // namespace lumi
