// The Edit, Object and Bitmap menus in the window: their accelerators, enabling that
// follows the selection, the desktop clipboard (objects and plain images), the context
// menu, the Layers panel's Delete and the "Rotate Object" dialog.
#include <algorithm>
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QtTest/QtTest>

#include "app_fixture.h"
#include "edit/command_services.h"
#include "edit/tool_machine.h"
#include "frame/layers_dock.h"
#include "frame/main_frame.h"
#include "object_menus.h"
#include "plenivor_view.h"
#include "rotate_dialog.h"
#include "sample_document.h"

using lumi::app::ObjectMenus;

class ObjectMenusTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    app_ = std::make_unique<lumi::app::testing::TestApp>();
    QVERIFY(lumi::app::testing::ShowSampleWindow(*app_));
    QGuiApplication::clipboard()->clear();
  }
  void cleanup() { app_.reset(); }

  void everyCommandHasItsAccelerators() {
    ObjectMenus& menus = app_->window->ObjectCommandMenus();
    const std::pair<const char*, const char*> cases[] = {
        {"Cut", "Ctrl+X, Shift+Del"},     {"Copy", "Ctrl+C, Ctrl+Ins"},  {"Paste", "Ctrl+V, Shift+Ins"},
        {"Paste Atributes", "Ctrl+Shift+V"}, {"Select All", "Ctrl+A"},  {"Group", "Ctrl+G"},
        {"Ungroup", "Ctrl+U"},            {"Edit Text...", "Ctrl+T"},    {"Delete Object", "Del"},
    };
    for (auto [text, keys] : cases) {
      QAction* a = menus.Action(QString::fromLatin1(text));
      QVERIFY2(a, text);
      QStringList got;
      for (const QKeySequence& k : a->shortcuts()) got << k.toString();
      QCOMPARE(got.join(QStringLiteral(", ")), QString::fromLatin1(keys));
    }
    for (const char* menu : {"objectMenu", "bitmapMenu"}) QVERIFY(app_->window->menuBar()->findChild<QMenu*>(menu));
    // The two dialog commands follow their own enabling: a bitmap for the effects, any
    // selection for the colour shift.
    QAction* effects = menus.Action(QStringLiteral("Bitmap Effects..."));
    QAction* shift = menus.Action(QStringLiteral("Shift Color..."));
    QVERIFY(effects && shift);
    lumi::ToolMachine& tools = *app_->window->View()->Tools();
    tools.SelectObject(nullptr);
    menus.Refresh();
    QVERIFY(!effects->isEnabled() && !shift->isEnabled());
    lumi::CPlenivorDoc& doc = app_->window->Document();
    const auto shape = std::find_if(doc.Objects().begin(), doc.Objects().end(),
                                    [](const auto& o) { return !o->IsBitmap(); });
    QVERIFY(shape != doc.Objects().end());
    tools.SelectObject(shape->get());
    menus.Refresh();
    QVERIFY(shift->isEnabled());
    QVERIFY(!effects->isEnabled());
    tools.SelectObject(nullptr);
  }

  void copyAndPasteByKeysFollowTheSelection() {
    lumi::CPlenivorDoc& doc = app_->window->Document();
    lumi::ToolMachine& tools = *app_->window->View()->Tools();
    ObjectMenus& menus = app_->window->ObjectCommandMenus();
    const std::size_t count = doc.Objects().size();
    QVERIFY(!menus.Action(QStringLiteral("Copy"))->isEnabled());
    tools.SelectObject(doc.Objects()[0].get());
    // The accelerators work at once, without a menu being opened first.
    QVERIFY(menus.Action(QStringLiteral("Copy"))->isEnabled());
    QTest::keyClick(app_->window.get(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data && data->hasFormat(QString::fromLatin1(lumi::kObjectStreamMimeType)));
    QTest::keyClick(app_->window.get(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(doc.Objects().size(), count + 1);
    QCOMPARE(doc.Objects().back()->GetRect(), doc.Objects()[0]->GetRect());
    QVERIFY(doc.Objects().back()->GetId() != doc.Objects()[0]->GetId());
    QCOMPARE(tools.Selected(), doc.Objects().back().get());
    // Cut takes it away again, undoably.
    QTest::keyClick(app_->window.get(), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(doc.Objects().size(), count);
    QTest::keyClick(app_->window.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(doc.Objects().size(), count + 1);
  }

  void aPlainImageIsPastedAsABitmapInTheMiddle() {
    lumi::CPlenivorDoc& doc = app_->window->Document();
    QImage image(30, 20, QImage::Format_ARGB32);
    image.fill(QColor(10, 200, 30));
    QGuiApplication::clipboard()->setImage(image);
    const std::size_t count = doc.Objects().size();
    QVERIFY(app_->window->ObjectCommandMenus().Run("Paste"));
    QCOMPARE(doc.Objects().size(), count + 1);
    const lumi::CDrawObject& o = *doc.Objects().back();
    QVERIFY(o.IsBitmap());
    QCOMPARE(o.GetCenter().x, doc.GetCanvasWidth() / 2);
    QCOMPARE(o.GetCenter().y, doc.GetCanvasHeight() / 2);
    QCOMPARE(o.GetWidth(), 30);
  }

  void theContextMenuOffersItsEntries() {
    lumi::app::CPlenivorView* view = app_->window->View();
    QMenu* menu = app_->window->ObjectCommandMenus().ContextMenu();
    QStringList texts;
    for (QAction* a : menu->actions()) texts << a->text();
    QCOMPARE(texts, (QStringList{"&Copy", "&Paste", "Paste Atributes", "Combine Objects", "Break Path",
                                 "Close Path", "Convert Text to Polynome", "Add to Object Library"}));
    QSignalSpy wanted(view, &lumi::app::CPlenivorView::contextMenuWanted);
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(0, 0));
    QCoreApplication::sendEvent(view, &key);
    QCOMPARE(wanted.size(), 1);
    QCOMPARE(wanted[0][0].toPoint(), view->viewport()->mapToGlobal(QPoint(5, 5)));
    QTRY_VERIFY(menu->isVisible());
    menu->hide();
  }

  void theLayersPanelDeletesTheCurrentObject() {
    lumi::CPlenivorDoc& doc = app_->window->Document();
    lumi::app::LayersDock* layers = app_->window->Frame().Layers();
    const std::size_t count = doc.Objects().size();
    layers->SetPanelVisible(true);
    layers->Rebuild();  // the sample was filled in behind the panel's back
    app_->window->View()->Tools()->SelectObject(doc.Objects().back().get());
    QVERIFY(layers->Model().Selected());
    QVERIFY(layers->delete_selected);
    emit layers->List()->deletePressed();
    QCOMPARE(doc.Objects().size(), count - 1);
    QCOMPARE(app_->window->View()->Tools()->Selected(), nullptr);
  }

  void theRotateDialogTakesPresetsAndWholeNumbersOnly() {
    lumi::app::RotateDialog dialog(30);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Rotate Object"));
    QCOMPARE(dialog.Angle(), std::optional<int>(30));
    QPushButton* preset = nullptr;
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
      if (b->text() == QStringLiteral("-135")) preset = b;
    QVERIFY(preset);
    preset->click();
    QCOMPARE(dialog.Angle(), std::optional<int>(-135));
    dialog.AngleEdit()->clear();
    QTest::keyClicks(dialog.AngleEdit(), QStringLiteral("4.5x"));
    QCOMPARE(dialog.AngleEdit()->text(), QStringLiteral("45"));  // the validator refuses the rest
  }

 private:
  std::unique_ptr<lumi::app::testing::TestApp> app_;
};

QTEST_MAIN(ObjectMenusTest)
#include "object_menus_test.moc"
