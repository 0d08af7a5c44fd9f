#pragma once
// Everything the main window arranges around its view: the four toolbars, the Quick
// Tools bar, the attribute bars, the floating panels (Multimedia Extension, Layers, and
// those added later), the status panes, the View menu's toggles and the saved layout.
// Other parts plug in with one call: AttachPanel for a panel with its View toggle,
// SetAttributeBarContent for an attribute bar's controls.
#include <QObject>
#include <QString>
#include <functional>

#include "frame/main_toolbars.h"
#include "ui/bar_placement.h"
#include "ui/layers_list.h"

class QComboBox;
class QDockWidget;
class QMainWindow;
class QMenu;
class QToolBar;

namespace lumi {
class Settings;
}

namespace lumi::app {

class DockLayout;
class LayersDock;
class StatusPanes;
class ViewToggles;

class MainFrame : public QObject {
  Q_OBJECT
 public:
  // Builds the bars once the window's menus exist (toolbar buttons take the menu
  // commands of the same text). `objects` gives the document's object list.
  MainFrame(QMainWindow& window, Settings& settings, QComboBox* zoom_list,
            std::function<ObjectList*()> objects);

  // A panel shown and hidden by View toggle `view_id` (kViewStyles, kViewObjectLibrary,
  // ...), floating, starting shown when `section`/"Status" is not 0 (its default given by
  // `shown_by_default`).
  void AttachPanel(int view_id, QDockWidget* panel, const QString& section, bool shown_by_default = false);
  // An attribute bar's controls in place of its "empty" mark.
  void SetAttributeBarContent(AttributeBar which, QWidget* content);

  // Sets a status pane's text (0 the message pane, 1 the cursor pane) and repaints at once.
  void ShowStatusText(int pane, const QString& text);
  // A loaded project has objects with extra looks.
  void ShowMultimediaExtension();
  // The window is closing: bars, panels and layout are written to the settings.
  void SaveOnClose();
  // The saved layout is applied (also done by itself once the event loop runs).
  void RestoreLayout();

  const MainToolbarSet& Toolbars() const { return toolbars_; }
  QToolBar* QuickTools() const { return quick_tools_; }
  QDockWidget* MultimediaPanel() const { return multimedia_; }
  LayersDock* Layers() const { return layers_; }
  ViewToggles& Toggles() const { return *toggles_; }
  DockLayout& Docks() const { return *docks_; }
  StatusPanes& Panes() const { return *panes_; }
  QMenu* ViewMenu() const { return view_menu_; }

 private:
  QMenu* FindOrAddViewMenu();

  QMainWindow& window_;
  Settings& settings_;
  ViewToggles* toggles_;
  MainToolbarSet toolbars_;
  QToolBar* quick_tools_;
  DockLayout* docks_;
  QDockWidget* multimedia_;
  LayersDock* layers_;
  StatusPanes* panes_;
  QMenu* view_menu_;
};

}  // namespace lumi::app
