// Even-odd filling by scan lines: each work row is sampled through the pixel centres
// (y = Y + 0.5); the sorted crossings of the outline with that line bound the inside
// spans, and work pixel X is inside when an odd number of crossings lie at or left of its
// centre X + 0.5.
#include <algorithm>
#include <cmath>
#include <vector>

#include "base/parallel_render.h"
#include "render/coverage_band.h"
#include "render/path_flattening.h"
#include "render/rasterizer.h"

namespace lumi {
namespace {

struct FillEdge {
  double x0, y0;  // upper end point (smaller y)
  double slope;   // dx / dy
  int row_begin;  // first work row whose centre line the edge crosses
  int row_end;    // one past the last
};

// An edge crossing the current row's centre line at x.
struct Crossing {
  double x;
  const FillEdge* edge;
};

// The first work row whose centre Y + 0.5 is at or below y, clamped to 0..rows.
int FirstRowAtOrBelow(double y, int rows) {
  return static_cast<int>(std::clamp(std::ceil(y - 0.5), 0.0, static_cast<double>(rows)));
}

// Edges of every figure, each closed back to its start. Horizontal edges never cross a
// centre line (the crossing test is half-open: y0 <= y < y1) and are left out.
// Memory: one edge per flattened point, reserved exactly, and one figure's points at a time.
std::vector<FillEdge> CollectEdges(const RasterPath& path, int rows) {
  std::vector<FillEdge> edges;
  edges.reserve(FlattenedPointCount(path));
  ForEachFlattenedFigure(path, [&](const Polyline& figure) {
    const auto& p = figure.points;
    for (std::size_t i = 0; i < p.size(); ++i) {
      PointD a = p[i];
      PointD b = p[(i + 1) % p.size()];
      if (a.y == b.y) continue;
      if (a.y > b.y) std::swap(a, b);
      FillEdge e{a.x, a.y, (b.x - a.x) / (b.y - a.y), FirstRowAtOrBelow(a.y, rows),
                 FirstRowAtOrBelow(b.y, rows)};
      if (e.row_begin < e.row_end) edges.push_back(e);
    }
  });
  std::sort(edges.begin(), edges.end(),
            [](const FillEdge& l, const FillEdge& r) { return l.row_begin < r.row_begin; });
  return edges;
}

// The first work pixel whose centre is at or right of x, clamped to 0..width.
int FirstPixelAtOrRight(double x, int width) {
  return static_cast<int>(std::clamp(std::ceil(x - 0.5), 0.0, static_cast<double>(width)));
}

// Fills work rows y0 .. y1 - 1 into `band`, whose first row is y0.
void FillRows(const std::vector<FillEdge>& edges, CoverageBand& band, int y0, int y1) {
  const int width = band.WorkWidth();
  std::vector<Crossing> active;
  std::size_t next = 0;
  // The edges that begin above the band and still cross its first row.
  for (; next < edges.size() && edges[next].row_begin < y0; ++next)
    if (edges[next].row_end > y0) active.push_back({0.0, &edges[next]});
  for (int y = y0; y < y1; ++y) {
    if (active.empty()) {
      if (next == edges.size()) break;
      while (y < y1 && y < edges[next].row_begin) {  // empty rows up to the next edge
        band.EndRow();
        ++y;
      }
      if (y == y1) break;
    }
    active.erase(std::remove_if(active.begin(), active.end(),
                                [y](const Crossing& c) { return c.edge->row_end <= y; }),
                 active.end());
    while (next < edges.size() && edges[next].row_begin == y)
      active.push_back({0.0, &edges[next++]});

    const double centre = y + 0.5;
    for (Crossing& c : active) c.x = c.edge->x0 + (centre - c.edge->y0) * c.edge->slope;
    // The active list stays nearly sorted from row to row, so insertion sort is cheap.
    // Only the sorted crossing values make the spans, so a band that starts with the
    // list in another order makes the same ones.
    for (std::size_t i = 1; i < active.size(); ++i) {
      const Crossing c = active[i];
      std::size_t j = i;
      while (j > 0 && active[j - 1].x > c.x) {
        active[j] = active[j - 1];
        --j;
      }
      active[j] = c;
    }
    for (std::size_t i = 0; i + 1 < active.size(); i += 2)
      band.AddSpan(FirstPixelAtOrRight(active[i].x, width),
                   FirstPixelAtOrRight(active[i + 1].x, width));
    band.EndRow();
  }
  band.Finish();
}

}  // namespace

void FillPathEvenOdd(const RasterPath& path, const MaskTarget& target) {
  const CoverageBand whole(target);
  if (!whole.Valid()) return;
  const int factor = whole.WorkHeight() / target.height;
  const std::vector<FillEdge> edges = CollectEdges(path, whole.WorkHeight());
  // Mask rows depend only on the outline: bands of them are filled side by side, each
  // with its own coverage band and active edges.
  ParallelRows(target.height, MinRowsToSplit(target.width * factor), [&](int first, int last) {
    MaskTarget part = target;
    part.pixels = target.pixels + static_cast<std::size_t>(first) * target.width;
    part.height = last - first;
    CoverageBand band(part);
    FillRows(edges, band, first * factor, last * factor);
  });
}

}  // namespace lumi
