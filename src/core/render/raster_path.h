#pragma once
// An outline in work-surface pixel coordinates, built the way a platform path is: figures
// of move-to, line-to and cubic Bezier-to points. The rasteriser fills or strokes it.
#include <cstdint>
#include <vector>

#include "base/geometry.h"

namespace lumi {

class RasterPath {
 public:
  enum class Op : std::uint8_t { MoveTo, LineTo, BezierTo };

  // Starts a new figure at p.
  void MoveTo(PointD p) { Add(Op::MoveTo, p); }
  void LineTo(PointD p) { Add(Op::LineTo, p); }
  // A cubic Bezier from the current point through two control points to `end`.
  void BezierTo(PointD c1, PointD c2, PointD end) {
    Add(Op::BezierTo, c1);
    Add(Op::BezierTo, c2);
    Add(Op::BezierTo, end);
  }
  // Marks the current figure closed (a stroke then joins its end to its start; filling
  // closes every figure anyway).
  void CloseFigure() {
    if (!figure_closed_.empty()) figure_closed_.back() = true;
  }

  bool Empty() const { return points_.empty(); }
  const std::vector<PointD>& Points() const { return points_; }
  const std::vector<Op>& Ops() const { return ops_; }
  // One entry per figure, in order; a figure starts at each MoveTo.
  const std::vector<bool>& FigureClosed() const { return figure_closed_; }

 private:
  void Add(Op op, PointD p) {
    if (op == Op::MoveTo || points_.empty()) figure_closed_.push_back(false);
    ops_.push_back(points_.empty() ? Op::MoveTo : op);
    points_.push_back(p);
  }
  std::vector<PointD> points_;
  std::vector<Op> ops_;
  std::vector<bool> figure_closed_;
};

}  // namespace lumi
