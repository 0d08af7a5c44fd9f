#include "objects/glyph_path.h"

namespace lumi {

CubicControls QuadraticToCubic(PointD p0, PointD q, PointD p2) {
  constexpr double kTwoThirds = 2.0 / 3.0;
  return {{p0.x + kTwoThirds * (q.x - p0.x), p0.y + kTwoThirds * (q.y - p0.y)},
          {p2.x + kTwoThirds * (q.x - p2.x), p2.y + kTwoThirds * (q.y - p2.y)}};
}

void PathBuilder::MoveTo(PointD p) {
  CloseFigure();
  figure_start_ = out_.size();
  out_.push_back({p.x, p.y, PathPoint::kMoveTo});
  open_ = true;
  current_ = p;
}

void PathBuilder::LineTo(PointD p) {
  if (!open_) MoveTo(current_);
  if (p == current_) return;
  out_.push_back({p.x, p.y, PathPoint::kLineTo});
  current_ = p;
}

void PathBuilder::QuadTo(PointD q, PointD p) {
  const CubicControls c = QuadraticToCubic(current_, q, p);
  CubicTo(c.c1, c.c2, p);
}

void PathBuilder::CubicTo(PointD c1, PointD c2, PointD p) {
  if (!open_) MoveTo(current_);
  out_.push_back({c1.x, c1.y, PathPoint::kBezierTo});
  out_.push_back({c2.x, c2.y, PathPoint::kBezierTo});
  out_.push_back({p.x, p.y, PathPoint::kBezierTo});
  current_ = p;
}

void PathBuilder::CloseFigure() {
  if (!open_) return;
  open_ = false;
  if (out_.size() - figure_start_ < 2) {
    out_.resize(figure_start_);  // a lone move-to draws nothing
    return;
  }
  out_.back().type |= PathPoint::kCloseFigure;
}

}  // namespace lumi
