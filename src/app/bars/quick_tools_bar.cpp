#include "bars/quick_tools_bar.h"

#include <QHBoxLayout>
#include <QLabel>

#include "controls/bitmap_button.h"
#include "controls/color_slider.h"
#include "controls/program_icons.h"
#include "edit/tool_machine.h"
#include "ui/property_bar_set.h"
#include "qt_convert.h"

namespace lumi::app {

namespace {

QHBoxLayout* Row(QWidget* w) {
  auto* row = new QHBoxLayout(w);
  row->setContentsMargins(2, 0, 2, 0);
  row->setSpacing(4);
  return row;
}

CColorSlider* MakeSlider(QWidget* parent, const char* name, int minimum, int maximum, int position) {
  auto* s = new CColorSlider(parent);
  s->setObjectName(QString::fromUtf8(name));
  s->setAccessibleName(QString::fromUtf8(name));
  s->SetRange(minimum, maximum);
  s->SetPosition(position);
  s->setFixedWidth(110);
  return s;
}

QLabel* PictureLabel(QWidget* parent, const char* icon) {
  auto* label = new QLabel(parent);
  label->setPixmap(QPixmap::fromImage(IconImage(icon, QSize(16, 16))));
  return label;
}

}  // namespace

QuickToolsBar::QuickToolsBar(PropertyBarSet& bars, QWidget* parent) : QWidget(parent), bars_(bars) {
  setWindowTitle(ToQString(kQuickToolsTitle));
  setFixedHeight(kHeight);
  QHBoxLayout* bar = Row(this);

  corner_controls_ = new QWidget(this);
  QHBoxLayout* corners = Row(corner_controls_);
  caption_ = new QLabel(QStringLiteral("Corners"), corner_controls_);
  corners->addWidget(caption_);
  first_ = MakeSlider(corner_controls_, "first", 0, 255, 0);
  first_->SetBaseColour(RGB(255, 255, 255));
  first_->SetShowValue(true);
  corners->addWidget(first_);
  few_label_ = PictureLabel(corner_controls_, "label-corners-few");
  corners->addWidget(few_label_);
  second_ = MakeSlider(corner_controls_, "second", 1, 20, 1);
  second_->SetBaseColour(RGB(255, 255, 255));
  second_->SetShowValue(true);
  corners->addWidget(second_);
  many_label_ = PictureLabel(corner_controls_, "label-corners-many");
  corners->addWidget(many_label_);
  bar->addWidget(corner_controls_);

  node_panel_ = new QWidget(this);
  QHBoxLayout* nodes = Row(node_panel_);
  remove_ = AddNodeButton("remove-point", QStringLiteral("Remove Point"));
  smooth_ = AddNodeButton("smooth-node", QStringLiteral("Smooth Node"));
  sharp_ = AddNodeButton("sharp-node", QStringLiteral("Sharp Node"));
  break_ = AddNodeButton("break-path", QStringLiteral("Break Path"));
  close_ = AddNodeButton("close-and-fill-path", QStringLiteral("Close and Fill Path"));
  for (QWidget* b : std::initializer_list<QWidget*>{remove_, smooth_, sharp_, break_, close_}) nodes->addWidget(b);
  nodes->addWidget(new QLabel(QStringLiteral("Width"), node_panel_));
  line_width_ = MakeSlider(node_panel_, "Width", 1, 40, 6);
  nodes->addWidget(line_width_);
  bar->addWidget(node_panel_);
  connect(remove_, &QAbstractButton::clicked, this, [this] { RunNodeCommand([](ToolMachine& t) { t.DeletePoint(); }); });
  connect(smooth_, &QAbstractButton::clicked, this,
          [this] { RunNodeCommand([](ToolMachine& t) { t.SetNodeCusp(false); }); });
  connect(sharp_, &QAbstractButton::clicked, this, [this] { RunNodeCommand([](ToolMachine& t) { t.SetNodeCusp(true); }); });
  connect(break_, &QAbstractButton::clicked, this, [this] { RunNodeCommand([](ToolMachine& t) { t.BreakPath(); }); });
  connect(close_, &QAbstractButton::clicked, this, [this] { RunNodeCommand([](ToolMachine& t) { t.ClosePath(); }); });
  connect(line_width_, &CColorSlider::changeFinished, this, [this](int width) {
    if (!view_) return;
    view_->WidthSliderReleased(width);
    emit changed();
  });

  brush_panel_ = new QWidget(this);
  QHBoxLayout* brush = Row(brush_panel_);
  brush->addWidget(PictureLabel(brush_panel_, "label-brush-small"));
  brush_width_ = MakeSlider(brush_panel_, "Width", 1, 10, bars_.brush_width);
  brush->addWidget(brush_width_);
  brush->addWidget(PictureLabel(brush_panel_, "label-brush-large"));
  brush_intensity_ = MakeSlider(brush_panel_, "Intenzity", 1, 128, bars_.brush_intensity);
  brush->addWidget(brush_intensity_);
  bar->addWidget(brush_panel_);
  const auto store_brush = [this] {
    bars_.brush_width = brush_width_->Position();
    bars_.brush_intensity = brush_intensity_->Position();
  };
  connect(brush_width_, &CColorSlider::changeFinished, this, store_brush);
  connect(brush_intensity_, &CColorSlider::changeFinished, this, store_brush);
  bar->addStretch(1);

  SetMode(kQuickPlain, 0);
  HideValues();
  RefreshNodePanel();
}

COXBitmapButton* QuickToolsBar::AddNodeButton(const char* icon, const QString& tip) {
  auto* button = new COXBitmapButton(node_panel_);
  button->setObjectName(tip);
  button->setAccessibleName(tip);
  button->LoadBitmap(IconResourcePath(icon));
  button->SetToolTipText(tip);
  button->SetToolTipEnabled(true);
  button->SetFlatLook(true);
  return button;
}

void QuickToolsBar::RunNodeCommand(void (*command)(ToolMachine&)) {
  if (!view_) return;
  command(*view_);
  RefreshNodePanel();
  emit changed();
}

void QuickToolsBar::SetView(ToolMachine* view) {
  view_ = view;
  RefreshNodePanel();
}

void QuickToolsBar::RefreshNodePanel() {
  const NodePanelLook look = NodePanelFor(view_);
  remove_->setVisible(look.remove_point);
  smooth_->setVisible(look.smooth_sharp);
  sharp_->setVisible(look.smooth_sharp);
  // "Break Path" and "Close and Fill Path" stay hidden here: the menu and the context
  // menu offer them.
  break_->setVisible(false);
  close_->setVisible(false);
  line_width_->setVisible(view_ != nullptr && node_width_shown_);
  line_width_->SetPosition(look.line_width);
}

void QuickToolsBar::SetMode(int variant, int value) {
  node_panel_->setVisible(variant == kQuickNodePanel);
  brush_panel_->setVisible(variant == kQuickBrush);
  if (variant == kQuickPlain || variant == kQuickStar) {
    first_->SetRange(0, variant == kQuickStar ? 25 : 255);
  } else {
    corner_controls_->setVisible(false);
  }
  node_width_shown_ = variant == kQuickNodePanel && value == 1;
  RefreshNodePanel();
}

void QuickToolsBar::ShowValues(const QString& caption, int first, int second) {
  node_panel_->setVisible(false);
  brush_panel_->setVisible(false);
  corner_controls_->setVisible(true);
  caption_->setText(caption);
  first_->SetPosition(first);
  const bool two = second >= 0;
  second_->setVisible(two);
  few_label_->setVisible(two);
  many_label_->setVisible(two);
  if (two) second_->SetPosition(second);
}

void QuickToolsBar::HideValues() { corner_controls_->setVisible(false); }

void QuickToolsBar::Configure(const CDrawObject*, const QuickToolsRequest& request) {
  SetMode(request.variant, request.first);
  if (!request.caption.empty()) {
    ShowValues(QString::fromStdString(request.caption), request.first, request.second);
  } else if (request.variant == kQuickPlain || request.variant == kQuickStar) {
    HideValues();
  }
}

int QuickToolsBar::FirstValue() const { return first_->Position(); }
int QuickToolsBar::SecondValue() const { return second_->Position(); }

}  // namespace lumi::app
