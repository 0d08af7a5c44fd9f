#include "frame/keyboard_lamps.h"

#include <QGuiApplication>

#ifdef LUMI_HAS_XKB
#include <X11/XKBlib.h>
#endif

namespace lumi::app {

std::optional<bool> LockIndicator(const char* name) {
#ifdef LUMI_HAS_XKB
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  Display* display = x11 ? x11->display() : nullptr;
  if (!display) return std::nullopt;
  const Atom atom = XInternAtom(display, name, True);
  if (atom == None) return std::nullopt;
  Bool on = False;
  if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) return std::nullopt;
  return on != False;
#else
  (void)name;
  return std::nullopt;
#endif
}

}  // namespace lumi::app
