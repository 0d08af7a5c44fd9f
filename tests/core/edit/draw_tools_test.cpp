// The drawing and painting tools: boxes, the pencil, the Bezier pen, the arrow, text and
// image insertion, the transparency brushes and transparency from a colour.
#include <optional>

#include "edit/brush_dab.h"
#include "edit/image_import.h"
#include "image/pixwerk.h"
#include "tool_fixture.h"

namespace lumi::testing {
namespace {

// The image dialog answered from a list: a path, or nullopt for Cancel.
struct ListedImageImport : ImageImport {
  std::optional<std::filesystem::path> ChooseImageFile() override {
    ++asked;
    return answer;
  }
  std::optional<std::filesystem::path> answer;
  int asked = 0;
};

class DrawTools : public ToolTest {
 protected:
  DrawTools() { tools_.SetImageImport(&images_); }

  CDrawObject* Newest() { return doc_.Objects().empty() ? nullptr : doc_.Objects().back().get(); }

  // A bitmap object of w x h grey pixels with its box at (x, y) and at its source size.
  CDrawObject& AddBitmap(int x, int y, int w, int h) {
    RgbImage rgb{w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(3 * w * h), 0x80)};
    auto o = doc_.MakeObject();
    EXPECT_EQ(o->CreateBitmapFromClipboard(rgb, x + w / 2, y + h / 2), 1);
    return Add(std::move(o));
  }
  static int AlphaAt(const CDrawObject& o, int c, int r) { return o.SourceBitmap().Row(r)[4 * c + 3]; }
  // Lowers the source's alpha along row r, so that an opaque brush has something to raise.
  static void AlphaRow(CDrawObject& o, int r, std::uint8_t alpha) {
    for (int c = 0; c < o.SourceBitmap().Width(); ++c) o.SourceBitmap().Row(r)[4 * c + 3] = alpha;
    o.Render();
  }
  static std::vector<std::uint8_t> PixelsOf(const CDIBSection& image) {
    return {image.Pixels(), image.Pixels() + image.PixelBytes()};
  }

  void ExpectSameBox(const CDrawObject& made, const CDrawObject& reference, const char* what) {
    EXPECT_EQ(made.GetRect(), reference.GetRect()) << what;
    EXPECT_EQ(made.GetKindName(), reference.GetKindName()) << what;
  }

