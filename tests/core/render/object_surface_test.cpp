// The surface and alpha stages inside an object's render: texture names found in the
// shared bank or loaded from the data folders, the missing-texture messages once per
// object, the relief, the transparency cut that later stages see, and rendering without
// the program's bank.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/folders.h"
#include "base/host.h"
#include "image/pixwerk.h"
#include "image_fixtures.h"
#include "library/texture_bank.h"
#include "objects/draw_object.h"
#include "render/render_context.h"

namespace lumi {
namespace {

namespace fs = std::filesystem;

COLORREF At(const CDrawObject& o, int x, int y) {
  const std::uint8_t* p = o.Image().Row(y) + 4 * x;
  return RGB(p[2], p[1], p[0]);
}
int AlphaAt(const CDrawObject& o, int x, int y) { return o.Image().Row(y)[4 * x + 3]; }
bool SameImage(const CDrawObject& a, const CDrawObject& b) {
  return a.Image().PixelBytes() == b.Image().PixelBytes() &&
         std::memcmp(a.Image().Pixels(), b.Image().Pixels(), a.Image().PixelBytes()) == 0;
}

// A data folder with Textures/ and Transp/, the bank and the context over both.
class Surface : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folders.textures);
    fs::create_directories(folders.transparencies);
  }
  // A texture file of one colour, or with white left and black right halves.
  void Write(const std::string& folder, const std::string& name, int w, int h, COLORREF colour,
             bool split = false) {
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        if (split) {
          const std::uint8_t v = x < w / 2 ? 255 : 0;
          rgb.insert(rgb.end(), {v, v, v});
        } else {
          rgb.insert(rgb.end(), {static_cast<std::uint8_t>(colour & 0xFF), static_cast<std::uint8_t>((colour >> 8) & 0xFF),
                                 static_cast<std::uint8_t>((colour >> 16) & 0xFF)});
        }
      }
    ASSERT_TRUE(PxSaveBMP(folder + name, rgb.data(), w, h));
  }
  // A hard-edged rectangle (60 x 40 plus the pen margin) filled with `fill`, rendering with this context.
  std::unique_ptr<CDrawObject> Rectangle(std::function<void(CDrawObject&)> setup = {},
                                         const RenderContext* ctx = nullptr) {
    auto o = std::make_unique<CDrawObject>(host);
    o->SetRenderContext(ctx ? ctx : &context);
    o->SetEdgeQuality(kHardEdge);
    o->SetFillColor(RGB(40, 80, 120));
    o->CreateRectangle(0, 0, 60, 40);
    if (setup) {
      setup(*o);
      o->Render();
    }
    return o;
  }

  fixtures::TempDir dir;
  FolderSet folders = FolderSet::FromRoot(dir.Path());
  CTextureBank bank;
  RenderContext context{&bank, &folders};
  RecordingHost host;
};

TEST_F(Surface, TextureFromTheFolderIsLoadedOnceAndSharedByObjects) {
  Write(folders.textures, "Stone.bmp", 4, 4, RGB(200, 10, 30));
  auto a = Rectangle([](CDrawObject& o) { o.SetTextureName("Stone.bmp"); });
  auto b = Rectangle([](CDrawObject& o) { o.SetTextureName("stone.BMP"); });
  EXPECT_EQ(At(*a, 30, 20), RGB(200, 10, 30));
  EXPECT_EQ(At(*b, 5, 5), RGB(200, 10, 30));
  EXPECT_EQ(bank.Size(), 1u);

  // Pruning keeps the entry while one object names it and drops it after both are gone.
  bank.ClearUsedMarks();
  bank.MarkUsed(b->GetTextureName(), b->GetTransparencyName());
  bank.RemoveUnused();
  EXPECT_EQ(bank.Size(), 1u);
  a.reset();
  b.reset();
  bank.ClearUsedMarks();
  bank.RemoveUnused();
  EXPECT_EQ(bank.Size(), 0u);
  EXPECT_TRUE(host.Messages().empty());
}

