// The bitmap button's cold and hover looks and tool tip, the image toggle button's three
// pictures, the shaded progress bar's tube, and the flat toolbar's frames, embossed
// disabled pictures and buttons built from the toolbar layouts.
#include <QAction>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QTemporaryDir>
#include <QEnterEvent>
#include <QPainter>
#include <QStyleOption>
#include <QTest>
#include <QToolButton>

#include "controls/bitmap_button.h"
#include "controls/color_picker.h"
#include "controls/color_slider.h"
#include "controls/round_slider_ctrl.h"
#include "controls/control_colours.h"
#include "controls/image_toggle_button.h"
#include "controls/init_dialog_bar.h"
#include "controls/shaded_progress_ctrl.h"
#include "controls/texture_combo.h"
#include "controls/toolbar_ex.h"
#include "image/pixwerk.h"

using lumi::RGB;
using namespace lumi::app;

namespace {

bool HasPixel(const QImage& image, const std::function<bool(QRgb)>& test) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (test(image.pixel(x, y))) return true;
  return false;
}

bool Saturated(QRgb c) { return qMax(qRed(c), qMax(qGreen(c), qBlue(c))) - qMin(qRed(c), qMin(qGreen(c), qBlue(c))) > 60; }

void Hover(QWidget* w, bool in) {
  if (in) {
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(w, &enter);
  } else {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w, &leave);
  }
}

}  // namespace

class ButtonsToolbarTest : public QObject {
  Q_OBJECT

 private slots:
  void coldPictureIsGreyButTheMaskColour() {
    QImage palette_like(3, 1, QImage::Format_ARGB32);
    palette_like.setPixel(0, 0, qRgb(255, 0, 0));
    palette_like.setPixel(1, 0, qRgb(255, 0, 255));
    palette_like.setPixel(2, 0, qRgb(255, 255, 255));
    const QImage cold = ColdImageOf(palette_like, RGB(255, 0, 255));
    QCOMPARE(cold.pixel(0, 0), qRgb(128, 128, 128));  // L = 77
    QCOMPARE(cold.pixel(1, 0), qRgb(255, 0, 255));    // the mask colour keeps its colour
    QCOMPARE(cold.pixel(2, 0), qRgb(255, 255, 255));
  }

  void flatButtonShowsColourOnlyWhileHovered() {
    COXBitmapButton button;
    QVERIFY(button.LoadBitmap(QStringLiteral("remove-point")));
    button.setText(QStringLiteral("\nRemove Point"));
    QVERIFY(button.SetFlatLook(true));
    button.SetToolTipEnabled(true);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QCOMPARE(button.size(), QSize(22, 22));  // the picture plus 3 pixels on each side
    QCOMPARE(button.toolTip(), QStringLiteral("Remove Point"));
    QCOMPARE(button.accessibleName(), QStringLiteral("Remove Point"));
    Hover(&button, false);  // the offscreen pointer starts over a window shown at the origin
    QVERIFY(!HasPixel(button.grab().toImage(), Saturated));  // cold: grey only
    Hover(&button, true);
    QVERIFY(button.IsHovered());
    QVERIFY(HasPixel(button.grab().toImage(), Saturated));
    Hover(&button, false);
    QVERIFY(!HasPixel(button.grab().toImage(), Saturated));
    button.SetToolTipEnabled(false);
    QVERIFY(button.toolTip().isEmpty());
    QVERIFY(!button.LoadBitmap(QStringLiteral("/no/such/picture.bmp")));
    QVERIFY(button.NormalImage().isNull());
  }

  void imageToggleButtonShowsItsState() {
    CImageToggleButton button;
    QVERIFY(button.LoadImages(QStringLiteral("frame-pushed"), 60));
    QVERIFY(!button.LoadImages(QStringLiteral("frame-pushed"), 90));  // fewer than three pictures
    button.resize(64, 44);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    const QImage off = button.grab().toImage();
    button.SetOn(true);
    const QImage on = button.grab().toImage();
    QVERIFY(off != on);
    QCOMPARE(off.pixel(0, 0), qRgb(255, 255, 255));
    button.setEnabled(false);
    QCOMPARE(button.grab().toImage().pixel(0, 0), qRgb(192, 192, 192));
  }

  void progressBarDrawsATubeOfTints() {
    CShadedProgressCtrl bar;
    bar.SetColour(RGB(0, 0, 255));
    bar.setRange(0, 100);
    bar.setValue(50);
    bar.resize(200, 11);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    const QImage image = bar.grab().toImage();
    QCOMPARE(image.pixel(40, 5), qRgb(153, 153, 255));  // the lightest tint in the middle
    QCOMPARE(image.pixel(40, 0), qRgb(0, 0, 153));      // the darkest at the edges
    QCOMPARE(image.pixel(40, 10), qRgb(0, 0, 153));
    QCOMPARE(image.pixel(99, 5), ToQColor(bar.Palette().shadow).rgb());
    QCOMPARE(image.pixel(150, 5), ButtonFace(bar.palette()).rgb());
    bar.SetStep(10);
    bar.setValue(95);
    bar.StepIt();
    QCOMPARE(bar.value(), 5);
  }

