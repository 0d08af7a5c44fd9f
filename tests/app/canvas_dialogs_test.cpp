// The canvas and colour dialogs in the window: the size checks that keep Document
// Properties open, a trim that makes closing ask to save, the "Bitmap Color Tweak"
// sliders and preview, and "Shift Color" over a multi-selection.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app_fixture.h"
#include "base/runtime_random.h"
#include "canvas_dialogs.h"
#include "canvas_menu.h"
#include "colour_tweak_dialog.h"
#include "controls/color_picker.h"
#include "controls/color_slider.h"
#include "edit/tool_machine.h"
#include "effects/colour_tweak.h"
#include "effects/filter_factory.h"
#include "image/pixwerk.h"
#include "library/texture_bank.h"
#include "plenivor_view.h"
#include "shift_colour_dialog.h"

namespace lumi::app::testing {
namespace {

// A w x h 32-bit bitmap with a pattern every filter changes.
CDIBSection Pattern(int w, int h) {
  CDIBSection image;
  image.Create(w, h);
  for (int y = 0; y < h; ++y) {
    std::uint8_t* row = image.Row(y);
    for (int x = 0; x < w; ++x) {
      row[4 * x] = static_cast<std::uint8_t>(x * 7 + y);
      row[4 * x + 1] = static_cast<std::uint8_t>(y * 5 + 40);
      row[4 * x + 2] = static_cast<std::uint8_t>((x ^ y) * 3);
      row[4 * x + 3] = 255;
    }
  }
  return image;
}

// Keeps a picture of a dialog as shown in artefacts/ of the build.
void KeepPicture(QWidget& widget, const char* name) {
  QDir().mkpath(QStringLiteral(LUMI_APP_ARTEFACTS));
  widget.grab().save(QStringLiteral(LUMI_APP_ARTEFACTS "/%1.png").arg(QLatin1String(name)));
}

bool SamePixels(const CDIBSection& a, const CDIBSection& b) {
  return a.PixelBytes() == b.PixelBytes() && std::equal(a.Pixels(), a.Pixels() + a.PixelBytes(), b.Pixels());
}

// Runs `act` on the modal dialog of type D once it is open.
template <typename D>
void WhenOpen(std::function<void(D&)> act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
    QVERIFY(dialog);
    act(*dialog);
  });
}

CDrawObject& AddRectangle(CPlenivorDoc& doc, int l, int t, int r, int b) {
  auto o = doc.MakeObject();
  o->CreateRectangle(l, t, r, b);
  doc.Objects().push_back(std::move(o));
  return *doc.Objects().back();
}

}  // namespace

class CanvasDialogsTest : public QObject {
  Q_OBJECT
 private slots:
  void documentPropertiesStaysOpenOnRefusedSizes() {
    TestApp app;
    CPlenivorDoc& doc = app.window->Document();
    AddRectangle(doc, 10, 10, 60, 40);
    DocumentPropertiesDialog dialog(doc, {400, 300, RGB(255, 255, 255)}, *app.host);
    dialog.show();
    KeepPicture(dialog, "document-properties");
    struct Case {
      const char* width;
      const char* height;
      const char* message;  // null: accepted
    };
    const Case cases[] = {
        {"1801", "1500", "The maximum size allowed is 1800 x 1500"},
        {"400", "-3", "The maximum size allowed is 1800 x 1500"},
        {"0", "300", "The size must be bigger than 0 in both directions."},
        {"12a", "300", "Please enter an integer."},
        {"1800", "1500", nullptr},
    };
    for (const Case& c : cases) {
      app.host->Clear();
      dialog.WidthEdit()->setText(QString::fromLatin1(c.width));
      dialog.HeightEdit()->setText(QString::fromLatin1(c.height));
      dialog.accept();
      if (c.message) {
        QCOMPARE(app.host->Messages(), std::vector<std::string>{c.message});
        QVERIFY2(dialog.isVisible(), c.width);
      } else {
        QVERIFY(app.host->Messages().empty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Values().width, 1800);
        QCOMPARE(dialog.Values().height, 1500);
      }
    }
  }

  void removeUnusedShowsTheNewCount() {
    TestApp app;
    CPlenivorDoc& doc = app.window->Document();
    doc.TextureBank().Add("unused", std::vector<std::uint8_t>(3 * 4, 100), 2, 2);
    DocumentPropertiesDialog dialog(doc, {400, 300, 0}, *app.host);
    QCOMPARE(dialog.PreloadedCount()->text(), QStringLiteral("1"));
    QTest::mouseClick(dialog.RemoveUnusedButton(), Qt::LeftButton);
    QCOMPARE(dialog.PreloadedCount()->text(), QStringLiteral("0"));
    QCOMPARE(doc.TextureBank().Size(), std::size_t{0});
  }

