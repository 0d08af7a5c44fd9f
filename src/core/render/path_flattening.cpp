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

// Walks the path, calling `figure_start` at each move-to with its closed mark and point,
// `line` for each line-to and `cubic` for each complete Bezier triple.
template <typename FigureStart, typename Line, typename Cubic>
void Walk(const RasterPath& path, FigureStart figure_start, Line line, Cubic cubic) {
  const auto& points = path.Points();
  const auto& ops = path.Ops();
  const auto& closed = path.FigureClosed();
  std::size_t figure = 0;
  for (std::size_t i = 0; i < points.size();) {
    switch (ops[i]) {
      case RasterPath::Op::MoveTo:
        figure_start(figure < closed.size() && closed[figure], Safe(points[i]));
        ++figure;
        ++i;
        break;
      case RasterPath::Op::LineTo:
        line(Safe(points[i]));
        ++i;
        break;
      case RasterPath::Op::BezierTo:
        if (i + 2 >= points.size() || ops[i + 1] != RasterPath::Op::BezierTo ||
            ops[i + 2] != RasterPath::Op::BezierTo) {
          return;  // an incomplete triple ends the path
        }
        cubic(Safe(points[i]), Safe(points[i + 1]), Safe(points[i + 2]));
        i += 3;
        break;
    }
  }
}

void ForEachFlattenedFigure(const RasterPath& path,
                            const std::function<void(const Polyline&)>& visit) {
  Polyline figure;
  bool started = false;
  Walk(
      path,
      [&](bool closed, PointD start) {
        if (started) visit(figure);
        started = true;
        figure.points.clear();
        figure.points.push_back(start);
        figure.closed = closed;
      },
      [&](PointD p) { figure.points.push_back(p); },
      [&](PointD c1, PointD c2, PointD end) {
        AppendCubic(figure.points, figure.points.back(), c1, c2, end);
      });
  if (started) visit(figure);
}

std::vector<Polyline> FlattenPath(const RasterPath& path) {
  std::vector<Polyline> figures;
  ForEachFlattenedFigure(path, [&](const Polyline& figure) { figures.push_back(figure); });
  return figures;
}

std::size_t FlattenedPointCount(const RasterPath& path) {
  std::size_t count = 0;
  PointD current;
  Walk(
      path,
      [&](bool, PointD start) {
        ++count;
        current = start;
      },
      [&](PointD p) {
        ++count;
        current = p;
      },
      [&](PointD c1, PointD c2, PointD end) {
        count += static_cast<std::size_t>(PiecesFor(current, c1, c2, end));
        current = end;
      });
  return count;
}

}  // namespace lumi