  void toolbarFramesAndEmbossedPictures() {
    CToolBarStyle look;
    QPalette pal;
    pal.setColor(QPalette::Light, Qt::white);
    pal.setColor(QPalette::Dark, QColor(128, 128, 128));
    auto draw = [&](QStyle::State state) {
      QImage image(10, 10, QImage::Format_RGB32);
      image.fill(QColor(200, 200, 200));
      QPainter p(&image);
      QStyleOption option;
      option.rect = image.rect();
      option.palette = pal;
      option.state = state;
      look.drawPrimitive(QStyle::PE_PanelButtonTool, &option, &p);
      return image;
    };
    const QImage hovered = draw(QStyle::State_Enabled | QStyle::State_MouseOver);
    QCOMPARE(hovered.pixel(0, 0), qRgb(255, 255, 255));
    QCOMPARE(hovered.pixel(9, 9), qRgb(128, 128, 128));
    const QImage sunken = draw(QStyle::State_Enabled | QStyle::State_On);
    QCOMPARE(sunken.pixel(0, 0), qRgb(128, 128, 128));
    QCOMPARE(sunken.pixel(9, 9), qRgb(255, 255, 255));
    const QImage plain = draw(QStyle::State_Enabled);
    QCOMPARE(plain.pixel(0, 0), qRgb(200, 200, 200));
    QCOMPARE(draw(QStyle::State_MouseOver).pixel(0, 0), qRgb(200, 200, 200));  // disabled: no hover frame
    QCOMPARE(look.pixelMetric(QStyle::PM_ButtonShiftHorizontal), 1);

    QImage dot(4, 4, QImage::Format_ARGB32);
    dot.fill(Qt::transparent);
    dot.setPixel(1, 1, qRgb(255, 0, 0));
    const QImage embossed = EmbossedImage(dot, Qt::white, QColor(128, 128, 128));
    QCOMPARE(embossed.pixel(1, 1), qRgb(128, 128, 128));
    QCOMPARE(embossed.pixel(2, 2), qRgb(255, 255, 255));
    QCOMPARE(qAlpha(embossed.pixel(0, 0)), 0);
  }

  void toolbarButtonsFromTheLayouts() {
    for (const lumi::ToolbarLayout& layout : lumi::MainToolbars()) {
      CToolBarEx bar(QString::fromUtf8(layout.title.data(), layout.title.size()));
      QAction select(QStringLiteral("Select Object"));
      bar.AddButtons(layout, [&](const lumi::ToolbarButton& b) { return b.command == "Select Object" ? &select : nullptr; });
      int buttons = 0, separators = 0;
      for (QAction* action : bar.actions()) {
        if (action->isSeparator()) { ++separators; continue; }
        ++buttons;
        QVERIFY2(!action->icon().isNull(), qPrintable(action->text()));
        QCOMPARE(action->isEnabled(), action == &select);  // commands not wired yet are disabled, not silent
        auto* tool = qobject_cast<QToolButton*>(bar.widgetForAction(action));
        QVERIFY(tool && tool->style() == bar.style());
      }
      int expected_buttons = 0;
      for (const lumi::ToolbarButton& b : layout.buttons) expected_buttons += b.id != 0;
      QCOMPARE(buttons, expected_buttons);
      QCOMPARE(buttons + separators, static_cast<int>(layout.buttons.size()));
    }
  }

  void toolbarButtonRaisesUnderThePointer() {
    QWidget window;
    auto* bar = new CToolBarEx(QStringLiteral("Tools"), &window);
    QAction select(QStringLiteral("Select Object"));
    QAction zoom(QStringLiteral("Zoom"));
    zoom.setCheckable(true);
    zoom.setChecked(true);
    bar->AddButtons(lumi::MainToolbars()[1], [&](const lumi::ToolbarButton& b) {
      return b.command == "Select Object" ? &select : b.command == "Zoom" ? &zoom : nullptr;
    });
    window.resize(600, 60);
    bar->resize(600, 40);
    window.move(100, 100);  // away from where the offscreen pointer starts
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QWidget* button = bar->widgetForAction(&select);
    QWidget* checked = bar->widgetForAction(&zoom);
    const QColor light = button->palette().color(QPalette::Light);
    const QColor dark = button->palette().color(QPalette::Dark);
    const QImage before = button->grab().toImage();
    QVERIFY(before.pixel(0, 0) != light.rgb());  // flat until hovered
    const QImage sunken = checked->grab().toImage();
    QCOMPARE(sunken.pixel(0, 0), dark.rgb());    // a checked button is sunken
    QTest::mouseMove(&window, button->mapTo(&window, button->rect().center()));
    QTRY_VERIFY(button->underMouse());
    const QImage hovered = button->grab().toImage();
    QCOMPARE(hovered.pixel(0, 0), light.rgb());
    QCOMPARE(hovered.pixel(hovered.width() - 1, hovered.height() - 1), dark.rgb());
  }

