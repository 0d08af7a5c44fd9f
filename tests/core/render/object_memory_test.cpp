// What a drawing object holds once a render is over: its image, the effect layer when its
// effect draws one, and the source pixels of a bitmap object, each at most at its own
// size, and the image and layer packed into runs where their pixels allow it. Work
// buffers, layers of an effect since removed and the storage of an earlier, larger size
// are gone.
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
    // A flat rectangle and its shadow are long runs: packed, with the full pixels gone.
    EXPECT_TRUE(o.KeptImage().IsPacked());
    EXPECT_LE(o.KeptImage().HeldBytes(), Bytes32(w, h) * 3 / 4 + PlaceholderBytes());
    if (DrawsEffectLayer(o.GetEffectKind())) {
      EXPECT_TRUE(o.KeptEffectLayer().IsPacked());
      EXPECT_LE(o.KeptEffectLayer().HeldBytes(), Bytes32(w + 2 * m, h + 2 * m) * 3 / 4 + PlaceholderBytes());
    } else {
      EXPECT_TRUE(o.KeptEffectLayer().IsEmpty()) << "a layer nobody draws is kept";
      EXPECT_LE(o.KeptEffectLayer().HeldBytes(), PlaceholderBytes());
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
  // Stripes of one-byte steps have no runs: the image stays whole.
  EXPECT_FALSE(o.KeptImage().IsPacked());
  EXPECT_EQ(o.KeptImage().HeldBytes(), Bytes32(60, 40));
  EXPECT_TRUE(o.KeptEffectLayer().IsPacked());
  EXPECT_LT(o.KeptEffectLayer().HeldBytes(), Bytes32(60 + 20, 40 + 20));
  ASSERT_EQ(o.ApplySizeChanges(), 1);
  EXPECT_EQ(o.SourceBitmap().HeldBytes(), Bytes32(60, 40));
  EXPECT_EQ(o.KeptImage().HeldBytes(), Bytes32(60, 40));
}

// Reading the pixels of a packed image unpacks a copy beside the runs; the next render
// lets that copy go again, so a look at the pixels does not double what the object holds.
TEST(ObjectMemory, AnUnpackedCopyLastsUntilTheNextRender) {
  SilentHost host;
  CDrawObject o(host);
  o.CreateRectangle(10, 10, 210, 110);
  o.Render();
  const std::size_t packed = o.KeptImage().HeldBytes();
  ASSERT_TRUE(o.KeptImage().IsPacked());
  ASSERT_EQ(o.Image().Width(), o.GetWidth());
  EXPECT_GE(o.KeptImage().HeldBytes(), Bytes32(o.GetWidth(), o.GetHeight()));
  EXPECT_TRUE(o.KeptImage().IsPacked()) << "reading keeps the runs the canvas is drawn from";
  o.Render();
  EXPECT_EQ(o.KeptImage().HeldBytes(), packed);
}

}  // namespace
}  // namespace lumi