TEST_F(Surface, MissingTexturesAreReportedOncePerObjectAndForgotten) {
  struct Case {
    const char* what;
    std::function<void(CDrawObject&)> setup;
    std::string message;
  } cases[] = {
      {"fill", [](CDrawObject& o) { o.SetTextureName("lost.jpg"); },
       "This file uses missing texture: lost.jpg\nThe texture was not saved to the project file\nand it is also "
       "missing in the subfirectory Textures."},
      {"cut",
       [](CDrawObject& o) {
         o.SetTransparency(100);
         o.SetTransparencyName("lost.png");
       },
       "This file uses missing transparency texture: lost.png\nThe texture was not saved to the project file\nand it "
       "is also missing in the subfirectory Transp."},
      {"paint",
       [](CDrawObject& o) {
         o.SetTransparency(100);
         o.SetTransparencyCut(0);
         o.SetTransparencyName("lost.png");
       },
       "This file uses missing transparent texture: lost.png\nThe texture was not saved to the project file\nand it "
       "is also missing in the subfirectory Transp."},
  };
  for (const Case& c : cases) {
    host.Clear();
    auto o = Rectangle(c.setup);
    o->Render();
    EXPECT_EQ(host.Messages(), std::vector<std::string>{c.message}) << c.what;
    EXPECT_EQ(o->GetTextureName(), "") << c.what;
    EXPECT_EQ(o->GetTransparencyName(), "") << c.what;
    // Rendered as the name-less object renders: the fill, flat transparency of 100.
    auto plain = Rectangle([&](CDrawObject& p) {
      p.SetTransparency(o->GetTransparency());
      p.SetTransparencyCut(o->GetTransparencyCut());
    });
    EXPECT_TRUE(SameImage(*o, *plain)) << c.what;
  }
}

TEST_F(Surface, WithoutABankNamesAreKeptAndNobodyIsTold) {
  Write(folders.textures, "Stone.bmp", 4, 4, RGB(200, 10, 30));
  const RenderContext no_bank{};
  const RenderContext bank_only{&bank, nullptr};
  for (const RenderContext* ctx : {&no_bank, &bank_only}) {
    auto o = Rectangle(
        [](CDrawObject& p) {
          p.SetTextureName("Stone.bmp");
          p.SetTransparency(255);
          p.SetTransparencyName("holes.bmp");
        },
        ctx);
    EXPECT_EQ(o->GetTextureName(), "Stone.bmp");
    EXPECT_EQ(o->GetTransparencyName(), "holes.bmp");
    EXPECT_EQ(At(*o, 30, 20), RGB(40, 80, 120));
    EXPECT_EQ(AlphaAt(*o, 30, 20), 0);  // the flat cut of amount 255
  }
  EXPECT_TRUE(host.Messages().empty());
  EXPECT_EQ(bank.Size(), 0u);
}

// An object nobody gave a context renders with the empty one, however much data lies
// about: no texture, the name kept, nothing said.
TEST_F(Surface, ObjectsWithoutAContextRenderWithTheEmptyOne) {
  Write(folders.textures, "Stone.bmp", 4, 4, RGB(200, 10, 30));
  auto o = std::make_unique<CDrawObject>(host);
  o->SetEdgeQuality(kHardEdge);
  o->SetFillColor(RGB(40, 80, 120));
  o->CreateRectangle(0, 0, 20, 20);
  o->SetTextureName("Stone.bmp");
  o->Render();
  EXPECT_EQ(o->GetRenderContext(), nullptr);
  EXPECT_EQ(At(*o, 10, 10), RGB(40, 80, 120));
  EXPECT_EQ(o->GetTextureName(), "Stone.bmp");
  EXPECT_TRUE(host.Messages().empty());
  EXPECT_EQ(bank.Size(), 0u);
  // Given one, the same object finds the texture.
  o->SetRenderContext(&context);
  o->Render();
  EXPECT_EQ(At(*o, 10, 10), RGB(200, 10, 30));
}

TEST_F(Surface, GradientsAndFlatTransparencyThroughTheRender) {
  auto radial = Rectangle([](CDrawObject& o) {
    o.SetTextureName("Radial Gradient.tmb");
    o.SetTextureStrength(128);
    o.SetFillColor2(RGB(250, 250, 0));
  });
  // The centre pixel (W div 2, H div 2 counted from the bottom) keeps the fill.
  const int w = radial->GetWidth(), h = radial->GetHeight();
  EXPECT_EQ(At(*radial, w / 2, h - 1 - h / 2), RGB(40, 80, 120));
  EXPECT_EQ(At(*radial, 0, 0), RGB(250, 250, 0));

  for (auto [amount, alpha] : {std::pair{128, (255 * 127) >> 8}, std::pair{255, 0}, std::pair{0, 255}}) {
    auto o = Rectangle([amount](CDrawObject& p) {
      p.SetTransparency(amount);
      p.SetTransparencyName("Flat.tmb");
    });
    EXPECT_EQ(AlphaAt(*o, 30, 20), alpha) << amount;
  }
}

