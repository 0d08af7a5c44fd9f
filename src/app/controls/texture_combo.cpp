#include "controls/texture_combo.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QStylePainter>

#include "library/texture_bank.h"
#include "qt_convert.h"

namespace lumi::app {

namespace {

class TextureItemDelegate : public QStyledItemDelegate {
 public:
  explicit TextureItemDelegate(CTextureCombo* combo) : QStyledItemDelegate(combo), combo_(combo) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    painter->drawImage(option.rect.topLeft(),
                       combo_->ItemImage(index.row(), option.rect.size(), option.state & QStyle::State_Selected));
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return {option.rect.width(), CTextureCombo::kItemHeight};
  }

 private:
  CTextureCombo* combo_;
};

QFont CaptionFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(9);
  font.setWeight(QFont::Normal);
  return font;
}

// Draws the picture once from the top-left when it covers the rectangle, tiled otherwise,
// clipped to the rectangle either way.
void DrawPicture(QPainter& p, const QImage& picture, const QRect& r) {
  p.save();
  p.setClipRect(r);
  if (picture.width() >= r.width() && picture.height() >= r.height()) {
    p.drawImage(r.topLeft(), picture);
  } else {
    for (int y = r.top(); y <= r.bottom(); y += picture.height())
      for (int x = r.left(); x <= r.right(); x += picture.width()) p.drawImage(QPoint(x, y), picture);
  }
  p.restore();
}

}  // namespace

CTextureCombo::CTextureCombo(QWidget* parent) : QComboBox(parent) {
  setItemDelegate(new TextureItemDelegate(this));
}

void CTextureCombo::Fill(TextureListKind kind, const QString& folder) {
  folder_ = folder;
  pictures_.clear();
  clear();
  for (const std::string& item : TextureListItems(kind, folder.toStdString())) addItem(QString::fromStdString(item));
  setCurrentIndex(0);
}

void CTextureCombo::AppendItem(const QString& name) { addItem(name); }

const std::optional<QImage>& CTextureCombo::Picture(const std::string& item) {
  auto found = pictures_.find(item);
  if (found != pictures_.end()) return found->second;
  std::optional<QImage> picture;
  static const CTextureBank empty_bank;
  if (std::optional<RgbImage> rgb = TextureListPicture(folder_.toStdString(), item, bank_ ? *bank_ : empty_bank)) {
    picture = ToQImage(*rgb).convertToFormat(QImage::Format_RGB32);
  }
  return pictures_.emplace(item, std::move(picture)).first->second;
}

QImage CTextureCombo::ItemImage(int index, QSize size, bool selected) {
  QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  QPainter p(&image);
  p.fillRect(image.rect(), selected ? QColor(0, 0, 64) : QColor(255, 255, 224));
  if (index < 0 || index >= count()) return image;
  const std::string item = itemText(index).toStdString();
  const QFont font = CaptionFont();
  const QFontMetrics fm(font);
  QRect picture_rect = image.rect().adjusted(1, 1, -1, -1);
  picture_rect.setBottom(picture_rect.bottom() - (fm.height() + 2));
  p.setPen(Qt::black);
  p.drawRect(picture_rect.adjusted(0, 0, -1, -1));
  picture_rect.adjust(1, 1, -1, -1);
  if (const std::optional<QImage>& picture = Picture(item); picture && !picture->isNull())
    DrawPicture(p, *picture, picture_rect);
  p.setFont(font);
  p.setPen(selected ? QColor(255, 255, 225) : QColor(0, 0, 255));
  p.drawText(image.rect(), Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine,
             QString::fromStdString(TextureCaption(item)));
  return image;
}

QSize CTextureCombo::sizeHint() const { return {110, kItemHeight + 4}; }

void CTextureCombo::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  option.currentText.clear();  // the field shows the drawn item instead of plain text
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  painter.drawImage(field.topLeft(), ItemImage(currentIndex(), field.size(), false));
}

}  // namespace lumi::app
