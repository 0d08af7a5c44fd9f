// The Style Library and Object Library panels in the main window, on a scratch library.
#include <QComboBox>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollArea>
#include <QtTest/QtTest>

#include <filesystem>

#include "app_fixture.h"
#include "edit/drawing_view.h"
#include "collections/object_library.h"
#include "collections/style_library.h"
#include "library_picture_grid.h"
#include "object_library_panel.h"
#include "plenivor_view.h"
#include "sample_document.h"
#include "style_library_panel.h"

using lumi::COLORREF;
using lumi::RGB;
using lumi::app::LibraryPictureGrid;
using lumi::app::testing::TestApp;
namespace fs = std::filesystem;

namespace {

// The styles 1..4 in red, green, blue and yellow, written by the core.
void WriteFourStyles(TestApp& app) {
  const fs::path folder = app.services.Folders().styles;
  fs::create_directories(folder);
  lumi::SilentHost host;
  for (COLORREF colour : {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)}) {
    lumi::CDrawObject look(host);
    look.CreateRectangle(0, 0, 30, 30);
    look.SetFillColor(colour);
    look.SetBevelKind(2);
    look.Render();
    lumi::AddStyle(folder, look);
  }
  app.window->StylePanel()->Refill();
}

lumi::CDrawObject& SelectSampleRectangle(TestApp& app) {
  lumi::app::testing::FillSampleDocument(app.window->Document());
  lumi::CDrawObject& object = *app.window->Document().Objects().front();
  app.window->View()->Tools()->SelectObject(&object);
  return object;
}

std::string LastQuestion(const lumi::RecordingHost& host) {
  for (auto it = host.Log().rbegin(); it != host.Log().rend(); ++it) {
    if (it->rfind("ask: ", 0) == 0) return *it;
  }
  return {};
}

QPoint CellCentre(int row, int column) { return {column * 50 + 25, row * 50 + 25}; }

bool StatusShown(const lumi::RecordingHost& host, const std::string& text) {
  for (const auto& line : host.Log()) {
    if (line == "status 0: " + text) return true;
  }
  return false;
}

}  // namespace

