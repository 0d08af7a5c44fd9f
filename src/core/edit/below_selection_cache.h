#pragma once
// Keeps the composite of every object beneath the selected one, so that repainting while
// one object is dragged or edited costs the same however many objects lie under it.
#include "base/geometry.h"
#include "image/dib_section.h"

namespace lumi {

class CDrawObject;
class ViewDocument;

class BelowSelectionCache {
 public:
  // What one draw did, for the view's tests and diagnostics.
  struct DrawResult {
    bool used_cache = false;  // the objects beneath came from the cache
    int objects_drawn = 0;    // objects asked to draw themselves
  };

  // Draws the document's objects onto `offscreen` (whose top-left pixel is the canvas
  // point `origin`, already filled with what lies under the objects) through the cache:
  // objects beneath `selected` come from the cache when it is valid, and are drawn and
  // stored into it when it is not.
  DrawResult Draw(CDIBSection& offscreen, Point origin, const ViewDocument& document,
                  const CDrawObject* selected);

  // Whether DrawPart can serve `selected` on a bitmap of `size` at `origin`: there is no
  // selection in the document (nothing is cached), or the cache holds what lies beneath
  // it over exactly that area (width x height at `origin`).
  bool CanDrawPart(const ViewDocument& document, const CDrawObject* selected, Point origin,
                   int width, int height) const;
  // Draws the document's objects onto `patch`, a part of the area of the last Draw (its
  // top-left pixel the canvas point `patch_origin`, already filled with what lies under
  // the objects): the cached composite beneath `selected` and the objects from it up, or
  // every object without a selection. Only when CanDrawPart said so.
  DrawResult DrawPart(CDIBSection& patch, Point patch_origin, const ViewDocument& document,
                      const CDrawObject* selected) const;

  // Rebuilt at the next draw (end of a scroll, end of a multi-selection move).
  void MarkInvalid() { invalid_ = true; }
  // Releases the bitmap too (zoom changes from the combo or "Original Size", the end of a
  // zoom or export-crop drag).
  void Drop();

  bool HasBitmap() const { return !bitmap_.IsEmpty(); }

 private:
  CDIBSection bitmap_;
  const CDrawObject* built_for_ = nullptr;
  Point built_origin_;
  bool invalid_ = true;
};

}  // namespace lumi
