#include <filesystem>
#include <fstream>

#include <QComboBox>
#include <QMimeData>
#include <QtTest/QtTest>

#include "app_fixture.h"
#include "base/data_folder.h"
#include "document/plenivor_doc.h"
#include "file_filter.h"
#include "library/texture_bank.h"
#include "plenivor_view.h"
#include "startup.h"
#include "render/render_context.h"
#include "sample_document.h"

using lumi::Answer;
using lumi::CPlenivorDoc;
using lumi::ImageFormat;
using lumi::app::testing::TestApp;

namespace {

std::filesystem::path In(const QTemporaryDir& dir, const char* name) {
  return std::filesystem::path(dir.path().toStdString()) / name;
}

// A project written by the document alone: a 200 x 150 pale blue canvas with one red
// rectangle from (20, 30) to (120, 90).
void WriteSampleProject(const std::filesystem::path& path) {
  lumi::SilentHost host;
  lumi::MemorySettings settings;
  lumi::CTextureBank bank;
  CPlenivorDoc doc(host, settings, bank);
  lumi::app::testing::FillSampleDocument(doc);
  QVERIFY(doc.SaveAs(path, ImageFormat::kProject));
}

void AddRectangle(CPlenivorDoc& doc) {
  auto rectangle = doc.MakeObject();
  rectangle->CreateRectangle(10, 10, 60, 40);
  rectangle->Render();
  doc.Objects().push_back(std::move(rectangle));
  doc.SetModified();
}

// The question the host was asked, or "" when none.
std::string Question(const lumi::RecordingHost& host) {
  for (const std::string& line : host.Log())
    if (line.rfind("ask:", 0) == 0) return line;
  return {};
}

}  // namespace

class DocumentWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void startsWithANewDocumentFromTheSettings() {
    TestApp app;
    CPlenivorDoc& doc = app.window->Document();
    QCOMPARE(doc.GetCanvasWidth(), 400);
    QCOMPARE(doc.GetCanvasHeight(), 300);
    QCOMPARE(doc.GetCanvasColor(), lumi::COLORREF{0xFFFFFF});
    QCOMPARE(app.window->windowTitle(), QStringLiteral("Untitled - Lumiverdant"));
    // Objects render with the program's one bank and its folders.
    QVERIFY(doc.GetRenderContext() != nullptr);
    QCOMPARE(doc.GetRenderContext()->bank, &app.services.Bank());
    QCOMPARE(doc.GetRenderContext()->folders, &app.services.Folders());
    QCOMPARE(doc.MakeObject()->GetRenderContext(), doc.GetRenderContext());

