#pragma once
// What the window adds to the tools of core: their overlays painted in device pixels
// over the composed canvas, and a cursor for each cursor role.
#include <QCursor>

#include "edit/overlay.h"
#include "edit/tool_ids.h"

class QPainter;

namespace lumi {
class ZoomView;
}

namespace lumi::app {

void PaintOverlay(QPainter& painter, const Overlay& overlay, const ZoomView& zoom);

// Qt's standard cursors stand in for the program's own cursor images until those exist.
QCursor CursorFor(CursorRole role);

}  // namespace lumi::app
