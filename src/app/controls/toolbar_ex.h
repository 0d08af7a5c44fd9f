#pragma once
// CToolBarEx: the main window's flat toolbars. Buttons have no frame until the pointer
// rests on one (a raised one-pixel frame); pressed or checked buttons are sunken with
// their picture moved one pixel right and down; disabled pictures are embossed;
// separators are one etched line; a docked bar has a gripper of two raised bars.
#include <QProxyStyle>
#include <QToolBar>
#include <functional>

#include "ui/toolbar_commands.h"

namespace lumi::app {

// The look above as a style the toolbar installs on itself (and tests draw with).
class CToolBarStyle : public QProxyStyle {
  Q_OBJECT

 public:
  CToolBarStyle();

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
  int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr) const override;
  QPixmap generatedIconPixmap(QIcon::Mode mode, const QPixmap& pixmap, const QStyleOption* option) const override;
};

// The disabled look of a picture: its shape in the highlight colour one pixel right and
// down, under its shape in the shadow colour.
QImage EmbossedImage(const QImage& picture, const QColor& highlight, const QColor& shadow);

class CToolBarEx : public QToolBar {
  Q_OBJECT

 public:
  explicit CToolBarEx(const QString& title, QWidget* parent = nullptr);

  // Finds the window's action for a toolbar command; null when the window has none.
  using ActionFinder = std::function<QAction*(const ToolbarButton&)>;

  // Adds the buttons of a layout with their pictures. A command the window does not
  // offer yet is shown disabled, with its picture and text, rather than doing nothing.
  void AddButtons(const ToolbarLayout& layout, const ActionFinder& find_action);

  // Gives the button of an action added otherwise the bar's look.
  void AdoptLook(QAction* action);
};

}  // namespace lumi::app
