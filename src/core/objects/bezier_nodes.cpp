// CBezier node primitives used by the node editor: hit, move, insert, delete, cusp,
// mirror, break and close.
#include <cstdlib>

#include "objects/bezier.h"
#include "objects/outline_limits.h"
#include "objects/curve_math.h"

namespace lumi {

int CBezier::HitNode(Point p, int x, int y, int w, int h, bool prefer_control) const {
  int result = -2;
  bool first_matched = false;
  for (int i = 0; i < Count(); ++i) {
    const Point q = PixelOf(nodes_[i], x, y, w, h);
    if (std::abs(q.x - p.x) >= 3 || std::abs(q.y - p.y) >= 3) continue;
    const bool anchor = i % 3 == 0;
    if (prefer_control) {
      if (!anchor) result = i;
      continue;
    }
    if (anchor) {
      result = i;
      if (i == 0) first_matched = true;
    } else if (first_matched) {
      // Node 0 won already: a later control lying on it (the closing handle) keeps it.
      result = 0;
    } else if (result != i - 1) {
      result = i;
    }
  }
  return result;
}

void CBezier::KeepReadable() {
  for (CBezierNode& n : nodes_) {
    n.x = ClampOutlineCoordinate(n.x, kMaxUnitCoordinate);
    n.y = ClampOutlineCoordinate(n.y, kMaxUnitCoordinate);
  }
}

void CBezier::MoveNode(int index, int dx, int dy, int w, int h) {
  if ((dx == 0 && dy == 0) || index < 0 || index >= Count() || w == 0 || h == 0) return;
  modified_ = 1;
  const double ux = static_cast<double>(dx) / w, uy = static_cast<double>(dy) / h;
  auto shift = [&](int j) {
    // However far the drags go, the points stay readable.
    nodes_[j].x = ClampOutlineCoordinate(nodes_[j].x + ux, kMaxUnitCoordinate);
    nodes_[j].y = ClampOutlineCoordinate(nodes_[j].y + uy, kMaxUnitCoordinate);
  };
  shift(index);
  if (index % 3 != 0) return;
  // An anchor carries its two handles along.
  if (index > 0)
    shift(index - 1);
  else if (IsClosed() && Count() > 1)
    shift(Count() - 1);
  if (index + 1 < Count()) shift(index + 1);
}

int CBezier::InsertNodeAt(Point p, int x, int y, int w, int h) {
  if (w == 0 || h == 0) return -1;
  const std::vector<Point> px = PixelPoints(x, y, w, h);
  for (int i : SegmentStarts()) {
    for (int k = 0; k < 20; ++k) {
      const Point s = BezierPoint(k * 0.05, px[i], px[i + 1], px[i + 2], px[Wrap(i + 3)]);
      if (std::abs(s.x - p.x) > 10 || std::abs(s.y - p.y) > 10) continue;
      const CBezierNode node{static_cast<double>(p.x - x) / w, static_cast<double>(p.y - y) / h, 0};
      nodes_.insert(nodes_.begin() + i + 2, {node, node, node});
      return i + 4;
    }
  }
  return -1;
}

bool CBezier::DeleteNode(int index) {
  const int n = Count();
  if (n <= 6 || index < 0 || index >= n) return false;
  if (index % 3 == 1) {
    nodes_[index].x = nodes_[index - 1].x;
    nodes_[index].y = nodes_[index - 1].y;
    return true;
  }
  if (index % 3 == 2) {
    const CBezierNode& anchor = nodes_[Wrap(index + 1)];
    nodes_[index].x = anchor.x;
    nodes_[index].y = anchor.y;
    return true;
  }
  if (index == 0) {
    const CBezierNode removed_control = nodes_[2];
    nodes_.erase(nodes_.begin(), nodes_.begin() + 3);
    if (IsClosed()) {
      nodes_.back().x = removed_control.x;
      nodes_.back().y = removed_control.y;
    }
  } else if (!IsClosed() && index == n - 1) {
    nodes_.erase(nodes_.begin() + n - 3, nodes_.end());
  } else {
    if (index + 1 >= n) return false;
    nodes_.erase(nodes_.begin() + index - 1, nodes_.begin() + index + 2);
  }
  return true;
}

void CBezier::SetCusp(int index, bool straight) {
  const int n = Count();
  if (index < 0 || index >= n || index % 3 != 0) return;
  const int before = index > 0 ? index - 1 : (IsClosed() ? n - 1 : -1);
  const int after = index + 1 < n ? index + 1 : -1;
  const CBezierNode anchor = nodes_[index];
  if (straight) {
    for (int j : {before, after}) {
      if (j < 0 || j == index) continue;
      nodes_[j].x = anchor.x;
      nodes_[j].y = anchor.y;
    }
    return;
  }
  // Smooth: both handles 0.2 of the box width to either side, each keeping its height.
  if (after >= 0 && after != index) nodes_[after].x = anchor.x + 0.2;
  if (before >= 0 && before != index) nodes_[before].x = anchor.x - 0.2;
}

void CBezier::MirrorControl(int index) {
  const int n = Count();
  if (index < 0 || index >= n || index % 3 == 0) return;
  int anchor, other;
  if (index % 3 == 1) {
    anchor = index - 1;
    other = index - 2;
    if (other < 0) other = IsClosed() ? n - 1 : -1;
  } else {
    anchor = index + 1;
    other = index + 2;
    if (IsClosed()) {
      anchor %= n;
      other %= n;
    } else if (other >= n) {
      other = -1;
    }
  }
  if (other < 0 || anchor >= n || other == index) return;
  nodes_[other].x = 2.0 * nodes_[anchor].x - nodes_[index].x;
  nodes_[other].y = 2.0 * nodes_[anchor].y - nodes_[index].y;
}

void CBezier::BreakPath() {
  if (!IsClosed() || nodes_.empty()) return;
  nodes_.push_back(nodes_.front());
  closed_ = 0;
}

void CBezier::ClosePath() {
  if (IsClosed()) return;
  if (!nodes_.empty()) nodes_.pop_back();
  closed_ = 1;
}

}  // namespace lumi
