// Every toolbar command, tool cursor and panel button has a picture that draws at 16 and
// 32 pixels. The test leaves a contact sheet of all pictures at both sizes in
// artefacts/icons-contact-sheet.png for a person to judge.
#include <QDir>
#include <QFont>
#include <QPainter>
#include <QTest>

#include "controls/program_icons.h"
#include "ui/toolbar_commands.h"

using namespace lumi::app;

namespace {

// Pixels that are not transparent.
int InkedPixels(const QImage& image) {
  int inked = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) inked += qAlpha(image.pixel(x, y)) > 0;
  return inked;
}

}  // namespace

class ProgramIconsTest : public QObject {
  Q_OBJECT

 private slots:
  void everyToolbarCommandHasAPicture() {
    for (const lumi::ToolbarLayout& bar : lumi::MainToolbars())
      for (const lumi::ToolbarButton& button : bar.buttons) {
        if (button.id == 0) continue;
        const QIcon icon = CommandIcon(button.command);
        QVERIFY2(!icon.isNull(), button.command.data());
        QVERIFY2(InkedPixels(icon.pixmap(16, 16).toImage()) > 10, button.command.data());
      }
  }

  void everyCursorAndPanelPictureDraws() {
    std::vector<std::string> names = lumi::CursorIconNames();
    names.insert(names.end(), lumi::PanelIconNames().begin(), lumi::PanelIconNames().end());
    for (const std::string& name : names) {
      const QImage image = IconImage(name, QSize());
      QVERIFY2(!image.isNull(), name.c_str());
      QVERIFY2(InkedPixels(image) > 10, name.c_str());
    }
    QCOMPARE(IconImage("cursor-zoom", QSize()).size(), QSize(32, 32));
    QCOMPARE(IconImage("gene-button", QSize()).size(), QSize(45, 15));   // three 15-pixel pictures
    QCOMPARE(IconImage("frame-normal", QSize()).size(), QSize(180, 40));  // three 60-pixel pictures
    const QCursor pencil = ToolCursor("pencil");
    QVERIFY(pencil.shape() == Qt::BitmapCursor);
    QCOMPARE(pencil.hotSpot(), QPoint(2, 29));
    // The hot spot of every cursor lies within what its picture draws (a crosshair's
    // centre may be a gap).
    for (const lumi::CursorPicture& c : lumi::CursorPictures()) {
      const QImage image = IconImage(c.name, QSize(32, 32));
      QRect inked;
      for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
          if (qAlpha(image.pixel(x, y)) > 0) inked |= QRect(x, y, 1, 1);
      QVERIFY2(inked.contains(c.hot_x, c.hot_y), c.name.c_str());
    }
    QVERIFY(ToolCursor("no-such-role").shape() == Qt::ArrowCursor);
    QVERIFY(IconImage("no-such-picture", QSize(16, 16)).isNull());
  }

  void sharpAtTwiceTheSize() {
    // Drawn for a 2x screen the picture has twice the pixels, not a blown-up copy.
    const QImage one = IconImage("select-object", QSize(16, 16), 1.0);
    const QImage two = IconImage("select-object", QSize(16, 16), 2.0);
    QCOMPARE(two.size(), QSize(32, 32));
    QVERIFY(InkedPixels(two) > 3 * InkedPixels(one));
  }

  void writesAContactSheet() {
    const std::vector<std::string> names = lumi::AllIconNames();
    const int columns = 4, cell_w = 300, cell_h = 44;
    const int rows = (static_cast<int>(names.size()) + columns - 1) / columns;
    QImage sheet(columns * cell_w, rows * cell_h, QImage::Format_RGB32);
    sheet.fill(QColor(0xF0, 0xF0, 0xF0));
    QPainter p(&sheet);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    p.setFont(font);
    for (int i = 0; i < static_cast<int>(names.size()); ++i) {
      const int x = (i % columns) * cell_w, y = (i / columns) * cell_h;
      const QImage natural = IconImage(names[i], QSize());
      const QSize base = natural.width() > 32 ? QSize(natural.width() / 2, natural.height() / 2) : QSize(16, 16);
      const QSize big = natural.width() > 32 ? natural.size() : QSize(32, 32);
      const QImage small = IconImage(names[i], natural.width() > 32 ? natural.size() / 2 : QSize(16, 16));
      p.drawImage(x + 4, y + 4, small);
      p.drawImage(x + 8 + base.width(), y + 4, IconImage(names[i], big));
      p.setPen(Qt::black);
      p.drawText(QRect(x + 12 + base.width() + big.width(), y, cell_w, cell_h), Qt::AlignVCenter,
                 QString::fromStdString(names[i]));
    }
    p.end();
    QVERIFY(QDir().mkpath(QStringLiteral(LUMI_APP_ARTEFACTS)));
    QVERIFY(sheet.save(QStringLiteral(LUMI_APP_ARTEFACTS "/icons-contact-sheet.png")));

    // The 16-pixel pictures blown up four times without smoothing, to judge them pixel by pixel.
    const int per_row = 12, zoom = 4, cell = 16 * zoom + 8;
    QImage pixels(per_row * cell, ((static_cast<int>(names.size()) + per_row - 1) / per_row) * cell, QImage::Format_RGB32);
    pixels.fill(QColor(0xF0, 0xF0, 0xF0));
    QPainter q(&pixels);
    for (int i = 0; i < static_cast<int>(names.size()); ++i) {
      const QImage natural = IconImage(names[i], QSize());
      const QImage small = IconImage(names[i], natural.width() > 32 ? QSize(16, 16 * natural.height() / natural.width()) : QSize(16, 16));
      q.drawImage(QPoint((i % per_row) * cell + 4, (i / per_row) * cell + 4), small.scaled(small.size() * zoom));
    }
    q.end();
    QVERIFY(pixels.save(QStringLiteral(LUMI_APP_ARTEFACTS "/icons-16px-magnified.png")));
  }
};

QTEST_MAIN(ProgramIconsTest)
#include "program_icons_test.moc"
