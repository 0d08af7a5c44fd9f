// Screen capture on an X server of its own (Xvfb, no window manager, so windows sit
// exactly where they are put): regions dragged either way, clipped to the screen or
// empty, Escape, a window found under the real pointer, a window partly off the screen,
// and the program's own window in a capture made without minimising first.
// Exits with 77 (a skip for ctest) when Xvfb is not installed.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app_fixture.h"
#include "image/dib_section.h"
#include "plenivor_view.h"
#include "screen_capture_window.h"
#include "virtual_server.h"

namespace lumi::app::testing {
namespace {

constexpr int kSkipped = 77;
constexpr int kScreenWidth = 1600, kScreenHeight = 1000;

QRgb PatternAt(int x, int y) { return qRgb(x % 256, y % 256, (3 * x + y) % 256); }

// A window filled with a pattern whose every pixel says where it is.
class PatternWindow : public QWidget {
 public:
  explicit PatternWindow(const QRect& geometry) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setGeometry(geometry);
    setAttribute(Qt::WA_OpaquePaintEvent);
    picture_ = QImage(geometry.size(), QImage::Format_RGB32);
    for (int y = 0; y < picture_.height(); ++y)
      for (int x = 0; x < picture_.width(); ++x) picture_.setPixel(x, y, PatternAt(x, y));
  }
  bool ShowAndWait() {
    show();
    if (!QTest::qWaitForWindowExposed(this)) return false;
    QTest::qWait(200);
    return true;
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
  }

 private:
  QImage picture_;
};

// Whether `image` shows the pattern from its point `origin` on.
bool ShowsPattern(const QImage& image, QPoint origin) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) != (PatternAt(origin.x() + x, origin.y() + y) & 0xFFFFFF)) return false;
  return !image.isNull();
}

void Click(QWidget& w, QPoint p) {
  QTest::mouseMove(&w, p);
  QTest::mouseClick(&w, Qt::LeftButton, {}, p);
}

}  // namespace

class CaptureOnScreenTest : public QObject {
  Q_OBJECT
 private slots:
  void regionsDraggedEitherWayAreTheSame() {
    PatternWindow pattern(QRect(50, 50, 400, 300));
    QVERIFY(pattern.ShowAndWait());
    QImage results[2];
    const QPoint corners[2][2] = {{{100, 80}, {340, 260}}, {{340, 260}, {100, 80}}};
    for (int i = 0; i < 2; ++i) {
      ScreenCaptureWindow capture(ScreenCaptureWindow::Mode::Region);
      QCOMPARE(capture.Snapshot().size(), QSize(kScreenWidth, kScreenHeight));
      capture.show();
      QVERIFY(QTest::qWaitForWindowExposed(&capture));
      Click(capture, corners[i][0]);
      if (i == 0) {
        // A picture of the crosshair through both corners, kept in artefacts/.
        QTest::mouseMove(&capture, corners[i][1]);
        QTest::qWait(100);
        QDir().mkpath(QStringLiteral(LUMI_APP_ARTEFACTS));
        lumi::testing::GrabScreen().save(QStringLiteral(LUMI_APP_ARTEFACTS "/capture-region.png"));
      }
      Click(capture, corners[i][1]);
      QCOMPARE(capture.result(), int(QDialog::Accepted));
      results[i] = capture.Result();
    }
    QCOMPARE(results[0].size(), QSize(240, 180));
    QVERIFY(results[0] == results[1]);
    QVERIFY(ShowsPattern(results[0], QPoint(50, 30)));
  }

  void regionsAreClippedToTheScreenAndEmptyOnesCancel() {
    struct Case {
      QPoint first, second;
      QSize captured;  // empty: cancelled
    };
    const Case cases[] = {
        {{1500, 900}, {1900, 1300}, {100, 100}},
        {{200, 100}, {200, 400}, {}},
    };
    for (const Case& c : cases) {
      ScreenCaptureWindow capture(ScreenCaptureWindow::Mode::Region);
      capture.show();
      QVERIFY(QTest::qWaitForWindowExposed(&capture));
      Click(capture, c.first);
      Click(capture, c.second);
      QCOMPARE(capture.result(), int(c.captured.isEmpty() ? QDialog::Rejected : QDialog::Accepted));
      if (c.captured.isEmpty()) {
        QVERIFY(capture.Result().isNull());
      } else {
        QCOMPARE(capture.Result().size(), c.captured);
      }
    }
    ScreenCaptureWindow capture(ScreenCaptureWindow::Mode::Region);
    capture.show();
    QVERIFY(QTest::qWaitForWindowExposed(&capture));
    Click(capture, {10, 10});
    QTest::keyClick(&capture, Qt::Key_Escape);
    QCOMPARE(capture.result(), int(QDialog::Rejected));
    QVERIFY(capture.Result().isNull());
  }

