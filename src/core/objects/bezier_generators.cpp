// CBezier generators: the outline of every vector shape kind.
#include <cmath>
#include <cstdlib>

#include "objects/bezier.h"
#include "objects/curve_math.h"

namespace lumi {
namespace {

void SetNodes(std::vector<CBezierNode>& nodes, std::initializer_list<std::pair<double, double>> xy) {
  nodes.clear();
  for (const auto& [x, y] : xy) nodes.push_back({x, y, 0});
}

// Builds nodes from pixel points: the box is the bounds of the curve they describe,
// grown by 2 (closed) or 14 (open), and every node is re-expressed in it.
Rect NodesFromPixels(const std::vector<Point>& px, bool closed, std::vector<CBezierNode>& nodes) {
  const int n = static_cast<int>(px.size());
  PointBounds bounds;
  const int last = closed ? n : n - 1;
  for (int i = 0; i + 3 <= last; i += 3) {
    const Point p0 = px[i], p1 = px[i + 1], p2 = px[i + 2], p3 = px[(i + 3) % n];
    const int extent = std::max({std::abs(p0.x - p1.x), std::abs(p0.x - p2.x),
                                 std::abs(p0.x - p3.x), std::abs(p1.x - p2.x),
                                 std::abs(p1.x - p3.x), std::abs(p2.x - p3.x),
                                 std::abs(p0.y - p1.y), std::abs(p0.y - p2.y),
                                 std::abs(p0.y - p3.y), std::abs(p1.y - p2.y),
                                 std::abs(p1.y - p3.y), std::abs(p2.y - p3.y)});
    if (extent == 0) {
      bounds.Add(p0);
      continue;
    }
    const float step = 1.0f / static_cast<float>(extent);
    for (float t = 0.0f; t < 1.0f; t += step) bounds.Add(BezierPoint(t, p0, p1, p2, p3));
    bounds.Add(p3);
  }
  if (bounds.Empty()) {
    for (const Point& p : px) bounds.Add(p);
  }
  const Rect box = bounds.Grown(closed ? 2 : 14);
  nodes.clear();
  for (const Point& p : px) {
    nodes.push_back({static_cast<double>(p.x - box.left) / box.Width(),
                     static_cast<double>(p.y - box.top) / box.Height(), 0});
  }
  return box;
}

}  // namespace

void CBezier::MakeRectangle() {
  SetNodes(nodes_, {{0, 0}, {0, 0}, {1, 0}, {1, 0}, {1, 0}, {1, 1},
                    {1, 1}, {1, 1}, {0, 1}, {0, 1}, {0, 1}, {0, 0}});
}

void CBezier::MakeEllipse() {
  // 0.5 -+ 0.5 x 0.5522847498, the handle length that makes four cubics a circle.
  constexpr double k = 0.2238576250846, K = 0.7761423749154;
  SetNodes(nodes_, {{0, 0.5}, {0, k}, {k, 0}, {0.5, 0}, {K, 0}, {1, k},
                    {1, 0.5}, {1, K}, {K, 1}, {0.5, 1}, {k, 1}, {0, K}});
}

void CBezier::MakeRoundRect(double r, int width, int height) {
  if (height == 0) height = 1;
  double rx = r, ry = r * width / height;
  if (rx > 0.5) rx = 0.5;
  if (ry > 0.5) ry = 0.5;
  const double cx = rx * 0.2761423749154, cy = ry * 0.2761423749154;
  SetNodes(nodes_, {{0, ry},          {0, cy},          {cx, 0},          {rx, 0},
                    {0.5, 0},         {0.5, 0},         {1 - rx, 0},      {1 - cx, 0},
                    {1, cy},          {1, ry},          {1, 0.5},         {1, 0.5},
                    {1, 1 - ry},      {1, 1 - cy},      {1 - cx, 1},      {1 - rx, 1},
                    {0.5, 1},         {0.5, 1},         {rx, 1},          {cx, 1},
                    {0, 1 - cy},      {0, 1 - ry},      {0, 0.5},         {0, 0.5}});
}

void CBezier::MakeStar(int points, int inner_divisor) {
  closed_ = 1;
  nodes_.clear();
  if (points < 1) return;
  const double s = 2.0 * 3.141592653589793 / points;
  const double d = 2.0 * std::max(inner_divisor, 1);
  auto outer = [&](int i) {
    return CBezierNode{(std::cos(i * s) + 1.0) * 0.5, (std::sin(i * s) + 1.0) * 0.5, 0};
  };
  auto inner = [&](int i) {
    return CBezierNode{std::cos((i + 0.5) * s) / d + 0.5, std::sin((i + 0.5) * s) / d + 0.5, 0};
  };
  // Every edge is straight: each control sits on the anchor it belongs to.
  nodes_ = {outer(0), outer(0), inner(0), inner(0), inner(0)};
  for (int i = 1; i < points; ++i) {
    nodes_.insert(nodes_.end(), {outer(i), outer(i), outer(i), inner(i), inner(i), inner(i)});
  }
  nodes_.push_back(outer(0));
}

Rect CBezier::MakePath(const std::vector<Point>& points, bool closed) {
  const int c = static_cast<int>(points.size());
  if (c < 2) return {};
  std::vector<Point> px(points.begin() + 1, points.end());
  if (closed)
    px.push_back(points[1]);
  else
    px.pop_back();
  if (px.empty()) return {};
  closed_ = closed ? 1 : 0;
  return NodesFromPixels(px, closed, nodes_);
}

Rect CBezier::MakeFreePath(const std::vector<Point>& points, bool closed) {
  if (points.empty()) return {};
  if (points.size() < 6) closed = false;
  // Mouse points that crowd the last kept point are dropped, from the third point on.
  std::vector<Point> kept;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (i >= 2) {
      const Point& last = kept.back();
      if (std::abs(points[i].x - last.x) <= 4 && std::abs(points[i].y - last.y) <= 4) continue;
    }
    kept.push_back(points[i]);
  }
  const int k = static_cast<int>(kept.size());
  for (int i = 0; i < 3; ++i) kept.push_back(kept[k - 1]);
  const int count = 3 * ((k + 2) / 3) + (closed ? 0 : 1);
  kept.resize(count);
  closed_ = closed ? 1 : 0;
  return NodesFromPixels(kept, closed, nodes_);
}

}  // namespace lumi
