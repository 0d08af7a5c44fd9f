#pragma once
// The "Document Properties" and "General Settings" dialogs, and the window's answers to
// the canvas and colour commands' dialogs (QtCommandDialogs). The rules (limits,
// messages, what OK writes) are core's canvas_commands; these windows show the values
// and check them at OK through the same calls.
#include <QDialog>

#include "edit/canvas_commands.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lumi {
class Host;
}

namespace lumi::app {

class CColorPicker;

class DocumentPropertiesDialog : public QDialog {
  Q_OBJECT
 public:
  DocumentPropertiesDialog(CPlenivorDoc& doc, const DocumentPropertiesValues& values, Host& host,
                           QWidget* parent = nullptr);
  // After OK: the size and the picker's colour.
  const DocumentPropertiesValues& Values() const { return values_; }

  QLineEdit* WidthEdit() const { return width_; }
  QLineEdit* HeightEdit() const { return height_; }
  CColorPicker* Picker() const { return picker_; }
  QLabel* PreloadedCount() const { return preloaded_; }
  QPushButton* RemoveUnusedButton() const { return remove_unused_; }

  void accept() override;

 private:
  CPlenivorDoc& doc_;
  Host& host_;
  DocumentPropertiesValues values_;
  QLineEdit* width_;
  QLineEdit* height_;
  CColorPicker* picker_;
  QLabel* preloaded_;
  QPushButton* remove_unused_;
};

class GeneralSettingsDialog : public QDialog {
  Q_OBJECT
 public:
  GeneralSettingsDialog(const GeneralSettingsValues& values, Host& host, QWidget* parent = nullptr);
  const GeneralSettingsValues& Values() const { return values_; }

  QCheckBox* AlwaysPortable() const { return always_portable_; }
  QCheckBox* Portable() const { return portable_; }
  QLineEdit* DefaultWidth() const { return width_; }
  QLineEdit* DefaultHeight() const { return height_; }
  QLineEdit* Backup() const { return backup_; }
  QLineEdit* Undo() const { return undo_; }

  void accept() override;

 private:
  Host& host_;
  GeneralSettingsValues values_;
  QCheckBox* always_portable_;
  QCheckBox* portable_;
  QLineEdit* width_;
  QLineEdit* height_;
  QLineEdit* backup_;
  QLineEdit* undo_;
};

// Every command dialog as a modal window over `parent`.
class QtCommandDialogs final : public CommandDialogs {
 public:
  QtCommandDialogs(QWidget* parent, Host& host) : parent_(parent), host_(host) {}
  bool DocumentProperties(CPlenivorDoc& doc, DocumentPropertiesValues& values) override;
  bool GeneralSettings(GeneralSettingsValues& values) override;
  bool ColourTweak(const CDIBSection& image, ColourTweakChoice& choice) override;
  bool ShiftColour(ShiftColourChoice& choice) override;

 private:
  QWidget* parent_;
  Host& host_;
};

// An integer edit's value, or nothing after telling the user it is not one.
std::optional<int> ReadIntegerEdit(const QLineEdit& edit, Host& host);

}  // namespace lumi::app
