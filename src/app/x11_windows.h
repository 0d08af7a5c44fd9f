#pragma once
// The one place that asks the X server about other programs' windows: whether this
// session can capture the screen at all, and the top-level window under a screen point.
#include <QRect>
#include <QString>
#include <optional>
#include <vector>

namespace lumi::app {

// Empty when the screen can be captured here (an X11 session); otherwise why not, for
// the disabled commands' tooltips and the status bar.
QString ScreenCaptureUnavailableReason();

// The top-level window (with its frame, when a window manager draws one) that is
// topmost at the screen point `p`, as its rectangle in screen pixels; windows in
// `ignored` (this program's own capture windows) are looked through. Nothing when only
// the desktop is there or the session has no X server.
std::optional<QRect> TopLevelWindowAt(QPoint p, const std::vector<unsigned long>& ignored);

}  // namespace lumi::app
