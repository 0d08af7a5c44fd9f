#include "library_panel_place.h"

#include <QApplication>
#include <QDockWidget>
#include <QScreen>
#include <QStyle>

#include <algorithm>

#include "base/settings.h"

namespace lumi::app {

namespace {

QSize ScreenSize(const QWidget& widget) {
  const QScreen* screen = widget.screen() ? widget.screen() : QGuiApplication::primaryScreen();
  return screen ? screen->size() : QSize(1024, 768);
}

int IconSize() { return QApplication::style()->pixelMetric(QStyle::PM_LargeIconSize); }

}  // namespace

void RestorePanelPlace(QDockWidget& panel, Settings& settings, const std::string& section,
                       int default_top) {
  const QSize screen = ScreenSize(panel);
  const int icon = IconSize();
  int left = settings.GetInt(section, "Left", screen.width() - icon - 265);
  int top = settings.GetInt(section, "Top", default_top);
  left = std::max(0, std::min(left, screen.width() - icon));
  top = std::max(0, std::min(top, screen.height() - icon));
  panel.move(left, top);
}

void StorePanelPlace(const QDockWidget& panel, Settings& settings, const std::string& section) {
  if (!panel.isFloating()) return;  // docked, its place is the main window's
  settings.SetInt(section, "Left", panel.x());
  settings.SetInt(section, "Top", panel.y());
}

}  // namespace lumi::app