  void barInitialisesOnlyAfterItsControlsAreBuilt() {
    struct Bar : CInitDialogBar {
      bool builds = true;
      int filled = 0, own_setup = 0;
      bool BuildControls() override { return builds; }
      void UpdateControlsFromMembers() override { ++filled; }
      bool OnInitDialogBar() override {
        if (!CInitDialogBar::OnInitDialogBar()) return false;
        ++own_setup;
        return true;
      }
    };
    Bar working;
    QVERIFY(working.Create());
    QCOMPARE(working.filled, 1);
    QCOMPARE(working.own_setup, 1);
    Bar broken;
    broken.builds = false;
    QVERIFY(!broken.Create());
    QCOMPARE(broken.filled + broken.own_setup, 0);  // nothing initialised without its controls
  }

  void writesAGalleryOfTheControls() {
    // Every control in one window, kept as artefacts/controls-gallery.png to look at.
    QWidget window;
    window.setStyleSheet(QString());
    auto* grid = new QGridLayout(&window);
    auto* slider = new CColorSlider;
    slider->SetBaseColour(RGB(255, 0, 0));
    slider->SetKnobColourMode(1);
    slider->SetPosition(180);
    auto* centred = new CColorSlider;
    centred->SetBaseColour(RGB(255, 255, 255));
    centred->SetCentred(true);
    centred->SetPosition(40);
    auto* dial = new CRoundSliderCtrl;
    dial->SetRange(0, 360);
    dial->SetZeroAngle(270);
    dial->SetPosition(45);
    dial->setFixedSize(64, 64);
    auto* picker = new CColorPicker;
    picker->SetFirstColour(RGB(40, 160, 60));
    picker->SetSecondColour(RGB(250, 200, 0));
    picker->SetGenePictureIndex(1);
    picker->setFixedSize(220, 50);
    auto* progress = new CShadedProgressCtrl;
    progress->SetColour(RGB(0, 0, 255));
    progress->setValue(60);
    progress->setFixedHeight(14);
    auto* buttons = new QHBoxLayout;
    for (const char* name : {"remove-point", "smooth-node", "sharp-node", "break-path", "close-and-fill-path"}) {
      auto* b = new COXBitmapButton;
      b->LoadBitmap(QString::fromLatin1(name));
      b->SetFlatLook(std::string(name) != "remove-point");
      buttons->addWidget(b);
    }
    for (const char* name : {"frame-normal", "frame-highlighted", "frame-pushed"}) {
      auto* t = new CImageToggleButton;
      t->LoadImages(QString::fromLatin1(name), 60);
      t->SetOn(std::string(name) == "frame-highlighted");
      t->setEnabled(std::string(name) != "frame-pushed");
      t->setFixedSize(64, 44);
      buttons->addWidget(t);
    }
    auto* bar = new CToolBarEx(QStringLiteral("Tools"));
    QAction select(QStringLiteral("Select Object"));
    bar->AddButtons(lumi::MainToolbars()[1], [&](const lumi::ToolbarButton& b) { return b.command == "Select Object" ? &select : nullptr; });
    QTemporaryDir textures;
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) rgb.insert(rgb.end(), {std::uint8_t(120 + x * 3), std::uint8_t(60 + y * 4), 40});
    QVERIFY(lumi::PxSaveBMP((textures.path() + "/_warm wood.bmp").toStdString(), rgb.data(), 40, 40));
    auto* list = new CTextureCombo;
    list->Fill(lumi::TextureListKind::kFill, textures.path() + u'/');
    list->setCurrentIndex(3);
    grid->addWidget(list, 1, 2);
    grid->addWidget(slider, 0, 0);
    grid->addWidget(centred, 0, 1);
    grid->addWidget(dial, 0, 2);
    grid->addWidget(picker, 1, 0, 1, 2);
    grid->addWidget(progress, 2, 0, 1, 3);
    grid->addLayout(buttons, 3, 0, 1, 3);
    grid->addWidget(bar, 4, 0, 1, 3);
    window.resize(560, 230);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage gallery = window.grab().toImage();
    QVERIFY(QDir().mkpath(QStringLiteral(LUMI_APP_ARTEFACTS)));
    QVERIFY(gallery.save(QStringLiteral(LUMI_APP_ARTEFACTS "/controls-gallery.png")));
    QVERIFY(HasPixel(gallery, Saturated));
  }
};

QTEST_MAIN(ButtonsToolbarTest)
#include "buttons_toolbar_test.moc"
