// CPolynome: building, bounds, re-fitting, transforms and the envelope.
#include "objects/polynome.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "objects/curve_math.h"

namespace lumi {
namespace {

constexpr double kPi = 3.141592653589793;

struct RotationD {
  double c, s, cx, cy;
  // The rotation every outline uses: clockwise on screen for a positive angle.
  void Apply(double x, double y, double& rx, double& ry) const {
    rx = cx + (x - cx) * c + (y - cy) * s;
    ry = cy - (x - cx) * s + (y - cy) * c;
  }
};

RotationD MakeRotation(double angle_degrees, double cx, double cy) {
  const double a = angle_degrees * kPi / 180.0;
  return {std::cos(a), std::sin(a), cx, cy};
}

}  // namespace

void CPolynome::ResetEnvelope() {
  envelope_ = kDefaultEnvelope;
  envelope_on_ = 0;
}

bool CPolynome::TakeModified() {
  const bool modified = modified_ != 0;
  modified_ = 0;
  return modified;
}

Point CPolynome::PixelOf(const CPolynomeNode& node, int x, int y, int w, int h) {
  return {x + static_cast<int>(w * node.x * 0.001), y + static_cast<int>(h * node.y * 0.001)};
}

std::vector<Point> CPolynome::PixelPoints(int x, int y, int w, int h) const {
  std::vector<Point> points;
  points.reserve(nodes_.size());
  for (const CPolynomeNode& node : nodes_) points.push_back(PixelOf(node, x, y, w, h));
  return points;
}

void CPolynome::FromBezier(const std::vector<Point>& points, int x, int y, int w, int h) {
  nodes_.clear();
  if (points.empty() || w == 0 || h == 0) return;
  auto node = [&](Point p, std::uint8_t type) {
    return CPolynomeNode{(p.x - x) / static_cast<double>(w) * 1000.0,
                         (p.y - y) / static_cast<double>(h) * 1000.0, type};
  };
  nodes_.push_back(node(points[0], kPtMoveTo));
  for (std::size_t i = 1; i < points.size(); ++i) nodes_.push_back(node(points[i], kPtBezierTo));
  if (points.size() % 3 == 0) nodes_.push_back(node(points[0], kPtBezierTo));
}

Rect CPolynome::MakeArrow(Point tip, Point second, Point third) {
  const double a = tip.x, b = tip.y, c = second.x, d = second.y;
  const double theta = std::atan2(b - d, c - a) + kPi / 2.0;
  const int g = static_cast<int>(a + 12.0 * std::sin(theta + 0.25));
  const int r = static_cast<int>(b + 12.0 * std::cos(theta + 0.25));
  const double h = a + 12.0 * std::sin(theta), o = b + 12.0 * std::cos(theta);
  const int l = static_cast<int>(2.0 * h - g), t = static_cast<int>(2.0 * o - r);

  PointBounds bounds;
  for (Point p : {Point{g, r}, Point{l, t}, tip, second, third}) bounds.Add(p);
  const Rect box = bounds.Grown(12);
  if (box.IsEmpty()) return {};

  auto node = [&](Point p, std::uint8_t type) {
    return CPolynomeNode{static_cast<double>(p.x - box.left) / box.Width() * 1000.0,
                         static_cast<double>(p.y - box.top) / box.Height() * 1000.0, type};
  };
  nodes_ = {node({g, r}, kPtMoveTo), node(tip, kPtLineTo),    node({l, t}, kPtLineTo),
            node(tip, kPtMoveTo),    node(second, kPtLineTo)};
  if (!(third == second)) nodes_.push_back(node(third, kPtLineTo));
  open_ = 1;
  return box;
}

void CPolynome::Append(const CPolynome& other, const Rect& other_box, const Rect& box) {
  if (box.Width() == 0 || box.Height() == 0) return;
  for (const CPolynomeNode& n : other.nodes_) {
    const double px = other_box.left + other_box.Width() * n.x * 0.001;
    const double py = other_box.top + other_box.Height() * n.y * 0.001;
    nodes_.push_back({(px - box.left) / box.Width() * 1000.0,
                      (py - box.top) / box.Height() * 1000.0, n.type});
  }
}

void CPolynome::BakeEnvelope() {
  std::vector<Point> points;
  points.reserve(nodes_.size());
  for (const CPolynomeNode& n : nodes_)
    points.push_back({static_cast<int>(n.x), static_cast<int>(n.y)});
  if (IsEnvelopeOn()) WarpPoints(points, 0, 0, 1000, 1000);
  for (std::size_t i = 0; i < nodes_.size(); ++i) {
    nodes_[i].x = points[i].x;
    nodes_[i].y = points[i].y;
  }
  ResetEnvelope();
}

Rect CPolynome::FitBox(int x, int y, int w, int h) {
  const Rect old_box{x, y, x + w, y + h};
  Point p[8];
  for (int i = 0; i < 8; ++i) {
    p[i] = {static_cast<int>(x + w * envelope_[2 * i]), static_cast<int>(y + h * envelope_[2 * i + 1])};
  }
  PointBounds bounds;
  for (int i : {0, 3, 4, 7}) bounds.Add(p[i]);
  for (float t = 0.0f; t < 1.0f; t += 0.02f) {
    bounds.Add(BezierPoint(t, p[0], p[1], p[2], p[3]));
    bounds.Add(BezierPoint(t, p[4], p[5], p[6], p[7]));
  }
  const Rect box{bounds.left, bounds.top, bounds.right, bounds.bottom};
  if (box.IsEmpty()) return old_box;
  // The envelope follows the box, so the warped look stays where it was.
  for (int i = 0; i < 8; ++i) {
    envelope_[2 * i] = (x + w * envelope_[2 * i] - box.left) / box.Width();
    envelope_[2 * i + 1] = (y + h * envelope_[2 * i + 1] - box.top) / box.Height();
  }
  return box;
}

Rect CPolynome::FitNodes(int x, int y, int w, int h) {
  const Rect old_box{x, y, x + w, y + h};
  if (nodes_.empty()) return old_box;
  const std::vector<Point> px = PixelPoints(x, y, w, h);
  const std::vector<int> roles = TripleRoles();
  PointBounds bounds;
  for (int i = 0; i < Count(); ++i) {
    if (roles[i] == 0) {
      bounds.Add(px[i]);
    } else if (roles[i] == 1 && i + 2 < Count()) {
      const Point start = i > 0 ? px[i - 1] : px[i];
      for (float t = 0.0f; t < 1.0f; t += 0.02f)
        bounds.Add(BezierPoint(t, start, px[i], px[i + 1], px[i + 2]));
    } else if (roles[i] == 3) {
      bounds.Add(px[i]);
    }
  }
  const Rect box = bounds.Grown(IsOpen() ? 14 : 2);
  for (CPolynomeNode& n : nodes_) {
    n.x = (x + w * n.x * 0.001 - box.left) / box.Width() * 1000.0;
    n.y = (y + h * n.y * 0.001 - box.top) / box.Height() * 1000.0;
  }
  return box;
}

Rect CPolynome::Rotate(double angle_degrees, int x, int y, int w, int h) {
  const Rect old_box{x, y, x + w, y + h};
  if (nodes_.empty()) return old_box;
  const RotationD canvas = MakeRotation(angle_degrees, x + w * 0.5, y + h * 0.5);
  const RotationD fine = MakeRotation(angle_degrees, 500.0 * w, 500.0 * h);
  PointBounds box_bounds, fine_bounds;
  std::vector<Point> rotated;
  rotated.reserve(nodes_.size());
  for (const CPolynomeNode& n : nodes_) {
    double rx, ry;
    canvas.Apply(x + w * n.x * 0.001, y + h * n.y * 0.001, rx, ry);
    box_bounds.Add({static_cast<int>(rx), static_cast<int>(ry)});
    // The nodes turn in a space a thousand times finer than the pixels.
    fine.Apply(w * n.x, h * n.y, rx, ry);
    rotated.push_back({static_cast<int>(rx), static_cast<int>(ry)});
    fine_bounds.Add(rotated.back());
  }
  const double span_x = fine_bounds.right - fine_bounds.left;
  const double span_y = fine_bounds.bottom - fine_bounds.top;
  for (std::size_t i = 0; i < nodes_.size(); ++i) {
    nodes_[i].x = span_x > 0 ? (rotated[i].x - fine_bounds.left) / span_x * 1000.0 : 0.0;
    nodes_[i].y = span_y > 0 ? (rotated[i].y - fine_bounds.top) / span_y * 1000.0 : 0.0;
  }
  return {box_bounds.left, box_bounds.top, box_bounds.right, box_bounds.bottom};
}

Rect CPolynome::RotateEnvelope(double angle_degrees, int x, int y, int w, int h) {
  envelope_on_ = 1;
  const RotationD rotation = MakeRotation(angle_degrees, x + w * 0.5, y + h * 0.5);
  double px[8], py[8];
  for (int i = 0; i < 8; ++i)
    rotation.Apply(x + w * envelope_[2 * i], y + h * envelope_[2 * i + 1], px[i], py[i]);
  double left = DBL_MAX, top = DBL_MAX, right = -DBL_MAX, bottom = -DBL_MAX;
  for (int i : {0, 3, 4, 7}) {
    left = std::min(left, px[i]);
    right = std::max(right, px[i]);
    top = std::min(top, py[i]);
    bottom = std::max(bottom, py[i]);
  }
  const double bw = right - left, bh = bottom - top;
  for (int i = 0; i < 8; ++i) {
    envelope_[2 * i] = bw > 0 ? (px[i] - left) / bw : 0.0;
    envelope_[2 * i + 1] = bh > 0 ? (py[i] - top) / bh : 0.0;
  }
  return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
          static_cast<int>(bottom)};
}

