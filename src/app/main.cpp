#include <QApplication>
#include <QFileInfo>

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
  // Until projects open, the window starts with the bundled sample drawing.
  const QString sample = QString::fromStdString(folders.samples) + QStringLiteral("welcome.json");
  if (QFileInfo::exists(sample)) window.ShowScene(sample);

  window.showMaximized();
  host.SetStatusBar(window.statusBar());
  return app.exec();
}
