#pragma once
// The "Export" dialog: the choices of export_choices.h on controls, a live preview of the
// file they give with its size, and the export itself. Each change of a control that
// affects the file runs a new preview through ExportImage; "Export" writes the file the
// user chooses and closes the dialog.
#include <array>

#include <QDialog>

#include "export/export_choices.h"
#include "export/export_image.h"
#include "image/pixwerk.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

namespace lumi::app {

class CExportPreview;

class CExportDlg : public QDialog {
  Q_OBJECT
 public:
  // `source` is the composed canvas and must outlive the dialog. The context gives the
  // settings, the temporary folder, the save dialog and the editable JPG's appender.
  // The dialog opens with the stored choices and shows their preview at once.
  CExportDlg(const RgbImage& source, ExportContext context, QWidget* parent = nullptr);

  // The choices the controls hold now (what the next preview or export uses).
  ExportChoices ReadControls() const;
  // The outcome of the latest preview or export.
  const ExportResult& LastResult() const { return last_result_; }

  // The controls, for the window's own use and for tests.
  QComboBox* FormatCombo() const { return format_; }
  QRadioButton* ColourRadio(int mode) const { return colour_radios_[mode]; }
  QLineEdit* CustomCountEdit() const { return custom_count_; }
  QRadioButton* DitherRadio(int mode) const { return dither_radios_[mode]; }
  QLineEdit* WidthEdit() const { return width_; }
  QLineEdit* HeightEdit() const { return height_; }
  QComboBox* ScaleCombo() const { return scale_; }
  QCheckBox* AspectCheck() const { return aspect_; }
  QCheckBox* ProgressiveCheck() const { return progressive_; }
  QCheckBox* GreyscaleCheck() const { return greyscale_; }
  QComboBox* KernelCombo() const { return kernel_; }
  QSlider* QualitySlider() const { return quality_; }
  QLabel* QualityLabel() const { return quality_label_; }
  QSlider* SharpenSlider() const { return sharpen_; }
  QLabel* CustomCountLabel() const { return custom_count_label_; }
  QLabel* DitherLabel() const { return dither_label_; }
  QLabel* SizeLabel() const { return size_label_; }
  CExportPreview* Preview() const { return preview_; }
  QPushButton* PreviewButton() const { return preview_button_; }
  QPushButton* ExportButton() const { return export_button_; }
  QPushButton* CancelButton() const { return cancel_button_; }

 private:
  void BuildControls();
  void FillControls(const ExportChoices& choices);
  void ConnectControls();

  // The reactions to the controls.
  void FormatChanged();
  void ColourModeChanged();
  void AspectChanged();
  void WidthChanged();
  void ScaleChanged();
  void SliderReleased();
  void UpdateDitherEnabled();
  void RunPreview();
  void RunExport();

  const RgbImage& source_;
  ExportContext context_;
  ExportResult last_result_;

  QComboBox* format_ = nullptr;
  std::array<QRadioButton*, 3> colour_radios_{};
  QButtonGroup* colour_group_ = nullptr;
  QLineEdit* custom_count_ = nullptr;
  QLabel* custom_count_label_ = nullptr;
  QLabel* dither_label_ = nullptr;
  std::array<QRadioButton*, 3> dither_radios_{};
  QButtonGroup* dither_group_ = nullptr;
  QLineEdit* width_ = nullptr;
  QLineEdit* height_ = nullptr;
  QComboBox* scale_ = nullptr;
  QCheckBox* aspect_ = nullptr;
  QCheckBox* progressive_ = nullptr;
  QCheckBox* greyscale_ = nullptr;
  QComboBox* kernel_ = nullptr;
  QLabel* quality_label_ = nullptr;
  QSlider* quality_ = nullptr;
  QSlider* sharpen_ = nullptr;
  QLabel* size_label_ = nullptr;
  CExportPreview* preview_ = nullptr;
  QPushButton* preview_button_ = nullptr;
  QPushButton* export_button_ = nullptr;
  QPushButton* cancel_button_ = nullptr;
};

}  // namespace lumi::app
