// What a drawing object holds once a render is over: its image, the effect layer when its
// effect draws one, and the source pixels of a bitmap object, each at exactly its own
// size. Work buffers, layers of an effect since removed and the storage of an earlier,
// larger size are gone.
#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "base/host.h"
#include "effects/effect_geometry.h"
#include "image/dib_section.h"
#include "image/pixwerk.h"
#include "objects/draw_object.h"

namespace lumi {
namespace {

std::size_t Bytes32(int w, int h) { return static_cast<std::size_t>(w) * h * 4; }

// A new bitmap's placeholder (16 x 16 at 8 bits with its colour table).
std::size_t PlaceholderBytes() { return CDIBSection().HeldBytes(); }

RgbImage Stripes(int w, int h) {
  RgbImage rgb{w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h * 3)};
  for (std::size_t i = 0; i < rgb.pixels.size(); ++i) rgb.pixels[i] = static_cast<std::uint8_t>(i * 7);
  return rgb;
}

TEST(ObjectMemory, AfterARenderAnObjectHoldsOnlyItsImageLayerAndSource) {
  const struct {
    const char* name;
    void (*steps)(CDrawObject& o);
  } cases[] = {
      {"drop shadow", [](CDrawObject& o) { o.SetEffectKind(kDropShadow); }},
      {"shadow then no effect",
       [](CDrawObject& o) {
         o.SetEffectKind(kDropShadow);
         o.Render();
         o.SetEffectKind(kNoEffect);
       }},
      {"glow then cutout",
       [](CDrawObject& o) {
         o.SetEffectKind(kGlow);
         o.Render();
         o.SetEffectKind(kCutout);
       }},
      {"halo then a kind beyond the list",
       [](CDrawObject& o) {
         o.SetEffectKind(kHalo);
         o.Render();
         o.SetEffectKind(9);
       }},
      {"inset shadow shrunk",
       [](CDrawObject& o) {
         o.SetEffectKind(kInsetShadow);
         o.Render();
         o.SetSize(30, 20);
       }},
      {"bevelled, shadowed and grown",
       [](CDrawObject& o) {
         o.SetBevelKind(1);
         o.SetEffectKind(kDropShadow);
         o.Render();
         o.SetSize(150, 90);
       }},
      {"converted to a bitmap after a shadow",
       [](CDrawObject& o) {
         o.SetEffectKind(kDropShadow);
         o.Render();
         ASSERT_EQ(o.ConvertToBitmap(), 1);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SilentHost host;
    CDrawObject o(host);
    o.CreateRectangle(10, 10, 110, 70);
    c.steps(o);
    o.Render();
    const int w = o.GetWidth(), h = o.GetHeight(), m = o.GetEffectMargin();
    EXPECT_EQ(o.Image().HeldBytes(), Bytes32(w, h));
    if (DrawsEffectLayer(o.GetEffectKind())) {
      EXPECT_EQ(o.EffectLayer().HeldBytes(), Bytes32(w + 2 * m, h + 2 * m));
    } else {
      EXPECT_TRUE(o.EffectLayer().IsEmpty()) << "a layer nobody draws is kept";
      EXPECT_LE(o.EffectLayer().HeldBytes(), PlaceholderBytes());
    }
    if (o.IsBitmap()) {
      EXPECT_EQ(o.SourceBitmap().HeldBytes(), Bytes32(o.GetSourceWidth(), o.GetSourceHeight()));
    } else {
      EXPECT_LE(o.SourceBitmap().HeldBytes(), PlaceholderBytes());
    }
  }
}

// A pasted picture keeps its source at the pasted size until the changes are applied;
// then the source is the box's size and nothing of the larger one is left.
TEST(ObjectMemory, ABitmapObjectHoldsItsSourceOnceAtItsOwnSize) {
  SilentHost host;
  CDrawObject o(host);
  ASSERT_EQ(o.CreateBitmapFromClipboard(Stripes(120, 80), 100, 100), 1);
  o.SetEffectKind(kDropShadow);
  o.SetSize(60, 40);
  EXPECT_EQ(o.SourceBitmap().HeldBytes(), Bytes32(120, 80));
  EXPECT_EQ(o.Image().HeldBytes(), Bytes32(60, 40));
  EXPECT_EQ(o.EffectLayer().HeldBytes(), Bytes32(60 + 20, 40 + 20));
  ASSERT_EQ(o.ApplySizeChanges(), 1);
  EXPECT_EQ(o.SourceBitmap().HeldBytes(), Bytes32(60, 40));
  EXPECT_EQ(o.Image().HeldBytes(), Bytes32(60, 40));
}

}  // namespace
}  // namespace lumi
