#include <QtTest/QtTest>

#include "main_window.h"

class MainWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void titleNamesTheProgram() {
    lumi::app::MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.windowTitle().endsWith(QStringLiteral("Lumiverdant")));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
