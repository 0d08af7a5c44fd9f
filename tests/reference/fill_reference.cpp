#include "fill_reference.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "render/fill_math.h"

namespace lumi::reference {

namespace {

// Memory row i (row 0 at the bottom), pixel j.
std::uint8_t* Pixel(CDIBSection& image, int j, int i) { return image.Row(image.Height() - 1 - i) + 4 * j; }
std::uint8_t& MaskAt(std::uint8_t* mask, int w, int h, int j, int i) { return mask[(h - 1 - i) * w + j]; }

int Byte(COLORREF c, int channel) {  // channel 0 blue, 1 green, 2 red
  return static_cast<int>((c >> (8 * (2 - channel))) & 0xFF);
}

}  // namespace

void LinearGradient(CDIBSection& image, int angle, int strength, COLORREF colour2) {
  const int w = image.Width(), h = image.Height();
  const double theta = angle * 3.1415926535 / 180;
  const int o = static_cast<int>((360 - angle) * 2.844444444444444);
  const int len = std::abs(static_cast<int>(std::sin(theta) * h)) + std::abs(static_cast<int>(std::cos(theta) * w));
  const double s = strength * 0.0078125;
  for (int i = 0; i < h; ++i)
    for (int j = 0; j < w; ++j) {
      const int a = Project(o + PixelAngle(j, i, w, h), Dist(j, i, w, h), len);
      const int c = static_cast<int>(a * s);
      std::uint8_t* p = Pixel(image, j, i);
      for (int ch = 0; ch < 3; ++ch) p[ch] = static_cast<std::uint8_t>(std::clamp(Lerp(c, 0, len, p[ch], Byte(colour2, ch)), 0, 255));
    }
}

void RadialGradient(CDIBSection& image, int strength, COLORREF colour2) {
  const int w = image.Width(), h = image.Height();
  const int hh = h / 2, hw = w / 2;
  const int c = hh * hw * strength / 128;
  for (int i = 0; i < h; ++i)
    for (int j = 0; j < w; ++j) {
      const int g = i - hh;
      int v = (hh ? hw * g * g / hh : 0) + (hw ? hh * (j - hw) * (j - hw) / hw : 0);
      v = std::max(std::min(v, c), 0);
      std::uint8_t* p = Pixel(image, j, i);
      for (int ch = 0; ch < 3; ++ch) p[ch] = static_cast<std::uint8_t>(std::clamp(Lerp(v, 0, c, p[ch], Byte(colour2, ch)), 0, 255));
    }
}

void MapTexture(CDIBSection& image, std::uint8_t* mask, const TextureView& texture,
                const TextureMapping& m) {
  const int w = image.Width(), h = image.Height();
  const int tw = texture.width, th = texture.height;
  const int step_h = m.scale_y != 0 ? std::abs(static_cast<int>(256 / m.scale_y)) : 0;
  const int step_v = m.scale_x != 0 ? std::abs(static_cast<int>(256 / m.scale_x)) : 0;
  const float a1 = static_cast<float>((360 - m.angle_x) * 3.1415926535 / 180);
  const float c1 = std::cos(a1), s1 = std::sin(a1);
  const float a2 = static_cast<float>(m.angle_y * 3.1415926535 / 180);
  const float c2 = std::cos(a2), s2 = std::sin(a2);
  int ox = tw - m.offset_x;
  if (ox < 0) ox += tw;
  int oy = th - m.offset_y;
  if (oy < 0) oy += th;
  const float dx = static_cast<float>(w - ox), dy = static_cast<float>(h - oy);
  const int l0 = (static_cast<int>(dx - c1 * dx - s1 * dy) * step_h) >> 8;
  const int m0 = (static_cast<int>(s2 * dx + dy - c2 * dy) * step_v) >> 8;
  const int s = m.strength;
  for (int i = 0; i < h; ++i)
    for (int j = 0; j < w; ++j) {
      const int r = h - 1 - i;
      int u, v;
      if (m.scale_x == 0 && m.scale_y == 0) {
        u = j;
        v = r;
      } else {
        u = (j * step_h) >> 8;
        v = (r * step_v) >> 8;
      }
      if (m.angle_x != 0 || m.angle_y != 0) {
        int u2 = static_cast<int>(static_cast<float>(v) * s1 + static_cast<float>(u) * c1 + static_cast<float>(l0));
        int v2 = static_cast<int>(static_cast<float>(v) * c2 - static_cast<float>(u) * s2 + static_cast<float>(m0));
        if (u2 < 0) u2 = u2 % tw + tw;
        if (v2 < 0) v2 = v2 % th + th;
        u = std::max(u2, 0);
        v = std::max(v2, 0);
      }
      int k = 3 * (((v + oy) % th) * tw + (u + ox) % tw);
      k = std::clamp(k, 0, 3 * (tw * th - 1));
      const int red = texture.pixels[k], green = texture.pixels[k + 1], blue = texture.pixels[k + 2];
      const int grey = (red + green + blue) / 3;
      std::uint8_t& mk = mask[r * w + j];
      if (m.transparent) mk = static_cast<std::uint8_t>(std::max(0, mk - ((grey * s) >> 8)));
      std::uint8_t* p = Pixel(image, j, i);
      const int tex[3] = {blue, green, red};
      for (int ch = 0; ch < 3; ++ch) {
        if (m.screen) {
          const int t = grey * s / 255;
          p[ch] = static_cast<std::uint8_t>(m.two_colour ? (p[ch] * (255 - t) + t * Byte(m.colour2, ch)) >> 8
                                                         : 255 - (255 - p[ch]) * (255 - t) / 255);
        } else {
          p[ch] = static_cast<std::uint8_t>(s == 255 ? tex[ch] : (p[ch] * (255 - s) + tex[ch] * s) >> 8);
        }
      }
    }
}

void CutTransparency(CDIBSection& image, std::uint8_t* mask, const TransparencySettings& t,
                     const TextureView& texture) {
  const int w = image.Width(), h = image.Height();
  const int a = t.amount;
  const double theta = t.angle * 3.1415926535 / 180;
  const int o = static_cast<int>((360 - t.angle) * 2.844444444444444);
  const int len = std::abs(static_cast<int>(std::cos(theta) * w)) + std::abs(static_cast<int>(std::sin(theta) * h));
  const int hh = h / 2, hw = w / 2, area = hh * hw;
  for (int i = 0; i < h; ++i)
    for (int j = 0; j < w; ++j) {
      std::uint8_t& m = MaskAt(mask, w, h, j, i);
      std::uint8_t* p = Pixel(image, j, i);
      switch (t.pattern) {
        case TransparencyPattern::kFlat:
          p[3] = a == 255 ? 0 : static_cast<std::uint8_t>((m * (255 - a)) >> 8);
          break;
        case TransparencyPattern::kLinear: {
          const int u = Project(PixelAngle(j, i, w, h) + o, Dist(j, i, w, h), len);
          const int v = Lerp(u, 0, len, 0, 255);
          p[3] = static_cast<std::uint8_t>(std::clamp(m - ((v * a) >> 8), 0, 255));
          break;
        }
        case TransparencyPattern::kRadial: {
          int n = (hh ? (i - hh) * (i - hh) * hw / hh : 0) + (hw ? (j - hw) * (j - hw) * hh / hw : 0);
          n = std::min(n, area);
          const int rc = std::clamp(Lerp(std::max(n, 0), 0, area, a, 255), 0, 255);
          p[3] = static_cast<std::uint8_t>(std::clamp(m - rc, 0, 255));
          break;
        }
        case TransparencyPattern::kImage: {
          const int r = h - 1 - i;
          const std::uint8_t* tx = texture.pixels + 3 * ((r % texture.height) * texture.width + j % texture.width);
          const int l = (tx[0] + tx[1] + tx[2]) / 3;
          const int taken = a == 255 ? l : (l * a) >> 8;
          p[3] = static_cast<std::uint8_t>(std::max(0, m - taken));
          m = p[3];
          break;
        }
      }
    }
}

void PaintTransparency(CDIBSection& image, const TransparencySettings& t,
                       const TextureView& texture) {
  const int w = image.Width(), h = image.Height();
  const int a = t.amount;
  const double theta = t.angle * 3.1415926535 / 180;
  const int o = static_cast<int>((360 - t.angle) * 2.844444444444444);
  const int len = std::abs(static_cast<int>(std::cos(theta) * w)) + std::abs(static_cast<int>(std::sin(theta) * h));
  const int d = static_cast<int>(std::sqrt(static_cast<double>(w * w + h * h)) * 0.5);
  const int reach = d * a / 255;
  for (int i = 0; i < h; ++i)
    for (int j = 0; j < w; ++j) {
      int paint = 0;
      switch (t.pattern) {
        case TransparencyPattern::kFlat:
          break;
        case TransparencyPattern::kLinear:
          paint = (std::max(0, Project(PixelAngle(j, i, w, h) + o, Dist(j, i, w, h), len)) * a) >> 8;
          break;
        case TransparencyPattern::kRadial:
          paint = std::max(0, 255 - Lerp(Dist(j, i, w, h), 0, reach, 0, 255));
          break;
        case TransparencyPattern::kImage: {
          const int r = h - 1 - i;
          const std::uint8_t* tx = texture.pixels + 3 * ((r % texture.height) * texture.width + j % texture.width);
          paint = ((tx[0] + tx[1] + tx[2]) / 3 * a) >> 8;
          break;
        }
      }
      std::uint8_t* p = Pixel(image, j, i);
      for (int ch = 0; ch < 3; ++ch) p[ch] = static_cast<std::uint8_t>(std::min(255, p[ch] + paint));
    }
}

}  // namespace lumi::reference
