// The tools in the real program with real mouse events: on a virtual X server of its own
// the program opens a copy of the sample project, xdotool presses on the star, drags it
// 40 pixels right and saves with Ctrl+S, and the saved project has the star moved. A
// screen grab taken during the drag is kept as a test artefact.
//
// Exits with 77 (a skip for ctest) when Xvfb or xdotool is not installed.
#include <cstdio>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPixmap>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include "virtual_server.h"

namespace {

constexpr int kSkipped = 77;
// A point inside the sample's star (object 2, box at x 180) on its 400 x 300 canvas.
constexpr QPoint kOnStar{230, 95};
constexpr int kStarX = 180;


bool Xdotool(const QStringList& args) {
  return QProcess::execute(QStringLiteral("xdotool"), args) == 0;
}

}  // namespace

class ToolsOnScreenTest : public QObject {
  Q_OBJECT
 private slots:
  void cleanup() { lumi::testing::StopProgram(program_); }

  void dragTheStarAndSaveWithCtrlS() {
    QVERIFY(home_.isValid());
    const QString copy = home_.filePath(QStringLiteral("copy.plv"));
    QVERIFY(QFile::copy(QStringLiteral(LUMI_SAMPLE_PROJECT), copy));
    QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    lumi::testing::StartInOwnHome(program_, home_, QStringLiteral(LUMI_PROGRAM), {copy});
    QVERIFY2(program_.waitForStarted(30000), "the program did not start");

    const QDeadlineTimer deadline(90000);
    while (!lumi::testing::WindowTitled(QStringLiteral("copy.plv - Lumiverdant"))) {
      QVERIFY2(program_.state() == QProcess::Running, "the program exited before showing the copy");
      QVERIFY2(!deadline.hasExpired(), "the copy's window did not appear within 90 seconds");
      QTest::qWait(200);
    }
    // Wait until the sample's canvas is painted and steady.
    std::optional<QPoint> canvas;
    QImage previous;
    while (!deadline.hasExpired()) {
      const QImage shot = lumi::testing::GrabScreen();
      canvas = lumi::testing::FindCanvas(shot, 400, 300);
      if (canvas && lumi::testing::At(shot, canvas->x() + kOnStar.x(), canvas->y() + kOnStar.y()) == 0xF0B020 &&
          shot == previous)
        break;
      previous = shot;
      QTest::qWait(250);
    }
    QVERIFY2(canvas.has_value(), "no canvas on the screen");
    const QPoint press = *canvas + kOnStar;
    const QString x = QString::number(press.x()), y = QString::number(press.y());
    QVERIFY(Xdotool({QStringLiteral("mousemove"), x, y}));
    QTest::qWait(300);
    QVERIFY(Xdotool({QStringLiteral("mousedown"), QStringLiteral("1")}));
    for (int dx = 10; dx <= 40; dx += 10) {
      QVERIFY(Xdotool({QStringLiteral("mousemove"), QString::number(press.x() + dx), y}));
      QTest::qWait(150);
    }
    QTest::qWait(300);
    const QImage during = lumi::testing::GrabScreen();
    QDir().mkpath(QFileInfo(QStringLiteral(LUMI_SCREENSHOT)).absolutePath());
    during.save(QStringLiteral(LUMI_SCREENSHOT));
    QVERIFY(Xdotool({QStringLiteral("mouseup"), QStringLiteral("1")}));
    QTest::qWait(300);
    // The star moved on the screen with the mouse.
    QCOMPARE(lumi::testing::At(during, press.x() + 40, press.y()), QRgb(0xF0B020));

    const QDateTime before = QFileInfo(copy).lastModified();
    QVERIFY(Xdotool({QStringLiteral("key"), QStringLiteral("ctrl+s")}));
    while (QFileInfo(copy).lastModified() == before) {
      QVERIFY2(!deadline.hasExpired(), "Ctrl+S did not save the copy");
      QTest::qWait(200);
    }
    QTest::qWait(500);

    QProcess info;
    info.start(QStringLiteral(LUMI_CLI), {QStringLiteral("info"), QStringLiteral("--json"), copy});
    QVERIFY(info.waitForFinished(60000));
    const QJsonObject scene = QJsonDocument::fromJson(info.readAllStandardOutput()).object();
    const QJsonObject star = scene[QStringLiteral("objects")].toArray()[2].toObject();
    QCOMPARE(star[QStringLiteral("kindName")].toString(), QStringLiteral("Star"));
    QCOMPARE(star[QStringLiteral("x")].toInt(), kStarX + 40);
    QCOMPARE(star[QStringLiteral("y")].toInt(), 40);
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
  ToolsOnScreenTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "tools_on_screen.moc"
