#pragma once
// The "Quick Tools" bar: the context panel the tools configure. Corner controls (a
// caption and two value sliders with their labels), the node panel of the shape tool and
// the brush panel of the paint tools; the tools read the two value sliders back.
#include <QWidget>

#include "edit/quick_tools.h"

class QLabel;

namespace lumi {
class ToolMachine;
class PropertyBarSet;
}  // namespace lumi

namespace lumi::app {

class COXBitmapButton;
class CColorSlider;

class QuickToolsBar final : public QWidget, public QuickTools {
  Q_OBJECT
 public:
  static constexpr int kHeight = 32;

  // `bars` keeps the brush panel's values for the paint tools.
  QuickToolsBar(PropertyBarSet& bars, QWidget* parent = nullptr);
  // The view whose node commands the node panel runs (null: none, everything hidden).
  void SetView(ToolMachine* view);

  // What the tools ask of the bar.
  void Configure(const CDrawObject* selected, const QuickToolsRequest& request) override;
  int FirstValue() const override;
  int SecondValue() const override;

  // The node panel's buttons follow the view's selected node.
  void RefreshNodePanel();

 signals:
  // A node command or the width changed the drawing.
  void changed();

 private:
  void SetMode(int variant, int value);
  void ShowValues(const QString& caption, int first, int second);
  void HideValues();
  COXBitmapButton* AddNodeButton(const char* icon, const QString& tip);
  void RunNodeCommand(void (*command)(ToolMachine&));

  PropertyBarSet& bars_;
  ToolMachine* view_ = nullptr;
  QWidget* corner_controls_;
  QLabel* caption_;
  CColorSlider* first_;
  CColorSlider* second_;
  QLabel* few_label_;
  QLabel* many_label_;
  QWidget* node_panel_;
  COXBitmapButton *remove_, *smooth_, *sharp_, *break_, *close_;
  CColorSlider* line_width_;
  bool node_width_shown_ = false;
  QWidget* brush_panel_;
  CColorSlider* brush_width_;
  CColorSlider* brush_intensity_;
};

}  // namespace lumi::app
