#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include "file_filter.h"
#include "save_dialog.h"

namespace {

// Types `typed` into the save dialog that `ask` opens and accepts it. Every overwrite
// question shown is answered No and its text kept in `questions`; the dialog is then
// cancelled. Returns what `ask` returned.
QString TypeIntoSaveDialog(const std::function<QString()>& ask, const QString& typed,
                           QStringList& questions) {
  QObject alive;  // timers still pending when this returns die with it
  std::function<void()> answer_questions = [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      questions << box->text();
      box->button(QMessageBox::No)->click();
    } else if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      dialog->reject();
      return;
    } else {
      return;  // the question came after the dialog, which is gone
    }
    QTimer::singleShot(20, &alive, answer_questions);
  };
  QTimer::singleShot(100, &alive, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog);
    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(typed);
    QTimer::singleShot(20, &alive, answer_questions);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  return ask();
}

}  // namespace

using lumi::app::SaveDialogStartFolder;
using lumi::app::WithDefaultExtension;

class SaveDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void aNameWithoutExtensionGetsTheDefaultOne_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("defaultName");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no extension") << "/out/btn" << "*.bmp" << "/out/btn.bmp";
    QTest::newRow("own extension kept") << "/out/btn.png" << "*.bmp" << "/out/btn.png";
    QTest::newRow("dot only in the folder") << "/out.d/btn" << "*.jpg" << "/out.d/btn.jpg";
    QTest::newRow("hidden file") << "/out/.btn" << "*.pvx" << "/out/.btn.pvx";
    QTest::newRow("no default extension") << "/out/btn" << "" << "/out/btn";
  }
  void aNameWithoutExtensionGetsTheDefaultOne() {
    QFETCH(QString, chosen);
    QFETCH(QString, defaultName);
    QFETCH(QString, expected);
    QCOMPARE(WithDefaultExtension(chosen, defaultName.toStdString()), expected);
  }

  void theStoredPathGivesTheStartFolder() {
    QTemporaryDir dir;
    const QString folder = QDir(dir.path()).absolutePath();
    QCOMPARE(SaveDialogStartFolder(""), QString());
    // A stored folder is used as it is; a stored file (the last export) gives its folder,
    // whether or not it still exists.
    QCOMPARE(SaveDialogStartFolder(folder.toStdString()), folder);
    QCOMPARE(SaveDialogStartFolder((folder + "/gone.jpg").toStdString()), folder);
  }

  // A name typed without its extension must be asked about as the file that would really
  // be replaced, in both save dialogs; Save As also writes its own extension in place of
  // another one.
  void overwriteIsAskedForTheCompletedName_data() {
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("saveAs");
    QTest::newRow("save as, no extension") << "name.plv" << "name" << true;
    QTest::newRow("save as, other extension") << "name.plv" << "name.old" << true;
    QTest::newRow("export, no extension") << "name.jpg" << "name" << false;
  }
  void overwriteIsAskedForTheCompletedName() {
    QFETCH(QString, existing);
    QFETCH(QString, typed);
    QFETCH(bool, saveAs);
    QTemporaryDir dir;
    QFile file(QDir(dir.path()).filePath(existing));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("keep me");
    file.close();

    QStringList questions;
    const QString chosen = TypeIntoSaveDialog(
        [&]() -> QString {
          if (saveAs) {
            QString selected;
            return lumi::app::AskSaveFileName(nullptr, QStringLiteral("Save file as"), dir.path(),
                                              lumi::app::QtDialogFilter(lumi::FormatDialog::kSaveAs),
                                              &selected, true);
          }
          const lumi::SaveDialogRequest request{"Export", "JPG File (*.jpg)|*.jpg||", "*.jpg",
                                                dir.path().toStdString()};
          const auto path = lumi::app::AskSavePath(nullptr, request);
          return path ? QString::fromStdString(path->string()) : QString();
        },
        typed, questions);
    QCOMPARE(chosen, QString());
    QCOMPARE(questions.size(), 1);
    QVERIFY2(questions.front().startsWith(existing + " already exists."), qPrintable(questions.front()));
  }
};

QTEST_MAIN(SaveDialogTest)
#include "save_dialog_test.moc"
