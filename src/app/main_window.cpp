#include "main_window.h"

namespace lumi::app {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("Untitled - Lumiverdant"));
  resize(1024, 768);
}

}  // namespace lumi::app
