// The "Mutavia Colors" dialog: breeding by clicks, its library controls, and the gene it
// hands back to the current object.
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QtTest>

#include "app_fixture.h"
#include "base/host.h"
#include "base/settings.h"
#include "edit/drawing_view.h"
#include "library/gene_library.h"
#include "mutavia_dialog.h"
#include "plenivor_view.h"
#include "sample_document.h"

using lumi::GeneBreeder;
using lumi::app::MutaviaDialog;
namespace fs = std::filesystem;

namespace {

struct DialogFixture {
  QTemporaryDir folder;
  lumi::MemorySettings settings;
  lumi::RecordingHost host;
  fs::path Folder() const { return folder.path().toStdString(); }
};

}  // namespace

class MutaviaDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void aClickOnTheMiddleBreedsTwelveNewCandidatesAndACandidateIsAdopted() {
    DialogFixture f;
    MutaviaDialog dialog(0, {2334, 243, 243}, f.Folder(), f.settings, f.host);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Mutavia Library"));
    QCOMPARE(dialog.Breeder().Current().mode, -1);
    std::vector<lumi::Gene> before;
    for (int k = 0; k < GeneBreeder::kCandidates; ++k) before.push_back(dialog.Breeder().Candidate(k));

    QTest::mouseClick(dialog.PreviewArea(), Qt::LeftButton, {}, QPoint(140, 100));
    int changed = 0;
    for (int k = 0; k < GeneBreeder::kCandidates; ++k) {
      const lumi::Gene& g = dialog.Breeder().Candidate(k);
      changed += g == before[static_cast<std::size_t>(k)] ? 0 : 1;
      QCOMPARE(g.mode, 0);  // variations of a "none" gene are mode 0
      for (int i = 0; i < 8; ++i) {
        const int p = dialog.Breeder().Current().P[static_cast<std::size_t>(i)];
        QVERIFY(std::abs(g.P[static_cast<std::size_t>(i)] - p) <= 25);
      }
    }
    QCOMPARE(changed, GeneBreeder::kCandidates);
    QDir().mkpath(QStringLiteral(LUMI_ARTEFACTS));
    dialog.grab().save(QStringLiteral(LUMI_ARTEFACTS "/mutavia-dialog.png"));

    const lumi::Gene top_right = dialog.Breeder().Candidate(3);
    QTest::mouseClick(dialog.PreviewArea(), Qt::LeftButton, {}, QPoint(250, 20));
    QCOMPARE(dialog.Breeder().Current(), top_right);
    dialog.accept();
    QCOMPARE(dialog.GeneKind(), top_right.mode + 1);
    QCOMPARE(dialog.Words().word1, top_right.P[0] + 256 * top_right.P[1] + 65536 * top_right.P[2]);
    QCOMPARE(dialog.Words().word3, top_right.P[6] + 256 * top_right.P[7]);
  }

  void okOnANoneGeneGivesKindOneAndRemoveGivesNone() {
    DialogFixture f;
    MutaviaDialog ok(0, {2334, 243, 243}, f.Folder(), f.settings, f.host);
    ok.accept();
    QCOMPARE(ok.GeneKind(), 1);
    QCOMPARE(ok.Words().word1, 2334);
    MutaviaDialog removed(5, {1, 2, 3}, f.Folder(), f.settings, f.host);
    removed.findChild<QPushButton*>(QStringLiteral("removeGene"))->click();
    QCOMPARE(removed.result(), int(QDialog::Accepted));
    QCOMPARE(removed.GeneKind(), 0);
    QCOMPARE(removed.Words().word2, 2);
  }

  void genesAreKeptInALibraryThatOpensAgainNextTime() {
    DialogFixture f;
    {
      MutaviaDialog dialog(6, {2334, 243, 243}, f.Folder(), f.settings, f.host);
      dialog.AddGene();
      QCOMPARE(f.host.Messages().back(), std::string("First you have to select a library or create a new one."));
      dialog.SetAskNewLibrary([] { return fs::path("/elsewhere/sea.dna"); });
      dialog.NewLibrary();
      QVERIFY(fs::exists(f.Folder() / "sea.dna"));
      QCOMPARE(dialog.LibraryList()->count(), 1);
      QCOMPARE(dialog.LibraryList()->item(0)->text(), QStringLiteral("Sea"));

      dialog.LibraryList()->setCurrentRow(0);  // opens the library
      QTRY_COMPARE(dialog.windowTitle(), QStringLiteral("Mutavia : Sea"));
      std::optional<MutaviaDialog::NamedGene> asked;
      dialog.SetAskGene([&](const MutaviaDialog::NamedGene& proposed) {
        asked = proposed;
        return proposed;
      });
      dialog.AddGene();
      QVERIFY(asked);
      QCOMPARE(asked->name, std::string("Unknown to man"));
      QCOMPARE(asked->words.word3, 243 + 65536 * 5);
      QCOMPARE(lumi::ReadGeneLibrary(f.Folder() / "sea.dna")->size(), std::size_t{2});
      QTRY_COMPARE(dialog.LibraryList()->count(), 2);
      dialog.accept();
    }
    QCOMPARE(f.settings.GetString("DNA", "Last", ""), std::string("sea.dna"));
    MutaviaDialog again(1, {0, 0, 0}, f.Folder(), f.settings, f.host);
    QCOMPARE(again.windowTitle(), QStringLiteral("Mutavia : Sea"));
    again.LibraryList()->setCurrentRow(1);  // the gene: it becomes current
    QCOMPARE(again.Breeder().Current().mode, 5);
    QCOMPARE(again.Breeder().Current().P[0], 30);
    again.LibraryList()->setCurrentRow(0);
    again.DeleteGene();  // ".." stays
    QCOMPARE(again.LibraryList()->count(), 2);
  }

  void okHandsTheGeneToTheCurrentObject() {
    lumi::app::testing::TestApp app;
    lumi::app::testing::FillSampleDocument(app.window->Document());
    lumi::CDrawObject& object = *app.window->Document().Objects().front();
    app.window->View()->Tools()->SelectObject(&object);
    int kind = -1;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<MutaviaDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      QTest::mouseClick(dialog->PreviewArea(), Qt::LeftButton, {}, QPoint(20, 170));  // slot 9
      kind = dialog->Breeder().ResultKind();
      dialog->accept();
    });
    const std::size_t undo = app.window->Document().UndoDepth();
    QVERIFY(app.window->EditCurrentGene());
    QCOMPARE(object.GetGeneSeed(), kind);
    QVERIFY(kind >= 1);
    QCOMPARE(app.window->Document().UndoDepth(), undo + 1);
  }
};

QTEST_MAIN(MutaviaDialogTest)
#include "mutavia_dialog_test.moc"
