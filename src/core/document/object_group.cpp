#include "document/object_group.h"

#include <cstdint>

#include "base/archive.h"
#include "base/errors.h"

namespace lumi {

void CObjectGroup::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteInt32(static_cast<std::int32_t>(m_members.size()));
    ar.WriteInt32(m_rect.left);
    ar.WriteInt32(m_rect.top);
    ar.WriteInt32(m_rect.right);
    ar.WriteInt32(m_rect.bottom);
    for (const std::string& id : m_members) ar.WriteString(id);
    return;
  }
  const std::int32_t count = ar.ReadInt32();
  if (count < 0) throw ArchiveError("Group: negative member count");
  m_rect.left = ar.ReadInt32();
  m_rect.top = ar.ReadInt32();
  m_rect.right = ar.ReadInt32();
  m_rect.bottom = ar.ReadInt32();
  // Every identifier takes at least its one-byte length prefix.
  ar.RequireRemaining(static_cast<std::uint64_t>(count), 1, "Group");
  m_members.clear();
  m_members.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) m_members.push_back(ar.ReadString());
}

}  // namespace lumi
