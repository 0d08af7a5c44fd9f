#pragma once
// The drawing view's window: a scroll area that hands its size, scroll bars and mouse to
// the core view and paints the composite the core view returns.
#include <QAbstractScrollArea>
#include <QImage>

#include "edit/drawing_view.h"

namespace lumi {
class Host;
class ViewDocument;
}  // namespace lumi

namespace lumi::app {

class CPlenivorView : public QAbstractScrollArea, private ViewSurface {
  Q_OBJECT
 public:
  explicit CPlenivorView(Host& host, QWidget* parent = nullptr);

  // Shows `document` (kept by the caller for as long as it is shown).
  void SetDocument(const ViewDocument* document);
  DrawingView& View() { return view_; }
  const DrawingView& View() const { return view_; }

 public slots:
  void chooseZoomEntry(int index);
  void zoomIn();
  void zoomOut();
  void originalSize();
  void toggleMatte();

 signals:
  // The zoom list should show entry `index`.
  void zoomEntryChanged(int index);
  // An object-library entry (its file path as text) was dropped at a canvas point.
  void libraryEntryDropped(const QString& path, QPoint canvas);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // What the core view asks of the window.
  void InvalidateAll() override;
  void InvalidateDeviceRect(const Rect& device) override;
  void ScrollGeometryChanged() override;
  void ShowZoomEntry(int index) override;

  void EndScroll();
  // The composed canvas-resolution bitmap as an image Qt can stretch.
  const QImage& CanvasImage(const CDIBSection& bitmap, const Rect& source);

  DrawingView view_;
  bool shown_ = false;
  bool syncing_bars_ = false;
  QImage canvas_image_;
  QImage frame_;
};

}  // namespace lumi::app
