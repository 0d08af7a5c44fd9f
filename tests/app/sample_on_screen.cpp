// The real program on a real X server: a virtual framebuffer server started here, the
// program started with the bundled sample project on its command line, the screen
// grabbed once the sample is shown, and the canvas checked pixel by pixel where the
// sample's objects are. The last screen grab is kept as a test artefact.
//
// Exits with 77 (a skip for ctest) when Xvfb is not installed.
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include "virtual_server.h"

namespace {

using lumi::testing::VirtualServer;
using lumi::testing::At;
using lumi::testing::WindowTitled;

constexpr int kSkipped = 77;

// The bundled sample's canvas (data/Samples/welcome.json): 400 x 300, white.
constexpr int kCanvasWidth = 400;
constexpr int kCanvasHeight = 300;
constexpr int kShadow = kCanvasWidth / 80;
constexpr QRgb kSurround = 0xE1E1E1;
constexpr QRgb kFrame = 0x000000;
constexpr QRgb kShadowGrey = 0x808080;

std::optional<QPoint> FindCanvas(const QImage& shot) {
  return lumi::testing::FindCanvas(shot, kCanvasWidth, kCanvasHeight);
}


// True while the canvas shows nothing but white: the new document the program starts
// with, still on screen for a moment after the sample's title is set.
bool BlankCanvas(const QImage& shot, QPoint o) {
  for (int y = 0; y < kCanvasHeight; ++y)
    for (int x = 0; x < kCanvasWidth; ++x)
      if (At(shot, o.x() + x, o.y() + y) != 0xFFFFFF) return false;
  return true;
}


}  // namespace

class SampleOnScreenTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { QVERIFY(home_.isValid()); }

  void cleanup() { lumi::testing::StopProgram(program_); }

  void theSampleProjectIsShownOnTheCanvas() {
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xwininfo")).isEmpty(),
             "xwininfo (x11-utils) is needed to watch for the window");
    lumi::testing::StartInOwnHome(program_, home_, QStringLiteral(LUMI_PROGRAM), {QStringLiteral(LUMI_SAMPLE_PROJECT)});
    QVERIFY2(program_.waitForStarted(30000), "the program did not start");

    // First the new document, then, a second later, the sample named on the command line.
    const QDeadlineTimer deadline(90000);
    while (!WindowTitled(QStringLiteral("welcome.plv - Lumiverdant"))) {
      QVERIFY2(program_.state() == QProcess::Running, "the program exited before showing the sample");
      QVERIFY2(!deadline.hasExpired(), "the sample's window did not appear within 90 seconds");
      QTest::qWait(200);
    }
    QVERIFY2(QFileInfo::exists(home_.filePath(QStringLiteral("config/LumiverdantFile.ini"))),
             "the library folders were not published");

    // The window repaints after its title changes: wait until the sample's canvas is on
    // screen and two grabs in a row agree.
    QImage shot, previous;
    std::optional<QPoint> canvas;
    while (true) {
      shot = lumi::testing::GrabScreen();
      canvas = FindCanvas(shot);
      if (canvas && !BlankCanvas(shot, *canvas) && shot == previous) break;
      if (deadline.hasExpired()) break;
      previous = shot;
      QTest::qWait(250);
    }
    QDir().mkpath(QFileInfo(QStringLiteral(LUMI_SCREENSHOT)).absolutePath());
    QVERIFY2(shot.save(QStringLiteral(LUMI_SCREENSHOT)), "the screenshot could not be saved");
    QVERIFY2(canvas.has_value(), "no 400 x 300 canvas frame found on the screen (see " LUMI_SCREENSHOT ")");

    const QPoint o = *canvas;
    auto at = [&](int x, int y) { return At(shot, o.x() + x, o.y() + y); };
    // The objects of data/Samples/welcome.json, each well inside its outline.
    QCOMPARE(at(5, 5), QRgb(0xFFFFFF));       // canvas colour
    QCOMPARE(at(370, 60), QRgb(0xE8F0E0));    // the rounded panel
    QCOMPARE(at(100, 110), QRgb(0x2E8B57));   // the circle
    QCOMPARE(at(230, 95), QRgb(0xF0B020));    // the star
    QCOMPARE(at(330, 230), QRgb(0x3060C0));   // the banner
    // The frame and the shadow (width / 80 = 5 pixels) on the grey surround.
    QCOMPARE(at(-1, 150), kFrame);
    QCOMPARE(at(kCanvasWidth + 1, 150), kShadowGrey);
    QCOMPARE(at(kCanvasWidth + kShadow, 150), kShadowGrey);
    QCOMPARE(at(kCanvasWidth + kShadow + 1, 150), kSurround);
    QCOMPARE(at(200, kCanvasHeight + kShadow), kShadowGrey);

    // At 100% the canvas is centred in the view: the grey reaches equally far on both
    // sides (the odd pixel goes right and down).
    int left = o.x() - 2, right = o.x() + kCanvasWidth + kShadow + 1;
    while (At(shot, left - 1, o.y() + 150) == kSurround) --left;
    while (At(shot, right, o.y() + 150) == kSurround) ++right;
    int top = o.y() - 2, bottom = o.y() + kCanvasHeight + kShadow + 1;
    while (At(shot, o.x() + 200, top - 1) == kSurround) --top;
    while (At(shot, o.x() + 200, bottom) == kSurround) ++bottom;
    QCOMPARE(o.x() - left, (right - left - kCanvasWidth) / 2);
    QCOMPARE(o.y() - top, (bottom - top - kCanvasHeight) / 2);
  }

  // With two screen pixels per window unit the canvas is twice as large on the screen,
  // its frame two pixels wide, and the objects where the sample has them.
  void theSampleIsShownAtTwiceTheScale() {
    QProcessEnvironment scaled;
    scaled.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
    lumi::testing::StartInOwnHome(program_, home_, QStringLiteral(LUMI_PROGRAM), {QStringLiteral(LUMI_SAMPLE_PROJECT)},
                                  scaled);
    QVERIFY2(program_.waitForStarted(30000), "the program did not start");
    const QDeadlineTimer deadline(90000);
    while (!WindowTitled(QStringLiteral("welcome.plv - Lumiverdant"))) {
      QVERIFY2(program_.state() == QProcess::Running, "the program exited before showing the sample");
      QVERIFY2(!deadline.hasExpired(), "the sample's window did not appear within 90 seconds");
      QTest::qWait(200);
    }
    // The frame found as a 2-pixel-wide one: its outer pixels around 2 x (400 + 1).
    QImage shot, previous;
    std::optional<QPoint> frame;
    while (true) {
      shot = lumi::testing::GrabScreen();
      frame = lumi::testing::FindCanvas(shot, 2 * kCanvasWidth + 2, 2 * kCanvasHeight + 2);
      if (frame && !BlankCanvas2x(shot, *frame + QPoint(1, 1)) && shot == previous) break;
      if (deadline.hasExpired()) break;
      previous = shot;
      QTest::qWait(250);
    }
    QDir().mkpath(QFileInfo(QStringLiteral(LUMI_SCREENSHOT_2X)).absolutePath());
    QVERIFY2(shot.save(QStringLiteral(LUMI_SCREENSHOT_2X)), "the screenshot could not be saved");
    QVERIFY2(frame.has_value(), "no 800 x 600 canvas with a 2-pixel frame on the screen (see " LUMI_SCREENSHOT_2X ")");
    const QPoint o = *frame + QPoint(1, 1);
    auto at = [&](int x, int y) { return At(shot, o.x() + 2 * x, o.y() + 2 * y); };
    QCOMPARE(At(shot, o.x() - 1, o.y() + 300), kFrame);
    QCOMPARE(At(shot, o.x() - 2, o.y() + 300), kFrame);
    QCOMPARE(at(5, 5), QRgb(0xFFFFFF));
    QCOMPARE(at(370, 60), QRgb(0xE8F0E0));
    QCOMPARE(at(100, 110), QRgb(0x2E8B57));
    QCOMPARE(at(230, 95), QRgb(0xF0B020));
    QCOMPARE(at(330, 230), QRgb(0x3060C0));
  }

 private:
  static bool BlankCanvas2x(const QImage& shot, QPoint o) {
    for (int y = 0; y < 2 * kCanvasHeight; y += 2)
      for (int x = 0; x < 2 * kCanvasWidth; x += 2)
        if (At(shot, o.x() + x, o.y() + y) != 0xFFFFFF) return false;
    return true;
  }

  QTemporaryDir home_;
  QProcess program_;
};

int main(int argc, char** argv) {
  const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
  if (xvfb.isEmpty()) {
    std::puts("SKIP: Xvfb is not installed");
    return kSkipped;
  }
  VirtualServer server;
  // Room for the window at twice the scale too.
  if (!server.Start(xvfb, "2560x1600x24")) {
    std::fputs("FAIL: Xvfb did not start\n", stderr);
    return 1;
  }
  setenv("DISPLAY", server.Display().c_str(), 1);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  QApplication app(argc, argv);
  SampleOnScreenTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "sample_on_screen.moc"
