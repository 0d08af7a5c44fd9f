// CDrawObject: creation, the size clamp, moving, drawing offsets, the rectangles the view
// asks for, looks, conversions and the node-editing wrappers.
#include "objects/draw_object.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "base/host.h"
#include "base/settings.h"
#include "objects/object_id.h"

namespace lumi {
namespace {

const char kTooBig[] = "Image is too big for the memory, I will just resize it to max 1700 x 1500";

class DrawObjectTest : public testing::Test {
 protected:
  RecordingHost host;
  // A rectangle whose object box is exactly (x, y, w, h): the drag is 2 pixels inside.
  std::unique_ptr<CDrawObject> Rectangle(int x, int y, int w, int h) {
    auto object = std::make_unique<CDrawObject>(host);
    object->CreateRectangle(x + 2, y + 2, x + w - 2, y + h - 2);
    return object;
  }
  static std::uint8_t Alpha(const CDrawObject& o, int x, int y) { return o.Image().Row(y)[x * 4 + 3]; }
};

TEST(ObjectId, TwelveCharactersOfTheAlphabetAndNoRepeats) {
  std::set<std::string> seen;
  for (int i = 0; i < 20000; ++i) {
    const std::string id = NewObjectId();
    ASSERT_TRUE(IsObjectIdShape(id)) << id;
    ASSERT_TRUE(seen.insert(id).second) << "repeated " << id;
  }
  EXPECT_FALSE(IsObjectIdShape("abcdefghijkz")) << "z is not in the alphabet";
  EXPECT_FALSE(IsObjectIdShape("ABC"));
}

TEST_F(DrawObjectTest, NewObjectTakesTheFontFromTheSettings) {
  MemorySettings settings;
  settings.SetString("Font", "Name", "Verdana");
  settings.SetInt("Font", "Height", 33);
  settings.SetInt("Font", "Italic", 1);
  CDrawObject object(host, &settings);
  EXPECT_STREQ(object.GetFont().lfFaceName, "Verdana");
  EXPECT_EQ(object.GetFont().lfHeight, 33);
  EXPECT_EQ(object.GetFont().lfItalic, 1);
  EXPECT_EQ(object.GetFont().lfWeight, 400);
  EXPECT_EQ(object.GetFont().lfPitchAndFamily, 0x20);
  EXPECT_EQ(object.GetKind(), kKindNone);
  EXPECT_TRUE(object.Image().IsEmpty());
  settings.SetString("Font", "Name", std::string(32, 'F'));
  EXPECT_STREQ(CDrawObject(host, &settings).GetFont().lfFaceName, "Arial")
      << "a name that does not fit the field is not taken";
}

TEST_F(DrawObjectTest, RectangleDragOf100By50Becomes104By54) {
  CDrawObject object(host);
  EXPECT_EQ(object.CreateRectangle(110, 70, 10, 20), 1) << "any corner order";
  EXPECT_EQ(object.GetRect(), (Rect{8, 18, 112, 72}));
  EXPECT_EQ(object.GetKindName(), "Rectangle");
  EXPECT_EQ(object.Image().Width(), 104);
  EXPECT_EQ(object.Image().Height(), 54);
  EXPECT_EQ(object.GetRendered(), 1);
  EXPECT_EQ(object.GetRasterOk(), 1);
  EXPECT_EQ(Alpha(object, 1, 27), 0) << "outside the outline, 2 pixels in";
  EXPECT_EQ(Alpha(object, 52, 27), 255);
  EXPECT_TRUE(host.Messages().empty());
}

TEST_F(DrawObjectTest, ZeroByZeroDragBecomesOneByOne) {
  CDrawObject object(host);
  object.CreateRectangle(40, 30, 40, 30);
  EXPECT_EQ(object.GetRect(), (Rect{40, 30, 41, 31}));
  EXPECT_TRUE(host.Messages().empty());
}

TEST_F(DrawObjectTest, SizeClampTellsTheUserOnce) {
  struct Case {
    int w, h, expected_w, expected_h;
    bool message;
  };
  const Case cases[] = {{2000, 800, 1700, 800, true},  {800, 1600, 800, 1500, true},
                        {2000, 2000, 1700, 1500, true}, {1700, 1500, 1700, 1500, false},
                        {0, -5, 1, 1, false}};
  for (const Case& c : cases) {
    host.Clear();
    auto object = Rectangle(0, 0, 20, 20);
    object->SetSize(c.w, c.h);
    EXPECT_EQ(object->GetWidth(), c.expected_w) << c.w << "x" << c.h;
    EXPECT_EQ(object->GetHeight(), c.expected_h) << c.w << "x" << c.h;
    EXPECT_EQ(object->Image().Width(), c.expected_w);
    EXPECT_EQ(host.Messages(), c.message ? std::vector<std::string>{kTooBig}
                                         : std::vector<std::string>{})
        << c.w << "x" << c.h;
  }
}

TEST_F(DrawObjectTest, MovingFarLeftOrUpWarnsPastMinus300) {
  const std::string warning =
      "The object Rectangle was moved outside the drawing area\nand it may become invisible. "
      "Please Zoom out to see the whole area.";
  struct Case {
    int x, y;
    bool warns;
  };
  for (const Case& c : {Case{-350, 0, true}, Case{-340, 0, false}, Case{0, -341, true},
                        Case{0, -340, false}}) {
    host.Clear();
    auto object = Rectangle(0, 0, 40, 40);
    object->MoveTo(c.x, c.y);
    EXPECT_EQ(object->GetX(), c.x);
    EXPECT_EQ(object->GetY(), c.y) << "the move happens anyway";
    EXPECT_EQ(host.Messages(),
              c.warns ? std::vector<std::string>{warning} : std::vector<std::string>{})
        << c.x << "," << c.y;
  }
}

TEST_F(DrawObjectTest, DrawToPlacesTheEffectLayerByKind) {
  struct Case {
    int effect;
    bool drawn;
    Point offset;  // of the layer's corner from (m_x - margin, m_y - margin)
  };
  // Distance 3 at 45 degrees truncates to (2, 2).
  const Case cases[] = {{1, true, {2, 2}}, {7, true, {0, 0}}, {2, true, {2, 7}}, {6, false, {}}};
  for (const Case& c : cases) {
    auto object = Rectangle(50, 60, 30, 20);
    object->SetEffectKind(c.effect);
    CDIBSection& layer = object->MutableEffectLayer();
    layer.Create(30 + 20, 20 + 20);
    layer.Row(0)[1] = 200;  // one opaque green pixel at the layer's top-left corner
    layer.Row(0)[3] = 255;
    CDIBSection canvas;
    canvas.Create(200, 200);
    canvas.FillRGBA(RGB(255, 255, 255));
    object->DrawTo(canvas);
    const Point at{50 - 10 + c.offset.x, 60 - 10 + c.offset.y};
    const std::uint8_t* px = canvas.Row(at.y) + at.x * 4;
    EXPECT_EQ(px[0] == 0 && px[1] == 200, c.drawn) << "effect " << c.effect;
    const std::uint8_t* inside = canvas.Row(70) + 65 * 4;
    EXPECT_EQ(inside[0], 0) << "the image is drawn red";
    EXPECT_EQ(inside[2], 255);
    EXPECT_EQ(inside[3], 255) << "canvas alpha kept";
  }
  auto hidden = Rectangle(0, 0, 30, 20);
  hidden->SetHidden(1);
  CDIBSection canvas;
  canvas.Create(50, 50);
  canvas.FillRGBA(RGB(255, 255, 255));
  hidden->DrawTo(canvas);
  EXPECT_EQ(canvas.Row(10)[15 * 4], 255) << "hidden objects are not drawn";
}

TEST_F(DrawObjectTest, InvalidAndVisualRectanglesGrowByTheEffect) {
  auto object = Rectangle(100, 100, 50, 40);
  const Rect selection = object->GetSelectionRect();
  EXPECT_EQ(selection, (Rect{97, 97, 153, 143}));
  EXPECT_EQ(object->GetInvalidRect(selection), selection) << "no effect";
  EXPECT_EQ(object->GetVisualRect(object->GetRect()), object->GetRect());
  object->SetEffectKind(1);
  // Layer (100 + 2 - 10, ...) united with the selection, inflated by 2.
  EXPECT_EQ(object->GetInvalidRect(selection), (Rect{90, 90, 164, 154}));
  // Margin 10 at 45 degrees gives (7, 7); softness 2 gives g = 3.
  EXPECT_EQ(object->GetVisualRect(object->GetRect()), (Rect{100, 100, 160, 150}));
  object->SetEffectKind(7);
  EXPECT_EQ(object->GetInvalidRect(selection), (Rect{90, 90, 164, 154}))
      << "effect 7 keeps its offset here";
  EXPECT_EQ(object->GetCenter(), (Point{125, 120}));
}

TEST_F(DrawObjectTest, ShapeTestSamplesTheRenderedAlpha) {
  CDrawObject circle(host);
  circle.CreateCircle(0, 0, 100, 100);  // box (-2, -2) 104 x 104
  EXPECT_TRUE(circle.HitShape(50, 50));
  EXPECT_FALSE(circle.HitShape(-1, -1)) << "the box corner lies outside the circle";
  EXPECT_FALSE(circle.HitShape(103, 50)) << "outside the box";
  CDrawObject empty(host);
  empty.SetKind(kKindPolynome);
  empty.SetSize(10, 10);
  EXPECT_TRUE(empty.HitShape(5, 5)) << "a polynome without points is hit anywhere in its box";
}

TEST_F(DrawObjectTest, PendingGeometryIsNormalisedAndAppliedOnce) {
  auto object = Rectangle(0, 0, 20, 20);
  object->SetPendingRect(100, 100, -50, -20);
  EXPECT_EQ(object->GetPendingRect(), (Rect{50, 80, 100, 100}));
  EXPECT_EQ(object->GetWidth(), 20) << "nothing applied yet";
  EXPECT_EQ(object->ApplyPendingRect(), 1);
  EXPECT_EQ(object->GetRect(), (Rect{50, 80, 100, 100}));
  EXPECT_EQ(object->ApplyPendingRect(), 0);
  EXPECT_FALSE(object->HasPendingRect());
  EXPECT_EQ(object->GetPendingRect(), (Rect{50, 80, 100, 100})) << "the record keeps the last resize";
}

TEST_F(DrawObjectTest, TextureNameAndFillQueries) {
  CDrawObject object(host);
  object.SetTextureScaleX(2.0);
  object.SetTextureOffsetY(7);
  object.SetTextureName("");
  EXPECT_EQ(object.GetTextureScaleX(), 2.0) << "same name: transform kept";
  object.SetTextureName("Marble.bmp");
  EXPECT_EQ(object.GetTextureScaleX(), 1.0);
  EXPECT_EQ(object.GetTextureOffsetY(), 0);
  EXPECT_TRUE(object.HasTextureFill());
  for (const char* name : {"", "No Texture.bmp", "Linear Gradient.tmb", "Radial Gradient.tmb"}) {
    object.SetTextureName(name);
    EXPECT_FALSE(object.HasTextureFill()) << name;
  }
}

TEST_F(DrawObjectTest, CopyAttributesLeavesIdentityLooksAndCaches) {
  auto source = Rectangle(10, 10, 30, 30);
  source->SetFillColor(RGB(1, 2, 3));
  source->SetBevelKind(5);
  source->SetSpare(9);
  source->SetExcludeFromButtons(1);
  CDrawObject copy(host);
  copy.CopyAttributes(*source);
  EXPECT_NE(copy.GetId(), source->GetId());
  EXPECT_EQ(copy.GetFillColor(), RGB(1, 2, 3));
  EXPECT_EQ(copy.GetBevelKind(), 5);
  EXPECT_EQ(copy.GetSpare(), 9);
  EXPECT_EQ(copy.GetRect(), source->GetRect());
  EXPECT_EQ(copy.Outline().Count(), 12);
  EXPECT_EQ(copy.GetExcludeFromButtons(), 0);
  EXPECT_TRUE(copy.Image().IsEmpty()) << "render caches are not copied";
}

TEST_F(DrawObjectTest, LooksSwitchAttributesAndSuppressionRestoresTheNormalLook) {
  auto object = Rectangle(0, 0, 20, 20);
  object->SetTextureStrength(90);
  object->SetStates(1, true, false, false);  // show the (new) highlighted look
  EXPECT_EQ(object->GetCurrentState(), 1);
  ASSERT_NE(object->NormalLook(), nullptr);
  ASSERT_NE(object->HighlightedLook(), nullptr);
  object->SetFillColor(RGB(0, 0, 255));
  object->StoreShownState();
  object->SetTextureStrength(200);
  object->StoreShownState();
  object->ShowState(0);
  EXPECT_EQ(object->GetFillColor(), RGB(255, 0, 0));
  EXPECT_EQ(object->GetTextureStrength(), 90) << "each look keeps its own texture strength";
  EXPECT_EQ(object->Image().Row(10)[10 * 4 + 2], 255) << "rendered red again";
  object->ShowState(1);
  EXPECT_EQ(object->GetFillColor(), RGB(0, 0, 255));
  EXPECT_EQ(object->GetTextureStrength(), 200);
  object->ShowState(2);
  EXPECT_EQ(object->GetCurrentState(), 1) << "no pushed look";
  object->MoveTo(5, 5);
  EXPECT_EQ(object->HighlightedLook()->GetX(), 0) << "copies move only with the normal look";

  object->SetStates(0, true, false, true);
  EXPECT_EQ(object->GetCurrentState(), 0);
  EXPECT_EQ(object->GetFillColor(), RGB(255, 0, 0));
  EXPECT_EQ(object->HighlightedLook(), nullptr);
  EXPECT_EQ(object->NormalLook(), nullptr);
}

TEST_F(DrawObjectTest, VisualRectangleOfAllLooksIncludesEachLooksEffect) {
  auto object = Rectangle(0, 0, 20, 20);
  object->SetStates(1, true, false, false);
  object->SetEffectKind(1);  // the highlighted look casts a shadow
  object->StoreShownState();
  object->ShowState(0);
  EXPECT_EQ(object->GetVisualRect(object->GetRect()), (Rect{0, 0, 20, 20}));
  // Margin 10 at 45 degrees moves the shadow by (7, 7); softness 2 widens it by 3.
  EXPECT_EQ(object->GetVisualRectAllLooks(), (Rect{0, 0, 30, 30}));
  object->SetStates(0, true, false, true);
  EXPECT_EQ(object->GetVisualRectAllLooks(), (Rect{0, 0, 20, 20})) << "looks suppressed";
}

TEST_F(DrawObjectTest, ConversionsToPolynomeAndCombining) {
  auto shape = Rectangle(0, 0, 104, 54);
  EXPECT_EQ(shape->ConvertToPolynome(), 1);
  EXPECT_EQ(shape->GetKind(), kKindPolynome);
  EXPECT_EQ(shape->GetKindName(), "Rectangle");
  EXPECT_EQ(shape->Outline().Count(), 0);
  EXPECT_EQ(shape->Polynome().Count(), 13);
  // The nodes lie 2 pixels inside, where the polynome margin of 2 puts the box again
  // (give or take the truncating per-mille mapping).
  EXPECT_NEAR(shape->GetX(), 0, 1);
  EXPECT_NEAR(shape->GetWidth(), 104, 1);
  EXPECT_NEAR(shape->GetHeight(), 54, 1);
  EXPECT_EQ(Alpha(*shape, 54, 29), 255);
  EXPECT_EQ(shape->ConvertToPolynome(), 0) << "only shapes convert";

  CDrawObject arrow(host);
  ASSERT_EQ(arrow.CreateArrow({100, 100}, {200, 100}, {200, 150}), 1);
  EXPECT_EQ(arrow.GetKind(), kKindPolynome);
  auto other = Rectangle(150, 150, 40, 40);
  EXPECT_EQ(arrow.Combine(*other), 1);
  EXPECT_EQ(arrow.Polynome().Count(), 6 + 13);
  EXPECT_EQ(other->GetKind(), kKindPolynome) << "the other object was converted";
  EXPECT_GE(arrow.GetRect().bottom, 190);
  auto plain = Rectangle(0, 0, 30, 30);
  EXPECT_EQ(plain->Combine(arrow), 0) << "only polynomes combine";

  EXPECT_EQ(shape->ConvertPolynomeToEnvelope(true), 1);
  EXPECT_TRUE(shape->IsText());
  EXPECT_FALSE(shape->HasText()) << "a polynome envelope, not real text";
  // Its handles edit it: pulling the top-right corner up grows the box upwards.
  const Rect before = shape->GetRect();
  shape->MoveEnvelopeHandle(3, 0, -10);
  EXPECT_TRUE(shape->IsEnvelope()) << "the first handle move switches the warp on";
  shape->FinishNodeDrag();
  EXPECT_EQ(shape->GetY(), before.top - 10);
  EXPECT_EQ(shape->GetRect().bottom, before.bottom);
  EXPECT_EQ(shape->ConvertTextToPolynome(), 1);
  EXPECT_FALSE(shape->IsText());
}

TEST_F(DrawObjectTest, RotateAndSkewRefitTheBox) {
  auto object = Rectangle(0, 0, 104, 54);
  EXPECT_FALSE(object->Rotate(0, false));
  EXPECT_TRUE(object->Rotate(90, false));
  EXPECT_NEAR(object->GetWidth(), 54, 1);
  EXPECT_NEAR(object->GetHeight(), 104, 1);
  EXPECT_NEAR(object->GetCenter().x, 52, 2) << "turned about its centre";

  auto skewed = Rectangle(0, 0, 104, 54);
  EXPECT_TRUE(skewed->Skew(20, 0, 0, 0));
  // The shift fades linearly from the box's top to its bottom; the outline's top and bottom
  // edges lie 2 pixels inside, so they part by 20 x 50 / 54 pixels.
  EXPECT_NEAR(skewed->GetWidth(), 104 + 20 * 50 / 54, 1);
  EXPECT_EQ(skewed->GetHeight(), 54);
}

TEST_F(DrawObjectTest, NodeDragRefitsOnlyWhenTheOutlineChanged) {
  auto object = Rectangle(0, 0, 104, 54);
  EXPECT_EQ(object->HitNode({102, 52}, false), 6);
  const Rect before = object->FinishNodeDrag();
  EXPECT_EQ(before, object->GetSelectionRect());
  EXPECT_EQ(object->GetWidth(), 104) << "nothing moved, nothing re-fitted";
  object->MoveNode(6, 20, 20);
  object->FinishNodeDrag();
  EXPECT_NEAR(object->GetWidth(), 124, 1);
  EXPECT_NEAR(object->GetHeight(), 74, 1);
  EXPECT_EQ(object->DeleteNode(-1), Rect{});
  int index = 0;
  EXPECT_EQ(object->InsertNodeAt({500, 500}, false, index), Rect{});
  EXPECT_EQ(index, -1);
}

}  // namespace
}  // namespace lumi
