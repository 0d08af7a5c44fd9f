#include "edit/below_selection_cache.h"

#include <algorithm>

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

}  // namespace lumi
