#pragma once
// The canvas (or the export crop region) as the RGB buffer every export starts from: the
// composition of ComposeCanvas turned into top-down rows of red, green, blue.
#include <memory>
#include <vector>

#include "render/canvas_composition.h"
#include "image/pixwerk.h"

namespace lumi {

class CPlenivorDoc;

// Composes the area with the canvas colour under every visible object's effect layer and
// image, reporting "Working: %d%%" after each object, and converts it to RGB. Throws
// BitmapError when the area is empty or beyond the program's bitmap limits (a crop region
// of zero size, a damaged canvas size), or when memory runs out.
RgbImage RenderCanvasForExport(const CanvasArea& canvas,
                               const std::vector<std::unique_ptr<CDrawObject>>& objects,
                               Host& host);

// The same for a document: its canvas, crop region and objects, progress through its host.
RgbImage RenderCanvasForExport(const CPlenivorDoc& doc);

}  // namespace lumi
