#include "edit/below_selection_cache.h"

#include <algorithm>

#include "edit/canvas_frame.h"
#include "edit/view_document.h"
#include "objects/draw_object.h"

namespace lumi {

namespace {

// Draws the document's objects in order onto `target`; at the selected object `at_selection`
// runs first (it fills from or feeds the cache), and the objects beneath the selection are
// skipped when `skip_below` says the cache holds them.
template <typename AtSelection>
BelowSelectionCache::DrawResult DrawFromSelection(const ViewDocument& document, const CDrawObject* selected,
                                                  CDIBSection& target, Point origin, bool skip_below,
                                                  AtSelection at_selection) {
  BelowSelectionCache::DrawResult result;
  bool at_or_above_selection = selected == nullptr;
  const int count = document.ObjectCount();
  for (int i = 0; i < count; ++i) {
    const CDrawObject& object = document.ObjectAt(i);
    if (&object == selected) {
      at_or_above_selection = true;
      at_selection(result);
    }
    if (!at_or_above_selection && skip_below) continue;
    object.DrawTo(target, origin);
    ++result.objects_drawn;
  }
  return result;
}

}  // namespace

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

  // Below the selection only when the cache cannot stand in for it.
  DrawResult result = DrawFromSelection(document, selected, offscreen, origin, valid, [&](DrawResult& r) {
    if (valid) {
      std::copy(bitmap_.Pixels(), bitmap_.Pixels() + bitmap_.PixelBytes(), offscreen.Pixels());
      r.used_cache = true;
    } else {
      std::copy(offscreen.Pixels(), offscreen.Pixels() + offscreen.PixelBytes(), bitmap_.Pixels());
      built_for_ = selected;
      built_origin_ = origin;
    }
  });
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
  return DrawFromSelection(document, selected, patch, patch_origin, true, [&](DrawResult& r) {
    const Rect part{patch_origin.x, patch_origin.y, patch_origin.x + patch.Width(),
                    patch_origin.y + patch.Height()};
    CopyCanvasRect(bitmap_, built_origin_, patch, patch_origin, part);
    r.used_cache = true;
  });
}

}  // namespace lumi
