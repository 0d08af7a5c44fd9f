// The "Text" dialog with its character map, run by the objects as the text tool and
// "Edit Text" run it, and the "Load Image" dialog's preview.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QtTest>

#include <deque>
#include <functional>

#include "base/host.h"
#include "char_map_dialog.h"
#include "image/pixwerk.h"
#include "load_image_dialog.h"
#include "objects/draw_object.h"
#include "text_dialog_window.h"

using lumi::app::CharMapDialog;
using lumi::app::LoadImageDialog;
using lumi::app::TextDialogWindow;

namespace {

// Plays one action on each text dialog that opens, in order, and answers Cancel to any
// dialog past the list.
class DialogPlayer {
 public:
  using Action = std::function<void(TextDialogWindow&)>;
  explicit DialogPlayer(std::deque<Action> actions) : actions_(std::move(actions)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start(20);
  }
  int Opened() const { return opened_; }

 private:
  void Poll() {
    auto* dialog = qobject_cast<TextDialogWindow*>(QApplication::activeModalWidget());
    // A new window may sit where the last one was: each is marked once played.
    if (!dialog || dialog->property("played").toBool()) return;
    dialog->setProperty("played", true);
    ++opened_;
    if (actions_.empty()) {
      dialog->reject();
      return;
    }
    Action action = std::move(actions_.front());
    actions_.pop_front();
    action(*dialog);
  }
  QTimer timer_;
  std::deque<Action> actions_;
  int opened_ = 0;
};

void Answer(TextDialogWindow& d, const QString& text, const QString& size) {
  d.TextEdit()->setPlainText(text);
  d.SizeEdit()->setText(size);
  d.accept();
}

}  // namespace

class TextDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void FontListHoldsTheScalableOutlineFontsDrawnFortyPixelsHigh() {
    const std::vector<std::string> families = lumi::app::TextFontFamilies();
    QVERIFY(!families.empty());
    TextDialogWindow window(families);
    QCOMPARE(window.FontList()->count(), static_cast<int>(families.size()));
    for (int i = 0; i < window.FontList()->count(); ++i)
      QVERIFY2(QFontDatabase::isScalable(window.FontList()->itemText(i)), qPrintable(window.FontList()->itemText(i)));
    QCOMPARE(window.FontList()->view()->sizeHintForRow(0), 40);
  }

  void SizeMessagesBringTheDialogBackUntilTheSizeIsAccepted() {
    lumi::RecordingHost host;
    lumi::CDrawObject object(host);
    lumi::app::QtTextDialog dialog(nullptr);
    DialogPlayer player({
        [](TextDialogWindow& d) { Answer(d, QStringLiteral("Big"), QStringLiteral("4000")); },
        [](TextDialogWindow& d) {
          QCOMPARE(d.TextEdit()->toPlainText(), QStringLiteral("Big"));  // the user's values come back
          Answer(d, QStringLiteral("Big"), QStringLiteral("0.5"));
        },
        [](TextDialogWindow& d) { Answer(d, QStringLiteral("Hi"), QStringLiteral("30")); },
    });
    QCOMPARE(object.CreateText(10, 20, "", dialog), 1);
    QCOMPARE(player.Opened(), 3);
    QCOMPARE(object.GetText(), std::string("Hi"));
    QCOMPARE(object.GetLineHeight(), 30.0);
    QStringList messages;
    for (const std::string& line : host.Log())
      if (line.find("font size smaller") != std::string::npos || line.find("bigger than 1") != std::string::npos)
        messages << QString::fromStdString(line);
    QCOMPARE(messages.size(), 2);
  }

  void CancelChangesNothing() {
    lumi::RecordingHost host;
    lumi::CDrawObject object(host);
    lumi::app::QtTextDialog dialog(nullptr);
    {
      DialogPlayer player({[](TextDialogWindow& d) { Answer(d, QStringLiteral("First"), QStringLiteral("25")); }});
      QCOMPARE(object.CreateText(10, 20, "", dialog), 1);
    }
    const lumi::Rect box = object.GetRect();
    DialogPlayer player({[](TextDialogWindow& d) {
      d.TextEdit()->setPlainText(QStringLiteral("Changed"));
      d.SizeEdit()->setText(QStringLiteral("90"));
      d.reject();
    }});
    QCOMPARE(object.EditText(dialog), 0);
    QCOMPARE(object.GetText(), std::string("First"));
    QCOMPARE(object.GetLineHeight(), 25.0);
    QCOMPARE(object.GetRect(), box);
  }

  void CharacterFromTheMapGoesInAtTheCaret() {
    TextDialogWindow window(lumi::app::TextFontFamilies());
    window.TextEdit()->setPlainText(QStringLiteral("ac"));
    QTextCursor caret = window.TextEdit()->textCursor();
    caret.setPosition(1);
    window.TextEdit()->setTextCursor(caret);
    QTimer::singleShot(50, [] {
      auto* map = qobject_cast<CharMapDialog*>(QApplication::activeModalWidget());
      QVERIFY(map);
      // 'b' is code 98: cell 66 of the grid, column 20 of row 2.
      QTest::mouseClick(map->Grid(), Qt::LeftButton, {}, QPoint(20 * 26 + 13, 2 * 26 + 13));
      QCOMPARE(map->Result(), std::string("b"));
      map->ZoomButton(2)->click();
      map->accept();
    });
    window.CharacterMapButton()->click();
    QCOMPARE(window.TextEdit()->toPlainText(), QStringLiteral("abc"));
  }

  void ImagePreviewShowsThePictureScaledAndClearsWhenSwitchedOff() {
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("wide.png"));
    const std::vector<std::uint8_t> rgb(3 * 400 * 100, 0x30);
    QVERIFY(lumi::PxSavePNG(png.toStdString(), rgb.data(), 400, 100));
    LoadImageDialog dialog(dir.path());
    dialog.Pane()->setFixedSize(202, 102);  // an inset of 200 x 100
    emit dialog.currentChanged(png);
    QCOMPARE(dialog.Pane()->Picture().size(), QSize(400, 100));
    QCOMPARE(dialog.Pane()->ShownRect(), QRect(1, 25, 200, 50));
    QVERIFY(dialog.InfoLabel()->text().startsWith(QStringLiteral("400 x 100 pixels")));
    dialog.PreviewBox()->setChecked(false);
    QVERIFY(dialog.Pane()->Picture().isNull());
    QVERIFY(dialog.InfoLabel()->text().isEmpty());
    dialog.PreviewBox()->setChecked(true);
    // Switched on again, it reads the selection again.
    QCOMPARE(dialog.Pane()->Picture().size(), QSize(400, 100));
    emit dialog.currentChanged(dir.filePath(QStringLiteral("missing.png")));
    QVERIFY(dialog.Pane()->Picture().isNull());
  }
};

QTEST_MAIN(TextDialogTest)
#include "text_dialog_test.moc"
