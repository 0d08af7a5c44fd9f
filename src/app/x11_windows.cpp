#include "x11_windows.h"

#include <QGuiApplication>

#ifdef LUMI_HAS_X11
#include <X11/Xlib.h>
#endif

#include <algorithm>

namespace lumi::app {

namespace {

#ifdef LUMI_HAS_X11
Display* X11Display() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->display() : nullptr;
}
#endif

}  // namespace

QString ScreenCaptureUnavailableReason() {
#ifdef LUMI_HAS_X11
  if (QGuiApplication::platformName() == QLatin1String("xcb") && X11Display()) return {};
  return QStringLiteral("Screen capture needs an X11 session; this one is \"%1\" (start the program with "
                        "QT_QPA_PLATFORM=xcb where XWayland is available)")
      .arg(QGuiApplication::platformName());
#else
  return QStringLiteral("Screen capture needs X11, which this build of the program does not have");
#endif
}

std::optional<QRect> TopLevelWindowAt(QPoint p, const std::vector<unsigned long>& ignored) {
#ifdef LUMI_HAS_X11
  Display* display = X11Display();
  if (!display) return std::nullopt;
  const Window root = DefaultRootWindow(display);
  Window root_return = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, root, &root_return, &parent, &children, &count)) return std::nullopt;
  std::optional<QRect> found;
  // The children come bottom first in stacking order.
  for (unsigned int i = count; i-- > 0 && !found;) {
    const Window w = children[i];
    if (std::find(ignored.begin(), ignored.end(), static_cast<unsigned long>(w)) != ignored.end()) continue;
    XWindowAttributes a;
    if (!XGetWindowAttributes(display, w, &a)) continue;
    if (a.map_state != IsViewable || a.c_class != InputOutput) continue;
    const QRect r(a.x, a.y, a.width + 2 * a.border_width, a.height + 2 * a.border_width);
    if (r.contains(p)) found = r;
  }
  if (children) XFree(children);
  return found;
#else
  (void)p;
  (void)ignored;
  return std::nullopt;
#endif
}

}  // namespace lumi::app
