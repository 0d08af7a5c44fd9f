#pragma once
// The conversions between the core's strings and pictures and Qt's: text is UTF-8 on the
// core side; bitmaps are the core's 32-bit blue, green, red, alpha rows (stored bottom
// row first) and pictures its top-down RGB bytes.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <string>
#include <string_view>

#include "base/geometry.h"

namespace lumi {
class CDIBSection;
struct RgbImage;
}  // namespace lumi

namespace lumi::app {

QString ToQString(std::string_view text);
std::string ToStdString(const QString& text);

inline QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

// A 32-bit bitmap, or the part `source` of it, as an opaque RGB32 image (alpha 255);
// a null image for other depths and empty parts.
QImage ToQImage(const CDIBSection& bitmap);
QImage ToQImage(const CDIBSection& bitmap, const Rect& source);
// Copies the part `source` of a 32-bit bitmap into an RGB32 image at `at`, clipped to
// both; the rest of the image is left as it is.
void CopyIntoImage(const CDIBSection& bitmap, const Rect& source, QImage& image, QPoint at);
// Top-down RGB bytes as an RGB888 image with its own copy of the pixels; a null image
// when the buffer does not hold width x height pixels.
QImage ToQImage(const RgbImage& picture);

}  // namespace lumi::app
