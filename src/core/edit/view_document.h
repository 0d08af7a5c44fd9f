#pragma once
// What the drawing view needs from a document: the canvas and the objects in drawing
// order. The document implements it; tests and the scene viewer use small adapters.
#include "base/colour.h"

namespace lumi {

class CDrawObject;

class ViewDocument {
 public:
  virtual ~ViewDocument() = default;
  virtual int CanvasWidth() const = 0;
  virtual int CanvasHeight() const = 0;
  virtual COLORREF CanvasColour() const = 0;
  // Objects in list order: index 0 is drawn first. Hidden objects are in the list; they
  // skip themselves when drawn.
  virtual int ObjectCount() const = 0;
  virtual const CDrawObject& ObjectAt(int index) const = 0;

  bool Contains(const CDrawObject* object) const {
    for (int i = 0; i < ObjectCount(); ++i)
      if (&ObjectAt(i) == object) return true;
    return false;
  }
};

}  // namespace lumi
