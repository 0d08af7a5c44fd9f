#pragma once
// Where a library panel floats: its section's "Left" and "Top", clamped to the screen,
// read when it is made and written when it goes.
#include <string>

class QDockWidget;

namespace lumi {
class Settings;
}

namespace lumi::app {

// Default "Left": the screen width less an icon width less 265; "Top" as given.
void RestorePanelPlace(QDockWidget& panel, Settings& settings, const std::string& section,
                       int default_top);
void StorePanelPlace(const QDockWidget& panel, Settings& settings, const std::string& section);

}  // namespace lumi::app
