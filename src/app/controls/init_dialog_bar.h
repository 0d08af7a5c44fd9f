#pragma once
// CInitDialogBar: the base of the attribute bars. Creating a bar builds its controls and,
// only when that worked, initialises them: the default initialisation fills the controls
// from the bar's members. A bar overrides OnInitDialogBar, calls this one first and then
// sets up its own controls (ranges, flags, lists).
#include <QWidget>

namespace lumi::app {

class CInitDialogBar : public QWidget {
  Q_OBJECT

 public:
  explicit CInitDialogBar(QWidget* parent = nullptr) : QWidget(parent) {}

  // Builds the controls, then initialises them when building succeeded. False when either
  // step failed.
  bool Create();

 protected:
  // Makes the bar's controls in their places; false when they could not be made.
  virtual bool BuildControls() = 0;
  // Fills the controls from the members and reports success.
  virtual bool OnInitDialogBar();
  // Copies the bar's members into its controls; nothing by default.
  virtual void UpdateControlsFromMembers() {}
};

}  // namespace lumi::app
