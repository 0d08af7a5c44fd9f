#pragma once
// Glyph outlines as device-context paths: figures of move-to, line-to and cubic Bezier-to
// points, the form in which text outlines enter a polynome.
#include <cstdint>
#include <vector>

#include "base/geometry.h"

namespace lumi {

// One point of a path with its type byte. Bezier-to points come in threes: first
// control, second control, end point. The close flag is or-ed into the type of the last
// point of every figure, as a device context's path reports it.
struct PathPoint {
  static constexpr std::uint8_t kCloseFigure = 1;
  static constexpr std::uint8_t kLineTo = 2;
  static constexpr std::uint8_t kBezierTo = 4;
  static constexpr std::uint8_t kMoveTo = 6;

  double x = 0.0;
  double y = 0.0;
  std::uint8_t type = kMoveTo;
  friend bool operator==(const PathPoint&, const PathPoint&) = default;
};

using PathPoints = std::vector<PathPoint>;

// The two controls of the cubic that traces exactly the quadratic from p0 over q to p2.
struct CubicControls {
  PointD c1;
  PointD c2;
};
CubicControls QuadraticToCubic(PointD p0, PointD q, PointD p2);

// Collects figures point by point. A line-to onto the current point is dropped, and a
// figure that ends up as a lone move-to is discarded, so every figure kept has at least
// one segment and ends with the close flag.
class PathBuilder {
 public:
  explicit PathBuilder(PathPoints& out) : out_(out) {}
  ~PathBuilder() { CloseFigure(); }
  PathBuilder(const PathBuilder&) = delete;
  PathBuilder& operator=(const PathBuilder&) = delete;

  void MoveTo(PointD p);
  void LineTo(PointD p);
  void QuadTo(PointD q, PointD p);
  void CubicTo(PointD c1, PointD c2, PointD p);
  // Ends the open figure, if any.
  void CloseFigure();

 private:
  PathPoints& out_;
  std::size_t figure_start_ = 0;
  bool open_ = false;
  PointD current_;
};

}  // namespace lumi
