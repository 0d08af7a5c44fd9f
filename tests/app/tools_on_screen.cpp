// The tools in the real program with real mouse events: on a virtual X server of its own
// the program opens a copy of the sample project, xdotool presses on the star, drags it
// 40 pixels right and saves with Ctrl+S, and the saved project has the star moved. A
// screen grab taken during the drag is kept as a test artefact.
//
// A second run draws a rectangle and a star with real drags, types an artistic text into
// the real Text dialog, saves, and finds the three new objects in the saved project.
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

#include "edit/tool_ids.h"
#include "virtual_server.h"

namespace {

constexpr int kSkipped = 77;
// A point inside the sample's star (object 2, box at x 180) on its 400 x 300 canvas.
constexpr QPoint kOnStar{230, 95};
constexpr int kStarX = 180;


bool Xdotool(const QStringList& args) {
  return QProcess::execute(QStringLiteral("xdotool"), args) == 0;
}

// Chooses a tool from the Tools menu with the keyboard: the menu opens on its first
// entry and the arrow keys pass over the disabled ones (with nothing selected: the
// texture tool and the bitmap tools).
bool ChooseFromToolsMenu(lumi::Tool tool) {
  int steps = 0;
  for (const lumi::ToolCommand& c : lumi::kToolCommands) {
    if (c.tool == tool) break;
    const bool disabled = c.tool == lumi::Tool::Texture || c.tool == lumi::Tool::PaintTransparency ||
                          c.tool == lumi::Tool::PaintOpaque || c.tool == lumi::Tool::TransparencyFromColour;
    if (!disabled) ++steps;
  }
  if (!Xdotool({QStringLiteral("key"), QStringLiteral("alt+t")})) return false;
  QTest::qWait(400);
  for (int i = 0; i < steps; ++i)
    if (!Xdotool({QStringLiteral("key"), QStringLiteral("Down")})) return false;
  const bool chosen = Xdotool({QStringLiteral("key"), QStringLiteral("Return")});
  QTest::qWait(300);
  return chosen;
}

bool DragOnScreen(QPoint from, QPoint to) {
  if (!Xdotool({QStringLiteral("mousemove"), QString::number(from.x()), QString::number(from.y())})) return false;
  QTest::qWait(200);
  if (!Xdotool({QStringLiteral("mousedown"), QStringLiteral("1")})) return false;
  for (int step = 1; step <= 4; ++step) {
    const QPoint p = from + (to - from) * step / 4;
    if (!Xdotool({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y())})) return false;
    QTest::qWait(100);
  }
  const bool up = Xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
  QTest::qWait(300);
  return up;
}

}  // namespace

class ToolsOnScreenTest : public QObject {
  Q_OBJECT
 private slots:
  void cleanup() { lumi::testing::StopProgram(program_); }

