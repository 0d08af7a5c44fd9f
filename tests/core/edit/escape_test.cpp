// Escape during a drag gives it up and leaves everything as it was; without a drag it
// brings the select tool back.
#include <functional>
#include <sstream>

#include "tool_fixture.h"

namespace lumi::testing {
namespace {

class Escape : public ToolTest {
 public:
  // The cases below set the scene through these.
  using ToolTest::AddRectangle;
  using ToolTest::doc_;
  using ToolTest::tools_;
};

// Everything a drag may change on an object or the document, as text to compare (a
// press may select what it hits; that is the click's doing, not the drag's).
std::string StateOf(const CPlenivorDoc& doc, const ToolMachine& tools) {
  std::ostringstream out;
  for (const auto& o : doc.Objects()) {
    const Rect r = o->GetRect();
    out << "box " << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom;
    out << " pending " << o->HasPendingRect();
    const Rect p = o->GetPendingRect();
    out << ' ' << p.left << ',' << p.top << ',' << p.right << ',' << p.bottom;
    out << " path";
    for (Point q : o->Outline().PixelPoints(r.left, r.top, r.Width(), r.Height())) out << ' ' << q.x << ',' << q.y;
    out << " polynome";
    for (Point q : o->Polynome().PixelPoints(r.left, r.top, r.Width(), r.Height())) out << ' ' << q.x << ',' << q.y;
    out << " texture " << o->GetTextureOffsetX() << ',' << o->GetTextureOffsetY() << ','
        << o->GetTextureAngleX() << ',' << o->GetTextureAngleY() << ',' << o->GetTextureScaleX() << ','
        << o->GetTextureScaleY();
    out << " light " << o->GetLightX() << ',' << o->GetLightY() << ',' << o->GetLightZ() << '\n';
  }
  const Rect crop = doc.GetCropRect();
  out << "crop " << doc.IsCropActive() << ' ' << crop.left << ',' << crop.top << ',' << crop.right << ','
      << crop.bottom;
  for (int s : tools.SkewOffsets()) out << ' ' << s;
  return out.str();
}

// Every kind of drag: set up, press, move away; Escape; the release that follows.
TEST_F(Escape, EveryDragGivenUpLeavesTheDocumentAsItWasWithoutAnUndoStep) {
  const struct {
    const char* what;
    std::function<void(Escape&, CDrawObject&)> setup;
    Point press, move;
    bool live;  // the moves change the document (others only show feedback)
  } cases[] = {
      {"object move", [](Escape& t, CDrawObject& o) { t.tools_.SelectObject(&o); }, {150, 125}, {190, 160}, true},
      {"handle resize", [](Escape& t, CDrawObject& o) { t.tools_.SelectObject(&o); }, {100, 100}, {70, 80}, true},
      {"rubber band", [](Escape&, CDrawObject&) {}, {20, 20}, {260, 260}, false},
      {"multi-selection move",
       [](Escape& t, CDrawObject& o) { t.tools_.SetMultiSelection({&o, &t.AddRectangle(10, 10, 40, 40)}, false); },
       {150, 125}, {200, 200}, false},
      {"crop corner",
       [](Escape& t, CDrawObject&) {
         t.doc_.SetCropRect({100, 100, 200, 200});
         t.doc_.SetCropActive(true);
       },
       {96, 96}, {146, 146}, true},
      {"zoom rectangle", [](Escape& t, CDrawObject&) { t.tools_.ChooseTool(Tool::Zoom); }, {10, 10}, {90, 90}, false},
      {"rotate",
       [](Escape& t, CDrawObject& o) {
         t.tools_.SelectObject(&o);
         t.tools_.ChooseTool(Tool::Rotate);
       },
       {150, 100}, {100, 125}, false},
      {"skew handle",
       [](Escape& t, CDrawObject& o) {
         t.tools_.SelectObject(&o);
         t.tools_.ChooseTool(Tool::Skew);
       },
       {150, 101}, {170, 101}, true},
      {"texture handle",
       [](Escape& t, CDrawObject& o) {
         o.SetTextureName("Marble.bmp");
         t.tools_.SelectObject(&o);
         t.tools_.ChooseTool(Tool::Texture);
       },
       {150, 125}, {165, 131}, true},
      {"path node",
       [](Escape& t, CDrawObject& o) {
         t.tools_.SelectObject(&o);
         t.tools_.ChooseTool(Tool::Shape);
       },
       {200, 150}, {230, 175}, true},
      {"polynome node",
       [](Escape& t, CDrawObject& o) {
         o.ConvertToPolynome();
         t.tools_.SelectObject(&o);
         t.tools_.ChooseTool(Tool::Shape);
       },
       {200, 150}, {230, 175}, true},
      {"light direction",
       [](Escape& t, CDrawObject& o) {
         o.SetBevelKind(12);
         t.tools_.SelectObject(&o);
         t.tools_.ChooseTool(Tool::Shape);
       },
       {150, 125}, {170, 110}, true},
  };
  for (const auto& c : cases) {
    tools_.ForgetSelection();
    tools_.ResumeSelect();
    doc_.Objects().clear();
    doc_.SetCropRect({});
    doc_.SetCropActive(false);
    CDrawObject& o = AddRectangle(100, 100, 200, 150);
    c.setup(*this, o);
    doc_.TakeSnapshot();
    const std::size_t depth = doc_.UndoDepth();
    const std::string before = StateOf(doc_, tools_);
    const Tool tool = tools_.CurrentTool();
    const Rect overlay = tools_.BuildOverlay().Bounds();
    port_.zoomed.clear();

    tools_.Press(c.press, {});
    ASSERT_TRUE(tools_.Dragging()) << c.what;
    tools_.Move(c.move, {});
    EXPECT_EQ(StateOf(doc_, tools_) != before, c.live) << c.what << ": what the moves change";
    EXPECT_TRUE(tools_.Escape()) << c.what;
    EXPECT_FALSE(tools_.Dragging()) << c.what;
    EXPECT_EQ(StateOf(doc_, tools_), before) << c.what;
    EXPECT_EQ(tools_.BuildOverlay().Bounds(), overlay) << c.what << ": no drag feedback is left";
    // The button comes up afterwards: nothing happens.
    tools_.Release(c.move, {});
    EXPECT_EQ(StateOf(doc_, tools_), before) << c.what;
    EXPECT_EQ(doc_.UndoDepth(), depth) << c.what;
    EXPECT_TRUE(port_.zoomed.empty()) << c.what;
    EXPECT_EQ(tools_.CurrentTool(), tool) << c.what << ": the tool stays";
  }
}

TEST_F(Escape, WithoutADragTheSelectToolComesBack) {
  CDrawObject& o = AddRectangle(100, 100, 200, 150);
  ASSERT_TRUE(tools_.ChooseTool(Tool::Rotate));
  tools_.SelectObject(&o);
  EXPECT_TRUE(tools_.Escape());
  EXPECT_EQ(tools_.CurrentTool(), Tool::Select);
  EXPECT_EQ(tools_.Selected(), &o) << "the selection stays";
  EXPECT_FALSE(tools_.Escape()) << "with the select tool there is nothing to do";
  EXPECT_EQ(tools_.CurrentTool(), Tool::Select);
}

}  // namespace
}  // namespace lumi::testing
