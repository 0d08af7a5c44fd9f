// The progress window of the Qt host shows the shaded blue progress bar with the
// percentage, follows the steps and goes away at the end.
#include <QProgressDialog>
#include <QTest>
#include <QWidget>

#include "controls/shaded_progress_ctrl.h"
#include "qt_host.h"

using namespace lumi::app;

class QtHostProgressTest : public QObject {
  Q_OBJECT

 private slots:
  void progressWindowUsesTheShadedBar() {
    QWidget owner;
    QtHost host(&owner);
    host.ProgressStart("Loading...", 200);
    auto* bar = owner.findChild<CShadedProgressCtrl*>();
    QVERIFY(bar);
    QCOMPARE(bar->Colour(), lumi::RGB(0, 0, 255));
    QCOMPARE(bar->Step(), 10);
    QCOMPARE(bar->maximum(), 200);
    QVERIFY(bar->isTextVisible());
    host.ProgressStep(50);
    QCOMPARE(bar->value(), 50);
    QCOMPARE(bar->text(), QStringLiteral("25%"));
    host.ProgressEnd();
    QVERIFY(!owner.findChild<CShadedProgressCtrl*>());
  }
};

QTEST_MAIN(QtHostProgressTest)
#include "qt_host_progress_test.moc"
