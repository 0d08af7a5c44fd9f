#include <QMouseEvent>
#include <QPainter>
#include <QtTest/QtTest>

#include "export_preview.h"

using namespace lumi::app;

namespace {

lumi::RgbImage Solid(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  lumi::RgbImage image;
  image.width = width;
  image.height = height;
  for (int i = 0; i < width * height; ++i) image.pixels.insert(image.pixels.end(), {r, g, b});
  return image;
}

void SendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, held,
                    Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

}  // namespace

class ExportPreviewTest : public QObject {
  Q_OBJECT
 private slots:
  void cellsAreATwentiethOfTheWindow_data() {
    QTest::addColumn<QSize>("window");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QRect>("cell");
    QTest::newRow("first") << QSize(360, 270) << 0 << 0 << QRect(0, 0, 18, 13);
    QTest::newRow("inner") << QSize(360, 270) << 1 << 2 << QRect(18, 26, 18, 13);
    QTest::newRow("last, past the edge") << QSize(360, 270) << 21 << 21
                                         << QRect(378, 273, 18, 13);
    QTest::newRow("sizes truncated") << QSize(39, 59) << 3 << 1 << QRect(3, 2, 1, 2);
  }
  void cellsAreATwentiethOfTheWindow() {
    QFETCH(QSize, window);
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(QRect, cell);
    QCOMPARE(PreviewCell(window, column, row), cell);
  }

  void thePictureIsCentredAndDragged() {
    QCOMPARE(CentredImageOrigin(QSize(360, 270), QSize(101, 51)), QPoint(130, 110));
    // A picture larger than the window starts above and left of it.
    QCOMPARE(CentredImageOrigin(QSize(360, 270), QSize(800, 600)), QPoint(-220, -165));
    QCOMPARE(DraggedImageOrigin(QPoint(130, 110), QPoint(50, 50), QPoint(45, 70)),
             QPoint(125, 130));
  }

  void paintsFieldBoardAndPicture() {
    // 39 x 39: cells of 1 x 1 pixel, so the 22 x 22 board leaves the field showing.
    QImage canvas(39, 39, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    QImage picture(3, 3, QImage::Format_RGB32);
    picture.fill(qRgb(255, 0, 0));
    {
      QPainter painter(&canvas);
      PaintExportPreview(painter, canvas.size(), picture, QPoint(30, 5));
    }
    QCOMPARE(canvas.pixel(0, 0), kPreviewLight);
    QCOMPARE(canvas.pixel(1, 0), kPreviewDark);
    QCOMPARE(canvas.pixel(1, 1), kPreviewLight);
    QCOMPARE(canvas.pixel(21, 20), kPreviewDark);
    QCOMPARE(canvas.pixel(22, 0), kPreviewField);
    QCOMPARE(canvas.pixel(0, 30), kPreviewField);
    QCOMPARE(canvas.pixel(30, 5), qRgb(255, 0, 0));
    QCOMPARE(canvas.pixel(32, 7), qRgb(255, 0, 0));
    QCOMPARE(canvas.pixel(33, 7), kPreviewField);
  }

  void theWidgetShowsThePictureAndTheLeftButtonMovesIt() {
    CExportPreview preview;
    preview.setFixedSize(200, 100);
    preview.SetImage(Solid(20, 10, 10, 20, 30));
    QCOMPARE(preview.ImageOrigin(), QPoint(90, 45));
    QCOMPARE(preview.Image().pixel(19, 9), qRgb(10, 20, 30));
    const QImage shown = preview.grab().toImage();
    QCOMPARE(shown.pixel(90, 45), qRgb(10, 20, 30));
    QCOMPARE(shown.pixel(0, 0), kPreviewLight);

    // The right button does not drag.
    SendMouse(preview, QEvent::MouseButtonPress, {50, 50}, Qt::RightButton, Qt::RightButton);
    SendMouse(preview, QEvent::MouseMove, {60, 60}, Qt::NoButton, Qt::RightButton);
    SendMouse(preview, QEvent::MouseButtonRelease, {60, 60}, Qt::RightButton, Qt::NoButton);
    QCOMPARE(preview.ImageOrigin(), QPoint(90, 45));

    SendMouse(preview, QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(preview, QEvent::MouseMove, {40, 55}, Qt::NoButton, Qt::LeftButton);
    SendMouse(preview, QEvent::MouseMove, {30, 65}, Qt::NoButton, Qt::LeftButton);
    SendMouse(preview, QEvent::MouseButtonRelease, {30, 65}, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(preview.ImageOrigin(), QPoint(70, 60));
    SendMouse(preview, QEvent::MouseMove, {0, 0}, Qt::NoButton, Qt::NoButton);
    QCOMPARE(preview.ImageOrigin(), QPoint(70, 60));

    // A new preview is centred again.
    preview.SetImage(Solid(2, 2, 0, 0, 0));
    QCOMPARE(preview.ImageOrigin(), QPoint(99, 49));
  }
};

QTEST_MAIN(ExportPreviewTest)
#include "export_preview_test.moc"
