// The main window's frame: toolbar buttons, the attribute bars' arrangement and saved
// places, panels remembered between starts, the free-memory pane, the Layers panel
// driven with the mouse and keyboard, and the splash.
#include <functional>

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QScreen>
#include <QSplashScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTest>
#include <QToolButton>

#include "app_fixture.h"
#include "frame/dock_layout.h"
#include "frame/layers_dock.h"
#include "frame/main_frame.h"
#include "frame/splash.h"
#include "frame/status_panes.h"
#include "frame/view_toggles.h"

namespace lumi::app {
namespace {

using testing::TestApp;

// A second start of the program with the settings the first one left at its close,
// changed by `edit`.
void Restart(TestApp& app, const std::function<void(Settings&)>& edit = {}) {
  app.window->close();
  app.window.reset();
  if (edit) edit(app.services.GetSettings());
  app.window = std::make_unique<MainWindow>(app.services, std::make_unique<RecordingHost>());
}

class MainFrameTest : public QObject {
  Q_OBJECT

 private slots:
  void everyToolbarButtonHasIconTooltipAndAccessibleName() {
    TestApp app;
    const MainToolbarSet& bars = app.window->Frame().Toolbars();
    int buttons = 0;
    for (CToolBarEx* bar : {bars.main, bars.tools, bars.object_tools, bars.screen_capture}) {
      for (QAction* action : bar->actions()) {
        if (action->isSeparator() || !qobject_cast<QToolButton*>(bar->widgetForAction(action))) continue;
        ++buttons;
        QWidget* button = bar->widgetForAction(action);
        QVERIFY2(!action->icon().isNull(), qPrintable(action->text()));
        QVERIFY2(!action->toolTip().isEmpty(), qPrintable(action->text()));
        // The tooltip is the accessible name, with a tool's own key after it.
        const QKeySequence key = action->shortcut();
        const bool plain_key = key.count() == 1 && key[0].keyboardModifiers() == Qt::NoModifier;
        QCOMPARE(action->toolTip(), plain_key ? button->accessibleName() + " (" + key.toString() + ")"
                                              : button->accessibleName());
      }
    }
    // 24 + 24 + 29 + 4 entries less 22 separators, less the zoom button the list replaces.
    QCOMPARE(buttons, 81 - 22 - 1);
    // The window's own commands are live; those of later work are shown disabled.
    auto find = [&](CToolBarEx* bar, const QString& text) -> QAction* {
      for (QAction* a : bar->actions())
        if (a->toolTip() == text) return a;
      return nullptr;
    };
    QVERIFY(find(bars.main, "Open") && find(bars.main, "Open")->isEnabled());
    QVERIFY(find(bars.main, "Export") && find(bars.main, "Export")->isEnabled());
    QVERIFY(find(bars.tools, "Group") == nullptr);
    QVERIFY(find(bars.object_tools, "Group") && !find(bars.object_tools, "Group")->isEnabled());
    // The View toggles on "Object Tools" are the menu's own checkable commands.
    QAction* layers = find(bars.object_tools, "Layers");
    QVERIFY(layers && layers->isCheckable() && layers->isEnabled());
    QCOMPARE(layers, app.window->Frame().Toggles().Find(kViewLayers));
    QCOMPARE(app.window->ZoomList()->parentWidget(), bars.main);
    QCOMPARE(app.window->ZoomList()->accessibleName(), QStringLiteral("Zoom"));
  }

