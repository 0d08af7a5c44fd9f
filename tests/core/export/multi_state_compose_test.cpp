#include "export/multi_state_compose.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "button_fixture.h"
#include "export/multi_state_objects.h"

namespace lumi {
namespace {

using namespace fixtures;

TEST(MultiStateObjects, NothingToExportWithoutSeparateFramedObjects) {
  struct Case {
    const char* name;
    void (*build)(ButtonScene&);
  };
  const Case cases[] = {
      {"empty document", [](ButtonScene&) {}},
      {"no looks", [](ButtonScene& s) { s.Add({0, 0, 10, 10}, kRed); }},
      {"all framed objects keep with previous",
       [](ButtonScene& s) {
         s.Add({0, 0, 10, 10}, kRed);
         s.AddButton({20, 20, 40, 40}, kRed, kGreen, 0).SetExcludeFromButtons(1);
         s.AddButton({30, 30, 50, 50}, kRed, 0, kBlue).SetExcludeFromButtons(1);
       }},
  };
  for (const Case& c : cases) {
    ButtonScene scene;
    c.build(scene);
    scene.host.Clear();
    EXPECT_FALSE(PrepareMultiStateExport(scene.objects, scene.host)) << c.name;
    EXPECT_EQ(scene.host.Messages(),
              (std::vector<std::string>{
                  "There are no separate multiframe objects in this project.\nTo create "
                  "multiframe objects you have to use Multimedia Extension properties.\n"
                  "Please refer to the help for more info..."}))
        << c.name;
  }
}

TEST(MultiStateObjects, ButtonsAreNumberedInListOrderSkippingKeepWithPrevious) {
  ButtonScene scene;
  scene.Add({0, 0, 10, 10}, kRed);
  scene.AddButton({0, 0, 10, 10}, kRed, kGreen, 0);
  scene.AddButton({0, 0, 10, 10}, kRed, kGreen, 0).SetExcludeFromButtons(1);
  scene.AddButton({0, 0, 10, 10}, kRed, 0, kBlue);
  EXPECT_EQ(CountExportedFramed(scene.objects), 2);
  EXPECT_EQ(ExportedFramedIndex(scene.objects, 0), 1);
  EXPECT_EQ(ExportedFramedIndex(scene.objects, 1), 3);
  EXPECT_EQ(ExportedFramedIndex(scene.objects, 2), -1);
  EXPECT_EQ(ExportedFramedIndex(scene.objects, -1), -1);
}

TEST(MultiStateObjects, PreparingKeepsTheEditsOfTheShownLook) {
  ButtonScene scene;
  CDrawObject& button = scene.AddButton({10, 10, 30, 30}, kRed, kGreen, 0);
  button.ShowState(1);
  button.SetFillColor(kCyan);  // edited in the highlighted look, not stored yet
  button.Render();
  ASSERT_TRUE(PrepareMultiStateExport(scene.objects, scene.host));
  button.ShowState(0);
  button.ShowState(1);
  EXPECT_EQ(button.GetFillColor(), kCyan);
}

TEST(MultiStateObjects, ExportRectangleCoversEveryLooksEffectWhicheverLookIsShown) {
  ButtonScene scene;
  CDrawObject& button = scene.Add({0, 0, 20, 20}, kRed);
  button.SetStates(1, true, false, false);
  button.SetEffectKind(1);  // only the highlighted look casts a shadow
  button.Render();
  button.StoreShownState();
  // Margin 10 at 45 degrees moves the shadow by (7, 7); softness 2 widens it by 3.
  EXPECT_EQ(ExportRect(button), (Rect{0, 0, 30, 30})) << "highlighted look shown";
  button.ShowState(0);
  EXPECT_EQ(ExportRect(button), (Rect{0, 0, 30, 30})) << "normal look shown";

  const auto states = ComposeStates(scene.canvas, scene.objects, 0, MultiStateTarget::SeparateBmp,
                                    scene.host);
  ASSERT_TRUE(states);
  for (const RgbImage* image : {&states->normal, &states->highlighted, &states->third}) {
    EXPECT_EQ(image->width, 30);
    EXPECT_EQ(image->height, 30);
  }
  EXPECT_EQ(ColourAt(states->normal, 21, 21), kWhite);
  EXPECT_NE(ColourAt(states->highlighted, 21, 21), kWhite) << "the shadow of the highlighted look";

  button.SetStates(0, true, false, true);  // Solo mode: the normal look only
  EXPECT_EQ(ExportRect(button), (Rect{0, 0, 20, 20}));
}

TEST(MultiStateCompose, BlendingTheCanvasAlphaKeepsTheColours) {
  ButtonScene scene;
  CDrawObject& object = scene.AddCircle({5, 5, 35, 30}, kRed);
  object.SetEffectKind(1);
  object.SetTransparency(100);
  object.Render();
  CDIBSection keep, blend;
  keep.Create(40, 40);
  for (std::size_t i = 0; i < keep.PixelBytes(); ++i)
    keep.Pixels()[i] = static_cast<std::uint8_t>(i * 37 % 251);
  blend = keep;
  object.DrawTo(keep, {-2, -3});
  object.DrawTo(blend, {-2, -3}, CDrawObject::kBlendCanvasAlpha);
  bool alpha_changed = false;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      for (int c = 0; c < 3; ++c) ASSERT_EQ(keep.Row(y)[x * 4 + c], blend.Row(y)[x * 4 + c]);
      alpha_changed |= keep.Row(y)[x * 4 + 3] != blend.Row(y)[x * 4 + 3];
    }
  }
  EXPECT_TRUE(alpha_changed);
}

