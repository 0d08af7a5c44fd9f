#include "bars/attribute_bar_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>

#include "bars/bar_controls.h"
#include "controls/color_picker.h"
#include "controls/color_slider.h"
#include "controls/round_slider_ctrl.h"
#include "controls/texture_combo.h"
#include "objects/draw_object.h"
#include "ui/bevel_bar.h"
#include "ui/effect_bar.h"
#include "ui/transparency_bar.h"
#include "qt_convert.h"

namespace lumi::app {

namespace {

void Name(QWidget* w, const char* name) {
  w->setObjectName(QString::fromUtf8(name));
  w->setAccessibleName(QString::fromUtf8(name));
}

// The list items the core bar keeps that the combo does not show yet (textures an
// object brought along).
void AppendMissingItems(CTextureCombo* combo, const std::vector<std::string>& items, int selection) {
  const QSignalBlocker block(combo);
  for (std::size_t i = static_cast<std::size_t>(combo->count()); i < items.size(); ++i)
    combo->AppendItem(QString::fromStdString(items[i]));
  combo->setCurrentIndex(selection);
}

std::vector<std::string> ComboItems(const QComboBox* combo) {
  std::vector<std::string> items;
  for (int i = 0; i < combo->count(); ++i) items.push_back(combo->itemText(i).toStdString());
  return items;
}

}  // namespace

AttributeBarWidget::AttributeBarWidget(PropertyBar& bar, QWidget* parent)
    : QWidget(parent), bar_(bar), pacer_(new PreviewPacer(bar, this)), grid_(new QGridLayout(this)) {
  grid_->setContentsMargins(4, 4, 4, 4);
  grid_->setSpacing(3);
  setWindowTitle(ToQString(bar.Title()));
}

void AttributeBarWidget::ApplyNow() {
  bar_.Apply();
  Sync();
  emit applied();
}

void AttributeBarWidget::RefreshFromObject() {
  bar_.SetObject(bar_.Object());
  Sync();
}

CColorSlider* AttributeBarWidget::AddSlider(const char* name, const QString& label, int minimum, int maximum,
                                            int& field) {
  auto* slider = new CColorSlider(this);
  Name(slider, name);
  slider->SetRange(minimum, maximum);
  slider->SetPosition(field);
  labels_.emplace_back(slider, AddLabel(label, next_row_, 0));
  grid_->addWidget(slider, next_row_++, 1, 1, 2);
  BindValueControl(slider, field, *pacer_, [this] { ApplyNow(); }, [this] { RefreshFromObject(); });
  return slider;
}

CRoundSliderCtrl* AttributeBarWidget::AddDial(const char* name, int& field, bool mirrored, bool show_text) {
  auto* dial = new CRoundSliderCtrl(this);
  Name(dial, name);
  dial->SetRange(0, 360);
  dial->SetZeroAngle(270);
  dial->SetMirrored(mirrored);
  dial->SetHideText(!show_text);
  dial->SetPosition(field);
  dial->setFixedSize(44, 44);
  BindValueControl(dial, field, *pacer_, [this] { ApplyNow(); }, [this] { RefreshFromObject(); });
  return dial;
}

QCheckBox* AttributeBarWidget::AddCheck(const QString& caption, int& field, int row, int column) {
  auto* check = new QCheckBox(caption, this);
  Name(check, caption.toUtf8().constData());
  grid_->addWidget(check, row, column);
  connect(check, &QCheckBox::clicked, this, [this, &field](bool on) {
    field = on ? 1 : 0;
    ApplyNow();
  });
  return check;
}

void AttributeBarWidget::ShowControl(QWidget* control, bool shown) {
  control->setVisible(shown);
  for (auto [w, label] : labels_)
    if (w == control) label->setVisible(shown);
}

QLabel* AttributeBarWidget::AddLabel(const QString& text, int row, int column) {
  auto* label = new QLabel(text, this);
  grid_->addWidget(label, row, column);
  return label;
}

// ---- Color & Texture

ColourBarWidget::ColourBarWidget(ColourBar& bar, const CTextureBank* bank, const QString& textures_folder,
                                 QWidget* parent)
    : AttributeBarWidget(bar, parent), colour_(bar) {
  picker_ = new CColorPicker(this);
  Name(picker_, "colour");
  grid_->addWidget(picker_, 0, 0, 1, 3);
  textures_ = new CTextureCombo(this);
  Name(textures_, "texture");
  textures_->SetBank(bank);
  textures_->Fill(TextureListKind::kFill, textures_folder);
  colour_.textures.items = ComboItems(textures_);
  grid_->addWidget(textures_, next_row_++, 0, 1, 3);
  strength_ = AddSlider("strength", QStringLiteral("Strength"), 0, 255, colour_.strength);
  strength_->SetInverted(true);
  angle_label_ = AddLabel(QStringLiteral("Angle"), next_row_, 0);
  angle_ = AddDial("angle", colour_.angle, /*mirrored=*/true, /*show_text=*/true);
  grid_->addWidget(angle_, next_row_++, 1);
  screen_ = AddCheck(QStringLiteral("Screen"), colour_.screen, next_row_, 0);
  transparent_ = AddCheck(QStringLiteral("Transparent"), colour_.transparent, next_row_++, 1);
  two_colour_ = AddCheck(QStringLiteral("F-B"), colour_.two_colour, next_row_, 0);
  relief_ = AddCheck(QStringLiteral("3D"), colour_.relief, next_row_++, 1);
  depth_ = AddSlider("depth", QStringLiteral("Relief"), 0, 200, colour_.relief_depth);
  depth_->SetCentred(true);
  depth_->SetBaseColour(RGB(255, 255, 255));

  connect(textures_, &QComboBox::activated, this, [this](int index) {
    colour_.textures.selection = index;
    ApplyNow();
  });
  connect(picker_, &CColorPicker::changeFinished, this, &ColourBarWidget::PickerFinished);
  Sync();
}

void ColourBarWidget::PickerFinished() {
  colour_.first = picker_->FirstColour();
  colour_.second = picker_->SecondColour();
  if (!picker_->GenePressed()) {
    ApplyNow();
    return;
  }
  CDrawObject* object = colour_.Object();
  if (object && object->IsBitmap()) {
    if (!tweak_bitmap_) {
      emit statusText(QStringLiteral("Bitmap Color Tweak is not available yet"));
      return;
    }
    if (tweak_bitmap_(*object)) {
      // The dialog changed the object's bitmap: it renders and repaints like any change.
      colour_.Apply();
      Sync();
      emit applied();
    }
    return;
  }
  if (!edit_gene_) return;
  if (const std::optional<BarGene> gene = edit_gene_(colour_.gene)) {
    colour_.gene = *gene;
    ApplyNow();
  }
}

void ColourBarWidget::Sync() {
  picker_->SetFirstColour(colour_.first);
  picker_->SetSecondColour(colour_.second);
  picker_->SetGenePictureIndex(colour_.GenePicture());
  const bool untweakable = colour_.GenePicture() == 2 && !tweak_bitmap_;
  picker_->setToolTip(untweakable ? QStringLiteral("Bitmap Color Tweak is not available yet") : QString());
  AppendMissingItems(textures_, colour_.textures.items, colour_.textures.selection);
  strength_->SetPosition(colour_.strength);
  strength_->SetBaseColour(colour_.first);
  strength_->setEnabled(colour_.StrengthEnabled());
  angle_->SetPosition(colour_.angle);
  angle_->setVisible(colour_.AngleShown());
  angle_label_->setVisible(colour_.AngleShown());
  const bool options = colour_.TextureOptionsShown();
  for (auto [check, value] : {std::pair{screen_, colour_.screen}, std::pair{transparent_, colour_.transparent},
                              std::pair{two_colour_, colour_.two_colour}, std::pair{relief_, colour_.relief}}) {
    check->setChecked(value != 0);
    check->setVisible(options);
  }
  two_colour_->setEnabled(colour_.TwoColourEnabled());
  depth_->SetPosition(colour_.relief_depth);
  ShowControl(depth_, options);
  depth_->setEnabled(colour_.ReliefDepthEnabled());
}

// ---- Transparency

TransparencyBarWidget::TransparencyBarWidget(TransparencyBar& bar, const CTextureBank* bank, const QString& folder,
                                             QWidget* parent)
    : AttributeBarWidget(bar, parent), transparency_(bar) {
  textures_ = new CTextureCombo(this);
  Name(textures_, "texture");
  textures_->SetBank(bank);
  textures_->Fill(TextureListKind::kTransparency, folder);
  transparency_.textures.items = ComboItems(textures_);
  grid_->addWidget(textures_, 0, 0, 1, 3);
  amount_ = AddSlider("amount", QStringLiteral("Amount"), 0, 255, transparency_.amount);
  angle_ = AddDial("angle", transparency_.angle, /*mirrored=*/true, /*show_text=*/false);
  grid_->addWidget(angle_, next_row_, 0);
  cut_ = AddCheck(QStringLiteral("Transparent"), transparency_.cut, next_row_++, 1);
  connect(textures_, &QComboBox::activated, this, [this](int index) {
    transparency_.textures.selection = index;
    ApplyNow();
  });
  Sync();
}

void TransparencyBarWidget::Sync() {
  AppendMissingItems(textures_, transparency_.textures.items, transparency_.textures.selection);
  amount_->SetPosition(transparency_.amount);
  angle_->SetPosition(transparency_.angle);
  angle_->setVisible(transparency_.AngleShown());
  cut_->setChecked(transparency_.cut != 0);
  cut_->setEnabled(transparency_.CutEnabled());
}

// ---- Bevel

BevelBarWidget::BevelBarWidget(BevelBar& bar, QWidget* parent) : AttributeBarWidget(bar, parent), bevel_(bar) {
  kinds_ = new QComboBox(this);
  Name(kinds_, "bevel");
  for (std::string_view name : kBevelNames) kinds_->addItem(ToQString(name));
  grid_->addWidget(kinds_, 0, 0, 1, 3);
  width_ = AddSlider("width", QStringLiteral("Width"), BevelBar::kMinWidth, BevelBar::kMaxWidth, bevel_.width);
  width_->SetBaseColour(RGB(0, 0, 225));
  intensity_ = AddSlider("intensity", QStringLiteral("Intensity"), 0, 100, bevel_.intensity);
  angle_ = AddDial("angle", bevel_.angle, /*mirrored=*/true, /*show_text=*/false);
  grid_->addWidget(angle_, next_row_++, 1);
  connect(kinds_, &QComboBox::activated, this, [this](int index) {
    bevel_.kind = index;
    ApplyNow();
  });
  Sync();
}

void BevelBarWidget::Sync() {
  {
    const QSignalBlocker block(kinds_);
    kinds_->setCurrentIndex(bevel_.kind);
  }
  width_->SetPosition(bevel_.width);
  intensity_->SetPosition(bevel_.intensity);
  angle_->SetPosition(bevel_.angle);
  for (QWidget* w : std::initializer_list<QWidget*>{width_, intensity_, angle_}) w->setEnabled(bevel_.ValuesEnabled());
}

// ---- Effect

EffectBarWidget::EffectBarWidget(EffectBar& bar, QWidget* parent) : AttributeBarWidget(bar, parent), effect_(bar) {
  kinds_ = new QComboBox(this);
  Name(kinds_, "effect");
  for (std::string_view name : kEffectNames) kinds_->addItem(ToQString(name));
  grid_->addWidget(kinds_, 0, 0, 1, 3);
  softness_ = AddSlider("softness", QStringLiteral("Softness"), 0, EffectBar::kMaxSoftness, effect_.softness);
  opacity_ = AddSlider("opacity", QStringLiteral("Opacity"), 0, 255, effect_.opacity);
  opacity_->SetInverted(true);
  opacity_->SetBaseColour(RGB(255, 255, 255));
  distance_ = AddSlider("distance", QStringLiteral("Distance"), 0, EffectBar::kMaxDistance, effect_.distance);
  angle_ = AddDial("angle", effect_.angle, /*mirrored=*/false, /*show_text=*/false);
  grid_->addWidget(angle_, next_row_, 0);
  colour_ = new CColorPicker(this);
  Name(colour_, "colour");
  colour_->SetSingleColour(true);
  grid_->addWidget(colour_, next_row_++, 1, 1, 2);
  connect(kinds_, &QComboBox::activated, this, [this](int index) {
    effect_.ChooseKind(index);
    Sync();
    emit applied();
  });
  connect(colour_, &CColorPicker::changeFinished, this, [this] {
    effect_.colour = colour_->FirstColour();
    ApplyNow();
  });
  Sync();
}

void EffectBarWidget::Sync() {
  {
    const QSignalBlocker block(kinds_);
    kinds_->setCurrentIndex(effect_.kind);
  }
  softness_->SetPosition(effect_.softness);
  opacity_->SetPosition(effect_.opacity);
  distance_->SetPosition(effect_.distance);
  angle_->SetPosition(effect_.angle);
  colour_->SetFirstColour(effect_.colour);
  for (QWidget* w : std::initializer_list<QWidget*>{softness_, opacity_, distance_, angle_, colour_})
    w->setEnabled(effect_.ValuesEnabled());
}

}  // namespace lumi::app
