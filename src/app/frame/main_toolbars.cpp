#include "frame/main_toolbars.h"

#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QWidgetAction>

#include "frame/command_text.h"
#include "frame/view_toggles.h"
#include "qt_convert.h"

namespace lumi::app {

namespace {

QAction* FindInMenu(const QList<QAction*>& actions, const QString& text) {
  for (QAction* action : actions) {
    if (QMenu* sub = action->menu()) {
      if (QAction* found = FindInMenu(sub->actions(), text)) return found;
    } else if (!action->isSeparator() && PlainCommandText(action->text()) == text) {
      return action;
    }
  }
  return nullptr;
}

// Every button tells assistive tools and the tooltip its command text.
void NameButtons(CToolBarEx& bar) {
  for (QAction* action : bar.actions()) {
    // Separators and the zoom list (a widget with its own name) are left alone.
    if (action->isSeparator() || qobject_cast<QWidgetAction*>(action)) continue;
    const QString text = PlainCommandText(action->text());
    // A key of its own (a tool's letter) follows the name: "Zoom (Z)".
    const QKeySequence key = action->shortcut();
    const bool plain_key = key.count() == 1 && key[0].keyboardModifiers() == Qt::NoModifier;
    action->setToolTip(plain_key ? text + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + QLatin1Char(')')
                                 : text);
    if (action->statusTip().isEmpty()) action->setStatusTip(text);
    if (QWidget* button = bar.widgetForAction(action)) button->setAccessibleName(text);
  }
}

CToolBarEx* MakeBar(QMainWindow& window, const ToolbarLayout& layout, const QString& object_name) {
  auto* bar = new CToolBarEx(ToQString(layout.title), &window);
  bar->setObjectName(object_name);
  bar->setIconSize(QSize(16, 15));
  return bar;
}

}  // namespace

QAction* FindMenuCommand(const QMainWindow& window, const ToolbarButton& button) {
  return FindInMenu(window.menuBar()->actions(), PlainCommandText(button.command));
}

MainToolbarSet CreateMainToolbars(QMainWindow& window, QComboBox* zoom_list, const ViewToggles& toggles) {
  const CToolBarEx::ActionFinder find = [&window, &toggles](const ToolbarButton& button) -> QAction* {
    if (QAction* toggle = toggles.Find(button.id)) return toggle;
    return FindMenuCommand(window, button);
  };
  const std::vector<ToolbarLayout>& layouts = MainToolbars();
  MainToolbarSet set;

  // The main toolbar: buttons 0..6, the zoom list where button 7 was, then 8 onwards.
  const ToolbarLayout& main = layouts[0];
  set.main = MakeBar(window, main, QStringLiteral("MainToolBar"));
  set.main->setWindowTitle(QStringLiteral("Toolbar"));
  constexpr std::size_t kZoomButton = 7;
  ToolbarLayout before{main.id, main.title, {main.buttons.begin(), main.buttons.begin() + kZoomButton}};
  ToolbarLayout after{main.id, main.title, {main.buttons.begin() + kZoomButton + 1, main.buttons.end()}};
  set.main->AddButtons(before, find);
  if (zoom_list) {
    zoom_list->setParent(set.main);
    zoom_list->setMinimumWidth(80);
    zoom_list->setAccessibleName(QStringLiteral("Zoom"));
    zoom_list->setToolTip(QStringLiteral("Zoom"));
    set.main->addWidget(zoom_list);
  }
  set.main->AddButtons(after, find);

  set.tools = MakeBar(window, layouts[1], QStringLiteral("ToolsBar"));
  set.tools->AddButtons(layouts[1], find);
  set.object_tools = MakeBar(window, layouts[2], QStringLiteral("ObjectToolsBar"));
  set.object_tools->AddButtons(layouts[2], find);
  set.screen_capture = MakeBar(window, layouts[3], QStringLiteral("ScreenCaptureBar"));
  set.screen_capture->AddButtons(layouts[3], find);

  for (CToolBarEx* bar : {set.main, set.tools, set.object_tools, set.screen_capture}) NameButtons(*bar);

  // The main toolbar and "Tools" dock anywhere; the other two only at the bottom.
  set.object_tools->setAllowedAreas(Qt::BottomToolBarArea);
  set.screen_capture->setAllowedAreas(Qt::BottomToolBarArea);
  window.addToolBar(Qt::TopToolBarArea, set.main);
  window.addToolBar(Qt::LeftToolBarArea, set.tools);
  window.addToolBar(Qt::BottomToolBarArea, set.object_tools);
  window.addToolBar(Qt::BottomToolBarArea, set.screen_capture);  // same row, after it
  return set;
}

}  // namespace lumi::app
