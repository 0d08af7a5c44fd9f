#pragma once
// The "Object Library" panel: the group list (sub-folders of Objects) above the entries
// of the chosen group as pictures, three a row. A double click inserts an entry, a drag
// carries it onto the view; the context menu adds the selection ("Add to Library"),
// overwrites the selected entry ("Replace") and removes it ("Remove from Library").
#include <QDockWidget>

#include <filesystem>
#include <optional>
#include <string>

namespace lumi {
class Settings;
}

class QAction;
class QComboBox;
class QMenu;

namespace lumi::app {

class LibraryPictureGrid;
class LibraryViewLink;

class ObjectLibraryPanel : public QDockWidget {
  Q_OBJECT
 public:
  // Sections "ObLib" ("Status", "Top", "Left") and "Objects" ("Current", the group).
  ObjectLibraryPanel(std::string objects_folder, LibraryViewLink& view, Settings& settings,
                     QWidget* parent = nullptr);
  ~ObjectLibraryPanel() override;

  LibraryPictureGrid* Grid() const { return grid_; }
  QComboBox* Groups() const { return groups_; }
  QMenu* ContextMenu() const { return menu_; }
  // The folder the entries are in: the chosen group's, or Objects itself without groups.
  std::filesystem::path GroupFolder() const { return group_folder_; }
  // The selected entry's path without extension, or empty when no cell is selected.
  std::string SelectedEntryPath() const;

  void Refill();
  void ObjectAdded();
  void AddToLibrary();
  void Replace();
  void RemoveFromLibrary();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ChooseGroup(const std::optional<std::string>& group);

  std::string objects_folder_;
  std::filesystem::path group_folder_;
  LibraryViewLink& view_;
  Settings& settings_;
  QComboBox* groups_ = nullptr;
  LibraryPictureGrid* grid_ = nullptr;
  QMenu* menu_ = nullptr;
  QAction* add_ = nullptr;
  QAction* replace_ = nullptr;
};

}  // namespace lumi::app
