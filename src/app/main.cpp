#include <QApplication>

#include "main_window.h"
#include "qt_host.h"
#include "startup.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Plenivor"));
  QApplication::setApplicationName(QStringLiteral("Lumiverdant"));

  lumi::app::MainWindow window;
  lumi::app::QtHost host(&window);
  const lumi::FolderSet folders = lumi::app::PrepareDataFolder(host);
  lumi::app::PublishFolders(folders, host);

  window.showMaximized();
  host.SetStatusBar(window.statusBar());
  return app.exec();
}
