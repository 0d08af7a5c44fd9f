#pragma once
// The "Style Library" panel: the styles of the Styles folder as pictures, three a row.
// A click applies a style through the view; the context menu adds the current object's
// look ("Add to Styles") and removes the selected style ("Remove from Styles").
#include <QDockWidget>

#include <filesystem>

namespace lumi {
class Settings;
}

class QMenu;
class QAction;

namespace lumi::app {

class LibraryPictureGrid;
class LibraryViewLink;

class StyleLibraryPanel : public QDockWidget {
  Q_OBJECT
 public:
  // Section "Style": "Status" (shown, default 1), "Top" and "Left" (its floating place).
  StyleLibraryPanel(std::filesystem::path folder, LibraryViewLink& view, Settings& settings,
                    QWidget* parent = nullptr);
  ~StyleLibraryPanel() override;

  LibraryPictureGrid* Grid() const { return grid_; }
  QMenu* ContextMenu() const { return menu_; }
  void Refill();
  // After "Add to Styles": refill, the last row selected with no column.
  void StyleAdded();
  // The commands of the context menu.
  void AddToStyles();
  void RemoveFromStyles();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::filesystem::path folder_;
  LibraryViewLink& view_;
  Settings& settings_;
  LibraryPictureGrid* grid_ = nullptr;
  QMenu* menu_ = nullptr;
  QAction* add_ = nullptr;
};

}  // namespace lumi::app
