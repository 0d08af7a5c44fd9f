#include "controls/toolbar_ex.h"

#include <QAction>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <qdrawutil.h>

#include "controls/program_icons.h"
#include "qt_convert.h"

namespace lumi::app {

namespace {
QString MenuTextWithoutMnemonic(std::string_view command) {
  QString text = ToQString(command);
  text.remove(u'&');
  if (text.endsWith(QStringLiteral("..."))) text.chop(3);
  return text;
}
}  // namespace

QImage EmbossedImage(const QImage& picture, const QColor& highlight, const QColor& shadow) {
  const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
  QImage out(source.size(), QImage::Format_ARGB32);
  out.fill(Qt::transparent);
  out.setDevicePixelRatio(picture.devicePixelRatio());
  auto stamp = [&](int dx, int dy, const QColor& colour) {
    for (int y = 0; y < source.height(); ++y) {
      const QRgb* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
      if (y + dy >= out.height()) continue;
      QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y + dy));
      for (int x = 0; x + dx < source.width(); ++x)
        if (qAlpha(in[x]) >= 128) line[x + dx] = colour.rgb();
    }
  };
  stamp(1, 1, highlight);
  stamp(0, 0, shadow);
  return out;
}

CToolBarStyle::CToolBarStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void CToolBarStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                  const QWidget* widget) const {
  const QPalette& pal = option->palette;
  const QRect r = option->rect;
  switch (element) {
    case PE_PanelButtonTool: {
      const bool sunken = option->state & (State_Sunken | State_On);
      const bool hover = (option->state & State_MouseOver) && (option->state & State_Enabled);
      if (sunken) qDrawShadeRect(painter, r, pal, true, 1);
      else if (hover) qDrawShadeRect(painter, r, pal, false, 1);
      return;
    }
    case PE_IndicatorToolBarSeparator: {
      const bool horizontal_bar = option->state & State_Horizontal;
      painter->save();
      if (horizontal_bar) {
        const int x = r.center().x();
        painter->setPen(pal.color(QPalette::Dark));
        painter->drawLine(x, r.top() + 2, x, r.bottom() - 2);
        painter->setPen(pal.color(QPalette::Light));
        painter->drawLine(x + 1, r.top() + 2, x + 1, r.bottom() - 2);
      } else {
        const int y = r.center().y();
        painter->setPen(pal.color(QPalette::Dark));
        painter->drawLine(r.left() + 2, y, r.right() - 2, y);
        painter->setPen(pal.color(QPalette::Light));
        painter->drawLine(r.left() + 2, y + 1, r.right() - 2, y + 1);
      }
      painter->restore();
      return;
    }
    case PE_IndicatorToolBarHandle: {
      const bool horizontal_bar = option->state & State_Horizontal;
      for (int bar = 0; bar < 2; ++bar) {
        const int offset = 4 + bar * 6;  // 3 pixels wide, 3 pixels apart
        const QRect grip = horizontal_bar ? QRect(r.left() + offset - 2, r.top() + 2, 3, r.height() - 4)
                                          : QRect(r.left() + 2, r.top() + offset - 2, r.width() - 4, 3);
        qDrawShadePanel(painter, grip, pal, false, 1);
      }
      return;
    }
    default:
      QProxyStyle::drawPrimitive(element, option, painter, widget);
  }
}

int CToolBarStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
  switch (metric) {
    case PM_ButtonShiftHorizontal:
    case PM_ButtonShiftVertical: return 1;
    case PM_ToolBarHandleExtent: return 14;
    case PM_ToolBarSeparatorExtent: return 6;
    case PM_ToolBarItemSpacing: return 0;
    case PM_ToolBarFrameWidth: return 1;
    default: return QProxyStyle::pixelMetric(metric, option, widget);
  }
}

QPixmap CToolBarStyle::generatedIconPixmap(QIcon::Mode mode, const QPixmap& pixmap, const QStyleOption* option) const {
  if (mode != QIcon::Disabled || !option) return QProxyStyle::generatedIconPixmap(mode, pixmap, option);
  return QPixmap::fromImage(EmbossedImage(pixmap.toImage(), option->palette.color(QPalette::Light),
                                          option->palette.color(QPalette::Dark)));
}

CToolBarEx::CToolBarEx(const QString& title, QWidget* parent) : QToolBar(title, parent) {
  auto* look = new CToolBarStyle;
  look->setParent(this);
  setStyle(look);
  setIconSize(QSize(16, 16));
  setObjectName(title.isEmpty() ? QStringLiteral("MainToolbar") : title);
}

void CToolBarEx::AddButtons(const ToolbarLayout& layout, const ActionFinder& find_action) {
  for (const ToolbarButton& button : layout.buttons) {
    if (button.id == 0) {
      AdoptLook(addSeparator());
      continue;
    }
    QAction* action = find_action ? find_action(button) : nullptr;
    if (!action) {
      action = new QAction(MenuTextWithoutMnemonic(button.command), this);
      action->setEnabled(false);
    }
    if (action->icon().isNull()) action->setIcon(CommandIcon(button.command));
    addAction(action);
    AdoptLook(action);
  }
}

void CToolBarEx::AdoptLook(QAction* action) {
  // A widget's style does not pass to its children, so each button takes the bar's.
  if (QWidget* button = widgetForAction(action)) button->setStyle(style());
}

}  // namespace lumi::app
