// The drawing view on a high-density screen (two screen pixels per window unit): the
// composite and the overlays fill the screen's own pixels, handles land where the
// canvas says, and the mouse still reaches the right canvas pixels.
#include <QtTest/QtTest>

#include "app_fixture.h"
#include "edit/drawing_view.h"
#include "edit/tool_machine.h"
#include "plenivor_view.h"
#include "sample_document.h"

namespace {

QRgb Rgb(lumi::COLORREF c) { return qRgb(lumi::GetRValue(c), lumi::GetGValue(c), lumi::GetBValue(c)) & 0xFFFFFF; }

}  // namespace

class HighDensityViewTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    app_ = std::make_unique<lumi::app::testing::TestApp>();
    QVERIFY(lumi::app::testing::ShowSampleWindow(*app_));
    view_ = app_->window->View();
  }
  void cleanup() { app_.reset(); }

  void handlesAndCanvasLandOnTheScreensOwnPixels() {
    QCOMPARE(view_->viewport()->devicePixelRatioF(), 2.0);
    QWidget* port = view_->viewport();
    const lumi::ZoomView& zoom = view_->View().Zoom();
    const auto& object = *app_->window->Document().Objects()[0];

    // The mouse in window units reaches the rectangle drawn from (20, 30) to (120, 90), and a drag
    // moves it by as many canvas pixels as window units at 100%.
    const lumi::Point p = zoom.CanvasToDevice(lumi::Point{70, 60});
    const int x0 = object.GetX(), y0 = object.GetY();
    QTest::mousePress(port, Qt::LeftButton, {}, QPoint(p.x, p.y));
    QTest::mouseMove(port, QPoint(p.x + 15, p.y + 5));
    QTest::mouseRelease(port, Qt::LeftButton, {}, QPoint(p.x + 15, p.y + 5));
    QCOMPARE(view_->Tools()->Selected(), &object);
    QCOMPARE(object.GetX(), x0 + 15);
    QCOMPARE(object.GetY(), y0 + 5);

    QTest::qWait(50);
    const QImage shot = port->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot.size(), port->size() * 2);
    auto at = [&](int x, int y) { return shot.pixel(x, y) & 0xFFFFFF; };

    // Canvas pixels: each covers 2 x 2 screen pixels at 100%.
    const lumi::Point c = zoom.CanvasToDevice(lumi::Point{5, 5});
    QCOMPARE(at(2 * c.x, 2 * c.y), Rgb(lumi::RGB(0xC0, 0xD8, 0xF0)));
    QCOMPARE(at(2 * c.x + 1, 2 * c.y + 1), Rgb(lumi::RGB(0xC0, 0xD8, 0xF0)));

    // Every handle fills exactly its screen pixels; the selection frame is drawn at full
    // density, one screen pixel thin, not a window pixel stretched to two.
    const lumi::Overlay overlay = view_->Tools()->BuildOverlay();
    int handles = 0, frames = 0;
    for (const lumi::OverlayShape& s : overlay.shapes) {
      const lumi::Rect d = zoom.CanvasToDevice(s.rect);
      const QRgb colour = Rgb(s.colour);
      if (s.kind == lumi::OverlayShape::Kind::FilledRect) {
        ++handles;
        for (int y = 2 * d.top; y < 2 * d.bottom; ++y)
          for (int x = 2 * d.left; x < 2 * d.right; ++x) QCOMPARE(at(x, y), colour);
        QVERIFY(at(2 * d.left - 1, 2 * d.top + 1) != colour || at(2 * d.left - 2, 2 * d.top + 1) == colour);
      } else if (s.kind == lumi::OverlayShape::Kind::Frame) {
        ++frames;
        const int y = 2 * (d.top + d.Height() / 4);  // between the handles
        QCOMPARE(at(2 * d.left, y), colour);
        QVERIFY2(at(2 * d.left + 1, y) != colour, "a hairline, not a stretched pixel");
        QVERIFY(at(2 * d.left - 1, y) != colour);
      }
    }
    QVERIFY(handles >= 8);
    QVERIFY(frames >= 1);
  }

 private:
  std::unique_ptr<lumi::app::testing::TestApp> app_;
  lumi::app::CPlenivorView* view_ = nullptr;
};

int main(int argc, char** argv) {
  // Before the application exists: every window then has two screen pixels per unit.
  qputenv("QT_SCALE_FACTOR", "2");
  QApplication app(argc, argv);
  HighDensityViewTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "high_density_view_test.moc"
