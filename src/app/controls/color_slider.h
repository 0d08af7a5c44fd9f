#pragma once
// CColorSlider: a horizontal slider whose track shows its base colour scaled by the
// position, with a round shaded knob. It keeps its own range, position and steps.
//
// Reports: while a drag changes the value, `reported(kThumbTrack)` and `valueChanging`;
// keys report their step code (line or page up/down) and `valueChanging`; the end of a
// drag that changed the value, or the release of a step key, reports `kEndTrack` and
// `changeFinished`. Owners apply the value at `changeFinished`. A press and release that
// leave the value as it was report nothing.
#include <QWidget>

#include "base/colour.h"
#include "ui/value_steps.h"

namespace lumi::app {

class CColorSlider : public QWidget {
  Q_OBJECT

 public:
  explicit CColorSlider(QWidget* parent = nullptr);

  // Set once by the owner, normally at initialisation.
  void SetRange(int minimum, int maximum);
  void SetLineStep(int step) { line_step_ = step; }
  void SetPageStep(int step) { page_step_ = step; }
  void SetKnobRadius(int radius);
  // 0: knob RGB(192,128,128); 1: the base colour; other values: the button face.
  void SetKnobColourMode(int mode);
  void SetInverted(bool on);
  void SetCentred(bool on);
  void SetShowValue(bool on) { show_value_ = on; }

  // Clamped to the range; repaints at once. Sends no report.
  void SetPosition(int position);
  // Sets the position as a user's change would (assistive tools use it): reports the
  // change and its end when the value moved.
  void SetPositionAndReport(int position);
  void SetBaseColour(COLORREF colour);

  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }
  int Position() const { return position_; }
  int LineStep() const { return line_step_; }
  int PageStep() const { return page_step_; }
  COLORREF BaseColour() const { return base_colour_; }
  bool IsDragging() const { return dragging_; }

  QSize sizeHint() const override { return {120, 22}; }

 signals:
  void reported(lumi::SliderReport code, int position);
  void valueChanging(int position);
  void changeFinished(int position);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  bool TrackPointer(int x);  // true when the value under x changed the position
  void Report(lumi::SliderReport code);

  int minimum_ = 0;
  int maximum_ = 255;
  int position_ = 0;
  int line_step_ = 1;
  int page_step_ = 10;
  int knob_radius_ = 6;
  COLORREF base_colour_ = RGB(255, 0, 0);
  int knob_colour_mode_ = 0;
  bool inverted_ = false;
  bool show_value_ = false;
  bool centred_ = false;
  bool dragging_ = false;
  bool changed_during_drag_ = false;
};

}  // namespace lumi::app
