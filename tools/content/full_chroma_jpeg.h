#pragma once
// JPG files whose colour is kept at full resolution. With the usual halved colour planes
// the decoder smooths colour at the picture's border differently from inside it, which
// shows as a faint seam where a strongly coloured texture repeats.
#include <filesystem>

#include "image/pixwerk.h"

namespace lumi::content {

// Writes `image` (RGB, or one grey channel when `grey`) at `quality`; throws
// std::runtime_error when the file cannot be written.
void WriteFullChromaJpeg(const std::filesystem::path& path, const RgbImage& image, int quality,
                         bool grey);

}  // namespace lumi::content
