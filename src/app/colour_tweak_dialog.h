#pragma once
// "Bitmap Color Tweak": one filter of the catalogue with up to eight coloured sliders and
// a preview of a reduced copy of the image. The preview is filtered again when a slider
// is released, when "Random" sets all sliders and when another filter is chosen; with
// "Preview while dragging" checked also during a drag, as long as one run of the filter
// on the preview stays quick enough not to hold the slider back. "Apply" closes with the
// choice; the caller filters the full image.
#include <QDialog>
#include <array>

#include "edit/command_dialogs.h"
#include "effects/filter_factory.h"
#include "image/dib_section.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace lumi::app {

class CColorSlider;

class ColourTweakDialog : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kFrameWidth = 250;
  static constexpr int kFrameHeight = 200;
  // The longest preview run that still follows a drag.
  static constexpr qint64 kLivePreviewLimitMs = 40;

  // `image` is a 32-bit bitmap; the dialog reads it only.
  explicit ColourTweakDialog(const CDIBSection& image, QWidget* parent = nullptr);
  ~ColourTweakDialog() override;

  // The filter and the eight slider positions.
  ColourTweakChoice Choice() const;

  QComboBox* FilterList() const { return filters_; }
  CColorSlider* Slider(int row) const { return sliders_[static_cast<std::size_t>(row)]; }
  QLabel* SliderLabel(int row) const { return labels_[static_cast<std::size_t>(row)]; }
  QPushButton* RandomButton() const { return random_; }
  QPushButton* ApplyButton() const { return apply_; }
  QCheckBox* LivePreview() const { return live_; }
  // The preview as shown (filtered) and its size.
  const CDIBSection& ShownPreview() const { return shown_; }
  QWidget* PreviewFrame() const { return frame_; }
  // How many times the preview was filtered (each slider release, "Random", a new filter).
  int PreviewRuns() const { return preview_runs_; }

  // The "Random" button.
  void Randomise();

 private:
  void SelectFilter(int index);
  // The sliders' positions become the parameters and the preview is filtered again.
  void UpdatePreview();

  CDIBSection clean_;
  CDIBSection shown_;
  CFilterFactory factory_;
  QComboBox* filters_;
  std::array<CColorSlider*, 8> sliders_{};
  std::array<QLabel*, 8> labels_{};
  QWidget* frame_;
  QPushButton* random_;
  QPushButton* apply_;
  QCheckBox* live_;
  int preview_runs_ = 0;
  qint64 last_run_ms_ = 0;
};

}  // namespace lumi::app
