// The colour slider, the round dial and the colour picker driven by real mouse and key
// events: what they report, what they draw, what they ignore while disabled, and what
// assistive tools read and set.
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <vector>

#include "controls/color_picker.h"
#include "controls/color_slider.h"
#include "controls/control_colours.h"
#include "controls/round_slider_ctrl.h"
#include "controls/shaded_progress_ctrl.h"
#include "ui/color_slider_geometry.h"
#include "ui/hls_colour_field.h"

using lumi::COLORREF;
using lumi::RGB;
using lumi::SliderReport;
using namespace lumi::app;

Q_DECLARE_METATYPE(lumi::SliderReport)

namespace {

// The report codes a control sent, in order.
std::vector<int> Codes(const QSignalSpy& spy) {
  std::vector<int> codes;
  for (const QList<QVariant>& call : spy) codes.push_back(static_cast<int>(call.at(0).value<SliderReport>()));
  return codes;
}

template <typename W>
void ShowAt(W& w, QSize size) {
  w.resize(size);
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
}

QRgb Rgb(COLORREF c) { return qRgb(lumi::GetRValue(c), lumi::GetGValue(c), lumi::GetBValue(c)); }

}  // namespace

class ValueControlsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { qRegisterMetaType<SliderReport>(); }

  void sliderDragReportsChangesAndOneEnd() {
    CColorSlider slider;
    ShowAt(slider, {100, 22});
    QSignalSpy reports(&slider, &CColorSlider::reported);
    QSignalSpy finished(&slider, &CColorSlider::changeFinished);
    const int y = 15;
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(20, y));
    QTest::mouseMove(&slider, QPoint(40, y));
    QTest::mouseMove(&slider, QPoint(60, y));
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(70, y));
    const int expected = lumi::SliderValueAt({0, 255, 100, 6}, 70);
    QCOMPARE(slider.Position(), expected);
    QCOMPARE(Codes(reports), (std::vector<int>{5, 5, 5, 5, 8}));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), expected);
  }

  void sliderClickWithoutChangeReportsNothing() {
    CColorSlider slider;
    ShowAt(slider, {100, 22});
    slider.SetPosition(lumi::SliderValueAt({0, 255, 100, 6}, 50));
    QSignalSpy reports(&slider, &CColorSlider::reported);
    QTest::mouseClick(&slider, Qt::LeftButton, {}, QPoint(50, 15));
    QCOMPARE(reports.count(), 0);
  }

  void sliderKeysStepAndWrap_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("code");
    QTest::newRow("page up wraps") << int(Qt::Key_PageUp) << 5 << 251 << 2;
    QTest::newRow("page down") << int(Qt::Key_PageDown) << 5 << 15 << 3;
    QTest::newRow("left") << int(Qt::Key_Left) << 5 << 4 << 0;
    QTest::newRow("up") << int(Qt::Key_Up) << 0 << 255 << 0;
    QTest::newRow("right wraps") << int(Qt::Key_Right) << 255 << 0 << 1;
    QTest::newRow("down") << int(Qt::Key_Down) << 5 << 6 << 1;
  }
  void sliderKeysStepAndWrap() {
    QFETCH(int, key);
    QFETCH(int, start);
    QFETCH(int, expected);
    QFETCH(int, code);
    CColorSlider slider;
    ShowAt(slider, {100, 22});
    slider.SetPosition(start);
    slider.setFocus();
    QSignalSpy reports(&slider, &CColorSlider::reported);
    QTest::keyClick(&slider, static_cast<Qt::Key>(key));
    QCOMPARE(slider.Position(), expected);
    QCOMPARE(Codes(reports), (std::vector<int>{code, 8}));  // the step, then the end at the key's release
    QTest::keyClick(&slider, Qt::Key_Home);
    QTest::keyClick(&slider, Qt::Key_End);
    QCOMPARE(slider.Position(), expected);
    QCOMPARE(reports.count(), 2);
  }

  void disabledControlsIgnoreInput() {
    CColorSlider slider;
    CRoundSliderCtrl dial;
    CColorPicker picker;
    ShowAt(slider, {100, 22});
    ShowAt(dial, {61, 61});
    ShowAt(picker, {200, 50});
    slider.setEnabled(false);
    dial.setEnabled(false);
    picker.setEnabled(false);
    QSignalSpy slider_reports(&slider, &CColorSlider::reported);
    QSignalSpy dial_reports(&dial, &CRoundSliderCtrl::reported);
    QSignalSpy picker_reports(&picker, &CColorPicker::reported);
    QTest::mouseClick(&slider, Qt::LeftButton, {}, QPoint(90, 15));
    QTest::mouseClick(&dial, Qt::LeftButton, {}, QPoint(50, 30));
    QTest::mouseClick(&picker, Qt::LeftButton, {}, QPoint(100, 25));
    QTest::mouseClick(&picker, Qt::LeftButton, {}, QPoint(5, 20));
    QCOMPARE(slider.Position(), 0);
    QCOMPARE(dial.Position(), 0);
    QCOMPARE(picker.FirstColour(), RGB(255, 255, 255));
    QCOMPARE(picker.SecondColour(), RGB(0, 0, 0));
    QCOMPARE(slider_reports.count() + dial_reports.count() + picker_reports.count(), 0);
  }

  void sliderTrackShowsTheValueColour_data() {
    QTest::addColumn<bool>("inverted");
    QTest::addColumn<bool>("centred");
    QTest::addColumn<int>("position");
    QTest::newRow("plain") << false << false << 200;
    QTest::newRow("inverted") << true << false << 200;
    QTest::newRow("centred middle") << false << true << 128;
    QTest::newRow("centred minimum") << false << true << 0;
  }
  // A dark desktop theme: the controls' faces come from the palette, and the progress
  // bar's tints follow a palette that changes after it was made.
  void aDarkThemeGivesDarkFacesAndTints() {
    QPalette dark;
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE));
    dark.setColor(QPalette::Highlight, QColor(0x2A, 0x82, 0xDA));
    dark.setColor(QPalette::Shadow, QColor(0x10, 0x10, 0x10));
    dark.setColor(QPalette::Dark, QColor(0x22, 0x22, 0x22));
    const QRgb face = qRgb(0x35, 0x35, 0x35) & 0xFFFFFF;

    CColorSlider slider;
    slider.setPalette(dark);
    ShowAt(slider, {160, 22});
    QCOMPARE(slider.grab().toImage().pixel(1, 1) & 0xFFFFFF, face);
    CRoundSliderCtrl dial;
    dial.setPalette(dark);
    ShowAt(dial, {100, 60});
    QCOMPARE(dial.grab().toImage().pixel(1, 1) & 0xFFFFFF, face);

    CShadedProgressCtrl bar;
    ShowAt(bar, {120, 16});
    bar.setPalette(dark);
    QCOMPARE(bar.Colour(), RGB(0x2A, 0x82, 0xDA));
    const lumi::ProgressPalette expected = lumi::MakeProgressPalette(RGB(0x2A, 0x82, 0xDA), RGB(0x10, 0x10, 0x10),
                                                                   RGB(0x22, 0x22, 0x22));
    QVERIFY(bar.Palette().tube == expected.tube);
    QCOMPARE(bar.Palette().shadow_mid, expected.shadow_mid);
    QCOMPARE(bar.grab().toImage().pixel(118, 1) & 0xFFFFFF, face);
    // A colour chosen by the owner stays through a theme change; the shadows follow.
    bar.SetColour(RGB(200, 0, 0));
    bar.setPalette(QPalette());
    QCOMPARE(bar.Colour(), RGB(200, 0, 0));
    QCOMPARE(bar.Palette().shadow, lumi::app::ToColorRef(QPalette().color(QPalette::Dark)));
  }

  void sliderTrackShowsTheValueColour() {
    QFETCH(bool, inverted);
    QFETCH(bool, centred);
    QFETCH(int, position);
    CColorSlider slider;
    slider.SetInverted(inverted);
    slider.SetCentred(centred);
    slider.SetBaseColour(RGB(240, 120, 60));
    ShowAt(slider, {160, 22});
    slider.SetPosition(position);
    const QImage image = slider.grab().toImage();
    const COLORREF expected = lumi::SliderTrackColour(RGB(240, 120, 60), 0, 255, position, inverted, centred);
    const int knob = lumi::SliderKnobCentre({0, 255, 160, 6}, position);
    const int x = knob > 80 ? 20 : 140;  // a track pixel away from the knob
    QCOMPARE(image.pixel(x, 22 - 7) & 0xFFFFFF, Rgb(expected) & 0xFFFFFF);
    QCOMPARE(image.pixel(x, 22 - 6) & 0xFFFFFF, Rgb(expected) & 0xFFFFFF);
  }

  void dialAnglesAtTheCompassPoints_data() {
    QTest::addColumn<bool>("mirrored");
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<int>("expected");
    const QPoint top(30, 10), right(50, 30), bottom(30, 50), left(10, 30);
    QTest::newRow("top") << false << top << 0;
    QTest::newRow("right") << false << right << 90;
    QTest::newRow("bottom") << false << bottom << 180;
    QTest::newRow("left") << false << left << 270;
    QTest::newRow("mirrored top") << true << top << 0;
    QTest::newRow("mirrored right") << true << right << 270;
    QTest::newRow("mirrored bottom") << true << bottom << 180;
    QTest::newRow("mirrored left") << true << left << 90;
  }
  void dialAnglesAtTheCompassPoints() {
    QFETCH(bool, mirrored);
    QFETCH(QPoint, press);
    QFETCH(int, expected);
    CRoundSliderCtrl dial;
    dial.SetMirrored(mirrored);
    ShowAt(dial, {61, 61});
    dial.SetPosition(45);
    QSignalSpy reports(&dial, &CRoundSliderCtrl::reported);
    QTest::mouseClick(&dial, Qt::LeftButton, {}, press);
    QCOMPARE(dial.Position(), expected);
    QCOMPARE(Codes(reports), (std::vector<int>{5, 4, 8}));  // the change, then 4 and 8 at the release
  }

  void dialDragEndsOnceAndKeysWrap() {
    CRoundSliderCtrl dial;
    ShowAt(dial, {61, 61});
    QSignalSpy finished(&dial, &CRoundSliderCtrl::changeFinished);
    QTest::mousePress(&dial, Qt::LeftButton, {}, QPoint(50, 30));
    QTest::mouseMove(&dial, QPoint(30, 50));
    QTest::mouseMove(&dial, QPoint(10, 30));
    QTest::mouseRelease(&dial, Qt::LeftButton, {}, QPoint(10, 30));
    QCOMPARE(dial.Position(), 270);
    QCOMPARE(finished.count(), 1);
    dial.SetPosition(5);
    QTest::keyClick(&dial, Qt::Key_PageUp);
    QCOMPARE(dial.Position(), 355);
    dial.SetTextFormat(QStringLiteral("%ld\u00B0"));
    QCOMPARE(dial.Text(), QStringLiteral("355\u00B0"));
  }

  void pickerSwatchClicks() {
    CColorPicker picker;
    ShowAt(picker, {200, 50});
    picker.SetFirstColour(RGB(10, 20, 30));
    picker.SetSecondColour(RGB(200, 100, 50));
    QSignalSpy finished(&picker, &CColorPicker::changeFinished);
    // A right click on the first swatch copies the first colour into the second.
    QTest::mouseClick(&picker, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(picker.SecondColour(), RGB(10, 20, 30));
    // A click on the second swatch swaps the colours.
    picker.SetSecondColour(RGB(200, 100, 50));
    QTest::mouseClick(&picker, Qt::LeftButton, {}, QPoint(5, 20));
    QCOMPARE(picker.FirstColour(), RGB(200, 100, 50));
    QCOMPARE(picker.SecondColour(), RGB(10, 20, 30));
    QCOMPARE(finished.count(), 2);
  }

  void pickerDragsPickFromTheColourField() {
    CColorPicker picker;
    ShowAt(picker, {200, 50});
    QTest::mousePress(&picker, Qt::LeftButton, {}, QPoint(100, 25));
    QCOMPARE(picker.FirstColour(), lumi::ColourFieldColour(78, 25, 200, 50));
    QTest::mouseMove(&picker, QPoint(400, -10));  // far outside: kept at the colour field's corner
    QCOMPARE(picker.FirstColour(), lumi::ColourFieldColour(176, 1, 200, 50));
    QTest::mouseRelease(&picker, Qt::LeftButton, {}, QPoint(400, -10));
    QTest::mousePress(&picker, Qt::RightButton, {}, QPoint(60, 40));
    QTest::mouseRelease(&picker, Qt::RightButton, {}, QPoint(60, 40));
    QCOMPARE(picker.SecondColour(), lumi::ColourFieldColour(38, 40, 200, 50));
  }

  void pickerSingleColourIgnoresTheSecondColour() {
    CColorPicker picker;
    picker.SetSingleColour(true);
    ShowAt(picker, {200, 50});
    int dialogs = 0;
    picker.SetColourDialog([&](COLORREF, QWidget*) {
      ++dialogs;
      return std::optional<COLORREF>();
    });
    QTest::mouseClick(&picker, Qt::RightButton, {}, QPoint(100, 25));
    QTest::mouseClick(&picker, Qt::RightButton, {}, QPoint(5, 5));
    QTest::mouseClick(&picker, Qt::LeftButton, {}, QPoint(5, 40));  // the one swatch fills the column
    QCOMPARE(dialogs, 1);
    QCOMPARE(picker.FirstColour(), RGB(255, 255, 255));
    QCOMPARE(picker.SecondColour(), RGB(0, 0, 0));
    QVERIFY(!picker.GenePressed());
  }

  void pickerGeneButtonAndColourDialog() {
    CColorPicker picker;
    ShowAt(picker, {200, 50});
    std::vector<COLORREF> asked;
    std::optional<COLORREF> answer = RGB(1, 2, 3);
    picker.SetColourDialog([&](COLORREF initial, QWidget*) {
      asked.push_back(initial);
      return answer;
    });
    QSignalSpy finished(&picker, &CColorPicker::changeFinished);
    QTest::mouseClick(&picker, Qt::LeftButton, {}, QPoint(5, 40));
    QVERIFY(picker.GenePressed());
    QTest::mousePress(&picker, Qt::LeftButton, {}, QPoint(5, 40));
    QVERIFY(!picker.GenePressed());  // cleared at the next press
    QTest::mouseRelease(&picker, Qt::LeftButton, {}, QPoint(150, 25));
    QVERIFY(!picker.GenePressed());  // released elsewhere
    QTest::mouseClick(&picker, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(asked, (std::vector<COLORREF>{RGB(255, 255, 255)}));
    QCOMPARE(picker.FirstColour(), RGB(1, 2, 3));
    answer.reset();  // cancelled: the colour stays, the end is still reported
    QTest::mouseClick(&picker, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(picker.FirstColour(), RGB(1, 2, 3));
    QCOMPARE(finished.count(), 4);
  }

  void pickerDrawsTheColourField() {
    CColorPicker picker;
    ShowAt(picker, {200, 50});
    const QImage image = picker.grab().toImage();
    for (auto [j, i] : {std::pair{1, 1}, std::pair{60, 24}, std::pair{120, 40}, std::pair{176, 48}})
      QCOMPARE(image.pixel(22 + j, i) & 0xFFFFFF, Rgb(lumi::ColourFieldColour(j, i, 200, 50)) & 0xFFFFFF);
    QCOMPARE(image.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);  // the first swatch, white
    QCOMPARE(image.pixel(5, 22) & 0xFFFFFF, 0u);         // the second swatch, black
  }

  void assistiveToolsReadAndSetValues() {
    CColorSlider slider;
    slider.setAccessibleName(QStringLiteral("Strength"));
    CRoundSliderCtrl dial;
    CColorPicker picker;
    ShowAt(slider, {100, 22});
    ShowAt(dial, {61, 61});
    ShowAt(picker, {200, 50});
    slider.SetPosition(77);
    dial.SetPosition(123);
    QAccessibleInterface* s = QAccessible::queryAccessibleInterface(&slider);
    QAccessibleInterface* d = QAccessible::queryAccessibleInterface(&dial);
    QAccessibleInterface* p = QAccessible::queryAccessibleInterface(&picker);
    QVERIFY(s && d && p);
    QCOMPARE(s->text(QAccessible::Name), QStringLiteral("Strength"));
    QVERIFY(!d->text(QAccessible::Name).isEmpty());
    QCOMPARE(s->valueInterface()->currentValue().toInt(), 77);
    QCOMPARE(d->text(QAccessible::Value), QStringLiteral("123"));
    QCOMPARE(p->text(QAccessible::Value), QStringLiteral("#FFFFFF, #000000"));
    QSignalSpy finished(&slider, &CColorSlider::changeFinished);
    s->valueInterface()->setCurrentValue(12);
    QCOMPARE(slider.Position(), 12);
    QCOMPARE(finished.count(), 1);
    d->valueInterface()->setCurrentValue(270);
    QCOMPARE(dial.Position(), 270);
    p->setText(QAccessible::Value, QStringLiteral("#102030, #A0B0C0"));
    QCOMPARE(picker.FirstColour(), RGB(0x10, 0x20, 0x30));
    QCOMPARE(picker.SecondColour(), RGB(0xA0, 0xB0, 0xC0));
    p->setText(QAccessible::Value, QStringLiteral("not a colour"));
    QCOMPARE(picker.FirstColour(), RGB(0x10, 0x20, 0x30));
  }
};

QTEST_MAIN(ValueControlsTest)
#include "value_controls_test.moc"
