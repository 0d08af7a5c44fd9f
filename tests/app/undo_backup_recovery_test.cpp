// Undo and redo reach the Edit menu and its keys, the backup timer writes the backup
// while the window is open, and a run that did not close normally gets its drawing
// offered back at the next start.
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include <QAction>
#include <QtTest/QtTest>

#include "app_fixture.h"
#include "crash_recovery.h"
#include "document/plenivor_doc.h"
#include "document/run_mark.h"
#include "qt_backup_timer.h"

using lumi::Answer;
using lumi::CPlenivorDoc;
using lumi::app::testing::TestApp;

namespace {

void AddRectangle(CPlenivorDoc& doc, int left) {
  auto rectangle = doc.MakeObject();
  rectangle->CreateRectangle(left, 10, left + 50, 40);
  rectangle->Render();
  doc.Objects().push_back(std::move(rectangle));
  doc.SetModified();
  doc.TakeSnapshot();  // as every completed edit does
}

QAction* Action(QWidget& window, const char* name) {
  return window.findChild<QAction*>(QString::fromLatin1(name));
}

bool Asked(const lumi::RecordingHost& host, const std::string& question) {
  for (const std::string& line : host.Log())
    if (line == "ask: " + question) return true;
  return false;
}

// A run of the program that wrote `backup` with unsaved changes and then died.
void CrashedRunThatWrote(const lumi::FolderSet& folders) {
  const pid_t child = ::fork();
  QVERIFY(child >= 0);
  if (child == 0) {
    lumi::RunMark mark(folders.root);
    mark.NoteBackup(folders.BackupFile(), true);
    ::_exit(mark.IsActive() ? 0 : 3);
  }
  int status = 0;
  QCOMPARE(::waitpid(child, &status, 0), child);
  QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace

class UndoBackupRecoveryTest : public QObject {
  Q_OBJECT
 private slots:
  void undoAndRedoFollowTheDocumentThroughMenuAndKeys() {
    TestApp app;
    app.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(app.window.get()));
    CPlenivorDoc& doc = app.window->Document();
    QAction* undo = Action(*app.window, "undoAction");
    QAction* redo = Action(*app.window, "redoAction");
    QVERIFY(undo && redo);
    QVERIFY(!undo->isEnabled());
    QVERIFY(!redo->isEnabled());

    AddRectangle(doc, 10);
    AddRectangle(doc, 70);
    app.window->UpdateUndoActions();
    QVERIFY(undo->isEnabled());

    QTest::keyClick(app.window.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(doc.Objects().size(), std::size_t{1});
    QVERIFY(redo->isEnabled());
    QTest::keyClick(app.window.get(), Qt::Key_Backspace, Qt::AltModifier);
    QCOMPARE(doc.Objects().size(), std::size_t{0});
    QVERIFY(!undo->isEnabled());
    QTest::keyClick(app.window.get(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(doc.Objects().size(), std::size_t{1});
    redo->trigger();
    QCOMPARE(doc.Objects().size(), std::size_t{2});
    QVERIFY(!redo->isEnabled());
  }

  void theBackupTimerWritesTheBackupIntoTheDataFolder() {
    TestApp app;
    app.services.GetSettings().SetInt("Settings", "Backup", 1);
    app.window->BackupTimerForTests().SetMinuteLength(std::chrono::milliseconds(40));
    AddRectangle(app.window->Document(), 10);
    const std::filesystem::path backup = app.services.Folders().BackupFile();
    QVERIFY(!std::filesystem::exists(backup));
    app.window->show();
    QVERIFY(app.window->BackupTimerForTests().IsActive());
    QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(backup), 5000);
    QTRY_VERIFY(std::find(app.host->Log().begin(), app.host->Log().end(),
                          "status 0: Backup Finished (Backup.plv)") != app.host->Log().end());
    QVERIFY(app.window->BackupTimerForTests().IsActive());

    // The backup is an ordinary project; a second window opens it.
    TestApp other;
    QVERIFY(other.window->Document().Open(backup));
    QCOMPARE(other.window->Document().Objects().size(), std::size_t{1});

    // "Backup" set to 0 stops the backups at the next expiry.
    app.services.GetSettings().SetInt("Settings", "Backup", 0);
    QTRY_VERIFY_WITH_TIMEOUT(!app.window->BackupTimerForTests().IsActive(), 5000);
  }

  void aCrashedRunsBackupIsOfferedAsAnUntitledDrawing() {
    TestApp app;
    const lumi::FolderSet& folders = app.services.Folders();
    {
      TestApp crashed;
      AddRectangle(crashed.window->Document(), 10);
      AddRectangle(crashed.window->Document(), 70);
      QVERIFY(crashed.window->Document().WriteBackup(folders.BackupFile()));
    }
    const auto backup_bytes = std::filesystem::file_size(folders.BackupFile());
    CrashedRunThatWrote(folders);

    lumi::app::CrashRecovery recovery(folders);
    app.host->QueueAnswer(Answer::Yes);
    QVERIFY(recovery.OfferTo(*app.window));
    QVERIFY(Asked(*app.host, lumi::app::kRecoveryQuestion));
    CPlenivorDoc& doc = app.window->Document();
    QCOMPARE(doc.Objects().size(), std::size_t{2});
    QVERIFY(doc.GetPath().empty());
    QVERIFY(doc.IsModified());
    QCOMPARE(app.window->windowTitle(), QStringLiteral("Untitled - Lumiverdant"));
    QCOMPARE(std::filesystem::file_size(folders.BackupFile()), backup_bytes);
    QVERIFY(!recovery.OfferTo(*app.window));  // once only
  }

  void noOfferAfterACleanExitOrWhenTheUserDeclines() {
    TestApp app;
    const lumi::FolderSet& folders = app.services.Folders();
    AddRectangle(app.window->Document(), 10);
    QVERIFY(app.window->Document().WriteBackup(folders.BackupFile()));
    {
      lumi::app::CrashRecovery clean_run(folders);
      clean_run.Mark().NoteBackup(folders.BackupFile(), true);
    }
    lumi::app::CrashRecovery after_clean_exit(folders);
    QVERIFY(!after_clean_exit.OfferTo(*app.window));
    QVERIFY(!Asked(*app.host, lumi::app::kRecoveryQuestion));

    CrashedRunThatWrote(folders);
    lumi::app::CrashRecovery declined(folders);
    app.host->QueueAnswer(Answer::No);
    QVERIFY(!declined.OfferTo(*app.window));
    QVERIFY(Asked(*app.host, lumi::app::kRecoveryQuestion));
    QCOMPARE(app.window->Document().Objects().size(), std::size_t{1});
  }
};

QTEST_MAIN(UndoBackupRecoveryTest)
#include "undo_backup_recovery_test.moc"
