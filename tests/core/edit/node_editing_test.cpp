// The shape and add-point tools and the node commands.
#include <cmath>

#include "edit/tool_commands.h"
#include "image/pixwerk.h"
#include "tool_fixture.h"

namespace lumi::testing {
namespace {

using NodeEditing = ToolTest;

std::vector<Point> PathPixels(const CDrawObject& o) {
  return o.Outline().PixelPoints(o.GetX(), o.GetY(), o.GetWidth(), o.GetHeight());
}
std::vector<Point> PolynomePixels(const CDrawObject& o) {
  return o.Polynome().PixelPoints(o.GetX(), o.GetY(), o.GetWidth(), o.GetHeight());
}

TEST_F(NodeEditing, AnchorWinsWhereItsControlsLieOnItUnlessCtrl) {
  CDrawObject& o = AddRectangle(100, 100, 200, 150);
  tools_.SelectObject(&o);
  ASSERT_TRUE(tools_.ChooseTool(Tool::Shape));
  EXPECT_EQ(Statuses().back(), "Select and move points, CTRL - Select control handle, DEL - delete point");
  EXPECT_EQ(quick_.Last().variant, kQuickNodePanel);
  const Point corner = PathPixels(o)[3];
  Click(corner);
  EXPECT_EQ(tools_.NodeIndex(), 3);
  EXPECT_EQ(Statuses().back(), "Path Point: 3");
  Click(corner, {.ctrl = true});
  EXPECT_NE(tools_.NodeIndex() % 3, 0) << "a control of that corner";
  EXPECT_EQ(tools_.Selected(), &o);
}

TEST_F(NodeEditing, ShiftMovesOneControlAloneOtherwiseTheOppositeMirrors) {
  for (bool shift : {false, true}) {
    tools_.ForgetSelection();  // as every document update does before objects go
    doc_.Objects().clear();
    CDrawObject& o = AddCircle(100, 100, 200, 200);
    tools_.SelectObject(&o);
    tools_.ChooseTool(Tool::Shape);
    const std::vector<Point> before = PathPixels(o);
    const int opposite = o.Outline().Count() - 1;  // the control before anchor 0
    tools_.Press(before[1], {.ctrl = true});
    ASSERT_EQ(tools_.NodeIndex(), 1);
    tools_.Move({before[1].x + 6, before[1].y - 8}, {.shift = shift});
    tools_.Release({before[1].x + 6, before[1].y - 8}, {.shift = shift});
    const std::vector<Point> after = PathPixels(o);
    const Point moved{after[static_cast<std::size_t>(opposite)].x - before[static_cast<std::size_t>(opposite)].x,
                      after[static_cast<std::size_t>(opposite)].y - before[static_cast<std::size_t>(opposite)].y};
    if (shift) {
      EXPECT_NEAR(moved.x, 0, 1);
      EXPECT_NEAR(moved.y, 0, 1);
    } else {
      EXPECT_NEAR(moved.x, -6, 1);
      EXPECT_NEAR(moved.y, 8, 1);
    }
  }
}

TEST_F(NodeEditing, AddPointInsertsOnAnEdgeAndSelectsWhenFarFromEverySegment) {
  CDrawObject& poly = AddPolynome(100, 100, 200, 200);
  CDrawObject& other = AddRectangle(250, 100, 300, 150);
  tools_.SelectObject(&poly);
  ASSERT_TRUE(tools_.ChooseTool(Tool::AddPoint));
  EXPECT_EQ(Statuses().back(), "Add point to the Polynome. SHIFT - insert island");
  const int count = poly.Polynome().Count();
  // More than 5 pixels from the polynome: the click selects what it lands on.
  Click({275, 125});
  EXPECT_EQ(tools_.Selected(), &other);
  EXPECT_EQ(poly.Polynome().Count(), count);
  EXPECT_EQ(Statuses().back(), "Add point to the existing Path");
  // On the polynome's top edge: a Bezier-to triple at the click, then the shape tool.
  tools_.SelectObject(&poly);
  const std::vector<Point> pts = PolynomePixels(poly);
  const Point edge{(pts[0].x + pts[3].x) / 2, (pts[0].y + pts[3].y) / 2};
  const std::size_t depth = doc_.UndoDepth();
  Click(edge);
  EXPECT_EQ(poly.Polynome().Count(), count + 3);
  EXPECT_EQ(tools_.CurrentTool(), Tool::Shape);
  EXPECT_EQ(doc_.UndoDepth(), depth + 1);
  EXPECT_EQ(Statuses().back(), "Object: Polynome");
}

TEST_F(NodeEditing, ShiftAddsATenPixelIslandEvenOverAFigure) {
  CDrawObject& poly = AddPolynome(100, 100, 200, 200);
  tools_.SelectObject(&poly);
  tools_.ChooseTool(Tool::AddPoint);
  const int count = poly.Polynome().Count();
  Click({150, 150}, {.shift = true});
  ASSERT_EQ(poly.Polynome().Count(), count + 7);
  const std::vector<Point> pts = PolynomePixels(poly);
  EXPECT_EQ(poly.Polynome().Nodes()[static_cast<std::size_t>(count)].type, kPtMoveTo);
  const Point start = pts[static_cast<std::size_t>(count)];
  EXPECT_NEAR(start.x, 150, 1);
  EXPECT_NEAR(start.y, 150, 1);
  const Point far = pts[static_cast<std::size_t>(count + 3)];
  EXPECT_NEAR(far.x - start.x, 10, 1);
  EXPECT_EQ(tools_.CurrentTool(), Tool::Shape);
}

TEST_F(NodeEditing, SmoothNodeOnAControlChangesNothing) {
  CDrawObject& o = AddRectangle(100, 100, 200, 150);
  tools_.SelectObject(&o);
  tools_.ChooseTool(Tool::Shape);
  Click(PathPixels(o)[3], {.ctrl = true});
  ASSERT_NE(tools_.NodeIndex() % 3, 0);
  const std::vector<Point> before = PathPixels(o);
  const MenuCommand* smooth = FindMenuCommand("Smooth Node");
  ASSERT_NE(smooth, nullptr);
  ASSERT_TRUE(smooth->enabled(tools_));
  smooth->run(tools_);
  EXPECT_EQ(PathPixels(o), before);
}

TEST_F(NodeEditing, PolynomeStartPointRefusesDeletion) {
  CDrawObject& poly = AddPolynome(100, 100, 200, 200);
  tools_.SelectObject(&poly);
  tools_.ChooseTool(Tool::Shape);
  Click(PolynomePixels(poly)[0]);
  ASSERT_EQ(tools_.NodeIndex(), 0);
  const int count = poly.Polynome().Count();
  FindToolKey("Delete")->run(tools_);
  EXPECT_EQ(host_.Messages().back(), "This is a start point of the Polynome\nIt can't be deleted. Sorry...");
  EXPECT_EQ(poly.Polynome().Count(), count);
  // Another point goes, with one snapshot, and no point stays under edit.
  Click(PolynomePixels(poly)[3]);
  const std::size_t depth = doc_.UndoDepth();
  FindMenuCommand("Remove Point")->run(tools_);
  EXPECT_LT(poly.Polynome().Count(), count);
  EXPECT_EQ(doc_.UndoDepth(), depth + 1);
  EXPECT_EQ(tools_.NodeIndex(), -2);
}

TEST_F(NodeEditing, BitmapWithoutEnvelopeIsRefused) {
  auto bitmap = doc_.MakeObject();
  RgbImage rgb;
  rgb.width = 4;
  rgb.height = 4;
  rgb.pixels.assign(4 * 4 * 3, 200);
  ASSERT_EQ(bitmap->CreateBitmapFromClipboard(rgb, 50, 50), 1);
  CDrawObject& b = Add(std::move(bitmap));
  tools_.SelectObject(&b);
  tools_.ChooseTool(Tool::Shape);
  Click({50, 50});
  EXPECT_EQ(host_.Messages().back(),
            "To edit the shape of this bitmap you have to first convert the bitmap to the envelope.");
  EXPECT_FALSE(tools_.Dragging());
}

TEST_F(NodeEditing, BreakAndCloseSwitchTheOutlineAndEnterTheShapeTool) {
  CDrawObject& o = AddRectangle(100, 100, 200, 150);
  tools_.SelectObject(&o);
  FindMenuCommand("Break Path")->run(tools_);
  EXPECT_FALSE(o.Outline().IsClosed());
  EXPECT_EQ(tools_.CurrentTool(), Tool::Shape);
  EXPECT_EQ(quick_.Last(), (QuickToolsRequest{"", 1, kQuickNodePanel, -1})) << "the Width slider shows";
  // The Width slider: open outlines only, no snapshot, and the default for new objects.
  const std::size_t depth = doc_.UndoDepth();
  tools_.WidthSliderReleased(11);
  EXPECT_EQ(o.GetLineWidth(), 11);
  EXPECT_EQ(tools_.DefaultLineWidth(), 11);
  EXPECT_EQ(doc_.UndoDepth(), depth);
  FindMenuCommand("Close Path")->run(tools_);
  EXPECT_TRUE(o.Outline().IsClosed());
  tools_.WidthSliderReleased(3);
  EXPECT_EQ(o.GetLineWidth(), 11) << "closed outlines keep theirs";
  EXPECT_EQ(doc_.UndoDepth(), depth + 1);
}

TEST_F(NodeEditing, BallBevelPressTurnsTheLight) {
  CDrawObject& o = AddRectangle(100, 100, 200, 200);
  o.SetBevelKind(12);
  tools_.SelectObject(&o);
  tools_.ChooseTool(Tool::Shape);
  const double x0 = o.GetLightX();
  Drag({{150, 150}, {160, 150}});
  EXPECT_NE(o.GetLightX(), x0);
  const double length = std::sqrt(o.GetLightX() * o.GetLightX() + o.GetLightY() * o.GetLightY() +
                                  o.GetLightZ() * o.GetLightZ());
  EXPECT_NEAR(length, 1.0, 1e-9);
  EXPECT_EQ(tools_.NodeIndex(), -2);
}

}  // namespace
}  // namespace lumi::testing
