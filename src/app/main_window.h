#pragma once
#include <QMainWindow>

namespace lumi::app {

// The program's one main window.
class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(QWidget* parent = nullptr);
};

}  // namespace lumi::app
