#pragma once
// The "Multimedia Export" dialog: the target of the button export chosen from a drop-down
// list, with a read-only explanation of the selected target.
#include <QDialog>

#include "export/multi_state_compose.h"

class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace lumi::app {

class CMultimediaExportDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CMultimediaExportDlg(QWidget* parent = nullptr);

  // The selected entry of the list.
  MultiStateTarget Target() const;

  QComboBox* TargetList() const { return targets_; }
  QPlainTextEdit* Explanation() const { return text_; }
  QPushButton* ExportButton() const { return export_button_; }
  QPushButton* CancelButton() const { return cancel_button_; }

 private:
  void ShowExplanation();

  QComboBox* targets_ = nullptr;
  QPlainTextEdit* text_ = nullptr;
  QPushButton* export_button_ = nullptr;
  QPushButton* cancel_button_ = nullptr;
};

}  // namespace lumi::app
