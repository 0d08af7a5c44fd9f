#pragma once
// The project document as the drawing view sees it: its canvas and its object list, read
// live, so the view always shows the document's current contents.
#include "document/plenivor_doc.h"
#include "edit/view_document.h"

namespace lumi {

class PlenivorViewDocument final : public ViewDocument {
 public:
  explicit PlenivorViewDocument(const CPlenivorDoc& document) : document_(document) {}

  int CanvasWidth() const override { return document_.GetCanvasWidth(); }
  int CanvasHeight() const override { return document_.GetCanvasHeight(); }
  COLORREF CanvasColour() const override { return document_.GetCanvasColor(); }
  int ObjectCount() const override { return static_cast<int>(document_.Objects().size()); }
  const CDrawObject& ObjectAt(int index) const override {
    return *document_.Objects()[static_cast<std::size_t>(index)];
  }

 private:
  const CPlenivorDoc& document_;
};

}  // namespace lumi
