#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QTimer>
#include <QtTest/QtTest>

#include "app_fixture.h"
#include "export/multi_state_objects.h"

class ExportMenuTest : public QObject {
  Q_OBJECT
 private slots:
  void exportShowsTheDialogOnTheComposedCanvas() {
    lumi::app::testing::TestApp app;
    QVERIFY(QDir().mkpath(app.scratch.path()));
    auto* action = app.window->findChild<QAction*>(QStringLiteral("exportAction"));
    QVERIFY(action);
    QCOMPARE(action->text(), QStringLiteral("&Export..."));
    QString title;
    // The dialog is modal: look at it once it shows, then close it.
    QTimer::singleShot(0, [&] {
      if (QWidget* dialog = QApplication::activeModalWidget()) {
        title = dialog->windowTitle();
        static_cast<QDialog*>(dialog)->reject();
      }
    });
    action->trigger();
    QCOMPARE(title, QStringLiteral("Export"));
    // The start preview went to the data folder.
    QVERIFY(QFile::exists(app.scratch.filePath(QStringLiteral("export.tmp"))));
    QVERIFY(app.host->Messages().empty());
  }

  void multimediaExportWithoutButtonsTellsTheUser() {
    lumi::app::testing::TestApp app;
    auto* action = app.window->findChild<QAction*>(QStringLiteral("multimediaExportAction"));
    QVERIFY(action);
    QCOMPARE(action->text(), QStringLiteral("&Multimedia Export..."));
    action->trigger();
    QCOMPARE(app.host->Messages(),
             std::vector<std::string>{std::string(lumi::kNoMultiframeObjectsMessage)});
  }
};

QTEST_MAIN(ExportMenuTest)
#include "export_menu_test.moc"
