#include <filesystem>

#include <QAction>
#include <QDir>
#include <QtTest/QtTest>

#include "app_fixture.h"
#include "document/plenivor_doc.h"
#include "recent_files.h"

using lumi::Answer;
using lumi::ImageFormat;
using lumi::app::RecentFiles;
using lumi::app::testing::TestApp;

namespace {

std::string Stored(const lumi::Settings& settings, int entry) {
  return settings.GetString("Recent File List", "File" + std::to_string(entry), "<none>");
}

void AddRectangle(lumi::CPlenivorDoc& doc) {
  auto rectangle = doc.MakeObject();
  rectangle->CreateRectangle(10, 10, 60, 40);
  rectangle->Render();
  doc.Objects().push_back(std::move(rectangle));
  doc.SetModified();
}

QString MenuText(TestApp& app, int entry) {
  auto* action = app.window->findChild<QAction*>(QStringLiteral("recentFile%1").arg(entry));
  if (!action || !action->isVisible()) return {};
  return action->text();
}

}  // namespace

class RecentFilesTest : public QObject {
  Q_OBJECT
 private slots:
  void keepsFourNewestFirstInTheSettings() {
    lumi::MemorySettings settings;
    RecentFiles recent(settings);
    QVERIFY(recent.Files().isEmpty());
    for (const char* name : {"/d/a.plv", "/d/b.plv", "/d/c.plv", "/d/d.plv", "/d/e.plv"})
      recent.Add(QString::fromLatin1(name));
    QCOMPARE(recent.Files(), QStringList({"/d/e.plv", "/d/d.plv", "/d/c.plv", "/d/b.plv"}));
    QCOMPARE(Stored(settings, 1), std::string("/d/e.plv"));
    QCOMPARE(Stored(settings, 4), std::string("/d/b.plv"));

    recent.Add(QStringLiteral("/d/x/../c.plv"));  // the same file, named another way
    QCOMPARE(recent.Files(), QStringList({"/d/c.plv", "/d/e.plv", "/d/d.plv", "/d/b.plv"}));
    recent.Remove(QStringLiteral("/d/e.plv"));
    QCOMPARE(Stored(settings, 2), std::string("/d/d.plv"));
    QCOMPARE(Stored(settings, 4), std::string());

    // A relative name is kept as the absolute path it stands for.
    recent.Add(QStringLiteral("here.plv"));
    QCOMPARE(recent.Files().front(), QDir::current().absoluteFilePath(QStringLiteral("here.plv")));

    const RecentFiles again(settings);
    QCOMPARE(again.Files(), recent.Files());
  }

  void menuTextsShortenLongPaths_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("text");
    QTest::newRow("short") << 0 << "/home/u/a.plv" << "&1 /home/u/a.plv";
    QTest::newRow("exactly thirty") << 1 << "/home/u/abcdefghij/drawing.plv"
                                    << "&2 /home/u/abcdefghij/drawing.plv";
    QTest::newRow("middle folders left out")
        << 2 << "/home/someone/Pictures/Drawings/welcome.plv" << "&3 /.../Drawings/welcome.plv";
    QTest::newRow("only the name fits")
        << 3 << "/tmp/a-drawing-with-a-long-long-name.plv" << "&4 a-drawing-with-a-long-long-name.plv";
    QTest::newRow("ampersands stay visible") << 0 << "/d/R&D.plv" << "&1 /d/R&&D.plv";
  }
  void menuTextsShortenLongPaths() {
    QFETCH(int, index);
    QFETCH(QString, path);
    QFETCH(QString, text);
    QCOMPARE(lumi::app::RecentMenuText(index, path), text);
  }

  void openingAndSavingAsProjectsFillTheFileMenu() {
    TestApp app;
    QCOMPARE(MenuText(app, 1), QString());
    lumi::CPlenivorDoc& doc = app.window->Document();
    AddRectangle(doc);
    const QString first = app.scratch.filePath(QStringLiteral("first.plv"));
    const QString second = app.scratch.filePath(QStringLiteral("second.plv"));
    QVERIFY(app.window->SaveFileAs(first, ImageFormat::kProject));
    QVERIFY(app.window->SaveFileAs(second, ImageFormat::kProject));
    // A flat image is not a document the program can open again as it was.
    QVERIFY(app.window->SaveFileAs(app.scratch.filePath(QStringLiteral("flat.png")),
                                   ImageFormat::kPng));
    QCOMPARE(app.window->Recent().Files(), QStringList({second, first}));
    QCOMPARE(Stored(app.services.GetSettings(), 1), second.toStdString());

    QVERIFY(app.window->OpenFile(first));
    QCOMPARE(app.window->Recent().Files(), QStringList({first, second}));
    QCOMPARE(MenuText(app, 1), lumi::app::RecentMenuText(0, first));
    QCOMPARE(MenuText(app, 2), lumi::app::RecentMenuText(1, second));
    QCOMPARE(MenuText(app, 3), QString());

    // Choosing an entry opens that file and brings it to the top.
    QVERIFY(app.window->OpenRecentFile(1));
    QCOMPARE(app.window->windowTitle(), QStringLiteral("second.plv - Lumiverdant"));
    QCOMPARE(app.window->Recent().Files(), QStringList({second, first}));
  }

  void anEntryThatNoLongerOpensLeavesTheListButACancelDoesNot() {
    TestApp app;
    lumi::CPlenivorDoc& doc = app.window->Document();
    AddRectangle(doc);
    const QString kept = app.scratch.filePath(QStringLiteral("kept.plv"));
    const QString gone = app.scratch.filePath(QStringLiteral("gone.plv"));
    QVERIFY(app.window->SaveFileAs(kept, ImageFormat::kProject));
    QVERIFY(app.window->SaveFileAs(gone, ImageFormat::kProject));
    std::filesystem::remove(gone.toStdString());

    // The user keeps the modified document: nothing is opened and the entry stays.
    AddRectangle(doc);
    app.host->QueueAnswer(Answer::Cancel);
    QVERIFY(!app.window->OpenRecentFile(0));
    QCOMPARE(app.window->Recent().Files(), QStringList({gone, kept}));

    app.host->QueueAnswer(Answer::No);
    QVERIFY(!app.window->OpenRecentFile(0));
    QCOMPARE(app.host->Messages().size(), std::size_t{1});  // the file error
    QCOMPARE(app.window->Recent().Files(), QStringList({kept}));
    QCOMPARE(MenuText(app, 2), QString());
  }
};

QTEST_MAIN(RecentFilesTest)
#include "recent_files_test.moc"