class LibraryPanelsTest : public QObject {
  Q_OBJECT
 private slots:
  void fourStylesGiveTwoRowsAndAClickAppliesTheStyle() {
    TestApp app;
    WriteFourStyles(app);
    LibraryPictureGrid* grid = app.window->StylePanel()->Grid();
    QCOMPARE(grid->Count(), 4);
    QCOMPARE(grid->Rows(), 2);
    QCOMPARE(grid->height(), 100);

    lumi::CDrawObject& object = SelectSampleRectangle(app);
    QTest::mouseClick(grid, Qt::LeftButton, {}, CellCentre(0, 2));
    QCOMPARE(object.GetFillColor(), COLORREF(RGB(0, 0, 255)));
    QCOMPARE(object.GetBevelKind(), 2);
    QVERIFY(StatusShown(*app.host, "Style3.sty"));
    QCOMPARE(grid->SelectedRow(), 0);
    QCOMPARE(grid->SelectedColumn(), 2);

    // The picture shown in the third cell is the style's own: blue in its middle.
    app.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(app.window.get()));
    const QImage shown = grid->grab().toImage();
    const QColor middle = shown.pixelColor(2 * 50 + 25, 25);
    QVERIFY2(middle.blue() > 150 && middle.red() < 100, qPrintable(middle.name()));
    QDir().mkpath(QStringLiteral(LUMI_ARTEFACTS));
    app.window->grab().save(QStringLiteral(LUMI_ARTEFACTS "/library-panels.png"));
  }

  void withNothingSelectedAClickSetsTheObjectDefaults() {
    TestApp app;
    WriteFourStyles(app);
    LibraryPictureGrid* grid = app.window->StylePanel()->Grid();
    QTest::mouseClick(grid, Qt::LeftButton, {}, CellCentre(1, 0));
    QCOMPARE(app.window->NewObjectDefaults().shapes.fill_color, COLORREF(RGB(255, 255, 0)));
    QVERIFY(StatusShown(*app.host, "Object Default:Style4.sty"));
    // A cell past the last style does nothing.
    QTest::mouseClick(grid, Qt::LeftButton, {}, CellCentre(1, 2));
    QCOMPARE(app.window->NewObjectDefaults().shapes.fill_color, COLORREF(RGB(255, 255, 0)));
  }

  void aRightClickOpensTheMenuAndRemovingRenumbers() {
    TestApp app;
    WriteFourStyles(app);
    lumi::app::StyleLibraryPanel* panel = app.window->StylePanel();
    app.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(app.window.get()));
    LibraryPictureGrid* grid = panel->Grid();
    QTest::mouseClick(grid, Qt::RightButton, {}, CellCentre(0, 1));
    QTRY_VERIFY(panel->ContextMenu()->isVisible());
    QStringList texts;
    for (QAction* action : panel->ContextMenu()->actions()) texts << action->text();
    QCOMPARE(texts, (QStringList{"Add to Styles", "", "Remove from Styles"}));
    panel->ContextMenu()->hide();
    QCOMPARE(grid->SelectedEntry(), 2);
    // From the keyboard the menu is asked for near the panel's top-left corner (the
    // menu itself may then be moved to stay on the screen).
    QSignalSpy asked(grid, &LibraryPictureGrid::contextMenuWanted);
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(0, 0));
    QApplication::sendEvent(grid, &key);
    QCOMPARE(asked.count(), 1);
    QCOMPARE(asked.at(0).at(0).toPoint(), grid->mapToGlobal(QPoint(5, 5)));
    QTRY_VERIFY(panel->ContextMenu()->isVisible());
    panel->ContextMenu()->hide();

    app.host->QueueAnswer(lumi::Answer::Ok);
    panel->RemoveFromStyles();
    QCOMPARE(LastQuestion(*app.host), std::string("ask: Do you want to remove the style Style2.sty?"));
    QCOMPARE(grid->Count(), 3);
    lumi::SilentHost host;
    auto second = lumi::ReadStyle(fs::path(app.services.Folders().styles) / "Style2.sty", host);
    QVERIFY(second);
    QCOMPARE(second->GetFillColor(), COLORREF(RGB(0, 0, 255)));

    grid->Select(-1, -1);
    panel->RemoveFromStyles();
    QCOMPARE(app.host->Messages().back(), std::string("Please Select a style first!"));
  }

  void addToStylesStoresTheCurrentObjectAndSelectsTheLastRow() {
    TestApp app;
    WriteFourStyles(app);
    SelectSampleRectangle(app);
    app.window->StylePanel()->AddToStyles();
    LibraryPictureGrid* grid = app.window->StylePanel()->Grid();
    QCOMPARE(grid->Count(), 5);
    QCOMPARE(grid->SelectedRow(), 1);
    QCOMPARE(grid->SelectedColumn(), -1);
    QVERIFY(fs::exists(fs::path(app.services.Folders().styles) / "Style5.tmb"));
  }

  void objectsAreAddedInsertedByDoubleClickAndDroppedAtThePoint() {
    TestApp app;
    lumi::app::ObjectLibraryPanel* panel = app.window->ObjectPanel();
    QCOMPARE(panel->Groups()->count(), 0);
    QCOMPARE(panel->GroupFolder(), fs::path(app.services.Folders().objects));
    lumi::CDrawObject& rectangle = SelectSampleRectangle(app);

    panel->AddToLibrary();
    QCOMPARE(panel->Grid()->Count(), 1);
    auto& objects = app.window->Document().Objects();

    QTest::mouseDClick(panel->Grid(), Qt::LeftButton, {}, CellCentre(0, 0));
    QCOMPARE(objects.size(), std::size_t{2});
    QCOMPARE(objects.back()->GetX(), 0);
    QCOMPARE(objects.back()->GetY(), 0);
    QCOMPARE(objects.back()->GetWidth(), rectangle.GetWidth());
    QCOMPARE(app.window->View()->View().Selected(), objects.back().get());

    // A drop on the view: the entry's path as text, centred on the canvas point.
    app.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(app.window.get()));
    lumi::app::CPlenivorView* view = app.window->View();
    QMimeData data;
    data.setText(QString::fromStdString((panel->GroupFolder() / "Object1.obj").string()));
    const lumi::Point device = view->View().Zoom().ViewportOrigin();
    const QPointF at(device.x + 150, device.y + 100);
    QDragEnterEvent enter(at.toPoint(), Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(view->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(view->viewport(), &drop);
    QCOMPARE(objects.size(), std::size_t{3});
    const lumi::Point centre = objects.back()->GetCenter();
    QVERIFY(std::abs(centre.x - 150) <= 1);
    QVERIFY(std::abs(centre.y - 100) <= 1);
  }

  void groupsReplaceAndRemoveAskFirst() {
    TestApp app;
    const fs::path objects_folder = app.services.Folders().objects;
    fs::create_directories(objects_folder / "Stars");
    fs::create_directories(objects_folder / "Arrows");
    app.services.GetSettings().SetString("Objects", "Current", "Stars");
    lumi::app::ObjectLibraryPanel panel(app.services.Folders().objects, app.window->LibraryLink(), app.services.GetSettings());
    QCOMPARE(panel.Groups()->count(), 2);
    QCOMPARE(panel.Groups()->currentText(), QStringLiteral("Stars"));
    QCOMPARE(panel.GroupFolder(), objects_folder / "Stars/");

    SelectSampleRectangle(app);
    panel.Replace();
    QCOMPARE(app.host->Messages().back(), std::string("First you have to select an object in the library"));
    panel.AddToLibrary();
    panel.AddToLibrary();
    panel.AddToLibrary();
    QCOMPARE(panel.Grid()->Count(), 3);
    panel.Grid()->Select(0, 0);
    app.host->QueueAnswer(lumi::Answer::Ok);
    panel.Replace();
    QCOMPARE(LastQuestion(*app.host),
             std::string("ask: Do you want to replace the object in the library Object1.obj with the curent object?"));
    app.host->QueueAnswer(lumi::Answer::Ok);
    panel.RemoveFromLibrary();
    QCOMPARE(LastQuestion(*app.host), std::string("ask: Do you want to remove the object Object1.obj?"));
    QCOMPARE(panel.Grid()->Count(), 2);
    QCOMPARE(panel.Grid()->SelectedRow(), 0);
    QVERIFY(!fs::exists(objects_folder / "Stars" / "Object3.obj"));
  }
};

QTEST_MAIN(LibraryPanelsTest)
#include "library_panels_test.moc"
