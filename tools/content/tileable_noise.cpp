#include "tileable_noise.h"

#include <algorithm>
#include <cmath>

namespace lumi::content {
namespace {

int Wrap(int i, int n) { return ((i % n) + n) % n; }

double Fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }

double Lerp(double a, double b, double t) { return a + (b - a) * t; }

// Dot product of the lattice corner's gradient with the offset to the point.
double Corner(int ix, int iy, double dx, double dy, std::uint32_t seed) {
  // Eight fixed directions keep the gradients exact and the field free of axis bias.
  static constexpr double kDirs[8][2] = {{1, 0},       {-1, 0},       {0, 1},        {0, -1},
                                         {0.7071, 0.7071}, {-0.7071, 0.7071},
                                         {0.7071, -0.7071}, {-0.7071, -0.7071}};
  const auto& g = kDirs[Hash(static_cast<std::uint32_t>(ix), static_cast<std::uint32_t>(iy), seed) & 7];
  return g[0] * dx + g[1] * dy;
}

}  // namespace

std::uint32_t Hash(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
  std::uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

double PeriodicNoise(double x, double y, int cells_x, int cells_y, std::uint32_t seed) {
  const double u = (x - std::floor(x)) * cells_x, v = (y - std::floor(y)) * cells_y;
  const int ix = static_cast<int>(std::floor(u)), iy = static_cast<int>(std::floor(v));
  const double fx = u - ix, fy = v - iy;
  const int x0 = Wrap(ix, cells_x), x1 = Wrap(ix + 1, cells_x);
  const int y0 = Wrap(iy, cells_y), y1 = Wrap(iy + 1, cells_y);
  const double a = Corner(x0, y0, fx, fy, seed), b = Corner(x1, y0, fx - 1, fy, seed);
  const double c = Corner(x0, y1, fx, fy - 1, seed), d = Corner(x1, y1, fx - 1, fy - 1, seed);
  const double sx = Fade(fx), sy = Fade(fy);
  return 1.4 * Lerp(Lerp(a, b, sx), Lerp(c, d, sx), sy);
}

double Fractal(double x, double y, int cells_x, int cells_y, int octaves, double gain,
               std::uint32_t seed, bool absolute) {
  double sum = 0, amplitude = 1, total = 0;
  for (int k = 0; k < octaves; ++k) {
    // Each layer is shifted by its own fraction of the tile, so that the lattice lines of
    // the layers do not fall on one another and draw a grid (the field is periodic, so
    // a shift keeps it seamless).
    const std::uint32_t layer = seed + 101u * static_cast<std::uint32_t>(k);
    const double n = PeriodicNoise(x + HashUnit(layer, 1, 2), y + HashUnit(layer, 3, 4), cells_x << k,
                                   cells_y << k, layer);
    sum += amplitude * (absolute ? std::fabs(n) : n);
    total += amplitude;
    amplitude *= gain;
  }
  return sum / total;
}

CellDistances Cellular(double x, double y, int cells, std::uint32_t seed) {
  const double u = x * cells, v = y * cells;
  const int ix = static_cast<int>(std::floor(u)), iy = static_cast<int>(std::floor(v));
  CellDistances out{1e9, 1e9, 0};
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const int cx = ix + dx, cy = iy + dy;
      const auto wx = static_cast<std::uint32_t>(Wrap(cx, cells));
      const auto wy = static_cast<std::uint32_t>(Wrap(cy, cells));
      const double px = cx + HashUnit(wx, wy, seed), py = cy + HashUnit(wx, wy, seed ^ 0xA5A5u);
      const double d = std::hypot(px - u, py - v);
      if (d < out.nearest) {
        out.second = out.nearest;
        out.nearest = d;
        out.cell_id = Hash(wx, wy, seed + 7);
      } else if (d < out.second) {
        out.second = d;
      }
    }
  }
  return out;
}

double HeightField::At(int x, int y) const {
  return values[static_cast<std::size_t>(Wrap(y, height)) * width + Wrap(x, width)];
}

double Lighting(const HeightField& field, int x, int y, double depth) {
  const double gx = (field.At(x + 1, y) - field.At(x - 1, y)) * depth;
  const double gy = (field.At(x, y + 1) - field.At(x, y - 1)) * depth;
  // Normal (-gx, -gy, 1) against a lamp up and to the top-left.
  const double lx = -0.5, ly = -0.5, lz = 0.7071;
  const double dot = (-gx * lx - gy * ly + lz) / std::sqrt(gx * gx + gy * gy + 1);
  return std::clamp(dot, 0.0, 1.0);
}

}  // namespace lumi::content
