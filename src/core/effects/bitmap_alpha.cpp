#include "effects/bitmap_alpha.h"

#include <algorithm>
#include <cstring>

#include "effects/profile_blur.h"

namespace lumi {

namespace {

bool Usable(const CDIBSection& bitmap) { return !bitmap.IsEmpty() && bitmap.Bits() == 32; }

std::size_t PixelCount(const CDIBSection& bitmap) {
  return static_cast<std::size_t>(bitmap.Width()) * bitmap.Height();
}

int Distance(int a, int b) { return a > b ? a - b : b - a; }

}  // namespace

void TransparencyFromIntensity(CDIBSection& bitmap) {
  if (!Usable(bitmap)) return;
  std::uint8_t* p = bitmap.Pixels();
  for (std::size_t n = PixelCount(bitmap); n > 0; --n, p += 4) {
    const int a = std::min(255, (765 - p[0] - p[1] - p[2]) * 2);
    if (a < p[3]) p[3] = static_cast<std::uint8_t>(a);
  }
}

std::vector<std::uint8_t> ColourDistanceMask(const CDIBSection& bitmap, COLORREF colour,
                                             int tolerance) {
  if (!Usable(bitmap)) return {};
  const int red = GetRValue(colour), green = GetGValue(colour), blue = GetBValue(colour);
  std::vector<std::uint8_t> mask(PixelCount(bitmap));
  const std::uint8_t* p = bitmap.Pixels();
  for (std::uint8_t& m : mask) {
    const bool far = Distance(p[2], red) > tolerance || Distance(p[1], green) > tolerance ||
                     Distance(p[0], blue) > tolerance;
    m = far ? 255 : 0;
    p += 4;
  }
  if (tolerance > 4) {
    CProfileBlur blur(CProfileBlur::kSmooth);
    blur.Apply(mask.data(), bitmap.Width(), bitmap.Height(), std::max(tolerance / 20, 1));
  }
  return mask;
}

void ColourTransparency(CDIBSection& bitmap, COLORREF colour, int tolerance) {
  const std::vector<std::uint8_t> mask = ColourDistanceMask(bitmap, colour, tolerance);
  if (mask.empty()) return;
  const int red = GetRValue(colour), green = GetGValue(colour), blue = GetBValue(colour);
  std::uint8_t* p = bitmap.Pixels();
  for (const std::uint8_t m : mask) {
    const bool near = Distance(p[2], red) <= tolerance && Distance(p[1], green) <= tolerance &&
                      Distance(p[0], blue) <= tolerance;
    const int e = (near || m < 129) ? 0 : (2 * m) % 256;
    if (e < p[3]) p[3] = static_cast<std::uint8_t>(e);
    p += 4;
  }
}

void LimitAlpha(CDIBSection& bitmap, const std::uint8_t* limit) {
  if (!Usable(bitmap)) return;
  const int w = bitmap.Width();
  for (int r = 0; r < bitmap.Height(); ++r, limit += w) {
    std::uint8_t* p = bitmap.Row(r);
    for (int x = 0; x < w; ++x, p += 4) p[3] = std::min(p[3], limit[x]);
  }
}

void MirrorPixels(CDIBSection& bitmap, bool vertical) {
  if (!Usable(bitmap)) return;
  const int w = bitmap.Width(), h = bitmap.Height();
  if (vertical) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(w) * 4);
    for (int top = 0, bottom = h - 1; top < bottom; ++top, --bottom) {
      std::memcpy(row.data(), bitmap.Row(top), row.size());
      std::memcpy(bitmap.Row(top), bitmap.Row(bottom), row.size());
      std::memcpy(bitmap.Row(bottom), row.data(), row.size());
    }
    return;
  }
  for (int r = 0; r < h; ++r) {
    std::uint8_t* row = bitmap.Row(r);
    for (int left = 0, right = w - 1; left < right; ++left, --right)
      std::swap_ranges(row + 4 * left, row + 4 * left + 4, row + 4 * right);
  }
}

}  // namespace lumi
