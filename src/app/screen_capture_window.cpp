#include "screen_capture_window.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QTimer>

#include "edit/capture_result.h"
#include "x11_windows.h"

namespace lumi::app {

// The red frame round the marked window: a borderless window whose shape is the ring
// itself, so the window inside stays visible and clickable. The snapshot was taken
// before it ever showed.
class CaptureMarkFrame : public QWidget {
 public:
  static constexpr int kThickness = 3;
  CaptureMarkFrame()
      : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                             Qt::WindowTransparentForInput | Qt::X11BypassWindowManagerHint) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::red);
    setPalette(p);
    setAutoFillBackground(true);
  }
  void Mark(const QRect& window) {
    // From one pixel outside the window, drawn inside that outline.
    const QRect outline = window.adjusted(-1, -1, 1, 1);
    setGeometry(outline);
    const QRect local(QPoint(0, 0), outline.size());
    setMask(QRegion(local).subtracted(QRegion(local.adjusted(kThickness, kThickness, -kThickness, -kThickness))));
    show();
  }
};

ScreenCaptureWindow::ScreenCaptureWindow(Mode mode, QWidget* parent) : QDialog(parent), mode_(mode) {
  // Whatever was about to be drawn (a closing menu, a minimised window) goes first.
  QCoreApplication::processEvents();
  QScreen* screen = QGuiApplication::primaryScreen();
  snapshot_ = screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
  if (mode_ == Mode::Region) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setGeometry(screen->geometry());
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    // The snapshot covers every pixel.
    setAttribute(Qt::WA_OpaquePaintEvent);
  } else {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowTitle(QStringLiteral("Capture"));
    setGeometry(0, 0, 1, 1);
    mark_ = new CaptureMarkFrame;
    timer_ = new QTimer(this);
    timer_->setInterval(100);
    connect(timer_, &QTimer::timeout, this, [this] { MarkWindowAt(QCursor::pos()); });
  }
}

ScreenCaptureWindow::~ScreenCaptureWindow() { delete mark_; }

void ScreenCaptureWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (mode_ == Mode::Region) {
    setWindowState(windowState() | Qt::WindowFullScreen);
  } else {
    // The clicks on other programs' windows come here.
    grabMouse(Qt::CrossCursor);
    grabKeyboard();
    timer_->start();
  }
}

std::vector<unsigned long> ScreenCaptureWindow::OwnWindows() const {
  std::vector<unsigned long> own{static_cast<unsigned long>(winId())};
  if (mark_ && mark_->isVisible()) own.push_back(static_cast<unsigned long>(mark_->winId()));
  return own;
}

void ScreenCaptureWindow::MarkWindowAt(QPoint global) {
  const std::optional<QRect> window = TopLevelWindowAt(global, OwnWindows());
  if (!window || window == marked_) return;
  marked_ = window;
  mark_->Mark(*window);
}

void ScreenCaptureWindow::done(int result) {
  if (timer_) timer_->stop();
  if (mark_) mark_->hide();
  QDialog::done(result);
}

void ScreenCaptureWindow::paintEvent(QPaintEvent*) {
  if (mode_ != Mode::Region) return;
  QPainter painter(this);
  painter.drawImage(0, 0, snapshot_);
  // Not-XOR lines: visible over any picture.
  painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
  painter.setPen(QPen(Qt::red, 1));
  const auto crosshair = [&](QPoint p) {
    painter.drawLine(0, p.y(), width(), p.y());
    painter.drawLine(p.x(), 0, p.x(), height());
  };
  crosshair(corner1_);
  if (first_click_) crosshair(corner2_);
}

void ScreenCaptureWindow::mouseMoveEvent(QMouseEvent* event) {
  if (mode_ != Mode::Region) return;
  (first_click_ ? corner2_ : corner1_) = event->position().toPoint();
  update();
}

void ScreenCaptureWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (mode_ == Mode::Window) {
    releaseMouse();
    releaseKeyboard();
    Finish();
    return;
  }
  const QPoint p = event->position().toPoint();
  if (!first_click_) {
    corner1_ = p;
    corner2_ = p;
    first_click_ = true;
    update();
    return;
  }
  corner2_ = p;
  Finish();
}

void ScreenCaptureWindow::Finish() {
  Point first{corner1_.x(), corner1_.y()}, second{corner2_.x(), corner2_.y()};
  if (mode_ == Mode::Window) {
    if (!marked_) {
      reject();
      return;
    }
    first = {marked_->left(), marked_->top()};
    second = {marked_->left() + marked_->width(), marked_->top() + marked_->height()};
  }
  area_ = CaptureArea(first, second, snapshot_.width(), snapshot_.height());
  if (!area_) {
    reject();
    return;
  }
  result_ = snapshot_.copy(area_->left, area_->top, area_->right - area_->left, area_->bottom - area_->top);
  accept();
}

}  // namespace lumi::app
