#pragma once
// The "Character Map" dialog: the characters of a font in a grid of 26-pixel cells, the
// chosen one zoomed 1x, 2x or 4x. The first page is the Windows-1252 set; the page box
// goes on through the rest of the basic plane. The cell arithmetic is the core's.
#include <QDialog>

#include <string>

class QRadioButton;
class QSpinBox;

namespace lumi::app {

class CharMapGrid;
class CharMapZoom;

class CharMapDialog : public QDialog {
  Q_OBJECT
 public:
  explicit CharMapDialog(const QString& family, QWidget* parent = nullptr);
  // The chosen character as UTF-8; empty when none was chosen.
  const std::string& Result() const { return result_; }

  // For tests: a press on the grid at a grid point, the zoom choice, the page.
  QWidget* Grid() const;
  QWidget* Zoom() const;
  QRadioButton* ZoomButton(int choice) const { return zoom_buttons_[choice]; }
  QSpinBox* PageBox() const { return page_; }

 private:
  void Choose(const std::string& character);

  CharMapGrid* grid_ = nullptr;
  CharMapZoom* zoom_ = nullptr;
  QRadioButton* zoom_buttons_[3] = {};
  QSpinBox* page_ = nullptr;
  std::string result_;
};

}  // namespace lumi::app
