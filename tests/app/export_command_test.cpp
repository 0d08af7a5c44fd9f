#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QtTest>

#include <cstring>
#include <optional>

#include "base/host.h"
#include "base/settings.h"
#include "document/plenivor_doc.h"
#include "export/export_image.h"
#include "export_command.h"
#include "export_dialog.h"
#include "library/texture_bank.h"
#include "objects/draw_object.h"

using lumi::app::CExportDlg;

namespace {

// A 200 x 150 document with one red rectangle.
struct SampleDocument {
  SampleDocument() {
    doc.NewDocument();
    doc.SetCanvasSize(200, 150);
    doc.SetCanvasColor(lumi::RGB(0xC0, 0xD8, 0xF0));
    auto rectangle = doc.MakeObject();
    rectangle->CreateRectangle(20, 30, 120, 90);
    rectangle->SetFillColor(lumi::RGB(0xFF, 0, 0));
    rectangle->Render();
    doc.Objects().push_back(std::move(rectangle));
  }
  lumi::RecordingHost host;
  lumi::MemorySettings settings;
  lumi::CTextureBank bank;
  lumi::CPlenivorDoc doc{host, settings, bank};
};

// Runs `act` on the Export dialog as soon as it shows; `seen` tells whether it did.
void OnDialog(bool& seen, std::function<void(CExportDlg&)> act) {
  QTimer::singleShot(0, [&seen, act] {
    if (auto* dialog = qobject_cast<CExportDlg*>(QApplication::activeModalWidget())) {
      seen = true;
      act(*dialog);
      if (dialog->isVisible()) dialog->reject();
    }
  });
}

}  // namespace

class ExportCommandTest : public QObject {
  Q_OBJECT
 private slots:
  void theDialogOpensOnTheCropRegionAndWritesAnEditableJpg() {
    SampleDocument sample;
    sample.doc.SetCropRect({10, 20, 110, 70});
    sample.doc.SetCropActive(true);
    QTemporaryDir temp, out;
    const QString target = out.filePath(QStringLiteral("picture.jpg"));
    bool seen = false;
    QString width, height;
    OnDialog(seen, [&](CExportDlg& dialog) {
      width = dialog.WidthEdit()->text();
      height = dialog.HeightEdit()->text();
      dialog.FormatCombo()->setCurrentIndex(3);  // "Editable E-JPG"
      dialog.ExportButton()->click();
    });
    const bool exported = lumi::app::RunExportCommand(
        nullptr, sample.doc, sample.host, sample.settings, temp.path().toStdString(),
        [&](const lumi::SaveDialogRequest&) {
          return std::optional<std::filesystem::path>(target.toStdString());
        });
    QVERIFY(seen);
    QVERIFY(exported);
    QCOMPARE(width, QStringLiteral("100"));
    QCOMPARE(height, QStringLiteral("50"));
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("\xFF\xD8"));
    // The project follows the JPEG data: the file ends in the tag and the block's length.
    QVERIFY(bytes.size() > 14);
    QCOMPARE(bytes.mid(bytes.size() - 14, 10), QByteArray("STANDALONE"));
    std::uint32_t block = 0;
    std::memcpy(&block, bytes.constData() + bytes.size() - 4, 4);
    QVERIFY(block > 0 && block < std::uint32_t(bytes.size()));
    QVERIFY(sample.host.Messages().empty());
  }

  void aCanvasThatCannotBeComposedIsReportedWithoutADialog() {
    SampleDocument sample;
    sample.doc.SetCropRect({10, 20, 10, 20});  // an empty crop region
    sample.doc.SetCropActive(true);
    QTemporaryDir temp;
    bool seen = false;
    OnDialog(seen, [](CExportDlg&) {});
    QVERIFY(!lumi::app::RunExportCommand(nullptr, sample.doc, sample.host, sample.settings,
                                         temp.path().toStdString()));
    QCoreApplication::processEvents();
    QVERIFY(!seen);
    QCOMPARE(sample.host.Messages().size(), std::size_t(1));
    QVERIFY(!QFile::exists(temp.filePath(QStringLiteral("export.tmp"))));
  }
};

QTEST_MAIN(ExportCommandTest)
#include "export_command_test.moc"
