// CBezier: generators, re-fitting and the node primitives, from worked examples.
#include "objects/bezier.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace lumi {
namespace {

double DistanceFromCentre(const CBezierNode& n) { return std::hypot(n.x - 0.5, n.y - 0.5); }

TEST(CBezierFit, RectangleDragGrowsByTwoOnEverySideAndSitsTwoPixelsInside) {
  CBezier b;
  b.MakeRectangle();
  const Rect box = b.FitAnchors(10, 20, 100, 50);
  EXPECT_EQ(box, (Rect{8, 18, 112, 72}));
  EXPECT_EQ(box.Width(), 104);
  EXPECT_EQ(box.Height(), 54);
  // The outline's corners are still where the drag put them.
  EXPECT_EQ(CBezier::PixelOf(b.Nodes()[0], box.left, box.top, 104, 54), (Point{10, 20}));
  EXPECT_EQ(CBezier::PixelOf(b.Nodes()[6], box.left, box.top, 104, 54), (Point{110, 70}));
}

TEST(CBezierFit, OutlineWithoutExtentKeepsTheOldBox) {
  CBezier b;
  b.MakeRectangle();
  EXPECT_EQ(b.FitAnchors(40, 30, 0, 0), (Rect{40, 30, 40, 30}));
  EXPECT_EQ(b.FitBox(40, 30, 0, 0), (Rect{40, 30, 40, 30}));
  EXPECT_DOUBLE_EQ(b.Nodes()[6].x, 1.0) << "nothing re-expressed";
  CBezier empty;
  EXPECT_EQ(empty.FitBox(1, 2, 3, 4), (Rect{1, 2, 4, 6}));
}

TEST(CBezierFit, CurveBoundsUseMarginTwoClosedFourteenOpen) {
  CBezier b;
  b.MakeEllipse();
  // The ellipse's curve touches the box edges at the four anchors.
  EXPECT_EQ(b.FitBox(0, 0, 200, 100), (Rect{-2, -2, 202, 102}));
  CBezier open;
  open.MakeRectangle();
  open.BreakPath();
  EXPECT_EQ(open.FitBox(0, 0, 100, 100), (Rect{-14, -14, 114, 114}));
}

TEST(CBezierFit, OpenPathEndingOnFourEqualPointsStillRefits) {
  // A free path often ends on a segment whose four points coincide; that segment adds
  // its point and no more, instead of keeping the stale box (which clipped edited paths).
  CBezier b;
  b.SetClosed(false);
  b.Nodes() = {{0.1, 0.1}, {0.1, 0.1}, {0.5, 0.5}, {0.5, 0.5},
               {0.5, 0.5}, {0.5, 0.5}, {0.5, 0.5}};
  EXPECT_EQ(b.FitBox(0, 0, 100, 100), (Rect{10 - 14, 10 - 14, 50 + 14, 50 + 14}));
  EXPECT_DOUBLE_EQ(b.Nodes()[6].x, (50.0 + 4) / 68);
}

TEST(CBezierGenerators, RoundRectRadiiAreCutToHalf) {
  struct Case {
    double r;
    int w, h;
    double rx, ry;
  };
  const Case cases[] = {{0.6, 200, 100, 0.5, 0.5},  // both cut
                        {0.2, 200, 100, 0.2, 0.4},
                        {0.2, 100, 0, 0.2, 0.5}};   // height 0 counts as 1
  for (const Case& c : cases) {
    CBezier b;
    b.MakeRoundRect(c.r, c.w, c.h);
    ASSERT_EQ(b.Count(), 24);
    EXPECT_DOUBLE_EQ(b.Nodes()[0].y, c.ry) << c.r << " " << c.w << "x" << c.h;
    EXPECT_DOUBLE_EQ(b.Nodes()[3].x, c.rx) << c.r << " " << c.w << "x" << c.h;
  }
}

TEST(CBezierGenerators, StarInnerPointsSitOnTheOuterCircleUnlessTheDivisorIsAboveOne) {
  struct Case {
    int divisor;
    double inner_radius;
  };
  for (const Case& c : {Case{0, 0.5}, Case{1, 0.5}, Case{2, 0.25}}) {
    CBezier b;
    b.MakeStar(5, c.divisor);
    ASSERT_EQ(b.Count(), 30);
    EXPECT_TRUE(b.IsClosed());
    EXPECT_NEAR(DistanceFromCentre(b.Nodes()[2]), c.inner_radius, 1e-12) << c.divisor;
    EXPECT_NEAR(DistanceFromCentre(b.Nodes()[9]), c.inner_radius, 1e-12) << c.divisor;
  }
  CBezier b;
  b.MakeStar(6, 2);
  // The first point is the middle of the right edge; the next outer point lies below it.
  EXPECT_DOUBLE_EQ(b.Nodes()[0].x, 1.0);
  EXPECT_DOUBLE_EQ(b.Nodes()[0].y, 0.5);
  EXPECT_GT(b.Nodes()[6].y, 0.5);
  EXPECT_DOUBLE_EQ(b.Nodes()[35].x, 1.0) << "returns to the first point";
}

TEST(CBezierGenerators, FreePathThinsCrowdedMousePoints) {
  CBezier b;
  // (6,6) and (12,12) lie within 4 pixels of the last kept point and are dropped.
  const std::vector<Point> raw = {{0, 0}, {3, 3}, {6, 6}, {8, 8}, {12, 12}, {13, 13}, {20, 20}};
  const Rect box = b.MakeFreePath(raw, false);
  ASSERT_FALSE(box.IsEmpty());
  EXPECT_FALSE(b.IsClosed());
  const std::vector<Point> expected = {{0, 0},   {3, 3},   {8, 8},  {13, 13},
                                       {20, 20}, {20, 20}, {20, 20}};
  std::vector<Point> got;
  for (const CBezierNode& n : b.Nodes()) {
    got.push_back({static_cast<int>(std::lround(box.left + n.x * box.Width())),
                   static_cast<int>(std::lround(box.top + n.y * box.Height()))});
  }
  EXPECT_EQ(got, expected);
  EXPECT_EQ(box.left, -14) << "open paths get a 14-pixel margin";
}

TEST(CBezierGenerators, FreePathOfFewerThanSixPointsIsAlwaysOpen) {
  CBezier b;
  const std::vector<Point> five = {{0, 0}, {10, 0}, {20, 10}, {10, 20}, {0, 10}};
  b.MakeFreePath(five, true);
  EXPECT_FALSE(b.IsClosed());
  EXPECT_EQ(b.Count(), 3 * ((5 + 2) / 3) + 1);

  const std::vector<Point> six = {{0, 0}, {10, 0}, {20, 10}, {10, 20}, {0, 10}, {0, 30}};
  b.MakeFreePath(six, true);
  EXPECT_TRUE(b.IsClosed());
  EXPECT_EQ(b.Count(), 6);
  EXPECT_EQ(b.MakeFreePath({}, true), Rect{});
}

TEST(CBezierGenerators, PathSkipsTheFirstEntryAndClosesOrDropsTheLast) {
  const std::vector<Point> list = {{999, 999}, {10, 10}, {20, 10}, {30, 10}, {40, 10}, {50, 50}};
  CBezier closed;
  Rect box = closed.MakePath(list, true);
  EXPECT_EQ(closed.Count(), 6);
  EXPECT_TRUE(closed.IsClosed());
  EXPECT_EQ(box.left, 8);
  EXPECT_EQ(box.top, 8);
  CBezier open;
  box = open.MakePath(list, false);
  EXPECT_EQ(open.Count(), 4);
  EXPECT_FALSE(open.IsClosed());
  EXPECT_EQ(box, (Rect{-4, -4, 54, 24})) << "bounds of the straight 10..40 line, grown by 14";
  EXPECT_EQ(open.MakePath({{1, 1}}, false), Rect{});
}

TEST(CBezierNodes, HitPrefersTheAnchorUnlessControlsArePreferred) {
  CBezier b;
  b.MakeRectangle();  // controls 2 and 4 lie on anchor 3 at (100, 0)
  EXPECT_EQ(b.HitNode({101, 1}, 0, 0, 100, 100, false), 3);
  EXPECT_EQ(b.HitNode({101, 1}, 0, 0, 100, 100, true), 4);
  // Node 0 with its controls 1 and 11 on it: node 0 wins.
  EXPECT_EQ(b.HitNode({0, 0}, 0, 0, 100, 100, false), 0);
  EXPECT_EQ(b.HitNode({0, 0}, 0, 0, 100, 100, true), 11);
  EXPECT_EQ(b.HitNode({3, 0}, 0, 0, 100, 100, false), -2) << "strictly within 3 pixels";
  EXPECT_EQ(b.HitNode({50, 50}, 0, 0, 100, 100, false), -2);
}

TEST(CBezierNodes, MovingAnAnchorCarriesBothHandles) {
  CBezier b;
  b.MakeRectangle();
  b.MoveNode(0, 0, 0, 100, 100);
  EXPECT_FALSE(b.TakeModified()) << "a zero move is no move";
  b.MoveNode(0, 10, 20, 100, 100);
  EXPECT_TRUE(b.TakeModified());
  EXPECT_FALSE(b.TakeModified()) << "taking clears the flag";
  for (int i : {0, 1, 11}) {
    EXPECT_DOUBLE_EQ(b.Nodes()[i].x, 0.1) << i;
    EXPECT_DOUBLE_EQ(b.Nodes()[i].y, 0.2) << i;
  }
  EXPECT_DOUBLE_EQ(b.Nodes()[2].x, 1.0);
  b.MoveNode(4, 10, 0, 100, 100);  // a control moves alone
  EXPECT_DOUBLE_EQ(b.Nodes()[4].x, 1.1);
  EXPECT_DOUBLE_EQ(b.Nodes()[3].x, 1.0);
}

TEST(CBezierNodes, InsertSplitsTheSegmentUnderThePoint) {
  CBezier b;
  b.MakeRectangle();
  EXPECT_EQ(b.InsertNodeAt({50, 0}, 0, 0, 100, 100), 4);
  ASSERT_EQ(b.Count(), 15);
  for (int i : {2, 3, 4}) {
    EXPECT_DOUBLE_EQ(b.Nodes()[i].x, 0.5);
    EXPECT_DOUBLE_EQ(b.Nodes()[i].y, 0.0);
  }
  EXPECT_DOUBLE_EQ(b.Nodes()[5].x, 1.0) << "the old second control follows";
  EXPECT_EQ(b.InsertNodeAt({50, 50}, 0, 0, 100, 100), -1);
  // The closing segment (left edge) takes points too.
  EXPECT_EQ(b.InsertNodeAt({0, 50}, 0, 0, 100, 100), 16);
  EXPECT_EQ(b.Count(), 18);
}

TEST(CBezierNodes, DeleteRemovesAnchorsWithTheirHandlesAndStraightensControls) {
  CBezier b;
  b.MakeRectangle();
  b.Nodes()[4] = {0.7, 0.3, 0};
  EXPECT_TRUE(b.DeleteNode(4));  // a control goes onto its anchor, nothing is removed
  EXPECT_EQ(b.Count(), 12);
  EXPECT_DOUBLE_EQ(b.Nodes()[4].x, 1.0);
  EXPECT_DOUBLE_EQ(b.Nodes()[4].y, 0.0);
  b.Nodes()[5] = {0.7, 0.3, 0};
  EXPECT_TRUE(b.DeleteNode(5));  // a second control goes onto the anchor after it
  EXPECT_DOUBLE_EQ(b.Nodes()[5].x, 1.0);
  EXPECT_DOUBLE_EQ(b.Nodes()[5].y, 1.0);
  EXPECT_TRUE(b.DeleteNode(6));
  EXPECT_EQ(b.Count(), 9);
  const CBezierNode removed_control = b.Nodes()[2];
  EXPECT_TRUE(b.DeleteNode(0));
  ASSERT_EQ(b.Count(), 6);
  EXPECT_DOUBLE_EQ(b.Nodes()[5].x, removed_control.x) << "last node takes node 2's place";
  EXPECT_DOUBLE_EQ(b.Nodes()[5].y, removed_control.y);
  EXPECT_FALSE(b.DeleteNode(3)) << "six nodes are the least";

  CBezier open;
  open.MakeRectangle();
  open.BreakPath();  // 13 nodes
  EXPECT_TRUE(open.DeleteNode(12));
  EXPECT_EQ(open.Count(), 10);
}

TEST(CBezierNodes, CuspMirrorBreakAndClose) {
  CBezier b;
  b.MakeRectangle();
  b.SetCusp(3, false);
  EXPECT_DOUBLE_EQ(b.Nodes()[4].x, 1.2);
  EXPECT_DOUBLE_EQ(b.Nodes()[2].x, 0.8);
  b.SetCusp(3, true);
  EXPECT_DOUBLE_EQ(b.Nodes()[4].x, 1.0);
  EXPECT_DOUBLE_EQ(b.Nodes()[2].x, 1.0);
  b.SetCusp(4, true);  // a control: nothing
  b.Nodes()[4] = {1.0, 0.3, 0};
  b.MirrorControl(4);
  EXPECT_DOUBLE_EQ(b.Nodes()[2].x, 1.0);
  EXPECT_DOUBLE_EQ(b.Nodes()[2].y, -0.3);
  b.Nodes()[1] = {0.1, 0.1, 0};
  b.MirrorControl(1);  // the other side of anchor 0 is the last node
  EXPECT_DOUBLE_EQ(b.Nodes()[11].x, -0.1);

  b.BreakPath();
  EXPECT_FALSE(b.IsClosed());
  EXPECT_EQ(b.Count(), 13);
  EXPECT_EQ(b.EditorPointCount(), 13);
  b.ClosePath();
  EXPECT_TRUE(b.IsClosed());
  EXPECT_EQ(b.Count(), 12);
}

TEST(CBezierTransforms, RotateQuarterTurnSwapsTheBoxSides) {
  CBezier b;
  b.MakeRectangle();
  const Rect box = b.Rotate(90, 0, 0, 100, 50);
  // 50 x 100 of nodes plus a margin of 10 on every side, give or take a truncation.
  EXPECT_NEAR(box.Width(), 70, 1);
  EXPECT_NEAR(box.Height(), 120, 1);
}

TEST(CBezierTransforms, SkewShiftsEdgesAndFlipMirrors) {
  CBezier b;
  b.MakeRectangle();
  b.Skew(10, 0, 0, 0, 100, 100);
  EXPECT_DOUBLE_EQ(b.Nodes()[0].x, 0.1) << "top edge shifted";
  EXPECT_DOUBLE_EQ(b.Nodes()[9].x, 0.0) << "bottom edge stays";
  b.Flip(false);
  EXPECT_DOUBLE_EQ(b.Nodes()[0].x, 0.9);
}

TEST(CBezierFeedback, EmptySplineReportsNoFirstPoint) {
  CBezier b;
  EXPECT_EQ(b.DrawFeedback(0, 0, 10, 10).first, (Point{-1000, -1000}));
  b.MakeRectangle();
  const OutlineFeedback f = b.DrawFeedback(5, 6, 10, 10);
  EXPECT_EQ(f.first, (Point{5, 6}));
  ASSERT_EQ(f.polylines.size(), 1u);
  EXPECT_EQ(f.polylines[0].back(), (Point{5, 6})) << "a closed outline returns to its start";
}

}  // namespace
}  // namespace lumi
