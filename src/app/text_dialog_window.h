#pragma once
// The "Text" dialog: the text, its font (every outline font the program can draw, each
// shown with its name and a sample in its face), size, bold, italic, alignment and the
// character map. It only edits the values; the checks around it (the missing-font notice,
// the size limits that bring it back) are the object's.
#include <QDialog>

#include <functional>
#include <string>
#include <vector>

#include "objects/text_dialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace lumi::app {

class TextDialogWindow : public QDialog {
  Q_OBJECT
 public:
  // `families`: the fonts offered, in order.
  explicit TextDialogWindow(const std::vector<std::string>& families, QWidget* parent = nullptr);

  void SetValues(const TextDialogValues& values);
  // The values shown, over `base` (whose font keeps its other fields).
  TextDialogValues Values(const TextDialogValues& base) const;

  // What the character-map button asks: the character chosen in the selected family
  // (UTF-8), empty for none. The program's own dialog unless replaced.
  using AskCharacter = std::function<std::string(const QString& family)>;
  void SetAskCharacter(AskCharacter ask) { ask_character_ = std::move(ask); }

  QPlainTextEdit* TextEdit() const { return text_; }
  QComboBox* FontList() const { return fonts_; }
  QLineEdit* SizeEdit() const { return size_; }
  QPushButton* CharacterMapButton() const { return char_map_; }

 private:
  void InsertFromCharacterMap();

  QPlainTextEdit* text_ = nullptr;
  QComboBox* fonts_ = nullptr;
  QLineEdit* size_ = nullptr;
  QCheckBox* bold_ = nullptr;
  QCheckBox* italic_ = nullptr;
  QRadioButton* align_[3] = {};
  QPushButton* char_map_ = nullptr;
  AskCharacter ask_character_;
};

// The dialog as the core's TextDialog: each Run opens a new window on the values.
class QtTextDialog final : public TextDialog {
 public:
  explicit QtTextDialog(QWidget* parent) : parent_(parent) {}
  bool Run(TextDialogValues& values) override;

 private:
  QWidget* parent_;
};

// The families of the installed outline fonts, as the text renderer finds them.
std::vector<std::string> TextFontFamilies();

}  // namespace lumi::app
