#pragma once
// Colour plumbing shared by the custom controls: the program's 0x00BBGGRR colours to and
// from Qt, the system colours of the widget's palette, and the shaded rings.
#include <QColor>
#include <QImage>
#include <QPalette>

#include "base/colour.h"
#include "ui/shaded_circle.h"

namespace lumi::app {

inline QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
inline COLORREF ToColorRef(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

// The 3-D colours of a palette as the shaded rings use them.
RimColours RimColoursOf(const QPalette& palette);

// The button face of a palette.
inline QColor ButtonFace(const QPalette& palette) { return palette.color(QPalette::Active, QPalette::Button); }
// The colour disabled parts are drawn in.
inline QColor GreyText(const QPalette& palette) { return palette.color(QPalette::Disabled, QPalette::WindowText); }

// Draws a one-pixel ring of the given radius around (cx, cy) into `image`, each pixel
// blended from `a` (upper left) to `b` (lower right); pixels outside the image are skipped.
void DrawShadedCircle(QImage& image, int cx, int cy, int radius, COLORREF a, COLORREF b);

// A rim of two rings at `radius` and `radius - 1`.
void DrawShadedRim(QImage& image, int cx, int cy, int radius, const ShadedRim& rim);

// A disc of the given radius filled with one colour.
void FillDisc(QImage& image, int cx, int cy, int radius, const QColor& colour);

// A sunken one-pixel frame: shadow on the top and left, highlight on the bottom and right
// (right and bottom exclusive, as the rectangles of the controls are).
void DrawSunkenFrame(QImage& image, int left, int top, int right, int bottom, const QPalette& palette);

}  // namespace lumi::app
