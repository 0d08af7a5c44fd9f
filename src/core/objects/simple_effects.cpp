#include "objects/simple_effects.h"

#include <optional>

#include "effects/colour_tweak.h"
#include "effects/sharpen_soften.h"
#include "image/pixwerk.h"
#include "objects/draw_object.h"

namespace lumi {

bool ApplySimpleBitmapEffect(CDrawObject& object, SimpleBitmapEffect effect) {
  if (!object.IsBitmap()) return false;
  object.ApplySizeChanges();
  CDIBSection& source = object.SourceBitmap();
  if (source.IsEmpty() || source.Bits() != 32) return false;
  const std::optional<RgbImage> rgb = PxBitmapToRGB(source);
  if (!rgb) return false;
  std::vector<std::uint8_t> result(rgb->pixels.size());
  const int w = rgb->width, h = rgb->height;
  const int status = effect == SimpleBitmapEffect::kBlur
                         ? PxSoften(rgb->pixels.data(), result.data(), w, h, 10)
                         : PxSharpen(rgb->pixels.data(), result.data(), w, h,
                                     effect == SimpleBitmapEffect::kSharpen ? 10 : 20);
  if (status != 0) return false;
  // Back into blue, green, red; the alpha is the bitmap's own transparency and stays.
  for (int y = 0; y < h; ++y) {
    std::uint8_t* d = source.Row(y);
    const std::uint8_t* s = result.data() + static_cast<std::size_t>(y) * w * 3;
    for (int x = 0; x < w; ++x, d += 4, s += 3) {
      d[0] = s[2];
      d[1] = s[1];
      d[2] = s[0];
    }
  }
  object.Render();
  return true;
}

int ShiftFillColours(const std::vector<CDrawObject*>& objects, COLORREF from, COLORREF towards) {
  if (from == towards) return 0;
  int changed = 0;
  for (CDrawObject* o : objects) {
    if (!o) continue;
    o->SetFillColor(ShiftColour(o->GetFillColor(), from, towards));
    o->Render();
    ++changed;
  }
  return changed;
}

}  // namespace lumi
