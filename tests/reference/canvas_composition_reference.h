#pragma once
// The export composition done the plain way: one pixel at a time in a top-down array,
// every object's effect layer placed from its shadow distance and angle, every blend on
// all four channels.
#include <memory>
#include <vector>

#include "render/canvas_composition.h"
#include "image/pixwerk.h"

namespace lumi::reference {

RgbImage ComposeCanvasRgb(const CanvasArea& canvas,
                          const std::vector<std::unique_ptr<CDrawObject>>& objects);

}  // namespace lumi::reference
