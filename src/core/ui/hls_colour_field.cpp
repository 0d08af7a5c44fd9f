#include "ui/hls_colour_field.h"

namespace lumi {

namespace {
double Channel(double m1, double m2, double hue) {
  if (hue > 360.0) hue -= 360.0;
  if (hue < 0.0) hue += 360.0;
  if (hue < 60.0) return m1 + (m2 - m1) * hue / 60.0;
  if (hue < 180.0) return m2;
  if (hue < 240.0) return m1 + (m2 - m1) * (240.0 - hue) / 60.0;
  return m1;
}
}  // namespace

COLORREF HlsToRgb(double hue, double lightness, double saturation) {
  const double m2 = lightness <= 0.5 ? lightness * (1.0 + saturation)
                                     : lightness + saturation - lightness * saturation;
  const double m1 = 2.0 * lightness - m2;
  auto byte = [](double v) { return static_cast<int>(v * 255.0); };
  return RGB(byte(Channel(m1, m2, hue + 120.0)), byte(Channel(m1, m2, hue)),
             byte(Channel(m1, m2, hue - 120.0)));
}

COLORREF ColourFieldColour(int column, int row, int width, int height) {
  const double hue = column * 360.0 / (width - 24);
  const double lightness = static_cast<double>(row) / (height - 2);
  return HlsToRgb(hue, lightness, 1.0);
}

}  // namespace lumi
