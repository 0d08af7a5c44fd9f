#include "export_preview.h"
#include "qt_convert.h"

#include <cstring>

#include <QMouseEvent>
#include <QPainter>

namespace lumi::app {

QRect PreviewCell(QSize window, int column, int row) {
  const int w = window.width() / 20, h = window.height() / 20;
  return {column * w, row * h, w, h};
}

QRgb PreviewCellColour(int column, int row) {
  return (column + row) % 2 == 0 ? kPreviewLight : kPreviewDark;
}

QPoint CentredImageOrigin(QSize window, QSize image) {
  return {window.width() / 2 - image.width() / 2, window.height() / 2 - image.height() / 2};
}

QPoint DraggedImageOrigin(QPoint origin, QPoint from, QPoint to) { return origin + (to - from); }

void PaintExportPreview(QPainter& painter, QSize window, const QImage& image, QPoint origin) {
  painter.fillRect(QRect(QPoint(0, 0), window), QColor::fromRgb(kPreviewField));
  for (int row = 0; row < kPreviewCells; ++row)
    for (int column = 0; column < kPreviewCells; ++column)
      painter.fillRect(PreviewCell(window, column, row),
                       QColor::fromRgb(PreviewCellColour(column, row)));
  if (!image.isNull()) painter.drawImage(origin, image);
}

CExportPreview::CExportPreview(QWidget* parent) : QWidget(parent) {
  // Every pixel is painted, so Qt need not clear the background first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CExportPreview::SetImage(const RgbImage& image) {
  image_ = ToQImage(image);
  origin_ = CentredImageOrigin(size(), image_.size());
  update();
}

void CExportPreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintExportPreview(painter, size(), image_, origin_);
}

void CExportPreview::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  // Qt sends every move to this widget while a button is held, like a captured mouse.
  dragging_ = true;
  last_mouse_ = event->position().toPoint();
}

void CExportPreview::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const QPoint mouse = event->position().toPoint();
  origin_ = DraggedImageOrigin(origin_, last_mouse_, mouse);
  last_mouse_ = mouse;
  update();
}

void CExportPreview::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragging_ = false;
}

}  // namespace lumi::app