  void closingAfterATrimAsksToSave() {
    TestApp app;
    CPlenivorDoc& doc = app.window->Document();
    AddRectangle(doc, 100, 100, 150, 120);
    AddRectangle(doc, 200, 300, 260, 330);
    doc.TakeSnapshot();
    doc.SetModified(false);
    QVERIFY(RunCanvasCommand(*app.window, "Trim Canvas to size of the objects"));
    QCOMPARE(doc.GetCanvasWidth(), 160);
    app.host->QueueAnswer(Answer::Cancel);
    QVERIFY(!app.window->close());
    QVERIFY(app.host->Log().back().rfind("ask: ", 0) == 0);
  }

  void generalSettingsCutsUndoLevels() {
    TestApp app;
    GeneralSettingsDialog dialog(ReadGeneralSettings(app.window->Document(), app.services.GetSettings()), *app.host);
    QCOMPARE(dialog.Undo()->text(), QStringLiteral("4"));
    QCOMPARE(dialog.DefaultWidth()->text(), QStringLiteral("400"));
    dialog.show();
    KeepPicture(dialog, "general-settings");
    dialog.Undo()->setText(QStringLiteral("50"));
    dialog.AlwaysPortable()->setChecked(true);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    ApplyGeneralSettings(app.window->Document(), app.services.GetSettings(), dialog.Values());
    QCOMPARE(app.services.GetSettings().GetInt("Settings", "Undo", -1), 30);
    QCOMPARE(app.window->Document().GetUndoLimit(), 30);
    QCOMPARE(app.services.GetSettings().GetInt("Settings", "STexture", -1), 1);
  }

  void tweakListsTheFiltersAndShowsOneSliderPerParameter() {
    const CDIBSection image = Pattern(1000, 500);
    ColourTweakDialog dialog(image);
    dialog.show();
    QCOMPARE(dialog.FilterList()->count(), 27);
    QCOMPARE(dialog.FilterList()->itemText(0), QStringLiteral("Color - Boost"));
    QCOMPARE(dialog.FilterList()->itemText(26), QStringLiteral("Special - Mosaic Hard"));
    QCOMPARE(dialog.ShownPreview().Width(), 250);
    QCOMPARE(dialog.ShownPreview().Height(), 125);
    struct Case {
      int filter, count;
      const char* first_label;
    };
    int previous_height = 0;
    for (const Case c : {Case{0, 1, "Boost factor"}, Case{2, 3, "Red"}, Case{11, 5, "Vertical Light"},
                         Case{7, 6, "Red Amount"}}) {
      dialog.FilterList()->setCurrentIndex(c.filter);
      QCoreApplication::processEvents();
      for (int row = 0; row < 8; ++row) {
        QCOMPARE(dialog.Slider(row)->isVisible(), row < c.count);
        QCOMPARE(dialog.SliderLabel(row)->isVisible(), row < c.count);
      }
      QCOMPARE(dialog.SliderLabel(0)->text(), QString::fromLatin1(c.first_label));
      QCOMPARE(dialog.Choice().params[0], DefaultColourTweak(c.filter).params[0]);
      QVERIFY2(dialog.height() > previous_height, "more rows make the dialog taller");
      previous_height = dialog.height();
    }
    dialog.FilterList()->setCurrentIndex(22);  // "Art - Oceanic"
    QCoreApplication::processEvents();
    KeepPicture(dialog, "bitmap-color-tweak");
  }

  void tweakPreviewChangesOnlyAtSliderRelease() {
    const CDIBSection image = Pattern(120, 80);
    ColourTweakDialog dialog(image);
    dialog.show();
    dialog.FilterList()->setCurrentIndex(2);  // "Color - Balance"
    const CDIBSection before = dialog.ShownPreview();
    const int runs = dialog.PreviewRuns();
    CColorSlider* red = dialog.Slider(0);
    const int y = red->height() / 2;
    QTest::mousePress(red, Qt::LeftButton, {}, QPoint(red->width() / 2, y));
    QTest::mouseMove(red, QPoint(red->width() - 5, y));
    QVERIFY(red->Position() > 128);
    QCOMPARE(dialog.PreviewRuns(), runs);
    QVERIFY(SamePixels(dialog.ShownPreview(), before));
    QTest::mouseRelease(red, Qt::LeftButton, {}, QPoint(red->width() - 5, y));
    QCOMPARE(dialog.PreviewRuns(), runs + 1);
    QVERIFY(!SamePixels(dialog.ShownPreview(), before));
    // The preview is the clean copy filtered once (Balance at its defaults of 128 leaves
    // the clean copy as it was), not a filter applied over the last result.
    CDIBSection expected = before;
    CFilterFactory factory;
    factory.SetImage(expected);
    factory.SelectFilter(2);
    for (int i = 0; i < 8; ++i) factory.SetParam(i, dialog.Slider(i)->Position());
    factory.ApplyFilter();
    QVERIFY(SamePixels(dialog.ShownPreview(), expected));
  }

  void livePreviewFollowsTheDragWhenAsked() {
    const CDIBSection image = Pattern(60, 40);  // a preview filtered in far less than the limit
    ColourTweakDialog dialog(image);
    dialog.show();
    dialog.FilterList()->setCurrentIndex(2);
    dialog.LivePreview()->setChecked(true);
    const CDIBSection before = dialog.ShownPreview();
    CColorSlider* green = dialog.Slider(1);
    const int y = green->height() / 2;
    QTest::mousePress(green, Qt::LeftButton, {}, QPoint(green->width() / 2, y));
    QTest::mouseMove(green, QPoint(green->width() - 5, y));
    QVERIFY(!SamePixels(dialog.ShownPreview(), before));
    QTest::mouseRelease(green, Qt::LeftButton, {}, QPoint(green->width() - 5, y));
  }

