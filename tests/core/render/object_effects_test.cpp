// Bevels, shadows and glows through whole renders of drawing objects: where the effect
// layer lands on the canvas, what the bevels do to the object's colours and alpha, and
// that every bevel with every effect renders at every size with caches of the right size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/host.h"
#include "base/runtime_random.h"
#include "blur_reference.h"
#include "image/dib_section.h"
#include "objects/draw_object.h"
#include "render/bevels.h"
#include "render/effects.h"

namespace lumi {
namespace {

const std::uint8_t* At(const CDIBSection& image, int x, int y) { return image.Row(y) + x * 4; }
int Alpha(const CDIBSection& image, int x, int y) { return At(image, x, y)[3]; }
int Blue(const CDIBSection& image, int x, int y) { return At(image, x, y)[0]; }

CDIBSection WhiteCanvas(int w, int h) {
  CDIBSection canvas;
  canvas.Create(w, h);
  canvas.FillRGBA(0xFFFFFF);
  return canvas;
}

// White darkened by a black layer of alpha a, as the canvas blend does it.
int WhiteUnderBlack(int a) { return a == 0 ? 255 : a == 255 ? 0 : (255 * (255 - a)) >> 8; }

// A rectangle dragged from (x + 2, y + 2) to (x + w - 2, y + h - 2): its box is
// (x, y, w, h) and it covers exactly the box less 2 pixels on every side.
void MakeRectangle(CDrawObject& o, int x, int y, int w, int h) {
  o.CreateRectangle(x + 2, y + 2, x + w - 2, y + h - 2);
  ASSERT_EQ(o.GetX(), x);
  ASSERT_EQ(o.GetY(), y);
  ASSERT_EQ(o.GetWidth(), w);
  ASSERT_EQ(o.GetHeight(), h);
  for (int yy = 0; yy < h; ++yy) {
    for (int xx = 0; xx < w; ++xx) {
      const bool inside = xx >= 2 && xx < w - 2 && yy >= 2 && yy < h - 2;
      ASSERT_EQ(Alpha(o.Image(), xx, yy), inside ? 255 : 0) << xx << "," << yy;
    }
  }
}

TEST(ObjectShadow, DefaultDropShadowIsTwoRightTwoDownAt200Of256) {
  SilentHost host;
  CDrawObject object(host);
  MakeRectangle(object, 30, 40, 40, 30);
  object.SetEffectKind(kDropShadow);
  object.SetEffectSoftness(0);  // hard first: every shadow pixel is exact
  object.Render();
  ASSERT_EQ(object.EffectLayer().Width(), 60);
  ASSERT_EQ(object.EffectLayer().Height(), 50);

  CDIBSection canvas = WhiteCanvas(120, 120);
  object.DrawTo(canvas);
  const int shadow = WhiteUnderBlack(255 * 200 >> 8);  // alpha 199 over white
  EXPECT_EQ(shadow, 55);
  // The red object covers x 32..67, y 42..67; its shadow x 34..69, y 44..69.
  for (int y = 0; y < 120; ++y) {
    for (int x = 0; x < 120; ++x) {
      const bool object_here = x >= 32 && x < 68 && y >= 42 && y < 68;
      const bool shadow_here = x >= 34 && x < 70 && y >= 44 && y < 70;
      const std::uint8_t* p = At(canvas, x, y);
      ASSERT_EQ(p[0], object_here ? 0 : shadow_here ? shadow : 255) << x << "," << y;
      ASSERT_EQ(p[2], object_here ? 255 : shadow_here ? shadow : 255) << x << "," << y;
    }
  }
}

TEST(ObjectShadow, SoftDropShadowIsTheBlurredSilhouetteAtTheSamePlace) {
  SilentHost host;
  CDrawObject object(host);
  MakeRectangle(object, 30, 40, 40, 30);
  object.SetEffectKind(kDropShadow);  // defaults: distance 3, 45 degrees, softness 2
  object.Render();

  // The silhouette written out by hand and blurred by the plain reference blur.
  const int lw = 60, lh = 50, m = 10;
  std::vector<std::uint8_t> s(lw * lh, 0);
  for (int y = 2; y < 28; ++y)
    for (int x = 2; x < 38; ++x) s[(y + m) * lw + x + m] = 255 * 200 >> 8;
  reference::ProfileBlur(s.data(), lw, lh, 2, 0);
  const CDIBSection& layer = object.EffectLayer();
  ASSERT_EQ(layer.Width(), lw);
  ASSERT_EQ(layer.Height(), lh);
  for (int y = 0; y < lh; ++y)
    for (int x = 0; x < lw; ++x) ASSERT_EQ(Alpha(layer, x, y), s[y * lw + x]) << x << "," << y;
  EXPECT_EQ(Blue(layer, 30, 25), 0) << "black";

  CDIBSection canvas = WhiteCanvas(120, 120);
  object.DrawTo(canvas);
  // Beside the object the canvas shows the layer drawn at (30 - 10 + 2, 40 - 10 + 2).
  for (int y = 32; y < 82; ++y) {
    for (int x = 22; x < 82; ++x) {
      if (x >= 32 && x < 68 && y >= 42 && y < 68) continue;
      ASSERT_EQ(Blue(canvas, x, y), WhiteUnderBlack(s[(y - 32) * lw + x - 22])) << x << "," << y;
    }
  }
}

TEST(ObjectShadow, SunShadowIsAQuarterHighAndFiveLower) {
  SilentHost host;
  CDrawObject object(host);
  MakeRectangle(object, 30, 40, 40, 40);
  object.SetEffectKind(kSunShadow);
  object.SetEffectSoftness(0);
  object.Render();
  const CDIBSection& layer = object.EffectLayer();
  ASSERT_EQ(layer.Height(), 60);
  // The 36 covered rows squashed into 9 (the last of each four wins), near the bottom.
  for (int y = 0; y < 60; ++y) {
    EXPECT_EQ(Alpha(layer, 30, y), y >= 39 && y <= 47 ? 199 : 0) << y;
  }
  CDIBSection canvas = WhiteCanvas(120, 120);
  object.DrawTo(canvas);
  // Layer row t lands on canvas row 40 - 10 + 2 + 5 + t: rows 76..84, of which 78..84
  // show below the object (covered down to row 77).
  for (int y = 78; y < 90; ++y) EXPECT_EQ(Blue(canvas, 50, y), y <= 84 ? 55 : 255) << y;
  // Columns: the covered 32..67 moved 2 to the right.
  EXPECT_EQ(Blue(canvas, 69, 80), 55);
  EXPECT_EQ(Blue(canvas, 70, 80), 255);
  EXPECT_EQ(Blue(canvas, 33, 80), 255);
}

TEST(ObjectShadow, CutoutWithOpacityZeroChangesNothing) {
  SilentHost host;
  CDrawObject plain(host), cutout(host);
  MakeRectangle(plain, 10, 10, 30, 20);
  MakeRectangle(cutout, 10, 10, 30, 20);
  cutout.SetEffectKind(kCutout);
  cutout.SetEffectOpacity(0);
  cutout.Render();
  ASSERT_EQ(cutout.Image().PixelBytes(), plain.Image().PixelBytes());
  EXPECT_EQ(0, std::memcmp(cutout.Image().Pixels(), plain.Image().Pixels(),
                           plain.Image().PixelBytes()));
  EXPECT_TRUE(cutout.EffectLayer().IsEmpty()) << "Cutout builds no layer";
  CDIBSection a = WhiteCanvas(60, 50), b = WhiteCanvas(60, 50);
  plain.DrawTo(a);
  cutout.DrawTo(b);
  EXPECT_EQ(0, std::memcmp(a.Pixels(), b.Pixels(), a.PixelBytes()));

  cutout.SetEffectOpacity(200);  // and with an opacity it darkens the top-left inner edge
  cutout.Render();
  EXPECT_LT(At(cutout.Image(), 2, 10)[2], 128) << "the left inner edge";
  EXPECT_GE(At(cutout.Image(), 15, 10)[2], 250) << "the middle keeps its colour";
}

TEST(ObjectShadow, FullyTransparentObjectCastsNoShadow) {
  SilentHost host;
  CDrawObject object(host);
  // A 22 x 22 ball: the ellipse inset by 11 on every side is empty, so the object's
  // alpha is 0 everywhere.
  MakeRectangle(object, 20, 20, 22, 22);
  object.SetBevelKind(kBallBevel);
  object.SetEffectKind(kDropShadow);
  object.SetEffectSoftness(4);
  object.Render();
  for (int y = 0; y < 22; ++y)
    for (int x = 0; x < 22; ++x) ASSERT_EQ(Alpha(object.Image(), x, y), 0);
  const CDIBSection& layer = object.EffectLayer();
  ASSERT_EQ(layer.Width(), 42);
  for (int y = 0; y < layer.Height(); ++y)
    for (int x = 0; x < layer.Width(); ++x) ASSERT_EQ(Alpha(layer, x, y), 0);
  CDIBSection canvas = WhiteCanvas(80, 80);
  object.DrawTo(canvas);
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 80; ++x) ASSERT_EQ(Blue(canvas, x, y), 255);
}

TEST(ObjectBevel, SmoothBevelBrightensUpperLeftAndDarkensLowerRight) {
  SilentHost host;
  CDrawObject object(host);
  MakeRectangle(object, 0, 0, 60, 60);
  object.SetFillColor(RGB(128, 128, 128));
  object.SetBevelKind(kSmoothBevel);  // width 8, 135 degrees, intensity 75
  object.Render();
  const CDIBSection& image = object.Image();
  // The covered square is 2..57; its edges are blurred into slopes.
  EXPECT_GT(Blue(image, 3, 30), 128) << "left slope";
  EXPECT_GT(Blue(image, 30, 3), 128) << "top slope";
  EXPECT_LT(Blue(image, 56, 30), 128) << "right slope";
  EXPECT_LT(Blue(image, 30, 56), 128) << "bottom slope";
  EXPECT_EQ(Blue(image, 30, 30), 128) << "the flat top is unchanged";
  EXPECT_EQ(Alpha(image, 30, 30), 255) << "the bevel keeps the coverage";
}

TEST(ObjectBevel, BumpOutWithoutEffectKeepsOnlyTheSlopes) {
  SilentHost host;
  CDrawObject object(host);
  MakeRectangle(object, 0, 0, 60, 60);
  object.SetBevelKind(kBumpOutBevel);
  object.Render();
  const CDIBSection& image = object.Image();
  EXPECT_EQ(Alpha(image, 30, 30), 0) << "flat middle";
  EXPECT_EQ(Blue(image, 30, 30), 128) << "grey, whatever the fill";
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 60; ++x) {
      const int e = std::min(std::abs(Blue(image, x, y) - 128) * 2, 255);
      ASSERT_LE(Alpha(image, x, y), e) << x << "," << y;
    }
  }
  EXPECT_GT(Alpha(image, 3, 30), 0) << "a lit slope stays";
  EXPECT_GT(Alpha(image, 56, 30), 0) << "a dark slope stays";
}