  void attributeBarsStackOnTheRightWithoutSettings() {
    TestApp app;
    app.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(app.window.get()));
    DockLayout& docks = app.window->Frame().Docks();
    int last_top = -1;
    int x = -1;
    for (int i = 0; i < kAttributeBarCount; ++i) {
      QDockWidget* dock = docks.AttributeDock(static_cast<AttributeBar>(i));
      QVERIFY(!dock->isFloating());
      QCOMPARE(app.window->dockWidgetArea(dock), Qt::RightDockWidgetArea);
      QCOMPARE(dock->allowedAreas(), Qt::RightDockWidgetArea);
      QVERIFY2(dock->y() > last_top, qPrintable(dock->windowTitle()));  // colour, transparency, bevel, effect
      if (x >= 0) QCOMPARE(dock->x(), x);
      last_top = dock->y();
      x = dock->x();
      // Each dock holds its own bar's controls.
      QVERIFY(dock->widget()->objectName() != QStringLiteral("emptyBarMark"));
      QCOMPARE(dock->widget()->windowTitle(), dock->windowTitle());
    }
    QCOMPARE(docks.AttributeDock(AttributeBar::Color)->windowTitle(), QStringLiteral("Color & Texture"));
  }

  void floatingBarSavedFarOffComesBackOnTheScreen() {
    TestApp app;
    Settings& settings = app.services.GetSettings();
    Restart(app, [](Settings& saved) {
      saved.SetInt("BarBevel", "Float", 1);
      saved.SetInt("BarBevel", "Left", 5000);
      saved.SetInt("BarBevel", "Top", 5000);
      saved.SetString("Frame", "Layout", "");  // placed by the bar's own values
    });
    QDockWidget* bevel = app.window->Frame().Docks().AttributeDock(AttributeBar::Bevel);
    QVERIFY(bevel->isFloating());
    const QRect screen = app.window->screen()->geometry();
    const int icon = app.window->style()->pixelMetric(QStyle::PM_LargeIconSize);
    QCOMPARE(bevel->pos(), QPoint(screen.width() - icon, screen.height() - icon));
    // The others still dock on the right.
    QVERIFY(!app.window->Frame().Docks().AttributeDock(AttributeBar::Effect)->isFloating());
    // At close the bar's floating state and place are written back.
    app.window->close();
    QCOMPARE(settings.GetInt("BarBevel", "Float", -1), 1);
    QCOMPARE(settings.GetInt("BarBevel", "Left", -1), screen.width() - icon);
    QCOMPARE(settings.GetInt("BarColor", "Float", -1), 0);
  }

