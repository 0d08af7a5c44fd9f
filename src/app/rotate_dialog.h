#pragma once
// "Rotate Object": an "Angle" in whole degrees and eight buttons that put a preset into it.
#include <QDialog>

#include <optional>

class QLineEdit;

namespace lumi::app {

class RotateDialog : public QDialog {
  Q_OBJECT
 public:
  RotateDialog(int angle, QWidget* parent = nullptr);
  QLineEdit* AngleEdit() const { return angle_; }
  // The angle typed, when it is a whole number.
  std::optional<int> Angle() const;

  // Opens the dialog on `angle`: the typed angle on OK, nullopt on Cancel.
  static std::optional<int> Ask(int angle, QWidget* parent);

 private:
  QLineEdit* angle_ = nullptr;
};

}  // namespace lumi::app
