// Rendering drawing objects: edge qualities, the ball, open strokes, the pipeline steps,
// and every object kind's coverage against the full-size reference rasteriser.
// The expected masks are built from the objects' paths by the program's own path
// builders (render/outline_paths.h); only the rasterising is independent here, so a
// fault in those builders would not show in these comparisons.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/host.h"
#include "objects/draw_object.h"
#include "rasterizer_reference.h"
#include "render/outline_paths.h"
#include "render/supersampling.h"

namespace lumi {
namespace {

std::uint8_t Alpha(const CDrawObject& o, int x, int y) { return o.Image().Row(y)[x * 4 + 3]; }

using Maker = std::function<void(CDrawObject&)>;

struct Kind {
  const char* name;
  Maker make;
};

// One object of every vector kind, built the way the tools build them.
std::vector<Kind> AllKinds() {
  return {
      {"rectangle", [](CDrawObject& o) { o.CreateRectangle(0, 0, 80, 50); }},
      {"circle", [](CDrawObject& o) { o.CreateCircle(0, 0, 80, 50); }},
      {"round-rect", [](CDrawObject& o) { o.CreateRoundRect(0, 0, 80, 50, 300); }},
      {"star", [](CDrawObject& o) { o.CreateStar(0, 0, 80, 80, 6, 2); }},
      {"open path",
       [](CDrawObject& o) {
         o.CreatePath({{0, 0}, {0, 40}, {30, 0}, {60, 80}, {90, 40}, {0, 0}}, false);
       }},
      {"closed free path",
       [](CDrawObject& o) {
         o.CreateFreePath({{0, 0}, {40, 0}, {80, 40}, {40, 80}, {0, 40}, {20, 20}, {60, 60}},
                          true);
       }},
      {"arrow", [](CDrawObject& o) { o.CreateArrow({10, 10}, {90, 60}, {90, 90}); }},
      {"polynome",
       [](CDrawObject& o) {
         o.CreateStar(0, 0, 80, 80, 5, 3);
         o.ConvertToPolynome();
       }},
      {"enveloped polynome",
       [](CDrawObject& o) {
         o.CreateCircle(0, 0, 80, 80);
         o.ConvertToPolynome();
         o.Polynome().MoveEnvelopeHandle(3, 30, -20, o.GetWidth(), o.GetHeight());
         o.Polynome().MoveEnvelopeHandle(5, -10, 25, o.GetWidth(), o.GetHeight());
       }},
      {"ball",
       [](CDrawObject& o) {
         o.CreateRectangle(0, 0, 80, 50);
         o.SetBevelKind(12);
       }},
  };
}

// The mask the object should carry, drawn by the plain reference rasteriser.
std::vector<std::uint8_t> ReferenceMask(CDrawObject& o) {
  const int w = o.GetWidth(), h = o.GetHeight();
  std::vector<std::uint8_t> mask(std::size_t(w) * h, 0x5A);
  if (o.IsBall()) {
    const int f = ShapeSupersampling(o.GetEdgeQuality(), w, h);
    reference::FillEllipseWithBlackOutline(BallBox(w, h, f), {mask.data(), w, h, f});
  } else if (o.IsShape()) {
    const int f = ShapeSupersampling(o.GetEdgeQuality(), w, h);
    const RasterPath path = ShapeRasterPath(o.Outline(), f * w, f * h, 0);
    if (o.Outline().IsClosed())
      reference::FillPathEvenOdd(path, {mask.data(), w, h, f});
    else
      reference::StrokePath(path, o.GetLineWidth(), {mask.data(), w, h, f});
  } else {
    const int f = PolynomeSupersampling(o.GetEdgeQuality(), w, h, false, 1);
    const RasterPath path = PolynomeRasterPath(o.Polynome(), f * w, f * h, 0);
    if (o.Polynome().IsOpen())
      reference::StrokePath(path, o.GetLineWidth(), {mask.data(), w, h, f});
    else
      reference::FillPathEvenOdd(path, {mask.data(), w, h, f});
  }
  return mask;
}

TEST(ObjectRender, EveryKindQualityAndSizeMatchesTheReferenceRasteriser) {
  SilentHost host;
  const Point sizes[] = {{1, 1}, {7, 5}, {37, 23}, {150, 90}, {260, 210}};
  for (const Kind& kind : AllKinds()) {
    CDrawObject object(host);
    kind.make(object);
    for (int quality = 1; quality <= 4; ++quality) {
      object.SetEdgeQuality(quality);
      for (const Point& size : sizes) {
        object.SetSize(size.x, size.y);
        const std::vector<std::uint8_t> expected = ReferenceMask(object);
        int differences = 0, first_x = -1, first_y = -1;
        for (int y = 0; y < size.y; ++y) {
          for (int x = 0; x < size.x; ++x) {
            if (Alpha(object, x, y) == expected[std::size_t(y) * size.x + x]) continue;
            if (differences++ == 0) first_x = x, first_y = y;
          }
        }
        EXPECT_EQ(differences, 0) << kind.name << ", quality " << quality << ", " << size.x
                                  << "x" << size.y << ", first at " << first_x << ","
                                  << first_y;
      }
    }
  }
}

TEST(ObjectRender, HardEdgeMasksAreOnlyZeroOrFull) {
  SilentHost host;
  for (const Kind& kind : AllKinds()) {
    CDrawObject object(host);
    kind.make(object);
    object.SetEdgeQuality(1);
    int partial = 0, full = 0;
    for (int y = 0; y < object.GetHeight(); ++y) {
      for (int x = 0; x < object.GetWidth(); ++x) {
        const int a = Alpha(object, x, y);
        partial += a != 0 && a != 255;
        full += a == 255;
      }
    }
    EXPECT_EQ(partial, 0) << kind.name;
    EXPECT_GT(full, 0) << kind.name;
  }
}

TEST(ObjectRender, BallCoversOnlyTheBoxInsetByEleven) {
  SilentHost host;
  CDrawObject object(host);
  object.CreateRectangle(2, 2, 98, 58);  // a 100 x 60 object
  ASSERT_EQ(object.GetWidth(), 100);
  ASSERT_EQ(object.GetHeight(), 60);
  object.SetBevelKind(12);
  for (int quality = 1; quality <= 4; ++quality) {
    object.SetEdgeQuality(quality);
    for (int y = 0; y < 60; ++y) {
      for (int x = 0; x < 100; ++x) {
        if (x >= 11 && x < 89 && y >= 11 && y < 49) continue;
        ASSERT_EQ(Alpha(object, x, y), 0) << "quality " << quality << " at " << x << "," << y;
      }
    }
    EXPECT_EQ(Alpha(object, 50, 30), 255);
    EXPECT_EQ(Alpha(object, 13, 13), 0) << "the ellipse, not the box";
  }
}

TEST(ObjectRender, OpenPathIsSixWorkPixelsWide) {
  SilentHost host;
  CDrawObject object(host);
  // One straight segment along y = 20; the first and last entries are not used.
  ASSERT_EQ(object.CreatePath({{0, 0}, {0, 20}, {30, 20}, {60, 20}, {90, 20}, {0, 0}}, false), 1);
  ASSERT_EQ(object.GetLineWidth(), 6);
  struct Case {
    int quality;
    double object_pixels;
  };
  // Hard Edge draws at factor 1, Super Smooth at 3: the pen is not scaled.
  for (const Case& c : {Case{1, 6.0}, Case{2, 3.0}, Case{3, 2.0}, Case{4, 1.5}}) {
    object.SetEdgeQuality(c.quality);
    int sum = 0;
    for (int y = 0; y < object.GetHeight(); ++y) sum += Alpha(object, 50, y);
    EXPECT_NEAR(sum / 255.0, c.object_pixels, 0.1) << "quality " << c.quality;
  }
}

TEST(ObjectRender, OutlineBevelDrawsTheShapeShrunk) {
  SilentHost host;
  CDrawObject object(host);
  object.CreateRectangle(2, 2, 98, 98);
  EXPECT_EQ(Alpha(object, 5, 50), 255);
  object.SetBevelKind(7);  // inset 12 hundredths plus 20 work pixels
  // The mask as rasterised, before the outline band is made from it.
  std::vector<std::uint8_t> mask(std::size_t(object.GetWidth()) * object.GetHeight(), 255);
  ASSERT_EQ(object.Rasterise(mask), 1);
  EXPECT_EQ(mask[50 * object.GetWidth() + 5], 0);
  EXPECT_EQ(mask[50 * object.GetWidth() + 50], 255);
}

TEST(ObjectRender, PipelineFillsBumpsAndConvertsToBitmap) {
  SilentHost host;
  CDrawObject object(host);
  object.CreateRectangle(2, 2, 38, 38);
  object.SetFillColor(RGB(10, 20, 30));
  object.Render();
  // A render may give the image new storage: the centre is looked up after each one.
  auto centre = [&] { return object.Image().Row(20) + 20 * 4; };
  EXPECT_EQ(centre()[0], 30);
  EXPECT_EQ(centre()[1], 20);
  EXPECT_EQ(centre()[2], 10);
  object.SetBevelKind(8);
  object.Render();
  EXPECT_EQ(centre()[0], 128) << "Bump Out shades grey";
  EXPECT_EQ(centre()[2], 128);
  EXPECT_EQ(Alpha(object, 20, 20), 0) << "Bump Out keeps only the slopes";
  object.SetConvertToBitmap(1);
  object.Render();
  EXPECT_EQ(object.GetKind(), kKindBitmap);
  EXPECT_EQ(object.GetConvertToBitmap(), 0);
  EXPECT_EQ(object.GetSourceWidth(), 40);
  ASSERT_EQ(object.SourceBitmap().PixelBytes(), object.Image().PixelBytes());
  // The bitmap is kept before the bevel stage: grey and fully covered in the middle.
  const std::uint8_t* kept = object.SourceBitmap().Row(20) + 20 * 4;
  EXPECT_EQ(kept[0], 128);
  EXPECT_EQ(kept[3], 255);
  EXPECT_EQ(Alpha(object, 20, 20), 0);
}

TEST(ObjectRender, RenderShowsTheWaitCursor) {
  RecordingHost host;
  CDrawObject object(host);
  object.CreateRectangle(0, 0, 10, 10);
  EXPECT_EQ(host.Log(), (std::vector<std::string>{"wait on", "wait off"}));
}

}  // namespace
}  // namespace lumi
