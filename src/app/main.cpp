#include <QApplication>

#include "main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Plenivor"));
  QApplication::setApplicationName(QStringLiteral("Lumiverdant"));
  lumi::app::MainWindow window;
  window.showMaximized();
  return app.exec();
}
