// The select tool: clicks and the hit test, handle drags, the rubber band, groups and
// the multi-selection.
#include "edit/tool_geometry.h"
#include "tool_fixture.h"

namespace lumi::testing {
namespace {

using SelectTool = ToolTest;

TEST_F(SelectTool, RubberBandCollectsBoxesInsideTheWidenedBand) {
  struct Case {
    const char* what;
    Point from, to;
    std::vector<int> selected;
  } cases[] = {
      {"too narrow a band selects nothing", {99, 40}, {101, 140}, {}},
      {"a box touching the band's edge from inside", {100, 95}, {205, 155}, {0}},
      {"a box crossing the band is left out", {120, 90}, {210, 160}, {}},
      {"both boxes become a multi-selection", {90, 90}, {320, 260}, {0, 1}},
  };
  AddRectangle(100, 100, 200, 150);
  AddRectangle(250, 200, 310, 250);
  for (const Case& c : cases) {
    tools_.SelectObject(nullptr);
    Drag({c.from, {(c.from.x + c.to.x) / 2, c.to.y}, c.to});
    EXPECT_EQ(tools_.SelectedIndexes(), c.selected) << c.what;
    EXPECT_EQ(tools_.CurrentTool(), Tool::Select) << c.what;
  }
  EXPECT_EQ(tools_.MultiSelection().size(), 2u);
  const std::vector<std::string> statuses = Statuses();
  EXPECT_NE(std::find(statuses.begin(), statuses.end(), " 2 objects selected"), statuses.end());
}

TEST_F(SelectTool, TopLeftHandleResizesProportionallyAboutTheBottomRight) {
  CDrawObject& o = AddRectangle(100, 100, 200, 150);
  tools_.SelectObject(&o);
  const std::size_t depth = doc_.UndoDepth();
  doc_.SetModified(false);
  // The press lands on handle 1 (the object's box corner) and goes 20 pixels left.
  Drag({{100, 100}, {90, 100}, {80, 100}});
  EXPECT_EQ(o.GetRect(), (Rect{80, 90, 200, 150}));
  EXPECT_EQ(doc_.UndoDepth(), depth + 1) << "one snapshot per drag";
  EXPECT_TRUE(doc_.IsModified()) << "the hit test marks the document";
  EXPECT_EQ(Statuses().back(), "Object: Closed Path");
}

TEST_F(SelectTool, PendingBoxOfEachHandle) {
  const Rect box{100, 100, 200, 150};
  struct Case {
    int handle;
    Point m;
    Rect expected;
  } cases[] = {
      {1, {80, 0}, {80, 90, 200, 150}},   {2, {80, 0}, {80, 100, 200, 160}},
      {3, {230, 170}, {100, 100, 230, 170}}, {4, {220, 0}, {100, 90, 220, 150}},
      {5, {0, 90}, {100, 90, 200, 150}},  {6, {210, 0}, {100, 100, 210, 150}},
      {7, {0, 170}, {100, 100, 200, 170}}, {8, {90, 0}, {90, 100, 200, 150}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PendingBox(c.handle, box, c.m.x, c.m.y), c.expected) << "handle " << c.handle;
}

TEST_F(SelectTool, CtrlHitsTheGrownBoxButNeverTheShape) {
  CDrawObject& o = AddRectangle(100, 100, 200, 150);
  EXPECT_FALSE(o.HitShape(98, 120));
  Click({98, 120});
  EXPECT_EQ(tools_.Selected(), nullptr);
  Click({98, 120}, {.ctrl = true});
  EXPECT_EQ(tools_.Selected(), &o);
}

TEST_F(SelectTool, TransparentCornerFallsThroughUnlessCtrl) {
  CDrawObject& below = AddRectangle(50, 50, 250, 250);
  CDrawObject& circle = AddCircle(100, 100, 200, 200);
  Click({102, 102});
  EXPECT_EQ(tools_.Selected(), &below);
  Click({102, 102}, {.ctrl = true});
  EXPECT_EQ(tools_.Selected(), &circle);
  // Over the circle's box but on nothing: the status bar suggests Ctrl.
  tools_.SelectObject(nullptr);
  doc_.Objects().erase(doc_.Objects().begin());
  Click({102, 102});
  EXPECT_EQ(tools_.Selected(), nullptr);
  EXPECT_EQ(Statuses().front(), "Ctrl - to select object by bounding rectangle");
}

TEST_F(SelectTool, ClickOnAGroupMemberSelectsAndMovesTheGroup) {
  CDrawObject& a = AddRectangle(100, 100, 150, 150);
  CDrawObject& b = AddRectangle(200, 100, 250, 150);
  AddRectangle(300, 200, 350, 250);
  a.SetId("a");
  b.SetId("b");
  a.SetGrouped(1);
  b.SetGrouped(1);
  doc_.Groups().push_back({{"a", "b"}, {}});
  doc_.RecomputeGroupRects();
  const std::size_t depth = doc_.UndoDepth();
  Drag({{120, 120}, {130, 125}, {140, 130}});
  EXPECT_TRUE(tools_.GroupSelected());
  EXPECT_EQ(tools_.SelectedIndexes(), (std::vector<int>{0, 1}));
  EXPECT_EQ(a.GetRect(), (Rect{120, 110, 170, 160}));
  EXPECT_EQ(b.GetRect(), (Rect{220, 110, 270, 160}));
  EXPECT_EQ(doc_.Groups()[0].m_rect, (Rect{120, 110, 270, 160}));
  EXPECT_EQ(doc_.UndoDepth(), depth + 1);
  EXPECT_EQ(tools_.CurrentTool(), Tool::Select);
  EXPECT_EQ(port_.marked, 1) << "the composite below the selection is rebuilt";
  // A red frame with handles for a group.
  const Overlay overlay = tools_.BuildOverlay();
  ASSERT_FALSE(overlay.Empty());
  EXPECT_EQ(overlay.shapes[0].colour, 0x0000FFu);
}

TEST_F(SelectTool, MultiSelectionResizeScalesEveryMember) {
  CDrawObject& a = AddRectangle(100, 100, 150, 150);
  CDrawObject& b = AddRectangle(150, 150, 200, 200);
  tools_.SetMultiSelection({&a, &b}, false);
  // Frame (96, 96)-(204, 204); its bottom-right handle dragged to double the frame.
  const Rect frame = MultiSelectionFrame({&a, &b});
  ASSERT_EQ(frame, (Rect{96, 96, 204, 204}));
  const Point corner{201, 201};
  ASSERT_EQ(HandleAt(frame, corner), 3);
  Drag({corner, {309, 309}});
  // sx = sy = (312 - 96) / 108 = 2.
  EXPECT_EQ(a.GetRect(), (Rect{104, 104, 204, 204}));
  EXPECT_EQ(b.GetRect(), (Rect{204, 204, 304, 304}));
}

TEST_F(SelectTool, ShiftClicksCollectAndToggle) {
  CDrawObject& a = AddRectangle(100, 100, 150, 150);
  CDrawObject& b = AddRectangle(200, 100, 250, 150);
  Click({120, 120});
  Click({220, 120}, {.shift = true});
  EXPECT_EQ(tools_.SelectedIndexes(), (std::vector<int>{0, 1}));
  EXPECT_EQ(tools_.Selected(), nullptr);
  Click({220, 120}, {.shift = true});
  EXPECT_EQ(tools_.MultiSelection(), (std::vector<CDrawObject*>{&a}));
  // Ctrl+Shift 2 pixels outside a box (no shape there) collects it by its rectangle,
  // after the single selection.
  tools_.SelectObject(&a);
  Click({198, 120}, {.shift = true, .ctrl = true});
  EXPECT_EQ(tools_.MultiSelection(), (std::vector<CDrawObject*>{&a, &b}));
}

TEST_F(SelectTool, MoveFollowsTheMouseAndOverlayShowsTheOutline) {
  CDrawObject& o = AddRectangle(100, 100, 200, 150);
  tools_.Press({150, 120}, {});
  tools_.Move({170, 130}, {});
  EXPECT_EQ(o.GetRect(), (Rect{120, 110, 220, 160}));
  EXPECT_EQ(tools_.Cursor(), CursorRole::Move);
  const Rect shown = tools_.BuildOverlay().Bounds();
  EXPECT_LE(shown.left, 120);
  EXPECT_GE(shown.right, 220);
  tools_.Release({190, 140}, {});
  EXPECT_EQ(o.GetRect(), (Rect{140, 120, 240, 170}));
  // The repaint requests cover where the object was and where it is.
  Rect painted;
  for (const Rect& r : port_.invalidated) painted = Union(painted, r);
  EXPECT_LE(painted.left, 100);
  EXPECT_GE(painted.right, 240);
}

TEST_F(SelectTool, CropCornerDraggedPastTheOtherClearsTheRegion) {
  doc_.SetCropRect({100, 100, 200, 200});
  doc_.SetCropActive(true);
  // The corner keeps the press's offset from it (4 pixels up and left).
  Drag({{96, 96}, {146, 146}});
  EXPECT_EQ(doc_.GetCropRect(), (Rect{150, 150, 200, 200}));
  Drag({{146, 146}, {250, 250}});
  EXPECT_FALSE(doc_.IsCropActive());
  EXPECT_EQ(doc_.GetCropRect(), (Rect{}));
}

TEST_F(SelectTool, SelectionFrameColourFollowsTheKind) {
  CDrawObject& shape = AddRectangle(10, 10, 60, 60);
  CDrawObject& poly = AddPolynome(100, 10, 160, 60);
  for (auto [object, colour] : {std::pair{&shape, 0xFF8000u}, std::pair{&poly, 0x008000u}}) {
    tools_.SelectObject(object);
    const Overlay overlay = tools_.BuildOverlay();
    ASSERT_EQ(overlay.shapes.size(), 9u);
    EXPECT_EQ(overlay.shapes[0].rect, (Rect{object->GetX() - 1, object->GetY() - 1,
                                            object->GetX() + object->GetWidth() + 1,
                                            object->GetY() + object->GetHeight() + 1}));
    EXPECT_EQ(overlay.shapes[0].colour, colour);
    EXPECT_EQ(overlay.shapes[3].colour, 0x808080u) << "handle 3 is grey";
  }
}

}  // namespace
}  // namespace lumi::testing

namespace lumi::testing {
namespace {

class TextDoubleClick : public ToolTest {
 protected:
  CDrawObject& AddText(const char* text) {
    auto o = doc_.MakeObject();
    ScriptedTextDialog create;
    create.Ok([&](TextDialogValues& v) { v.text = text; v.size = 40; });
    EXPECT_EQ(o->CreateText(20, 20, text, create), 1);
    return Add(std::move(o));
  }
};

TEST_F(TextDoubleClick, EditsTheTextAndKeepsItsOptionsAsDefaults) {
  CDrawObject& text = AddText("Hello");
  doc_.TakeSnapshot();
  const std::size_t depth = doc_.UndoDepth();
  text_dialog_.Ok([](TextDialogValues& v) {
    v.text = "Bye";
    v.bold = true;
  });
  tools_.DoubleClick({text.GetX() + 10, text.GetY() + text.GetHeight() / 2}, {.ctrl = true});
  EXPECT_EQ(text.GetText(), "Bye");
  EXPECT_EQ(tools_.GetTextDefaults().bold, 1);
  EXPECT_EQ(doc_.UndoDepth(), depth + 1);
}

TEST_F(TextDoubleClick, AnEmptiedTextIsDeletedAndUndoBringsItBack) {
  CDrawObject& text = AddText("Hello");
  doc_.TakeSnapshot();
  tools_.SelectObject(&text);
  text_dialog_.Ok([](TextDialogValues& v) { v.text.clear(); });
  tools_.DoubleClick({text.GetX() + 10, text.GetY() + text.GetHeight() / 2}, {.ctrl = true});
  EXPECT_TRUE(doc_.Objects().empty());
  EXPECT_EQ(tools_.Selected(), nullptr);
  // The deletion is its own undo step: one undo restores the text.
  doc_.Undo();
  ASSERT_EQ(doc_.Objects().size(), 1u);
  EXPECT_EQ(doc_.Objects()[0]->GetText(), "Hello");
}

TEST_F(TextDoubleClick, OtherObjectsEnterTheShapeTool) {
  AddRectangle(100, 100, 200, 150);
  tools_.DoubleClick({150, 120}, {});
  EXPECT_EQ(tools_.CurrentTool(), Tool::Shape);
  EXPECT_EQ(quick_.Last(), (QuickToolsRequest{"", 0, kQuickNodePanel, -1}));
  EXPECT_EQ(tools_.Selected(), doc_.Objects()[0].get());
}

}  // namespace
}  // namespace lumi::testing
