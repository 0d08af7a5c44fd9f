#include "frame/view_toggles.h"

#include <QAction>
#include <QDockWidget>
#include <QEvent>
#include <QMenu>
#include <QToolBar>

#include "base/settings.h"

namespace lumi::app {

namespace {
struct ToggleText {
  int id;
  const char* text;
  const char* prompt;
};
constexpr ToggleText kToggles[] = {
    {kViewToolbar, "&Toolbar", "Show or hide the toolbar"},
    {kViewStatusBar, "&Status Bar", "Show or hide the status bar"},
    {kViewTools, "Tools", "Show or hide the Tools toolbar"},
    {kViewQuickTools, "Quick Tools", "Show or hide the Quick Tools bar"},
    {kViewObjectTools, "Object Tools", "Show or hide the Object Tools toolbar"},
    {kViewColorBar, "Color Bar", "Show or hide the Color & Texture bar"},
    {kViewTransparencyBar, "Transparency Bar", "Show or hide the Transparency bar"},
    {kViewBevelBar, "Bevel Bar", "Show or hide the Bevel bar"},
    {kViewEffectsBar, "Effects Bar", "Show or hide the Effect bar"},
    {kViewMultimedia, "Multimedia Extension", "Show or hide the Multimedia Extension panel"},
    {kViewStyles, "Styles", "Show or hide the Style Library"},
    {kViewObjectLibrary, "Object Library", "Show or hide the Object Library"},
    {kViewLayers, "Layers", "Show or hide the Layers panel"},
    {kViewScreenCapture, "Screen Capture", "Show or hide the Screen Capture toolbar"},
};
}  // namespace

ViewToggles::ViewToggles(QWidget* window, Settings& settings)
    : QObject(window), window_(window), settings_(settings) {
  for (const ToggleText& t : kToggles) {
    auto* action = new QAction(QString::fromUtf8(t.text), window);
    action->setObjectName(QStringLiteral("view%1").arg(t.id));
    action->setCheckable(true);
    action->setEnabled(false);  // until its bar exists
    action->setStatusTip(QString::fromUtf8(t.prompt));
    toggles_.push_back({t.id, action, nullptr, {}});
    const int id = t.id;
    connect(action, &QAction::triggered, this, [this, id](bool checked) {
      if (Toggle* toggle = FindToggle(id)) Apply(*toggle, checked);
    });
  }
}

ViewToggles::Toggle* ViewToggles::FindToggle(int id) {
  for (Toggle& t : toggles_)
    if (t.id == id) return &t;
  return nullptr;
}

QAction* ViewToggles::Find(int id) const {
  for (const Toggle& t : toggles_)
    if (t.id == id) return t.action;
  return nullptr;
}

QWidget* ViewToggles::Bar(int id) const {
  for (const Toggle& t : toggles_)
    if (t.id == id) return t.bar;
  return nullptr;
}

void ViewToggles::Bind(int id, QWidget* bar, const QString& section) {
  Toggle* toggle = FindToggle(id);
  if (!toggle || !bar) return;
  toggle->bar = bar;
  toggle->section = section;
  toggle->action->setEnabled(true);
  toggle->action->setChecked(!bar->isHidden());
  // A bar closed or shown by other means (its close button, dragging) updates the mark;
  // a panel closed with its own button remembers that too.
  auto follow = [this, id](bool) {
    Toggle* t = FindToggle(id);
    if (!t || !t->bar) return;
    const bool shown = !t->bar->isHidden();
    if (t->action->isChecked() == shown) return;
    t->action->setChecked(shown);
    if (!t->section.isEmpty() && !shown)
      settings_.SetInt(t->section.toStdString(), "Status", 0);
  };
  if (auto* dock = qobject_cast<QDockWidget*>(bar))
    connect(dock, &QDockWidget::visibilityChanged, this, follow);
  else if (auto* toolbar = qobject_cast<QToolBar*>(bar))
    connect(toolbar, &QToolBar::visibilityChanged, this, follow);
}

void ViewToggles::Apply(Toggle& toggle, bool visible) {
  if (!toggle.bar) return;
  toggle.bar->setVisible(visible);
  toggle.action->setChecked(visible);
  if (!toggle.section.isEmpty()) settings_.SetInt(toggle.section.toStdString(), "Status", visible ? 1 : 0);
  emit toggled(toggle.id, visible);
}

void ViewToggles::AddToMenu(QMenu* menu) const {
  for (const Toggle& t : toggles_) menu->addAction(t.action);
  connect(menu, &QMenu::aboutToShow, this, &ViewToggles::RefreshChecks);
}

void ViewToggles::RefreshChecks() {
  for (Toggle& t : toggles_)
    if (t.bar) t.action->setChecked(!t.bar->isHidden());
}

}  // namespace lumi::app
