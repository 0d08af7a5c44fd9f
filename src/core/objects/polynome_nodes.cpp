// CPolynome node primitives used by the node editor, and its editing feedback.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/host.h"
#include "objects/curve_math.h"
#include "objects/polynome.h"
#include "objects/outline_limits.h"

namespace lumi {

int CPolynome::HitNode(Point p, int x, int y, int w, int h, bool prefer_control) const {
  const int n = Count();
  const std::vector<Point> px = PixelPoints(x, y, w, h);
  const std::vector<int> roles = TripleRoles();
  // A point is hit from 3 pixels before it to 2 pixels after it, in x and in y.
  auto hit = [&](int j) {
    if (j < 0 || j >= n) return false;
    const int dx = p.x - px[j].x, dy = p.y - px[j].y;
    return dx >= -3 && dx <= 2 && dy >= -3 && dy <= 2;
  };
  // With the control preference a hit point yields to a hit control right after it.
  auto yield_to_control = [&](int j) {
    if (prefer_control && j + 1 < n && roles[j + 1] == 1 && hit(j + 1)) return j + 1;
    return j;
  };
  for (int i = 0; i < n;) {
    if (roles[i] == 1 && i + 2 < n) {
      const int order[3] = {prefer_control ? i : i + 2, prefer_control ? i + 1 : i,
                            prefer_control ? i + 2 : i + 1};
      for (int j : order) {
        if (!hit(j)) continue;
        return j == i + 2 ? yield_to_control(j) : j;
      }
      i += 3;
    } else {
      if (hit(i)) return yield_to_control(i);
      ++i;
    }
  }
  return -1;
}

void CPolynome::KeepReadable() {
  for (CPolynomeNode& n : nodes_) {
    n.x = ClampOutlineCoordinate(n.x, kMaxPerMilleCoordinate);
    n.y = ClampOutlineCoordinate(n.y, kMaxPerMilleCoordinate);
  }
  for (double& v : envelope_) v = ClampOutlineCoordinate(v, kMaxEnvelopeCoordinate);
}

void CPolynome::MoveNode(int index, int dx, int dy, int w, int h) {
  if (index < 0 || index >= Count() || w == 0 || h == 0) return;
  modified_ = 1;
  const double mx = static_cast<double>(dx) / w * 1000.0;
  const double my = static_cast<double>(dy) / h * 1000.0;
  const std::vector<int> roles = TripleRoles();
  auto shift = [&](int j) {
    // However far the drags go, the points stay readable.
    nodes_[j].x = ClampOutlineCoordinate(nodes_[j].x + mx, kMaxPerMilleCoordinate);
    nodes_[j].y = ClampOutlineCoordinate(nodes_[j].y + my, kMaxPerMilleCoordinate);
  };
  shift(index);
  const int role = roles[index];
  if (role == 1 || role == 2) return;  // a control moves alone
  if (role == 3) shift(index - 1);
  if (index + 1 < Count() && roles[index + 1] == 1) shift(index + 1);
}

int CPolynome::InsertNodeAt(Point p, int x, int y, int w, int h, bool island) {
  if (w == 0 || h == 0) return -1;
  const double x0 = static_cast<double>(p.x - x) / w * 1000.0;
  const double y0 = static_cast<double>(p.y - y) / h * 1000.0;
  if (island || nodes_.empty()) {
    // A 10-pixel loop of two Bezier-to triples starting and ending at the click.
    const double ox = 10.0 / w * 1000.0, oy = 10.0 / h * 1000.0;
    nodes_.push_back({x0, y0, kPtMoveTo});
    nodes_.push_back({x0, y0 + oy, kPtBezierTo});
    nodes_.push_back({x0 + ox, y0 + oy, kPtBezierTo});
    nodes_.push_back({x0 + ox, y0, kPtBezierTo});
    const int index = Count();
    nodes_.push_back({x0 + ox, y0 - oy, kPtBezierTo});
    nodes_.push_back({x0, y0 - oy, kPtBezierTo});
    nodes_.push_back({x0, y0, kPtBezierTo});
    return index;
  }
  const std::vector<Point> px = PixelPoints(x, y, w, h);
  const std::vector<int> roles = TripleRoles();
  auto near = [&](Point s) { return std::abs(s.x - p.x) < 5 && std::abs(s.y - p.y) < 5; };
  auto insert_at = [&](int i) {
    nodes_.insert(nodes_.begin() + i,
                  {{x0, y0, kPtBezierTo}, {x0, y0, kPtBezierTo}, {x0, y0, kPtBezierTo}});
    return i + 2;
  };
  Point prev = px[0];
  for (int i = 0; i < Count();) {
    if (roles[i] == 1 && i + 2 < Count()) {
      for (int k = 0; k < 100; ++k) {
        if (near(BezierPoint(k * 0.01, prev, px[i], px[i + 1], px[i + 2]))) return insert_at(i);
      }
      prev = px[i + 2];
      i += 3;
      continue;
    }
    if (nodes_[i].Base() == kPtLineTo) {
      const int dx = px[i].x - prev.x, dy = px[i].y - prev.y;
      const int m = std::max(std::abs(dx), std::abs(dy));
      for (int k = 0; k < std::max(m, 1); ++k) {
        const double t = m > 0 ? static_cast<double>(k) / m : 0.0;
        const Point s{static_cast<int>(std::floor(prev.x + dx * t + 0.5)),
                      static_cast<int>(std::floor(prev.y + dy * t + 0.5))};
        if (near(s)) return insert_at(i);
      }
    }
    prev = px[i];  // a move-to starts a new figure here
    ++i;
  }
  return -1;
}

bool CPolynome::DeleteNode(int index, Host& host) {
  if (index <= 0 || index >= Count()) {
    host.Message("This is a start point of the Polynome\nIt can't be deleted. Sorry...",
                 MessageKind::Warning);
    return false;
  }
  const std::vector<int> roles = TripleRoles();
  switch (roles[index]) {
    case 0:
      nodes_.erase(nodes_.begin() + index);
      break;
    case 3:
      nodes_.erase(nodes_.begin() + index - 2, nodes_.begin() + index + 1);
      break;
    case 1:  // straighten the start of the segment: the control goes onto its start point
      nodes_[index].x = nodes_[index - 1].x;
      nodes_[index].y = nodes_[index - 1].y;
      break;
    case 2:  // and the end of the segment: onto the triple's end point
      if (index + 1 >= Count()) return false;
      nodes_[index].x = nodes_[index + 1].x;
      nodes_[index].y = nodes_[index + 1].y;
      break;
  }
  return true;
}

void CPolynome::SetCusp(int index, bool straight) {
  if (index < 0 || index >= Count()) return;
  const std::vector<int> roles = TripleRoles();
  if (roles[index] == 1 || roles[index] == 2) return;
  const int before = roles[index] == 3 ? index - 1 : -1;
  const int after = index + 1 < Count() && roles[index + 1] == 1 ? index + 1 : -1;
  const double x = nodes_[index].x, y = nodes_[index].y;
  if (before >= 0) {
    nodes_[before].x = straight ? x : x + 40.0;
    nodes_[before].y = straight ? y : y + 40.0;
  }
  if (after >= 0) {
    nodes_[after].x = straight ? x : x - 40.0;
    nodes_[after].y = straight ? y : y + 40.0;
  }
}

namespace {

void FlattenCubic(std::vector<Point>& line, Point p0, Point p1, Point p2, Point p3) {
  const int extent = std::max({std::abs(p1.x - p0.x), std::abs(p2.x - p1.x), std::abs(p3.x - p2.x),
                               std::abs(p1.y - p0.y), std::abs(p2.y - p1.y), std::abs(p3.y - p2.y)});
  const int steps = std::clamp(extent / 2, 1, 64);
  for (int k = 1; k <= steps; ++k)
    line.push_back(BezierPoint(static_cast<double>(k) / steps, p0, p1, p2, p3));
}

}  // namespace

OutlineFeedback CPolynome::DrawFeedback(int x, int y, int w, int h, double angle_degrees) const {
  OutlineFeedback feedback;
  if (nodes_.empty()) return feedback;
  std::vector<Point> px = PixelPoints(x, y, w, h);
  if (IsEnvelopeOn()) WarpPoints(px, x, y, w, h);
  if (angle_degrees != 0.0) {
    const double a = angle_degrees * 3.141592653589793 / 180.0;
    const double c = std::cos(a), s = std::sin(a), cx = x + w * 0.5, cy = y + h * 0.5;
    for (Point& p : px) {
      p = {static_cast<int>(cx + (p.x - cx) * c + (p.y - cy) * s),
           static_cast<int>(cy - (p.x - cx) * s + (p.y - cy) * c)};
    }
  }
  feedback.first = px[0];
  const std::vector<int> roles = TripleRoles();
  std::vector<Point> line;
  auto end_figure = [&] {
    if (line.size() > 1) feedback.polylines.push_back(line);
    line.clear();
  };
  for (int i = 0; i < Count();) {
    const std::uint8_t type = nodes_[i].type;
    if (nodes_[i].Base() == kPtMoveTo || line.empty()) {
      end_figure();
      line.push_back(px[i]);
      ++i;
      continue;
    }
    if (roles[i] == 1 && i + 2 < Count()) {
      FlattenCubic(line, line.back(), px[i], px[i + 1], px[i + 2]);
      const bool close = (nodes_[i + 2].type & kPtCloseFigure) != 0;
      i += 3;
      if (close) line.push_back(line.front());
      continue;
    }
    line.push_back(px[i]);
    if (type & kPtCloseFigure) line.push_back(line.front());
    ++i;
  }
  end_figure();
  return feedback;
}

OutlineFeedback CPolynome::EnvelopeFeedback(int x, int y, int w, int h) const {
  OutlineFeedback feedback;
  Point e[8];
  for (int i = 0; i < 8; ++i) {
    e[i] = {static_cast<int>(x + w * envelope_[2 * i]), static_cast<int>(y + h * envelope_[2 * i + 1])};
    const bool corner = i == 0 || i == 3 || i == 4 || i == 7;
    feedback.squares.push_back(
        {e[i], corner ? FeedbackSquare::Kind::Corner : FeedbackSquare::Kind::Control});
  }
  feedback.first = e[0];
  for (int c = 0; c < 2; ++c) {
    const Point* p = e + 4 * c;
    std::vector<Point> curve{p[0]};
    FlattenCubic(curve, p[0], p[1], p[2], p[3]);
    feedback.polylines.push_back(std::move(curve));
    feedback.polylines.push_back({p[0], p[1]});
    feedback.polylines.push_back({p[2], p[3]});
  }
  return feedback;
}

}  // namespace lumi
