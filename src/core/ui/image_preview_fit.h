#pragma once
// Where the "Load Image" dialog's preview pane shows a picture: at its own size when it
// fits, otherwise scaled down keeping its proportions, centred but never above or left
// of the pane's inset rectangle.
#include "base/geometry.h"

namespace lumi {

// `inset`: the pane's client rectangle inset by 1 pixel; the result is where the picture
// of `width` x `height` is drawn (empty for an empty picture or pane).
Rect PreviewPlacement(const Rect& inset, int width, int height);

}  // namespace lumi
