#include "controls/controls_accessibility.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QStringList>

#include "controls/color_picker.h"
#include "controls/color_slider.h"
#include "controls/round_slider_ctrl.h"

namespace lumi::app {

namespace {

QString NameOf(const QWidget* w, const QString& kind) {
  if (!w->accessibleName().isEmpty()) return w->accessibleName();
  if (!w->toolTip().isEmpty()) return w->toolTip();
  return kind;
}

// The slider and the dial: a value between their minimum and maximum.
template <typename Control>
class PositionAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  PositionAccessible(Control* control, QAccessible::Role role, QString kind)
      : QAccessibleWidget(control, role), kind_(std::move(kind)) {}

  Control* control() const { return static_cast<Control*>(widget()); }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return NameOf(control(), kind_);
    if (t == QAccessible::Value) return QString::number(control()->Position());
    return QAccessibleWidget::text(t);
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QVariant currentValue() const override { return control()->Position(); }
  void setCurrentValue(const QVariant& value) override { control()->SetPositionAndReport(value.toInt()); }
  QVariant maximumValue() const override { return control()->Maximum(); }
  QVariant minimumValue() const override { return control()->Minimum(); }
  QVariant minimumStepSize() const override { return 1; }

 private:
  QString kind_;
};

class PickerAccessible : public QAccessibleWidget {
 public:
  explicit PickerAccessible(CColorPicker* picker) : QAccessibleWidget(picker, QAccessible::ColorChooser) {}
  CColorPicker* picker() const { return static_cast<CColorPicker*>(widget()); }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return NameOf(picker(), QStringLiteral("Colour picker"));
    if (t == QAccessible::Value) {
      QString value = ColourText(picker()->FirstColour());
      if (!picker()->IsSingleColour()) value += QStringLiteral(", ") + ColourText(picker()->SecondColour());
      return value;
    }
    return QAccessibleWidget::text(t);
  }
  void setText(QAccessible::Text t, const QString& text) override {
    if (t != QAccessible::Value) return QAccessibleWidget::setText(t, text);
    const QStringList parts = text.split(u',', Qt::SkipEmptyParts);
    unsigned first = picker()->FirstColour(), second = picker()->SecondColour();
    if (parts.isEmpty() || !ParseColourText(parts[0].trimmed(), &first)) return;
    if (parts.size() > 1 && !picker()->IsSingleColour() && !ParseColourText(parts[1].trimmed(), &second)) return;
    picker()->SetColoursAndReport(first, second);
  }
};

QAccessibleInterface* ControlsFactory(const QString& class_name, QObject* object) {
  if (class_name == QLatin1String("lumi::app::CColorSlider"))
    return new PositionAccessible<CColorSlider>(static_cast<CColorSlider*>(object), QAccessible::Slider,
                                                QStringLiteral("Colour slider"));
  if (class_name == QLatin1String("lumi::app::CRoundSliderCtrl"))
    return new PositionAccessible<CRoundSliderCtrl>(static_cast<CRoundSliderCtrl*>(object), QAccessible::Dial,
                                                    QStringLiteral("Angle dial"));
  if (class_name == QLatin1String("lumi::app::CColorPicker"))
    return new PickerAccessible(static_cast<CColorPicker*>(object));
  return nullptr;
}

}  // namespace

void InstallControlsAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(ControlsFactory);
    return true;
  }();
  (void)installed;
}

void NotifyAccessibleValue(QWidget* control, const QVariant& value) {
  if (!QAccessible::isActive()) return;
  QAccessibleValueChangeEvent event(control, value);
  QAccessible::updateAccessibility(&event);
}

QString ColourText(unsigned colour) {
  return QStringLiteral("#%1%2%3")
      .arg(colour & 255, 2, 16, QLatin1Char('0'))
      .arg((colour >> 8) & 255, 2, 16, QLatin1Char('0'))
      .arg((colour >> 16) & 255, 2, 16, QLatin1Char('0'))
      .toUpper();
}

bool ParseColourText(const QString& text, unsigned* colour) {
  if (text.size() != 7 || text[0] != u'#') return false;
  bool ok = false;
  const unsigned rgb = text.mid(1).toUInt(&ok, 16);
  if (!ok) return false;
  *colour = ((rgb >> 16) & 255) | (rgb & 0xFF00) | ((rgb & 255) << 16);
  return true;
}

}  // namespace lumi::app