void CPolynome::Flip(bool vertical) {
  for (CPolynomeNode& n : nodes_) {
    if (vertical)
      n.y = 1000.0 - n.y;
    else
      n.x = 1000.0 - n.x;
  }
}

void CPolynome::FlipEnvelope(bool vertical) {
  for (int i = 0; i < 8; ++i) {
    double& v = envelope_[2 * i + (vertical ? 1 : 0)];
    v = 1.0 - v;
  }
  envelope_on_ = 1;
}

namespace {

// The skew of the skew tool on one point given as a fraction of the box (scale 1 for
// unit coordinates, 1000 for per mille).
void SkewPoint(double& ux, double& uy, double scale, int top_shift, int right_shift,
               int bottom_shift, int left_shift, int w, int h) {
  const int px = static_cast<int>(w * ux / scale);
  const int py = static_cast<int>(h * uy / scale);
  const double fy = static_cast<double>(py) / h, fx = static_cast<double>(px) / w;
  ux = ((px + top_shift) * (1.0 - fy) + (px + bottom_shift) * fy) / w * scale;
  uy = ((py + left_shift) * (1.0 - fx) + (py + right_shift) * fx) / h * scale;
}

}  // namespace

void CPolynome::Skew(int top_shift, int right_shift, int bottom_shift, int left_shift, int w,
                     int h) {
  if (w == 0 || h == 0) return;
  for (CPolynomeNode& n : nodes_)
    SkewPoint(n.x, n.y, 1000.0, top_shift, right_shift, bottom_shift, left_shift, w, h);
}

