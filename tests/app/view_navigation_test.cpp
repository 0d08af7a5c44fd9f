// Getting about the drawing with real events: the wheel scrolls and with Ctrl zooms about
// the pointer, a pinch zooms, the middle button and Space with the left button pan, the
// tool keys choose tools only while the view has the focus, and Escape gives up a drag.
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QMenu>
#include <QMenuBar>
#include <QNativeGestureEvent>
#include <QPointingDevice>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtTest/QtTest>

#include "app_fixture.h"
#include "edit/drawing_view.h"
#include "edit/tool_machine.h"
#include "plenivor_view.h"
#include "sample_document.h"

namespace {

// A wheel turn over the view's viewport, as the window system delivers it.
void Turn(QWidget* port, QPoint at, QPoint angle, QPoint pixels = {}, Qt::KeyboardModifiers keys = {}) {
  QWheelEvent event(QPointF(at), QPointF(port->mapToGlobal(at)), pixels, angle, Qt::NoButton, keys,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(port, &event);
}

void Pinch(QWidget* port, QPoint at, double value) {
  QNativeGestureEvent event(Qt::ZoomNativeGesture, QPointingDevice::primaryPointingDevice(), 2, QPointF(at),
                            QPointF(at), QPointF(port->mapToGlobal(at)), value, QPointF());
  QApplication::sendEvent(port, &event);
}

// The canvas position (fractional) at the centre of a device pixel.
QPointF CanvasAt(const lumi::ZoomView& zoom, QPoint device) {
  const lumi::Point o = zoom.ViewportOrigin();
  return {(device.x() - o.x + 0.5) * zoom.LogicalSize().width / zoom.ZoomedSize().width,
          (device.y() - o.y + 0.5) * zoom.LogicalSize().height / zoom.ZoomedSize().height};
}

// The pointer stays over the same canvas point: within half a device pixel.
bool StaysUnder(const lumi::ZoomView& zoom, QPoint device, QPointF canvas) {
  const QPointF now = CanvasAt(zoom, device);
  const double half = 0.5 / zoom.Scale() + 1e-6;
  return std::abs(now.x() - canvas.x()) <= half && std::abs(now.y() - canvas.y()) <= half;
}

}  // namespace

class ViewNavigationTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    app_ = std::make_unique<lumi::app::testing::TestApp>();
    QVERIFY(lumi::app::testing::ShowSampleWindow(*app_));
    view_ = app_->window->View();
    view_->setFocus();
  }
  void cleanup() { app_.reset(); }

  void wheelScrollsAndWithCtrlZoomsAboutThePointer() {
    QWidget* port = view_->viewport();
    view_->chooseZoomEntry(9);  // "800%": 1600 x 1200, scrolled
    const lumi::ZoomView& zoom = view_->View().Zoom();
    const QPoint at(150, 120);
    const lumi::Point start = zoom.ScrollPosition();
    Turn(port, at, {0, -120});
    QCOMPARE(zoom.ScrollPosition().y, start.y + lumi::DrawingView::kWheelNotchPixels);
    QCOMPARE(view_->verticalScrollBar()->value(), zoom.ScrollPosition().y);
    Turn(port, at, {0, 120}, {}, Qt::ShiftModifier);
    QCOMPARE(zoom.ScrollPosition().x, start.x - lumi::DrawingView::kWheelNotchPixels);
    QCOMPARE(view_->horizontalScrollBar()->value(), zoom.ScrollPosition().x);
    // A touchpad's pixels scroll exactly that far.
    const lumi::Point before = zoom.ScrollPosition();
    Turn(port, at, {0, -24}, {-5, -9});
    QCOMPARE(zoom.ScrollPosition(), (lumi::Point{before.x + 5, before.y + 9}));

    QPointF under = CanvasAt(zoom, at);
    Turn(port, at, {0, -120}, {}, Qt::ControlModifier);
    QCOMPARE(zoom.Scale(), 8.0f / lumi::DrawingView::kWheelZoomFactor);
    QVERIFY(StaysUnder(zoom, at, under));
    under = CanvasAt(zoom, at);
    QCOMPARE(app_->window->ZoomList()->currentText(), QStringLiteral("Custom"));
    Turn(port, at, {0, 120}, {}, Qt::ControlModifier);
    QCOMPARE(zoom.Scale(), 8.0f);
    QCOMPARE(app_->window->ZoomList()->currentText(), QStringLiteral("800%"));
    QVERIFY(StaysUnder(zoom, at, under));
    under = CanvasAt(zoom, at);

    // A pinch spreading by 100% doubles the zoom about its centre; closing by a half
    // halves it.
    Pinch(port, at, 1.0);
    QCOMPARE(zoom.Scale(), 16.0f);
    QVERIFY(StaysUnder(zoom, at, under));
    QCOMPARE(app_->window->ZoomList()->currentText(), QStringLiteral("Custom"));
    under = CanvasAt(zoom, at);
    Pinch(port, at, -0.5);
    QCOMPARE(zoom.Scale(), 8.0f);
    QVERIFY(StaysUnder(zoom, at, under));
    QCOMPARE(app_->window->ZoomList()->currentText(), QStringLiteral("800%"));
  }

  void middleButtonAndSpaceDragPanWithoutTouchingTheTool() {
    QWidget* port = view_->viewport();
    view_->chooseZoomEntry(9);  // "800%": 1600 x 1200
    const lumi::ZoomView& zoom = view_->View().Zoom();
    const auto& object = *app_->window->Document().Objects()[0];
    const lumi::Rect box = object.GetRect();
    // Over the rectangle, so a tool press would grab it.
    const lumi::Point p = zoom.CanvasToDevice(lumi::Point{70, 60});
    const QPoint on(p.x, p.y);
    const lumi::Point start = zoom.ScrollPosition();

    QTest::mousePress(port, Qt::MiddleButton, {}, on);
    QTest::mouseMove(port, on + QPoint(-30, -20));
    QCOMPARE(port->cursor().shape(), Qt::ClosedHandCursor);
    QTest::mouseRelease(port, Qt::MiddleButton, {}, on + QPoint(-30, -20));
    QCOMPARE(zoom.ScrollPosition(), (lumi::Point{start.x + 30, start.y + 20}));
    QCOMPARE(object.GetRect(), box);
    QCOMPARE(view_->Tools()->CurrentTool(), lumi::Tool::Select);

    QTest::keyPress(view_, Qt::Key_Space);
    QCOMPARE(port->cursor().shape(), Qt::OpenHandCursor);
    QTest::mousePress(port, Qt::LeftButton, {}, on);
    QTest::mouseMove(port, on + QPoint(25, 10));
    QTest::mouseRelease(port, Qt::LeftButton, {}, on + QPoint(25, 10));
    QTest::keyRelease(view_, Qt::Key_Space);
    QCOMPARE(zoom.ScrollPosition(), (lumi::Point{start.x + 5, start.y + 10}));
    QCOMPARE(object.GetRect(), box);
    QVERIFY(port->cursor().shape() != Qt::OpenHandCursor);

    // Without Space the left button is the tool's again: the rectangle moves.
    const lumi::Point q = zoom.CanvasToDevice(lumi::Point{70, 60});
    QTest::mousePress(port, Qt::LeftButton, {}, QPoint(q.x, q.y));
    QTest::mouseMove(port, QPoint(q.x + 40, q.y));
    QTest::mouseRelease(port, Qt::LeftButton, {}, QPoint(q.x + 40, q.y));
    QCOMPARE(object.GetX(), box.left + 5);
  }

  void toolKeysWorkInTheViewOnlyAndShowInMenuAndTooltips() {
    lumi::ToolMachine& tools = *view_->Tools();
    QTest::keyClick(view_, Qt::Key_Z);
    QCOMPARE(tools.CurrentTool(), lumi::Tool::Zoom);
    QTest::keyClick(view_, Qt::Key_Escape);
    QCOMPARE(tools.CurrentTool(), lumi::Tool::Select);
    QTest::keyClick(view_, Qt::Key_N);
    QCOMPARE(tools.CurrentTool(), lumi::Tool::Shape);
    QTest::keyClick(view_, Qt::Key_S);
    QCOMPARE(tools.CurrentTool(), lumi::Tool::Select);
    QTest::keyClick(view_, Qt::Key_Plus);
    QCOMPARE(view_->View().Zoom().Scale(), 2.0f);
    QTest::keyClick(view_, Qt::Key_Minus);
    QCOMPARE(view_->View().Zoom().Scale(), 1.0f);
    QTest::keyClick(view_, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY2(tools.CurrentTool() == lumi::Tool::Select, "Ctrl+Z belongs to the menus");

    // A text field with the focus takes the letters itself.
    auto* field = new QLineEdit(app_->window.get());
    field->show();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Z);
    QTest::keyClick(app_->window.get(), Qt::Key_Z);
    QCOMPARE(field->text(), QStringLiteral("z"));
    QCOMPARE(tools.CurrentTool(), lumi::Tool::Select);

    // The menu and the toolbar say which key chooses the tool.
    QMenu* menu = app_->window->menuBar()->findChild<QMenu*>(QStringLiteral("toolsMenu"));
    QVERIFY(menu);
    QAction* zoom = nullptr;
    for (QAction* a : menu->actions())
      if (a->text() == QStringLiteral("Zoom")) zoom = a;
    QVERIFY(zoom);
    QCOMPARE(zoom->shortcut(), QKeySequence(QStringLiteral("Z")));
    QCOMPARE(zoom->toolTip(), QStringLiteral("Zoom (Z)"));
  }

  void escapeGivesUpADragAndLeavesNoUndoStep() {
    QWidget* port = view_->viewport();
    lumi::CPlenivorDoc& doc = app_->window->Document();
    const auto& object = *doc.Objects()[0];
    const lumi::Rect box = object.GetRect();
    const std::size_t depth = doc.UndoDepth();
    const lumi::ZoomView& zoom = view_->View().Zoom();
    const lumi::Point p = zoom.CanvasToDevice(lumi::Point{70, 60});
    QTest::mousePress(port, Qt::LeftButton, {}, QPoint(p.x, p.y));
    QTest::mouseMove(port, QPoint(p.x + 30, p.y + 15));
    QVERIFY(object.GetRect() != box);
    QTest::keyClick(view_, Qt::Key_Escape);
    QCOMPARE(object.GetRect(), box);
    QTest::mouseMove(port, QPoint(p.x + 50, p.y + 15));
    QTest::mouseRelease(port, Qt::LeftButton, {}, QPoint(p.x + 50, p.y + 15));
    QCOMPARE(object.GetRect(), box);
    QCOMPARE(doc.UndoDepth(), depth);
    QCOMPARE(view_->Tools()->CurrentTool(), lumi::Tool::Select);
  }

  void aDroppedPictureBecomesABitmapObjectAtTheDropPoint() {
    const QString path = app_->scratch.filePath(QStringLiteral("photo.jpg"));
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 255));
    QVERIFY(picture.save(path, "JPG"));
    lumi::CPlenivorDoc& doc = app_->window->Document();
    doc.TakeSnapshot();  // the sample as undo finds it
    const std::size_t count = doc.Objects().size();
    // Canvas (150, 100) under the drop, in window coordinates.
    const lumi::Point device = view_->View().Zoom().CanvasToDevice(lumi::Point{150, 100});
    const QPoint at = view_->viewport()->mapTo(app_->window.get(), QPoint(device.x, device.y));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    static_cast<QObject*>(app_->window.get())->event(&drop);
    QVERIFY(drop.isAccepted());
    QTRY_COMPARE(doc.Objects().size(), count + 1);
    const lumi::CDrawObject& inserted = *doc.Objects().back();
    QVERIFY(inserted.IsBitmap());
    QCOMPARE(inserted.GetRect(), (lumi::Rect{130, 90, 170, 110}));
    QCOMPARE(view_->Tools()->Selected(), &inserted);
    QVERIFY2(app_->host->Log().empty() || app_->host->Log().back().find("ordinary") == std::string::npos,
             "no word about ordinary JPGs");
    app_->window->Undo();
    QCOMPARE(doc.Objects().size(), count);
  }

 private:
  std::unique_ptr<lumi::app::testing::TestApp> app_;
  lumi::app::CPlenivorView* view_ = nullptr;
};

QTEST_MAIN(ViewNavigationTest)
#include "view_navigation_test.moc"
