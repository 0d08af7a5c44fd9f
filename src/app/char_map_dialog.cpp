#include "char_map_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <functional>
#include <optional>

#include "ui/char_map_grid.h"
#include "qt_convert.h"

namespace lumi::app {

namespace {

QFont CellFont(const QString& family, int pixel_height) {
  QFont font(family);
  font.setPixelSize(pixel_height);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  return font;
}

}  // namespace

class CharMapGrid : public QWidget {
 public:
  CharMapGrid(const QString& family, std::function<void(const std::string&)> chosen, QWidget* parent)
      : QWidget(parent), family_(family), chosen_(std::move(chosen)) {
    setFixedSize(kCharMapCell * kCharMapColumns + 1, kCharMapCell * kCharMapRows + 1);
    setObjectName(QStringLiteral("charMapGrid"));
  }
  void SetPage(int page) {
    page_ = page;
    selected_.reset();
    update();
  }
  std::optional<CharMapCell> Selected() const { return selected_; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setFont(CellFont(family_, kCharMapCell * 3 / 4));
    for (int row = 0; row < kCharMapRows; ++row) {
      for (int column = 0; column < kCharMapColumns; ++column) {
        const CharMapCell cell{column, row};
        const Rect r = CharMapCellRect(cell);
        const QRect q(r.left, r.top, r.Width(), r.Height());
        if (selected_ == cell) p.fillRect(q, QColor(255, 128, 128));
        const std::string c = CharMapCharacter(page_, cell);
        if (!c.empty()) {
          p.setPen(Qt::black);
          p.drawText(QRect(kCharMapCell * column, kCharMapCell * row, kCharMapCell, kCharMapCell),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, ToQString(c));
        }
      }
    }
    p.setPen(QColor(192, 192, 192));
    for (int row = 0; row < kCharMapRows; ++row) p.drawLine(0, kCharMapCell * row, width(), kCharMapCell * row);
    for (int column = 0; column < kCharMapColumns; ++column)
      p.drawLine(kCharMapCell * column, 0, kCharMapCell * column, height());
  }
  void mousePressEvent(QMouseEvent* event) override {
    const QPoint at = event->position().toPoint();
    const std::optional<CharMapCell> cell = CharMapCellAt({at.x(), at.y()});
    if (!cell) return;
    const std::string c = CharMapCharacter(page_, *cell);
    if (c.empty()) return;
    selected_ = cell;
    chosen_(c);
    update();
  }

 private:
  QString family_;
  std::function<void(const std::string&)> chosen_;
  int page_ = 0;
  std::optional<CharMapCell> selected_;
};

class CharMapZoom : public QWidget {
 public:
  CharMapZoom(const QString& family, QWidget* parent) : QWidget(parent), family_(family) {
    setFixedSize(220, 220);
    setObjectName(QStringLiteral("charMapZoom"));
  }
  void Show(const QString& character, int zoom_choice) {
    character_ = character;
    zoom_choice_ = zoom_choice;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    if (character_.isEmpty()) return;
    p.fillRect(rect(), Qt::white);
    p.setPen(Qt::black);
    p.setFont(CellFont(family_, CharMapZoomHeight(zoom_choice_)));
    p.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, character_);
  }

 private:
  QString family_;
  QString character_;
  int zoom_choice_ = 0;
};

CharMapDialog::CharMapDialog(const QString& family, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Character Map"));
  grid_ = new CharMapGrid(family, [this](const std::string& c) { Choose(c); }, this);
  zoom_ = new CharMapZoom(family, this);

  auto* zooms = new QButtonGroup(this);
  auto* zoom_row = new QHBoxLayout;
  const char* texts[] = {"1x", "2x", "4x"};
  for (int i = 0; i < 3; ++i) {
    zoom_buttons_[i] = new QRadioButton(QString::fromLatin1(texts[i]), this);
    zooms->addButton(zoom_buttons_[i], i);
    zoom_row->addWidget(zoom_buttons_[i]);
  }
  zoom_buttons_[0]->setChecked(true);
  connect(zooms, &QButtonGroup::idClicked, this, [this](int) { Choose(result_); });

  page_ = new QSpinBox(this);
  page_->setRange(1, CharMapPageCount());
  page_->setPrefix(QStringLiteral("Page "));
  connect(page_, &QSpinBox::valueChanged, this, [this](int page) {
    grid_->SetPage(page - 1);
    Choose({});
  });
  zoom_row->addStretch();
  zoom_row->addWidget(page_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* top = new QHBoxLayout;
  top->addWidget(grid_);
  top->addWidget(zoom_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(zoom_row);
  layout->addWidget(buttons);
}

QWidget* CharMapDialog::Grid() const { return grid_; }
QWidget* CharMapDialog::Zoom() const { return zoom_; }

void CharMapDialog::Choose(const std::string& character) {
  result_ = character;
  int choice = 0;
  for (int i = 0; i < 3; ++i)
    if (zoom_buttons_[i]->isChecked()) choice = i;
  zoom_->Show(ToQString(character), choice);
}

}  // namespace lumi::app
