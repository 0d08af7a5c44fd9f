#include <QComboBox>
#include <QScrollBar>
#include <QtTest/QtTest>

#include <cstdlib>
#include <nlohmann/json.hpp>

#include "base/host.h"
#include "document/scene.h"
#include "edit/scene_view_document.h"
#include "app_fixture.h"
#include "plenivor_view.h"
#include "startup.h"

namespace {

lumi::Scene WelcomeScene(lumi::Host& host) {
  const QString path = lumi::app::InstalledDataFolder() + QStringLiteral("/Samples/welcome.json");
  return lumi::ReadSceneFile(path.toStdString(), host, nullptr);
}

// Shows `document` in `view` at the given size; false when the window never appeared.
bool ShowOver(lumi::app::CPlenivorView& view, const lumi::ViewDocument& document, int width, int height) {
  view.SetDocument(&document);
  view.resize(width, height);
  view.show();
  return QTest::qWaitForWindowExposed(&view);
}

QRgb Rgb(lumi::COLORREF c) { return qRgb(lumi::GetRValue(c), lumi::GetGValue(c), lumi::GetBValue(c)); }

}  // namespace

class PlenivorViewTest : public QObject {
  Q_OBJECT
 private slots:
  void showsTheSampleCentredOnTheGreySurround() {
    lumi::RecordingHost host;
    lumi::SceneViewDocument document(WelcomeScene(host));
    lumi::app::CPlenivorView view(host);
    QVERIFY(ShowOver(view, document, 820, 620));
    QVERIFY(view.viewport()->width() > 400 && view.viewport()->height() > 300);

    QImage shot = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const lumi::Point o = view.View().Zoom().ViewportOrigin();
    QCOMPARE(o.x, (view.viewport()->width() - 400) / 2);
    auto at = [&](int canvas_x, int canvas_y) { return shot.pixel(o.x + canvas_x, o.y + canvas_y) & 0xFFFFFF; };
    QCOMPARE(shot.pixel(2, 2) & 0xFFFFFF, qRgb(0xE1, 0xE1, 0xE1) & 0xFFFFFF);
    QCOMPARE(at(5, 5), qRgb(255, 255, 255) & 0xFFFFFF);                // canvas colour
    QCOMPARE(at(100, 110), qRgb(0x2E, 0x8B, 0x57) & 0xFFFFFF);         // the green circle
    QCOMPARE(at(370, 60), qRgb(0xE8, 0xF0, 0xE0) & 0xFFFFFF);          // the rounded panel
    QCOMPARE(at(-1, 100), qRgb(0, 0, 0) & 0xFFFFFF);                   // frame
    QCOMPARE(at(401, 100), qRgb(0x80, 0x80, 0x80) & 0xFFFFFF);         // shadow, 5 wide
    QCOMPARE(at(405, 100), qRgb(0x80, 0x80, 0x80) & 0xFFFFFF);
    QCOMPARE(at(406, 100), qRgb(0xE1, 0xE1, 0xE1) & 0xFFFFFF);

    // Half size: the canvas shrinks about the same middle.
    view.chooseZoomEntry(2);
    shot = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const lumi::Point h = view.View().Zoom().ViewportOrigin();
    QCOMPARE(h.x, (view.viewport()->width() - 200) / 2);
    QCOMPARE(shot.pixel(h.x + 50, h.y + 55) & 0xFFFFFF, qRgb(0x2E, 0x8B, 0x57) & 0xFFFFFF);
    QCOMPARE(shot.pixel(h.x - 1, h.y + 50) & 0xFFFFFF, qRgb(0, 0, 0) & 0xFFFFFF);
    QCOMPARE(shot.pixel(h.x - 2, h.y + 50) & 0xFFFFFF, qRgb(0xE1, 0xE1, 0xE1) & 0xFFFFFF);

    // The matte shades the surround in a checker and leaves the canvas alone.
    view.toggleMatte();
    shot = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot.pixel(0, 0) & 0xFFFFFF, qRgb(0xC0, 0xC0, 0xC0) & 0xFFFFFF);
    const QColor hl = view.palette().color(QPalette::Highlight);
    const lumi::COLORREF odd = 0x808080 | lumi::RGB(hl.red(), hl.green(), hl.blue());
    QCOMPARE(shot.pixel(1, 0) & 0xFFFFFF, Rgb(odd) & 0xFFFFFF);
    QCOMPARE(shot.pixel(h.x + 50, h.y + 55) & 0xFFFFFF, qRgb(0x2E, 0x8B, 0x57) & 0xFFFFFF);
  }

  void mouseMovesWriteTheCursorPane() {
    lumi::RecordingHost host;
    lumi::SceneViewDocument document(WelcomeScene(host));
    lumi::app::CPlenivorView view(host);
    QVERIFY(ShowOver(view, document, 820, 620));
    const lumi::Point o = view.View().Zoom().ViewportOrigin();
    host.Clear();
    QTest::mouseMove(view.viewport(), QPoint(o.x + 30, o.y + 40));
    QTRY_VERIFY(!host.Log().empty());
    QCOMPARE(QString::fromStdString(host.Log().back()),
             QStringLiteral("status 1: Log: (30,40) Dev: (%1,%2)").arg(o.x + 30).arg(o.y + 40));
  }

  void releasingAScrollBarRebuildsTheBelowSelectionCache() {
    lumi::RecordingHost host;
    lumi::SceneViewDocument document(WelcomeScene(host));
    lumi::app::CPlenivorView view(host);
    QVERIFY(ShowOver(view, document, 200, 150));  // smaller than the canvas: both bars
    QVERIFY(view.horizontalScrollBar()->maximum() > 0);
    view.View().SelectObject(&document.ObjectAt(3));
    view.View().Paint();
    QVERIFY(view.View().Paint().objects.used_cache);
    emit view.horizontalScrollBar()->sliderReleased();
    QVERIFY(!view.View().Paint().objects.used_cache);

    // Moving a bar scrolls the view's mapping.
    view.verticalScrollBar()->setValue(40);
    QCOMPARE(view.View().Zoom().ScrollPosition().y, 40);
    QCOMPARE(view.View().Zoom().DeviceToCanvas({0, 0}).y, 40);
  }

  void zoomStopsAtTheLimitsSetWhenFirstShownAndKeepsTheMiddle() {
    lumi::RecordingHost host;
    lumi::SceneViewDocument document(WelcomeScene(host));
    lumi::app::CPlenivorView view(host);
    QVERIFY(ShowOver(view, document, 820, 620));
    QCOMPARE(view.View().Zoom().MinScale(), 0.02f);
    QCOMPARE(view.View().Zoom().MaxScale(), 22.0f);
    const QPoint middle(view.viewport()->width() / 2, view.viewport()->height() / 2);
    // The zoom list ends at 1600%; a zoom rectangle asking for more than the limit is
    // refused and only recentres.
    for (int i = 0; i < 40; ++i) view.zoomIn();
    QCOMPARE(view.View().Zoom().Scale(), 16.0f);
    view.View().ZoomToRectangle({199, 149, 201, 151});
    QCOMPARE(view.View().Zoom().Scale(), 16.0f);
    // Zooming recentres on the canvas middle, whatever the scale.
    const lumi::Point seen = view.View().Zoom().DeviceToCanvas({middle.x(), middle.y()});
    QVERIFY2(std::abs(seen.x - 200) <= 1 && std::abs(seen.y - 150) <= 1,
             qPrintable(QStringLiteral("middle shows (%1,%2)").arg(seen.x).arg(seen.y)));
    view.View().ZoomToRectangle({-200000, -200000, 200000, 200000});
    QCOMPARE(view.View().Zoom().Scale(), 16.0f);
    // Within the limits the rectangle fills the view.
    const int w = view.viewport()->width();
    view.View().ZoomToRectangle({0, 0, w * 50, 10});
    QCOMPARE(view.View().Zoom().Scale(), static_cast<float>(w + 1) / static_cast<float>(w * 50));
  }

  void aCanvasNarrowerThan80HasNoShadow() {
    lumi::RecordingHost host;
    lumi::SceneViewDocument document(lumi::BuildScene(
        nlohmann::json::parse("{\"canvas\": {\"width\": 79, \"height\": 50, \"color\": \"#FF0000\"}}"), host, nullptr));
    lumi::app::CPlenivorView view(host);
    QVERIFY(ShowOver(view, document, 400, 300));
    const QImage shot = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const lumi::Point o = view.View().Zoom().ViewportOrigin();
    QCOMPARE(shot.pixel(o.x + 40, o.y + 25) & 0xFFFFFF, qRgb(255, 0, 0) & 0xFFFFFF);
    QCOMPARE(shot.pixel(o.x + 79, o.y + 25) & 0xFFFFFF, qRgb(0, 0, 0) & 0xFFFFFF);  // frame
    QCOMPARE(shot.pixel(o.x + 80, o.y + 25) & 0xFFFFFF, qRgb(0xE1, 0xE1, 0xE1) & 0xFFFFFF);
    QCOMPARE(shot.pixel(o.x + 40, o.y + 51) & 0xFFFFFF, qRgb(0xE1, 0xE1, 0xE1) & 0xFFFFFF);
  }

  // The window repaints a part: that part shows what a whole repaint shows, at full size,
  // zoomed in and shrunk, with the moved object selected (its area drawn over the cache).
  void aRepaintedPartShowsWhatAWholeRepaintShows() {
    const struct {
      int zoom_entry;
      bool left_half;  // only the left half of the moved object's area is repainted
    } cases[] = {{4, false}, {4, true}, {5, false}, {2, false}, {2, true}};
    for (const auto& c : cases) {
      lumi::RecordingHost host;
      lumi::SceneViewDocument document(WelcomeScene(host));
      lumi::app::CPlenivorView view(host);
      QVERIFY(ShowOver(view, document, 820, 620));
      view.chooseZoomEntry(c.zoom_entry);
      lumi::CDrawObject& moved = *document.GetScene().objects[3];
      view.View().SelectObject(&moved);
      view.viewport()->grab();  // a whole paint: the view keeps its composite and cache
      const lumi::Rect before = moved.GetRect();
      moved.MoveTo(moved.GetX() + 11, moved.GetY() + 6);
      const lumi::Rect area = view.View().Zoom().CanvasToDevice(lumi::Union(before, moved.GetRect()));
      QRect dirty = QRect(area.left, area.top, area.Width(), area.Height()).intersected(view.viewport()->rect());
      if (c.left_half) dirty.setWidth(dirty.width() / 2);
      QVERIFY(dirty.width() > 4 && dirty.height() > 4 && dirty.left() > 0);

      QImage part(view.viewport()->size(), QImage::Format_RGB32);
      part.fill(Qt::magenta);
      // The region is drawn with its top-left corner at the given point.
      view.viewport()->render(&part, dirty.topLeft(), QRegion(dirty));
      // A second window over the same document paints everything afresh.
      lumi::app::CPlenivorView fresh(host);
      QVERIFY(ShowOver(fresh, document, 820, 620));
      fresh.chooseZoomEntry(c.zoom_entry);
      fresh.View().SelectObject(&moved);
      const QImage whole = fresh.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
      int differing = 0;
      for (int y = dirty.top(); y <= dirty.bottom(); ++y)
        for (int x = dirty.left(); x <= dirty.right(); ++x)
          differing += (part.pixel(x, y) & 0xFFFFFF) != (whole.pixel(x, y) & 0xFFFFFF);
      QCOMPARE(differing, 0);
      QCOMPARE(part.pixel(dirty.left() - 1, dirty.top()) & 0xFFFFFF, qRgb(255, 0, 255) & 0xFFFFFF);
    }
  }

  void hintZeroClearsTheSelection() {
    lumi::RecordingHost host;
    lumi::SceneViewDocument document(WelcomeScene(host));
    lumi::app::CPlenivorView view(host);
    QVERIFY(ShowOver(view, document, 820, 620));
    view.View().SelectObject(&document.ObjectAt(1));
    view.View().OnUpdate(lumi::kHintRepaint);
    QCOMPARE(view.View().Selected(), &document.ObjectAt(1));
    view.View().OnUpdate(lumi::kHintGeneral);
    QCOMPARE(view.View().Selected(), nullptr);
  }

  void zoomListAndOriginalSizeStayInStep() {
    lumi::app::testing::TestApp app;
    lumi::app::MainWindow& window = *app.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("Untitled - Lumiverdant"));
    QComboBox* list = window.ZoomList();
    QCOMPARE(list->count(), 11);
    QCOMPARE(list->currentText(), QStringLiteral("100%"));
    list->setCurrentIndex(5);
    emit list->activated(5);
    QCOMPARE(window.View()->View().Zoom().Scale(), 2.0f);
    list->setCurrentIndex(10);
    emit list->activated(10);  // "Custom"
    QCOMPARE(window.View()->View().Zoom().Scale(), 1.0f);
    window.View()->zoomIn();
    QCOMPARE(list->currentText(), QStringLiteral("200%"));
    window.View()->originalSize();
    QCOMPARE(list->currentText(), QStringLiteral("100%"));
    QCOMPARE(window.View()->View().Zoom().Scale(), 1.0f);
  }
};

QTEST_MAIN(PlenivorViewTest)
#include "plenivor_view_test.moc"
