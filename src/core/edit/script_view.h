#pragma once
// The drawing view an edit script scrolls and zooms: the document in an 800 x 600
// window that paints nothing, so wheel, pinch and zoom keys run the window's own code.
#include <string>

#include "edit/drawing_view.h"
#include "edit/plenivor_view_document.h"

namespace lumi {

class ScriptView final : private ViewSurface {
 public:
  static constexpr Size kClientSize{800, 600};

  ScriptView(const CPlenivorDoc& doc, Host& host);
  DrawingView& View() { return view_; }
  // "zoom 125% (Custom), scroll (40, 0)": the scale, the zoom list's entry and the
  // scroll position in device pixels.
  std::string Text() const;

 private:
  void InvalidateAll() override {}
  void InvalidateDeviceRect(const Rect&) override {}
  void ScrollGeometryChanged() override {}
  void ShowZoomEntry(int index) override { entry_ = index; }

  PlenivorViewDocument document_;
  DrawingView view_;
  int entry_ = kZoomEntryOriginal;
};

}  // namespace lumi