TEST_F(Surface, PaintedTransparency) {
  auto flat = Rectangle([](CDrawObject& o) {
    o.SetTransparency(200);
    o.SetTransparencyCut(0);
    o.SetTransparencyName("Flat.tmb");
  });
  EXPECT_TRUE(SameImage(*flat, *Rectangle()));
  auto radial = Rectangle([](CDrawObject& o) {
    o.SetTransparency(255);
    o.SetTransparencyCut(0);
    o.SetTransparencyName("Radial.tmb");
  });
  const int w = radial->GetWidth(), h = radial->GetHeight();
  EXPECT_EQ(At(*radial, w / 2, h - 1 - h / 2), RGB(255, 255, 255));
  EXPECT_EQ(AlphaAt(*radial, 30, 20), 255);  // painting keeps the coverage
}

TEST_F(Surface, TransparencyImageCutReachesTheBevel) {
  // White left half, black right half: the left half of the object is cut away, and the
  // bevel, which reads the rewritten mask, slopes along the cut inside the object.
  Write(folders.transparencies, "Half.bmp", 60, 40, 0, true);
  auto bevelled = [&](bool cut) {
    return Rectangle([cut](CDrawObject& o) {
      o.SetBevelKind(1);
      o.SetBevelWidth(8);
      if (cut) {
        o.SetTransparency(255);
        o.SetTransparencyName("Half.bmp");
      }
    });
  };
  auto with_cut = bevelled(true);
  auto without = bevelled(false);
  EXPECT_EQ(AlphaAt(*with_cut, 10, 20), 0);
  EXPECT_EQ(AlphaAt(*with_cut, 45, 20), 255);
  // Just right of the cut the bevel now shades; without the cut it is the flat middle.
  EXPECT_EQ(At(*without, 32, 20), At(*without, 40, 20));
  EXPECT_NE(At(*with_cut, 32, 20), At(*without, 32, 20));
  EXPECT_TRUE(host.Messages().empty());
}

TEST_F(Surface, ReliefEmbossesAFoundTextureEvenAtStrengthZero) {
  // A texture with a bright square in a dark field: the relief shades the square's edges.
  std::vector<std::uint8_t> rgb;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const std::uint8_t v = (x >= 5 && x < 15 && y >= 5 && y < 15) ? 230 : 20;
      rgb.insert(rgb.end(), {v, v, v});
    }
  ASSERT_TRUE(PxSaveBMP(folders.textures + "Tile.bmp", rgb.data(), 20, 20));
  auto textured = Rectangle([](CDrawObject& o) { o.SetTextureName("Tile.bmp"); });
  auto embossed = Rectangle([](CDrawObject& o) {
    o.SetTextureName("Tile.bmp");
    o.SetTextureRelief(1);
  });
  EXPECT_FALSE(SameImage(*textured, *embossed));
  // At strength 0 nothing is mapped, but the texture was found, so the relief still runs
  // (over the plain fill, which has no slopes and so stays as it is).
  auto zero = Rectangle([](CDrawObject& o) {
    o.SetTextureName("Tile.bmp");
    o.SetTextureStrength(0);
    o.SetTextureRelief(1);
  });
  EXPECT_EQ(At(*zero, 30, 20), RGB(40, 80, 120));
  EXPECT_EQ(bank.Size(), 1u);
  // A gradient is not a texture image: no relief is applied to it.
  auto gradient = Rectangle([](CDrawObject& o) {
    o.SetTextureName("Linear Gradient.tmb");
    o.SetTextureRelief(1);
  });
  auto plain_gradient = Rectangle([](CDrawObject& o) { o.SetTextureName("Linear Gradient.tmb"); });
  EXPECT_TRUE(SameImage(*gradient, *plain_gradient));
}

}  // namespace
}  // namespace lumi
