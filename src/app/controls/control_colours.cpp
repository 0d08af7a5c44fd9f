#include "controls/control_colours.h"

#include <QPainter>

namespace lumi::app {

RimColours RimColoursOf(const QPalette& p) {
  return {ToColorRef(p.color(QPalette::Light)), ToColorRef(p.color(QPalette::Shadow)),
          ToColorRef(p.color(QPalette::Midlight)), ToColorRef(p.color(QPalette::Dark)), ToColorRef(GreyText(p))};
}

void DrawShadedCircle(QImage& image, int cx, int cy, int radius, COLORREF a, COLORREF b) {
  for (const Point& d : MidpointCircle(radius)) {
    const int x = cx + d.x, y = cy + d.y;
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) continue;
    const COLORREF c = ShadedCircleColour(d.x, d.y, a, b);
    image.setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
  }
}

void DrawShadedRim(QImage& image, int cx, int cy, int radius, const ShadedRim& rim) {
  DrawShadedCircle(image, cx, cy, radius, rim.outer_a, rim.outer_b);
  DrawShadedCircle(image, cx, cy, radius - 1, rim.inner_a, rim.inner_b);
}

void FillDisc(QImage& image, int cx, int cy, int radius, const QColor& colour) {
  const QRgb rgb = colour.rgb();
  for (int dy = -radius; dy <= radius; ++dy)
    for (int dx = -radius; dx <= radius; ++dx) {
      const int x = cx + dx, y = cy + dy;
      if (dx * dx + dy * dy > radius * radius + radius) continue;
      if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) continue;
      image.setPixel(x, y, rgb);
    }
}

void DrawSunkenFrame(QImage& image, int left, int top, int right, int bottom, const QPalette& palette) {
  QPainter p(&image);
  p.setPen(palette.color(QPalette::Dark));
  p.drawLine(left, top, right - 1, top);
  p.drawLine(left, top, left, bottom - 1);
  p.setPen(palette.color(QPalette::Light));
  p.drawLine(left, bottom - 1, right - 1, bottom - 1);
  p.drawLine(right - 1, top, right - 1, bottom - 1);
}

}  // namespace lumi::app
