#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include <optional>
#include <vector>

#include "base/host.h"
#include "base/settings.h"
#include "export/export_image.h"
#include "export_dialog.h"
#include "export_preview.h"

using lumi::app::CExportDlg;

namespace {

// An 800 x 600 picture with some detail, so sizes and previews differ between choices.
lumi::RgbImage SamplePicture() {
  lumi::RgbImage image;
  image.width = 800;
  image.height = 600;
  image.pixels.resize(800 * 600 * 3);
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) {
      std::uint8_t* p = &image.pixels[(std::size_t(y) * 800 + x) * 3];
      p[0] = std::uint8_t(x * 255 / 799);
      p[1] = std::uint8_t(y * 255 / 599);
      p[2] = std::uint8_t(((x / 40 + y / 40) % 2) * 200);
    }
  return image;
}

// The dialog's surroundings: settings in memory, a temporary folder, a recording host and
// a save dialog that answers from a script and remembers what it was asked.
struct ExportFixture {
  lumi::RgbImage source = SamplePicture();
  lumi::MemorySettings settings;
  lumi::RecordingHost host;
  QTemporaryDir temp;
  QTemporaryDir out;
  std::optional<std::filesystem::path> answer;
  std::vector<lumi::SaveDialogRequest> asked;

  lumi::ExportContext Context() {
    return {host, settings, temp.path().toStdString(),
            [this](const lumi::SaveDialogRequest& request) {
              asked.push_back(request);
              return answer;
            },
            {}};
  }
  QString TempFile() const { return temp.filePath(QStringLiteral("export.tmp")); }
};

QString Hex(const QByteArray& bytes) { return QString::fromLatin1(bytes.toHex()); }

}  // namespace

class ExportDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void opensWithTheStoredChoices() {
    ExportFixture f;
    f.settings.SetInt("Export", "Type", 3);  // the editable JPG is never preselected
    f.settings.SetInt("Export", "Qlt", 80);
    f.settings.SetInt("Export", "Sharp", 10);
    f.settings.SetInt("Export", "Gray", 1);
    f.settings.SetInt("Export", "Prog", 0);
    f.settings.SetInt("Export", "Colors", 2);
    f.settings.SetInt("Export", "Dither", 1);
    f.settings.SetInt("Export", "NumCol", 17);
    f.settings.SetInt("Export", "ResType", 2);
    CExportDlg dialog(f.source, f.Context());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Export"));
    QCOMPARE(dialog.FormatCombo()->currentText(), QStringLiteral("JPEG fomat"));
    QCOMPARE(dialog.QualitySlider()->value(), 80);
    QCOMPARE(dialog.SharpenSlider()->value(), 10);
    QVERIFY(dialog.GreyscaleCheck()->isChecked());
    QVERIFY(!dialog.ProgressiveCheck()->isChecked());
    QVERIFY(dialog.ColourRadio(2)->isChecked());
    QVERIFY(dialog.DitherRadio(1)->isChecked());
    QCOMPARE(dialog.CustomCountEdit()->text(), QStringLiteral("17"));
    QCOMPARE(dialog.KernelCombo()->currentText(), QStringLiteral("Hamming"));
    QCOMPARE(dialog.WidthEdit()->text(), QStringLiteral("800"));
    QCOMPARE(dialog.HeightEdit()->text(), QStringLiteral("600"));
    QCOMPARE(dialog.ScaleCombo()->currentText(), QStringLiteral("100%"));
    QVERIFY(!dialog.AspectCheck()->isChecked());
    QVERIFY(dialog.HeightEdit()->isEnabled());
    // The start preview has run: a greyscale JPEG of the source size, sharpened.
    QVERIFY(QFile::exists(f.TempFile()));
    QVERIFY(dialog.SizeLabel()->text().startsWith(QStringLiteral("Size: ")));
    QVERIFY(dialog.SizeLabel()->text().endsWith(QStringLiteral(" kB,   Quality: 80 (Sharpened)")));
    QCOMPARE(dialog.Preview()->Image().size(), QSize(800, 600));
    QVERIFY(dialog.Preview()->Image().allGray());
  }

  void theFormatShowsItsOwnControls_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("jpeg");
    QTest::newRow("JPEG") << 0 << true;
    QTest::newRow("BMP") << 1 << false;
    QTest::newRow("PNG") << 2 << false;
    QTest::newRow("Editable E-JPG") << 3 << true;
  }
  void theFormatShowsItsOwnControls() {
    QFETCH(int, format);
    QFETCH(bool, jpeg);
    ExportFixture f;
    CExportDlg dialog(f.source, f.Context());
    dialog.FormatCombo()->setCurrentIndex(format);
    for (QWidget* w : std::initializer_list<QWidget*>{
             dialog.ProgressiveCheck(), dialog.GreyscaleCheck(), dialog.QualityLabel(),
             dialog.QualitySlider()})
      QCOMPARE(!w->isHidden(), jpeg);
    for (QWidget* w : std::initializer_list<QWidget*>{
             dialog.ColourRadio(0), dialog.ColourRadio(1), dialog.ColourRadio(2),
             dialog.CustomCountEdit(), dialog.CustomCountLabel(), dialog.DitherLabel(),
             dialog.DitherRadio(0), dialog.DitherRadio(1), dialog.DitherRadio(2)})
      QCOMPARE(!w->isHidden(), !jpeg);
  }

  void ditherIsOfferedOnlyWhenColoursAreReduced() {
    ExportFixture f;
    CExportDlg dialog(f.source, f.Context());
    dialog.FormatCombo()->setCurrentIndex(2);  // PNG
    QVERIFY(dialog.ColourRadio(0)->isChecked());
    QVERIFY(!dialog.DitherRadio(2)->isEnabled());
    dialog.ColourRadio(1)->click();
    for (int i = 0; i < 3; ++i) QVERIFY(dialog.DitherRadio(i)->isEnabled());
    // The 256-colour preview is an 8-bit PNG.
    QCOMPARE(f.settings.GetInt("Export", "Colors", -1), 1);
    dialog.ColourRadio(2)->click();
    QVERIFY(dialog.DitherRadio(0)->isEnabled());
    dialog.ColourRadio(0)->click();
    for (int i = 0; i < 3; ++i) QVERIFY(!dialog.DitherRadio(i)->isEnabled());
  }

  void theAspectLockDerivesTheHeight() {
    ExportFixture f;
    CExportDlg dialog(f.source, f.Context());
    dialog.AspectCheck()->setChecked(true);
    QVERIFY(!dialog.HeightEdit()->isEnabled());
    dialog.WidthEdit()->clear();
    QTest::keyClicks(dialog.WidthEdit(), QStringLiteral("333"));
    QCOMPARE(dialog.HeightEdit()->text(), QStringLiteral("249"));
    // Typing alone writes no preview.
    QCOMPARE(dialog.Preview()->Image().size(), QSize(800, 600));
    dialog.AspectCheck()->setChecked(false);
    QVERIFY(dialog.HeightEdit()->isEnabled());
    dialog.WidthEdit()->setText(QStringLiteral("100"));
    QCOMPARE(dialog.HeightEdit()->text(), QStringLiteral("249"));
  }

  void theScaleSetsTheSizeAndPreviewsIt() {
    ExportFixture f;
    CExportDlg dialog(f.source, f.Context());
    dialog.ScaleCombo()->setCurrentIndex(3);  // "25%"
    QCOMPARE(dialog.WidthEdit()->text(), QStringLiteral("200"));
    QCOMPARE(dialog.HeightEdit()->text(), QStringLiteral("150"));
    QCOMPARE(dialog.Preview()->Image().size(), QSize(200, 150));
    // The preview sits in the middle of its area.
    const QSize area = dialog.Preview()->size();
    QCOMPARE(dialog.Preview()->ImageOrigin(),
             QPoint(area.width() / 2 - 100, area.height() / 2 - 75));
  }

  void thePreviewLabelGivesTheFileSize() {
    ExportFixture f;
    CExportDlg dialog(f.source, f.Context());
    dialog.FormatCombo()->setCurrentIndex(1);  // BMP, 24-bit
    // A 24-bit BMP of 800 x 600 is 54 + 2400 x 600 bytes = 1406.3 kB.
    QCOMPARE(QFileInfo(f.TempFile()).size(), qint64(54 + 2400 * 600));
    QCOMPARE(dialog.SizeLabel()->text(), QStringLiteral("Size: 1406 kB"));
    dialog.ScaleCombo()->setCurrentIndex(3);  // 200 x 150: 54 + 600 x 150 = 90054 bytes
    QCOMPARE(dialog.SizeLabel()->text(), QStringLiteral("Size: 87.94 kB"));
    dialog.SharpenSlider()->setValue(1);  // a click beside the handle ends at once
    QCOMPARE(dialog.SizeLabel()->text(), QStringLiteral("Size: 87.94 kB (Sharpened)"));
    // The preview is the file read back.
    const QImage shown = dialog.Preview()->Image();
    QCOMPARE(shown.size(), QSize(200, 150));
  }

  void slidersPreviewAndStoreOnlyOnRelease() {
    ExportFixture f;
    CExportDlg dialog(f.source, f.Context());
    QSlider* quality = dialog.QualitySlider();
    quality->setSliderDown(true);
    quality->setValue(40);
    QCOMPARE(f.settings.GetInt("Export", "Qlt", -1), -1);
    QVERIFY(dialog.SizeLabel()->text().endsWith(QStringLiteral("Quality: 95")));
    quality->setSliderDown(false);  // the release
    QCOMPARE(f.settings.GetInt("Export", "Qlt", -1), 40);
    QCOMPARE(f.settings.GetInt("Export", "Sharp", -1), 0);
    QVERIFY(dialog.SizeLabel()->text().endsWith(QStringLiteral("Quality: 40")));
  }

  void invalidSizesAreRefusedWithAMessage() {
    ExportFixture f;
    CExportDlg dialog(f.source, f.Context());
    const QString label = dialog.SizeLabel()->text();
    f.host.Clear();
    dialog.WidthEdit()->setText(QStringLiteral("0"));
    dialog.PreviewButton()->click();
    QCOMPARE(f.host.Messages().size(), std::size_t(1));
    // The last good preview stays.
    QCOMPARE(dialog.SizeLabel()->text(), label);
    QCOMPARE(dialog.Preview()->Image().size(), QSize(800, 600));
  }

  void exportWritesTheChosenFileAndCloses_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("colourMode");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("start");  // the file's first bytes, in hex
    QTest::newRow("JPEG") << 0 << 0 << "out.jpg" << "Export" << "ffd8ff";
    QTest::newRow("true colour PNG") << 2 << 0 << "out.png" << "Export True Color PNG"
                                     << "89504e47";
    QTest::newRow("4-bit BMP") << 1 << 2 << "out.bmp" << "Export 4-bit BMP" << "424d";
  }
  void exportWritesTheChosenFileAndCloses() {
    QFETCH(int, format);
    QFETCH(int, colourMode);
    QFETCH(QString, name);
    QFETCH(QString, title);
    QFETCH(QString, start);
    ExportFixture f;
    f.settings.SetString("Export", "Path", "/some/where/last.jpg");
    const QString target = f.out.filePath(name);
    f.answer = target.toStdString();
    CExportDlg dialog(f.source, f.Context());
    dialog.FormatCombo()->setCurrentIndex(format);
    dialog.ColourRadio(colourMode)->click();
    dialog.CustomCountEdit()->setText(QStringLiteral("16"));
    dialog.ScaleCombo()->setCurrentIndex(2);  // 400 x 300
    dialog.ExportButton()->click();
    QCOMPARE(f.asked.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(f.asked[0].title), title);
    QCOMPARE(f.asked[0].start_folder, std::string("/some/where/last.jpg"));
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(Hex(bytes).startsWith(start));
    if (format == 1) {
      // 16 custom colours make a 4-bit BMP with 16 palette entries.
      QCOMPARE(int(std::uint8_t(bytes[28])), 4);
      QCOMPARE(int(std::uint8_t(bytes[46])), 16);
    }
    QCOMPARE(QString::fromStdString(f.settings.GetString("Export", "Path", "")), target);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.LastResult().path, std::filesystem::path(target.toStdString()));
  }

  void cancellingTheSaveDialogWritesNothingAndCloses() {
    ExportFixture f;
    CExportDlg dialog(f.source, f.Context());
    dialog.show();
    QVERIFY(dialog.isVisible());
    dialog.ExportButton()->click();  // the script answers Cancel
    QCOMPARE(f.asked.size(), std::size_t(1));
    QVERIFY(QDir(f.out.path()).isEmpty());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(f.settings.GetString("Export", "Path", "none"), std::string("none"));
  }

  void cancelClosesWithoutAsking() {
    ExportFixture f;
    f.answer = f.out.filePath(QStringLiteral("never.jpg")).toStdString();
    CExportDlg dialog(f.source, f.Context());
    dialog.show();
    dialog.CancelButton()->click();
    QVERIFY(f.asked.empty());
    QVERIFY(QDir(f.out.path()).isEmpty());
    QVERIFY(!dialog.isVisible());
    // What the start preview stored is kept; the sliders were never released.
    QCOMPARE(f.settings.GetInt("Export", "Type", -1), 0);
    QVERIFY(!f.settings.Has("Export", "Qlt"));
  }
};

QTEST_MAIN(ExportDialogTest)
#include "export_dialog_test.moc"