    app.services.GetSettings().SetInt("Settings", "DefWidth", 640);
    app.services.GetSettings().SetInt("Settings", "DefHeight", 480);
    QVERIFY(app.window->NewFile());
    QCOMPARE(doc.GetCanvasWidth(), 640);
    QCOMPARE(doc.GetCanvasHeight(), 480);
    QCOMPARE(app.window->View()->View().Zoom().Scale(), 1.0f);
  }

  void anOpenedProjectShowsItsCanvasInTheView() {
    TestApp app;
    const auto path = In(app.scratch, "sample.plv");
    WriteSampleProject(path);
    MainWindow_show(app);
    QVERIFY(app.window->OpenFile(QString::fromStdString(path.string())));
    QCOMPARE(app.window->windowTitle(), QStringLiteral("sample.plv - Lumiverdant"));
    QVERIFY(app.host->Messages().empty());

    lumi::app::CPlenivorView* view = app.window->View();
    const QImage shot = view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const lumi::Point o = view->View().Zoom().ViewportOrigin();
    QCOMPARE(o.x, (view->viewport()->width() - 200) / 2);
    auto at = [&](int x, int y) { return shot.pixel(o.x + x, o.y + y) & 0xFFFFFF; };
    QCOMPARE(at(70, 60), qRgb(0xFF, 0, 0) & 0xFFFFFF);        // inside the rectangle
    QCOMPARE(at(5, 5), qRgb(0xC0, 0xD8, 0xF0) & 0xFFFFFF);    // the canvas colour
    QCOMPARE(at(150, 120), qRgb(0xC0, 0xD8, 0xF0) & 0xFFFFFF);
  }

  void aRefusedFileIsReportedAndTheTitleFollowsTheDocument() {
    TestApp app;
    const auto path = In(app.scratch, "junk.plv");
    std::ofstream(path) << "not a project at all";
    QVERIFY(!app.window->OpenFile(QString::fromStdString(path.string())));
    QVERIFY(!app.host->Messages().empty());
    QCOMPARE(app.window->windowTitle(), QStringLiteral("Untitled - Lumiverdant"));
  }

  void saveAsRoundTripsThroughTheDocument() {
    TestApp app;
    CPlenivorDoc& doc = app.window->Document();
    doc.SetCanvasSize(320, 200);
    AddRectangle(doc);
    const lumi::Rect box = doc.Objects()[0]->GetRect();
    // A project name's extension becomes ".plv" and the document takes the name.
    const auto typed = In(app.scratch, "round.trip.txt");
    QVERIFY(app.window->SaveFileAs(QString::fromStdString(typed.string()), ImageFormat::kProject));
    const auto saved = In(app.scratch, "round.trip.plv");
    QVERIFY(std::filesystem::exists(saved));
    QCOMPARE(app.window->windowTitle(), QStringLiteral("round.trip.plv - Lumiverdant"));
    QVERIFY(!doc.IsModified());

    // The image filters write a flat image and leave the name alone.
    QVERIFY(app.window->SaveFileAs(QString::fromStdString(In(app.scratch, "flat.plv").string()),
                                   ImageFormat::kPng));
    QVERIFY(std::filesystem::exists(In(app.scratch, "flat.png")));
    QCOMPARE(app.window->windowTitle(), QStringLiteral("round.trip.plv - Lumiverdant"));

    QVERIFY(app.window->NewFile());
    QCOMPARE(doc.Objects().size(), std::size_t{0});
    QVERIFY(app.window->OpenFile(QString::fromStdString(saved.string())));
    QCOMPARE(doc.Objects().size(), std::size_t{1});
    QCOMPARE(doc.GetCanvasWidth(), 320);
    QCOMPARE(doc.GetCanvasHeight(), 200);
    QCOMPARE(doc.Objects()[0]->GetRect(), box);

    // "Save" now goes to that path without a dialog.
    AddRectangle(doc);
    QVERIFY(app.window->SaveFile());
    QVERIFY(app.window->OpenFile(QString::fromStdString(saved.string())));
    QCOMPARE(doc.Objects().size(), std::size_t{2});
  }

  void askingToSaveFollowsTheDocumentsRule_data() {
    QTest::addColumn<bool>("with_object");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("modified but empty: never asked") << false << int(Answer::Cancel) << false << true;
    QTest::newRow("Cancel keeps the document") << true << int(Answer::Cancel) << true << false;
    QTest::newRow("No drops the changes") << true << int(Answer::No) << true << true;
  }
  void askingToSaveFollowsTheDocumentsRule() {
    QFETCH(bool, with_object);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, replaced);
    TestApp app;
    CPlenivorDoc& doc = app.window->Document();
    if (with_object) AddRectangle(doc);
    doc.SetModified();
    app.host->QueueAnswer(static_cast<Answer>(answer));
    QCOMPARE(app.window->NewFile(), replaced);
    QCOMPARE(Question(*app.host), std::string(asked ? "ask: Save changes to Untitled?" : ""));
    QCOMPARE(doc.Objects().empty(), replaced || !with_object);
  }

  void yesSavesBeforeReplacingAndCancelKeepsTheWindowOpen() {
    TestApp app;
    CPlenivorDoc& doc = app.window->Document();
    AddRectangle(doc);
    const auto path = In(app.scratch, "kept.plv");
    QVERIFY(app.window->SaveFileAs(QString::fromStdString(path.string()), ImageFormat::kProject));
    const auto before = std::filesystem::file_size(path);
    AddRectangle(doc);
    app.host->QueueAnswer(Answer::Yes);
    QVERIFY(app.window->NewFile());
    QVERIFY(std::filesystem::file_size(path) > before);  // the second object was saved
    QVERIFY(doc.Objects().empty());

    AddRectangle(doc);
    app.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(app.window.get()));
    app.host->QueueAnswer(Answer::Cancel);
    QVERIFY(!app.window->close());
    QVERIFY(app.window->isVisible());
    QCOMPARE(doc.Objects().size(), std::size_t{1});
  }

  void droppedAndCommandLineFilesAreOpened() {
    TestApp app;
    const auto path = In(app.scratch, "dropped.plv");
    WriteSampleProject(path);
    const QString name = QString::fromStdString(path.string());

    MainWindow_show(app);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(name)});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    // Straight to the window: the application only routes drops that a drag started.
    static_cast<QObject*>(app.window.get())->event(&drop);
    QVERIFY(drop.isAccepted());
    QTRY_COMPARE(app.window->windowTitle(), QStringLiteral("dropped.plv - Lumiverdant"));

    QVERIFY(app.window->NewFile());
    app.window->OpenAfterStartUp(name);
    QTest::qWait(300);  // well before the one-second delay, even on a busy machine
    QCOMPARE(app.window->windowTitle(), QStringLiteral("Untitled - Lumiverdant"));
    QTRY_COMPARE_WITH_TIMEOUT(app.window->windowTitle(), QStringLiteral("dropped.plv - Lumiverdant"),
                              2000);
  }

  void helpReportsAMissingPageAndAMissingViewer() {
    TestApp app;
    QUrl asked_for;
    bool viewer_present = true;
    app.window->SetUrlOpener([&](const QUrl& url) {
      asked_for = url;
      return viewer_present;
    });
    const std::filesystem::path index = app.services.Folders().HelpIndex();
    app.window->ShowHelp();
    QCOMPARE(app.host->Messages().size(), std::size_t{1});
    QCOMPARE(app.host->Messages()[0], "Cannot find " + index.string());
    QVERIFY(asked_for.isEmpty());

    std::filesystem::create_directories(index.parent_path());
    std::ofstream(index) << "<html></html>";
    app.window->ShowHelp();
    QCOMPARE(app.host->Messages().size(), std::size_t{1});
    QCOMPARE(asked_for, QUrl::fromLocalFile(QString::fromStdString(index.string())));

    viewer_present = false;
    app.window->ShowHelp();
    QCOMPARE(app.host->Messages().size(), std::size_t{2});
    QCOMPARE(app.host->Messages()[1],
             std::string("There is no application associated with the HTM filename extension.\n"
                         "You need Netscape Navigator or Internet Explorer to view the help files."));
  }

  void theBundledHelpPageIsSeededAndOpened() {
    TestApp app;
    lumi::SeedDataFolder(lumi::app::InstalledDataFolder().toStdString(),
                         app.scratch.path().toStdString());
    QUrl asked_for;
    app.window->SetUrlOpener([&](const QUrl& url) {
      asked_for = url;
      return true;
    });
    app.window->ShowHelp();
    QVERIFY(app.host->Messages().empty());
    QCOMPARE(asked_for.toLocalFile(),
             QString::fromStdString(app.services.Folders().HelpIndex().string()));
  }

  void dialogFiltersUseQtsSyntax() {
    using lumi::FormatDialog;
    using lumi::app::QtDialogFilter;
    using lumi::app::QtFilterFormat;
    QCOMPARE(QtDialogFilter(FormatDialog::kOpen),
             QStringLiteral("Project File (*.plv);;Lumiverdant Editable E-JPG (*.jp*)"));
    const QString save = QtDialogFilter(FormatDialog::kSaveAs);
    QCOMPARE(save, QStringLiteral("Project Files (*.plv);;JPG File (*.jpg);;PNG File (*.png);;"
                                  "Windows BMP (*.bmp)"));
    // Each entry Qt reports back names its own format, whatever its place in the list.
    QCOMPARE(QtFilterFormat(FormatDialog::kSaveAs, QStringLiteral("Windows BMP (*.bmp)")),
             std::optional(ImageFormat::kBmp));
    QCOMPARE(QtFilterFormat(FormatDialog::kSaveAs, QStringLiteral("Project Files (*.plv)")),
             std::optional(ImageFormat::kProject));
    QCOMPARE(QtFilterFormat(FormatDialog::kSaveAs, QStringLiteral("PNG File (*.png)")),
             std::optional(ImageFormat::kPng));
    QCOMPARE(QtFilterFormat(FormatDialog::kOpen, QStringLiteral("Lumiverdant Editable E-JPG (*.jp*)")),
             std::optional(ImageFormat::kEditableJpg));
    QVERIFY(!QtFilterFormat(FormatDialog::kSaveAs, QStringLiteral("Lumiverdant Editable E-JPG (*.jp*)")));
  }

 private:
  static void MainWindow_show(TestApp& app) {
    app.window->resize(900, 700);
    app.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(app.window.get()));
  }
};

QTEST_MAIN(DocumentWindowTest)
#include "document_window_test.moc"
