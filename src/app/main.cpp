#include <memory>

#include <QApplication>
#include <QIcon>
#include <QStringList>
#include <QTimer>

#include "app_services.h"
#include "crash_recovery.h"
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
  // A run that did not close normally left its mark: its backup is offered once the
  // window is up, and this run marks itself.
  lumi::app::CrashRecovery recovery(services.Folders());
  lumi::app::MainWindow window(services);
  window.SetRunMark(&recovery.Mark());
  window.showMaximized();
  // The recovery question waits for the splash, which takes the first key or click.
  auto* splash = new lumi::app::Splash(&window);  // owned by the window; closes itself
  QObject::connect(splash, &lumi::app::Splash::closed, &window,
                   [&] { QTimer::singleShot(0, &window, [&] { recovery.OfferTo(window); }); });
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) window.OpenAfterStartUp(arguments.at(1));
  return app.exec();
}
