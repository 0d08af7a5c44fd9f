#include "screen_capture_command.h"

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <cstring>

#include "base/host.h"
#include "edit/capture_result.h"
#include "edit/drawing_view.h"
#include "edit/tool_machine.h"
#include "image/pixwerk.h"
#include "main_window.h"
#include "plenivor_view.h"
#include "x11_windows.h"

namespace lumi::app {

namespace {

RgbImage ToRgb(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  RgbImage out{rgb.width(), rgb.height(), {}};
  out.pixels.resize(static_cast<std::size_t>(rgb.width()) * rgb.height() * 3);
  for (int y = 0; y < rgb.height(); ++y)
    std::memcpy(out.pixels.data() + static_cast<std::size_t>(y) * rgb.width() * 3, rgb.constScanLine(y),
                static_cast<std::size_t>(rgb.width()) * 3);
  return out;
}

}  // namespace

ScreenCaptureCommands::ScreenCaptureCommands(MainWindow& window, QMenu& menu) : QObject(&window), window_(window) {
  region_ = menu.addAction(QStringLiteral("Capture Region of the Screen"), this,
                           [this] { Start(ScreenCaptureWindow::Mode::Region); });
  region_->setObjectName(QStringLiteral("captureRegionAction"));
  window_action_ = menu.addAction(QStringLiteral("Capture Window"), this,
                                  [this] { Start(ScreenCaptureWindow::Mode::Window); });
  window_action_->setObjectName(QStringLiteral("captureWindowAction"));
  minimise_ = menu.addAction(QStringLiteral("Minimize Lumiverdant before Capture"));
  minimise_->setObjectName(QStringLiteral("minimiseBeforeCaptureAction"));
  minimise_->setCheckable(true);
  minimise_->setChecked(true);
  ApplyTips();
}

void ScreenCaptureCommands::ApplyTips() {
  const QString unavailable = ScreenCaptureUnavailableReason();
  const auto tip = [](QAction* action, const QString& text, const QString& status) {
    action->setToolTip(text);
    action->setStatusTip(status);
    // The toolbar buttons are named as their tooltips say.
    for (QObject* user : action->associatedObjects()) {
      auto* button = qobject_cast<QWidget*>(user);
      if (button && !qobject_cast<QMenu*>(button)) button->setAccessibleName(text);
    }
  };
  for (auto [action, name] : {std::pair{region_, QStringLiteral("Capture Region")},
                              std::pair{window_action_, QStringLiteral("Capture Window")}}) {
    action->setEnabled(unavailable.isEmpty());
    if (unavailable.isEmpty()) {
      tip(action, name, name);
    } else {
      tip(action, name + QStringLiteral(": ") + unavailable, unavailable);
    }
  }
  tip(minimise_, QStringLiteral("Minimize before Screen Capture"), QStringLiteral("Minimize before Screen Capture"));
}

void ScreenCaptureCommands::Start(ScreenCaptureWindow::Mode mode) {
  const QString unavailable = ScreenCaptureUnavailableReason();
  if (!unavailable.isEmpty()) {
    window_.GetHost().StatusText(0, unavailable.toStdString());
    return;
  }
  if (pending_) return;
  pending_ = true;
  restore_.reset();
  if (minimise_->isChecked()) {
    restore_ = window_.windowState();
    window_.showMinimized();
  }
  // Time for the minimised window to leave the screen before the snapshot.
  QTimer::singleShot(kDelayMs, this, [this, mode] { Capture(mode); });
}

void ScreenCaptureCommands::Capture(ScreenCaptureWindow::Mode mode) {
  pending_ = false;
  {
    ScreenCaptureWindow capture(mode);
    if (capture.exec() == QDialog::Accepted) {
      CPlenivorView& view = *window_.View();
      const Rect visible = view.View().Zoom().VisibleCanvasRect();
      const Point centre{(visible.left + visible.right) / 2, (visible.top + visible.bottom) / 2};
      if (AddCapturedBitmap(*view.Tools(), ToRgb(capture.Result()), centre)) {
        view.viewport()->update();
        window_.UpdateUndoActions();
      }
    }
  }
  if (restore_) {
    window_.setWindowState(*restore_ & ~Qt::WindowMinimized);
    window_.show();
    window_.activateWindow();
  }
}

}  // namespace lumi::app
