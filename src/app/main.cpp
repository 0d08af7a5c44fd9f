#include <memory>

#include <QApplication>
#include <QIcon>
#include <QStringList>

#include "app_services.h"
#include "frame/splash.h"
#include "main_window.h"
#include "qt_host.h"
#include "qt_settings.h"
#include "startup.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Plenivor"));
  QApplication::setApplicationName(QStringLiteral("Lumiverdant"));
  // The installed theme icon; run from the source tree, the one beside the data.
  QApplication::setWindowIcon(QIcon::fromTheme(
      QStringLiteral("lumiverdant"), QIcon(lumi::app::InstalledDataFolder() + QStringLiteral("/lumiverdant.svg"))));

  // Start-up problems are told before there is a main window.
  lumi::app::QtHost startup_host;
  lumi::FolderSet folders = lumi::app::PrepareDataFolder(startup_host);
  lumi::app::PublishFolders(folders, startup_host);
  lumi::app::AppServices services(std::make_unique<lumi::app::QtSettings>(), std::move(folders));

  // The program always starts with a new document; a file named on the command line is
  // opened once start-up has finished.
  lumi::app::MainWindow window(services);
  window.showMaximized();
  new lumi::app::Splash(&window);  // owned by the window; closes itself
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) window.OpenAfterStartUp(arguments.at(1));
  return app.exec();
}
