#include "edit/checker_shade.h"

namespace lumi {
namespace {

struct CheckerMasks {
  COLORREF and_zero, and_one, or_one;
};

CheckerMasks MasksFor(CheckerVariant variant, COLORREF highlight) {
  if (variant == CheckerVariant::kDark) return {0xC0C0C0, 0x808080, highlight & 0xFFFFFF};
  return {0xFFFFFF, 0xC0C0C0, highlight & 0xFFFFFF};
}

// Row 0x55 starts with a 0 bit, row 0xAA with a 1 bit.
bool PatternBit(int x, int y) { return ((x + y) & 1) != 0; }

}  // namespace

COLORREF CheckerPixel(COLORREF destination, int x, int y, CheckerVariant variant,
                      COLORREF highlight) {
  const CheckerMasks m = MasksFor(variant, highlight);
  return PatternBit(x, y) ? ((destination & m.and_one) | m.or_one) : (destination & m.and_zero);
}

void ShadeChecker(std::uint8_t* pixels, int width, int height, std::ptrdiff_t stride,
                  const Rect& area, CheckerVariant variant, COLORREF highlight) {
  const Rect r = Intersect(area, Rect{0, 0, width, height});
  if (r.IsEmpty()) return;
  const CheckerMasks m = MasksFor(variant, highlight);
  // COLORREF red, green, blue against memory blue, green, red.
  const std::uint8_t and_zero[3] = {static_cast<std::uint8_t>(GetBValue(m.and_zero)),
                                    static_cast<std::uint8_t>(GetGValue(m.and_zero)),
                                    static_cast<std::uint8_t>(GetRValue(m.and_zero))};
  const std::uint8_t and_one[3] = {static_cast<std::uint8_t>(GetBValue(m.and_one)),
                                   static_cast<std::uint8_t>(GetGValue(m.and_one)),
                                   static_cast<std::uint8_t>(GetRValue(m.and_one))};
  const std::uint8_t or_one[3] = {static_cast<std::uint8_t>(GetBValue(m.or_one)),
                                  static_cast<std::uint8_t>(GetGValue(m.or_one)),
                                  static_cast<std::uint8_t>(GetRValue(m.or_one))};
  for (int y = r.top; y < r.bottom; ++y) {
    std::uint8_t* p = pixels + y * stride + static_cast<std::ptrdiff_t>(r.left) * 4;
    for (int x = r.left; x < r.right; ++x, p += 4) {
      if (PatternBit(x, y)) {
        for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>((p[c] & and_one[c]) | or_one[c]);
      } else {
        for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>(p[c] & and_zero[c]);
      }
    }
  }
}

}  // namespace lumi
