#pragma once
// The canvas written as a flat image file: the composition of the canvas (or the active
// crop region) saved as JPG (quality 95, colour, baseline), 24-bit PNG or 24-bit BMP.
#include <filesystem>
#include <memory>
#include <vector>

#include "image/image_format.h"
#include "render/canvas_composition.h"

namespace lumi {

// `format` is one of the flat images (IsFlatImage). Shows the writer's error text through `host` and returns false when the file could not
// be written. The wait cursor shows throughout.
bool SaveFlatImage(const std::filesystem::path& path, ImageFormat format,
                   const CanvasArea& canvas,
                   const std::vector<std::unique_ptr<CDrawObject>>& objects, Host& host);

}  // namespace lumi
