#include "object_library_panel.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QMenu>
#include <QScrollArea>
#include <QVBoxLayout>

#include "base/host.h"
#include "base/settings.h"
#include "collections/object_library.h"
#include "library_panel_place.h"
#include "library_picture_grid.h"
#include "library_view_link.h"

namespace lumi::app {

ObjectLibraryPanel::ObjectLibraryPanel(std::string objects_folder, LibraryViewLink& view,
                                       Settings& settings, QWidget* parent)
    : QDockWidget(QStringLiteral("Object Library"), parent),
      objects_folder_(std::move(objects_folder)),
      view_(view),
      settings_(settings) {
  setObjectName(QStringLiteral("objectLibraryPanel"));
  auto* body = new QWidget;
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(2, 2, 2, 2);
  groups_ = new QComboBox;
  layout->addWidget(groups_);
  grid_ = new LibraryPictureGrid;
  grid_->SetDragEnabled(true);
  auto* scroll = new QScrollArea;
  scroll->setWidget(grid_);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  scroll->setMinimumWidth(grid_->width() + 24);
  layout->addWidget(scroll, 1);
  setWidget(body);

  menu_ = new QMenu(this);
  add_ = menu_->addAction(QStringLiteral("Add to Library"), this, [this] { AddToLibrary(); });
  menu_->addSeparator();
  replace_ = menu_->addAction(QStringLiteral("Replace"), this, [this] { Replace(); });
  menu_->addAction(QStringLiteral("Remove from Library"), this, [this] { RemoveFromLibrary(); });
  connect(menu_, &QMenu::aboutToShow, this, [this] {
    const bool selection = !view_.SelectedObjects().empty();
    add_->setEnabled(selection);
    replace_->setEnabled(selection);
  });

  for (const std::string& name : ObjectGroupNames(objects_folder_)) {
    groups_->addItem(QString::fromStdString(name));
  }
  std::vector<std::string> names;
  for (int i = 0; i < groups_->count(); ++i) names.push_back(groups_->itemText(i).toStdString());
  const std::optional<std::string> group =
      ChooseObjectGroup(names, settings_.GetString("Objects", "Current", "xx"));
  if (group) groups_->setCurrentText(QString::fromStdString(*group));
  group_folder_ = ObjectGroupFolder(objects_folder_, group);
  connect(groups_, &QComboBox::activated, this,
          [this](int index) { ChooseGroup(groups_->itemText(index).toStdString()); });

  connect(grid_, &LibraryPictureGrid::cellDoubleClicked, this, [this](int entry) {
    view_.InsertLibraryEntry(ObjectEntries(group_folder_).MainFile(entry), std::nullopt);
  });
  connect(grid_, &LibraryPictureGrid::contextMenuWanted, this, [this](QPoint at) { menu_->popup(at); });
  connect(toggleViewAction(), &QAction::toggled, this,
          [this](bool shown) { settings_.SetInt("ObLib", "Status", shown ? 1 : 0); });

  RestorePanelPlace(*this, settings_, "ObLib", 320);
  Refill();
  setVisible(settings_.GetInt("ObLib", "Status", 1) != 0);
}

ObjectLibraryPanel::~ObjectLibraryPanel() {
  StorePanelPlace(*this, settings_, "ObLib");
  if (groups_->count() > 0) settings_.SetString("Objects", "Current", groups_->currentText().toStdString());
}

void ObjectLibraryPanel::closeEvent(QCloseEvent* event) {
  settings_.SetInt("ObLib", "Status", 0);
  QDockWidget::closeEvent(event);
}

void ObjectLibraryPanel::ChooseGroup(const std::optional<std::string>& group) {
  group_folder_ = ObjectGroupFolder(objects_folder_, group);
  grid_->Select(-1, -1);
  Refill();
}

std::string ObjectLibraryPanel::SelectedEntryPath() const {
  const int entry = grid_->SelectedEntry();
  if (entry == 0) return {};
  return (group_folder_ / ("Object" + std::to_string(entry))).string();
}

void ObjectLibraryPanel::Refill() { grid_->Refill(ObjectEntries(group_folder_)); }

void ObjectLibraryPanel::ObjectAdded() {
  Refill();
  grid_->Select(grid_->Rows() - 1, -1);
}

void ObjectLibraryPanel::AddToLibrary() {
  const std::vector<const CDrawObject*> objects = view_.SelectedObjects();
  if (objects.empty()) return;
  WaitCursor wait(view_.LinkHost());
  std::error_code ec;
  std::filesystem::create_directories(group_folder_, ec);
  if (AddObjectEntry(group_folder_, objects) > 0) ObjectAdded();
}

void ObjectLibraryPanel::Replace() {
  const std::vector<const CDrawObject*> objects = view_.SelectedObjects();
  if (objects.empty()) return;
  Host& host = view_.LinkHost();
  const int entry = grid_->SelectedEntry();
  // A cell past the last entry holds nothing to replace.
  if (entry == 0 || entry > grid_->Count()) {
    host.Message("First you have to select an object in the library", MessageKind::Warning);
    return;
  }
  const std::string name = ObjectEntries(group_folder_).FileName(entry);
  if (host.Ask("Do you want to replace the object in the library " + name + " with the curent object?",
               AskButtons::OkCancel) != Answer::Ok) {
    return;
  }
  WriteObjectEntry(group_folder_, entry, objects);
  Refill();
}

void ObjectLibraryPanel::RemoveFromLibrary() {
  Host& host = view_.LinkHost();
  const int i = grid_->SelectedEntry();
  if (i == 0) {
    host.Message("Please Select a object in the Library first!", MessageKind::Warning);
    return;
  }
  WaitCursor wait(host);
  const NumberedEntries entries = ObjectEntries(group_folder_);
  if (host.Ask("Do you want to remove the object " + entries.FileName(i) + "?", AskButtons::OkCancel) != Answer::Ok) {
    return;
  }
  entries.Remove(i);
  const int row = grid_->SelectedRow();
  Refill();
  grid_->Select(std::min(row, grid_->Rows() - 1), grid_->SelectedColumn());
}

}  // namespace lumi::app