  void drawShapesAndTextThenSave() {
    QVERIFY(home_.isValid());
    const QString copy = home_.filePath(QStringLiteral("drawn.plv"));
    QVERIFY(QFile::copy(QStringLiteral(LUMI_SAMPLE_PROJECT), copy));
    QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    lumi::testing::StartInOwnHome(program_, home_, QStringLiteral(LUMI_PROGRAM), {copy});
    QVERIFY2(program_.waitForStarted(30000), "the program did not start");
    const QDeadlineTimer deadline(120000);
    const QString missing = lumi::testing::WaitForWindow(program_, QStringLiteral("drawn.plv - Lumiverdant"), deadline);
    QVERIFY2(missing.isEmpty(), qPrintable(missing));
    std::optional<QPoint> canvas;
    while (!canvas && !deadline.hasExpired()) {
      canvas = lumi::testing::FindCanvas(lumi::testing::GrabScreen(), 400, 300);
      QTest::qWait(250);
    }
    QVERIFY2(canvas.has_value(), "no canvas on the screen");
    // Without a window manager a window becomes active by a click: one beside the page,
    // where the select tool finds nothing.
    const QPoint beside = *canvas - QPoint(30, 30);
    const auto activate = [&] {
      return Xdotool({QStringLiteral("mousemove"), QString::number(beside.x()), QString::number(beside.y())}) &&
             Xdotool({QStringLiteral("click"), QStringLiteral("1")});
    };
    QVERIFY(activate());
    QTest::qWait(500);

    QVERIFY(ChooseFromToolsMenu(lumi::Tool::Rectangle));
    QVERIFY(DragOnScreen(*canvas + QPoint(20, 200), *canvas + QPoint(80, 260)));
    QVERIFY(ChooseFromToolsMenu(lumi::Tool::Star));
    QVERIFY(DragOnScreen(*canvas + QPoint(300, 200), *canvas + QPoint(360, 260)));
    const QImage drawn = lumi::testing::GrabScreen();
    QDir().mkpath(QFileInfo(QStringLiteral(LUMI_SCREENSHOT)).absolutePath());
    drawn.save(QFileInfo(QStringLiteral(LUMI_SCREENSHOT)).absolutePath() + QStringLiteral("/tools-drawn.png"));

    QVERIFY(ChooseFromToolsMenu(lumi::Tool::ArtisticText));
    const QPoint at = *canvas + QPoint(150, 240);
    QVERIFY(Xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())}));
    QTest::qWait(200);
    QVERIFY(Xdotool({QStringLiteral("click"), QStringLiteral("1")}));
    while (!lumi::testing::WindowTitled(QStringLiteral("Text"))) {
      QVERIFY2(!deadline.hasExpired(), "the Text dialog did not open");
      QTest::qWait(200);
    }
    QTest::qWait(500);
    QVERIFY(Xdotool({QStringLiteral("type"), QStringLiteral("Hi")}));
    QTest::qWait(200);
    const QImage typed = lumi::testing::GrabScreen();
    typed.save(QFileInfo(QStringLiteral(LUMI_SCREENSHOT)).absolutePath() + QStringLiteral("/text-dialog.png"));
    QVERIFY(Xdotool({QStringLiteral("key"), QStringLiteral("alt+o")}));
    QTest::qWait(800);
    QVERIFY(activate());
    QTest::qWait(300);

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
    const QJsonArray objects =
        QJsonDocument::fromJson(info.readAllStandardOutput()).object()[QStringLiteral("objects")].toArray();
    QVERIFY(objects.size() >= 3);
    const QJsonObject rectangle = objects[objects.size() - 3].toObject();
    const QJsonObject star = objects[objects.size() - 2].toObject();
    const QJsonObject text = objects[objects.size() - 1].toObject();
    QCOMPARE(rectangle[QStringLiteral("kindName")].toString(), QStringLiteral("Rectangle"));
    QVERIFY(std::abs(rectangle[QStringLiteral("x")].toInt() - 20) <= 3);
    QCOMPARE(star[QStringLiteral("kindName")].toString(), QStringLiteral("Star"));
    QCOMPARE(star[QStringLiteral("x")].toInt(), 300);
    QCOMPARE(star[QStringLiteral("y")].toInt(), 200);
    QCOMPARE(text[QStringLiteral("text")].toString(), QStringLiteral("Hi"));
  }

  void dragTheStarAndSaveWithCtrlS() {
    QVERIFY(home_.isValid());
    const QString copy = home_.filePath(QStringLiteral("copy.plv"));
    QVERIFY(QFile::copy(QStringLiteral(LUMI_SAMPLE_PROJECT), copy));
    QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    lumi::testing::StartInOwnHome(program_, home_, QStringLiteral(LUMI_PROGRAM), {copy});
    QVERIFY2(program_.waitForStarted(30000), "the program did not start");

    const QDeadlineTimer deadline(90000);
    const QString missing = lumi::testing::WaitForWindow(program_, QStringLiteral("copy.plv - Lumiverdant"), deadline);
    QVERIFY2(missing.isEmpty(), qPrintable(missing));
    // Wait until the sample's canvas is painted and steady.
    const std::optional<QPoint> canvas = lumi::testing::WaitForSteadyCanvas(400, 300, kOnStar, 0xF0B020, deadline);
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
