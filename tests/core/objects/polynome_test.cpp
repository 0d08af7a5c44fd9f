// CPolynome: arrows, the envelope warp, fitting and the node primitives.
#include "objects/polynome.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "base/host.h"

namespace lumi {
namespace {

CPolynome Figure(std::initializer_list<CPolynomeNode> nodes) {
  CPolynome p;
  p.Nodes() = nodes;
  return p;
}

// A move-to and two Bezier-to triples along the top edge, in per mille.
CPolynome TwoCurves() {
  return Figure({{0, 0, kPtMoveTo},
                 {100, 0, kPtBezierTo},
                 {200, 0, kPtBezierTo},
                 {300, 0, kPtBezierTo},
                 {400, 0, kPtBezierTo},
                 {500, 0, kPtBezierTo},
                 {600, 0, kPtBezierTo}});
}

TEST(CPolynomeArrow, FiveNodesWhenTheThirdPointRepeatsTheSecondElseSix) {
  CPolynome arrow;
  const Rect box = arrow.MakeArrow({100, 100}, {200, 100}, {200, 100});
  // Head points (111, 97) and (113, 103) with the tip and tail, grown by 12.
  EXPECT_EQ(box, (Rect{88, 85, 212, 115}));
  ASSERT_EQ(arrow.Count(), 5);
  EXPECT_TRUE(arrow.IsOpen());
  const std::vector<std::uint8_t> types = {kPtMoveTo, kPtLineTo, kPtLineTo, kPtMoveTo, kPtLineTo};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(arrow.Nodes()[i].type, types[i]) << i;
  EXPECT_NEAR(box.left + box.Width() * arrow.Nodes()[1].x * 0.001, 100.0, 1e-9) << "the tip";
  EXPECT_NEAR(box.top + box.Height() * arrow.Nodes()[1].y * 0.001, 100.0, 1e-9);

  CPolynome bent;
  bent.MakeArrow({100, 100}, {200, 100}, {200, 150});
  EXPECT_EQ(bent.Count(), 6);
}

TEST(CPolynomeEnvelope, WarpReachesOneColumnPastEachSideOfTheBox) {
  CPolynome p;  // default envelope: top curve from (X, Y) to (X + W, Y)
  const int X = 50, Y = 10;
  struct Case {
    int px, expected_x;
  };
  // Index k = trunc((W - 1)(px - X) / W) truncates towards zero: X - 1 uses sample 0,
  // X + 100 and X + 101 use sample 99 (which lies at X + 99), anything further is left.
  const Case cases[] = {{X - 2, X - 2}, {X - 1, X}, {X, X}, {X + 100, X + 99},
                        {X + 101, X + 99}, {X + 102, X + 102}};
  for (const Case& c : cases) {
    std::vector<Point> points = {{c.px, Y}};
    p.WarpPoints(points, X, Y, 100, 100);
    EXPECT_EQ(points[0], (Point{c.expected_x, Y})) << "px = X + " << c.px - X;
  }
}

TEST(CPolynomeEnvelope, FitBoxFollowsTheEnvelopeAndKeepsItsLook) {
  CPolynome p;
  EXPECT_EQ(p.FitBox(10, 20, 100, 50), (Rect{10, 20, 110, 70}));
  EXPECT_EQ(p.GetEnvelope(), CPolynome::kDefaultEnvelope);
  // Pull the top-right corner up 10 pixels: the box grows upwards and the corners stay put.
  p.MoveEnvelopeHandle(3, 0, -10, 100, 50);
  EXPECT_TRUE(p.IsEnvelopeOn());
  EXPECT_TRUE(p.TakeModified());
  const Rect box = p.FitBox(10, 20, 100, 50);
  EXPECT_EQ(box, (Rect{10, 10, 110, 70}));
  EXPECT_DOUBLE_EQ(p.GetEnvelope()[7], 0.0) << "P3 now on the top edge";
  EXPECT_DOUBLE_EQ(p.GetEnvelope()[1], 10.0 / 60.0) << "P0 still 10 pixels lower";
}

TEST(CPolynomeEnvelope, HandlesMoveTheirPointsFlipAndBake) {
  CPolynome p;
  p.MoveEnvelopeHandle(0, 10, 0, 100, 100);
  EXPECT_DOUBLE_EQ(p.GetEnvelope()[0], 0.1) << "P0";
  EXPECT_DOUBLE_EQ(p.GetEnvelope()[2], 0.5) << "P1 goes with P0";
  p.MoveEnvelopeHandle(5, 10, 0, 100, 100);
  EXPECT_DOUBLE_EQ(p.GetEnvelope()[10], 0.5) << "Q1 alone";
  EXPECT_DOUBLE_EQ(p.GetEnvelope()[8], 0.0);
  p.ResetEnvelope();
  EXPECT_FALSE(p.IsEnvelopeOn());
  p.FlipEnvelope(true);
  EXPECT_TRUE(p.IsEnvelopeOn());
  EXPECT_DOUBLE_EQ(p.GetEnvelope()[1], 1.0);

  CPolynome q = Figure({{123.7, 456.9, kPtMoveTo}});
  q.BakeEnvelope();
  EXPECT_DOUBLE_EQ(q.Nodes()[0].x, 123.0);
  EXPECT_DOUBLE_EQ(q.Nodes()[0].y, 456.0);
  q.Nodes()[0] = {500, 0, kPtMoveTo};
  q.FlipEnvelope(true);  // mirrored top to bottom: the top edge lands on the bottom
  q.BakeEnvelope();
  EXPECT_NEAR(q.Nodes()[0].y, 1000.0, 1.0);
  EXPECT_FALSE(q.IsEnvelopeOn());
}

TEST(CPolynomeFit, NodesGetMarginTwoFilledFourteenOpen) {
  CPolynome p = Figure({{0, 0, kPtMoveTo}, {1000, 0, kPtLineTo}, {1000, 1000, kPtLineTo}});
  EXPECT_EQ(p.FitNodes(0, 0, 100, 100), (Rect{-2, -2, 102, 102}));
  CPolynome open = Figure({{0, 0, kPtMoveTo}, {1000, 0, kPtLineTo}, {1000, 1000, kPtLineTo}});
  open.SetOpen(true);
  EXPECT_EQ(open.FitNodes(0, 0, 100, 100), (Rect{-14, -14, 114, 114}));
  CPolynome empty;
  EXPECT_EQ(empty.FitNodes(5, 5, 10, 10), (Rect{5, 5, 15, 15}));
}

TEST(CPolynomeBuild, FromBezierClosesAClosedSplineAndAppendReexpresses) {
  std::vector<Point> points;
  for (int i = 0; i < 12; ++i) points.push_back({i * 10, i * 5});
  CPolynome p;
  p.FromBezier(points, 0, 0, 200, 100);
  ASSERT_EQ(p.Count(), 13);
  EXPECT_EQ(p.Nodes()[0].type, kPtMoveTo);
  EXPECT_EQ(p.Nodes()[12].type, kPtBezierTo);
  EXPECT_DOUBLE_EQ(p.Nodes()[11].x, 550.0);
  EXPECT_DOUBLE_EQ(p.Nodes()[12].x, 0.0);
  points.pop_back();
  p.FromBezier(points, 0, 0, 200, 100);
  EXPECT_EQ(p.Count(), 11) << "an open spline is not closed";

  CPolynome target;
  target.Append(Figure({{0, 0, kPtMoveTo}, {1000, 1000, kPtLineTo}}), {100, 100, 200, 200},
                {0, 0, 400, 400});
  ASSERT_EQ(target.Count(), 2);
  EXPECT_DOUBLE_EQ(target.Nodes()[0].x, 250.0);
  EXPECT_DOUBLE_EQ(target.Nodes()[1].y, 500.0);
}

TEST(CPolynomeNodes, HitWindowRunsFromThreeBeforeToTwoAfter) {
  const CPolynome p = Figure({{500, 500, kPtMoveTo}});  // pixel (50, 50)
  struct Case {
    int x, y, expected;
  };
  for (const Case& c : {Case{47, 50, 0}, Case{46, 50, -1}, Case{52, 52, 0}, Case{53, 50, -1},
                        Case{50, 47, 0}, Case{50, 53, -1}}) {
    EXPECT_EQ(p.HitNode({c.x, c.y}, 0, 0, 100, 100, false), c.expected) << c.x << "," << c.y;
  }
  EXPECT_EQ(CPolynome().HitNode({0, 0}, 0, 0, 10, 10, false), -1);
}

TEST(CPolynomeNodes, ControlPreferencePicksTheControlOverItsPoint) {
  CPolynome coinciding = Figure({{0, 0, kPtMoveTo},
                                 {0, 0, kPtBezierTo},
                                 {500, 0, kPtBezierTo},
                                 {1000, 0, kPtBezierTo}});
  EXPECT_EQ(coinciding.HitNode({0, 0}, 0, 0, 100, 100, false), 0);
  EXPECT_EQ(coinciding.HitNode({0, 0}, 0, 0, 100, 100, true), 1);
  // Within a triple the end point is tried before the controls.
  CPolynome ends = Figure({{0, 0, kPtMoveTo},
                           {1000, 0, kPtBezierTo},
                           {500, 0, kPtBezierTo},
                           {1000, 0, kPtBezierTo}});
  EXPECT_EQ(ends.HitNode({100, 0}, 0, 0, 100, 100, false), 3);
  EXPECT_EQ(ends.HitNode({100, 0}, 0, 0, 100, 100, true), 1);
}

TEST(CPolynomeNodes, MovingAPointTakesItsNeighbouringControls) {
  struct Case {
    int index;
    std::vector<int> moved;
  };
  const Case cases[] = {{3, {2, 3, 4}}, {0, {0, 1}}, {1, {1}}, {6, {5, 6}}};
  for (const Case& c : cases) {
    CPolynome p = TwoCurves();
    p.MoveNode(c.index, 10, 0, 100, 100);
    EXPECT_TRUE(p.TakeModified());
    for (int i = 0; i < p.Count(); ++i) {
      const bool moved = std::find(c.moved.begin(), c.moved.end(), i) != c.moved.end();
      EXPECT_DOUBLE_EQ(p.Nodes()[i].x, i * 100.0 + (moved ? 100.0 : 0.0))
          << "moving " << c.index << ", node " << i;
    }
  }
}

TEST(CPolynomeNodes, DeleteRefusesTheStartPointWithTheMessage) {
  RecordingHost host;
  CPolynome p = TwoCurves();
  EXPECT_FALSE(p.DeleteNode(0, host));
  EXPECT_FALSE(p.DeleteNode(7, host));
  const std::string text = "This is a start point of the Polynome\nIt can't be deleted. Sorry...";
  EXPECT_EQ(host.Messages(), (std::vector<std::string>{text, text}));
  EXPECT_EQ(p.Count(), 7);

  EXPECT_TRUE(p.DeleteNode(1, host));  // first control onto the segment's start
  EXPECT_DOUBLE_EQ(p.Nodes()[1].x, 0.0);
  EXPECT_TRUE(p.DeleteNode(5, host));  // second control onto the triple's end
  EXPECT_DOUBLE_EQ(p.Nodes()[5].x, 600.0);
  EXPECT_TRUE(p.DeleteNode(3, host));  // an end point takes its triple
  ASSERT_EQ(p.Count(), 4);
  EXPECT_DOUBLE_EQ(p.Nodes()[1].x, 400.0);
  CPolynome lines = Figure({{0, 0, kPtMoveTo}, {10, 0, kPtLineTo}, {20, 0, kPtLineTo}});
  EXPECT_TRUE(lines.DeleteNode(1, host));
  EXPECT_EQ(lines.Count(), 2);
}

TEST(CPolynomeNodes, InsertAddsIslandsOrSplitsTheSegmentUnderTheClick) {
  CPolynome empty;
  EXPECT_EQ(empty.InsertNodeAt({50, 50}, 0, 0, 100, 100, false), 4) << "no points: an island";
  ASSERT_EQ(empty.Count(), 7);
  EXPECT_EQ(empty.Nodes()[0].type, kPtMoveTo);
  EXPECT_DOUBLE_EQ(empty.Nodes()[3].x, 600.0) << "10 pixels to the right";
  EXPECT_DOUBLE_EQ(empty.Nodes()[6].x, 500.0);

  CPolynome line = Figure({{0, 0, kPtMoveTo}, {1000, 0, kPtLineTo}});
  EXPECT_EQ(line.InsertNodeAt({50, 50}, 0, 0, 100, 100, false), -1) << "too far";
  EXPECT_EQ(line.InsertNodeAt({50, 4}, 0, 0, 100, 100, false), 3);
  ASSERT_EQ(line.Count(), 5);
  for (int i : {1, 2, 3}) {
    EXPECT_EQ(line.Nodes()[i].type, kPtBezierTo);
    EXPECT_DOUBLE_EQ(line.Nodes()[i].y, 40.0);
  }
  EXPECT_EQ(line.Nodes()[4].type, kPtLineTo);
  EXPECT_EQ(line.InsertNodeAt({90, 90}, 0, 0, 100, 100, true), 9) << "Shift: island anyway";
}

TEST(CPolynomeNodes, CuspMovesTheControlsAroundAPoint) {
  CPolynome p = TwoCurves();
  p.SetCusp(3, false);
  EXPECT_DOUBLE_EQ(p.Nodes()[2].x, 340.0);
  EXPECT_DOUBLE_EQ(p.Nodes()[2].y, 40.0);
  EXPECT_DOUBLE_EQ(p.Nodes()[4].x, 260.0);
  EXPECT_DOUBLE_EQ(p.Nodes()[4].y, 40.0);
  p.SetCusp(3, true);
  EXPECT_DOUBLE_EQ(p.Nodes()[2].x, 300.0);
  EXPECT_DOUBLE_EQ(p.Nodes()[4].y, 0.0);
  p.SetCusp(2, true);  // a control: nothing
  EXPECT_DOUBLE_EQ(p.Nodes()[2].x, 300.0);
}

TEST(CPolynomeFeedback, EnvelopeEditorShowsEightHandles) {
  CPolynome p;
  const OutlineFeedback f = p.EnvelopeFeedback(0, 0, 100, 50);
  ASSERT_EQ(f.squares.size(), 8u);
  EXPECT_EQ(f.squares[3].centre, (Point{100, 0}));
  EXPECT_EQ(f.squares[3].kind, FeedbackSquare::Kind::Corner);
  EXPECT_EQ(f.squares[5].kind, FeedbackSquare::Kind::Control);
  const OutlineFeedback outline = TwoCurves().DrawFeedback(0, 0, 100, 100);
  ASSERT_EQ(outline.polylines.size(), 1u);
  EXPECT_EQ(outline.polylines[0].back(), (Point{60, 0}));
}

}  // namespace
}  // namespace lumi
