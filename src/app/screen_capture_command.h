#pragma once
// "Capture Region of the Screen", "Capture Window" and the toggle "Minimize Lumiverdant
// before Capture": the window minimises when asked, waits 700 ms for it to disappear,
// runs the capture window, adds the picture as a bitmap object centred on the visible
// canvas and comes back. Where the session cannot capture (no X11), both commands are
// disabled and say why in their tooltip and in the status bar.
#include <QObject>
#include <optional>

#include "screen_capture_window.h"

class QAction;
class QMenu;

namespace lumi::app {

class MainWindow;

class ScreenCaptureCommands : public QObject {
  Q_OBJECT
 public:
  static constexpr int kDelayMs = 700;
  ScreenCaptureCommands(MainWindow& window, QMenu& menu);

  QAction* RegionAction() const { return region_; }
  QAction* WindowAction() const { return window_action_; }
  QAction* MinimiseAction() const { return minimise_; }
  // The tooltips the toolbar buttons show (set again once the toolbars exist).
  void ApplyTips();
  void Start(ScreenCaptureWindow::Mode mode);

 private:
  void Capture(ScreenCaptureWindow::Mode mode);

  MainWindow& window_;
  QAction* region_;
  QAction* window_action_;
  QAction* minimise_;
  bool pending_ = false;
  // The window's state before it was minimised, given back afterwards.
  std::optional<Qt::WindowStates> restore_;
};

}  // namespace lumi::app
