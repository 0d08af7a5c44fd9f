#include "blend_onto_reference.h"

namespace lumi::reference {

void BlendOnto(const CDIBSection& bitmap, CDIBSection& canvas, int x, int y) {
  if (bitmap.IsEmpty() || canvas.IsEmpty() || bitmap.Bits() != 32 || canvas.Bits() != 32)
    return;
  for (int row = 0; row < bitmap.Height(); ++row) {
    for (int col = 0; col < bitmap.Width(); ++col) {
      const int cx = x + col, cy = y + row;
      if (cx < 0 || cy < 0 || cx >= canvas.Width() || cy >= canvas.Height()) continue;
      const std::uint8_t* s = bitmap.Row(row) + col * 4;
      std::uint8_t* d = canvas.Row(cy) + cx * 4;
      const int a = s[3];
      for (int c = 0; c < 3; ++c) {
        if (a == 255)
          d[c] = s[c];
        else if (a != 0)
          d[c] = static_cast<std::uint8_t>((d[c] * (255 - a) + s[c] * a) >> 8);
      }
    }
  }
}

}  // namespace lumi::reference
