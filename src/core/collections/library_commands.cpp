#include "collections/library_commands.h"

#include <cstdio>

#include "base/errors.h"
#include "base/host.h"
#include "document/plenivor_doc.h"
#include "collections/object_library.h"
#include "objects/draw_object.h"

namespace lumi {

namespace fs = std::filesystem;

bool ApplyStyleFile(CPlenivorDoc& doc, CDrawObject* current, const fs::path& path,
                    NewObjectDefaultSets& defaults) {
  Host& host = doc.GetHost();
  std::unique_ptr<CDrawObject> style;
  try {
    style = ReadStyle(path, host, nullptr, doc.GetRenderContext());
  } catch (const Error&) {  // damaged data, or a bitmap it cannot hold
    host.Message("This style file is damaged: " + path.filename().string(), MessageKind::Warning);
    return false;
  }
  if (!style) return false;
  const std::string name = path.filename().string();
  if (current) {
    host.StatusText(0, name);
    current->TransferAttributes(*style);
    doc.SetModified();
    doc.TakeSnapshot();
  } else {
    host.StatusText(0, ApplyStyleAsDefaults(*style, name, defaults));
  }
  return true;
}

std::optional<InsertedEntry> InsertLibraryEntry(CPlenivorDoc& doc, const fs::path& path,
                                                std::optional<Point> drop) {
  Host& host = doc.GetHost();
  std::optional<std::vector<std::unique_ptr<CDrawObject>>> read;
  try {
    read = ReadObjectEntry(path, host, nullptr, doc.GetRenderContext());
  } catch (const Error&) {  // damaged data, or a bitmap it cannot hold
    host.Message("This library object is damaged: " + path.filename().string(), MessageKind::Warning);
    return std::nullopt;
  }
  if (!read || read->empty()) return std::nullopt;
  std::vector<std::unique_ptr<CDrawObject>>& objects = *read;
  if (drop) {
    const CDrawObject& first = *objects.front();
    const int dx = drop->x - first.GetWidth() / 2 - first.GetX();
    const int dy = drop->y - first.GetHeight() / 2 - first.GetY();
    for (auto& object : objects) object->MoveTo(object->GetX() + dx, object->GetY() + dy);
  }
  InsertedEntry inserted;
  for (auto& object : objects) {
    object->ShowState(0);
    object->SetGrouped(0);
    inserted.objects.push_back(object.get());
    doc.Objects().push_back(std::move(object));
  }
  const int count = static_cast<int>(inserted.objects.size());
  if (count > 1) {
    char text[64];
    CObjectGroup group;
    for (CDrawObject* member : inserted.objects) {
      member->SetGrouped(1);
      group.m_members.push_back(member->GetId());
      group.m_rect = Union(group.m_rect, member->GetRect());
    }
    doc.Groups().push_back(std::move(group));
    std::snprintf(text, sizeof text, "You Created Group of %d objects", count);
    host.StatusText(0, text);
    // The selection count is what the status bar keeps showing.
    std::snprintf(text, sizeof text, " %d objects selected", count);
    host.StatusText(0, text);
    inserted.grouped = true;
  }
  doc.SetModified();
  doc.TakeSnapshot();
  return inserted;
}

}  // namespace lumi
