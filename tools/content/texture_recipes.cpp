#include "texture_recipes.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <stdexcept>
#include <utility>

#include "full_chroma_jpeg.h"
#include "tileable_noise.h"

namespace lumi::content {
namespace {

constexpr double kTau = 2 * std::numbers::pi;

struct Colour {
  double r = 0, g = 0, b = 0;
};

Colour Mix(Colour a, Colour b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Colour Scale(Colour c, double k) { return {c.r * k, c.g * k, c.b * k}; }
Colour Add(Colour c, double d) { return {c.r + d, c.g + d, c.b + d}; }
Colour Hex(unsigned v) {
  return {static_cast<double>(v >> 16 & 255), static_cast<double>(v >> 8 & 255),
          static_cast<double>(v & 255)};
}

// Colour stops along 0..1.
class Palette {
 public:
  Palette(std::initializer_list<std::pair<double, unsigned>> stops) {
    for (const auto& [t, rgb] : stops) stops_.push_back({t, Hex(rgb)});
  }
  Colour At(double t) const {
    t = std::clamp(t, 0.0, 1.0);
    for (std::size_t i = 1; i < stops_.size(); ++i) {
      if (t <= stops_[i].first) {
        const double span = stops_[i].first - stops_[i - 1].first;
        return Mix(stops_[i - 1].second, stops_[i].second,
                   span > 0 ? (t - stops_[i - 1].first) / span : 0);
      }
    }
    return stops_.back().second;
  }

 private:
  std::vector<std::pair<double, Colour>> stops_;
};

double Smooth(double a, double b, double t) {
  t = std::clamp((t - a) / (b - a), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}
double Fract(double v) { return v - std::floor(v); }

std::uint8_t Byte(double v) { return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

// A picture made pixel by pixel from the tile position.
template <class F>
RgbImage Paint(int size, F colour_at) {
  RgbImage image{size, size, std::vector<std::uint8_t>(static_cast<std::size_t>(size) * size * 3)};
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const Colour c = colour_at(static_cast<double>(x) / size, static_cast<double>(y) / size, x, y);
      std::uint8_t* p = &image.pixels[(static_cast<std::size_t>(y) * size + x) * 3];
      p[0] = Byte(c.r);
      p[1] = Byte(c.g);
      p[2] = Byte(c.b);
    }
  }
  return image;
}

template <class F>
HeightField Heights(int size, F height_at) {
  HeightField field{size, size, std::vector<double>(static_cast<std::size_t>(size) * size)};
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      field.values[static_cast<std::size_t>(y) * size + x] =
          height_at(static_cast<double>(x) / size, static_cast<double>(y) / size);
  return field;
}

// Fine per-pixel grain, -1..1; it repeats with the pixel grid, so it tiles.
double Grain(int x, int y, std::uint32_t seed) {
  return 2 * HashUnit(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), seed) - 1;
}

// ---- stone and marble -------------------------------------------------------------

RgbImage Marble(int size, std::uint32_t seed, const Palette& body, Colour vein, double vein_power,
                int sx, int sy) {
  return Paint(size, [&](double x, double y, int px, int py) {
    const double turb = Fractal(x, y, 3, 3, 4, 0.5, seed, true);
    const double wave = std::sin(kTau * (sx * x + sy * y) + 6.0 * turb);
    const double veins = std::pow(1 - std::fabs(wave), vein_power);
    const double fine = std::pow(1 - std::fabs(Fractal(x, y, 4, 4, 4, 0.5, seed + 5)), 24);
    const double cloud = 0.5 + 0.7 * Fractal(x, y, 3, 3, 5, 0.5, seed + 11);
    Colour c = Mix(body.At(cloud), vein, 0.85 * veins + 0.3 * fine);
    return Add(c, 2 * Grain(px, py, seed));
  });
}

RgbImage Granite(int size) {
  const Palette base{{0, 0x6E6A68}, {0.5, 0x9A9290}, {1, 0xC8C0BC}};
  return Paint(size, [&](double x, double y, int px, int py) {
    Colour c = base.At(0.5 + 0.8 * Fractal(x, y, 16, 16, 3, 0.6, 301));
    const double dark = Fractal(x, y, 32, 32, 2, 0.5, 302);
    const double pink = Fractal(x, y, 24, 24, 2, 0.5, 303);
    const double white = Fractal(x, y, 40, 40, 2, 0.5, 304);
    c = Mix(c, Hex(0x1E1C1C), Smooth(0.25, 0.4, dark));
    c = Mix(c, Hex(0xC08878), Smooth(0.3, 0.45, pink));
    c = Mix(c, Hex(0xF2EEEA), Smooth(0.35, 0.5, white));
    return Add(c, 8 * Grain(px, py, 305));
  });
}

RgbImage Slate(int size) {
  const HeightField h = Heights(size, [](double x, double y) {
    return 0.6 * Fractal(x, y, 2, 8, 5, 0.55, 311) + 0.4 * Fractal(x, y, 6, 6, 4, 0.5, 312);
  });
  const Palette tone{{0, 0x2A3038}, {0.5, 0x47505C}, {1, 0x6A7480}};
  return Paint(size, [&](double x, double y, int px, int py) {
    const double light = Lighting(h, px, py, 18);
    Colour c = tone.At(0.5 + 0.9 * Fractal(x, y, 3, 3, 3, 0.5, 313));
    return Add(Scale(c, 0.55 + 0.65 * light), 4 * Grain(px, py, 314));
  });
}

RgbImage Cobbles(int size) {
  const HeightField h = Heights(size, [](double x, double y) {
    const CellDistances d = Cellular(x, y, 6, 321);
    return Smooth(0.0, 0.35, d.second - d.nearest) + 0.08 * Fractal(x, y, 16, 16, 3, 0.5, 322);
  });
  return Paint(size, [&](double x, double y, int px, int py) {
    const CellDistances d = Cellular(x, y, 6, 321);
    const double tint = (d.cell_id % 1000) / 1000.0;
    Colour stone = Mix(Hex(0x8C8278), Hex(0xB4A898), tint);
    stone = Mix(stone, Hex(0x6C7078), (d.cell_id >> 10) % 3 == 0 ? 0.6 : 0.0);
    const double mortar = 1 - Smooth(0.02, 0.09, d.second - d.nearest);
    Colour c = Mix(stone, Hex(0x4A4038), mortar);
    c = Scale(c, 0.5 + 0.7 * Lighting(h, px, py, 14));
    return Add(c, 6 * Grain(px, py, 323) + 10 * Fractal(x, y, 8, 8, 3, 0.5, 324));
  });
}

RgbImage Bricks(int size) {
  const int rows = 8, per_row = 4;
  auto mortar_at = [&](double x, double y) {
    const double row = y * rows;
    const int r = static_cast<int>(std::floor(row));
    const double shift = (r % 2) * 0.5;
    const double col = Fract(x * per_row + shift);
    const double fy = row - r;
    const double edge = std::min({fy, 1 - fy, col * rows / per_row * 2, (1 - col) * rows / per_row * 2});
    return std::pair{Smooth(0.02, 0.08, edge), static_cast<std::uint32_t>(r * 16 + static_cast<int>(std::floor(Fract(x + shift / per_row) * per_row)))};
  };
  const HeightField h = Heights(size, [&](double x, double y) {
    return mortar_at(x, y).first + 0.15 * Fractal(x, y, 16, 16, 3, 0.5, 331);
  });
  return Paint(size, [&](double x, double y, int px, int py) {
    const auto [inside, brick] = mortar_at(x, y);
    const double tone = HashUnit(brick, 7, 332);
    Colour c = Mix(Hex(0x8E3A24), Hex(0xB8643E), tone);
    c = Mix(c, Hex(0x5A2A1E), Smooth(0.2, 0.6, Fractal(x, y, 8, 8, 4, 0.5, 333)) * 0.5);
    c = Mix(Hex(0xB8B0A0), c, inside);
    c = Scale(c, 0.6 + 0.55 * Lighting(h, px, py, 10));
    return Add(c, 7 * Grain(px, py, 334));
  });
}

// ---- wood ----------------------------------------------------------------------------

RgbImage Wood(int size, std::uint32_t seed, Colour light, Colour dark, int rings) {
  return Paint(size, [&](double x, double y, int px, int py) {
    const double warp = Fractal(x, y, 1, 3, 4, 0.5, seed);
    const double ring = Fract(rings * y + 2.5 * warp + 0.6 * Fractal(x, y, 2, 2, 3, 0.5, seed + 1));
    const double band = Smooth(0.55, 0.95, ring) * (1 - Smooth(0.95, 1.0, ring));
    const double streaks = Fractal(x, y, 2, 48, 3, 0.6, seed + 2);
    Colour c = Mix(light, dark, 0.85 * band + 0.25 * streaks + 0.1);
    return Add(c, 3 * Grain(px, py, seed + 3));
  });
}

// ---- paper -----------------------------------------------------------------------------

RgbImage Paper(int size, std::uint32_t seed, Colour base, double blotches, double fibres) {
  return Paint(size, [&](double x, double y, int px, int py) {
    const double cloud = Fractal(x, y, 4, 4, 5, 0.6, seed);
    const double fibre = Fractal(x, y, 24, 6, 2, 0.5, seed + 1) * Fractal(x, y, 6, 24, 2, 0.5, seed + 2);
    Colour c = Add(base, blotches * cloud - fibres * std::fabs(fibre) * 4);
    return Add(c, 4 * Grain(px, py, seed + 3));
  });
}

// ---- fabric ----------------------------------------------------------------------------

// Threads over and under in a plain weave: height and which thread lies on top.
std::pair<double, bool> Weave(double x, double y, int threads) {
  const double u = x * threads, v = y * threads;
  const int cu = static_cast<int>(std::floor(u)), cv = static_cast<int>(std::floor(v));
  const bool warp_on_top = ((cu + cv) & 1) == 0;
  const double across = warp_on_top ? Fract(u) : Fract(v);
  const double along = warp_on_top ? Fract(v) : Fract(u);
  return {std::sin(std::numbers::pi * across) * (0.6 + 0.4 * std::sin(std::numbers::pi * along)), warp_on_top};
}

RgbImage Canvas(int size, std::uint32_t seed, Colour warp, Colour weft, int threads, double slub) {
  const HeightField h = Heights(size, [&](double x, double y) {
    return Weave(x, y, threads).first + slub * Fractal(x, y, 4, 32, 2, 0.5, seed);
  });
  return Paint(size, [&](double x, double y, int px, int py) {
    const auto [height, warp_top] = Weave(x, y, threads);
    Colour c = warp_top ? warp : weft;
    c = Add(c, 14 * Fractal(x, y, 4, 4, 4, 0.5, seed + 1) + 20 * slub * Fractal(x, y, 32, 4, 2, 0.5, seed + 2));
    c = Scale(c, 0.55 + 0.5 * height + 0.2 * Lighting(h, px, py, 2));
    return Add(c, 4 * Grain(px, py, seed + 3));
  });
}

RgbImage Denim(int size) {
  const int lines = 64;
  return Paint(size, [&](double x, double y, int px, int py) {
    const double twill = 0.5 + 0.5 * std::sin(kTau * lines * (x + y) / 2 * 2);
    const double weft = Smooth(0.6, 0.95, 0.5 + 0.5 * std::sin(kTau * lines * 2 * y));
    const double fade = Fractal(x, y, 3, 3, 4, 0.5, 351);
    Colour c = Mix(Hex(0x1E2E58), Hex(0x4A6494), 0.35 * twill + 0.6 * Smooth(-0.2, 0.6, fade));
    c = Mix(c, Hex(0xC8D0DC), 0.25 * weft * (0.5 + 0.5 * Grain(px, py, 352)));
    return Add(c, 8 * Fractal(x, y, 4, 64, 2, 0.5, 353) + 5 * Grain(px, py, 354));
  });
}

// ---- metal -----------------------------------------------------------------------------

RgbImage Brushed(int size, std::uint32_t seed, Colour dark, Colour light) {
  return Paint(size, [&](double x, double y, int px, int py) {
    const double streak = Fractal(x, y, 1, 96, 4, 0.6, seed) + 0.5 * Fractal(x, y, 2, 192, 2, 0.5, seed + 1);
    const double sheen = Fractal(x, y, 2, 2, 3, 0.5, seed + 2);
    Colour c = Mix(dark, light, 0.55 + 0.45 * sheen + 0.7 * streak);
    return Add(c, 3 * Grain(px, py, seed + 3));
  });
}

RgbImage Hammered(int size, std::uint32_t seed, Colour dark, Colour light) {
  const HeightField h = Heights(size, [&](double x, double y) {
    const CellDistances d = Cellular(x, y, 9, seed);
    return -d.nearest * d.nearest + 0.05 * Fractal(x, y, 8, 8, 3, 0.5, seed + 1);
  });
  return Paint(size, [&](double x, double y, int px, int py) {
    const double light_amount = Lighting(h, px, py, 9);
    const double highlight = std::pow(light_amount, 12);
    Colour c = Mix(dark, light, light_amount);
    c = Mix(c, Hex(0xFFFFFF), 0.5 * highlight);
    return Add(c, 6 * Fractal(x, y, 4, 4, 3, 0.5, seed + 2) + 2 * Grain(px, py, seed + 3));
  });
}

// ---- sand, water, sky ------------------------------------------------------------------

RgbImage SandFine(int size) {
  return Paint(size, [&](double x, double y, int px, int py) {
    Colour c = Mix(Hex(0xC8A878), Hex(0xE6CFA0), 0.5 + Fractal(x, y, 6, 6, 4, 0.5, 361));
    const double speck = HashUnit(static_cast<std::uint32_t>(px), static_cast<std::uint32_t>(py), 362);
    if (speck > 0.985) c = Mix(c, Hex(0x5A4430), 0.6);
    if (speck < 0.012) c = Mix(c, Hex(0xFFFFF0), 0.7);
    return Add(c, 14 * Grain(px, py, 363));
  });
}

RgbImage SandRipples(int size) {
  const HeightField h = Heights(size, [](double x, double y) {
    return 0.5 + 0.5 * std::sin(kTau * (10 * y + 2 * x) + 5 * Fractal(x, y, 3, 3, 4, 0.5, 371));
  });
  return Paint(size, [&](double x, double y, int px, int py) {
    Colour c = Mix(Hex(0xB89060), Hex(0xE8C890), 0.5 + Fractal(x, y, 4, 4, 3, 0.5, 372));
    c = Scale(c, 0.65 + 0.45 * Lighting(h, px, py, 7));
    return Add(c, 10 * Grain(px, py, 373));
  });
}

RgbImage Caustics(int size, std::uint32_t seed, const Palette& water) {
  return Paint(size, [&](double x, double y, int px, int py) {
    // Light gathers along the zero lines of two drifting noise fields.
    const double a = Fractal(x, y, 4, 4, 3, 0.45, seed);
    const double b = Fractal(x, y, 5, 5, 3, 0.45, seed + 1);
    const double lines = std::max(Smooth(0.07, 0.0, std::fabs(a)), 0.7 * Smooth(0.06, 0.0, std::fabs(b)));
    Colour c = water.At(0.5 + 0.9 * Fractal(x, y, 2, 2, 3, 0.5, seed + 2));
    c = Mix(c, Hex(0xD8FCFF), lines * 0.75);
    return Add(c, 2 * Grain(px, py, seed + 3));
  });
}

RgbImage Clouds(int size, std::uint32_t seed, Colour sky, Colour cloud, Colour shade, double cover) {
  return Paint(size, [&](double x, double y, int px, int py) {
    const double n = Fractal(x, y, 3, 3, 7, 0.55, seed);
    const double amount = Smooth(-cover, 0.55 - cover, n);
    const double depth = Smooth(0.0, 0.5, Fractal(x + 0.02, y + 0.02, 3, 3, 5, 0.55, seed));
    Colour c = Mix(sky, Mix(cloud, shade, 0.6 * (1 - depth)), amount);
    return Add(c, 1.5 * Grain(px, py, seed + 1));
  });
}

// ---- leather, concrete -------------------------------------------------------------------

RgbImage Leather(int size, std::uint32_t seed, Colour dark, Colour light) {
  const HeightField h = Heights(size, [&](double x, double y) {
    const CellDistances d = Cellular(x, y, 22, seed);
    return Smooth(0.0, 0.25, d.second - d.nearest) + 0.2 * Fractal(x, y, 8, 8, 3, 0.5, seed + 1);
  });
  return Paint(size, [&](double x, double y, int px, int py) {
    Colour c = Mix(dark, light, 0.5 + 0.9 * Fractal(x, y, 3, 3, 4, 0.5, seed + 2));
    c = Scale(c, 0.6 + 0.5 * Lighting(h, px, py, 5));
    return Add(c, 3 * Grain(px, py, seed + 3));
  });
}

RgbImage Concrete(int size, std::uint32_t seed, double roughness) {
  const HeightField h = Heights(size, [&](double x, double y) {
    const CellDistances pit = Cellular(x, y, 20, seed);
    return 0.3 * Fractal(x, y, 8, 8, 5, 0.6, seed + 1) - Smooth(0.18, 0.0, pit.nearest) * roughness;
  });
  return Paint(size, [&](double x, double y, int px, int py) {
    Colour c = Mix(Hex(0x7E7C78), Hex(0xB2AEA8), 0.5 + 1.1 * Fractal(x, y, 3, 3, 5, 0.5, seed + 2));
    c = Mix(c, Hex(0x5E5A54), Smooth(0.2, 0.5, Fractal(x, y, 6, 6, 3, 0.5, seed + 3)) * 0.5);
    c = Scale(c, 0.65 + 0.45 * Lighting(h, px, py, 6));
    return Add(c, 10 * Grain(px, py, seed + 4));
  });
}

// ---- abstract --------------------------------------------------------------------------

RgbImage Plasma(int size) {
  const Palette glow{{0, 0x2A1050}, {0.25, 0x6A2C90}, {0.5, 0xD05A8C}, {0.75, 0xF4A860}, {1, 0xFFF0C0}};
  return Paint(size, [&](double x, double y, int, int) {
    const double n = Fractal(x, y, 2, 2, 5, 0.55, 381);
    const double m = Fractal(x, y, 3, 3, 4, 0.5, 382);
    return glow.At(0.5 + 0.5 * std::sin(kTau * (1.2 * n + 0.6 * m)));
  });
}

RgbImage StainedGlass(int size) {
  const Palette glass{{0, 0xB01830}, {0.2, 0xE09020}, {0.4, 0x2C8C3C}, {0.6, 0x1C4CA8}, {0.8, 0x7C2C9C}, {1, 0xE0C040}};
  return Paint(size, [&](double x, double y, int px, int py) {
    const CellDistances d = Cellular(x, y, 7, 391);
    Colour c = glass.At((d.cell_id % 997) / 996.0);
    c = Scale(c, 0.75 + 0.45 * (0.5 + Fractal(x, y, 8, 8, 3, 0.5, 392)) - 0.35 * d.nearest);
    c = Mix(c, Hex(0x181818), 1 - Smooth(0.03, 0.07, d.second - d.nearest));
    return Add(c, 2 * Grain(px, py, 393));
  });
}

RgbImage Waves(int size) {
  const Palette sea{{0, 0x0B2E5C}, {0.35, 0x1878A8}, {0.7, 0x52C0C8}, {1, 0xF0F8E8}};
  return Paint(size, [&](double x, double y, int, int) {
    const double w = std::sin(kTau * (4 * y + x) + 4 * Fractal(x, y, 2, 2, 4, 0.5, 401));
    return sea.At(0.5 + 0.5 * w);
  });
}

RgbImage Lava(int size) {
  const Palette lava{{0, 0x100404}, {0.45, 0x3A0A04}, {0.7, 0xC02A08}, {0.85, 0xF08018}, {1, 0xFFF0A0}};
  return Paint(size, [&](double x, double y, int px, int py) {
    const double t = Fractal(x, y, 3, 3, 6, 0.55, 411, true);
    return Add(lava.At(1.15 - 2.6 * t), 2 * Grain(px, py, 412));
  });
}

RgbImage Ripples(int size) {
  const Palette tone{{0, 0x3C1E64}, {0.5, 0xA04C9C}, {1, 0xF4C8E4}};
  return Paint(size, [&](double x, double y, int, int) {
    const CellDistances d = Cellular(x, y, 3, 421);
    return tone.At(0.5 + 0.5 * std::sin(kTau * 4 * d.nearest + 2 * Fractal(x, y, 4, 4, 3, 0.5, 422)));
  });
}

// ---- transparency ----------------------------------------------------------------------
// A transparency texture cuts an object away where it is bright and keeps it where it
// is dark; the renderer tiles it from the object's top-left corner without scaling.

Colour Grey(double v) { return {v, v, v}; }

// Distance from the nearest tile edge, 0 at the edge and 0.5 in the middle.
double EdgeDistance(double x, double y) { return std::min({x, 1 - x, y, 1 - y}); }

RgbImage TVignette(int size) {
  return Paint(size, [&](double x, double y, int, int) {
    const double r = std::hypot(x - 0.5, y - 0.5) / 0.5;
    return Grey(255 * Smooth(0.55, 1.05, r));  // white cuts away: a clear rim
  });
}
RgbImage TVignetteSquare(int size) {
  return Paint(size, [&](double x, double y, int, int) {
    return Grey(255 * Smooth(0.12, 0.0, EdgeDistance(x, y)));
  });
}
RgbImage TStripes(int size, int count, int slope) {
  return Paint(size, [&](double x, double y, int, int) {
    return Grey(255 * Smooth(-0.35, 0.35, std::sin(kTau * count * (y + slope * x / count))));
  });
}
RgbImage TCheckers(int size) {
  return Paint(size, [&](double x, double y, int, int) {
    const double s = std::sin(kTau * 4 * x) * std::sin(kTau * 4 * y);
    return Grey(255 * Smooth(-0.15, 0.15, s));
  });
}
RgbImage TGrunge(int size) {
  return Paint(size, [&](double x, double y, int px, int py) {
    const double n = Fractal(x, y, 4, 4, 6, 0.6, 501) + 0.4 * Fractal(x, y, 16, 16, 3, 0.5, 502, true);
    return Grey(255 * Smooth(-0.1, 0.35, n) + 20 * Grain(px, py, 503));
  });
}
RgbImage TPaperEdge(int size) {
  return Paint(size, [&](double x, double y, int, int) {
    const double ragged = EdgeDistance(x, y) + 0.035 * Fractal(x, y, 8, 8, 5, 0.6, 511);
    return Grey(255 * Smooth(0.05, 0.035, ragged));
  });
}
RgbImage TDots(int size) {
  return Paint(size, [&](double x, double y, int, int) {
    const double cx = Fract(x * 16) - 0.5, cy = Fract(y * 16) - 0.5;
    const double radius = 0.2 + 0.22 * (0.5 + 0.5 * std::sin(kTau * x) * std::sin(kTau * y));
    return Grey(255 * Smooth(radius + 0.06, radius - 0.06, std::hypot(cx, cy)));
  });
}
RgbImage TClouds(int size) {
  return Paint(size, [&](double x, double y, int, int) {
    return Grey(255 * Smooth(-0.45, 0.45, Fractal(x, y, 3, 3, 6, 0.55, 521)));
  });
}
RgbImage TScratches(int size) {
  return Paint(size, [&](double x, double y, int px, int py) {
    const double a = Fractal(x, y, 1, 64, 3, 0.5, 531, true);
    const double b = Fractal(Fract(x + y), Fract(y - x), 1, 40, 2, 0.5, 532, true);
    const double marks = std::max(Smooth(0.04, 0.0, a), 0.7 * Smooth(0.03, 0.0, b));
    return Grey(20 + 200 * marks + 8 * Grain(px, py, 533));
  });
}
RgbImage TSoftWaves(int size) {
  return Paint(size, [&](double x, double y, int, int) {
    return Grey(127.5 + 127.5 * std::sin(kTau * (3 * x + 2 * y) + 3 * Fractal(x, y, 2, 2, 3, 0.5, 541)));
  });
}

std::vector<TextureRecipe> MakeRecipes() {
  std::vector<TextureRecipe> r;
  auto fill = [&](std::string name, std::function<RgbImage(int)> f) {
    r.push_back({std::move(name), false, 256, std::move(f)});
  };
  auto transp = [&](std::string name, std::function<RgbImage(int)> f) {
    r.push_back({std::move(name), true, 256, std::move(f)});
  };
  fill("Marble White.jpg", [](int s) {
    return Marble(s, 11, Palette{{0, 0xD8D4CE}, {1, 0xF8F6F2}}, Hex(0x6A6C74), 8, 2, 1);
  });
  fill("Marble Green.jpg", [](int s) {
    return Marble(s, 21, Palette{{0, 0x0C3A2C}, {0.6, 0x1E5C44}, {1, 0x3C7E60}}, Hex(0xDCEEE0), 10, 1, 2);
  });
  fill("Marble Rose.jpg", [](int s) {
    return Marble(s, 31, Palette{{0, 0xC89088}, {1, 0xF0D4C8}}, Hex(0x8A4A48), 7, 3, 1);
  });
  fill("Marble Black.jpg", [](int s) {
    return Marble(s, 41, Palette{{0, 0x0E0E10}, {1, 0x2A2A2E}}, Hex(0xE8E0D0), 12, 1, 1);
  });
  fill("Wood Oak.jpg", [](int s) { return Wood(s, 51, Hex(0xD0A468), Hex(0x8A5A2C), 7); });
  fill("Wood Walnut.jpg", [](int s) { return Wood(s, 61, Hex(0x7A5234), Hex(0x3A2214), 9); });
  fill("Wood Pine.jpg", [](int s) { return Wood(s, 71, Hex(0xF0D49C), Hex(0xC08444), 5); });
  fill("Paper White.jpg", [](int s) { return Paper(s, 81, Hex(0xF4F2EC), 6, 10); });
  fill("Paper Parchment.jpg", [](int s) { return Paper(s, 91, Hex(0xE8D4A8), 26, 14); });
  fill("Paper Recycled.jpg", [](int s) { return Paper(s, 101, Hex(0xC8C0B0), 12, 40); });
  fill("Fabric Canvas.jpg", [](int s) { return Canvas(s, 111, Hex(0xD8CCB0), Hex(0xC8BA9C), 64, 0.1); });
  fill("Fabric Linen.jpg", [](int s) { return Canvas(s, 121, Hex(0xB8A888), Hex(0xA89878), 32, 0.5); });
  fill("Fabric Red Silk.jpg", [](int s) { return Canvas(s, 131, Hex(0xB8202C), Hex(0x901824), 128, 0.3); });
  fill("Fabric Denim.jpg", Denim);
  fill("Metal Brushed Steel.jpg", [](int s) { return Brushed(s, 141, Hex(0x78808A), Hex(0xD0D6DC)); });
  fill("Metal Brushed Gold.jpg", [](int s) { return Brushed(s, 151, Hex(0x8C6420), Hex(0xF0D488)); });
  fill("Metal Hammered Steel.jpg", [](int s) { return Hammered(s, 161, Hex(0x3C4048), Hex(0xC8CED4)); });
  fill("Metal Hammered Copper.jpg", [](int s) { return Hammered(s, 171, Hex(0x5A2410), Hex(0xE09068)); });
  fill("Stone Granite.jpg", Granite);
  fill("Stone Slate.jpg", Slate);
  fill("Stone Cobbles.jpg", Cobbles);
  fill("Stone Bricks.jpg", Bricks);
  fill("Sand Fine.jpg", SandFine);
  fill("Sand Ripples.jpg", SandRipples);
  fill("Water Pool.jpg", [](int s) {
    return Caustics(s, 181, Palette{{0, 0x0A6C8C}, {1, 0x2CB0C8}});
  });
  fill("Water Deep.jpg", [](int s) {
    return Caustics(s, 191, Palette{{0, 0x04203C}, {1, 0x125078}});
  });
  fill("Clouds Sky.jpg", [](int s) { return Clouds(s, 201, Hex(0x3C7CD0), Hex(0xFFFFFF), Hex(0xB4BCCC), 0.05); });
  fill("Clouds Storm.jpg", [](int s) { return Clouds(s, 211, Hex(0x3A4250), Hex(0xA8ACB4), Hex(0x202428), 0.3); });
  fill("Leather Brown.jpg", [](int s) { return Leather(s, 221, Hex(0x4A2410), Hex(0x8E5430)); });
  fill("Leather Black.jpg", [](int s) { return Leather(s, 231, Hex(0x141416), Hex(0x3A3A40)); });
  fill("Concrete Smooth.jpg", [](int s) { return Concrete(s, 241, 0.1); });
  fill("Concrete Rough.jpg", [](int s) { return Concrete(s, 251, 0.6); });
  fill("Abstract Plasma.jpg", Plasma);
  fill("Abstract Stained Glass.jpg", StainedGlass);
  fill("Abstract Waves.jpg", Waves);
  fill("Abstract Lava.jpg", Lava);
  fill("Abstract Ripples.jpg", Ripples);
  transp("Vignette Round.jpg", TVignette);
  transp("Vignette Square.jpg", TVignetteSquare);
  transp("Stripes.jpg", [](int s) { return TStripes(s, 8, 0); });
  transp("Stripes Diagonal.jpg", [](int s) { return TStripes(s, 8, 8); });
  transp("Checkers.jpg", TCheckers);
  transp("Grunge.jpg", TGrunge);
  r.push_back({"Paper Edge.jpg", true, 512, TPaperEdge});
  transp("Dots.jpg", TDots);
  transp("Clouds.jpg", TClouds);
  transp("Scratches.jpg", TScratches);
  transp("Soft Waves.jpg", TSoftWaves);
  return r;
}

// The list pictures are as large as a list thumbnail.
constexpr int kPictureWidth = 79;
constexpr int kPictureHeight = 32;

RgbImage Picture(const std::function<Colour(double, double)>& colour_at) {
  RgbImage image{kPictureWidth, kPictureHeight,
                 std::vector<std::uint8_t>(static_cast<std::size_t>(kPictureWidth) * kPictureHeight * 3)};
  for (int y = 0; y < kPictureHeight; ++y) {
    for (int x = 0; x < kPictureWidth; ++x) {
      const Colour c = colour_at((x + 0.5) / kPictureWidth, (y + 0.5) / kPictureHeight);
      std::uint8_t* p = &image.pixels[(static_cast<std::size_t>(y) * kPictureWidth + x) * 3];
      p[0] = Byte(c.r);
      p[1] = Byte(c.g);
      p[2] = Byte(c.b);
    }
  }
  return image;
}

void Write(const std::filesystem::path& path, const RgbImage& image, bool jpg, bool colour) {
  if (jpg) return WriteFullChromaJpeg(path, image, kTextureQuality, !colour);
  if (!PxSaveBMP(path, image.pixels.data(), image.width, image.height)) throw std::runtime_error("cannot write " + path.string() + ": " + ErrorText(PxGetLastError()));
}

}  // namespace

const std::vector<TextureRecipe>& TextureRecipes() {
  static const std::vector<TextureRecipe> recipes = MakeRecipes();
  return recipes;
}

std::vector<ReservedPicture> ReservedPictures() {
  const Colour blue = Hex(0x2050C0), white = Hex(0xFFFFFF);
  std::vector<ReservedPicture> out;
  out.push_back({"No Texture.bmp", false, Picture([&](double x, double y) {
                   // A plain white swatch crossed out in grey.
                   const double px = x * kPictureWidth, py = y * kPictureHeight;
                   const double d1 = std::fabs(py - px * kPictureHeight / kPictureWidth);
                   const double d2 = std::fabs(py - (kPictureWidth - px) * kPictureHeight / kPictureWidth);
                   return std::min(d1, d2) < 1.0 ? Hex(0xA0A0A0) : white;
                 })});
  out.push_back({"Linear Gradient.tmb", false, Picture([&](double x, double) { return Mix(blue, white, x); })});
  out.push_back({"Radial Gradient.tmb", false, Picture([&](double x, double y) {
                   const double r = std::hypot((x - 0.5) * kPictureWidth, (y - 0.5) * kPictureHeight);
                   return Mix(white, blue, r / 40);
                 })});
  out.push_back({"Flat.tmb", true, Picture([&](double, double) { return Grey(128); })});
  out.push_back({"Linear.tmb", true, Picture([&](double x, double) { return Grey(255 * x); })});
  out.push_back({"Radial.tmb", true, Picture([&](double x, double y) {
                   const double r = std::hypot((x - 0.5) * kPictureWidth, (y - 0.5) * kPictureHeight);
                   return Grey(255 * std::clamp(r / 40, 0.0, 1.0));
                 })});
  return out;
}

std::vector<std::filesystem::path> WriteTextures(const std::filesystem::path& root) {
  const std::filesystem::path textures = root / "Textures", transp = root / "Transp";
  std::filesystem::create_directories(textures);
  std::filesystem::create_directories(transp);
  std::vector<std::filesystem::path> written;
  for (const TextureRecipe& recipe : TextureRecipes()) {
    const auto path = (recipe.transparency ? transp : textures) / recipe.file;
    Write(path, recipe.make(recipe.size), true, !recipe.transparency);
    written.push_back(path);
  }
  for (const ReservedPicture& picture : ReservedPictures()) {
    const auto path = (picture.transparency ? transp : textures) / picture.file;
    Write(path, picture.picture, false, true);
    written.push_back(path);
  }
  return written;
}

}  // namespace lumi::content
