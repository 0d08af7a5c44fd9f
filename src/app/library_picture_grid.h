#pragma once
// The picture list of the style and object libraries: rows of three 50 x 50 pictures
// read from the entries' .tmb files, the selected cell framed in blue. A left press
// picks the cell, a right press picks it and asks for the context menu, a double click
// activates it, and (when dragging is on) a drag carries the entry's file path as text.
#include <QImage>
#include <QPoint>
#include <QWidget>

#include <vector>

#include "library/numbered_entries.h"

namespace lumi::app {

class LibraryPictureGrid : public QWidget {
  Q_OBJECT
 public:
  explicit LibraryPictureGrid(QWidget* parent = nullptr);

  // Reads the entries and their pictures again; the selection is kept when it still
  // exists.
  void Refill(const NumberedEntries& entries);
  const NumberedEntries& Entries() const { return entries_; }
  int Count() const { return static_cast<int>(pictures_.size()); }
  int Rows() const { return LibraryRowCount(Count()); }

  int SelectedRow() const { return row_; }
  int SelectedColumn() const { return column_; }
  void Select(int row, int column);
  // The entry of the selected cell, or 0 when no row or column is selected.
  int SelectedEntry() const;
  // Lets a left drag out of the grid carry the selected entry's main file path as text.
  void SetDragEnabled(bool enabled) { drag_enabled_ = enabled; }

  QSize sizeHint() const override;

 signals:
  // A left press chose entry `entry` (3 row + column + 1, which may lie past the end).
  void cellClicked(int entry);
  void cellDoubleClicked(int entry);
  // A right press, or the menu key: the context menu at `global`.
  void contextMenuWanted(QPoint global);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void SelectAt(QPoint p);

  NumberedEntries entries_;
  std::vector<QImage> pictures_;  // one per entry; null where the picture is missing
  int row_ = -1;
  int column_ = -1;
  bool drag_enabled_ = false;
  int drag_entry_ = 0;  // the entry selected before the press, dragged once it moves
  QPoint press_;
};

}  // namespace lumi::app
