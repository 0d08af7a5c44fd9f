#include "edit/script_view.h"

#include <cstdio>

namespace lumi {

ScriptView::ScriptView(const CPlenivorDoc& doc, Host& host) : document_(doc), view_(*this, host) {
  view_.SetDocument(&document_);
  view_.SetClientSize(kClientSize);
  view_.OnFirstShow();
}

std::string ScriptView::Text() const {
  const ZoomView& zoom = view_.Zoom();
  const std::string_view entry = kZoomComboEntries[static_cast<std::size_t>(entry_)];
  char text[96];
  std::snprintf(text, sizeof text, "zoom %g%% (%.*s), scroll (%d, %d)", zoom.Scale() * 100.0,
                static_cast<int>(entry.size()), entry.data(), zoom.ScrollPosition().x, zoom.ScrollPosition().y);
  return text;
}

}  // namespace lumi
