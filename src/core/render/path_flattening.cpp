#include "render/path_flattening.h"

#include <algorithm>
#include <cmath>

namespace lumi {
namespace {

double SafeCoordinate(double v) {
  if (std::isnan(v)) return 0.0;
  return std::clamp(v, -kCoordinateLimit, kCoordinateLimit);
}

PointD Safe(PointD p) { return {SafeCoordinate(p.x), SafeCoordinate(p.y)}; }

// Pieces needed so that a uniform parameter split keeps within the tolerance: the distance
// between a cubic and its chord over a step h is at most h^2 / 8 times the largest second
// derivative, which is at most 6 times the largest second difference of the control points.
int PiecesFor(PointD p0, PointD p1, PointD p2, PointD p3) {
  const double ax = p0.x - 2 * p1.x + p2.x, ay = p0.y - 2 * p1.y + p2.y;
  const double bx = p1.x - 2 * p2.x + p3.x, by = p1.y - 2 * p2.y + p3.y;
  const double dd = std::max(std::hypot(ax, ay), std::hypot(bx, by));
  const double n = std::ceil(std::sqrt(0.75 * dd / kFlatteningTolerance));
  if (!(n >= 1.0)) return 1;
  return static_cast<int>(std::min(n, static_cast<double>(kMaxPiecesPerCurve)));
}

void AppendCubic(std::vector<PointD>& out, PointD p0, PointD p1, PointD p2, PointD p3) {
  const int n = PiecesFor(p0, p1, p2, p3);
  for (int i = 1; i < n; ++i) {
    const double t = static_cast<double>(i) / n;
    const double s = 1.0 - t;
    const double b0 = s * s * s, b1 = 3 * s * s * t, b2 = 3 * s * t * t, b3 = t * t * t;
    out.push_back({b0 * p0.x + b1 * p1.x + b2 * p2.x + b3 * p3.x,
                   b0 * p0.y + b1 * p1.y + b2 * p2.y + b3 * p3.y});
  }
  out.push_back(p3);  // the end point exactly, so that figures close without gaps
}

}  // namespace

std::vector<Polyline> FlattenPath(const RasterPath& path) {
  std::vector<Polyline> figures;
  const auto& points = path.Points();
  const auto& ops = path.Ops();
  const auto& closed = path.FigureClosed();
  std::size_t figure = 0;
  for (std::size_t i = 0; i < points.size();) {
    switch (ops[i]) {
      case RasterPath::Op::MoveTo:
        figures.emplace_back();
        figures.back().closed = figure < closed.size() && closed[figure];
        ++figure;
        figures.back().points.push_back(Safe(points[i]));
        ++i;
        break;
      case RasterPath::Op::LineTo:
        figures.back().points.push_back(Safe(points[i]));
        ++i;
        break;
      case RasterPath::Op::BezierTo:
        if (i + 2 >= points.size() || ops[i + 1] != RasterPath::Op::BezierTo ||
            ops[i + 2] != RasterPath::Op::BezierTo) {
          i = points.size();  // an incomplete triple ends the path
          break;
        }
        AppendCubic(figures.back().points, figures.back().points.back(), Safe(points[i]),
                    Safe(points[i + 1]), Safe(points[i + 2]));
        i += 3;
        break;
    }
  }
  return figures;
}

}  // namespace lumi
