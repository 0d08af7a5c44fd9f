#pragma once
// The arrangement of the main window's docks: the four attribute bars on the right
// (placed from their saved "Float"/"Top"/"Left" values, docked ones stacked colour,
// transparency, bevel, effect), their fix-up a second after start, the floating panels
// with their saved "Status", and the whole window layout saved at close and restored at
// the next start.
#include <QObject>
#include <QPointer>
#include <QString>
#include <array>

#include "ui/bar_placement.h"

class QDockWidget;
class QMainWindow;
class QWidget;

namespace lumi {
class Settings;
}

namespace lumi::app {

class ViewToggles;

class DockLayout : public QObject {
  Q_OBJECT
 public:
  // Creates the attribute bars (empty until their controls are set) and places them.
  DockLayout(QMainWindow& window, Settings& settings, ViewToggles& toggles);

  QDockWidget* AttributeDock(AttributeBar which) const { return attribute_[static_cast<int>(which)]; }
  // Puts the bar's controls in, replacing the "empty" mark.
  void SetAttributeBarContent(AttributeBar which, QWidget* content);

  // A floating panel (Layers, Style Library, Object Library, ...) shown and hidden by
  // View toggle `view_id`; its "Status" in `section` says whether it starts shown.
  // Panels added after the saved layout was restored get their saved place too.
  void AddPanel(int view_id, QDockWidget* panel, const QString& section, bool shown_by_default = false);

  // The bars' saved places: floating ones at their clamped position, docked ones
  // stacked on the right.
  void PlaceAttributeBars();
  // One second after start: a docked attribute bar hanging below the screen floats.
  void FixUpAttributeBars();
  // At close: "Float", "Top", "Left" of each attribute bar, "Frame" placement and the
  // window layout.
  void SaveLayout();
  // At start: the window placement and dock layout saved by SaveLayout, when there is one.
  void RestoreLayout();

 private:
  QDockWidget* MakeAttributeDock(const AttributeBarInfo& info);
  QPoint ClampedToScreen(QPoint saved) const;

  QMainWindow& window_;
  Settings& settings_;
  ViewToggles& toggles_;
  std::array<QPointer<QDockWidget>, kAttributeBarCount> attribute_{};
  bool restored_ = false;
};

// The mark an attribute bar or panel shows until its controls are built.
QWidget* MakeEmptyBarMark(const QString& title, QWidget* parent);

}  // namespace lumi::app
