#pragma once
// The pictures a bitmap button derives from its own: the "cold" grey look a flat button
// shows until the pointer rests on it.

namespace lumi {

// The grey level of a colour in the cold picture: L = (77 R + 153 G + 25 B) / 255, then
// 0 below 64, 128 below 160, 192 below 224, else 255.
int ColdGreyLevel(int red, int green, int blue);

}  // namespace lumi
