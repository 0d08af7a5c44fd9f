// The export buffer of the canvas: against the plain pixel-at-a-time composition on random
// scenes with every shadow kind, hidden objects and crop regions, and through a document
// with its crop region active.
#include "export/render_canvas_for_export.h"

#include <gtest/gtest.h>

#include <random>

#include "base/host.h"
#include "base/settings.h"
#include "canvas_composition_reference.h"
#include "document/plenivor_doc.h"
#include "library/texture_bank.h"
#include "objects/draw_object.h"

namespace lumi {
namespace {

std::unique_ptr<CDrawObject> RandomObject(Host& host, std::mt19937& rng, int canvas_w,
                                          int canvas_h) {
  auto o = std::make_unique<CDrawObject>(host);
  o->SetFillColor(RGB(rng() % 256, rng() % 256, rng() % 256));
  o->SetEffectKind(static_cast<int>(rng() % 8));
  o->SetEffectDistance(static_cast<int>(rng() % 15));
  o->SetEffectAngle(static_cast<int>(rng() % 360));
  o->SetEffectSoftness(static_cast<int>(rng() % 6));
  o->SetEffectColor(RGB(rng() % 256, rng() % 256, rng() % 256));
  const int left = static_cast<int>(rng() % canvas_w) - 20;
  const int top = static_cast<int>(rng() % canvas_h) - 20;
  o->CreateRectangle(left, top, left + 8 + static_cast<int>(rng() % 60),
                     top + 8 + static_cast<int>(rng() % 50));
  if (rng() % 5 == 0) o->SetHidden(1);
  return o;
}

TEST(RenderCanvasForExport, MatchesPlainCompositionOnRandomScenes) {
  SilentHost host;
  std::mt19937 rng(11);
  int layers_shown = 0;
  for (int scene = 0; scene < 12; ++scene) {
    CanvasArea canvas{120, 90, RGB(rng() % 256, rng() % 256, rng() % 256), {}};
    if (scene % 3 == 1) canvas.crop = Rect{15, 10, 95, 70};
    if (scene % 3 == 2) canvas.crop = Rect{0, 40, 37, 90};
    std::vector<std::unique_ptr<CDrawObject>> objects;
    for (int i = 0; i < 8; ++i)
      objects.push_back(RandomObject(host, rng, canvas.width, canvas.height));
    for (const auto& o : objects) {
      const int kind = o->GetEffectKind();
      if (!o->GetHidden() && kind != 0 && kind != 6 && !o->EffectLayer().IsEmpty()) ++layers_shown;
    }

    const RgbImage ours = RenderCanvasForExport(canvas, objects, host);
    const RgbImage plain = reference::ComposeCanvasRgb(canvas, objects);
    ASSERT_EQ(ours.width, plain.width) << "scene " << scene;
    ASSERT_EQ(ours.height, plain.height) << "scene " << scene;
    ASSERT_EQ(ours.pixels, plain.pixels) << "scene " << scene;
  }
  EXPECT_GT(layers_shown, 40) << "the scenes exercise the effect layers";
}

TEST(RenderCanvasForExport, DocumentCropRegionGivesTheRegionAndClipsObjects) {
  RecordingHost host;
  MemorySettings settings;
  CTextureBank bank;
  CPlenivorDoc doc(host, settings, bank);
  doc.NewDocument();
  doc.SetCanvasSize(200, 150);
  doc.SetCanvasColor(RGB(0, 0, 0));
  auto red = doc.MakeObject();
  red->SetFillColor(RGB(255, 0, 0));
  red->CreateRectangle(20, 20, 80, 60);  // inside the region only partly
  doc.Objects().push_back(std::move(red));
  auto outside = doc.MakeObject();
  outside->SetFillColor(RGB(0, 255, 0));
  outside->CreateRectangle(150, 100, 190, 140);  // wholly outside the region
  doc.Objects().push_back(std::move(outside));
  doc.SetCropRect({50, 40, 130, 90});
  doc.SetCropActive(true);

  host.Clear();
  const RgbImage rgb = RenderCanvasForExport(doc);
  ASSERT_EQ(rgb.width, 80);
  ASSERT_EQ(rgb.height, 50);
  auto at = [&](int x, int y) {
    const std::uint8_t* p = &rgb.pixels[(static_cast<std::size_t>(y) * rgb.width + x) * 3];
    return RGB(p[0], p[1], p[2]);
  };
  EXPECT_EQ(at(5, 5), RGB(255, 0, 0)) << "canvas (55, 45) lies in the red rectangle";
  EXPECT_EQ(at(40, 5), RGB(0, 0, 0)) << "right of the rectangle";
  for (int y = 0; y < rgb.height; ++y)
    for (int x = 0; x < rgb.width; ++x) ASSERT_NE(at(x, y), RGB(0, 255, 0)) << x << "," << y;
  EXPECT_EQ(host.Log().back(), "status 0: Working: 100%");

  doc.SetCropActive(false);
  const RgbImage whole = RenderCanvasForExport(doc);
  EXPECT_EQ(whole.width, 200);
  EXPECT_EQ(whole.height, 150);
}

}  // namespace
}  // namespace lumi
