#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include "base/host.h"
#include "base/settings.h"
#include "document/plenivor_doc.h"
#include "library/texture_bank.h"
#include "print_command.h"
#include "sample_document.h"

using lumi::app::FitCanvasToPage;

namespace {

struct SampleDocument {
  SampleDocument() { lumi::app::testing::FillSampleDocument(doc); }
  lumi::RecordingHost host;
  lumi::MemorySettings settings;
  lumi::CTextureBank bank;
  lumi::CPlenivorDoc doc{host, settings, bank};
};

constexpr QRgb kPale = 0xFFC0D8F0;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlank = 0xFFFFFFFF;

}  // namespace

class PrintCommandTest : public QObject {
  Q_OBJECT
 private slots:
  void theCanvasFillsThePageKeepingItsAspect_data() {
    QTest::addColumn<QSize>("canvas");
    QTest::addColumn<QRect>("page");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("400x300 on a portrait page: full width")
        << QSize(400, 300) << QRect(0, 0, 4800, 6600) << QRect(0, 0, 4800, 3600);
    QTest::newRow("400x300 on a landscape page: full height")
        << QSize(400, 300) << QRect(0, 0, 6600, 4800) << QRect(0, 0, 6400, 4800);
    QTest::newRow("same proportions: the whole page")
        << QSize(400, 300) << QRect(0, 0, 800, 600) << QRect(0, 0, 800, 600);
    QTest::newRow("anchored at the page's top-left")
        << QSize(400, 300) << QRect(50, 70, 800, 1000) << QRect(50, 70, 800, 600);
    QTest::newRow("height truncated") << QSize(401, 300) << QRect(0, 0, 1000, 1000)
                                      << QRect(0, 0, 1000, 748);
    QTest::newRow("width truncated") << QSize(300, 401) << QRect(0, 0, 1000, 1000)
                                     << QRect(0, 0, 748, 1000);
    QTest::newRow("a canvas larger than the page shrinks")
        << QSize(1700, 100) << QRect(0, 0, 850, 1100) << QRect(0, 0, 850, 50);
    QTest::newRow("empty page") << QSize(400, 300) << QRect() << QRect();
    QTest::newRow("empty canvas") << QSize(0, 300) << QRect(0, 0, 800, 600) << QRect();
  }
  void theCanvasFillsThePageKeepingItsAspect() {
    QFETCH(QSize, canvas);
    QFETCH(QRect, page);
    QFETCH(QRect, expected);
    QCOMPARE(FitCanvasToPage(canvas, page), expected);
  }

  void theWholeCanvasIsStretchedOntoThePage() {
    SampleDocument sample;
    // The export crop region has nothing to do with printing.
    sample.doc.SetCropRect({0, 0, 50, 50});
    sample.doc.SetCropActive(true);
    QImage page(400, 700, QImage::Format_RGB32);
    page.fill(kBlank);
    {
      QPainter painter(&page);
      lumi::app::PaintCanvasOnPage(painter, page.rect(), sample.doc, sample.host);
    }
    // Twice the canvas size: canvas point (x, y) lands on page pixel (2x, 2y).
    auto at = [&](int x, int y) { return page.pixel(x, y); };
    QCOMPARE(at(2 * 70, 2 * 60), kRed);
    QCOMPARE(at(2 * 5, 2 * 5), kPale);
    QCOMPARE(at(2 * 150, 2 * 120), kPale);
    QCOMPARE(at(399, 299), kPale);   // the canvas's last pixel
    QCOMPARE(at(200, 300), kBlank);  // the rest of the page stays blank
    QCOMPARE(at(0, 699), kBlank);
  }

  void printingToAFileWritesOnePage() {
    SampleDocument sample;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("canvas.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    lumi::app::PrintCommand command(nullptr, sample.doc, sample.host);
    command.PrintOn(printer);
    QVERIFY(sample.host.Messages().empty());
    QFile pdf(file);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    // One page holding the canvas as one image at the canvas's own resolution.
    QVERIFY(bytes.contains("/Count 1"));
    QVERIFY(bytes.contains("/Subtype /Image"));
    QVERIFY(bytes.contains("/Width 200"));
    QVERIFY(bytes.contains("/Height 150"));
  }
};

QTEST_MAIN(PrintCommandTest)
#include "print_command_test.moc"
