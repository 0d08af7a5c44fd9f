#pragma once
// CColorPicker: two colour swatches, a gene button and an HLS colour field. A left press or
// drag on the colour field picks the first colour, a right one the second. A click on the
// first swatch opens the colour dialog, a click on the second swatch swaps the colours,
// a right press on the first swatch copies the first colour into the second and a right
// release on the second swatch does the same. In single-colour mode
// only the first colour exists.
//
// Every release of the left or right button reports `changeFinished` (code kEndTrack);
// when the click was on the gene button, `GenePressed()` is true until the next press.
#include <QCursor>
#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>

#include "base/colour.h"
#include "ui/color_picker_layout.h"
#include "ui/value_steps.h"

namespace lumi::app {

class CColorPicker : public QWidget {
  Q_OBJECT

 public:
  // Asks the user for a colour starting at `initial`; nothing when cancelled.
  using ColourDialog = std::function<std::optional<COLORREF>(COLORREF initial, QWidget* parent)>;

  explicit CColorPicker(QWidget* parent = nullptr);

  COLORREF FirstColour() const { return first_; }
  COLORREF SecondColour() const { return second_; }
  void SetFirstColour(COLORREF colour);
  void SetSecondColour(COLORREF colour);
  // Sets both colours as a user's change would (assistive tools use it) and reports the end.
  void SetColoursAndReport(COLORREF first, COLORREF second);
  bool IsSingleColour() const { return single_; }
  void SetSingleColour(bool on);
  // 0 none, 1 gene active, 2 bitmap tweak.
  int GenePictureIndex() const { return gene_picture_; }
  void SetGenePictureIndex(int index);
  bool GenePressed() const { return gene_pressed_; }

  // The dialog the first swatch opens; QColorDialog unless a test or owner replaces it.
  void SetColourDialog(ColourDialog dialog) { colour_dialog_ = std::move(dialog); }

  QSize sizeHint() const override { return {200, 50}; }

 signals:
  void reported(lumi::SliderReport code, int position);
  void changeFinished();
  // A pick, copy, swap or dialog changed a colour (before the end report).
  void coloursChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  enum class Drag { kNone, kFirst, kSecond };
  PickerZone ZoneAt(QPoint p) const;
  void PickAt(QPoint p);
  void UpdateCursor(QPoint p);
  void ColoursChanged();
  void ReportEnd();

  COLORREF first_ = RGB(255, 255, 255);
  COLORREF second_ = RGB(0, 0, 0);
  bool single_ = false;
  int gene_picture_ = 0;
  bool gene_pressed_ = false;
  bool gene_down_ = false;
  Drag drag_ = Drag::kNone;
  QImage gene_pictures_;  // three 15-pixel pictures side by side
  ColourDialog colour_dialog_;
};

}  // namespace lumi::app
