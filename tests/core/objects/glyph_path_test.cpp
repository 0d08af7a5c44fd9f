#include "objects/glyph_path.h"

#include <gtest/gtest.h>

namespace lumi {
namespace {

PointD CubicAt(PointD p0, PointD c1, PointD c2, PointD p3, double t) {
  const double u = 1 - t;
  return {u * u * u * p0.x + 3 * u * u * t * c1.x + 3 * u * t * t * c2.x + t * t * t * p3.x,
          u * u * u * p0.y + 3 * u * u * t * c1.y + 3 * u * t * t * c2.y + t * t * t * p3.y};
}

TEST(QuadraticToCubic, HandMadeArc) {
  // The quadratic (0,0) over (3,6) to (6,0) is the cubic with controls (2,4) and (4,4).
  const CubicControls c = QuadraticToCubic({0, 0}, {3, 6}, {6, 0});
  EXPECT_EQ(c.c1, (PointD{2, 4}));
  EXPECT_EQ(c.c2, (PointD{4, 4}));
}

TEST(QuadraticToCubic, TracesTheSameCurve) {
  const PointD p0{10, -4}, q{-7, 25}, p2{31, 8};
  const CubicControls c = QuadraticToCubic(p0, q, p2);
  for (double t = 0; t <= 1.0; t += 0.125) {
    const double u = 1 - t;
    const PointD quad{u * u * p0.x + 2 * u * t * q.x + t * t * p2.x,
                      u * u * p0.y + 2 * u * t * q.y + t * t * p2.y};
    const PointD cubic = CubicAt(p0, c.c1, c.c2, p2, t);
    EXPECT_NEAR(cubic.x, quad.x, 1e-12) << "t=" << t;
    EXPECT_NEAR(cubic.y, quad.y, 1e-12) << "t=" << t;
  }
}

TEST(PathBuilder, FiguresCarryTypesAndCloseFlags) {
  PathPoints out;
  {
    PathBuilder b(out);
    b.MoveTo({0, 0});
    b.LineTo({0, 0});  // onto the current point: dropped
    b.LineTo({4, 0});
    b.QuadTo({4, 4}, {0, 4});
    b.MoveTo({9, 9});  // a lone move-to draws nothing and disappears
    b.MoveTo({1, 1});
    b.CubicTo({2, 1}, {2, 2}, {1, 2});
  }
  const PathPoints expected = {
      {0, 0, PathPoint::kMoveTo},
      {4, 0, PathPoint::kLineTo},
      {4, 0 + 8.0 / 3, PathPoint::kBezierTo},
      {0 + 8.0 / 3, 4, PathPoint::kBezierTo},
      {0, 4, PathPoint::kBezierTo | PathPoint::kCloseFigure},
      {1, 1, PathPoint::kMoveTo},
      {2, 1, PathPoint::kBezierTo},
      {2, 2, PathPoint::kBezierTo},
      {1, 2, PathPoint::kBezierTo | PathPoint::kCloseFigure},
  };
  ASSERT_EQ(out.size(), expected.size());
  for (std::size_t i = 0; i < out.size(); ++i) {
    EXPECT_NEAR(out[i].x, expected[i].x, 1e-12) << i;
    EXPECT_NEAR(out[i].y, expected[i].y, 1e-12) << i;
    EXPECT_EQ(out[i].type, expected[i].type) << i;
  }
}

}  // namespace
}  // namespace lumi