TEST(MultiStateCompose, PushedOnlyButtonShowsItsNormalLookWhenHighlighted) {
  ButtonScene scene;
  scene.AddButton({20, 20, 50, 40}, kRed, 0, kBlue);
  for (MultiStateTarget target : {MultiStateTarget::Pavonix, MultiStateTarget::SeparateJpg}) {
    const auto states = ComposeStates(scene.canvas, scene.objects, 0, target, scene.host);
    ASSERT_TRUE(states);
    EXPECT_EQ(states->rect, (Rect{20, 20, 50, 40}));
    EXPECT_EQ(ColourAt(states->normal, 15, 10), kRed);
    EXPECT_EQ(states->highlighted.pixels, states->normal.pixels);
    EXPECT_EQ(ColourAt(states->third, 15, 10), kBlue);
  }
}

TEST(MultiStateCompose, ObjectsBelowAndAboveAreDrawnIntoEachStateInItsLook) {
  ButtonScene scene;
  scene.Add({0, 0, 120, 30}, kGrey);  // below the button's top
  CDrawObject& hidden = scene.Add({0, 0, 120, 90}, kCyan);
  hidden.SetHidden(1);
  CDrawObject& button = scene.AddCircle({20, 20, 60, 60}, kRed);
  AddLook(button, 1, kGreen);
  AddLook(button, 2, kBlue);
  scene.AddButton({40, 40, 50, 50}, kYellow, kCyan, kMagenta).SetExcludeFromButtons(1);
  scene.host.Clear();
  const auto states =
      ComposeStates(scene.canvas, scene.objects, 0, MultiStateTarget::SeparateBmp, scene.host);
  ASSERT_TRUE(states);
  const Rect r = states->rect;
  EXPECT_EQ(r, button.GetRect());
  struct Expect {
    const RgbImage* image;
    COLORREF button, above;
  };
  for (const Expect& e : {Expect{&states->normal, kRed, kYellow},
                          Expect{&states->highlighted, kGreen, kCyan},
                          Expect{&states->third, kBlue, kMagenta}}) {
    EXPECT_EQ(e.image->width, r.Width());
    EXPECT_EQ(e.image->height, r.Height());
    EXPECT_EQ(ColourAt(*e.image, 0, 0), kGrey) << "below the button, hidden objects skipped";
    EXPECT_EQ(ColourAt(*e.image, 0, r.Height() - 1), kWhite) << "the canvas colour";
    EXPECT_EQ(ColourAt(*e.image, 30 - r.left, 40 - r.top), e.button);
    EXPECT_EQ(ColourAt(*e.image, 45 - r.left, 45 - r.top), e.above)
        << "the object above in the same look";
  }
  // Progress after each object below the button: 1 and 2 of 4.
  const auto& log = scene.host.Log();
  EXPECT_NE(std::find(log.begin(), log.end(), "status 0: Working: 25%"), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), "status 0: Working: 50%"), log.end());
  EXPECT_EQ(log.front(), "wait on");
  EXPECT_EQ(log.back(), "wait off");
}