  ListedImageImport images_;
};

TEST_F(DrawTools, BoxToolsSnapSquareAndMakeOneUndoableObject) {
  // W = 400, H = 300. The reference object is built from the rectangle expected.
  struct Case {
    const char* what;
    Tool tool;
    Point from, to;
    Keys keys;
    Rect expected;
  } cases[] = {
      {"a press within 4 of the origin starts at it", Tool::Rectangle, {2, 2}, {100, 50}, {}, {0, 0, 100, 50}},
      {"a release 2 short of the width ends at it", Tool::Rectangle, {10, 10}, {398, 60}, {}, {10, 10, 400, 60}},
      {"a release 4 short of the edges is not snapped", Tool::Rectangle, {10, 10}, {396, 296}, {}, {10, 10, 396, 296}},
      {"Shift from (50, 30) to (10, 10) squares from the top-left", Tool::Rectangle, {50, 30}, {10, 10}, {.shift = true}, {10, 10, 50, 50}},
      {"circle", Tool::Circle, {20, 30}, {120, 90}, {}, {20, 30, 120, 90}},
      {"rounded rectangle", Tool::RoundRect, {20, 30}, {120, 90}, {}, {20, 30, 120, 90}},
      {"star with Shift", Tool::Star, {20, 30}, {120, 90}, {.shift = true}, {20, 30, 120, 130}},
  };
  doc_.SetUndoLimit(20);  // room for every case's snapshot
  for (const Case& c : cases) {
    ASSERT_TRUE(tools_.ChooseTool(c.tool)) << c.what;
    const std::size_t count = doc_.Objects().size(), depth = doc_.UndoDepth();
    Drag({c.from, {(c.from.x + c.to.x) / 2, c.from.y}, c.to}, c.keys);
    ASSERT_EQ(doc_.Objects().size(), count + 1) << c.what;
    auto reference = doc_.MakeObject();
    const Rect& e = c.expected;
    switch (c.tool) {
      case Tool::Rectangle: reference->CreateRectangle(e.left, e.top, e.right, e.bottom); break;
      case Tool::Circle: reference->CreateCircle(e.left, e.top, e.right, e.bottom); break;
      case Tool::RoundRect: reference->CreateRoundRect(e.left, e.top, e.right, e.bottom, 100); break;
      default: reference->CreateStar(e.left, e.top, e.right, e.bottom, 6, 4); break;
    }
    ExpectSameBox(*Newest(), *reference, c.what);
    EXPECT_EQ(doc_.UndoDepth(), depth + 1) << c.what;
    EXPECT_EQ(tools_.Selected(), Newest()) << c.what;
    EXPECT_EQ(tools_.CurrentTool(), Tool::Select) << c.what << ": the tool resumes select";
  }
}

TEST_F(DrawTools, StarAndCornerValuesComeFromTheBarAndBecomeTheDefaults) {
  ASSERT_TRUE(tools_.ChooseTool(Tool::Star));
  EXPECT_EQ(quick_.Last(), (QuickToolsRequest{"Angles", 6, kQuickStar, 4}));
  quick_.first_value = 2;
  quick_.second_value = 7;
  Drag({{100, 100}, {160, 160}});
  auto three = doc_.MakeObject();
  three->CreateStar(100, 100, 160, 160, 3, 7);
  EXPECT_EQ(Newest()->Outline().Count(), three->Outline().Count()) << "2 points are raised to 3";
  ASSERT_TRUE(tools_.ChooseTool(Tool::Star));
  EXPECT_EQ(quick_.Last(), (QuickToolsRequest{"Angles", 3, kQuickStar, 7}));

  ASSERT_TRUE(tools_.ChooseTool(Tool::RoundRect));
  EXPECT_EQ(quick_.Last(), (QuickToolsRequest{"Corners", 100, kQuickPlain, -1}));
  quick_.first_value = 300;
  Drag({{10, 10}, {90, 60}});
  ASSERT_TRUE(tools_.ChooseTool(Tool::RoundRect));
  EXPECT_EQ(quick_.Last().first, 300);
}

TEST_F(DrawTools, NewObjectsTakeTheirDefaultSet) {
  NewObjectDefaultSets& sets = tools_.DefaultSets();
  sets.shapes.fill_color = 0x123456;
  sets.shapes.bevel_kind = 12;  // "3D Ball" chosen on the bevel bar with nothing selected
  sets.shapes.bevel_width = 15;
  sets.text.bevel_kind = 3;
  tools_.WidthSliderReleased(9);

  ASSERT_TRUE(tools_.ChooseTool(Tool::Rectangle));
  Drag({{10, 10}, {90, 60}});
  CDrawObject& shape = *Newest();
  EXPECT_EQ(shape.GetFillColor(), 0x123456u);
  EXPECT_EQ(shape.GetBevelKind(), 0) << "a ball bevel is not given to new shapes";
  EXPECT_EQ(shape.GetBevelWidth(), 15);
  EXPECT_EQ(shape.GetLineWidth(), 9);
  EXPECT_EQ(shape.GetTextureRelief(), 0);
  EXPECT_EQ(shape.GetTextureReliefDepth(), 40);

  ASSERT_TRUE(tools_.ChooseTool(Tool::ArtisticText));
  text_dialog_.Ok([](TextDialogValues& v) { v.text = "Ab"; });
  Click({50, 100});
  ASSERT_TRUE(Newest()->IsText());
  EXPECT_EQ(Newest()->GetTextureStrength(), 180);
  EXPECT_EQ(Newest()->GetFillColor(), 0xFF0000u);
  EXPECT_EQ(Newest()->GetBevelKind(), 3);

  ASSERT_TRUE(tools_.ChooseTool(Tool::Arrow));
  Click({200, 200});
  Click({260, 200});
  tools_.DoubleClick({260, 200}, {});
  EXPECT_EQ(Newest()->GetKindName(), "Arrow");
  EXPECT_EQ(Newest()->GetFillColor(), 0x000000u) << "the arrow takes no default set";
  EXPECT_EQ(Newest()->GetFillColor2(), 0xFFFFFFu);
  EXPECT_EQ(Newest()->GetTextureStrength(), 0);
}

TEST_F(DrawTools, PencilClosesNearItsStartAndStaysCurrent) {
  ASSERT_TRUE(tools_.ChooseTool(Tool::FreePath));
  EXPECT_EQ(tools_.Cursor(), CursorRole::Pencil);
  struct Case {
    const char* what;
    Point release;
    bool closed;
  } cases[] = {
      {"released 3 pixels from the start", {103, 97}, true},
      {"released 4 pixels from the start", {104, 100}, false},
  };
  for (const Case& c : cases) {
    tools_.Press({100, 100}, {});
    // Out and back: the cursor shows the closing only once the stroke holds 6 points.
    const Point out[] = {{140, 100}, {160, 130}, {140, 160}, {100, 101}, {101, 102}, {102, 99}};
    std::vector<CursorRole> cursors;
    for (const Point& p : out) {
      tools_.Move(p, {});
      cursors.push_back(tools_.Cursor());
    }
    EXPECT_EQ(cursors[3], CursorRole::Pencil) << c.what << ": 5 points are too few to close";
    EXPECT_EQ(cursors[4], CursorRole::Node) << c.what;
    const std::size_t depth = doc_.UndoDepth();
    tools_.Release(c.release, {});
    ASSERT_TRUE(Newest() && Newest()->IsShape()) << c.what;
    EXPECT_EQ(Newest()->Outline().IsClosed(), c.closed) << c.what;
    EXPECT_EQ(doc_.UndoDepth(), depth + 1) << c.what;
    EXPECT_EQ(tools_.CurrentTool(), Tool::FreePath) << c.what;
    EXPECT_EQ(tools_.Cursor(), CursorRole::Pencil) << c.what;
  }
  EXPECT_EQ(doc_.Objects().size(), 2u);
}

TEST_F(DrawTools, BezierPenNodesClosingAndFinishing) {
  ASSERT_TRUE(tools_.ChooseTool(Tool::NewPath));
  EXPECT_EQ(Statuses().back(), "Options: SHIFT - Draw Straight Line, DOUBLECLICK - Finish drawing");

  // A node dragged out: its outgoing control follows the release, the incoming one mirrors it.
  Drag({{100, 100}, {110, 90}, {120, 100}});
  const PathInProgress& path = tools_.Path();
  ASSERT_EQ(path.points.size(), 3u);
  EXPECT_EQ(path.points[0], (Point{80, 100}));
  EXPECT_EQ(path.points[2], (Point{120, 100}));

  // Shift holds the next node level with (or plumb below) the last one: a corner, no drag.
  tools_.Move({200, 112}, {.shift = true});
  EXPECT_EQ(path.mouse, (Point{200, 100}));
  tools_.Press({200, 112}, {.shift = true});
  EXPECT_FALSE(tools_.Dragging());
  tools_.Release({200, 112}, {.shift = true});
  ASSERT_EQ(path.points.size(), 6u);
  EXPECT_EQ(path.points[4], (Point{200, 100}));
  Click({200, 200});
  tools_.Move({102, 97}, {});
  EXPECT_EQ(tools_.Cursor(), CursorRole::Node) << "the next click closes the path";
  const std::size_t depth = doc_.UndoDepth();
  Click({102, 97});
  ASSERT_EQ(doc_.Objects().size(), 1u);
  EXPECT_TRUE(Newest()->Outline().IsClosed());
  EXPECT_EQ(doc_.UndoDepth(), depth + 1);
  EXPECT_EQ(tools_.CurrentTool(), Tool::Select);

  // The right button finishes open.
  ASSERT_TRUE(tools_.ChooseTool(Tool::NewPath));
  EXPECT_TRUE(tools_.Path().points.empty()) << "choosing the pen empties the list";
  Click({10, 10});
  Click({60, 40});
  tools_.RightPress({60, 40}, {});
  ASSERT_EQ(doc_.Objects().size(), 2u);
  EXPECT_FALSE(Newest()->Outline().IsClosed());
  EXPECT_EQ(tools_.CurrentTool(), Tool::Select);
}

TEST_F(DrawTools, BezierPathBegunWithADoubleClickMakesNothing) {
  ASSERT_TRUE(tools_.ChooseTool(Tool::NewPath));
  const std::size_t depth = doc_.UndoDepth();
  Click({50, 50});
  tools_.DoubleClick({50, 50}, {});
  tools_.Release({50, 50}, {});
  EXPECT_TRUE(doc_.Objects().empty());
  EXPECT_EQ(doc_.UndoDepth(), depth);
  EXPECT_EQ(tools_.CurrentTool(), Tool::Select);
}

TEST_F(DrawTools, ArrowFromThreeClicksOrTwoAndADoubleClick) {
  struct Case {
    const char* what;
    bool double_click;
    Point third_click;
    Point third_expected;
  } cases[] = {
      {"a third click's y follows the second point", false, {300, 150}, {300, 120}},
      {"a double-click after two ends the shaft at the second point", true, {}, {250, 120}},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(tools_.ChooseTool(Tool::Arrow));
    Click({200, 100});
    Click({250, 120});
    tools_.Move({280, 160}, {});
    EXPECT_EQ(tools_.ArrowState().mouse, (Point{280, 120})) << "the rubber line stays level";
    const std::size_t count = doc_.Objects().size();
    if (c.double_click) {
      tools_.DoubleClick({250, 120}, {});
    } else {
      Click(c.third_click);
    }
    ASSERT_EQ(doc_.Objects().size(), count + 1) << c.what;
    auto reference = doc_.MakeObject();
    ASSERT_EQ(reference->CreateArrow({200, 100}, {250, 120}, c.third_expected), 1);
    EXPECT_EQ(Newest()->GetRect(), reference->GetRect()) << c.what;
    EXPECT_EQ(Newest()->Polynome().Count(), reference->Polynome().Count()) << c.what;
    EXPECT_EQ(tools_.CurrentTool(), Tool::Select) << c.what;
    EXPECT_EQ(tools_.ArrowState().clicks, 0) << c.what;
  }
}

TEST_F(DrawTools, CancelledTextOrImageLeavesNoObjectAndNoUndoStep) {
  doc_.SetModified(false);
  const std::size_t depth = doc_.UndoDepth();
  struct Case {
    const char* what;
    Tool tool;
    std::optional<std::filesystem::path> file;
  } cases[] = {
      {"cancelled text", Tool::ArtisticText, std::nullopt},
      {"cancelled image", Tool::Image, std::nullopt},
      {"unreadable image", Tool::Image, std::filesystem::path("/nonexistent/picture.png")},
  };
  for (const Case& c : cases) {
    text_dialog_.Cancel();
    images_.answer = c.file;
    ASSERT_TRUE(tools_.ChooseTool(c.tool)) << c.what;
    Click({40, 40});
    EXPECT_TRUE(doc_.Objects().empty()) << c.what;
    EXPECT_EQ(doc_.UndoDepth(), depth) << c.what;
    EXPECT_FALSE(doc_.IsModified()) << c.what;
    EXPECT_EQ(tools_.CurrentTool(), Tool::Select) << c.what;
  }
  EXPECT_EQ(images_.asked, 2);
}

TEST_F(DrawTools, TextToolKeepsTheLastTextsFontAndOptions) {
  ASSERT_TRUE(tools_.ChooseTool(Tool::ArtisticText));
  EXPECT_EQ(FaceName(tools_.GetTextDefaults().font), "Arial");
  text_dialog_.Ok([](TextDialogValues& v) {
    v.text = "Hello";
    v.size = 40;
    v.bold = true;
    v.alignment = 1;
  });
  Click({30, 40});
  ASSERT_TRUE(Newest() && Newest()->IsText());
  EXPECT_EQ(Newest()->GetX(), 30);
  EXPECT_EQ(tools_.GetTextDefaults().line_height, 40.0);
  EXPECT_EQ(tools_.GetTextDefaults().bold, 1);
  EXPECT_EQ(tools_.GetTextDefaults().align, 1);
  ASSERT_TRUE(tools_.ChooseTool(Tool::ArtisticText));
  text_dialog_.Cancel();
  Click({30, 140});
  EXPECT_EQ(text_dialog_.Shown().back().size, 40.0) << "the next text opens with them";
  EXPECT_TRUE(text_dialog_.Shown().back().bold);
}

TEST_F(DrawTools, BitmapToolsAreTogglesEnabledOnlyForAnUnscaledBitmap) {
  for (Tool tool : {Tool::PaintTransparency, Tool::PaintOpaque, Tool::TransparencyFromColour})
    EXPECT_FALSE(tools_.CanChooseTool(tool)) << "nothing selected";
  CDrawObject& shape = AddRectangle(10, 10, 50, 50);
  tools_.SelectObject(&shape);
  EXPECT_FALSE(tools_.CanChooseTool(Tool::PaintTransparency)) << "not a bitmap";
  CDrawObject& bitmap = AddBitmap(100, 100, 40, 30);
  tools_.SelectObject(&bitmap);
  ASSERT_TRUE(tools_.ChooseTool(Tool::PaintTransparency));
  EXPECT_EQ(quick_.Last(), (QuickToolsRequest{"", 0, kQuickBrush, -1}));
  EXPECT_EQ(tools_.CurrentTool(), Tool::PaintTransparency);
  ASSERT_TRUE(tools_.ChooseTool(Tool::PaintTransparency));
  EXPECT_EQ(tools_.CurrentTool(), Tool::Select) << "chosen twice, it returns to select";
  ASSERT_TRUE(tools_.ChooseTool(Tool::TransparencyFromColour));
  EXPECT_EQ(quick_.Last(), (QuickToolsRequest{"Tolerance", 28, kQuickPlain, -1}));
  bitmap.SetPendingRect(100, 100, 80, 30);
  bitmap.ApplyPendingRect();
  EXPECT_FALSE(tools_.CanChooseTool(Tool::PaintOpaque)) << "scaled away from its source size";
}

TEST(BrushDab, ChangesAlphaOnlyInsideTheDiscByAtMostTheValue) {
  RecordingHost host;
  CDrawObject o(host);
  RgbImage rgb{40, 40, std::vector<std::uint8_t>(3 * 40 * 40, 0x80)};
  ASSERT_EQ(o.CreateBitmapFromClipboard(rgb, 20, 20), 1);
  ASSERT_EQ(o.GetX(), 0);
  struct Case {
    BrushKind kind;
    int start_alpha;
  } cases[] = {{BrushKind::Transparency, 255}, {BrushKind::Opaque, 0}};
  for (const Case& c : cases) {
    for (int r = 0; r < 40; ++r)
      for (int col = 0; col < 40; ++col) o.SourceBitmap().Row(r)[4 * col + 3] = static_cast<std::uint8_t>(c.start_alpha);
    const Rect changed = PaintDab(o, {20, 20}, 8, 128, c.kind);
    EXPECT_EQ(changed, (Rect{4, 4, 36, 36}));
    for (int r = 0; r < 40; ++r) {
      for (int col = 0; col < 40; ++col) {
        const int d2 = (col - 20) * (col - 20) + (r - 20) * (r - 20);
        const int change = std::abs(o.SourceBitmap().Row(r)[4 * col + 3] - c.start_alpha);
        if (d2 >= 128) {
          ASSERT_EQ(change, 0) << "pixel " << col << ", " << r;
        } else {
          ASSERT_EQ(change, static_cast<int>(128 - 128.0 / 128 * d2)) << "pixel " << col << ", " << r;
        }
      }
    }
  }
  o.SetPendingRect(0, 0, 60, 40);
  o.ApplyPendingRect();
  EXPECT_TRUE(PaintDab(o, {20, 20}, 8, 128, BrushKind::Transparency).IsEmpty()) << "scaled: no dab";
}

TEST_F(DrawTools, BrushStrokeTintsUntilTheReleaseRendersAgain) {
  CDrawObject& bitmap = AddBitmap(100, 100, 40, 30);
  tools_.SelectObject(&bitmap);
  ASSERT_TRUE(tools_.ChooseTool(Tool::PaintTransparency));
  const std::size_t depth = doc_.UndoDepth();
  const std::uint8_t before_blue = bitmap.Image().Row(15)[4 * 20];
  tools_.Press({120, 115}, {});
  EXPECT_GT(bitmap.Image().Row(15)[4 * 20], before_blue) << "the feedback tints blue";
  tools_.Move({125, 115}, {});
  tools_.Release({125, 115}, {});
  EXPECT_EQ(doc_.UndoDepth(), depth + 1);
  EXPECT_LT(AlphaAt(bitmap, 20, 15), 255);
  EXPECT_LT(bitmap.Image().Row(15)[4 * 20 + 3], 255) << "rendered again from the painted source";
  EXPECT_EQ(tools_.CurrentTool(), Tool::PaintTransparency) << "the brush stays";
}

// Escape gives up a drawing drag: no object, no undo step, a painted source as it was;
// a path or arrow being clicked together is dropped and its tool stays.
TEST_F(DrawTools, EscapeGivesUpWhatIsBeingDrawn) {
  CDrawObject& bitmap = AddBitmap(100, 100, 40, 30);
  const struct {
    const char* what;
    Tool tool;
    bool select_bitmap;
  } cases[] = {{"rectangle", Tool::Rectangle, false}, {"star", Tool::Star, false},
               {"pencil", Tool::FreePath, false},     {"pen node", Tool::NewPath, false},
               {"brush", Tool::PaintTransparency, true}, {"opaque brush", Tool::PaintOpaque, true}};
  for (const auto& c : cases) {
    tools_.ResumeSelect();
    tools_.SelectObject(c.select_bitmap ? &bitmap : nullptr);
    ASSERT_TRUE(tools_.ChooseTool(c.tool)) << c.what;
    if (c.tool == Tool::PaintOpaque) AlphaRow(bitmap, 15, 0x40);
    const std::size_t objects = doc_.Objects().size(), depth = doc_.UndoDepth();
    const std::vector<std::uint8_t> source = PixelsOf(bitmap.SourceBitmap());
    const std::vector<std::uint8_t> image = PixelsOf(bitmap.Image());
    tools_.Press({118, 114}, {});
    ASSERT_TRUE(tools_.Dragging()) << c.what;
    tools_.Move({126, 116}, {});
    tools_.Move({150, 140}, {});
    EXPECT_TRUE(tools_.Escape()) << c.what;
    tools_.Release({150, 140}, {});
    EXPECT_EQ(doc_.Objects().size(), objects) << c.what;
    EXPECT_EQ(doc_.UndoDepth(), depth) << c.what;
    EXPECT_TRUE(tools_.Path().points.empty()) << c.what;
    EXPECT_EQ(PixelsOf(bitmap.SourceBitmap()), source) << c.what;
    EXPECT_EQ(PixelsOf(bitmap.Image()), image) << c.what << ": the tint is gone";
    EXPECT_EQ(tools_.CurrentTool(), c.tool) << c.what;
  }

  // Clicked together, not dragging: the first Escape drops the work, the next leaves the tool.
  for (Tool tool : {Tool::NewPath, Tool::Arrow}) {
    tools_.ResumeSelect();
    ASSERT_TRUE(tools_.ChooseTool(tool));
    Click({10, 10});
    Click({60, 40});
    const std::size_t objects = doc_.Objects().size();
    EXPECT_TRUE(tools_.Escape());
    EXPECT_EQ(tools_.CurrentTool(), tool);
    EXPECT_TRUE(tools_.Path().points.empty());
    EXPECT_EQ(tools_.ArrowState().clicks, 0);
    tools_.DoubleClick({80, 40}, {});
    EXPECT_EQ(doc_.Objects().size(), objects) << "nothing is left to finish";
    tools_.Escape();
    EXPECT_EQ(tools_.CurrentTool(), Tool::Select);
  }
}

TEST_F(DrawTools, TransparencyFromTheColourUnderThePress) {
  CDrawObject& bitmap = AddBitmap(100, 100, 40, 30);
  tools_.SelectObject(&bitmap);
  ASSERT_TRUE(tools_.ChooseTool(Tool::TransparencyFromColour));
  EXPECT_EQ(tools_.Cursor(), CursorRole::ColourPicker);
  quick_.first_value = 21;
  const std::size_t depth = doc_.UndoDepth();
  Click({110, 110});
  EXPECT_EQ(tools_.DrawParameters().tolerance, 10);
  EXPECT_EQ(AlphaAt(bitmap, 5, 5), 0) << "the grey under the press became transparent";
  EXPECT_EQ(doc_.UndoDepth(), depth + 1);
  EXPECT_EQ(tools_.CurrentTool(), Tool::Select);
}

}  // namespace
}  // namespace lumi::testing
