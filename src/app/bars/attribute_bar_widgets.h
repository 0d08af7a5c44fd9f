#pragma once
// The four attribute bars' windows: "Color & Texture", "Transparency", "Bevel" and
// "Effect". Each shows its core bar's controls, hands every user change to it and
// shows the result; the core bar writes the object. Controls are named as edit scripts
// name them ("width", "Screen", ...), which is also how tests and assistive tools find
// them.
#include <QWidget>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "ui/colour_bar.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QGridLayout;

namespace lumi {
class CTextureBank;
class BevelBar;
class EffectBar;
class PropertyBar;
class TransparencyBar;
}  // namespace lumi

namespace lumi::app {

class CColorPicker;
class CColorSlider;
class CRoundSliderCtrl;
class CTextureCombo;
class PreviewPacer;

class AttributeBarWidget : public QWidget {
  Q_OBJECT
 public:
  AttributeBarWidget(PropertyBar& bar, QWidget* parent);
  // The controls from the core bar (after SetObject or an apply).
  virtual void Sync() = 0;
  PreviewPacer& Pacer() const { return *pacer_; }

 signals:
  // A change was written (or, with no object, only kept as the controls' state).
  void applied();

 protected:
  // The core bar applies and the controls show the outcome.
  void ApplyNow();
  // The controls show the object again (a drag given up).
  void RefreshFromObject();
  CColorSlider* AddSlider(const char* name, const QString& label, int minimum, int maximum, int& field);
  CRoundSliderCtrl* AddDial(const char* name, int& field, bool mirrored, bool show_text);
  QCheckBox* AddCheck(const QString& caption, int& field, int row, int column);
  QLabel* AddLabel(const QString& text, int row, int column);
  // Shows or hides a control with the label beside it.
  void ShowControl(QWidget* control, bool shown);

  PropertyBar& bar_;
  PreviewPacer* pacer_;
  QGridLayout* grid_;
  int next_row_ = 1;
  std::vector<std::pair<QWidget*, QLabel*>> labels_;
};

class ColourBarWidget final : public AttributeBarWidget {
  Q_OBJECT
 public:
  // The gene dialog: the gene after OK, nothing after Cancel.
  using EditGene = std::function<std::optional<BarGene>(const BarGene&)>;
  // The "Bitmap Color Tweak" dialog on a bitmap object: true after OK.
  using TweakBitmap = std::function<bool(CDrawObject&)>;

  ColourBarWidget(ColourBar& bar, const CTextureBank* bank, const QString& textures_folder, QWidget* parent);
  void Sync() override;
  void SetEditGene(EditGene edit) { edit_gene_ = std::move(edit); }
  // Until it is set, the gene button of a bitmap does nothing and says so in its tip.
  void SetTweakBitmap(TweakBitmap tweak) { tweak_bitmap_ = std::move(tweak); }
  CColorPicker* Picker() const { return picker_; }
  CTextureCombo* Textures() const { return textures_; }

 signals:
  void statusText(const QString& text);

 private:
  void PickerFinished();

  ColourBar& colour_;
  CColorPicker* picker_;
  CTextureCombo* textures_;
  CColorSlider* strength_;
  CRoundSliderCtrl* angle_;
  QLabel* angle_label_;
  QCheckBox *screen_, *transparent_, *two_colour_, *relief_;
  CColorSlider* depth_;
  EditGene edit_gene_;
  TweakBitmap tweak_bitmap_;
};

class TransparencyBarWidget final : public AttributeBarWidget {
  Q_OBJECT
 public:
  TransparencyBarWidget(TransparencyBar& bar, const CTextureBank* bank, const QString& folder, QWidget* parent);
  void Sync() override;

 private:
  TransparencyBar& transparency_;
  CTextureCombo* textures_;
  CColorSlider* amount_;
  CRoundSliderCtrl* angle_;
  QCheckBox* cut_;
};

class BevelBarWidget final : public AttributeBarWidget {
  Q_OBJECT
 public:
  BevelBarWidget(BevelBar& bar, QWidget* parent);
  void Sync() override;

 private:
  BevelBar& bevel_;
  QComboBox* kinds_;
  CColorSlider *width_, *intensity_;
  CRoundSliderCtrl* angle_;
};

class EffectBarWidget final : public AttributeBarWidget {
  Q_OBJECT
 public:
  EffectBarWidget(EffectBar& bar, QWidget* parent);
  void Sync() override;

 private:
  EffectBar& effect_;
  QComboBox* kinds_;
  CColorSlider *softness_, *opacity_, *distance_;
  CRoundSliderCtrl* angle_;
  CColorPicker* colour_;
};

}  // namespace lumi::app