TEST(MultiStateCompose, KeepWithPreviousIsDrawnOnlyIntoItsButton) {
  ButtonScene scene;
  scene.Add({0, 60, 20, 80}, kGrey);
  scene.AddButton({20, 20, 60, 50}, kRed, kGreen, kBlue);
  CDrawObject& kept = scene.AddButton({30, 30, 40, 40}, kYellow, kCyan, kMagenta);
  kept.SetExcludeFromButtons(1);
  scene.AddButton({80, 10, 110, 30}, kRed, kGreen, 0);

  const RgbImage background = ComposeButtonBackground(scene.canvas, scene.objects, scene.host);
  EXPECT_EQ(ColourAt(background, 10, 70), kGrey) << "objects without looks";
  EXPECT_EQ(ColourAt(background, 35, 35), kWhite) << "no framed object in the background";
  EXPECT_EQ(ColourAt(background, 25, 25), kWhite);

  const auto first =
      ComposeStates(scene.canvas, scene.objects, 0, MultiStateTarget::Pavonix, scene.host);
  ASSERT_TRUE(first);
  EXPECT_EQ(ColourAt(first->normal, 15, 15), kYellow);
  EXPECT_EQ(ColourAt(first->highlighted, 15, 15), kCyan);
  EXPECT_EQ(ColourAt(first->third, 15, 15), kMagenta);

  const auto second =
      ComposeStates(scene.canvas, scene.objects, 1, MultiStateTarget::Pavonix, scene.host);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->rect, (Rect{80, 10, 110, 30}));
  for (const RgbImage* image : {&second->normal, &second->highlighted, &second->third})
    for (std::size_t i = 0; i < image->pixels.size(); i += 3)
      ASSERT_NE(RGB(image->pixels[i], image->pixels[i + 1], image->pixels[i + 2]), kYellow);
  EXPECT_FALSE(ComposeStates(scene.canvas, scene.objects, 2, MultiStateTarget::Pavonix, scene.host));
}

TEST(MultiStateCompose, LaterButtonsSeeTheNormalLookOfObjectsAboveEarlierButtons) {
  ButtonScene scene;
  scene.AddButton({10, 10, 40, 40}, kRed, kGreen, kBlue);
  CDrawObject& kept = scene.AddButton({30, 30, 50, 50}, kYellow, kCyan, kMagenta);
  kept.SetExcludeFromButtons(1);
  CDrawObject& later = scene.AddCircle({45, 45, 75, 75}, kRed);
  AddLook(later, 1, kGreen);
  AddLook(later, 2, kBlue);
  ASSERT_TRUE(ComposeStates(scene.canvas, scene.objects, 0, MultiStateTarget::SeparateBmp, scene.host));
  // The document shows the normal looks again, of the button and of what lies above it.
  EXPECT_EQ(kept.GetCurrentState(), 0);
  EXPECT_EQ(kept.GetFillColor(), kYellow);
  EXPECT_EQ(later.GetCurrentState(), 0);

  const auto states =
      ComposeStates(scene.canvas, scene.objects, 1, MultiStateTarget::SeparateBmp, scene.host);
  ASSERT_TRUE(states);
  ASSERT_LT(states->rect.left, 49);
  ASSERT_LT(states->rect.top, 49);
  // The corner of the circle's box shows the kept object below it, in its normal look
  // in every state image: only the button's own looks change between them.
  EXPECT_EQ(ColourAt(states->normal, 1, 1), kYellow);
  EXPECT_EQ(ColourAt(states->highlighted, 1, 1), kYellow);
  EXPECT_EQ(ColourAt(states->third, 1, 1), kYellow);
  const int centre = states->rect.Width() / 2;
  EXPECT_EQ(ColourAt(states->highlighted, centre, centre), kGreen);
}

TEST(MultiStateCompose, SoloObjectToPavonixIsAMovableBitmapWithAlphaMask) {
  ButtonScene scene;
  scene.Add({0, 0, 120, 90}, kGrey);
  CDrawObject& solo = scene.AddCircle({20, 20, 50, 50}, kRed);
  AddLook(solo, 1, kGreen);
  AddLook(solo, 2, kBlue);
  solo.SetStates(0, true, true, true);
  ASSERT_TRUE(IsFramed(solo));

  const auto pavonix =
      ComposeStates(scene.canvas, scene.objects, 0, MultiStateTarget::Pavonix, scene.host);
  ASSERT_TRUE(pavonix);
  const int centre = pavonix->rect.Width() / 2;
  EXPECT_EQ(ColourAt(pavonix->normal, centre, centre), kRed);
  EXPECT_EQ(ColourAt(pavonix->third, centre, centre), kWhite) << "alpha 255 inside";
  // Drawn on nothing: the grey object below does not show at the box's corner.
  EXPECT_EQ(ColourAt(pavonix->normal, 0, 0), 0u);
  EXPECT_EQ(ColourAt(pavonix->third, 0, 0), 0u) << "alpha 0 outside";
  EXPECT_EQ(ColourAt(pavonix->highlighted, centre, centre), kRed) << "Solo mode shows no other look";
  EXPECT_EQ(ColourAt(pavonix->highlighted, 0, 0), kGrey);

  const auto generic =
      ComposeStates(scene.canvas, scene.objects, 0, MultiStateTarget::SeparateBmp, scene.host);
  ASSERT_TRUE(generic);
  EXPECT_EQ(ColourAt(generic->normal, 0, 0), kGrey);
  EXPECT_EQ(ColourAt(generic->normal, centre, centre), kRed);
  EXPECT_EQ(ColourAt(generic->third, centre, centre), kRed) << "no pushed look in Solo mode";
}

}  // namespace
}  // namespace lumi
