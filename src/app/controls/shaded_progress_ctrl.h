#pragma once
// CShadedProgressCtrl: a progress bar drawn as a shaded tube in tints of one base colour
// (lighter towards the middle, darker towards the edges), closed at its far end by two
// shadow columns. Range and value are those of QProgressBar; the step is kept here.
// The percentage text is drawn over the tube only when the owner turns it on
// (setTextVisible(true)); it starts hidden.
#include <QProgressBar>

#include "base/colour.h"
#include "ui/shaded_progress.h"

namespace lumi::app {

class CShadedProgressCtrl : public QProgressBar {
  Q_OBJECT

 public:
  // The base colour starts as the palette's highlight colour.
  explicit CShadedProgressCtrl(QWidget* parent = nullptr);

  // Recomputes the tints and repaints.
  void SetColour(COLORREF colour);
  COLORREF Colour() const { return colour_; }
  const ProgressPalette& Palette() const { return tints_; }

  void SetStep(int step) { step_ = step; }
  int Step() const { return step_; }
  // Advances by the step, wrapping to the minimum past the maximum as a platform bar does.
  void StepIt();

 protected:
  void paintEvent(QPaintEvent* event) override;
  // A new palette (another desktop theme) gives new shadow tints, and a new base colour
  // while the base is still the palette's highlight.
  void changeEvent(QEvent* event) override;

 private:
  COLORREF colour_;
  bool follows_highlight_ = true;
  ProgressPalette tints_;
  int step_ = 10;
};

}  // namespace lumi::app
