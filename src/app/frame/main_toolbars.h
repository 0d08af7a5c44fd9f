#pragma once
// The main window's four toolbars built from their button lists: the main toolbar with
// the zoom list in place of its "Zoom" button, "Tools" on the left, "Object Tools" at
// the bottom with "Screen Capture" after it. A button takes the window's menu command
// of the same text, or a View toggle by its id; a command the window does not offer yet
// is a disabled button.
#include <QMainWindow>

#include "controls/toolbar_ex.h"

class QComboBox;

namespace lumi::app {

class ViewToggles;

struct MainToolbarSet {
  CToolBarEx* main = nullptr;
  CToolBarEx* tools = nullptr;
  CToolBarEx* object_tools = nullptr;
  CToolBarEx* screen_capture = nullptr;
};

// Finds the window's menu action whose text, without "&" and "...", is the command's.
QAction* FindMenuCommand(const QMainWindow& window, const ToolbarButton& button);

MainToolbarSet CreateMainToolbars(QMainWindow& window, QComboBox* zoom_list, const ViewToggles& toggles);

}  // namespace lumi::app