void CPolynome::SkewEnvelope(int top_shift, int right_shift, int bottom_shift, int left_shift,
                             int w, int h) {
  if (w == 0 || h == 0) return;
  for (int i = 0; i < 8; ++i) {
    SkewPoint(envelope_[2 * i], envelope_[2 * i + 1], 1.0, top_shift, right_shift,
              bottom_shift, left_shift, w, h);
  }
  envelope_on_ = 1;
}

void CPolynome::MoveEnvelopeHandle(int handle, int dx, int dy, int w, int h) {
  if (handle < 0 || handle > 7 || w == 0 || h == 0) return;
  // A corner drags the inner control next to it; an inner control moves alone.
  static constexpr int kMoved[8][2] = {{0, 1}, {1, -1}, {2, -1}, {3, 2},
                                       {4, 5}, {5, -1}, {6, -1}, {7, 6}};
  for (int point : kMoved[handle]) {
    if (point < 0) continue;
    envelope_[2 * point] += static_cast<double>(dx) / w;
    envelope_[2 * point + 1] += static_cast<double>(dy) / h;
  }
  envelope_on_ = 1;
  modified_ = 1;
}

void CPolynome::WarpPoints(std::vector<Point>& points, int x, int y, int w, int h) const {
  if (w <= 0 || h <= 0) return;
  Point e[8];
  for (int i = 0; i < 8; ++i) {
    e[i] = {static_cast<int>(x + w * envelope_[2 * i]), static_cast<int>(y + h * envelope_[2 * i + 1])};
  }
  std::vector<Point> top(w), bottom(w);
  float t = 0.0f;
  const float step = 1.0f / static_cast<float>(w);
  for (int k = 0; k < w; ++k, t += step) {
    top[k] = BezierPoint(t, e[0], e[1], e[2], e[3]);
    bottom[k] = BezierPoint(t, e[4], e[5], e[6], e[7]);
  }
  for (Point& p : points) {
    // Truncated towards zero, so one column on either side of the box still warps.
    const long long k = static_cast<long long>(w - 1) * (p.x - x) / w;
    if (k < 0 || k >= w) continue;
    const float l = static_cast<float>(p.y - y) / static_cast<float>(h);
    const Point tk = top[k], bk = bottom[k];
    p.x = static_cast<int>(l * bk.x + (1.0f - l) * tk.x);
    p.y = static_cast<int>((1.0f - l) * tk.y + l * bk.y);
  }
}

std::vector<int> CPolynome::TripleRoles() const {
  std::vector<int> roles(nodes_.size(), 0);
  for (int i = 0; i < Count();) {
    if (!nodes_[i].IsBezier()) {
      ++i;
      continue;
    }
    for (int r = 1; r <= 3 && i < Count(); ++r, ++i) roles[i] = r;
  }
  return roles;
}

}  // namespace lumi
