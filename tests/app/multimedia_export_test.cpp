#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include <optional>
#include <vector>

#include "base/host.h"
#include "base/settings.h"
#include "document/plenivor_doc.h"
#include "export/multi_state_export.h"
#include "export/multi_state_objects.h"
#include "library/texture_bank.h"
#include "multimedia_export_command.h"
#include "multimedia_export_dialog.h"
#include "objects/draw_object.h"

using lumi::MultiStateTarget;
using lumi::app::CMultimediaExportDlg;

namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), qsizetype(text.size())).replace("\r\n", "\n");
}

// A 120 x 90 document with a plain rectangle and, when asked, a button above it whose
// highlighted look is green.
struct ButtonDocument {
  explicit ButtonDocument(bool with_button) {
    doc.NewDocument();
    doc.SetCanvasSize(120, 90);
    doc.SetCanvasColor(lumi::RGB(255, 255, 255));
    Add(5, 5, 30, 30, lumi::RGB(0, 0, 255));
    if (!with_button) return;
    lumi::CDrawObject& button = Add(40, 20, 80, 50, lumi::RGB(255, 0, 0));
    button.SetStates(1, true, false, false);
    button.SetFillColor(lumi::RGB(0, 255, 0));
    button.Render();
    button.StoreShownState();
    button.SetStates(0, true, false, false);
  }
  lumi::CDrawObject& Add(int left, int top, int right, int bottom, lumi::COLORREF colour) {
    auto object = doc.MakeObject();
    object->CreateRectangle(left, top, right, bottom);
    object->SetFillColor(colour);
    object->Render();
    doc.Objects().push_back(std::move(object));
    return *doc.Objects().back();
  }
  lumi::RecordingHost host;
  lumi::MemorySettings settings;
  lumi::CTextureBank bank;
  lumi::CPlenivorDoc doc{host, settings, bank};
};

// Scripted answers for the two questions of the command, and what was asked.
struct Script {
  std::optional<MultiStateTarget> target;
  std::optional<std::filesystem::path> path;
  int targets_asked = 0;
  std::vector<std::string> titles, filters, starts;

  lumi::app::MultimediaExportSteps Steps() {
    return {[this] {
              ++targets_asked;
              return target;
            },
            [this](const lumi::SaveDialogRequest& request) {
              titles.emplace_back(request.title);
              filters.emplace_back(request.filter);
              starts.emplace_back(request.start_folder);
              return path;
            }};
  }
};

}  // namespace

class MultimediaExportTest : public QObject {
  Q_OBJECT
 private slots:
  void theTextFollowsTheSelectedTarget() {
    CMultimediaExportDlg dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Multimedia Export"));
    QVERIFY(dialog.findChild<QLabel*>()->text() == QStringLiteral("Export To:"));
    QCOMPARE(dialog.TargetList()->count(), 3);
    QCOMPARE(dialog.TargetList()->itemText(1), QStringLiteral("Generic - Separate BMP files"));
    QCOMPARE(dialog.ExportButton()->text(), QStringLiteral("Export"));
    QCOMPARE(dialog.CancelButton()->text(), QStringLiteral("Cancel"));
    QVERIFY(dialog.Explanation()->isReadOnly());
    QCOMPARE(dialog.Target(), MultiStateTarget::Pavonix);
    QCOMPARE(dialog.Explanation()->toPlainText(), Text(lumi::kPavonixExportText));
    QVERIFY(dialog.Explanation()->toPlainText().startsWith(QStringLiteral("PVX Export:\nIf the")));
    dialog.TargetList()->setCurrentIndex(2);
    QCOMPARE(dialog.Target(), MultiStateTarget::SeparateJpg);
    QVERIFY(dialog.Explanation()->toPlainText().startsWith(QStringLiteral("Generic Export:\n")));
    dialog.TargetList()->setCurrentIndex(0);
    QCOMPARE(dialog.Explanation()->toPlainText(), Text(lumi::kPavonixExportText));
  }

  void aDocumentWithoutButtonsIsRefused() {
    ButtonDocument sample(false);
    Script script;
    QVERIFY(!lumi::app::RunMultimediaExport(sample.doc, sample.host, sample.settings,
                                            script.Steps()));
    QCOMPARE(sample.host.Messages(),
             std::vector<std::string>{std::string(lumi::kNoMultiframeObjectsMessage)});
    QCOMPARE(script.targets_asked, 0);
    QVERIFY(script.titles.empty());
  }

  void separateFilesAreWrittenWhereTheUserChose() {
    ButtonDocument sample(true);
    QTemporaryDir out;
    sample.settings.SetString("Export", "Separate", "/earlier/btn.bmp");
    Script script;
    script.target = MultiStateTarget::SeparateBmp;
    script.path = out.filePath(QStringLiteral("btn.bmp")).toStdString();
    QVERIFY(lumi::app::RunMultimediaExport(sample.doc, sample.host, sample.settings,
                                           script.Steps()));
    QCOMPARE(script.titles, std::vector<std::string>{"Export to Separate BMP files"});
    QCOMPARE(script.filters, std::vector<std::string>{"Separate BMP files (*.bmp)|*.bmp||"});
    QCOMPARE(script.starts, std::vector<std::string>{"/earlier/btn.bmp"});
    QCOMPARE(sample.settings.GetString("Export", "Separate", ""), script.path->string());
    // Background, the normal and highlighted looks (no pushed look), and the table.
    QStringList files = QDir(out.path()).entryList(QDir::Files, QDir::Name);
    QCOMPARE(files, (QStringList{"btn.bmp", "btn.txt", "btn0a.bmp", "btn0b.bmp"}));
    QFile table(out.filePath(QStringLiteral("btn.txt")));
    QVERIFY(table.open(QIODevice::ReadOnly));
    // The position is that of the button's export rectangle (its visible extent).
    const lumi::Rect rect = lumi::ExportRect(*sample.doc.Objects()[1]);
    QVERIFY(table.readAll().contains(
        QStringLiteral("\r\nbtn0x.bmp : Left %1,Top %2\r\n").arg(rect.left).arg(rect.top).toLatin1()));
  }

  void cancellingEitherQuestionWritesNothing() {
    for (bool cancel_target : {true, false}) {
      ButtonDocument sample(true);
      QTemporaryDir out;
      Script script;
      if (!cancel_target) script.target = MultiStateTarget::Pavonix;
      QVERIFY(!lumi::app::RunMultimediaExport(sample.doc, sample.host, sample.settings,
                                              script.Steps()));
      QCOMPARE(script.titles.size(), std::size_t(cancel_target ? 0 : 1));
      if (!cancel_target) QCOMPARE(script.titles[0], std::string("Export to Pavonix"));
      QVERIFY(QDir(out.path()).isEmpty());
      QVERIFY(!sample.settings.Has("Export", "MMexport"));
      QVERIFY(sample.host.Messages().empty());
    }
  }
};

QTEST_MAIN(MultimediaExportTest)
#include "multimedia_export_test.moc"