TEST(ObjectBevel, BumpOutClearsTheShadowUnderItsVisibleSlopes) {
  SilentHost host;
  CDrawObject object(host);
  MakeRectangle(object, 0, 0, 60, 60);
  object.SetEffectKind(kDropShadow);
  object.Render();
  // The layer and the coverage before the bevel touches them.
  const CDIBSection shadow = object.EffectLayer(), covered = object.Image();
  object.SetBevelKind(kBumpOutBevel);
  object.Render();
  const CDIBSection& image = object.Image();
  const CDIBSection& layer = object.EffectLayer();
  int lowered = 0;
  for (int y = 0; y < 70; ++y) {
    for (int x = 0; x < 70; ++x) {
      // Layer pixel (x, y) is drawn under object pixel (x - 10 + 2, y - 10 + 2). The
      // shadow goes wherever the object covered, before its flat parts were cleared.
      const int ox = x - 8, oy = y - 8;
      const bool under = ox >= 0 && ox < 60 && oy >= 0 && oy < 60;
      const int expected = under ? std::min(Alpha(shadow, x, y), 255 - Alpha(covered, ox, oy))
                                 : Alpha(shadow, x, y);
      ASSERT_EQ(Alpha(layer, x, y), expected) << x << "," << y;
      lowered += expected < Alpha(shadow, x, y);
    }
  }
  EXPECT_GT(lowered, 0);
  EXPECT_EQ(Alpha(image, 30, 30), 0);
}

