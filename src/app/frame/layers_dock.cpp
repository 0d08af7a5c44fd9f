#include "frame/layers_dock.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyledItemDelegate>

#include "base/settings.h"
#include "ui/bar_placement.h"

namespace lumi::app {

namespace {

constexpr int kLineHeight = 16;
constexpr int kLineTextRole = Qt::UserRole + 1;

QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

// The four 13-pixel state icons: 0 visible, 1 hidden, 2 unlocked, 3 locked.
void DrawStateIcon(QPainter& p, const QRect& r, int icon) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 1));
  const QRectF box = QRectF(r).adjusted(1.5, 1.5, -1.5, -1.5);
  if (icon <= 1) {  // an eye, crossed out when hidden
    QPainterPath eye;
    eye.moveTo(box.left(), box.center().y());
    eye.quadTo(box.center().x(), box.top() - 1, box.right(), box.center().y());
    eye.quadTo(box.center().x(), box.bottom() + 1, box.left(), box.center().y());
    p.setBrush(icon == 0 ? QColor(255, 255, 255) : QColor(200, 200, 200));
    p.drawPath(eye);
    p.setBrush(icon == 0 ? QColor(0, 0, 160) : QColor(120, 120, 120));
    p.drawEllipse(box.center(), 1.8, 1.8);
    if (icon == 1) {
      p.setPen(QPen(QColor(200, 0, 0), 1.5));
      p.drawLine(box.bottomLeft(), box.topRight());
    }
  } else {  // a padlock, its shackle open when unlocked
    const QRectF body(box.left() + 1, box.center().y() - 0.5, box.width() - 2, box.height() / 2 + 0.5);
    QPainterPath shackle;
    const qreal w = body.width() - 3;
    shackle.moveTo(body.left() + 1.5, body.top());
    shackle.lineTo(body.left() + 1.5, box.top() + 2.5);
    shackle.arcTo(QRectF(body.left() + 1.5, box.top(), w, 5), 180, -180);
    if (icon == 3) shackle.lineTo(body.left() + 1.5 + w, body.top());
    p.setBrush(Qt::NoBrush);
    p.drawPath(shackle);
    p.setBrush(icon == 3 ? QColor(200, 150, 0) : QColor(230, 230, 230));
    p.drawRect(body);
  }
  p.restore();
}

class LayerLineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const LayerLine line = ParseLayerLineText(index.data(kLineTextRole).toString().toStdString());
    const bool selected = option.state & QStyle::State_Selected;
    const LayerLineColours colours = LayerColours(selected, line.hidden, line.locked);
    p->fillRect(option.rect, ToQColor(colours.background));
    const int top = option.rect.top() + (option.rect.height() - kLayerIconWidth) / 2;
    DrawStateIcon(*p, QRect(option.rect.left(), top, kLayerIconWidth, kLayerIconWidth), line.hidden ? 1 : 0);
    DrawStateIcon(*p, QRect(option.rect.left() + kLayerIconWidth, top, kLayerIconWidth, kLayerIconWidth),
                  line.locked ? 3 : 2);
    p->setPen(ToQColor(colours.text));
    const QRect text = option.rect.adjusted(2 * kLayerIconWidth + 4, 0, 0, 0);
    p->drawText(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, QString::fromStdString(line.label));
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), kLineHeight};
  }
};

}  // namespace

LabelObjectDialog::LabelObjectDialog(const LayerLine& line, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Label Object"));
  label_ = new QLineEdit(QString::fromStdString(line.label), this);
  label_->setAccessibleName(QStringLiteral("Label"));
  hide_ = new QCheckBox(QStringLiteral("Hide"), this);
  hide_->setChecked(line.hidden);
  lock_ = new QCheckBox(QStringLiteral("Lock"), this);
  lock_->setChecked(line.locked);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* form = new QFormLayout(this);
  form->addRow(QStringLiteral("Label:"), label_);
  form->addRow(hide_);
  form->addRow(lock_);
  form->addRow(buttons);
}

QString LabelObjectDialog::Label() const { return label_->text(); }
bool LabelObjectDialog::Hidden() const { return hide_->isChecked(); }
bool LabelObjectDialog::Locked() const { return lock_->isChecked(); }

LayersListWidget::LayersListWidget(QWidget* parent) : QListWidget(parent) {
  setObjectName(QStringLiteral("layersList"));
  setAccessibleName(QStringLiteral("Layers"));
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setItemDelegate(new LayerLineDelegate(this));
}

