#include "frame/dock_layout.h"

#include <QDockWidget>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include "base/settings.h"
#include "frame/view_toggles.h"
#include "qt_convert.h"

namespace lumi::app {

namespace {
constexpr int kLayoutVersion = 1;

QRect ScreenRect(const QWidget& window) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}
}  // namespace

QWidget* MakeEmptyBarMark(const QString& title, QWidget* parent) {
  auto* mark = new QLabel(QStringLiteral("%1\n(empty: its controls are not built yet)").arg(title), parent);
  mark->setObjectName(QStringLiteral("emptyBarMark"));
  mark->setAlignment(Qt::AlignCenter);
  mark->setWordWrap(true);
  mark->setEnabled(false);
  mark->setMinimumSize(150, 60);
  mark->setAccessibleName(QStringLiteral("%1 (empty)").arg(title));
  return mark;
}

DockLayout::DockLayout(QMainWindow& window, Settings& settings, ViewToggles& toggles)
    : QObject(&window), window_(window), settings_(settings), toggles_(toggles) {
  window_.setDockOptions(window_.dockOptions() | QMainWindow::AnimatedDocks);
  for (int i = 0; i < kAttributeBarCount; ++i) attribute_[i] = MakeAttributeDock(AttributeBars()[i]);
  PlaceAttributeBars();
  QTimer::singleShot(1000, this, &DockLayout::FixUpAttributeBars);
}

QDockWidget* DockLayout::MakeAttributeDock(const AttributeBarInfo& info) {
  const QString title = ToQString(info.title);
  auto* dock = new QDockWidget(title, &window_);
  dock->setObjectName(ToQString(info.section));
  dock->setAllowedAreas(Qt::RightDockWidgetArea);  // attribute bars dock on the right only
  dock->setWidget(MakeEmptyBarMark(title, dock));
  dock->setAccessibleName(title);
  toggles_.Bind(info.command_id, dock);
  return dock;
}

void DockLayout::SetAttributeBarContent(AttributeBar which, QWidget* content) {
  QDockWidget* dock = AttributeDock(which);
  if (!dock || !content) return;
  QWidget* old = dock->widget();
  dock->setWidget(content);
  delete old;
}

QPoint DockLayout::ClampedToScreen(QPoint saved) const {
  const QRect screen = ScreenRect(window_);
  const int icon = window_.style()->pixelMetric(QStyle::PM_LargeIconSize);
  const Point p = ClampToScreen({saved.x(), saved.y()}, screen.width(), screen.height(), icon, icon);
  return {p.x, p.y};
}

void DockLayout::PlaceAttributeBars() {
  QDockWidget* previous = nullptr;
  for (int i = 0; i < kAttributeBarCount; ++i) {
    const std::string section(AttributeBars()[i].section);
    QDockWidget* dock = attribute_[i];
    if (settings_.GetInt(section, "Float", -1) == 1) {
      window_.addDockWidget(Qt::RightDockWidgetArea, dock);
      dock->setFloating(true);
      dock->move(ClampedToScreen({settings_.GetInt(section, "Left", -1), settings_.GetInt(section, "Top", -1)}));
      continue;
    }
    // Docked bars stack in order below the previous docked one.
    if (previous)
      window_.splitDockWidget(previous, dock, Qt::Vertical);
    else
      window_.addDockWidget(Qt::RightDockWidgetArea, dock, Qt::Vertical);
    previous = dock;
  }
}

void DockLayout::FixUpAttributeBars() {
  const QRect screen = ScreenRect(window_);
  for (const QPointer<QDockWidget>& dock : attribute_) {
    if (!dock || dock->isFloating() || dock->isHidden()) continue;
    const QRect global(dock->mapToGlobal(QPoint(0, 0)), dock->size());
    const Rect bar{global.left(), global.top(), global.right() + 1, global.bottom() + 1};
    if (const auto moved = FloatPositionForOverhangingBar(bar, screen.width(), screen.height())) {
      dock->setFloating(true);
      dock->move(moved->x, moved->y);
    } else if (DocksAgainOnTheRight(bar, screen.width()) &&
               window_.dockWidgetArea(dock) != Qt::RightDockWidgetArea) {
      // The bars may dock only on the right, so this finds them there unless a saved
      // window state put them elsewhere.
      window_.addDockWidget(Qt::RightDockWidgetArea, dock);
    }
  }
}

void DockLayout::AddPanel(int view_id, QDockWidget* panel, const QString& section, bool shown_by_default) {
  if (!panel) return;
  window_.addDockWidget(Qt::RightDockWidgetArea, panel);
  panel->setFloating(true);
  toggles_.Bind(view_id, panel, section);
  const bool shown = !section.isEmpty() && settings_.GetInt(section.toStdString(), "Status", shown_by_default ? 1 : 0) != 0;
  panel->setVisible(shown);
  if (restored_) window_.restoreDockWidget(panel);
  toggles_.RefreshChecks();
}

void DockLayout::SaveLayout() {
  for (int i = 0; i < kAttributeBarCount; ++i) {
    const std::string section(AttributeBars()[i].section);
    QDockWidget* dock = attribute_[i];
    if (!dock) continue;
    settings_.SetInt(section, "Float", dock->isFloating() ? 1 : 0);
    settings_.SetInt(section, "Top", dock->pos().y());
    settings_.SetInt(section, "Left", dock->pos().x());
  }
  const QRect normal = window_.normalGeometry();
  const int show = window_.isMaximized() ? 3 : window_.isMinimized() ? 2 : 1;
  settings_.SetInt("Frame", "Status", show);
  settings_.SetInt("Frame", "Top", normal.top());
  settings_.SetInt("Frame", "Left", normal.left());
  settings_.SetInt("Frame", "Bottom", normal.bottom() + 1);
  settings_.SetInt("Frame", "Right", normal.right() + 1);
  settings_.SetString("Frame", "Placement", window_.saveGeometry().toBase64().toStdString());
  settings_.SetString("Frame", "Layout", window_.saveState(kLayoutVersion).toBase64().toStdString());
}

void DockLayout::RestoreLayout() {
  if (restored_) return;
  restored_ = true;
  const std::string placement = settings_.GetString("Frame", "Placement", "");
  const std::string layout = settings_.GetString("Frame", "Layout", "");
  if (!placement.empty()) window_.restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(placement)));
  if (!layout.empty())
    window_.restoreState(QByteArray::fromBase64(QByteArray::fromStdString(layout)), kLayoutVersion);
  // A floating bar restored off a smaller screen comes back onto it.
  for (const QPointer<QDockWidget>& dock : attribute_)
    if (dock && dock->isFloating()) dock->move(ClampedToScreen(dock->pos()));
  toggles_.RefreshChecks();
}

}  // namespace lumi::app
