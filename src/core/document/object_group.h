#pragma once
// A group of objects: the identifiers of its members and the rectangle around them. A
// group names its members only; the document's object list owns them.
#include <string>
#include <vector>

#include "base/geometry.h"

namespace lumi {

class CArchive;

class CObjectGroup {
 public:
  // The group record: member count, the rectangle as one 16-byte block, the member
  // identifiers. A damaged record throws ArchiveError.
  void Serialize(CArchive& ar);

  std::vector<std::string> m_members;
  Rect m_rect;
};

}  // namespace lumi
