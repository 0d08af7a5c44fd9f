#include "bars/property_bars.h"

#include <QDockWidget>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QToolBar>

#include <algorithm>

#include "bars/attribute_bar_widgets.h"
#include "bars/multimedia_panel_widget.h"
#include "bars/quick_tools_bar.h"
#include "base/folders.h"
#include "base/settings.h"
#include "frame/main_frame.h"
#include "plenivor_view.h"

namespace lumi::app {

namespace {

constexpr const char* kMultimediaSection = "MMExt";

}  // namespace

PropertyBars::PropertyBars(MainFrame& frame, CPlenivorView& view, NewObjectDefaultSets& defaults,
                           const FolderSet& folders, const CTextureBank& bank, Settings& settings, QObject* parent)
    : QObject(parent), core_(std::make_unique<PropertyBarSet>(&defaults)), view_(view), settings_(settings) {
  core_->SetView(view.Tools());
  colour_ = new ColourBarWidget(core_->colour, &bank, QString::fromStdString(folders.textures), nullptr);
  transparency_ = new TransparencyBarWidget(core_->transparency, &bank,
                                            QString::fromStdString(folders.transparencies), nullptr);
  bevel_ = new BevelBarWidget(core_->bevel, nullptr);
  effect_ = new EffectBarWidget(core_->effect, nullptr);
  frame.SetAttributeBarContent(AttributeBar::Color, colour_);
  frame.SetAttributeBarContent(AttributeBar::Transparency, transparency_);
  frame.SetAttributeBarContent(AttributeBar::Bevel, bevel_);
  frame.SetAttributeBarContent(AttributeBar::Effect, effect_);
  for (AttributeBarWidget* bar : std::initializer_list<AttributeBarWidget*>{colour_, transparency_, bevel_, effect_})
    connect(bar, &AttributeBarWidget::applied, this, &PropertyBars::changed);
  connect(colour_, &ColourBarWidget::statusText, this, &PropertyBars::statusText);

  quick_ = new QuickToolsBar(*core_, nullptr);
  quick_->SetView(view.Tools());
  frame.QuickTools()->clear();
  frame.QuickTools()->addWidget(quick_);
  view.SetQuickToolsBar(quick_);
  connect(quick_, &QuickToolsBar::changed, this, &PropertyBars::changed);

  multimedia_ = new MultimediaPanelWidget(core_->multimedia, nullptr);
  multimedia_dock_ = frame.MultimediaPanel();
  if (multimedia_dock_) {
    multimedia_dock_->setWidget(multimedia_);
    multimedia_dock_->setWindowTitle(multimedia_->windowTitle());
    PlaceMultimediaPanel();
    multimedia_dock_->installEventFilter(this);
  }
  connect(multimedia_, &MultimediaPanelWidget::changed, this, [this] {
    SyncAll();
    emit changed();
  });

  connect(&view, &CPlenivorView::currentObjectChanged, this,
          [this](const CDrawObject* object) { ShowObject(object ? view_.Tools()->Selected() : nullptr); });
  connect(&view, &CPlenivorView::toolChanged, quick_, &QuickToolsBar::RefreshNodePanel);
  ShowObject(view.Tools()->Selected());
}

PropertyBars::~PropertyBars() = default;

void PropertyBars::ShowObject(CDrawObject* object) {
  core_->SetView(view_.Tools());
  core_->SetObject(object);
  SyncAll();
}

void PropertyBars::SyncAll() {
  colour_->Sync();
  transparency_->Sync();
  bevel_->Sync();
  effect_->Sync();
  multimedia_->Sync();
  quick_->RefreshNodePanel();
}

void PropertyBars::PlaceMultimediaPanel() {
  // The saved place, kept on the screen: at most the screen size less an icon, at least 0.
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize size = screen ? screen->size() : QSize(1024, 768);
  const int icon = multimedia_dock_->style()->pixelMetric(QStyle::PM_LargeIconSize);
  const int left = std::clamp(settings_.GetInt(kMultimediaSection, "Left", 60), 0, std::max(0, size.width() - icon));
  const int top = std::clamp(settings_.GetInt(kMultimediaSection, "Top", 70), 0, std::max(0, size.height() - icon));
  multimedia_dock_->move(left, top);
}

bool PropertyBars::eventFilter(QObject* watched, QEvent* event) {
  // The panel's place is kept as it moves, so it is saved however the window ends.
  if (watched == multimedia_dock_ && event->type() == QEvent::Move && multimedia_dock_->isFloating()) {
    settings_.SetInt(kMultimediaSection, "Left", multimedia_dock_->x());
    settings_.SetInt(kMultimediaSection, "Top", multimedia_dock_->y());
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace lumi::app
