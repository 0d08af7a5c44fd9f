#include "render/outline_paths.h"

#include <vector>

namespace lumi {
namespace {

// The shrink of an outline-based bevel: u becomes (1 - s) u + s / 2 on each axis.
struct Shrink {
  double sx = 0.0, sy = 0.0;
  Shrink(int inset, int work_w, int work_h) {
    if (inset > 0) {
      sx = inset * 0.01 + 20.0 / work_w;
      sy = inset * 0.01 + 20.0 / work_h;
    }
  }
  double X(double u, double half) const { return (1.0 - sx) * u + sx * half; }
  double Y(double v, double half) const { return (1.0 - sy) * v + sy * half; }
};

PointD ToD(Point p) { return {static_cast<double>(p.x), static_cast<double>(p.y)}; }

}  // namespace

RasterPath ShapeRasterPath(const CBezier& outline, int work_w, int work_h, int inset) {
  RasterPath path;
  const auto& nodes = outline.Nodes();
  if (nodes.empty()) return path;
  const Shrink shrink(inset, work_w, work_h);
  std::vector<Point> points;
  points.reserve(nodes.size() + 1);
  for (const CBezierNode& node : nodes) {
    points.push_back({static_cast<int>(work_w * shrink.X(node.x, 0.5) + 0.5),
                      static_cast<int>(work_h * shrink.Y(node.y, 0.5) + 0.5)});
  }
  if (outline.IsClosed()) points.push_back(points.front());
  path.MoveTo(ToD(points[0]));
  // A poly-Bezier takes whole segments of three points after the start.
  for (std::size_t i = 1; i + 2 < points.size(); i += 3)
    path.BezierTo(ToD(points[i]), ToD(points[i + 1]), ToD(points[i + 2]));
  if (outline.IsClosed()) path.CloseFigure();
  return path;
}

RasterPath PolynomeRasterPath(const CPolynome& polynome, int work_w, int work_h, int inset) {
  RasterPath path;
  const auto& nodes = polynome.Nodes();
  if (nodes.empty()) return path;
  const Shrink shrink(inset, work_w, work_h);
  std::vector<Point> points;
  points.reserve(nodes.size());
  for (const CPolynomeNode& node : nodes) {
    points.push_back({static_cast<int>(work_w * shrink.X(node.x, 500.0) * 0.001),
                      static_cast<int>(work_h * shrink.Y(node.y, 500.0) * 0.001)});
  }
  if (polynome.IsEnvelopeOn()) polynome.WarpPoints(points, 0, 0, work_w, work_h);
  const std::size_t n = nodes.size();
  for (std::size_t i = 0; i < n;) {
    const CPolynomeNode& node = nodes[i];
    if (node.Base() == kPtMoveTo) {
      path.MoveTo(ToD(points[i]));
      ++i;
    } else if (node.IsBezier()) {
      if (i + 2 >= n) break;  // an unfinished triple draws nothing
      path.BezierTo(ToD(points[i]), ToD(points[i + 1]), ToD(points[i + 2]));
      if (nodes[i + 2].type & kPtCloseFigure) path.CloseFigure();
      i += 3;
    } else {
      path.LineTo(ToD(points[i]));
      if (node.type & kPtCloseFigure) path.CloseFigure();
      ++i;
    }
  }
  return path;
}

Rect BallBox(int width, int height, int factor) {
  Rect box{11 * factor, 11 * factor, factor * (width - 11), factor * (height - 11)};
  box.Normalize();
  return box;
}

}  // namespace lumi
