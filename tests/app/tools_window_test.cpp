// The tools in the window: mouse events reach the tool machine at canvas points, the
// overlays are painted over the canvas, the cursor follows the handles and the Tools
// menu carries the check marks.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QtTest/QtTest>

#include "controls/program_icons.h"
#include "app_fixture.h"
#include "edit/drawing_view.h"
#include "edit/tool_machine.h"
#include "plenivor_view.h"
#include "sample_document.h"

namespace {

QAction* MenuAction(QMenu* menu, const QString& text) {
  for (QAction* a : menu->actions())
    if (a->text() == text) return a;
  return nullptr;
}

}  // namespace

class ToolsWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    app_ = std::make_unique<lumi::app::testing::TestApp>();
    QVERIFY(lumi::app::testing::ShowSampleWindow(*app_));
    view_ = app_->window->View();
  }
  void cleanup() { app_.reset(); }

  static bool SameCursor(const QCursor& a, const QCursor& b) {
    return a.shape() == Qt::BitmapCursor && a.hotSpot() == b.hotSpot() &&
           a.pixmap().toImage() == b.pixmap().toImage();
  }

  void draggingWithTheMouseMovesTheObjectAndPaintsItsFrame() {
    const lumi::Point o = view_->View().Zoom().ViewportOrigin();
    const auto& object = *app_->window->Document().Objects()[0];
    const int x0 = object.GetX();
    QWidget* port = view_->viewport();
    QTest::mousePress(port, Qt::LeftButton, {}, QPoint(o.x + 60, o.y + 60));
    QTest::mouseMove(port, QPoint(o.x + 75, o.y + 60));
    QTest::mouseMove(port, QPoint(o.x + 90, o.y + 60));
    QVERIFY2(SameCursor(port->cursor(), lumi::app::ToolCursor("move")), "the program's own move cursor");
    QTest::mouseRelease(port, Qt::LeftButton, {}, QPoint(o.x + 90, o.y + 60));
    QCOMPARE(object.GetX(), x0 + 30);
    // The view shows the tools' selection.
    QCOMPARE(view_->View().Selected(), &object);

    // The selection frame, 1 pixel inside the box grown by 3, in the shape's colour.
    QTest::qWait(50);
    const QImage shot = port->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int frame_x = object.GetX() - 1;
    QCOMPARE(shot.pixel(o.x + frame_x, o.y + 60) & 0xFFFFFF, qRgb(0x00, 0x80, 0xFF) & 0xFFFFFF);
    QCOMPARE(shot.pixel(o.x + frame_x - 3, o.y + 60) & 0xFFFFFF, qRgb(0xC0, 0xD8, 0xF0) & 0xFFFFFF);

    // Over the top-left handle the cursor turns diagonal.
    QTest::mouseMove(port, QPoint(o.x + object.GetX(), o.y + object.GetY()));
    QCOMPARE(port->cursor().shape(), Qt::SizeFDiagCursor);
  }

  void toolsMenuChoosesToolsWithACheckMark() {
    QMenu* menu = app_->window->menuBar()->findChild<QMenu*>(QStringLiteral("toolsMenu"));
    QVERIFY(menu);
    QAction* select = MenuAction(menu, QStringLiteral("Select Object"));
    QAction* rotate = MenuAction(menu, QStringLiteral("Rotate Object"));
    QAction* texture = MenuAction(menu, QStringLiteral("Texture Size and Rotation"));
    QAction* smooth = MenuAction(menu, QStringLiteral("Smooth Node"));
    QVERIFY(select && rotate && texture && smooth);
    QVERIFY(select->isChecked());
    QVERIFY2(!texture->isEnabled(), "nothing with a texture is selected");
    QVERIFY(!smooth->isEnabled());
    rotate->trigger();
    QCOMPARE(view_->Tools()->CurrentTool(), lumi::Tool::Rotate);
    QVERIFY(rotate->isChecked());
    QVERIFY(!select->isChecked());
    QVERIFY2(SameCursor(view_->viewport()->cursor(), lumi::app::ToolCursor("rotate")), "the rotate cursor");
  }

 private:
  std::unique_ptr<lumi::app::testing::TestApp> app_;
  lumi::app::CPlenivorView* view_ = nullptr;
};

QTEST_MAIN(ToolsWindowTest)
#include "tools_window_test.moc"
