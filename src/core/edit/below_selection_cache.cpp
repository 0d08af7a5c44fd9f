#include "edit/below_selection_cache.h"

#include <algorithm>

#include "edit/canvas_frame.h"
#include "edit/view_document.h"
#include "objects/draw_object.h"

namespace lumi {

void BelowSelectionCache::Drop() {
  bitmap_.ResetToDefault();
  built_for_ = nullptr;
  invalid_ = true;
}

BelowSelectionCache::DrawResult BelowSelectionCache::Draw(CDIBSection& offscreen, Point origin,
                                                          const ViewDocument& document,
                                                          const CDrawObject* selected) {
  // The selection must still be in the document: a stale cache must never hide the
  // objects beneath an object that is gone.
  if (selected && !document.Contains(selected)) selected = nullptr;
  bool valid = selected != nullptr && selected == built_for_ && !invalid_;
  invalid_ = false;
  const bool same_size = !bitmap_.IsEmpty() && bitmap_.Width() == offscreen.Width() &&
                         bitmap_.Height() == offscreen.Height();
  if (!same_size) {
    valid = false;
    bitmap_.Create(offscreen.Width(), offscreen.Height(), 32, true);
  }
  // The same size seen from another place (scrolling at 100% and more) holds other
  // pixels, so the place is part of what the cache was built for.
  if (origin != built_origin_) valid = false;

  DrawResult result;
  bool at_or_above_selection = selected == nullptr;
  const int count = document.ObjectCount();
  for (int i = 0; i < count; ++i) {
    const CDrawObject& object = document.ObjectAt(i);
    if (&object == selected) {
      at_or_above_selection = true;
      if (valid) {
        std::copy(bitmap_.Pixels(), bitmap_.Pixels() + bitmap_.PixelBytes(), offscreen.Pixels());
        result.used_cache = true;
      } else {
        std::copy(offscreen.Pixels(), offscreen.Pixels() + offscreen.PixelBytes(), bitmap_.Pixels());
        built_for_ = selected;
        built_origin_ = origin;
      }
    }
    if (!at_or_above_selection && valid) continue;
    object.DrawTo(offscreen, origin);
    ++result.objects_drawn;
  }
  if (!selected) built_for_ = nullptr;
  return result;
}

bool BelowSelectionCache::CanDrawPart(const ViewDocument& document, const CDrawObject* selected,
                                      Point origin, int width, int height) const {
  if (!selected || !document.Contains(selected)) return true;
  return selected == built_for_ && !invalid_ && origin == built_origin_ && !bitmap_.IsEmpty() &&
         bitmap_.Width() == width && bitmap_.Height() == height;
}

BelowSelectionCache::DrawResult BelowSelectionCache::DrawPart(CDIBSection& patch,
                                                              Point patch_origin,
                                                              const ViewDocument& document,
                                                              const CDrawObject* selected) const {
  if (selected && !document.Contains(selected)) selected = nullptr;
  DrawResult result;
  bool at_or_above_selection = selected == nullptr;
  const int count = document.ObjectCount();
  for (int i = 0; i < count; ++i) {
    const CDrawObject& object = document.ObjectAt(i);
    if (&object == selected) {
      at_or_above_selection = true;
      const Rect part{patch_origin.x, patch_origin.y, patch_origin.x + patch.Width(),
                      patch_origin.y + patch.Height()};
      CopyCanvasRect(bitmap_, built_origin_, patch, patch_origin, part);
      result.used_cache = true;
    }
    if (!at_or_above_selection) continue;
    object.DrawTo(patch, patch_origin);
    ++result.objects_drawn;
  }
  return result;
}

}  // namespace lumi
