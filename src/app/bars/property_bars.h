#pragma once
// The property bars of the main window: the core bars, their windows in the frame's
// docks ("Color & Texture", "Transparency", "Bevel", "Effect"), the Quick Tools bar and
// the floating "Multimedia Extesion" panel, all following the view's current object.
//
//   auto* bars = new PropertyBars(frame, view, defaults, folders, bank, settings, &window);
//   connect(bars, &PropertyBars::changed, ...);   // a bar changed the drawing
#include <QObject>
#include <QPointer>

#include <memory>

#include "collections/style_library.h"
#include "ui/property_bar_set.h"

class QDockWidget;

namespace lumi {
class CDrawObject;
class CTextureBank;
class Settings;
struct FolderSet;
}  // namespace lumi

namespace lumi::app {

class BevelBarWidget;
class CPlenivorView;
class ColourBarWidget;
class EffectBarWidget;
class MainFrame;
class MultimediaPanelWidget;
class QuickToolsBar;
class TransparencyBarWidget;

class PropertyBars final : public QObject {
  Q_OBJECT
 public:
  PropertyBars(MainFrame& frame, CPlenivorView& view, NewObjectDefaultSets& defaults, const FolderSet& folders,
               const CTextureBank& bank, Settings& settings, QObject* parent);
  ~PropertyBars() override;

  // Every bar shows `object` (none: the controls keep their state).
  void ShowObject(CDrawObject* object);
  PropertyBarSet& Core() { return *core_; }
  ColourBarWidget* Colour() const { return colour_; }
  TransparencyBarWidget* Transparency() const { return transparency_; }
  BevelBarWidget* Bevel() const { return bevel_; }
  EffectBarWidget* Effect() const { return effect_; }
  QuickToolsBar* Quick() const { return quick_; }
  MultimediaPanelWidget* Multimedia() const { return multimedia_; }

 signals:
  // A bar changed the drawing (undo step taken).
  void changed();
  void statusText(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SyncAll();
  void PlaceMultimediaPanel();

  std::unique_ptr<PropertyBarSet> core_;
  CPlenivorView& view_;
  Settings& settings_;
  ColourBarWidget* colour_;
  TransparencyBarWidget* transparency_;
  BevelBarWidget* bevel_;
  EffectBarWidget* effect_;
  QuickToolsBar* quick_;
  MultimediaPanelWidget* multimedia_;
  QPointer<QDockWidget> multimedia_dock_;
};

}  // namespace lumi::app
