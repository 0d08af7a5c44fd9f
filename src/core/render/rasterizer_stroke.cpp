// Stroking by scan lines. A wide pen (more than one work pixel) covers the work pixels
// whose centres lie within half the pen width of some piece of the polyline: the union of
// one capsule per piece, which gives round caps and round joins. A thin pen (one pixel or
// less) draws one-pixel lines; see pen_rules.h for both rules.
//
// Per work row each piece gives one run of covered pixels (the capsules are convex and the
// thin line is monotonic). The run is first estimated geometrically and then its two ends
// are settled with the exact pixel rule, so the result matches the rule pixel for pixel.
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "render/coverage_band.h"
#include "render/path_flattening.h"
#include "render/pen_rules.h"
#include "render/rasterizer.h"

namespace lumi {
namespace {

struct StrokePiece {
  PenSegment segment;
  int row_begin;
  int row_end;
};

struct Run {
  int first, last;  // inclusive work pixels
};

int ClampedRow(double y, int rows) {
  return static_cast<int>(std::clamp(y, 0.0, static_cast<double>(rows)));
}

// Settles an estimated run [xl, xr] (work coordinates of pixel centres) against the exact
// rule: the estimate may be off by rounding, so its ends move until `covered` holds on the
// run's ends and fails just outside them. Returns false when no pixel is covered.
template <typename Covered>
bool SettleRun(double xl, double xr, int width, Covered covered, Run& run) {
  int lo = static_cast<int>(std::clamp(std::ceil(xl - 0.5), 0.0, static_cast<double>(width)));
  int hi = static_cast<int>(std::clamp(std::floor(xr - 0.5), -1.0, width - 1.0));
  while (lo > 0 && covered(lo - 1)) --lo;
  while (hi < width - 1 && covered(hi + 1)) ++hi;
  while (lo <= hi && !covered(lo)) ++lo;
  while (hi >= lo && !covered(hi)) --hi;
  if (lo > hi) return false;
  run = {lo, hi};
  return true;
}

// Widens a real interval [l, r] by `part` of the other interval, keeping the larger.
void Include(double& l, double& r, double pl, double pr) {
  if (pl > pr) return;
  l = std::min(l, pl);
  r = std::max(r, pr);
}

// The centre line y of a row crosses the capsule of `s` (radius `radius`, slightly larger
// than the pen's so that rounding never makes the estimate too short) along [l, r]: the
// union of the two end discs and the band beside the segment.
bool EstimateCapsuleRun(const PenSegment& s, double radius, double y, double& l, double& r) {
  l = HUGE_VAL;
  r = -HUGE_VAL;
  for (const PointD& c : {PointD{s.ax, s.ay}, PointD{s.bx, s.by}}) {
    const double dy = y - c.y;
    const double h2 = radius * radius - dy * dy;
    if (h2 >= 0) Include(l, r, c.x - std::sqrt(h2), c.x + std::sqrt(h2));
  }
  const double dx = s.bx - s.ax, dy = s.by - s.ay;
  const double length = std::hypot(dx, dy);
  if (length > 0) {
    const double qy = y - s.ay;
    double bl = -HUGE_VAL, br = HUGE_VAL;
    // Within the radius of the infinite line: |dx * qy - dy * qx| <= radius * length.
    if (dy == 0) {
      if (std::abs(qy) > radius) bl = HUGE_VAL;
    } else {
      const double u = (dx * qy - radius * length) / dy, v = (dx * qy + radius * length) / dy;
      bl = s.ax + std::min(u, v);
      br = s.ax + std::max(u, v);
    }
    // Projecting onto the segment itself: 0 <= qx * dx + qy * dy <= length^2.
    if (dx == 0) {
      const double t = qy * dy;
      if (t < 0 || t > length * length) bl = HUGE_VAL;
    } else {
      const double u = -qy * dy / dx, v = (length * length - qy * dy) / dx;
      bl = std::max(bl, s.ax + std::min(u, v));
      br = std::min(br, s.ax + std::max(u, v));
    }
    Include(l, r, bl, br);
  }
  return l <= r;
}

// Thin lines: the run of a row for a mostly horizontal piece, whose pixel in column X is
// the one containing the piece's height at the column centre.
bool EstimateThinRun(const PenSegment& s, int row, double& l, double& r) {
  l = s.ax;
  r = s.bx;
  const double slope = (s.by - s.ay) / (s.bx - s.ax);
  if (slope == 0) return std::floor(s.ay) == row;
  double u = s.ax + (row - s.ay) / slope, v = s.ax + (row + 1 - s.ay) / slope;
  if (u > v) std::swap(u, v);
  l = std::max(l, u - 1);
  r = std::min(r, v + 1);
  return l <= r;
}

std::vector<StrokePiece> CollectPieces(const RasterPath& path, const PenRule& pen, int rows) {
  std::vector<StrokePiece> pieces;
  pieces.reserve(FlattenedPointCount(path));
  ForEachFlattenedFigure(path, [&](const Polyline& figure) {
    const auto& p = figure.points;
    const std::size_t n = p.size();
    if (n < 2) return;
    const std::size_t count = figure.closed ? n : n - 1;
    for (std::size_t i = 0; i < count; ++i) {
      const PenSegment s = pen.Normalise(p[i], p[(i + 1) % n]);
      if (pen.thin && s.ax == s.bx && s.ay == s.by) continue;  // a thin dot draws nothing
      double top, bottom;
      if (pen.thin) {
        top = std::floor(std::min(s.ay, s.by)) - 1;
        bottom = std::floor(std::max(s.ay, s.by)) + 2;
      } else {
        top = std::floor(std::min(s.ay, s.by) - pen.radius) - 1;
        bottom = std::floor(std::max(s.ay, s.by) + pen.radius) + 2;
      }
      StrokePiece piece{s, ClampedRow(top, rows), ClampedRow(bottom, rows)};
      if (piece.row_begin < piece.row_end) pieces.push_back(piece);
    }
  });
  std::sort(pieces.begin(), pieces.end(), [](const StrokePiece& a, const StrokePiece& b) {
    return a.row_begin < b.row_begin;
  });
  return pieces;
}

}  // namespace

void StrokePath(const RasterPath& path, double pen_width, const MaskTarget& target) {
  CoverageBand band(target);
  if (!band.Valid()) return;
  const int rows = band.WorkHeight();
  const int width = band.WorkWidth();
  const PenRule pen = PenRule::ForWidth(pen_width);
  const double estimate_radius = pen.radius * (1 + 1e-9) + 1e-9;
  std::vector<StrokePiece> pieces = CollectPieces(path, pen, rows);

  std::vector<const StrokePiece*> active;
  std::vector<Run> runs;
  std::size_t next = 0;
  for (int y = 0; y < rows; ++y) {
    if (active.empty()) {
      if (next == pieces.size()) break;
      while (y < pieces[next].row_begin) {
        band.EndRow();
        ++y;
      }
    }
    active.erase(std::remove_if(active.begin(), active.end(),
                                [y](const StrokePiece* p) { return p->row_end <= y; }),
                 active.end());
    while (next < pieces.size() && pieces[next].row_begin == y) active.push_back(&pieces[next++]);

    runs.clear();
    const double centre = y + 0.5;
    for (const StrokePiece* piece : active) {
      const PenSegment& s = piece->segment;
      Run run;
      double l, r;
      if (!pen.thin) {
        if (EstimateCapsuleRun(s, estimate_radius, centre, l, r) &&
            SettleRun(l, r, width,
                      [&](int x) { return pen.CoversWide(s, x + 0.5, centre); }, run))
          runs.push_back(run);
      } else if (s.x_major) {
        if (EstimateThinRun(s, y, l, r) &&
            SettleRun(l, r, width, [&](int x) { return pen.CoversThin(s, x, y); }, run))
          runs.push_back(run);
      } else if (s.ay <= centre && centre <= s.by) {
        const double x = std::floor(s.ax + (centre - s.ay) * ((s.bx - s.ax) / (s.by - s.ay)));
        if (x >= 0 && x < width) runs.push_back({static_cast<int>(x), static_cast<int>(x)});
      }
    }
    // Pieces overlap at joins; the union of their runs is what the pen covers.
    std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < runs.size();) {
      int first = runs[i].first, last = runs[i].last;
      for (++i; i < runs.size() && runs[i].first <= last + 1; ++i) last = std::max(last, runs[i].last);
      band.AddSpan(first, last + 1);
    }
    band.EndRow();
  }
  band.Finish();
}

}  // namespace lumi
