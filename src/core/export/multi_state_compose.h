#pragma once
// The images of the multi-state button export: the background (the canvas with every
// object that has no button look) and the three state images of one button, each
// covering the button's export rectangle with what lies below and above it.
#include <optional>

#include "base/colour.h"
#include "base/geometry.h"
#include "export/multi_state_objects.h"
#include "image/pixwerk.h"
#include "render/canvas_composition.h"

namespace lumi {

// Index of "Export To:" in the multimedia export dialog.
enum class MultiStateTarget : int { Pavonix = 0, SeparateBmp = 1, SeparateJpg = 2 };

struct StateImages {
  Rect rect;  // the export rectangle in canvas pixels
  RgbImage normal;
  RgbImage highlighted;
  // The pushed image; for a Solo-mode object exported to Pavonix the alpha mask of the
  // normal image instead (its normal image then has a clear black background).
  RgbImage third;
};

// The button export always covers the whole canvas: the area's crop region plays no part.
//
// The canvas colour under every visible object that has neither a highlighted nor a
// pushed look, canvas-sized. Shows "Working: %d%%" after each object of the list.
// Throws BitmapError when the bitmap cannot be made or converted.
RgbImage ComposeButtonBackground(const CanvasArea& canvas, const ObjectList& objects,
                                 Host& host);

// The three state images of exported framed object `j`: the canvas colour and the
// visible objects below the button ("Working: %d%%" after each), then the button and the
// visible objects above it, all switched to the look of each image (an object without
// that look, or in Solo mode, keeps the look it shows). Afterwards the button and the
// objects above it show their normal look again, so later buttons see the normal looks
// below them and the document is left as the user drew it. Nothing when there is no
// object `j`; throws BitmapError when a bitmap cannot be made or converted.
std::optional<StateImages> ComposeStates(const CanvasArea& canvas, ObjectList& objects, int j,
                                         MultiStateTarget target, Host& host);

}  // namespace lumi
