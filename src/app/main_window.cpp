#include "main_window.h"

#include <exception>

#include <QAction>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "document/scene.h"
#include "edit/scene_view_document.h"
#include "edit/zoom_combo.h"
#include "plenivor_view.h"
#include "qt_host.h"

namespace lumi::app {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("Untitled - Lumiverdant"));
  resize(1024, 768);
  host_ = std::make_unique<QtHost>(this, statusBar());
  // The second pane shows the cursor position on the canvas.
  auto* cursor_pane = new QLabel(this);
  cursor_pane->setObjectName(QStringLiteral("pane1"));
  cursor_pane->setMinimumWidth(220);
  statusBar()->addPermanentWidget(cursor_pane);

  // A new document: a white 400 x 300 canvas without objects.
  document_ = std::make_unique<SceneViewDocument>(Scene{});
  view_ = new CPlenivorView(*host_, this);
  setCentralWidget(view_);
  view_->SetDocument(document_.get());
  CreateBars();
}

MainWindow::~MainWindow() = default;

void MainWindow::CreateBars() {
  QToolBar* main_bar = addToolBar(QStringLiteral("Main"));
  main_bar->setObjectName(QStringLiteral("MainToolBar"));
  zoom_list_ = new QComboBox(main_bar);
  for (std::string_view entry : kZoomComboEntries)
    zoom_list_->addItem(QString::fromUtf8(entry.data(), static_cast<int>(entry.size())));
  zoom_list_->setCurrentIndex(kZoomEntryOriginal);
  main_bar->addWidget(zoom_list_);
  connect(zoom_list_, &QComboBox::activated, view_, &CPlenivorView::chooseZoomEntry);
  connect(view_, &CPlenivorView::zoomEntryChanged, zoom_list_, [this](int index) {
    const QSignalBlocker block(zoom_list_);
    zoom_list_->setCurrentIndex(index);
  });

  QMenu* view_menu = menuBar()->addMenu(QStringLiteral("&View"));
  QAction* zoom_in = view_menu->addAction(QStringLiteral("Zoom &In"), view_, &CPlenivorView::zoomIn);
  zoom_in->setShortcut(QKeySequence::ZoomIn);
  QAction* zoom_out =
      view_menu->addAction(QStringLiteral("Zoom &Out"), view_, &CPlenivorView::zoomOut);
  zoom_out->setShortcut(QKeySequence::ZoomOut);
  view_menu->addAction(QStringLiteral("Original Size"), view_, &CPlenivorView::originalSize);
  view_menu->addSeparator();
  QAction* matte = view_menu->addAction(QStringLiteral("Mate Canvas Borders"), view_,
                                        &CPlenivorView::toggleMatte);
  matte->setCheckable(true);
}

bool MainWindow::ShowScene(const QString& path) {
  try {
    Scene scene = ReadSceneFile(path.toStdString(), *host_, nullptr);
    auto document = std::make_unique<SceneViewDocument>(std::move(scene));
    view_->SetDocument(document.get());
    document_ = std::move(document);
    return true;
  } catch (const std::exception& e) {
    host_->Message(e.what(), MessageKind::Warning);
    return false;
  }
}

}  // namespace lumi::app
