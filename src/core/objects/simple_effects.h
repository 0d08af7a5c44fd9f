#pragma once
// The view's "Sharpen", "Sharpen More" and "Blur" on a bitmap object, and "Shift Color"
// on the selected objects.
#include <vector>

#include "base/colour.h"

namespace lumi {

class CDrawObject;

enum class SimpleBitmapEffect { kSharpen, kSharpenMore, kBlur };

// Sharpens (amount 10, or 20 for "Sharpen More") or blurs (soften amount 10) the source
// bitmap of a bitmap object after applying its pending size changes; the colours change,
// the alpha is kept, and the object renders again. False (nothing changed) for other
// kinds of object.
bool ApplySimpleBitmapEffect(CDrawObject& object, SimpleBitmapEffect effect);

// Moves the fill colour of every object by (towards - from), clamped per channel, and
// renders each; nothing happens when the two colours are equal. Returns the number of
// objects changed.
int ShiftFillColours(const std::vector<CDrawObject*>& objects, COLORREF from, COLORREF towards);

}  // namespace lumi
