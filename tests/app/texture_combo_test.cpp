// The texture list of the colour and transparency bars over a folder of generated
// textures: the reserved entries first, the captions, and thumbnails written once as
// 24-bit BMPs of at most 79 x 32 pixels and then read instead of the texture.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <vector>

#include "controls/texture_combo.h"
#include "image/pixwerk.h"

using namespace lumi::app;

namespace {

void SaveSolid(const QString& path, int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  std::vector<std::uint8_t> rgb;
  for (int i = 0; i < w * h; ++i) rgb.insert(rgb.end(), {r, g, b});
  QVERIFY(lumi::PxSaveBMP(path.toStdString(), rgb.data(), w, h));
}

struct BmpHeader {
  int width, height, bits;
};
BmpHeader ReadHeader(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {0, 0, 0};
  const QByteArray b = f.read(54);
  auto i32 = [&](int at) { return int(quint8(b[at]) | quint8(b[at + 1]) << 8 | quint8(b[at + 2]) << 16 | quint8(b[at + 3]) << 24); };
  return {i32(18), i32(22), quint8(b[28]) | quint8(b[29]) << 8};
}

QByteArray Contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class TextureComboTest : public QObject {
  Q_OBJECT

 private slots:
  void listsReservedEntriesFirstAndWritesThumbnailsOnce() {
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    SaveSolid(folder + "wide.bmp", 300, 200, 200, 30, 30);
    SaveSolid(folder + "_small.bmp", 40, 20, 30, 200, 30);
    QFile(folder + "notes.txt").open(QIODevice::WriteOnly);
    CTextureCombo combo;
    combo.Fill(lumi::TextureListKind::kFill, folder);
    QStringList items;
    for (int i = 0; i < combo.count(); ++i) items << combo.itemText(i);
    QCOMPARE(items, (QStringList{"No Texture.bmp", "Linear Gradient.tmb", "Radial Gradient.tmb", "_small.bmp", "wide.bmp"}));
    QCOMPARE(combo.currentIndex(), 0);

    const QImage small_item = combo.ItemImage(3, QSize(100, 50), false);
    const QImage wide_item = combo.ItemImage(4, QSize(100, 50), true);
    const BmpHeader small = ReadHeader(folder + "_small.tmb");
    const BmpHeader wide = ReadHeader(folder + "wide.tmb");
    QCOMPARE(QList<int>({small.width, small.height, small.bits}), QList<int>({40, 20, 24}));
    QCOMPARE(QList<int>({wide.width, wide.height, wide.bits}), QList<int>({79, 32, 24}));
    QCOMPARE(small_item.pixel(5, 5), qRgb(30, 200, 30));   // the texture inside the picture frame
    QCOMPARE(small_item.pixel(1, 1), qRgb(0, 0, 0));       // the frame
    QCOMPARE(small_item.pixel(0, 0), qRgb(255, 255, 224)); // an unselected item's background
    QCOMPARE(wide_item.pixel(0, 0), qRgb(0, 0, 64));       // a selected one's
    QCOMPARE(wide_item.pixel(50, 10), qRgb(200, 30, 30));

    // A thumbnail that exists is what the list shows, and it is never written again.
    SaveSolid(folder + "wide.tmb", 5, 5, 10, 20, 250);
    const QByteArray replaced = Contents(folder + "wide.tmb");
    combo.Fill(lumi::TextureListKind::kFill, folder);
    const QImage again = combo.ItemImage(4, QSize(100, 50), false);
    QCOMPARE(again.pixel(50, 10), qRgb(10, 20, 250));  // the 5 x 5 thumbnail, tiled
    QCOMPARE(Contents(folder + "wide.tmb"), replaced);
  }

  void transparencyListAndItemsWithoutPictures() {
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    SaveSolid(folder + "Radial.tmb", 8, 8, 1, 2, 3);  // a reserved name's own picture is not listed twice
    SaveSolid(folder + "B.bmp", 8, 8, 1, 2, 3);
    SaveSolid(folder + "a.bmp", 8, 8, 1, 2, 3);
    CTextureCombo combo;
    combo.Fill(lumi::TextureListKind::kTransparency, folder);
    QStringList items;
    for (int i = 0; i < combo.count(); ++i) items << combo.itemText(i);
    QCOMPARE(items, (QStringList{"Flat.tmb", "Linear.tmb", "Radial.tmb", "B.bmp", "a.bmp"}));  // byte order
    combo.AppendItem(QStringLiteral("None"));
    const QImage none = combo.ItemImage(combo.count() - 1, QSize(100, 50), false);
    QCOMPARE(none.pixel(50, 10), qRgb(255, 255, 224));  // no picture inside the frame
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 3);  // and no thumbnail for it
  }
};

QTEST_MAIN(TextureComboTest)
#include "texture_combo_test.moc"
