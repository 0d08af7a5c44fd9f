#pragma once
// Noise fields that repeat exactly across the edges of a tile, so the pictures made
// from them can be laid side by side without a seam. Coordinates are fractions of the
// tile, 0 <= x, y < 1; every lattice is a whole number of cells wide and wraps around.
#include <cstdint>
#include <vector>

namespace lumi::content {

// Gradient noise on a lattice of `cells_x` x `cells_y` cells over the tile; about -1..1.
double PeriodicNoise(double x, double y, int cells_x, int cells_y, std::uint32_t seed);

// Sum of `octaves` layers of noise, each twice as fine and `gain` times as strong as
// the one before. `absolute` sums the magnitudes (turbulence, 0..about 1) instead of
// the signed values (fractal noise, about -1..1).
double Fractal(double x, double y, int cells_x, int cells_y, int octaves, double gain,
               std::uint32_t seed, bool absolute = false);

// Cellular noise: distances to the nearest and second-nearest of one random point per
// cell of an n x n lattice, measured around the tile, in cell widths.
struct CellDistances {
  double nearest = 0;
  double second = 0;
  std::uint32_t cell_id = 0;  // a number that names the nearest point's cell
};
CellDistances Cellular(double x, double y, int cells, std::uint32_t seed);

// A small well-mixed hash, also used for per-cell random values.
std::uint32_t Hash(std::uint32_t a, std::uint32_t b, std::uint32_t c);
inline double HashUnit(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
  return Hash(a, b, c) / 4294967296.0;
}

// A height field of width x height values, top row first.
struct HeightField {
  int width = 0;
  int height = 0;
  std::vector<double> values;
  double At(int x, int y) const;  // wraps around the tile
};

// How much a surface faces a lamp above its top-left: 0 (away) .. 1 (full); flat
// ground gives about 0.7. `depth` scales the slopes. Neighbours wrap around.
double Lighting(const HeightField& field, int x, int y, double depth);

}  // namespace lumi::content
