// An object keeps its rendered image and effect layer packed into runs where that saves
// memory. Drawing from the packed form must put exactly the bytes on the canvas that the
// full pixels put there, in every way the canvas is drawn: keeping the canvas alpha,
// blending it, and in bands of rows.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "base/host.h"
#include "image/dib_section.h"
#include "image/pixwerk.h"
#include "objects/draw_object.h"

namespace lumi {
namespace {

using Make = std::function<void(CDrawObject&)>;

// A canvas whose colours and alpha vary, so every blend shows.
CDIBSection NoisyCanvas(int w, int h) {
  CDIBSection canvas;
  canvas.Create(w, h, 32, true);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = canvas.Row(y) + 4 * x;
      const unsigned v = static_cast<unsigned>(x * 2654435761u ^ y * 40503u) * 2246822519u;
      p[0] = static_cast<std::uint8_t>(v);
      p[1] = static_cast<std::uint8_t>(v >> 8);
      p[2] = static_cast<std::uint8_t>(v >> 16);
      p[3] = static_cast<std::uint8_t>(v >> 24);
    }
  return canvas;
}

std::vector<std::uint8_t> Bytes(const CDIBSection& image) {
  return {image.Pixels(), image.Pixels() + image.PixelBytes()};
}

// The three ways the canvas is drawn, one after the other on one canvas.
std::vector<std::uint8_t> DrawnEveryWay(const CDrawObject& o) {
  CDIBSection keep = NoisyCanvas(260, 200), blend = NoisyCanvas(260, 200), bands = NoisyCanvas(260, 200);
  o.DrawTo(keep, {}, CDrawObject::kKeepCanvasAlpha);
  o.DrawTo(blend, {-7, 5}, CDrawObject::kBlendCanvasAlpha);
  for (int first = 0; first < 200; first += 37) o.DrawRowsTo(bands, {3, -4}, first, first + 37);
  std::vector<std::uint8_t> all = Bytes(keep);
  for (const CDIBSection* c : {&blend, &bands}) {
    const auto more = Bytes(*c);
    all.insert(all.end(), more.begin(), more.end());
  }
  return all;
}

RgbImage Stripes(int w, int h) {
  RgbImage rgb{w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h * 3)};
  for (std::size_t i = 0; i < rgb.pixels.size(); ++i) rgb.pixels[i] = static_cast<std::uint8_t>(i / 40 * 50);
  return rgb;
}

TEST(KeptImageDraw, PackedImagesAndLayersDrawTheSameBytesAsFullOnes) {
  struct Case {
    const char* name;
    Make make;
  };
  std::vector<Case> cases;
  for (int bevel = 0; bevel <= 12; ++bevel) {
    cases.push_back({"round rect by bevel kind", [bevel](CDrawObject& o) {
                       o.CreateRoundRect(20 + 9 * bevel, 30, 110 + 9 * bevel, 100, 200);
                       o.SetBevelKind(bevel);
                       o.SetBevelWidth(6 + bevel);
                       o.SetEffectKind(bevel % 9);
                       o.SetEffectSoftness(1 + bevel % 7);
                     }});
  }
  const std::vector<Case> others = {
      {"star cut by the canvas's left and top edges",
       [](CDrawObject& o) {
         o.CreateStar(-30, -20, 90, 80, 5, 2);
         o.SetEffectKind(1);
         o.SetEffectSoftness(6);
       }},
      {"circle past the right and bottom edges with a glow",
       [](CDrawObject& o) {
         o.CreateCircle(200, 150, 300, 240);
         o.SetEffectKind(4);
       }},
      {"linear gradient", [](CDrawObject& o) {
         o.CreateRectangle(10, 10, 200, 120);
         o.SetTextureName("Linear Gradient.tmb");
       }},
      {"radial gradient with bevel", [](CDrawObject& o) {
         o.CreateCircle(40, 40, 180, 160);
         o.SetTextureName("Radial Gradient.tmb");
         o.SetBevelKind(1);
       }},
      {"colour gene", [](CDrawObject& o) {
         o.CreateRectangle(5, 5, 120, 90);
         o.SetGeneSeed(3);
       }},
      {"graded transparency", [](CDrawObject& o) {
         o.CreateRoundRect(30, 20, 220, 170, 120);
         o.SetTransparency(80);
         o.SetTransparencyAngle(30);
         o.SetEffectKind(1);
       }},
      {"polynome star with outline bevel", [](CDrawObject& o) {
         o.CreateStar(50, 10, 170, 130, 7, 3);
         o.ConvertToPolynome();
         o.SetBevelKind(11);
       }},
      {"bitmap with bevel and shadow", [](CDrawObject& o) {
         ASSERT_EQ(o.CreateBitmapFromClipboard(Stripes(90, 70), 60, 50), 1);
         o.SetBevelKind(1);
         o.SetEffectKind(1);
       }},
  };
  cases.insert(cases.end(), others.begin(), others.end());

  int packed_images = 0, packed_layers = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SilentHost host;
    CDrawObject o(host);
    c.make(o);
    o.Render();
    packed_images += o.KeptImage().IsPacked();
    packed_layers += o.KeptEffectLayer().IsPacked();
    const std::vector<std::uint8_t> from_kept = DrawnEveryWay(o);
    // Changing the pixels in place unpacks them; drawn again, they must give the same.
    o.MutableImage();
    o.MutableEffectLayer();
    ASSERT_FALSE(o.KeptImage().IsPacked());
    ASSERT_FALSE(o.KeptEffectLayer().IsPacked());
    EXPECT_EQ(DrawnEveryWay(o), from_kept);
  }
  // The comparison only means something where the runs were drawn from.
  EXPECT_GE(packed_images, 15);
  EXPECT_GE(packed_layers, 10);
}

}  // namespace
}  // namespace lumi