  void hiddenPanelStaysHiddenAtTheNextStart() {
    // A panel plugged in the way the library panels are: Styles with its "Style" section.
    TestApp app;
    Settings& settings = app.services.GetSettings();
    settings.SetInt("Style", "Status", 1);
    auto attach_styles = [&app] {
      auto* styles = new QDockWidget(QStringLiteral("Style Library"), app.window.get());
      styles->setObjectName(QStringLiteral("StyleLibrary"));
      app.window->Frame().AttachPanel(kViewStyles, styles, QStringLiteral("Style"));
      return styles;
    };
    QDockWidget* styles = attach_styles();
    app.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(app.window.get()));
    QAction* toggle = app.window->Frame().Toggles().Find(kViewStyles);
    QVERIFY(toggle->isEnabled() && toggle->isChecked());
    QVERIFY(styles->isVisible());
    toggle->trigger();
    QVERIFY(!styles->isVisible());
    QVERIFY(!toggle->isChecked());
    QCOMPARE(settings.GetInt("Style", "Status", -1), 0);
    // The screen-capture toolbar hidden too: the layout keeps it.
    app.window->Frame().Toggles().Find(kViewScreenCapture)->trigger();
    Restart(app);
    styles = attach_styles();
    app.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(app.window.get()));
    QVERIFY(!styles->isVisible());
    QVERIFY(!app.window->Frame().Toggles().Find(kViewStyles)->isChecked());
    QVERIFY(!app.window->Frame().Toolbars().screen_capture->isVisible());
    QVERIFY(!app.window->Frame().Toggles().Find(kViewScreenCapture)->isChecked());
  }

  void viewMenuListsEveryToggleInOrder() {
    TestApp app;
    QStringList texts;
    for (QAction* a : app.window->Frame().ViewMenu()->actions())
      if (a->isCheckable() && a->objectName().startsWith(QStringLiteral("view"))) texts << a->text();
    QCOMPARE(texts, (QStringList{"&Toolbar", "&Status Bar", "Tools", "Quick Tools", "Object Tools",
                                 "Color Bar", "Transparency Bar", "Bevel Bar", "Effects Bar",
                                 "Multimedia Extension", "Styles", "Object Library", "Layers",
                                 "Screen Capture"}));
    // The library panels are plugged in, so their toggles are live.
    QVERIFY(app.window->Frame().Toggles().Find(kViewObjectLibrary)->isEnabled());
    QVERIFY(app.window->Frame().Toggles().Find(kViewStyles)->isEnabled());
    QVERIFY(app.window->Frame().Toggles().Find(kViewColorBar)->isEnabled());
    for (QAction* a : app.window->Frame().ViewMenu()->actions())
      if (a->objectName().startsWith(QStringLiteral("view"))) QVERIFY(!a->statusTip().isEmpty());
  }

  void menuPromptShowsInTheMessagePaneWhileTheMenuIsOpen() {
    TestApp app;
    app.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(app.window.get()));
    QMenu* view = app.window->Frame().ViewMenu();
    QAction* layers = app.window->Frame().Toggles().Find(kViewLayers);
    view->popup(app.window->mapToGlobal(QPoint(40, 40)));
    QVERIFY(QTest::qWaitForWindowExposed(view));
    QTest::mouseMove(view, view->actionGeometry(layers).center());
    QTRY_COMPARE(app.window->statusBar()->currentMessage(), QStringLiteral("Show or hide the Layers panel"));
    view->hide();
    QTRY_COMPARE(app.window->statusBar()->currentMessage(), QString());
  }

  void freeMemoryPaneFitsItsText() {
    TestApp app;
    StatusPanes& panes = app.window->Frame().Panes();
    QVERIFY(panes.Memory()->text().startsWith(QStringLiteral("Mem:")));  // read at start
    panes.ShowFreeMemory(9ull << 10);
    QCOMPARE(panes.Memory()->text(), QStringLiteral("Mem:9 KB"));
    const int narrow = panes.Memory()->width();
    panes.ShowFreeMemory(123456789ull << 10);
    QCOMPARE(panes.Memory()->text(), QStringLiteral("Mem:123456789 KB"));
    const int wide = panes.Memory()->width();
    QVERIFY2(wide > narrow, qPrintable(QStringLiteral("%1 <= %2").arg(wide).arg(narrow)));
    panes.ShowFreeMemory(9ull << 10);
    QCOMPARE(panes.Memory()->width(), narrow);
    QVERIFY(app.window->statusBar()->findChild<QLabel*>(QStringLiteral("paneCAP")));
    QVERIFY(app.window->statusBar()->findChild<QLabel*>(QStringLiteral("paneSCRL")));
  }

  void layersPanelFollowsTheDocumentAndTheMouse() {
    TestApp app;
    CPlenivorDoc& doc = app.window->Document();
    for (const char* name : {"A", "B", "C"}) {
      auto object = doc.MakeObject();
      object->CreateRectangle(0, 0, 30, 30);
      object->SetKindName(name);
      doc.Objects().push_back(std::move(object));
    }
    LayersDock* layers = app.window->Frame().Layers();
    QVERIFY(layers->isHidden());  // "Status" 0 by default
    int repaints = 0;
    layers->changed = [&repaints] { ++repaints; };
    app.window->Frame().Toggles().Find(kViewLayers)->trigger();
    QCOMPARE(app.services.GetSettings().GetInt("Layers", "Status", -1), 1);
    QVERIFY(QTest::qWaitForWindowExposed(layers));
    layers->Rebuild();
    LayersListWidget* list = layers->List();
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->item(0)->text(), QStringLiteral("C"));
    QCOMPARE(list->item(2)->text(), QStringLiteral("A"));

    // A click in the first 13 pixels of "B" hides B; 13..25 locks it.
    const QRect b = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(b.left() + 5, b.center().y()));
    QCOMPARE(doc.Objects()[1]->GetHidden(), 1);
    QCOMPARE(list->currentRow(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(b.left() + 19, b.center().y()));
    QCOMPARE(doc.Objects()[1]->GetGrouped(), 1);
    QCOMPARE(repaints, 2);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(b.left() + 60, b.center().y()));
    QCOMPARE(doc.Objects()[1]->GetHidden(), 1);
    QCOMPARE(repaints, 2);

    // A double-click opens "Label Object"; OK writes the label back.
    layers->run_label_dialog = [](LabelObjectDialog& dialog) {
      if (dialog.windowTitle() != QStringLiteral("Label Object") || !dialog.HideCheck()->isChecked()) return false;
      dialog.LabelEdit()->setText(QStringLiteral("Sun"));
      dialog.HideCheck()->setChecked(false);
      return true;
    };
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(b.left() + 60, b.center().y()));
    QCOMPARE(doc.Objects()[1]->GetKindName(), std::string("Sun"));
    QCOMPARE(doc.Objects()[1]->GetHidden(), 0);
    QCOMPARE(list->item(1)->text(), QStringLiteral("Sun"));

    // Delete goes through the window's delete command, then the list is rebuilt.
    layers->delete_selected = [&doc] { doc.Objects().erase(doc.Objects().begin() + 1); };
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(1)->text(), QStringLiteral("A"));

    // Closing it from the View menu remembers that.
    app.window->Frame().Toggles().Find(kViewLayers)->trigger();
    QCOMPARE(app.services.GetSettings().GetInt("Layers", "Status", -1), 0);
    QVERIFY(!layers->Model().Visible());
  }

  void statusTextAndMultimediaPanelFollowTheDocument() {
    TestApp app;
    MainFrame& frame = app.window->Frame();
    frame.ShowStatusText(0, QStringLiteral("Working..."));
    QCOMPARE(app.window->statusBar()->currentMessage(), QStringLiteral("Working..."));
    frame.ShowStatusText(1, QStringLiteral("12, 34"));
    QCOMPARE(app.window->statusBar()->findChild<QLabel*>(QStringLiteral("pane1"))->text(),
             QStringLiteral("12, 34"));
    // A project whose buttons carry highlighted and pushed looks shows the panel for them;
    // one without leaves it hidden.
    QVERIFY(frame.MultimediaPanel()->isHidden());
    QVERIFY(app.window->OpenFile(QStringLiteral(LUMI_SAMPLES "/poster.plv")));
    QVERIFY(frame.MultimediaPanel()->isHidden());
    QVERIFY(app.window->OpenFile(QStringLiteral(LUMI_SAMPLES "/buttons.plv")));
    QVERIFY(!frame.MultimediaPanel()->isHidden());
    QVERIFY(frame.Toggles().Find(kViewMultimedia)->isChecked());
    // The Layers list was rebuilt from the opened project, front-most first.
    const CPlenivorDoc& doc = app.window->Document();
    QCOMPARE(frame.Layers()->List()->count(), static_cast<int>(doc.Objects().size()));
    QCOMPARE(frame.Layers()->List()->item(0)->text(),
             QString::fromStdString(LayerLabel(*doc.Objects().back())));
  }

  void splashTakesTheFirstKeyPress() {
    QWidget main;
    QLineEdit edit(&main);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    edit.setFocus();
    auto* splash = new Splash(&main, 60000);
    QVERIFY(splash->IsShown());
    QVERIFY(!splash->Screen()->pixmap().isNull());
    QTest::keyClick(&edit, Qt::Key_X);
    QVERIFY(!splash->IsShown());
    QCOMPARE(edit.text(), QString());  // the press went to the splash
    QTest::keyClick(&edit, Qt::Key_Y);
    QCOMPARE(edit.text(), QStringLiteral("y"));
    // Or it closes by itself.
    auto* timed = new Splash(&main, 50);
    QVERIFY(timed->IsShown());
    QTRY_VERIFY(!timed->IsShown());
  }
};

}  // namespace
}  // namespace lumi::app

QTEST_MAIN(lumi::app::MainFrameTest)
#include "main_frame_test.moc"
