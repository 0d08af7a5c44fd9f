#pragma once
// The 50 x 50 picture of a style or an object-library entry: the objects over white,
// each with its effect layer, resampled with the bilinear kernel and kept as a 24-bit BMP
// beside the entry.
#include <filesystem>
#include <functional>
#include <vector>

#include "base/geometry.h"
#include "image/pixwerk.h"

namespace lumi {

class CArchive;
class CDrawObject;

inline constexpr int kLibraryPictureSide = 50;
// A picture never renders more than this many pixels a side: objects spread far over a
// large canvas are shown by the square of this side round their centre.
inline constexpr int kLibraryPictureMaxSource = 4096;

// The square the picture shows: the union of the objects' boxes grown by `margin` on
// every side (10 for one object, 0 for a selection), its shorter side grown equally on
// both sides to make it square.
Rect LibraryPictureSquare(const std::vector<const CDrawObject*>& objects, int margin);

// The objects drawn in the given order (effect layer, then image) onto white inside
// that square, resampled to 50 x 50 as top-down RGB.
RgbImage MakeLibraryPicture(const std::vector<const CDrawObject*>& objects, int margin);

// Writes the picture as an uncompressed 24-bit BMP (temporary file, then rename).
bool WriteLibraryPicture(const std::filesystem::path& path, const RgbImage& picture);

// Writes a library entry and its picture so that a failure leaves the old pair (or no
// entry) behind: the picture goes to a temporary file, the entry is written through its
// own temporary file and renamed, and only then the picture is renamed beside it.
bool WriteEntryWithPicture(const std::filesystem::path& entry, const std::filesystem::path& picture_path,
                           const RgbImage& picture, const std::function<void(CArchive&)>& write);

}  // namespace lumi
