// Flattening curves into straight pieces: close enough to the curve even on the largest
// work surfaces, the figures and their closed marks kept, bad coordinates tamed.
#include "render/path_flattening.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace lumi {
namespace {

PointD Cubic(PointD p0, PointD p1, PointD p2, PointD p3, double t) {
  const double s = 1 - t;
  return {s * s * s * p0.x + 3 * s * s * t * p1.x + 3 * s * t * t * p2.x + t * t * t * p3.x,
          s * s * s * p0.y + 3 * s * s * t * p1.y + 3 * s * t * t * p2.y + t * t * t * p3.y};
}

double DistanceToSegment(PointD p, PointD a, PointD b) {
  const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

// Curves as large as an 11-times enlarged 1700-pixel object, and small ones: every point
// of the curve lies within the tolerance of the polyline, and the polyline ends exactly at
// the curve's end.
TEST(PathFlattening, StaysWithinToleranceOfTheCurve) {
  struct Curve {
    PointD p0, p1, p2, p3;
  };
  const double r = 18700 / 2.0, k = 0.5522847498 * r;
  for (const Curve& c : {Curve{{0, r}, {0, r - k}, {r - k, 0}, {r, 0}},
                         Curve{{0, 0}, {16000, 16000}, {-3000, 16000}, {18700, 0}},
                         Curve{{3, 3}, {5, 9}, {9, 1}, {12, 6}},
                         Curve{{10, 10}, {10, 10}, {10, 10}, {10, 10}}}) {
    RasterPath path;
    path.MoveTo(c.p0);
    path.BezierTo(c.p1, c.p2, c.p3);
    const auto figures = FlattenPath(path);
    ASSERT_EQ(figures.size(), 1u);
    const auto& points = figures[0].points;
    EXPECT_EQ(points.back(), c.p3);
    EXPECT_EQ(points.size(), FlattenedPointCount(path));
    for (int i = 0; i <= 20000; ++i) {
      const PointD on_curve = Cubic(c.p0, c.p1, c.p2, c.p3, i / 20000.0);
      double nearest = HUGE_VAL;
      for (std::size_t j = 0; j + 1 < points.size(); ++j)
        nearest = std::min(nearest, DistanceToSegment(on_curve, points[j], points[j + 1]));
      if (points.size() == 1) nearest = std::hypot(on_curve.x - points[0].x, on_curve.y - points[0].y);
      ASSERT_LE(nearest, kFlatteningTolerance) << "t = " << i / 20000.0;
    }
  }
}

TEST(PathFlattening, KeepsFiguresAndClosedMarks) {
  RasterPath path;
  path.MoveTo({0, 0});
  path.LineTo({5, 0});
  path.CloseFigure();
  path.MoveTo({1, 1});
  path.LineTo({2, 2});
  path.MoveTo({7, 7});
  const auto figures = FlattenPath(path);
  ASSERT_EQ(figures.size(), 3u);
  EXPECT_TRUE(figures[0].closed);
  EXPECT_FALSE(figures[1].closed);
  EXPECT_EQ(figures[1].points, (std::vector<PointD>{{1, 1}, {2, 2}}));
  EXPECT_EQ(figures[2].points, (std::vector<PointD>{{7, 7}}));
}

TEST(PathFlattening, TamesCoordinatesThatAreNotNumbersOrHuge) {
  RasterPath path;
  path.MoveTo({std::numeric_limits<double>::quiet_NaN(), 1e300});
  path.BezierTo({-std::numeric_limits<double>::infinity(), 0}, {1, 1}, {2, 2});
  const auto figures = FlattenPath(path);
  ASSERT_EQ(figures.size(), 1u);
  EXPECT_EQ(figures[0].points.front(), (PointD{0, kCoordinateLimit}));
  EXPECT_LE(figures[0].points.size(), std::size_t(kMaxPiecesPerCurve) + 1);
  for (const PointD& p : figures[0].points) {
    EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
  }
}

}  // namespace
}  // namespace lumi
