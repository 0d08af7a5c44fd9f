// The zoom, export crop, rotate, skew and texture tools.
#include "edit/tool_geometry.h"
#include "tool_fixture.h"

namespace lumi::testing {
namespace {

using TransformTools = ToolTest;

TEST(RotateDirection, QuarterTurnsAndTheAngleBetweenThem) {
  EXPECT_EQ(RotateDirection(0, -10), 0.0);
  EXPECT_EQ(RotateDirection(-10, 0), 90.0);
  EXPECT_EQ(RotateDirection(0, 10), 180.0);
  EXPECT_EQ(RotateDirection(10, 0), 270.0);
  EXPECT_EQ(RotateDirection(0, 0), 180.0);
  EXPECT_NEAR(RotateDirection(-10, -10), 45.0, 1e-6);
}

TEST_F(TransformTools, RotateFromAboveToLeftTurnsAQuarter) {
  CDrawObject& o = AddRectangle(100, 100, 200, 140);
  ASSERT_TRUE(tools_.ChooseTool(Tool::Rotate));
  EXPECT_EQ(tools_.Selected(), nullptr) << "choosing the tool clears the selection";
  const std::size_t depth = doc_.UndoDepth();
  // Centre (150, 120): from straight above it to straight left of it.
  Drag({{150, 105}, {130, 110}, {110, 120}});
  EXPECT_EQ(tools_.Selected(), &o);
  EXPECT_LT(o.GetWidth(), o.GetHeight()) << "the wide box stands upright";
  EXPECT_NEAR(o.GetWidth(), 40, 4);
  EXPECT_EQ(doc_.UndoDepth(), depth + 1);
  EXPECT_EQ(tools_.CurrentTool(), Tool::Rotate) << "the tool stays current";
  tools_.DoubleClick({0, 0}, {});
  EXPECT_EQ(tools_.CurrentTool(), Tool::Select);
}

TEST_F(TransformTools, ZoomGoesToTheRectangleAsReleased) {
  ASSERT_TRUE(tools_.ChooseTool(Tool::Zoom));
  // With Shift the feedback is a square, but the zoom takes the rectangle released.
  tools_.Press({10, 10}, {.shift = true});
  tools_.Move({50, 30}, {.shift = true});
  EXPECT_EQ(tools_.BuildOverlay().shapes.back().rect, (Rect{10, 10, 50, 50}));
  tools_.Release({50, 30}, {.shift = true});
  ASSERT_EQ(port_.zoomed.size(), 1u);
  EXPECT_EQ(port_.zoomed[0], (Rect{10, 10, 50, 30}));
  EXPECT_EQ(port_.dropped, 1);
  EXPECT_EQ(tools_.CurrentTool(), Tool::Select);
}

TEST_F(TransformTools, ExportCropRegionFromADrag) {
  struct Case {
    const char* what;
    Point from, to;
    Keys keys;
    bool active;
    Rect crop;
  } cases[] = {
      {"a plain drag, right to left", {200, 150}, {100, 100}, {}, true, {100, 100, 200, 150}},
      {"Shift squares the released rectangle", {100, 100}, {200, 150}, {.shift = true}, true, {100, 100, 200, 200}},
      {"a line clears the region", {100, 100}, {200, 100}, {}, false, {}},
  };
  for (const Case& c : cases) {
    doc_.SetCropRect({});
    doc_.SetCropActive(false);
    ASSERT_TRUE(tools_.ChooseTool(Tool::ExportCrop));
    ASSERT_EQ(tools_.CurrentTool(), Tool::ExportCrop) << c.what;
    Drag({c.from, c.to}, c.keys);
    EXPECT_EQ(doc_.IsCropActive(), c.active) << c.what;
    EXPECT_EQ(doc_.GetCropRect(), c.crop) << c.what;
    EXPECT_EQ(tools_.CurrentTool(), Tool::Select) << c.what;
  }
  // With a region already there the command only switches it on and off.
  doc_.SetCropRect({10, 10, 50, 50});
  doc_.SetCropActive(false);
  ASSERT_TRUE(tools_.ChooseTool(Tool::ExportCrop));
  EXPECT_TRUE(doc_.IsCropActive());
  EXPECT_EQ(tools_.CurrentTool(), Tool::Select);
}

TEST_F(TransformTools, ExportCropSnapsToTheCanvasEdgeWhileDragging) {
  tools_.ChooseTool(Tool::ExportCrop);
  tools_.Press({300, 200}, {});
  tools_.Move({398, 302}, {});
  EXPECT_EQ(tools_.BuildOverlay().shapes.back().rect, (Rect{300, 200, 400, 300}));
  tools_.Release({398, 302}, {});
  EXPECT_EQ(doc_.GetCropRect(), (Rect{300, 200, 398, 302})) << "the release point is not snapped";
}

TEST_F(TransformTools, SkewTopHandleShiftsTheTopEdge) {
  CDrawObject& o = AddRectangle(100, 100, 200, 150);
  tools_.SelectObject(&o);
  ASSERT_TRUE(tools_.ChooseTool(Tool::Skew));
  EXPECT_EQ(tools_.Selected(), &o);
  const Rect before = o.GetRect();
  // The top handle sits in the middle of the top edge, 1 pixel inside the box.
  tools_.Press({150, 101}, {});
  tools_.Move({170, 101}, {});
  EXPECT_EQ(tools_.SkewOffsets()[0], 20);
  tools_.Release({170, 101}, {});
  EXPECT_EQ(tools_.SkewOffsets(), (std::array<int, 4>{}));
  EXPECT_GE(o.GetWidth(), before.Width() + 18) << "the outline leans by 20 pixels";
  EXPECT_EQ(tools_.CurrentTool(), Tool::Skew);
}

TEST_F(TransformTools, PressWithNothingSelectedOrHitDoesNothing) {
  AddRectangle(100, 100, 200, 150);
  for (Tool tool : {Tool::Rotate, Tool::Skew}) {
    tools_.ChooseTool(tool);
    const std::size_t depth = doc_.UndoDepth();
    Drag({{10, 10}, {30, 30}});
    EXPECT_EQ(tools_.Selected(), nullptr);
    EXPECT_EQ(doc_.UndoDepth(), depth);
  }
}

TEST_F(TransformTools, TextureHandlesMoveScaleAndTurnTheTexture) {
  CDrawObject& o = AddRectangle(100, 100, 200, 200);
  EXPECT_FALSE(tools_.ChooseTool(Tool::Texture)) << "needs a selected object with a texture";
  o.SetTextureName("Marble.bmp");
  tools_.SelectObject(&o);
  ASSERT_TRUE(tools_.ChooseTool(Tool::Texture));
  EXPECT_EQ(Statuses().back(), "SHIFT - Angle only, CTRL - Size only");
  // Handle 1 at the centre moves the texture.
  Drag({{150, 150}, {155, 152}});
  EXPECT_EQ(o.GetTextureOffsetX(), 5);
  EXPECT_EQ(o.GetTextureOffsetY(), 2);
  EXPECT_EQ(Statuses().back(), "Offset: 5,2");
  // Handle 2 lies straight below K at f = 50; dragged to twice as far, and to the right.
  const Point k{155, 152};
  Drag({{k.x, k.y + 50}, {k.x + 100, k.y}});
  EXPECT_DOUBLE_EQ(o.GetTextureAngleX(), 90.0);
  EXPECT_DOUBLE_EQ(o.GetTextureAngleY(), -90.0);
  EXPECT_DOUBLE_EQ(o.GetTextureScaleX(), 2.0);
  EXPECT_DOUBLE_EQ(o.GetTextureScaleY(), 2.0);
  EXPECT_EQ(Statuses().back(), "Angle: 90, Size time 2");
  // Ctrl keeps the angle and changes only the size.
  const std::array<Point, 3> handles = {{k, {k.x + 100, k.y}, {}}};
  Drag({handles[1], {k.x + 50, k.y}}, {.ctrl = true});
  EXPECT_DOUBLE_EQ(o.GetTextureAngleX(), 90.0);
  EXPECT_DOUBLE_EQ(o.GetTextureScaleX(), 1.0);
}

}  // namespace
}  // namespace lumi::testing
