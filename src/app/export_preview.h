#pragma once
// The picture area of the Export dialog: the last preview at 1:1, centred over a grey
// checkerboard, and movable with the left mouse button so any part of a large picture
// can be inspected.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

#include "image/pixwerk.h"

class QPainter;

namespace lumi::app {

// The checkerboard: 22 x 22 cells, each a twentieth of the window in each direction (so
// the board reaches past the window's right and bottom edges), on a mid-grey field.
inline constexpr int kPreviewCells = 22;
inline constexpr QRgb kPreviewField = 0xFFC0C0C0;  // (192, 192, 192)
inline constexpr QRgb kPreviewLight = 0xFFF0F0F0;  // (240, 240, 240)
inline constexpr QRgb kPreviewDark = 0xFFC8C8C8;   // (200, 200, 200)

// Cell (column, row) of the board in a window of `window` size; the top-left cell is light.
QRect PreviewCell(QSize window, int column, int row);
QRgb PreviewCellColour(int column, int row);
// Where a picture of `image` size starts so that it sits in the window's middle.
QPoint CentredImageOrigin(QSize window, QSize image);
// The picture's top-left after the mouse moved from `from` to `to` while dragging it.
QPoint DraggedImageOrigin(QPoint origin, QPoint from, QPoint to);

// Paints the whole preview area: field, board and the picture at `origin`.
void PaintExportPreview(QPainter& painter, QSize window, const QImage& image, QPoint origin);

class CExportPreview : public QWidget {
  Q_OBJECT
 public:
  explicit CExportPreview(QWidget* parent = nullptr);

  // Shows a new preview, centred.
  void SetImage(const RgbImage& image);
  const QImage& Image() const { return image_; }
  QPoint ImageOrigin() const { return origin_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage image_;
  QPoint origin_;
  bool dragging_ = false;
  QPoint last_mouse_;
};

}  // namespace lumi::app
