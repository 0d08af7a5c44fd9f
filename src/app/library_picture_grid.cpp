#include "library_picture_grid.h"

#include <QContextMenuEvent>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

#include "image/pixwerk.h"
#include "qt_convert.h"

namespace lumi::app {

namespace {

constexpr int kCell = 50;

QImage PictureImage(const std::filesystem::path& path) {
  const std::optional<RgbImage> rgb = PxLoadBMP(path);
  if (!rgb) return {};
  return ToQImage(*rgb);
}

}  // namespace

LibraryPictureGrid::LibraryPictureGrid(QWidget* parent) : QWidget(parent) {
  setFixedWidth(3 * kCell);
  setFocusPolicy(Qt::StrongFocus);
}

QSize LibraryPictureGrid::sizeHint() const { return {3 * kCell, std::max(1, Rows()) * kCell}; }

void LibraryPictureGrid::Refill(const NumberedEntries& entries) {
  entries_ = entries;
  pictures_.clear();
  const int count = entries_.Count();
  for (int n = 1; n <= count; ++n) pictures_.push_back(PictureImage(entries_.Picture(n)));
  if (row_ >= Rows()) row_ = -1;
  setFixedHeight(std::max(1, Rows()) * kCell);
  update();
}

void LibraryPictureGrid::Select(int row, int column) {
  row_ = row;
  column_ = column;
  update();
}

int LibraryPictureGrid::SelectedEntry() const {
  return row_ < 0 || column_ < 0 ? 0 : LibraryCellEntry(row_, column_);
}

void LibraryPictureGrid::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  for (int i = 0; i < Count(); ++i) {
    const QImage& picture = pictures_[static_cast<std::size_t>(i)];
    if (!picture.isNull()) painter.drawImage(QRect((i % 3) * kCell, (i / 3) * kCell, kCell, kCell), picture);
  }
  if (row_ >= 0 && column_ >= 0) {
    painter.setPen(QColor(0, 0, 255));
    painter.drawRect(column_ * kCell, row_ * kCell, kCell - 1, kCell - 1);
  }
}

void LibraryPictureGrid::SelectAt(QPoint p) {
  const int row = p.y() / kCell;
  const int column = std::min(2, std::max(0, p.x() / kCell));
  Select(row < Rows() ? row : -1, column);
}

void LibraryPictureGrid::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (event->button() == Qt::LeftButton) {
    drag_entry_ = SelectedEntry();
    press_ = p;
    SelectAt(p);
    if (row_ >= 0) emit cellClicked(LibraryCellEntry(row_, column_));
  } else if (event->button() == Qt::RightButton) {
    SelectAt(p);
    emit contextMenuWanted(mapToGlobal(p));
  }
}

void LibraryPictureGrid::mouseMoveEvent(QMouseEvent* event) {
  if (!drag_enabled_ || !(event->buttons() & Qt::LeftButton) || drag_entry_ < 1 ||
      drag_entry_ > Count()) {
    return;
  }
  const QPoint d = event->position().toPoint() - press_;
  if (std::abs(d.x()) <= 5 && std::abs(d.y()) <= 5) return;  // a 10 x 10 square round the press
  auto* data = new QMimeData;
  data->setText(QString::fromStdString(entries_.MainFile(drag_entry_).string()));
  auto* drag = new QDrag(this);
  drag->setMimeData(data);
  const QImage& picture = pictures_[static_cast<std::size_t>(drag_entry_ - 1)];
  if (!picture.isNull()) drag->setPixmap(QPixmap::fromImage(picture));
  drag_entry_ = 0;
  drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

void LibraryPictureGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  SelectAt(event->position().toPoint());
  if (row_ >= 0) emit cellDoubleClicked(LibraryCellEntry(row_, column_));
}

void LibraryPictureGrid::contextMenuEvent(QContextMenuEvent* event) {
  // The mouse asks through its press; the keyboard gets the menu near the top-left.
  if (event->reason() == QContextMenuEvent::Keyboard) emit contextMenuWanted(mapToGlobal(QPoint(5, 5)));
}

}  // namespace lumi::app