void LayersListWidget::mousePressEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && index.isValid()) {
    emit linePressed(index.row(), event->position().toPoint().x() - visualRect(index).left());
    event->accept();
    return;
  }
  QListWidget::mousePressEvent(event);
}

void LayersListWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && index.isValid()) {
    emit lineDoubleClicked(index.row());
    event->accept();
    return;
  }
  QListWidget::mouseDoubleClickEvent(event);
}

void LayersListWidget::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete && currentRow() >= 0) {
    emit deletePressed();
    return;
  }
  QListWidget::keyPressEvent(event);
}

LayersDock::LayersDock(Settings& settings, std::function<ObjectList*()> objects, QWidget* parent)
    : QDockWidget(QStringLiteral("Layers"), parent), settings_(settings), objects_(std::move(objects)) {
  setObjectName(QStringLiteral("Layers"));
  setAccessibleName(QStringLiteral("Layers"));
  list_ = new LayersListWidget(this);
  setWidget(list_);  // the list fills the panel as it is resized
  run_label_dialog = [](LabelObjectDialog& dialog) { return dialog.exec() == QDialog::Accepted; };
  connect(list_, &LayersListWidget::linePressed, this, &LayersDock::Pressed);
  connect(list_, &LayersListWidget::lineDoubleClicked, this, &LayersDock::DoubleClicked);
  connect(list_, &LayersListWidget::deletePressed, this, [this] {
    if (!delete_selected || !model_.Selected()) return;
    delete_selected();
    Rebuild();
  });
}

void LayersDock::ShowLines() {
  const QSignalBlocker block(list_);
  list_->clear();
  for (const LayerLine& line : model_.Lines()) {
    auto* item = new QListWidgetItem(QString::fromStdString(line.label), list_);
    item->setData(kLineTextRole, QString::fromStdString(LayerLineText(line)));
  }
  if (const auto row = model_.Selected())
    list_->setCurrentRow(*row);
  else
    list_->clearSelection();
}

void LayersDock::Rebuild() {
  static const ObjectList kNone;
  const ObjectList* objects = objects_ ? objects_() : nullptr;
  model_.Rebuild(objects ? *objects : kNone);
  if (model_.Visible()) model_.SetObject(model_.Current());
  ShowLines();
}

void LayersDock::SetObject(const CDrawObject* object) {
  model_.SetObject(object);
  ShowLines();
}

void LayersDock::SetPanelVisible(bool visible) {
  model_.SetVisible(visible);
  ShowLines();
}

void LayersDock::Pressed(int row, int x) {
  ObjectList* objects = objects_ ? objects_() : nullptr;
  if (!objects) return;
  const bool toggles = LayerColumnAt(x) != LayerColumn::Label;
  const CDrawObject* object = model_.Press(row, x, *objects);
  ShowLines();
  if (make_current) make_current(object);
  if (toggles && changed) changed();
}

void LayersDock::DoubleClicked(int row) {
  ObjectList* objects = objects_ ? objects_() : nullptr;
  if (!objects || row < 0 || row >= static_cast<int>(model_.Lines().size())) return;
  const LayerLine line = model_.Lines()[row];
  if (!HoldsObject(*objects, line.object)) return;
  LabelObjectDialog dialog(line, this);
  if (!run_label_dialog(dialog)) return;
  model_.Relabel(row, dialog.Label().toStdString(), dialog.Hidden(), dialog.Locked(), *objects);
  ShowLines();
  if (make_current) make_current(line.object);
  if (changed) changed();
}

void LayersDock::PlaceFromSettings(const QRect& screen, int icon_size) {
  const Point place = ClampToScreen({settings_.GetInt("Layers", "Left", 30), settings_.GetInt("Layers", "Top", 70)},
                                    screen.width(), screen.height(), icon_size, icon_size);
  resize(settings_.GetInt("Layers", "Width", 150), settings_.GetInt("Layers", "Height", 300));
  move(place.x, place.y);
}

void LayersDock::SavePlace() {
  if (!isFloating()) return;  // a docked panel's place is in the window layout
  settings_.SetInt("Layers", "Top", pos().y());
  settings_.SetInt("Layers", "Left", pos().x());
  settings_.SetInt("Layers", "Width", width());
  settings_.SetInt("Layers", "Height", height());
}

}  // namespace lumi::app
