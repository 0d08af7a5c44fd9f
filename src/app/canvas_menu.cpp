#include "canvas_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "canvas_dialogs.h"
#include "edit/canvas_commands.h"
#include "document/plenivor_doc.h"
#include "edit/tool_machine.h"
#include "main_window.h"
#include "plenivor_view.h"
#include "screen_capture_command.h"
#include "qt_convert.h"

namespace lumi::app {

bool RunCanvasCommand(CPlenivorView& view, Host& host, QWidget* parent, std::string_view text) {
  const DialogCommand* command = FindCanvasCommand(text);
  ToolMachine* tools = view.Tools();
  if (!command || !tools || !command->enabled(*tools)) return false;
  QtCommandDialogs dialogs(parent, host);
  CommandContext context{*tools, dialogs, tools->Doc().GetSettings()};
  const bool changed = command->run(context);
  view.viewport()->update();
  return changed;
}

bool RunCanvasCommand(MainWindow& window, std::string_view text) {
  const bool changed = RunCanvasCommand(*window.View(), window.GetHost(), &window, text);
  window.UpdateUndoActions();
  return changed;
}

bool OpenBitmapColourTweak(CPlenivorView& view, Host& host, QWidget* parent) {
  return RunCanvasCommand(view, host, parent, "Bitmap Effects...");
}

void ShowCanvasMenuTips(MainWindow& window) {
  if (auto* capture = window.findChild<ScreenCaptureCommands*>()) capture->ApplyTips();
}

bool OpenBitmapColourTweak(MainWindow& window) { return RunCanvasCommand(window, "Bitmap Effects..."); }

bool OpenShiftColour(MainWindow& window) { return RunCanvasCommand(window, "Shift Color..."); }

QMenu* AddCanvasMenu(MainWindow& window) {
  QMenu* menu = window.menuBar()->addMenu(QStringLiteral("&Project"));
  menu->setObjectName(QStringLiteral("projectMenu"));
  struct Entry {
    std::string_view text;
    QKeySequence key;
  };
  const Entry entries[] = {
      {"Size and Color...", {}},
      {"Trim Canvas to size of the objects", QKeySequence(Qt::CTRL | Qt::Key_Q)},
      {"Trim canvas for all objects and their shadows", {}},
      {"Trim canvas to the size of a crop tool", QKeySequence(Qt::CTRL | Qt::Key_W)},
      {"", {}},
      {"General Settings...", {}},
  };
  for (const Entry& e : entries) {
    if (e.text.empty()) {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(ToQString(e.text), &window, [&window, text = e.text] { RunCanvasCommand(window, text); });
    if (!e.key.isEmpty()) action->setShortcut(e.key);
  }
  menu->addSeparator();
  new ScreenCaptureCommands(window, *menu);
  return menu;
}

}  // namespace lumi::app
