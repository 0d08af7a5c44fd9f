#include "frame/main_frame.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include "base/settings.h"
#include "frame/dock_layout.h"
#include "frame/layers_dock.h"
#include "frame/status_panes.h"
#include "frame/view_toggles.h"

namespace lumi::app {

MainFrame::MainFrame(QMainWindow& window, Settings& settings, QComboBox* zoom_list,
                     std::function<ObjectList*()> objects)
    : QObject(&window), window_(window), settings_(settings) {
  toggles_ = new ViewToggles(&window, settings);
  toolbars_ = CreateMainToolbars(window, zoom_list, *toggles_);

  // The Quick Tools bar sits on the main toolbar's row, after it.
  quick_tools_ = new QToolBar(QStringLiteral("Quick Tools"), &window);
  quick_tools_->setObjectName(QStringLiteral("QuickToolsBar"));
  quick_tools_->addWidget(MakeEmptyBarMark(QStringLiteral("Quick Tools"), quick_tools_));
  window.addToolBar(Qt::TopToolBarArea, quick_tools_);

  toggles_->Bind(kViewToolbar, toolbars_.main);
  toggles_->Bind(kViewStatusBar, window.statusBar());
  toggles_->Bind(kViewTools, toolbars_.tools);
  toggles_->Bind(kViewQuickTools, quick_tools_);
  toggles_->Bind(kViewObjectTools, toolbars_.object_tools);
  toggles_->Bind(kViewScreenCapture, toolbars_.screen_capture);

  docks_ = new DockLayout(window, settings, *toggles_);

  multimedia_ = new QDockWidget(QStringLiteral("Multimedia Extension"), &window);
  multimedia_->setObjectName(QStringLiteral("MMExt"));
  multimedia_->setWidget(MakeEmptyBarMark(QStringLiteral("Multimedia Extension"), multimedia_));
  docks_->AddPanel(kViewMultimedia, multimedia_, QString());
  multimedia_->move(200, 120);  // beside the Layers panel's default place, not over the menu

  layers_ = new LayersDock(settings, std::move(objects), &window);
  const QScreen* screen = window.screen();
  layers_->PlaceFromSettings(screen ? screen->geometry() : QRect(0, 0, 1024, 768),
                             window.style()->pixelMetric(QStyle::PM_LargeIconSize));
  docks_->AddPanel(kViewLayers, layers_, QStringLiteral("Layers"));
  layers_->SetPanelVisible(!layers_->isHidden());
  connect(toggles_, &ViewToggles::toggled, this, [this](int id, bool visible) {
    if (id == kViewLayers) layers_->SetPanelVisible(visible);
  });
  layers_->Rebuild();

  panes_ = new StatusPanes(window.statusBar());
  view_menu_ = FindOrAddViewMenu();
  view_menu_->addSeparator();
  toggles_->AddToMenu(view_menu_);
  // Panels attached while the window is being built are in place before the saved
  // layout is applied.
  QTimer::singleShot(0, this, &MainFrame::RestoreLayout);
}

QMenu* MainFrame::FindOrAddViewMenu() {
  for (QAction* action : window_.menuBar()->actions())
    if (action->menu() && action->text().remove(u'&') == QStringLiteral("View")) return action->menu();
  return window_.menuBar()->addMenu(QStringLiteral("&View"));
}

void MainFrame::AttachPanel(int view_id, QDockWidget* panel, const QString& section,
                            bool shown_by_default) {
  docks_->AddPanel(view_id, panel, section, shown_by_default);
}

void MainFrame::SetAttributeBarContent(AttributeBar which, QWidget* content) {
  docks_->SetAttributeBarContent(which, content);
}

void MainFrame::ShowStatusText(int pane, const QString& text) {
  QStatusBar* status = window_.statusBar();
  if (pane == 0) {
    status->showMessage(text);
  } else {
    for (QWidget* w : status->findChildren<QWidget*>(QStringLiteral("pane%1").arg(pane)))
      w->setProperty("text", text);
  }
  status->repaint();
}

void MainFrame::ShowMultimediaExtension() {
  multimedia_->show();
  multimedia_->raise();
  toggles_->RefreshChecks();
}

void MainFrame::SaveOnClose() {
  layers_->SavePlace();
  docks_->SaveLayout();
}

void MainFrame::RestoreLayout() { docks_->RestoreLayout(); }

}  // namespace lumi::app
