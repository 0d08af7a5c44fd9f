#pragma once
// What the style and object libraries do to a document: apply a style file to the
// current object (or make it the defaults of new objects), and put the objects of an
// object-library entry into the document. The window and the edit scripts call these
// with the view's selection and then show the result.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "collections/style_library.h"

namespace lumi {

class CDrawObject;
class CPlenivorDoc;

// Applies the style in `path`. With `current`: the attribute transfer puts the style's
// look onto it (text, font and shape stay), the first status pane shows the file name and
// an undo snapshot is taken. Without: the matching set of `defaults` takes the style and
// the status shows "Text Default:" or "Object Default:" with the file name. Returns false
// when the file cannot be opened (nothing happens) or is damaged (the user is told).
bool ApplyStyleFile(CPlenivorDoc& doc, CDrawObject* current, const std::filesystem::path& path,
                    NewObjectDefaultSets& defaults);

struct InsertedEntry {
  std::vector<CDrawObject*> objects;  // appended to the document, in stream order
  bool grouped = false;               // more than one: they form a new group
};

// Inserts the objects of an object-library entry. With `drop` the first object is
// centred on that canvas point and the others keep their offsets from it; without, they
// keep their stored positions. Several objects are grouped and the status shows
// " %d objects selected". An undo snapshot is taken. The entry is read whole first, so
// a damaged file (the user is told) or one that cannot be opened inserts nothing.
std::optional<InsertedEntry> InsertLibraryEntry(CPlenivorDoc& doc, const std::filesystem::path& path,
                                                std::optional<Point> drop = std::nullopt);

}  // namespace lumi
