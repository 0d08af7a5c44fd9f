// The conversions between the core's text and pictures and Qt's: UTF-8 both ways, the
// bottom-up 32-bit bitmaps and the top-down RGB pictures as images.
#include <QTest>

#include <string>
#include <string_view>

#include "image/dib_section.h"
#include "image/pixwerk.h"
#include "qt_convert.h"

using namespace lumi;
using namespace lumi::app;

namespace {

// A 3 x 2 bitmap whose every pixel has its own colour, and alpha that is not 255 (the
// image must be opaque anyway).
CDIBSection SmallBitmap() {
  CDIBSection bitmap;
  bitmap.Create(3, 2, 32, true);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) {
      std::uint8_t* p = bitmap.Row(y) + 4 * x;
      p[0] = static_cast<std::uint8_t>(10 + x);       // blue
      p[1] = static_cast<std::uint8_t>(100 + y);      // green
      p[2] = static_cast<std::uint8_t>(200 + x + y);  // red
      p[3] = static_cast<std::uint8_t>(x * 60);       // alpha
    }
  return bitmap;
}

QRgb Expected(int x, int y) { return qRgb(200 + x + y, 100 + y, 10 + x); }

}  // namespace

class QtConvertTest : public QObject {
  Q_OBJECT

 private slots:
  void textRoundTripsThroughUtf8() {
    const std::string text = "Ünïcode – 文字 ✓ €";
    const QString q = ToQString(text);
    QCOMPARE(q, QStringLiteral(u"Ünïcode – 文字 ✓ €"));
    QCOMPARE(ToStdString(q), text);
    // A view is taken for its own length only, not up to a terminator.
    const std::string_view view = std::string_view(text).substr(0, 2);  // "Ü" is two bytes
    QCOMPARE(ToQString(view), QStringLiteral(u"Ü"));
    QCOMPARE(ToQString(std::string_view()), QString());
  }

  void bitmapsBecomeOpaqueImagesTopRowFirst() {
    const CDIBSection bitmap = SmallBitmap();
    const struct {
      const char* what;
      Rect source;
      int width, height;
      int first_x, first_y;  // the bitmap pixel at the image's (0, 0)
    } cases[] = {
        {"whole", {0, 0, 3, 2}, 3, 2, 0, 0},
        {"right part", {1, 0, 3, 2}, 2, 2, 1, 0},
        {"bottom row", {0, 1, 3, 2}, 3, 1, 0, 1},
        {"reaching past the bitmap", {2, 1, 9, 9}, 1, 1, 2, 1},
    };
    for (const auto& c : cases) {
      const QImage image = ToQImage(bitmap, c.source);
      QVERIFY2(image.format() == QImage::Format_RGB32, c.what);
      QCOMPARE(image.size(), QSize(c.width, c.height));
      for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
          QCOMPARE(image.pixel(x, y), Expected(c.first_x + x, c.first_y + y));
    }
    QCOMPARE(ToQImage(bitmap).size(), QSize(3, 2));
    QVERIFY(ToQImage(bitmap, {3, 0, 5, 2}).isNull());
    CDIBSection grey;
    grey.Create(3, 2, 8, false);
    QVERIFY2(ToQImage(grey).isNull(), "only 32-bit bitmaps");
  }

  void aPartIsCopiedIntoAnImageAndClippedToIt() {
    const CDIBSection bitmap = SmallBitmap();
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::white);
    // The whole bottom row at (2, 1): only its first two pixels fit.
    CopyIntoImage(bitmap, {0, 1, 3, 2}, image, QPoint(2, 1));
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x) {
        const QRgb expected = (y == 1 && x >= 2) ? Expected(x - 2, 1) : qRgb(255, 255, 255);
        QCOMPARE(image.pixel(x, y), expected);
      }
  }

  void rgbPicturesAreCopiedOrRefused() {
    RgbImage picture;
    picture.width = 2;
    picture.height = 2;
    picture.pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    QImage image = ToQImage(picture);
    QCOMPARE(image.size(), QSize(2, 2));
    QCOMPARE(image.pixel(0, 0), qRgb(1, 2, 3));
    QCOMPARE(image.pixel(1, 0), qRgb(4, 5, 6));
    QCOMPARE(image.pixel(1, 1), qRgb(10, 11, 12));
    picture.pixels[0] = 99;
    QCOMPARE(image.pixel(0, 0), qRgb(1, 2, 3));  // its own copy
    picture.pixels.pop_back();
    QVERIFY2(ToQImage(picture).isNull(), "a buffer too short for its size");
  }
};

QTEST_MAIN(QtConvertTest)
#include "qt_convert_test.moc"
