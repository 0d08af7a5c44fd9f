#pragma once
// The View menu's show/hide commands: one checkable action per bar or panel, keyed by
// its command id. A toggle exists before its bar does (disabled, so the toolbars can
// show it); binding a bar enables it. A panel toggle with a settings section writes
// "Status" there whenever the command shows or hides it.
#include <QObject>
#include <QPointer>
#include <QString>
#include <map>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace lumi {
class Settings;
}

namespace lumi::app {

// The View menu's toggle commands.
enum ViewCommand : int {
  kViewToolbar = 59392,
  kViewStatusBar = 59393,
  kViewTools = 32776,
  kViewQuickTools = 32806,
  kViewObjectTools = 32877,
  kViewColorBar = 32802,
  kViewTransparencyBar = 32803,
  kViewBevelBar = 32804,
  kViewEffectsBar = 32805,
  kViewMultimedia = 32850,
  kViewStyles = 32852,
  kViewObjectLibrary = 32868,
  kViewLayers = 32863,
  kViewScreenCapture = 32878,
};

class ViewToggles : public QObject {
  Q_OBJECT
 public:
  // Creates every toggle of the View menu, disabled, in menu order.
  ViewToggles(QWidget* window, Settings& settings);

  // The toggle of a command id; null for an id that is not a View toggle.
  QAction* Find(int id) const;
  // `bar` is shown and hidden by toggle `id` from now on; `section` (may be empty) gets
  // "Status" written when the command or the bar's own close button changes it.
  void Bind(int id, QWidget* bar, const QString& section = {});
  QWidget* Bar(int id) const;
  // Adds every toggle to `menu` in its order.
  void AddToMenu(QMenu* menu) const;
  // The check marks follow the bars.
  void RefreshChecks();

 signals:
  // Toggle `id` showed or hid its bar.
  void toggled(int id, bool visible);

 private:
  struct Toggle {
    int id;
    QAction* action;
    QPointer<QWidget> bar;
    QString section;
  };
  Toggle* FindToggle(int id);
  void Apply(Toggle& toggle, bool visible);

  QWidget* window_;
  Settings& settings_;
  std::vector<Toggle> toggles_;
};

}  // namespace lumi::app
