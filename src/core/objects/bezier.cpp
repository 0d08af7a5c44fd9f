// CBezier: node access, bounds, re-fitting and transforms.
#include "objects/bezier.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "objects/curve_math.h"

namespace lumi {
namespace {

// Samples one segment the way the curve bounds always have: t steps by one over the
// larger side of the control hull, accumulated in single precision, and the end point is
// added after the samples. Returns false when the hull has no extent (all four points
// on one pixel).
bool SampleSegment(Point p0, Point p1, Point p2, Point p3, PointBounds& bounds) {
  const int hull_w = std::max({p0.x, p1.x, p2.x, p3.x}) - std::min({p0.x, p1.x, p2.x, p3.x});
  const int hull_h = std::max({p0.y, p1.y, p2.y, p3.y}) - std::min({p0.y, p1.y, p2.y, p3.y});
  const int extent = std::max(hull_w, hull_h);
  if (extent == 0) {
    bounds.Add(p0);
    return false;
  }
  const float step = 1.0f / static_cast<float>(extent);
  for (float t = 0.0f; t < 1.0f; t += step) bounds.Add(BezierPoint(t, p0, p1, p2, p3));
  bounds.Add(p3);
  return true;
}

int Margin(bool closed, int closed_margin, int open_margin) {
  return closed ? closed_margin : open_margin;
}

}  // namespace

int CBezier::EditorPointCount() const {
  if (nodes_.empty()) return 0;
  return 3 * (Count() / 3) + (IsClosed() ? 0 : 1);
}

bool CBezier::TakeModified() {
  const bool modified = modified_ != 0;
  modified_ = 0;
  return modified;
}

Point CBezier::PixelOf(const CBezierNode& node, int x, int y, int w, int h) {
  return {x + static_cast<int>(w * node.x + 0.5), y + static_cast<int>(h * node.y + 0.5)};
}

std::vector<Point> CBezier::PixelPoints(int x, int y, int w, int h) const {
  std::vector<Point> points;
  points.reserve(nodes_.size());
  for (const CBezierNode& node : nodes_) points.push_back(PixelOf(node, x, y, w, h));
  return points;
}

std::vector<int> CBezier::SegmentStarts() const {
  std::vector<int> starts;
  const int n = Count();
  // A closed spline's last segment ends on node n, which is node 0 again.
  const int last = IsClosed() ? n : n - 1;
  for (int i = 0; i + 3 <= last; i += 3) starts.push_back(i);
  return starts;
}

void CBezier::Refit(const Rect& old_box, const Rect& new_box) {
  const double nw = new_box.Width(), nh = new_box.Height();
  for (CBezierNode& node : nodes_) {
    const double px = old_box.left + old_box.Width() * node.x;
    const double py = old_box.top + old_box.Height() * node.y;
    node.x = (px - new_box.left) / nw;
    node.y = (py - new_box.top) / nh;
  }
}

Rect CBezier::Bounds(int w, int h) const {
  PointBounds bounds;
  for (const CBezierNode& node : nodes_) bounds.Add(PixelOf(node, 0, 0, w, h));
  if (bounds.Empty()) return {};
  return {bounds.left, bounds.top, bounds.right, bounds.bottom};
}

Rect CBezier::FitBox(int x, int y, int w, int h) {
  const Rect old_box{x, y, x + w, y + h};
  const std::vector<int> starts = SegmentStarts();
  if (starts.empty()) return old_box;
  const std::vector<Point> px = PixelPoints(x, y, w, h);
  PointBounds bounds;
  // A segment without extent (a free path often ends on four equal points) adds only its
  // point; the box is kept only when no segment has any extent.
  bool any_extent = false;
  for (int i : starts) {
    if (SampleSegment(px[i], px[i + 1], px[i + 2], px[Wrap(i + 3)], bounds)) any_extent = true;
  }
  if (!any_extent) return old_box;
  const Rect box = bounds.Grown(Margin(IsClosed(), 2, 14));
  Refit(old_box, box);
  return box;
}

Rect CBezier::FitAnchors(int x, int y, int w, int h) {
  const Rect old_box{x, y, x + w, y + h};
  const std::vector<int> starts = SegmentStarts();
  if (starts.empty()) return old_box;
  const std::vector<Point> px = PixelPoints(x, y, w, h);
  PointBounds bounds, unused;
  for (int i : starts) {
    // The same refusal as FitBox: a segment without extent leaves the box as it was
    // (this is what keeps a 0 x 0 drag at 0 x 0 until the size clamp makes it 1 x 1).
    if (!SampleSegment(px[i], px[i + 1], px[i + 2], px[Wrap(i + 3)], unused)) return old_box;
  }
  for (int i = 0; i < Count(); i += 3) bounds.Add(px[i]);
  const Rect box = bounds.Grown(Margin(IsClosed(), 2, 7));
  Refit(old_box, box);
  return box;
}

Rect CBezier::Rotate(double angle_degrees, int x, int y, int w, int h) {
  const Rect old_box{x, y, x + w, y + h};
  if (nodes_.empty()) return old_box;
  const double a = angle_degrees * 3.141592653589793 / 180.0;
  const double c = std::cos(a), s = std::sin(a);
  const int cx = x + w / 2, cy = y + h / 2;
  std::vector<Point> rotated;
  PointBounds bounds;
  for (const CBezierNode& node : nodes_) {
    const Point p = PixelOf(node, x, y, w, h);
    const Point r{static_cast<int>(cx + (p.x - cx) * c + (p.y - cy) * s),
                  static_cast<int>(cy - (p.x - cx) * s + (p.y - cy) * c)};
    rotated.push_back(r);
    bounds.Add(r);
  }
  const Rect box = bounds.Grown(Margin(IsClosed(), 10, 15));
  for (std::size_t i = 0; i < nodes_.size(); ++i) {
    nodes_[i].x = static_cast<double>(rotated[i].x - box.left) / box.Width();
    nodes_[i].y = static_cast<double>(rotated[i].y - box.top) / box.Height();
  }
  return box;
}

void CBezier::Flip(bool vertical) {
  for (CBezierNode& node : nodes_) {
    if (vertical)
      node.y = 1.0 - node.y;
    else
      node.x = 1.0 - node.x;
  }
}

void CBezier::Skew(int top_shift, int right_shift, int bottom_shift, int left_shift, int w,
                   int h) {
  if (w == 0 || h == 0) return;
  for (CBezierNode& node : nodes_) {
    const int px = static_cast<int>(w * node.x);
    const int py = static_cast<int>(h * node.y);
    const double fy = static_cast<double>(py) / h, fx = static_cast<double>(px) / w;
    node.x = ((px + top_shift) * (1.0 - fy) + (px + bottom_shift) * fy) / w;
    node.y = ((py + left_shift) * (1.0 - fx) + (py + right_shift) * fx) / h;
  }
}

OutlineFeedback CBezier::DrawFeedback(int x, int y, int w, int h, double angle_degrees) const {
  OutlineFeedback feedback;
  if (nodes_.empty()) return feedback;
  std::vector<Point> px = PixelPoints(x, y, w, h);
  if (angle_degrees != 0.0) {
    const double a = angle_degrees * 3.141592653589793 / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    const int cx = x + w / 2, cy = y + h / 2;
    for (Point& p : px) {
      p = {static_cast<int>(cx + (p.x - cx) * c + (p.y - cy) * s),
           static_cast<int>(cy - (p.x - cx) * s + (p.y - cy) * c)};
    }
  }
  feedback.first = px[0];
  std::vector<Point> line{px[0]};
  for (int i : SegmentStarts()) {
    const Point p0 = px[i], p1 = px[i + 1], p2 = px[i + 2], p3 = px[Wrap(i + 3)];
    const int extent = std::max({std::abs(p1.x - p0.x), std::abs(p2.x - p1.x),
                                 std::abs(p3.x - p2.x), std::abs(p1.y - p0.y),
                                 std::abs(p2.y - p1.y), std::abs(p3.y - p2.y)});
    const int steps = std::clamp(extent / 2, 1, 64);
    for (int k = 1; k <= steps; ++k)
      line.push_back(BezierPoint(static_cast<double>(k) / steps, p0, p1, p2, p3));
  }
  feedback.polylines.push_back(std::move(line));
  return feedback;
}

}  // namespace lumi
