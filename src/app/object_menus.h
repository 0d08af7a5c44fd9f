#pragma once
// The Edit, Object and Bitmap menus and the view's context menu: one action per command
// of the object command table, with its accelerators, enabled by the selection each time
// a menu opens. Also the services the commands ask of the window: the desktop
// clipboard, the rotate dialog, the per-user settings and the Layers panel.
#include <QObject>
#include <QString>

#include <functional>
#include <map>

#include "edit/command_services.h"
#include "qt_clipboard.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace lumi {
class ToolMachine;
}

namespace lumi::app {

struct ObjectMenuHooks {
  std::function<void()> after_command;   // repaint, undo entries, title
  std::function<void()> rebuild_layers;
  std::function<void()> edit_gene;       // "Mutavia Color"
  std::function<void()> add_to_library;  // "Add to Object Library"
  // The commands that open a dialog of their own ("Bitmap Effects...", "Shift Color...").
  std::function<void(std::string_view)> run_dialog_command;
};

class ObjectMenus : public QObject, public CommandServices {
  Q_OBJECT
 public:
  // Adds the commands to `edit_menu` and two new menus after it on `bar`.
  ObjectMenus(QWidget& window, QMenuBar& bar, QMenu& edit_menu, ToolMachine& tools, Settings& settings,
              ObjectMenuHooks hooks);

  // The action of a command by its table text (or a window entry's text); null if none.
  QAction* Action(const QString& text) const;
  QMenu* ContextMenu() const { return context_; }
  // Every entry enabled (and checked) by the current selection.
  void Refresh();
  // Runs a command by its table text when it is enabled; false otherwise.
  bool Run(std::string_view text);

  // ---- CommandServices
  ObjectClipboard& Clipboard() override { return clipboard_; }
  std::optional<int> AskRotateAngle(int angle) override;
  Settings& UserSettings() override { return settings_; }
  void RebuildLayers() override;

 private:
  QAction* AddCommand(QMenu& menu, std::string_view text, const QString& label, const QString& keys);

  QWidget& window_;
  ToolMachine& tools_;
  Settings& settings_;
  ObjectMenuHooks hooks_;
  QtObjectClipboard clipboard_;
  std::map<QString, QAction*> actions_;
  QAction* gene_ = nullptr;
  QMenu* context_ = nullptr;
};

}  // namespace lumi::app
