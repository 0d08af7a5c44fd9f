// A large object splits the rows of its stages (scan conversion, fills, texture mapping,
// blurs, profiles, lighting, alpha, the effect silhouette and the inner shadow) across the
// render threads; its image and effect layer must be the bytes of a one-thread render
// whatever the thread count.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/folders.h"
#include "base/host.h"
#include "base/parallel_render.h"
#include "base/runtime_random.h"
#include "effects/effect_geometry.h"
#include "library/texture_bank.h"
#include "objects/draw_object.h"
#include "render/render_context.h"

namespace lumi {
namespace {

class LargeObjectThreads : public ::testing::Test {
 protected:
  LargeObjectThreads() {
    std::vector<std::uint8_t> rgb(37 * 23 * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(i * 29 + i / 7);
    bank_.Add("grain.bmp", rgb, 37, 23);
  }
  ~LargeObjectThreads() override { SetRenderThreadCount(0); }

  // Image then effect layer bytes of `setup`'s object rendered with `threads` threads.
  std::vector<std::uint8_t> Render(int threads, const std::function<void(CDrawObject&)>& setup) {
    SetRenderThreadCount(threads);
    SeedRandom(11);  // the noise bevel draws from the shared generator
    SilentHost host;
    CDrawObject o(host);
    o.SetRenderContext(&context_);
    setup(o);
    o.Render();
    std::vector<std::uint8_t> bytes(o.Image().Pixels(), o.Image().Pixels() + o.Image().PixelBytes());
    bytes.insert(bytes.end(), o.EffectLayer().Pixels(), o.EffectLayer().Pixels() + o.EffectLayer().PixelBytes());
    return bytes;
  }

  CTextureBank bank_;
  FolderSet folders_;
  RenderContext context_{&bank_, &folders_};
};

TEST_F(LargeObjectThreads, EveryStageGivesTheOneThreadBytes) {
  struct Case {
    const char* name;
    std::function<void(CDrawObject&)> setup;
  };
  auto textured = [](CDrawObject& o) {
    o.SetTextureName("grain.bmp");
    o.SetTextureScaleX(1.7);
    o.SetTextureScaleY(0.6);
  };
  const Case cases[] = {
      {"rounded rectangle, smooth bevel, rotated texture mix, drop shadow",
       [&](CDrawObject& o) {
         o.CreateRoundRect(0, 0, 640, 560, 160);
         textured(o);
         o.SetTextureAngleX(25);
         o.SetTextureAngleY(40);
         o.SetTextureStrength(170);
         o.SetBevelKind(kSmoothBevel);
         o.SetBevelWidth(12);
         o.SetEffectKind(kDropShadow);
         o.SetEffectSoftness(6);
       }},
      {"star, framed bevel, two-colour screen texture cutting the mask, inset",
       [&](CDrawObject& o) {
         o.CreateStar(0, 0, 600, 580, 9, 2);
         textured(o);
         o.SetTextureScreen(1);
         o.SetTextureTwoColor(1);
         o.SetTextureTransparent(1);
         o.SetTextureStrength(200);
         o.SetBevelKind(kFramedBevel);
         o.SetEffectKind(kInset);
         o.SetEffectSoftness(5);
       }},
      {"circle, texture relief, outline bevel, glow",
       [&](CDrawObject& o) {
         o.CreateCircle(0, 0, 620, 540);
         textured(o);
         o.SetTextureRelief(1);
         o.SetTextureReliefDepth(160);
         o.SetBevelKind(kOutlineBevel);
         o.SetBevelWidth(9);
         o.SetEffectKind(kGlow);
         o.SetEffectSoftness(8);
       }},
      {"rectangle, noise bevel (drawn in pixel order), sun shadow",
       [&](CDrawObject& o) {
         o.CreateRectangle(0, 0, 560, 600);
         o.SetBevelKind(kRandomNoiseBevel);
         o.SetBevelWidth(7);
         o.SetEffectKind(kSunShadow);
         o.SetEffectSoftness(4);
       }},
      {"ellipse, halo (rings)",
       [&](CDrawObject& o) {
         o.CreateCircle(0, 0, 640, 520);
         o.SetEffectKind(kHalo);
         o.SetEffectSoftness(7);
       }},
      {"star, cutout darkening the object from an offset blur",
       [&](CDrawObject& o) {
         o.CreateStar(0, 0, 620, 600, 7, 1);
         o.SetEffectKind(kCutout);
         o.SetEffectDistance(9);
         o.SetEffectAngle(120);
         o.SetEffectSoftness(6);
       }},
      {"rounded rectangle, inset + shadow (darkened object and lit layer)",
       [&](CDrawObject& o) {
         o.CreateRoundRect(0, 0, 600, 620, 90);
         o.SetEffectKind(kInsetShadow);
         o.SetEffectDistance(5);
         o.SetEffectAngle(300);
         o.SetEffectSoftness(4);
         o.SetEffectColor(0x2050A0);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<std::uint8_t> one = Render(1, c.setup);
    ASSERT_GT(one.size(), 500u * 500u * 4u) << "large enough to split its rows";
    for (int threads : {2, 8}) EXPECT_TRUE(Render(threads, c.setup) == one) << threads << " threads";
  }
}

}  // namespace
}  // namespace lumi
