#pragma once
// CRoundSliderCtrl: a round angle dial. Angle 0 is at the top and values grow clockwise
// from the zero angle; mirrored, they grow counter-clockwise. The value shows as text in
// the middle unless hidden. The control is round: its mask is the circle inscribed in
// its smaller side.
//
// Reports as CColorSlider, except that a drag that changed the value ends with
// `kThumbPosition` and then `kEndTrack` (`changeFinished`).
#include <QFont>
#include <QWidget>

#include "ui/round_slider_geometry.h"
#include "ui/value_steps.h"

namespace lumi::app {

class CRoundSliderCtrl : public QWidget {
  Q_OBJECT

 public:
  explicit CRoundSliderCtrl(QWidget* parent = nullptr);

  // The range starts 0..359 with line step 1 and page step 10.
  void SetRange(int minimum, int maximum);
  void SetLineStep(int step) { line_step_ = step; }
  void SetPageStep(int step) { page_step_ = step; }
  void SetPosition(int position);  // clamped; repaints; no report
  // Sets the position as a user's change would (assistive tools use it): reports the
  // change and its end when the value moved.
  void SetPositionAndReport(int position);
  void SetZeroAngle(int degrees);
  void SetMirrored(bool on);
  void SetKnobRadius(int radius);
  // The text is the position put into the format: "%ld" or "%d" stand for the number,
  // "%%" for a percent sign ("%ld°" shows "90°").
  void SetTextFormat(const QString& format);
  void SetHideText(bool hide);

  int Minimum() const { return range_.minimum; }
  int Maximum() const { return range_.maximum; }
  int Position() const { return position_; }
  int ZeroAngle() const { return range_.zero_angle; }
  bool IsMirrored() const { return range_.mirrored; }
  int KnobRadius() const { return knob_radius_; }
  QString TextFormat() const { return format_; }
  bool IsTextHidden() const { return hide_text_; }
  QString Text() const;
  // The dial's centre and radius for the current size.
  DialGeometry Geometry() const { return DialGeometryFor(width(), height(), knob_radius_); }

  QSize sizeHint() const override { return {44, 44}; }

 signals:
  void reported(lumi::SliderReport code, int position);
  void valueChanging(int position);
  void changeFinished(int position);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  bool TrackPointer(QPoint p);
  void Report(lumi::SliderReport code);

  DialRange range_{0, 359, 0, false};
  int position_ = 0;
  int line_step_ = 1;
  int page_step_ = 10;
  int knob_radius_ = 5;
  QString format_ = QStringLiteral("%ld");
  bool hide_text_ = false;
  QFont font_;
  bool dragging_ = false;
  bool changed_during_drag_ = false;
};

}  // namespace lumi::app
