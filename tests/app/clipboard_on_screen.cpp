// Objects travel between instances through the real X clipboard: on a virtual X server of
// its own the program opens a copy of the sample project, xdotool clicks its star and
// presses Ctrl+C, and a second program window in this test process (a new, empty
// document) pastes it: the star arrives with its kind and place.
//
// Exits with 77 (a skip for ctest) when Xvfb or xdotool is not installed.
#include <cstdio>

#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QFile>
#include <QMimeData>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include "app_fixture.h"
#include "edit/command_services.h"
#include "object_menus.h"
#include "virtual_server.h"

namespace {

constexpr int kSkipped = 77;
// A point inside the sample's star (box at 180, 40) on its 400 x 300 canvas.
constexpr QPoint kOnStar{230, 95};

bool Xdotool(const QStringList& args) { return QProcess::execute(QStringLiteral("xdotool"), args) == 0; }

}  // namespace

class ClipboardOnScreenTest : public QObject {
  Q_OBJECT
 private slots:
  void cleanup() { lumi::testing::StopProgram(program_); }

  void aStarCopiedInOneInstanceIsPastedInAnother() {
    QVERIFY(home_.isValid());
    const QString copy = home_.filePath(QStringLiteral("copy.plv"));
    QVERIFY(QFile::copy(QStringLiteral(LUMI_SAMPLE_PROJECT), copy));
    lumi::testing::StartInOwnHome(program_, home_, QStringLiteral(LUMI_PROGRAM), {copy});
    QVERIFY2(program_.waitForStarted(30000), "the program did not start");
    const QDeadlineTimer deadline(90000);
    const QString missing = lumi::testing::WaitForWindow(program_, QStringLiteral("copy.plv - Lumiverdant"), deadline);
    QVERIFY2(missing.isEmpty(), qPrintable(missing));
    // Wait until the sample's canvas is painted and steady.
    const std::optional<QPoint> canvas = lumi::testing::WaitForSteadyCanvas(400, 300, kOnStar, 0xF0B020, deadline);
    QVERIFY2(canvas.has_value(), "no canvas on the screen");
    const QPoint on_star = *canvas + kOnStar;
    QVERIFY(Xdotool({QStringLiteral("mousemove"), QString::number(on_star.x()), QString::number(on_star.y())}));
    QTest::qWait(300);
    QVERIFY(Xdotool({QStringLiteral("click"), QStringLiteral("1")}));
    QTest::qWait(300);
    QVERIFY(Xdotool({QStringLiteral("key"), QStringLiteral("ctrl+c")}));

    // This process's clipboard sees the other instance's objects.
    const QString type = QString::fromLatin1(lumi::kObjectStreamMimeType);
    while (true) {
      const QMimeData* data = QGuiApplication::clipboard()->mimeData();
      if (data && data->hasFormat(type)) break;
      QVERIFY2(!deadline.hasExpired(), "Ctrl+C in the program put no objects on the clipboard");
      QTest::qWait(200);
    }
    lumi::app::testing::TestApp second;
    lumi::CPlenivorDoc& doc = second.window->Document();
    QCOMPARE(doc.Objects().size(), std::size_t{0});
    QVERIFY(second.window->ObjectCommandMenus().Run("Paste"));
    QCOMPARE(doc.Objects().size(), std::size_t{1});
    const lumi::CDrawObject& star = *doc.Objects()[0];
    QCOMPARE(QString::fromStdString(star.GetKindName()), QStringLiteral("Star"));
    QCOMPARE(star.GetX(), 180);
    QCOMPARE(star.GetY(), 40);
  }

 private:
  QTemporaryDir home_;
  QProcess program_;
};

int main(int argc, char** argv) {
  const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
  if (xvfb.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
    std::puts("SKIP: Xvfb or xdotool is not installed");
    return kSkipped;
  }
  lumi::testing::VirtualServer server;
  if (!server.Start(xvfb)) {
    std::fputs("FAIL: Xvfb did not start\n", stderr);
    return 1;
  }
  setenv("DISPLAY", server.Display().c_str(), 1);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  QApplication app(argc, argv);
  ClipboardOnScreenTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "clipboard_on_screen.moc"
