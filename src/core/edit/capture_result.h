#pragma once
// What a screen capture leaves behind: the area between the two corners the user set
// (normalised and clipped to the screen), and the captured picture as a new bitmap object.
#include <optional>

#include "base/geometry.h"

namespace lumi {

class CDrawObject;
class ToolMachine;
struct RgbImage;

// The rectangle from `first` to `second` in either order, clipped to 0..width x
// 0..height of the screen; nothing when no pixel of it is left.
std::optional<Rect> CaptureArea(Point first, Point second, int screen_width, int screen_height);

// The picture becomes a new bitmap object centred on `centre` (the middle of the visible
// canvas), selected, with an undo snapshot. Null, with the document as it was, when the
// picture cannot be stored.
CDrawObject* AddCapturedBitmap(ToolMachine& tools, const RgbImage& picture, Point centre);

}  // namespace lumi