TEST(ObjectBevel, OutlineBevelMakesTheCoverageABand) {
  SilentHost host;
  CDrawObject object(host);
  MakeRectangle(object, 0, 0, 100, 100);
  object.SetBevelKind(kOutlineBevel);
  object.Render();
  const CDIBSection& image = object.Image();
  EXPECT_EQ(Alpha(image, 0, 50), 0);
  // Deep inside, the blurred height (253 after two truncated passes) folds down to
  // 511 - 2 x 253.
  EXPECT_LE(Alpha(image, 50, 50), 5);
  int peak = 0, peak_x = 0;
  for (int x = 0; x < 50; ++x) {
    if (Alpha(image, x, 50) > peak) peak = Alpha(image, x, 50), peak_x = x;
  }
  EXPECT_GT(peak, 200) << "the band is strongest at the shrunk edge";
  EXPECT_GT(peak_x, 5);
  EXPECT_LT(peak_x, 20);
}

TEST(ObjectBevel, FeatherSoftensTheCoverageWithoutLighting) {
  SilentHost host;
  CDrawObject object(host);
  MakeRectangle(object, 0, 0, 60, 60);
  object.SetFillColor(RGB(10, 20, 30));
  for (int kind : {kFeatherBevel, kLinearFeatherBevel}) {
    object.SetBevelKind(kind);
    object.SetBevelIntensity(100);
    object.Render();
    const CDIBSection& image = object.Image();
    EXPECT_GE(Alpha(image, 30, 30), 250) << kind;
    int soft = 0;
    for (int x = 0; x < 30; ++x) soft += Alpha(image, x, 30) > 0 && Alpha(image, x, 30) < 250;
    EXPECT_GE(soft, 3) << kind << ": a soft edge";
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 60; ++x) ASSERT_EQ(Blue(image, x, y), 30) << kind << ": no light";
  }
}

