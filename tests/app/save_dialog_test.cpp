#include <QDir>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include "save_dialog.h"

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
};

QTEST_MAIN(SaveDialogTest)
#include "save_dialog_test.moc"
