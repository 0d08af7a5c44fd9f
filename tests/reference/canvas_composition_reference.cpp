#include "canvas_composition_reference.h"

#include <cmath>
#include <cstdint>

#include "objects/draw_object.h"

namespace lumi::reference {
namespace {

struct Canvas {
  int width, height;
  std::vector<std::uint8_t> bgra;  // top-down, 4 bytes a pixel
};

void Blend(Canvas& canvas, const CDIBSection& bitmap, int left, int top) {
  if (bitmap.IsEmpty() || bitmap.Bits() != 32) return;
  for (int row = 0; row < bitmap.Height(); ++row) {
    for (int col = 0; col < bitmap.Width(); ++col) {
      const int x = left + col, y = top + row;
      if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height) continue;
      const std::uint8_t* s = bitmap.Row(row) + col * 4;
      std::uint8_t* d = &canvas.bgra[(static_cast<std::size_t>(y) * canvas.width + x) * 4];
      const int a = s[3];
      for (int c = 0; c < 4; ++c) {
        if (a == 255)
          d[c] = s[c];
        else if (a != 0)
          d[c] = static_cast<std::uint8_t>((s[c] * a + d[c] * (255 - a)) >> 8);
      }
    }
  }
}

}  // namespace

RgbImage ComposeCanvasRgb(const CanvasArea& layout,
                          const std::vector<std::unique_ptr<CDrawObject>>& objects) {
  const Rect area = layout.crop ? *layout.crop : Rect{0, 0, layout.width, layout.height};
  Canvas canvas{area.right - area.left, area.bottom - area.top, {}};
  canvas.bgra.resize(static_cast<std::size_t>(canvas.width) * canvas.height * 4);
  for (std::size_t i = 0; i < canvas.bgra.size(); i += 4) {
    canvas.bgra[i] = static_cast<std::uint8_t>(layout.colour >> 16);
    canvas.bgra[i + 1] = static_cast<std::uint8_t>(layout.colour >> 8);
    canvas.bgra[i + 2] = static_cast<std::uint8_t>(layout.colour);
    canvas.bgra[i + 3] = 255;
  }
  constexpr double kPi = 3.1415926535;
  for (const auto& object : objects) {
    if (object->GetHidden()) continue;
    const int kind = object->GetEffectKind();
    // Kinds 1..5 ("Drop Shadow" .. "Inset") and 7 ("Inset + Shadow") show a layer;
    // 0 ("No Effect") and 6 ("Cutout") do not.
    if ((kind >= 1 && kind <= 5) || kind == 7) {
      int dx = 0, dy = 0;
      if (kind != 7) {
        const double angle = object->GetEffectAngle() * kPi / 180.0;
        dx = static_cast<int>(object->GetEffectDistance() * std::cos(angle));
        dy = static_cast<int>(object->GetEffectDistance() * std::sin(angle));
        if (kind == 2) dy += 5;
      }
      const int margin = object->GetEffectMargin();
      Blend(canvas, object->EffectLayer(), object->GetX() - margin + dx - area.left,
            object->GetY() - margin + dy - area.top);
    }
    Blend(canvas, object->Image(), object->GetX() - area.left, object->GetY() - area.top);
  }
  RgbImage rgb;
  rgb.width = canvas.width;
  rgb.height = canvas.height;
  rgb.pixels.resize(static_cast<std::size_t>(canvas.width) * canvas.height * 3);
  for (std::size_t i = 0, j = 0; i < canvas.bgra.size(); i += 4, j += 3) {
    rgb.pixels[j] = canvas.bgra[i + 2];
    rgb.pixels[j + 1] = canvas.bgra[i + 1];
    rgb.pixels[j + 2] = canvas.bgra[i];
  }
  return rgb;
}

}  // namespace lumi::reference
