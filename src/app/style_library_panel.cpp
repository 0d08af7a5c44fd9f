#include "style_library_panel.h"

#include <QCloseEvent>
#include <QMenu>
#include <QScrollArea>

#include "base/host.h"
#include "base/settings.h"
#include "collections/style_library.h"
#include "library_panel_place.h"
#include "library_picture_grid.h"
#include "library_view_link.h"

namespace lumi::app {

StyleLibraryPanel::StyleLibraryPanel(std::filesystem::path folder, LibraryViewLink& view,
                                     Settings& settings, QWidget* parent)
    : QDockWidget(QStringLiteral("Style Library"), parent),
      folder_(std::move(folder)),
      view_(view),
      settings_(settings) {
  setObjectName(QStringLiteral("styleLibraryPanel"));
  grid_ = new LibraryPictureGrid;
  auto* scroll = new QScrollArea;
  scroll->setWidget(grid_);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  scroll->setMinimumWidth(grid_->width() + 24);
  setWidget(scroll);

  menu_ = new QMenu(this);
  add_ = menu_->addAction(QStringLiteral("Add to Styles"), this, [this] { AddToStyles(); });
  menu_->addSeparator();
  menu_->addAction(QStringLiteral("Remove from Styles"), this, [this] { RemoveFromStyles(); });
  connect(menu_, &QMenu::aboutToShow, this, [this] { add_->setEnabled(view_.CurrentObject() != nullptr); });

  connect(grid_, &LibraryPictureGrid::cellClicked, this,
          [this](int entry) { view_.ApplyStyle(StyleEntries(folder_).MainFile(entry)); });
  connect(grid_, &LibraryPictureGrid::contextMenuWanted, this, [this](QPoint at) { menu_->popup(at); });
  connect(toggleViewAction(), &QAction::toggled, this,
          [this](bool shown) { settings_.SetInt("Style", "Status", shown ? 1 : 0); });

  RestorePanelPlace(*this, settings_, "Style", 70);
  Refill();
  setVisible(settings_.GetInt("Style", "Status", 1) != 0);
}

StyleLibraryPanel::~StyleLibraryPanel() { StorePanelPlace(*this, settings_, "Style"); }

void StyleLibraryPanel::closeEvent(QCloseEvent* event) {
  settings_.SetInt("Style", "Status", 0);
  QDockWidget::closeEvent(event);
}

void StyleLibraryPanel::Refill() { grid_->Refill(StyleEntries(folder_)); }

void StyleLibraryPanel::StyleAdded() {
  Refill();
  grid_->Select(grid_->Rows() - 1, -1);
}

void StyleLibraryPanel::AddToStyles() {
  const CDrawObject* current = view_.CurrentObject();
  if (!current) return;
  std::error_code ec;
  std::filesystem::create_directories(folder_, ec);
  if (AddStyle(folder_, *current) > 0) StyleAdded();
}

void StyleLibraryPanel::RemoveFromStyles() {
  Host& host = view_.LinkHost();
  const int i = grid_->SelectedEntry();
  if (i == 0) {
    host.Message("Please Select a style first!", MessageKind::Warning);
    return;
  }
  const NumberedEntries styles = StyleEntries(folder_);
  if (host.Ask("Do you want to remove the style " + styles.FileName(i) + "?", AskButtons::OkCancel) != Answer::Ok) {
    return;
  }
  styles.Remove(i);
  Refill();
}

}  // namespace lumi::app
