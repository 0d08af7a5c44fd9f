#pragma once
// The canvas (or the export crop region) as rows of RGB handed to a writer one at a time:
// the same bytes ComposeCanvas and PxBitmapToRGB give, composed a band of rows at a time.
// While the writer works on one band the next is composed on another render thread, and
// neither the whole canvas nor its RGB copy is ever held.
#include <functional>
#include <memory>
#include <vector>

#include "image/pixwerk.h"
#include "render/canvas_composition.h"

namespace lumi {

// Rows composed together.
inline constexpr int kCanvasBandRows = 64;

// Calls `write` with a source of the area's rows, top row first. Rows are best asked for
// in order (any order gives the right bytes, only slower). Throws BitmapError, before
// `write` is called, when the area is empty or beyond the bitmap limits or memory for the
// bands runs out; a band that cannot be composed later gives a null row. Reports no
// progress: the caller shows what RenderCanvasForExport would.
void WithCanvasRows(const CanvasArea& canvas, const std::vector<std::unique_ptr<CDrawObject>>& objects,
                    const std::function<void(const RgbRowSource&)>& write);

}  // namespace lumi
