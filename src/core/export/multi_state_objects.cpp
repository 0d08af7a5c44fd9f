#include "export/multi_state_objects.h"

#include "base/host.h"
#include "objects/draw_object.h"

namespace lumi {

bool IsFramed(const CDrawObject& object) {
  return object.GetHasHighlighted() != 0 || object.GetHasPushed() != 0;
}

bool IsExportedFramed(const CDrawObject& object) {
  return IsFramed(object) && object.GetExcludeFromButtons() == 0;
}

int CountExportedFramed(const ObjectList& objects) {
  int count = 0;
  for (const auto& object : objects) count += IsExportedFramed(*object) ? 1 : 0;
  return count;
}

int ExportedFramedIndex(const ObjectList& objects, int j) {
  if (j < 0) return -1;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    if (!IsExportedFramed(*objects[i])) continue;
    if (j-- == 0) return static_cast<int>(i);
  }
  return -1;
}

namespace {

// The object itself when it shows look `state`, else the copy that holds that look.
const CDrawObject* Look(const CDrawObject& object, int state) {
  if (object.GetCurrentState() == state) return &object;
  switch (state) {
    case 0: return object.NormalLook();
    case 1: return object.HighlightedLook();
    default: return object.PushedLook();
  }
}

Rect VisualRectOf(const CDrawObject& look) { return look.GetVisualRect(look.GetRect()); }

}  // namespace

Rect ExportRect(const CDrawObject& object) {
  const CDrawObject* normal = Look(object, 0);
  Rect rect = VisualRectOf(normal ? *normal : object);
  if (object.GetStatesSuppressed()) return rect;
  if (object.GetHasHighlighted())
    if (const CDrawObject* look = Look(object, 1)) rect = Union(rect, VisualRectOf(*look));
  if (object.GetHasPushed())
    if (const CDrawObject* look = Look(object, 2)) rect = Union(rect, VisualRectOf(*look));
  return rect;
}

bool PrepareMultiStateExport(ObjectList& objects, Host& host) {
  if (CountExportedFramed(objects) == 0) {
    host.Message(kNoMultiframeObjectsMessage, MessageKind::Information);
    return false;
  }
  for (auto& object : objects) object->StoreShownState();
  return true;
}

}  // namespace lumi
