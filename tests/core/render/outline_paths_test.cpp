// The outline builders against points worked out by hand. The rasteriser reference and the
// object-render tests take their paths from these same builders, so a fault in the node
// mapping would pass there unseen; these cases catch it.
#include "render/outline_paths.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumi {
namespace {

using Op = RasterPath::Op;

std::vector<PointD> P(std::initializer_list<PointD> points) { return points; }

CBezier Spline(std::initializer_list<CBezierNode> nodes, bool closed) {
  CBezier b;
  b.Nodes() = nodes;
  b.SetClosed(closed);
  return b;
}

TEST(OutlinePaths, SplineNodesRoundToWorkPixelsAndAClosedSplineReturnsToItsStart) {
  // 256 x 128 work pixels: x = trunc(256 u + 0.5), y = trunc(128 v + 0.5); a half rounds up.
  const CBezier open = Spline({{1.0 / 512, 0.003}, {0.5, 0.0}, {1.0, 0.254}, {0.9974, 0.996}}, false);
  const RasterPath path = ShapeRasterPath(open, 256, 128, 0);
  EXPECT_EQ(path.Points(), P({{1, 0}, {128, 0}, {256, 33}, {255, 127}}));
  EXPECT_EQ(path.Ops(), (std::vector<Op>{Op::MoveTo, Op::BezierTo, Op::BezierTo, Op::BezierTo}));
  EXPECT_EQ(path.FigureClosed(), std::vector<bool>{false});

  // Six nodes closed: the start again ends the second segment.
  const CBezier closed = Spline({{0, 0}, {0.25, 0}, {0.5, 0}, {1, 0.5}, {0.5, 1}, {0.25, 1}}, true);
  const RasterPath ring = ShapeRasterPath(closed, 256, 128, 0);
  EXPECT_EQ(ring.Points(), P({{0, 0}, {64, 0}, {128, 0}, {256, 64}, {128, 128}, {64, 128}, {0, 0}}));
  EXPECT_EQ(ring.FigureClosed(), std::vector<bool>{true});

  // An unfinished triple after the start draws nothing.
  const CBezier short_open = Spline({{0, 0}, {1, 1}}, false);
  EXPECT_EQ(ShapeRasterPath(short_open, 10, 10, 0).Points(), P({{0, 0}}));
  EXPECT_TRUE(ShapeRasterPath(CBezier{}, 10, 10, 0).Empty());
}

TEST(OutlinePaths, InsetShrinksTowardsTheCentreByTheWidthAndTwentyWorkPixels) {
  // Inset 10 on 200 x 100: s = 0.1 + 20/200 = 0.2 across and 0.1 + 20/100 = 0.3 down, so
  // u becomes 0.8 u + 0.1 and v becomes 0.7 v + 0.15.
  const CBezier box = Spline({{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0.5, 0.5}, {0.25, 0.5}}, true);
  const RasterPath path = ShapeRasterPath(box, 200, 100, 10);
  EXPECT_EQ(path.Points(),
            P({{20, 15}, {180, 15}, {180, 85}, {20, 85}, {100, 50}, {60, 50}, {20, 15}}));
  // No inset leaves the outline as it is.
  EXPECT_EQ(ShapeRasterPath(box, 200, 100, 0).Points().front(), (PointD{0, 0}));
}

TEST(OutlinePaths, PolynomePointsTruncatePerMilleAndFollowTheirTypes) {
  CPolynome poly;
  poly.Nodes() = {{999, 1, kPtMoveTo},      {500, 999, kPtLineTo},   {0, 500, kPtBezierTo},
                  {250, 250, kPtBezierTo},  {1000, 0, kPtBezierToClose}, {100, 100, kPtMoveTo},
                  {900, 100, kPtLineToClose}, {7, 7, kPtBezierTo}};
  // 100 x 100 work pixels: trunc(100 u / 1000), so 999 gives 99 where rounding gave 100.
  const RasterPath path = PolynomeRasterPath(poly, 100, 100, 0);
  EXPECT_EQ(path.Points(),
            P({{99, 0}, {50, 99}, {0, 50}, {25, 25}, {100, 0}, {10, 10}, {90, 10}}));
  EXPECT_EQ(path.Ops(), (std::vector<Op>{Op::MoveTo, Op::LineTo, Op::BezierTo, Op::BezierTo,
                                         Op::BezierTo, Op::MoveTo, Op::LineTo}));
  // Both figures carry their close flags; the unfinished triple at the end is dropped.
  EXPECT_EQ(path.FigureClosed(), (std::vector<bool>{true, true}));

  // Inset 30 on 400 x 200: s = 0.3 + 0.05 = 0.35 across and 0.3 + 0.1 = 0.4 down, so
  // (10, 10) becomes (0.65 x 10 + 175, 0.6 x 10 + 200) = (181.5, 206) per mille, that is
  // (72.6, 41.2) pixels, and (990, 990) becomes (818.5, 794), that is (327.4, 158.8).
  CPolynome corner;
  corner.Nodes() = {{10, 10, kPtMoveTo}, {990, 990, kPtLineTo}};
  EXPECT_EQ(PolynomeRasterPath(corner, 400, 200, 30).Points(), P({{72, 41}, {327, 158}}));
}

TEST(OutlinePaths, BallBoxIsTheObjectBoxInsetByElevenPixelsInWorkPixels) {
  EXPECT_EQ(BallBox(100, 60, 1), (Rect{11, 11, 89, 49}));
  EXPECT_EQ(BallBox(100, 60, 3), (Rect{33, 33, 267, 147}));
  // Narrower than the two insets: the box turns inside out and is put right way round.
  EXPECT_EQ(BallBox(20, 60, 2), (Rect{18, 22, 22, 98}));
}

}  // namespace
}  // namespace lumi