  void randomSetsEverySliderFromTheSeededGenerator() {
    const CDIBSection image = Pattern(40, 30);
    ColourTweakDialog dialog(image);
    SeedRandom(1234);
    const std::array<int, 8> expected = RandomSliderValues();
    SeedRandom(1234);
    const int runs = dialog.PreviewRuns();
    QTest::mouseClick(dialog.RandomButton(), Qt::LeftButton);
    QCOMPARE(dialog.Choice().params, expected);
    QCOMPARE(dialog.PreviewRuns(), runs + 1);
  }

  void applyFiltersTheWholeBitmapAsTheEngineDoes() {
    TestApp app;
    CPlenivorDoc& doc = app.window->Document();
    RgbImage rgb{300, 260, {}};
    for (int i = 0; i < 300 * 260; ++i)
      for (int c = 0; c < 3; ++c) rgb.pixels.push_back(static_cast<std::uint8_t>(i * (c + 3) / 7));
    auto object = doc.MakeObject();
    QCOMPARE(object->CreateBitmapFromClipboard(rgb, 200, 150), 1);
    CDrawObject& bitmap = *object;
    doc.Objects().push_back(std::move(object));
    app.window->View()->Tools()->SelectObject(&bitmap);

    CDIBSection expected = bitmap.SourceBitmap();
    SeedRandom(99);
    WhenOpen<ColourTweakDialog>([](ColourTweakDialog& d) {
      d.FilterList()->setCurrentIndex(14);  // "Art - Poster Art"
      SeedRandom(99);
      d.Randomise();
      QTest::mouseClick(d.ApplyButton(), Qt::LeftButton);
    });
    QVERIFY(OpenBitmapColourTweak(*app.window));
    SeedRandom(99);
    const std::array<int, 8> params = RandomSliderValues();
    CFilterFactory factory;
    factory.SetImage(expected);
    factory.SelectFilter(14);
    for (int i = 0; i < 8; ++i) factory.SetParam(i, params[static_cast<std::size_t>(i)]);
    factory.ApplyFilter();
    QVERIFY(SamePixels(bitmap.SourceBitmap(), expected));
    QVERIFY(doc.IsModified());
  }

  void captureIsOffWithItsReasonWhereTheScreenCannotBeRead() {
    TestApp app;  // offscreen: no X server to read the screen from
    for (const char* name : {"captureRegionAction", "captureWindowAction"}) {
      auto* action = app.window->findChild<QAction*>(QLatin1String(name));
      QVERIFY(action);
      QVERIFY(!action->isEnabled());
      QVERIFY2(action->toolTip().contains(QStringLiteral("X11")), qPrintable(action->toolTip()));
      QVERIFY2(action->statusTip().startsWith(QStringLiteral("Screen capture needs")), qPrintable(action->statusTip()));
    }
    auto* minimise = app.window->findChild<QAction*>(QStringLiteral("minimiseBeforeCaptureAction"));
    QVERIFY(minimise->isChecked());
    QCOMPARE(minimise->toolTip(), QStringLiteral("Minimize before Screen Capture"));
  }

  void shiftColorMovesTheSelectedFills() {
    TestApp app;
    CPlenivorDoc& doc = app.window->Document();
    CDrawObject& a = AddRectangle(doc, 10, 10, 60, 40);
    CDrawObject& b = AddRectangle(doc, 100, 10, 160, 40);
    CDrawObject& c = AddRectangle(doc, 200, 10, 260, 40);
    a.SetFillColor(RGB(230, 10, 10));
    b.SetFillColor(RGB(0, 200, 30));
    c.SetFillColor(RGB(5, 5, 5));
    app.window->View()->Tools()->SetMultiSelection({&a, &b}, false);
    WhenOpen<ShiftColourDialog>([](ShiftColourDialog& d) {
      QCOMPARE(d.FromPicker()->FirstColour(), RGB(0, 0, 0));
      QCOMPARE(d.TowardsPicker()->FirstColour(), RGB(0, 0, 0));
      d.FromPicker()->SetFirstColour(RGB(100, 0, 0));
      d.TowardsPicker()->SetFirstColour(RGB(150, 0, 20));
      KeepPicture(d, "shift-color");
      d.accept();
    });
    QVERIFY(OpenShiftColour(*app.window));
    QCOMPARE(a.GetFillColor(), RGB(255, 10, 30));
    QCOMPARE(b.GetFillColor(), RGB(50, 200, 50));
    QCOMPARE(c.GetFillColor(), RGB(5, 5, 5));
  }
};

}  // namespace lumi::app::testing

QTEST_MAIN(lumi::app::testing::CanvasDialogsTest)
#include "canvas_dialogs_test.moc"
