#pragma once
// The capture window: it takes a snapshot of the whole screen when it opens and works
// on that picture, not on live content. In region mode it covers the screen with the
// snapshot and a red crosshair; the first click fixes one corner, the second the other.
// In window mode it is a tiny window titled "Capture" that holds the pointer, marks the
// top-level window under it with a red frame every 100 ms, and takes that window at the
// first click. Escape cancels. OK leaves the part of the snapshot that lies on the
// screen; an empty part turns OK into Cancel.
#include <QDialog>
#include <QImage>
#include <QPoint>
#include <optional>

#include "base/geometry.h"

class QTimer;

namespace lumi::app {

class CaptureMarkFrame;

class ScreenCaptureWindow : public QDialog {
  Q_OBJECT
 public:
  enum class Mode { Region, Window };
  explicit ScreenCaptureWindow(Mode mode, QWidget* parent = nullptr);
  ~ScreenCaptureWindow() override;

  Mode CaptureMode() const { return mode_; }
  const QImage& Snapshot() const { return snapshot_; }
  // After OK: the captured part of the snapshot (32-bit RGB).
  const QImage& Result() const { return result_; }
  // The area captured, in screen pixels, after OK.
  std::optional<Rect> CapturedArea() const { return area_; }
  // Window mode: the rectangle of the window marked now.
  std::optional<QRect> MarkedWindow() const { return marked_; }
  // Window mode's tick: marks the top-level window at this screen point.
  void MarkWindowAt(QPoint global);
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  // The rectangle between the corners (region) or the marked window becomes the result.
  void Finish();
  // This program's windows that the window search looks through.
  std::vector<unsigned long> OwnWindows() const;

  Mode mode_;
  QImage snapshot_;
  QImage result_;
  std::optional<Rect> area_;
  QPoint corner1_;
  QPoint corner2_;
  bool first_click_ = false;
  std::optional<QRect> marked_;
  CaptureMarkFrame* mark_ = nullptr;
  QTimer* timer_ = nullptr;
};

}  // namespace lumi::app
