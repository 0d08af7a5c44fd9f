// The property bars in the window: the real controls change the selected object, make
// one undo step for the whole change, and the view shows the new look where it changed.
#include <QCheckBox>
#include <QComboBox>
#include <QtTest/QtTest>

#include "app_fixture.h"
#include "bars/attribute_bar_widgets.h"
#include "bars/bar_controls.h"
#include "bars/multimedia_panel_widget.h"
#include "bars/property_bars.h"
#include "bars/quick_tools_bar.h"
#include "controls/image_toggle_button.h"
#include "controls/color_slider.h"
#include "edit/drawing_view.h"
#include "edit/tool_machine.h"
#include "plenivor_view.h"
#include "sample_document.h"

namespace {

// The canvas part of the view, one image pixel per canvas pixel (zoom 100%).
QImage CanvasShown(lumi::app::CPlenivorView* view, int width, int height) {
  view->viewport()->repaint();
  const lumi::Point o = view->View().Zoom().ViewportOrigin();
  return view->viewport()->grab().toImage().copy(o.x, o.y, width, height).convertToFormat(QImage::Format_RGB32);
}

// The canvas pixels that differ between two pictures of the view.
QRect ChangedArea(const QImage& before, const QImage& after, int* outside_count = nullptr,
                  const QRect& object = {}) {
  QRect changed;
  for (int y = 0; y < before.height(); ++y)
    for (int x = 0; x < before.width(); ++x)
      if (before.pixel(x, y) != after.pixel(x, y)) {
        changed |= QRect(x, y, 1, 1);
        if (outside_count && !object.contains(x, y)) ++*outside_count;
      }
  return changed;
}

}  // namespace

class PropertyBarsTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    app_ = std::make_unique<lumi::app::testing::TestApp>();
    QVERIFY(lumi::app::testing::ShowSampleWindow(*app_, 1100, 800));
    view_ = app_->window->View();
    object_ = app_->window->Document().Objects()[0].get();
    view_->Tools()->SelectObject(object_);
  }
  void cleanup() { app_.reset(); }

  void theBarsFollowTheViewsCurrentObject() {
    lumi::app::PropertyBars& bars = app_->window->Bars();
    QCOMPARE(bars.Core().bevel.Object(), object_);
    view_->Tools()->SelectObject(nullptr);
    QCOMPARE(bars.Core().bevel.Object(), nullptr);
  }

  void draggingTheBevelWidthPreviewsAndAppliesOnce() {
    lumi::app::PropertyBars& bars = app_->window->Bars();
    auto* kinds = bars.Bevel()->findChild<QComboBox*>(QStringLiteral("bevel"));
    QVERIFY(kinds);
    kinds->setFocus();
    QTest::keyClick(kinds, Qt::Key_Down);  // "Smooth Bevel", as a user picks it
    QCOMPARE(object_->GetBevelKind(), 1);
    const std::size_t depth = app_->window->Document().UndoDepth();
    const int width_before = object_->GetBevelWidth();
    const QImage before = CanvasShown(view_, 200, 150);

    auto* width = bars.Bevel()->findChild<lumi::app::CColorSlider*>(QStringLiteral("width"));
    QVERIFY(width && width->isEnabled());
    const int y = width->height() / 2;
    bars.Bevel()->Pacer().ResetCount();
    QTest::mousePress(width, Qt::LeftButton, {}, QPoint(2, y));
    for (int x = 10; x < width->width(); x += 10) {
      QTest::mouseMove(width, QPoint(x, y));
      QTest::qWait(35);  // the pacing interval: each pause shows one preview
    }
    QVERIFY2(bars.Bevel()->Pacer().PreviewCount() > 2, "the object was shown while the slider moved");
    QCOMPARE(app_->window->Document().UndoDepth(), depth);  // nothing recorded while dragging
    QTest::mouseRelease(width, Qt::LeftButton, {}, QPoint(width->width() - 1, y));

    QCOMPARE(width->Position(), lumi::BevelBar::kMaxWidth);
    QCOMPARE(object_->GetBevelWidth(), lumi::BevelBar::kMaxWidth);
    QCOMPARE(app_->window->Document().UndoDepth(), depth + 1);
    QVERIFY(!bars.Core().bevel.Previewing());

    // The wider bevel is on the screen, and only inside the object.
    const QImage after = CanvasShown(view_, 200, 150);
    const lumi::Rect r = object_->GetRect();
    const QRect changed = ChangedArea(before, after);
    QVERIFY(!changed.isEmpty());
    QVERIFY(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top).contains(changed));

    app_->window->Undo();
    // One undo step for the whole drag.
    QCOMPARE(app_->window->Document().Objects()[0]->GetBevelWidth(), width_before);
  }

  void choosingAnEffectShowsTheShadowOutsideTheObject() {
    lumi::app::PropertyBars& bars = app_->window->Bars();
    auto* kinds = bars.Effect()->findChild<QComboBox*>(QStringLiteral("effect"));
    QVERIFY(kinds);
    const std::size_t depth = app_->window->Document().UndoDepth();
    const QImage before = CanvasShown(view_, 200, 150);
    kinds->setFocus();
    QTest::keyClick(kinds, Qt::Key_Down);  // "Drop Shadow"
    QCOMPARE(object_->GetEffectKind(), 1);
    QCOMPARE(object_->GetEffectSoftness(), 2);
    QCOMPARE(object_->GetEffectDistance(), 3);
    QCOMPARE(app_->window->Document().UndoDepth(), depth + 1);
    auto* softness = bars.Effect()->findChild<lumi::app::CColorSlider*>(QStringLiteral("softness"));
    QVERIFY(softness->isEnabled());
    QCOMPARE(softness->Position(), 20);

    const lumi::Rect r = object_->GetRect();
    const lumi::Rect repaint = object_->GetInvalidRect(object_->GetSelectionRect());
    int outside = 0;
    const QRect changed = ChangedArea(before, CanvasShown(view_, 200, 150), &outside,
                                      QRect(r.left, r.top, r.right - r.left, r.bottom - r.top));
    QVERIFY2(outside > 0, "the shadow falls outside the object");
    QVERIFY(QRect(repaint.left - 5, repaint.top - 5, repaint.right - repaint.left + 10,
                  repaint.bottom - repaint.top + 10)
                .contains(changed));
  }

  void theToolsConfigureAndReadTheRealQuickToolsBar() {
    lumi::app::QuickToolsBar* quick = app_->window->Bars().Quick();
    view_->Quick().Configure(nullptr, {"Angles", 7, lumi::kQuickStar, 4});
    auto* first = quick->findChild<lumi::app::CColorSlider*>(QStringLiteral("first"));
    QVERIFY(first && first->isVisibleTo(quick));
    QCOMPARE(first->Maximum(), 25);
    QCOMPARE(view_->Quick().FirstValue(), 7);
    QCOMPARE(view_->Quick().SecondValue(), 4);
    first->SetPositionAndReport(12);  // the user moves it; the tools read it
    QCOMPARE(view_->Quick().FirstValue(), 12);
    view_->Quick().Configure(nullptr, {"", 0, lumi::kQuickPlain, -1});
    QVERIFY(!first->isVisibleTo(quick));
  }

  void soloInTheMultimediaPanelKeepsTheFrameButtonsDisabled() {
    lumi::app::MultimediaPanelWidget* panel = app_->window->Bars().Multimedia();
    auto* solo = panel->findChild<QCheckBox*>(QStringLiteral("Solo mode (Export Normal Frame Only)"));
    QVERIFY(solo && solo->isEnabled());
    solo->click();
    QCOMPARE(object_->GetHasHighlighted(), 1);
    QCOMPARE(object_->GetHasPushed(), 1);
    QVERIFY(!panel->FrameButton(1)->isEnabled());
    QVERIFY(!panel->FrameButton(2)->isEnabled());
    QVERIFY(panel->FrameButton(0)->IsOn());
    auto* keep = panel->findChild<QCheckBox*>(QStringLiteral("Keep With Previous (Do Not Export)"));
    QVERIFY(keep->isEnabled());
    view_->Tools()->SelectObject(nullptr);
    QVERIFY(!solo->isEnabled());
    QVERIFY(!panel->FrameButton(0)->isEnabled());
  }

 private:
  std::unique_ptr<lumi::app::testing::TestApp> app_;
  lumi::app::CPlenivorView* view_ = nullptr;
  lumi::CDrawObject* object_ = nullptr;
};

QTEST_MAIN(PropertyBarsTest)
#include "property_bars_test.moc"