TEST(ObjectBevel, RandomNoiseRepeatsOnlyUnderTheSameSeed) {
  SilentHost host;
  CDrawObject object(host);
  MakeRectangle(object, 0, 0, 50, 40);
  object.SetBevelKind(kRandomNoiseBevel);
  auto render = [&](std::uint32_t seed) {
    SeedRandom(seed);
    object.Render();
    const CDIBSection& image = object.Image();
    return std::vector<std::uint8_t>(image.Pixels(), image.Pixels() + image.PixelBytes());
  };
  const std::vector<std::uint8_t> first = render(5);
  EXPECT_EQ(render(5), first);
  EXPECT_NE(render(6), first);
}

TEST(ObjectBevel, BallTooSmallForItsRadiiStaysUnlit) {
  SilentHost host;
  struct Case {
    int w, h;
    bool lit = false;
  };
  // Radii are half the size less 10: zero or below up to 21 pixels.
  for (const Case& c : {Case{1, 1, false}, Case{5, 40, false}, Case{20, 20, false},
                        Case{21, 60, false}, Case{60, 21, false}, Case{22, 22, true},
                        Case{40, 30, true}}) {
    CDrawObject object(host);
    object.CreateRectangle(0, 0, 10, 10);
    object.SetSize(c.w, c.h);
    object.SetFillColor(RGB(100, 100, 100));
    object.SetBevelKind(kBallBevel);
    object.Render();
    bool changed = false;
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) changed |= Blue(object.Image(), x, y) != 100;
    EXPECT_EQ(changed, c.lit) << c.w << "x" << c.h;
  }
}

TEST(ObjectRenderStages, EveryBevelWithEveryEffectRendersAtEverySize) {
  SilentHost host;
  struct Size {
    int w, h;
  };
  for (const Size size : {Size{1, 1}, Size{1, 7}, Size{9, 1}, Size{33, 24}}) {
    for (int bevel = 0; bevel <= 13; ++bevel) {
      for (int effect = 0; effect <= 7; ++effect) {
        CDrawObject object(host);
        object.CreateRectangle(5, 5, 5 + size.w, 5 + size.h);
        object.SetBevelKind(bevel);
        object.SetEffectKind(effect);
        object.SetEffectSoftness(3);
        object.Render();
        EXPECT_EQ(object.Image().Width(), object.GetWidth());
        EXPECT_EQ(object.Image().Height(), object.GetHeight());
        const bool layer = effect != kNoEffect && effect != kCutout;
        EXPECT_EQ(!object.EffectLayer().IsEmpty(), layer) << bevel << "/" << effect;
        if (layer) {
          EXPECT_EQ(object.EffectLayer().Width(), object.GetWidth() + 20);
          EXPECT_EQ(object.EffectLayer().Height(), object.GetHeight() + 20);
        }
        EXPECT_EQ(object.GetRendered(), 1);
        CDIBSection canvas = WhiteCanvas(64, 64);
        object.DrawTo(canvas);
      }
    }
  }
}

TEST(ObjectRenderStages, EffectsOutsideTheListDrawNoStaleLayer) {
  SilentHost host;
  CDrawObject object(host);
  MakeRectangle(object, 20, 20, 20, 20);
  object.SetEffectKind(kDropShadow);
  object.SetEffectSoftness(0);
  object.Render();
  ASSERT_FALSE(object.EffectLayer().IsEmpty());
  object.SetEffectKind(9);
  object.Render();
  CDIBSection canvas = WhiteCanvas(60, 60);
  object.DrawTo(canvas);
  EXPECT_EQ(Blue(canvas, 41, 41), 255) << "the old shadow is not shown";
}

}  // namespace
}  // namespace lumi
