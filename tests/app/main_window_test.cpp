#include <QtTest/QtTest>

#include "app_fixture.h"

class MainWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void titleNamesTheProgram() {
    lumi::app::testing::TestApp app;
    lumi::app::MainWindow& window = *app.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.windowTitle().endsWith(QStringLiteral("Lumiverdant")));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