  void windowModeTakesTheWindowUnderThePointer() {
    struct Case {
      QRect window;
      QRect on_screen;
    };
    const Case cases[] = {
        {QRect(600, 300, 240, 160), QRect(600, 300, 240, 160)},
        {QRect(1480, 900, 240, 160), QRect(1480, 900, 120, 100)},  // partly off the screen
    };
    for (const Case& c : cases) {
      PatternWindow pattern(c.window);
      QVERIFY(pattern.ShowAndWait());
      ScreenCaptureWindow capture(ScreenCaptureWindow::Mode::Window);
      capture.show();
      QVERIFY(QTest::qWaitForWindowExposed(&capture));
      QCursor::setPos(c.window.topLeft() + QPoint(20, 30));
      QTRY_COMPARE_WITH_TIMEOUT(capture.MarkedWindow(), std::optional<QRect>(c.window), 5000);
      QTest::mouseClick(&capture, Qt::LeftButton);
      QCOMPARE(capture.result(), int(QDialog::Accepted));
      QCOMPARE(capture.Result().size(), c.on_screen.size());
      QVERIFY(ShowsPattern(capture.Result(), QPoint(0, 0)));
    }
  }

  void withoutMinimisingTheProgramIsInThePicture() {
    TestApp app;
    app.window->setGeometry(100, 60, 900, 700);
    app.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(app.window.get()));
    QTest::qWait(300);
    auto* minimise = app.window->findChild<QAction*>(QStringLiteral("minimiseBeforeCaptureAction"));
    auto* region = app.window->findChild<QAction*>(QStringLiteral("captureRegionAction"));
    QVERIFY(minimise && region);
    QVERIFY2(region->isEnabled(), qPrintable(region->toolTip()));
    minimise->setChecked(false);
    const QImage before = lumi::testing::GrabScreen();

    // The capture window opens 700 ms later, modal: a timer clicks its two corners.
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&driver] {
      auto* capture = qobject_cast<ScreenCaptureWindow*>(QApplication::activeModalWidget());
      if (!capture || !capture->isVisible()) return;
      driver.stop();
      // (0, 0) would be taken for "the middle" by the test library; the corner beyond
      // the screen is clipped to it.
      Click(*capture, {-1, -1});
      Click(*capture, {kScreenWidth, kScreenHeight});
    });
    driver.start(50);
    region->trigger();
    CPlenivorDoc& doc = app.window->Document();
    QTRY_COMPARE_WITH_TIMEOUT(doc.Objects().size(), std::size_t{1}, 10000);
    const CDIBSection& picture = doc.Objects()[0]->SourceBitmap();
    QCOMPARE(picture.Width(), kScreenWidth);
    QCOMPARE(picture.Height(), kScreenHeight);
    QCOMPARE(app.window->View()->Tools()->Selected(), doc.Objects()[0].get());
    // The window's area of the capture is the window as it was on the screen.
    const QRect frame = app.window->frameGeometry();
    int same = 0, total = 0;
    for (int y = frame.top(); y <= frame.bottom(); y += 3) {
      const std::uint8_t* row = picture.Row(y);
      for (int x = frame.left(); x <= frame.right(); x += 3, ++total) {
        const QRgb seen = qRgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
        same += seen == ((before.pixel(x, y) & 0xFFFFFF) | 0xFF000000) ? 1 : 0;
      }
    }
    QVERIFY2(same > total * 95 / 100, qPrintable(QStringLiteral("%1 of %2").arg(same).arg(total)));
    QVERIFY2(before.pixel(frame.center()) != before.pixel(5, 5), "the window is not the empty desktop");
  }
};

}  // namespace lumi::app::testing

int main(int argc, char** argv) {
  const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
  if (xvfb.isEmpty()) {
    std::puts("SKIP: Xvfb is not installed");
    return lumi::app::testing::kSkipped;
  }
  lumi::testing::VirtualServer server;
  if (!server.Start(xvfb, "1600x1000x24")) {
    std::fputs("FAIL: Xvfb did not start\n", stderr);
    return 1;
  }
  setenv("DISPLAY", server.Display().c_str(), 1);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  QApplication app(argc, argv);
  lumi::app::testing::CaptureOnScreenTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "capture_on_screen.moc"
