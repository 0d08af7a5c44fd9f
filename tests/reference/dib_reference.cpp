#include "dib_reference.h"

namespace lumi::reference {

namespace {
// Pixel (x, storage row r), storage rows counted from the bottom.
std::uint8_t* At(CDIBSection& b, int x, int r) { return b.Row(b.Height() - 1 - r) + x * 4; }
const std::uint8_t* At(const CDIBSection& b, int x, int r) {
  return b.Row(b.Height() - 1 - r) + x * 4;
}
}  // namespace

void BlendFrom(CDIBSection& destination, const CDIBSection& source, int x, int y) {
  if (destination.IsEmpty() || source.IsEmpty()) return;
  for (int sr = 0; sr < source.Height(); ++sr) {
    for (int sx = 0; sx < source.Width(); ++sx) {
      const int dx = x + sx, dr = y + sr;
      if (dx < 0 || dr < 0 || dx >= destination.Width() || dr >= destination.Height()) continue;
      const std::uint8_t* s = At(source, sx, sr);
      std::uint8_t* d = At(destination, dx, dr);
      const int a = s[3];
      for (int c = 0; c < 4; ++c) {
        if (a == 0) break;
        d[c] = a == 255 ? s[c] : static_cast<std::uint8_t>((s[c] * a + d[c] * (255 - a)) >> 8);
      }
    }
  }
}

}  // namespace lumi::reference
