#include "text_dialog_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>

#include "char_map_dialog.h"
#include "objects/font_engine.h"
#include "qt_convert.h"

namespace lumi::app {

namespace {

// Each font item: its name in small text over "ABCDabcd" in its own face, 40 pixels high.
class FontItemDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), 40};
  }
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const bool selected = option.state & QStyle::State_Selected;
    p->fillRect(option.rect, selected ? option.palette.highlight() : option.palette.base());
    p->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
    const QString family = index.data().toString();
    QFont small = option.font;
    small.setPointSize(7);
    p->setFont(small);
    const QRect r = option.rect.adjusted(4, 1, -4, -1);
    p->drawText(r, Qt::AlignLeft | Qt::AlignTop, family);
    QFont sample(family);
    sample.setPointSize(15);
    p->setFont(sample);
    p->drawText(r, Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("ABCDabcd"));
  }
};

}  // namespace

std::vector<std::string> TextFontFamilies() {
  std::vector<std::string> families;
  try {
    families = SharedFontEngine().OutlineFamilies();
  } catch (const FontError&) {
    return {};
  }
  // A name the stored font cannot hold could not be chosen.
  LOGFONT probe;
  std::erase_if(families, [&](const std::string& f) { return !SetFaceName(probe, f); });
  return families;
}

TextDialogWindow::TextDialogWindow(const std::vector<std::string>& families, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Text"));
  text_ = new QPlainTextEdit(this);
  text_->setObjectName(QStringLiteral("textEdit"));
  fonts_ = new QComboBox(this);
  fonts_->setObjectName(QStringLiteral("fontList"));
  fonts_->setItemDelegate(new FontItemDelegate(fonts_));
  for (const std::string& f : families) fonts_->addItem(ToQString(f));
  size_ = new QLineEdit(this);
  size_->setObjectName(QStringLiteral("sizeEdit"));
  bold_ = new QCheckBox(QStringLiteral("Bold"), this);
  italic_ = new QCheckBox(QStringLiteral("Italic"), this);

  auto* alignment = new QGroupBox(QStringLiteral("Aligment"), this);
  auto* align_layout = new QHBoxLayout(alignment);
  auto* align_group = new QButtonGroup(this);
  const char* align_texts[] = {"Left", "Center", "Right"};
  for (int i = 0; i < 3; ++i) {
    align_[i] = new QRadioButton(QString::fromLatin1(align_texts[i]), alignment);
    align_group->addButton(align_[i], i);
    align_layout->addWidget(align_[i]);
  }
  align_[0]->setChecked(true);

  char_map_ = new QPushButton(QStringLiteral("Character Map"), this);
  char_map_->setToolTip(QStringLiteral("Character Map"));
  connect(char_map_, &QPushButton::clicked, this, [this] { InsertFromCharacterMap(); });
  ask_character_ = [this](const QString& family) {
    CharMapDialog dialog(family, this);
    return dialog.exec() == QDialog::Accepted ? dialog.Result() : std::string();
  };

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  // Alt+O answers from the text edit, where Return makes a new line.
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&OK"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Font:"), this), 0, 0);
  grid->addWidget(fonts_, 0, 1, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("Size:"), this), 1, 0);
  grid->addWidget(size_, 1, 1);
  grid->addWidget(bold_, 1, 2);
  grid->addWidget(italic_, 1, 3);
  auto* lower = new QHBoxLayout;
  lower->addWidget(alignment);
  lower->addWidget(char_map_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  layout->addLayout(grid);
  layout->addLayout(lower);
  layout->addWidget(buttons);
  resize(520, 380);
}

void TextDialogWindow::SetValues(const TextDialogValues& v) {
  text_->setPlainText(ToQString(v.text));
  size_->setText(QString::number(v.size));
  bold_->setChecked(v.bold);
  italic_->setChecked(v.italic);
  align_[std::clamp(v.alignment, 0, 2)]->setChecked(true);
  // A face fontconfig stands in for (Arial by Liberation Sans) selects the stand-in.
  const QString face = ToQString(FaceName(v.font));
  int item = fonts_->findText(face, Qt::MatchFixedString);
  if (item < 0) {
    try {
      item = fonts_->findText(ToQString(SharedFontEngine().Match({FaceName(v.font), false, false}).family),
                              Qt::MatchFixedString);
    } catch (const FontError&) {
      item = -1;
    }
  }
  fonts_->setCurrentIndex(item >= 0 ? item : 0);
}

TextDialogValues TextDialogWindow::Values(const TextDialogValues& base) const {
  TextDialogValues v = base;
  v.text = text_->toPlainText().toStdString();
  bool ok = false;
  const double size = size_->text().trimmed().toDouble(&ok);
  v.size = ok ? size : 0.0;  // unreadable: refused as too small
  v.bold = bold_->isChecked();
  v.italic = italic_->isChecked();
  for (int i = 0; i < 3; ++i)
    if (align_[i]->isChecked()) v.alignment = i;
  if (fonts_->currentIndex() >= 0) SetFaceName(v.font, fonts_->currentText().toStdString());
  return v;
}

void TextDialogWindow::InsertFromCharacterMap() {
  const std::string c = ask_character_(fonts_->currentText());
  if (!c.empty()) text_->insertPlainText(ToQString(c));
}

bool QtTextDialog::Run(TextDialogValues& values) {
  TextDialogWindow window(TextFontFamilies(), parent_);
  window.SetValues(values);
  if (window.exec() != QDialog::Accepted) return false;
  values = window.Values(values);
  return true;
}

}  // namespace lumi::app
