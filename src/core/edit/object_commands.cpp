#include "edit/object_commands.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"
#include "base/host.h"
#include "document/plenivor_doc.h"
#include "edit/command_services.h"
#include "edit/tool_geometry.h"
#include "edit/tool_machine.h"
#include "objects/draw_object.h"
#include "objects/object_stream.h"

namespace lumi {

namespace {

using ObjectList = std::vector<std::unique_ptr<CDrawObject>>;

int IndexOf(const CPlenivorDoc& doc, const CDrawObject* object) {
  const ObjectList& objects = doc.Objects();
  for (std::size_t i = 0; i < objects.size(); ++i)
    if (objects[i].get() == object) return static_cast<int>(i);
  return -1;
}

// The members in the document's list order, whatever order they were selected in.
std::vector<CDrawObject*> InListOrder(const CPlenivorDoc& doc, const std::vector<CDrawObject*>& members) {
  std::vector<CDrawObject*> ordered;
  for (const auto& o : doc.Objects())
    if (std::find(members.begin(), members.end(), o.get()) != members.end()) ordered.push_back(o.get());
  return ordered;
}

void Status(ToolMachine& m, const char* format, int count) {
  char text[64];
  std::snprintf(text, sizeof text, format, count);
  m.Status(text);
}

// The wait cursor for as long as a long command runs.
class BusyCursor {
 public:
  explicit BusyCursor(Host& host) : host_(host) { host_.BeginWaitCursor(); }
  ~BusyCursor() { host_.EndWaitCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  Host& host_;
};

// Moves the object at `from` to `to`, the others closing up.
void MoveInList(ObjectList& objects, int from, int to) {
  if (from == to || from < 0 || to < 0) return;
  auto first = objects.begin();
  if (from < to)
    std::rotate(first + from, first + from + 1, first + to + 1);
  else
    std::rotate(first + to, first + from, first + from + 1);
}

// Every group's members carry the grouped flag again.
void MarkGroupMembers(CPlenivorDoc& doc) {
  for (const CObjectGroup& g : doc.Groups())
    for (const std::string& id : g.m_members)
      if (CDrawObject* member = doc.FindObject(id)) member->SetGrouped(1);
}

void AfterListChange(ToolMachine& m) {
  m.Port().MarkCacheInvalid();
  m.Services().RebuildLayers();
}

std::vector<std::uint8_t> StreamOf(const std::vector<const CDrawObject*>& objects) {
  MemorySink sink;
  CArchive ar(sink);
  WriteObjectStream(ar, objects);
  return sink.TakeBytes();
}

void DeleteObjects(ToolMachine& m, bool snapshot_before) {
  CPlenivorDoc& doc = m.Doc();
  if (CDrawObject* single = m.Selected()) {
    // Unselected first: the selection repaints its old place and must not outlive it.
    m.SelectObject(nullptr);
    RemoveObject(m, single);
    doc.TakeSnapshot();
    m.ClearQuickTools();
  } else if (!m.MultiSelection().empty()) {
    if (snapshot_before) doc.TakeSnapshot();
    const std::vector<CDrawObject*> members = m.MultiSelection();
    m.SelectObject(nullptr);
    for (CDrawObject* member : members) RemoveObject(m, member);
    doc.TakeSnapshot();
    m.Port().InvalidateAll();
  } else {
    return;
  }
  m.Port().DropCache();
  m.Services().RebuildLayers();
}

}  // namespace

// ---- selection

void SelectNextObject(ToolMachine& m) {
  const int i = IndexOf(m.Doc(), m.Selected());
  if (i < 0 || i + 1 >= static_cast<int>(m.Doc().Objects().size())) return;
  m.SelectObject(m.Doc().Objects()[static_cast<std::size_t>(i + 1)].get());
  m.ShowObjectStatus();
}

void SelectPreviousObject(ToolMachine& m) {
  const int i = IndexOf(m.Doc(), m.Selected());
  if (i <= 0) return;
  m.SelectObject(m.Doc().Objects()[static_cast<std::size_t>(i - 1)].get());
  m.ShowObjectStatus();
}

void SelectAllObjects(ToolMachine& m) {
  std::vector<CDrawObject*> all;
  for (const auto& o : m.Doc().Objects()) all.push_back(o.get());
  m.SetMultiSelection(std::move(all), false);
  Status(m, "Group of %d objects", static_cast<int>(m.MultiSelection().size()));
}

void RemoveObject(ToolMachine& m, CDrawObject* object) {
  CPlenivorDoc& doc = m.Doc();
  const int i = IndexOf(doc, object);
  if (i < 0) return;
  m.Port().InvalidateCanvas(object->GetInvalidRect(object->GetSelectionRect()));
  doc.Objects().erase(doc.Objects().begin() + i);
  doc.RecomputeGroupRects();
  doc.SetModified();
}

void DeleteSelection(ToolMachine& m) {
  if (m.CurrentTool() == Tool::Shape) {
    m.DeletePoint();
    return;
  }
  DeleteObjects(m, true);
}

// ---- arrangement

void MoveInStack(ToolMachine& m, StackMove move) {
  CPlenivorDoc& doc = m.Doc();
  ObjectList& objects = doc.Objects();
  const int last = static_cast<int>(objects.size()) - 1;
  if (CDrawObject* o = m.Selected()) {
    const int i = IndexOf(doc, o);
    switch (move) {
      case StackMove::ToFront: MoveInList(objects, i, last); break;
      case StackMove::ToBack: MoveInList(objects, i, 0); break;
      case StackMove::Forward: if (i < last) std::swap(objects[i], objects[i + 1]); break;
      case StackMove::Backward: if (i > 0) std::swap(objects[i], objects[i - 1]); break;
    }
    doc.TakeSnapshot();
    AfterListChange(m);
    m.InvalidateObject(*o);
    m.SelectObject(o);
    return;
  }
  if (m.MultiSelection().empty() || (move != StackMove::ToFront && move != StackMove::ToBack)) return;
  BusyCursor busy(doc.GetHost());
  std::vector<CDrawObject*> members = InListOrder(doc, m.MultiSelection());
  if (move == StackMove::ToFront) {
    for (CDrawObject* member : members) MoveInList(objects, IndexOf(doc, member), last);
  } else {
    for (auto it = members.rbegin(); it != members.rend(); ++it) MoveInList(objects, IndexOf(doc, *it), 0);
  }
  doc.TakeSnapshot();
  AfterListChange(m);
  m.SetMultiSelection(m.MultiSelection(), m.GroupSelected());
}

void AlignSelection(ToolMachine& m, AlignEdge edge) {
  const std::vector<CDrawObject*>& members = m.MultiSelection();
  if (members.empty()) return;
  Rect u;
  for (const CDrawObject* o : members) u = Union(u, o->GetRect());
  const Rect old_frame = MultiSelectionFrame(members);
  for (CDrawObject* o : members) {
    int x = o->GetX(), y = o->GetY();
    const int w = o->GetWidth(), h = o->GetHeight();
    switch (edge) {
      case AlignEdge::Left: x = u.left; break;
      case AlignEdge::Right: x = u.right - w; break;
      case AlignEdge::Top: y = u.top; break;
      case AlignEdge::Bottom: y = u.bottom - h; break;
      case AlignEdge::Center:
        x = u.left + (u.right - u.left) / 2 - w / 2;
        y = u.top + (u.bottom - u.top) / 2 - h / 2;
        break;
    }
    o->MoveTo(x, y);
  }
  m.Doc().RecomputeGroupRects();
  m.Port().MarkCacheInvalid();
  m.Port().InvalidateCanvas(Union(old_frame, MultiSelectionFrame(members)));
  m.Doc().SetModified();
  m.Doc().TakeSnapshot();
}

void Nudge(ToolMachine& m, int dx, int dy) {
  if (CDrawObject* o = m.Selected()) {
    const Rect before = o->GetInvalidRect(o->GetSelectionRect());
    o->MoveTo(o->GetX() + dx, o->GetY() + dy);
    m.InvalidateObject(*o, before);
  } else if (!m.MultiSelection().empty()) {
    const Rect before = MultiSelectionFrame(m.MultiSelection());
    for (CDrawObject* member : m.MultiSelection()) member->MoveTo(member->GetX() + dx, member->GetY() + dy);
    m.Doc().RecomputeGroupRects();
    m.Port().InvalidateCanvas(Union(before, MultiSelectionFrame(m.MultiSelection())));
  } else {
    return;
  }
  m.Doc().SetModified();
}

void FlipSelection(ToolMachine& m, bool vertical) {
  CDrawObject* o = m.Selected();
  if (!o || !o->Flip(vertical)) return;
  m.Doc().SetModified();
  m.Doc().TakeSnapshot();
  m.Port().InvalidateAll();
}

int NormalisedRotateAngle(int typed) { return typed % 360; }

void RotateSelection(ToolMachine& m) {
  CDrawObject* o = m.Selected();
  if (!o) return;
  Settings& settings = m.Services().UserSettings();
  const std::optional<int> typed = m.Services().AskRotateAngle(settings.GetInt("Settings", "Angle", 0));
  if (!typed) return;
  const int angle = NormalisedRotateAngle(*typed);
  settings.SetInt("Settings", "Angle", angle);
  const Rect before = o->GetInvalidRect(o->GetSelectionRect());
  if (!o->Rotate(angle, true)) return;
  m.InvalidateObject(*o, before);
  m.Doc().SetModified();
  m.Doc().TakeSnapshot();
}

void HideObjectsAboveSelection(ToolMachine& m) {
  const int i = IndexOf(m.Doc(), m.Selected());
  if (i < 0) return;
  const ObjectList& objects = m.Doc().Objects();
  for (std::size_t j = 0; j < objects.size(); ++j) objects[j]->SetHidden(static_cast<int>(j) > i ? 1 : 0);
  AfterListChange(m);
  m.Port().InvalidateAll();
  m.Doc().SetModified();
  m.Doc().TakeSnapshot();
}

void ShowAllObjects(ToolMachine& m) {
  for (const auto& o : m.Doc().Objects()) o->SetHidden(0);
  AfterListChange(m);
  m.Port().InvalidateAll();
  m.Doc().SetModified();
  m.Doc().TakeSnapshot();
}

// ---- groups

void GroupSelection(ToolMachine& m) {
  const std::vector<CDrawObject*> members = m.MultiSelection();
  if (members.size() < 2) return;
  CPlenivorDoc& doc = m.Doc();
  MarkGroupMembers(doc);
  CObjectGroup group;
  for (CDrawObject* member : members) {
    group.m_members.push_back(member->GetId());
    group.m_rect = Union(group.m_rect, member->GetRect());
    member->SetGrouped(1);
  }
  doc.Groups().push_back(std::move(group));
  doc.SetModified();
  m.Services().RebuildLayers();
  m.SetMultiSelection(members, true);
  Status(m, "You Created Group of %d objects", static_cast<int>(members.size()));
}

void UngroupSelection(ToolMachine& m) {
  if (!m.GroupSelected()) return;
  CPlenivorDoc& doc = m.Doc();
  const std::vector<CDrawObject*> members = m.MultiSelection();
  // The selected group: the last one whose surviving members are all selected.
  auto& groups = doc.Groups();
  auto selected = groups.end();
  for (auto g = groups.begin(); g != groups.end(); ++g) {
    bool all = !g->m_members.empty();
    for (const std::string& id : g->m_members) {
      CDrawObject* member = doc.FindObject(id);
      if (member && std::find(members.begin(), members.end(), member) == members.end()) all = false;
    }
    if (all) selected = g;
  }
  if (selected == groups.end()) return;
  for (const std::string& id : selected->m_members)
    if (CDrawObject* member = doc.FindObject(id)) member->SetGrouped(0);
  groups.erase(selected);
  MarkGroupMembers(doc);
  doc.RecomputeGroupRects();
  doc.SetModified();
  m.SetMultiSelection(members, false);
  Status(m, " %d objects selected", static_cast<int>(members.size()));
  m.Services().RebuildLayers();
}

void CombineSelection(ToolMachine& m) {
  const std::vector<CDrawObject*> members = m.MultiSelection();
  if (members.empty()) return;
  CPlenivorDoc& doc = m.Doc();
  Host& host = doc.GetHost();
  BusyCursor busy(host);
  CDrawObject& target = *members.front();
  if (target.IsBitmap()) {
    host.Message("You can't combine bitmap object with vector objects.\nThe Combine Objects command works only for vector objects.",
                 MessageKind::Warning);
    return;
  }
  if (target.IsText()) target.ConvertTextToPolynome();
  if (target.IsShape()) target.ConvertToPolynome();
  // The members leave the selection before any of them leaves the document.
  m.SetMultiSelection({}, false);
  bool skipped_bitmap = false;
  for (std::size_t i = 1; i < members.size(); ++i) {
    CDrawObject* member = members[i];
    if (member->IsBitmap()) {
      skipped_bitmap = true;
      continue;
    }
    target.Combine(*member);
    RemoveObject(m, member);
  }
  doc.SetModified();
  doc.TakeSnapshot();
  m.Port().InvalidateAll();
  m.Services().RebuildLayers();
  if (skipped_bitmap)
    host.Message("Finished....\nHowever the bitmap objects you had in the selection\nwere not combined with the vector objects.\nThe Combine Objects command works only for vector objects...",
                 MessageKind::Information);
}

// ---- clipboard

void CopySelection(ToolMachine& m) {
  std::vector<const CDrawObject*> objects;
  if (m.Selected()) {
    objects.push_back(m.Selected());
  } else if (!m.MultiSelection().empty()) {
    BusyCursor busy(m.GetHost());
    for (CDrawObject* o : InListOrder(m.Doc(), m.MultiSelection())) objects.push_back(o);
  } else {
    return;
  }
  m.Services().Clipboard().SetObjectStream(StreamOf(objects));
}

void PasteFromClipboard(ToolMachine& m) {
  CPlenivorDoc& doc = m.Doc();
  ObjectClipboard& clipboard = m.Services().Clipboard();
  if (const std::optional<std::vector<std::uint8_t>> stream = clipboard.ObjectStream()) {
    std::vector<std::unique_ptr<CDrawObject>> read;
    try {
      MemorySource source(*stream);
      CArchive ar(source);
      read = ReadObjectStream(ar, [&] { return doc.MakeObject(); });
    } catch (const Error&) {
      m.GetHost().Message("The objects on the clipboard are damaged and were not pasted.", MessageKind::Warning);
      m.Services().RebuildLayers();
      return;
    }
    std::vector<CDrawObject*> pasted;
    for (auto& object : read) {
      object->ShowState(0);
      object->SetGrouped(0);
      pasted.push_back(object.get());
      doc.Objects().push_back(std::move(object));
    }
    if (!pasted.empty()) {
      doc.SetModified();
      if (pasted.size() == 1) {
        m.SelectObject(pasted.front());
      } else {
        m.SetMultiSelection(pasted, false);
        m.ClearQuickTools();
        Status(m, " %d objects selected", static_cast<int>(pasted.size()));
      }
      m.Port().InvalidateAll();
      doc.TakeSnapshot();
    }
  } else if (const std::optional<RgbImage> image = clipboard.Image()) {
    std::unique_ptr<CDrawObject> object = doc.MakeObject();
    if (object->CreateBitmapFromClipboard(*image, doc.GetCanvasWidth() / 2, doc.GetCanvasHeight() / 2)) {
      CDrawObject* added = object.get();
      doc.Objects().push_back(std::move(object));
      doc.SetModified();
      doc.TakeSnapshot();
      m.SelectObject(added);
    }
  }
  m.Services().RebuildLayers();
}

void CutSelection(ToolMachine& m) {
  if (!m.Selected() && m.MultiSelection().empty()) return;
  CopySelection(m);
  DeleteObjects(m, false);
}

void PasteAttributes(ToolMachine& m) {
  CDrawObject* target = m.Selected();
  if (!target) return;
  const std::optional<std::vector<std::uint8_t>> stream = m.Services().Clipboard().ObjectStream();
  if (!stream) return;
  std::unique_ptr<CDrawObject> source = m.Doc().MakeObject();
  try {
    MemorySource bytes(*stream);
    CArchive ar(bytes);
    if (ar.ReadInt32() < 1) return;
    source->SerializeObject(ar, true);
  } catch (const Error&) {
    m.GetHost().Message("The objects on the clipboard are damaged and were not pasted.", MessageKind::Warning);
    return;
  }
  target->TransferAttributes(*source);
  m.Doc().SetModified();
  m.Doc().TakeSnapshot();
  m.Port().InvalidateAll();
  m.SelectObject(target);
}

}  // namespace lumi
