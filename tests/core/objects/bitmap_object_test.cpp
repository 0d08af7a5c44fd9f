// Bitmap objects: creation from files and the clipboard, "Convert To Bitmap", the size
// limit and "Apply Changes", transparencies and masks, crop, envelope and reset, turns,
// flips, update from the file and the texture hand-over, with the exact messages.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/archive.h"
#include "base/host.h"
#include "image_fixtures.h"
#include "image/pixwerk.h"
#include "library/texture_bank.h"
#include "objects/bitmap_messages.h"
#include "objects/draw_object.h"

namespace lumi {
namespace {

const char kTooBig[] = "Image is too big for the memory, I will just resize it to max 1700 x 1500";

// Top-down RGB of w x h made by `colour(x, y)`.
template <typename F>
RgbImage MakeRgb(int w, int h, F colour) {
  RgbImage rgb{w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h * 3)};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const COLORREF c = colour(x, y);
      std::uint8_t* p = &rgb.pixels[(static_cast<std::size_t>(y) * w + x) * 3];
      p[0] = static_cast<std::uint8_t>(GetRValue(c));
      p[1] = static_cast<std::uint8_t>(GetGValue(c));
      p[2] = static_cast<std::uint8_t>(GetBValue(c));
    }
  }
  return rgb;
}

// Four flat quadrants: red, green / blue, white.
RgbImage Quadrants(int w, int h) {
  return MakeRgb(w, h, [&](int x, int y) {
    if (y < h / 2) return x < w / 2 ? RGB(255, 0, 0) : RGB(0, 255, 0);
    return x < w / 2 ? RGB(0, 0, 255) : RGB(255, 255, 255);
  });
}

COLORREF PixelColour(const CDIBSection& b, int x, int y) {
  const std::uint8_t* p = b.Row(y) + 4 * x;
  return RGB(p[2], p[1], p[0]);
}
int Alpha(const CDIBSection& b, int x, int y) { return b.Row(y)[4 * x + 3]; }

class BitmapObjectTest : public testing::Test {
 protected:
  RecordingHost host;
  fixtures::TempDir dir;

  std::filesystem::path SaveBmp(const std::string& name, const RgbImage& rgb) {
    const auto path = dir.File(name);
    EXPECT_TRUE(PxSaveBMP(path, rgb.pixels.data(), rgb.width, rgb.height));
    return path;
  }
  // A pasted picture whose box is exactly (x, y, w, h).
  std::unique_ptr<CDrawObject> Pasted(const RgbImage& rgb, int x, int y) {
    auto o = std::make_unique<CDrawObject>(host);
    EXPECT_EQ(o->CreateBitmapFromClipboard(rgb, x + rgb.width / 2, y + rgb.height / 2), 1);
    return o;
  }
  // A rectangle whose box is exactly (x, y, w, h); its outline lies 2 pixels inside.
  std::unique_ptr<CDrawObject> Rectangle(int x, int y, int w, int h) {
    auto o = std::make_unique<CDrawObject>(host);
    o->CreateRectangle(x + 2, y + 2, x + w - 2, y + h - 2);
    return o;
  }
};

TEST_F(BitmapObjectTest, LargeImageIsShownAtTheLimitAndKeepsItsSourceUntilApplyChanges) {
  const auto path =
      SaveBmp("wide.bmp", MakeRgb(2000, 1000, [](int x, int y) { return RGB(x % 256, y % 256, 9); }));
  CDrawObject o(host);
  ASSERT_EQ(o.CreateBitmap(10, 20, path), 1);
  EXPECT_EQ(host.Messages(), std::vector<std::string>{kTooBig});
  EXPECT_EQ(o.GetKind(), kKindBitmap);
  EXPECT_EQ(o.GetRect(), (Rect{10, 20, 1710, 1020}));
  EXPECT_EQ(o.GetKindName(), "wide.bmp");
  EXPECT_EQ(o.GetSourcePath(), path.string());
  EXPECT_EQ(o.GetSourceWidth(), 2000);
  EXPECT_EQ(o.SourceBitmap().Width(), 2000);
  EXPECT_EQ(o.SourceBitmap().Height(), 1000);
  EXPECT_EQ(Alpha(o.SourceBitmap(), 1999, 999), 255);
  EXPECT_EQ(Alpha(o.Image(), 1699, 0), 255) << "the image covers its whole box";
  EXPECT_FALSE(o.IsUntransformedBitmap());

  // "Apply Changes" gives the memory back: the source becomes the box size.
  EXPECT_EQ(o.ApplySizeChanges(), 1);
  EXPECT_EQ(o.GetSourceWidth(), 1700);
  EXPECT_EQ(o.SourceBitmap().Width(), 1700);
  EXPECT_EQ(o.SourceBitmap().Height(), 1000);
  EXPECT_TRUE(o.IsUntransformedBitmap());
  EXPECT_EQ(o.ApplySizeChanges(), 0) << "nothing left to shrink";
  // A box larger than the source leaves the source alone.
  o.SetSize(1700, 1200);
  EXPECT_EQ(o.ApplySizeChanges(), 0);
  EXPECT_EQ(o.SourceBitmap().Height(), 1000);
}

TEST_F(BitmapObjectTest, UnreadableFilesCreateNothing) {
  const RgbImage small = MakeRgb(4, 4, [](int, int) { return RGB(1, 2, 3); });
  const auto jpeg = SaveBmp("picture.jpeg", small);  // a name no reader takes
  const auto huge = dir.Write("huge.bmp", fixtures::Bmp(40000, 40000, 24, {}, {}));
  const auto missing = dir.File("missing.png");
  for (const auto& path : {jpeg, huge, missing}) {
    host.Clear();
    CDrawObject o(host);
    EXPECT_EQ(o.CreateBitmap(0, 0, path), 0) << path;
    EXPECT_EQ(host.Messages(), std::vector<std::string>{"Image Load Error"}) << path;
    EXPECT_EQ(o.GetKind(), kKindNone);
    EXPECT_TRUE(o.SourceBitmap().IsEmpty());
  }
}

TEST_F(BitmapObjectTest, ClipboardPictureIsCentredOpaqueAndChecked) {
  CDrawObject o(host);
  ASSERT_EQ(o.CreateBitmapFromClipboard(Quadrants(6, 4), 50, 40), 1);
  EXPECT_EQ(o.GetRect(), (Rect{47, 38, 53, 42}));
  EXPECT_EQ(PixelColour(o.SourceBitmap(), 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(PixelColour(o.SourceBitmap(), 5, 3), RGB(255, 255, 255));
  EXPECT_EQ(Alpha(o.SourceBitmap(), 5, 3), 255);
  EXPECT_EQ(PixelColour(o.Image(), 0, 3), RGB(0, 0, 255));
  EXPECT_TRUE(o.GetSourcePath().empty());
  EXPECT_EQ(o.UpdateFromSource(), 0) << "a pasted picture has no file";

  RgbImage short_buffer = Quadrants(6, 4);
  short_buffer.pixels.pop_back();
  CDrawObject bad(host);
  EXPECT_EQ(bad.CreateBitmapFromClipboard(short_buffer, 0, 0), 0);
  EXPECT_EQ(bad.GetKind(), kKindNone);
}

TEST_F(BitmapObjectTest, IntensityTransparencyAndResetAll) {
  // White, mid-grey, near-white and black.
  const COLORREF colours[4] = {RGB(255, 255, 255), RGB(128, 128, 128), RGB(250, 250, 250),
                               RGB(0, 0, 0)};
  auto o = Pasted(MakeRgb(4, 1, [&](int x, int) { return colours[x]; }), 0, 0);
  ASSERT_EQ(o->TransparencyFromIntensity(), 1);
  const int expected[4] = {0, 255, 30, 255};  // min(255, (765 - r - g - b) x 2)
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(Alpha(o->SourceBitmap(), x, 0), expected[x]) << x;
    EXPECT_EQ(Alpha(o->Image(), x, 0), expected[x]) << x;
  }
  ASSERT_EQ(o->ResetAll(), 1);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(Alpha(o->Image(), x, 0), 255);
}

TEST_F(BitmapObjectTest, WhiteTransparencySoftensAnAntiAliasedFringe) {
  // A black disc of radius 8 on white with a one-pixel grey fringe.
  const RgbImage disc = MakeRgb(30, 30, [](int x, int y) {
    const double d = std::hypot(x - 15, y - 15);
    const int v = static_cast<int>(std::clamp((d - 8.0) * 255.0, 0.0, 255.0));
    return RGB(v, v, v);
  });
  auto count_partial = [](const CDIBSection& b) {
    int partial = 0;
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) partial += Alpha(b, x, y) > 0 && Alpha(b, x, y) < 254;
    return partial;
  };
  auto soft = Pasted(disc, 0, 0);
  ASSERT_EQ(soft->WhiteTransparency(), 1);
  EXPECT_EQ(Alpha(soft->Image(), 0, 0), 0) << "the background goes";
  EXPECT_EQ(Alpha(soft->Image(), 15, 15), 254) << "(2 x 255) mod 256 inside";
  EXPECT_GT(count_partial(soft->Image()), 8) << "the blurred mask softens the fringe";

  // At a tolerance of 4 or less the mask is not blurred: only clear and opaque remain.
  auto hard = Pasted(disc, 0, 0);
  ASSERT_EQ(hard->ColorTransparency(RGB(255, 255, 255), 4), 1);
  EXPECT_EQ(count_partial(hard->Image()), 0);
  EXPECT_EQ(Alpha(hard->Image(), 0, 0), 0);
  EXPECT_EQ(Alpha(hard->Image(), 15, 15), 254);
}

TEST_F(BitmapObjectTest, ColourPickReadsTheRenderedImage) {
  auto o = Pasted(Quadrants(20, 10), 100, 50);
  EXPECT_EQ(o->ImageColorAt({101, 51}), RGB(255, 0, 0));
  EXPECT_EQ(o->ImageColorAt({119, 59}), RGB(255, 255, 255));
  EXPECT_EQ(o->ImageColorAt({99, 51}), RGB(255, 255, 255)) << "outside the image";
  ASSERT_EQ(o->ColorTransparency(o->ImageColorAt({111, 51}), 0), 1);
  EXPECT_EQ(Alpha(o->Image(), 15, 2), 0) << "the green quadrant goes";
  EXPECT_EQ(Alpha(o->Image(), 2, 2), 254);
}

TEST_F(BitmapObjectTest, MaskFromObjectKeepsThePhotoOnlyInsideTheShape) {
  const RgbImage photo = MakeRgb(60, 60, [](int x, int y) { return RGB(x * 4, y * 4, 90); });
  CDrawObject circle(host);
  circle.CreateCircle(10, 10, 50, 50);
  auto covered = [&](int x, int y) { return Alpha(circle.Image(), x - circle.GetX(), y - circle.GetY()); };

  auto hard = Pasted(photo, 0, 0);
  ASSERT_EQ(hard->TransparencyFromObject(circle, false, true), 1);
  EXPECT_EQ(Alpha(hard->Image(), 30, 30), 255);
  EXPECT_EQ(Alpha(hard->Image(), 2, 2), 0) << "outside the circle's box";
  EXPECT_EQ(Alpha(hard->Image(), 13, 13), 0) << "inside its box, outside the curve";
  for (int y = circle.GetY(); y < circle.GetY() + circle.GetHeight(); ++y) {
    for (int x = circle.GetX(); x < circle.GetX() + circle.GetWidth(); ++x) {
      const int d = covered(x, y);
      ASSERT_EQ(Alpha(hard->SourceBitmap(), x, y), d > 60 ? 255 : d) << x << "," << y;
    }
  }
  EXPECT_EQ(PixelColour(hard->Image(), 30, 30), RGB(120, 120, 90)) << "colours untouched";

  auto inverted = Pasted(photo, 0, 0);
  ASSERT_EQ(inverted->TransparencyFromObject(circle, true, false), 1);
  EXPECT_EQ(Alpha(inverted->Image(), 30, 30), 0);
  EXPECT_EQ(Alpha(inverted->Image(), 2, 2), 255);
  EXPECT_EQ(Alpha(inverted->SourceBitmap(), 13, 30), 255 - covered(13, 30));
}

TEST_F(BitmapObjectTest, MaskFromObjectRefusals) {
  const RgbImage photo = MakeRgb(40, 40, [](int x, int y) { return RGB(x, y, 0); });
  auto far = Rectangle(100, 100, 20, 20);
  auto near = Rectangle(10, 10, 20, 20);

  auto bitmap = Pasted(photo, 0, 0);
  EXPECT_EQ(bitmap->TransparencyFromObject(*far, false, false), 0);
  bitmap->SetSize(30, 30);
  EXPECT_EQ(bitmap->TransparencyFromObject(*near, false, true), 0);
  EXPECT_EQ(bitmap->CropToObject(*near), 0);
  EXPECT_EQ(near->TransparencyFromObject(*bitmap, false, true), 0);
  EXPECT_EQ(host.Messages(), (std::vector<std::string>{kMaskNoOverlapMessage,
                                                       kBitmapTransformedMessage,
                                                       kBitmapTransformedMessage,
                                                       kBottomMustBeBitmapMessage}));
  EXPECT_EQ(Alpha(bitmap->SourceBitmap(), 20, 20), 255) << "nothing changed";
}

TEST_F(BitmapObjectTest, CropToAnObjectHalfOutsideKeepsTheOverlapOnly) {
  const RgbImage photo = MakeRgb(100, 80, [](int x, int y) { return RGB(x * 2, y * 3, 7); });
  auto bitmap = Pasted(photo, 0, 0);
  auto rect = Rectangle(50, 20, 100, 40);  // outline (52, 22) - (148, 58)
  ASSERT_EQ(bitmap->CropToObject(*rect), 1);
  EXPECT_EQ(bitmap->GetRect(), (Rect{52, 22, 100, 58}));
  EXPECT_EQ(bitmap->GetSourceWidth(), 48);
  EXPECT_EQ(bitmap->SourceBitmap().Width(), 48);
  EXPECT_EQ(bitmap->SourceBitmap().Height(), 36);
  EXPECT_EQ(PixelColour(bitmap->Image(), 0, 0), RGB(104, 66, 7));
  EXPECT_EQ(PixelColour(bitmap->Image(), 47, 35), RGB(198, 171, 7));
  EXPECT_EQ(Alpha(bitmap->Image(), 20, 20), 255);
  EXPECT_TRUE(host.Messages().empty());

  auto away = Rectangle(300, 300, 10, 10);
  EXPECT_EQ(bitmap->CropToObject(*away), 0);
  EXPECT_EQ(host.Messages(), std::vector<std::string>{kCropNoOverlapMessage});

  // A source smaller than its recorded size (a damaged record) cannot be cut.
  auto damaged = Pasted(photo, 0, 0);
  damaged->SourceBitmap().Create(50, 50, 32, true);
  host.Clear();
  EXPECT_EQ(damaged->CropToObject(*rect), 0);
  EXPECT_EQ(host.Messages(), std::vector<std::string>{kCropRectangleError});
}

TEST_F(BitmapObjectTest, EnvelopeThenResetReturnsToTheUnwarpedLookAtTheSourceSize) {
  auto o = Pasted(Quadrants(40, 30), 5, 5);
  const CDIBSection plain = o->Image();

  host.Clear();
  host.QueueAnswer(Answer::Cancel);
  host.QueueAnswer(Answer::Ok);
  EXPECT_EQ(o->ConvertToEnvelope(), 0);
  EXPECT_EQ(host.Log(), std::vector<std::string>{std::string("ask: ") + kConvertToEnvelopeQuestion})
      << "Cancel changes nothing";
  EXPECT_FALSE(o->IsEnvelope());

  ASSERT_EQ(o->ConvertToEnvelope(), 1);
  EXPECT_TRUE(o->IsEnvelope());
  EXPECT_EQ(o->GetRect(), (Rect{5, 5, 45, 35}));
  // The unmoved envelope shows the picture the right way round.
  EXPECT_EQ(PixelColour(o->Image(), 5, 5), RGB(255, 0, 0));
  EXPECT_EQ(PixelColour(o->Image(), 35, 5), RGB(0, 255, 0));
  EXPECT_EQ(PixelColour(o->Image(), 5, 25), RGB(0, 0, 255));
  EXPECT_EQ(Alpha(o->Image(), 20, 15), 255);

  o->MoveEnvelopeHandle(1, 0, 20);  // the top curve bends down
  o->FinishNodeDrag();
  EXPECT_NE(std::memcmp(o->Image().Pixels(), plain.Pixels(), plain.PixelBytes()), 0);

  o->SetSize(70, 50);  // an envelope bitmap may be resized too
  ASSERT_EQ(o->ResetTransformation(), 1);
  EXPECT_FALSE(o->IsEnvelope());
  EXPECT_EQ(o->GetWidth(), 40);
  EXPECT_EQ(o->GetHeight(), 30);
  EXPECT_EQ(std::memcmp(o->Image().Pixels(), plain.Pixels(), plain.PixelBytes()), 0);
}

TEST_F(BitmapObjectTest, TurnsKeepTheCentreAndComeFromTheSourceAndTheTotalAngle) {
  auto o = Pasted(Quadrants(100, 50), 150, 75);
  ASSERT_EQ(o->GetCenter(), (Point{200, 100}));
  ASSERT_TRUE(o->Rotate(90, false));
  EXPECT_EQ(o->GetWidth(), 54);
  EXPECT_EQ(o->GetHeight(), 104);
  EXPECT_EQ(o->GetCenter(), (Point{200, 100}));
  ASSERT_TRUE(o->Rotate(90, false));
  EXPECT_EQ(o->GetWidth(), 104);
  EXPECT_EQ(o->GetHeight(), 54);
  EXPECT_EQ(o->GetCenter(), (Point{200, 100}));
  EXPECT_EQ(o->GetBitmapAngle(), 180);
  EXPECT_EQ(o->GetSourceWidth(), 100);
  // Upside down: the top-left shows the white quadrant, the bottom-right the red one.
  EXPECT_EQ(PixelColour(o->Image(), 20, 12), RGB(255, 255, 255));
  EXPECT_EQ(PixelColour(o->Image(), 80, 40), RGB(255, 0, 0));
  EXPECT_EQ(Alpha(o->Image(), 0, 0), 0) << "the margin of the turned box is clear";
  // Saving a turned bitmap (which applies size changes) keeps its source as it is.
  EXPECT_EQ(o->ApplySizeChanges(), 0);
  EXPECT_EQ(o->SourceBitmap().Width(), 100);
  // A resize drops the turn.
  o->SetSize(100, 50);
  EXPECT_EQ(o->GetBitmapAngle(), 0);
}

TEST_F(BitmapObjectTest, TurnedBitmapReopensTurned) {
  auto o = Pasted(Quadrants(100, 50), 150, 75);
  ASSERT_TRUE(o->Rotate(90, false));
  MemorySink sink;
  CArchive out(sink);
  o->SerializeObject(out, false);
  CDrawObject back(host);
  MemorySource source(sink.Bytes());
  CArchive in(source);
  back.SerializeObject(in, false);
  EXPECT_EQ(back.GetBitmapAngle(), 90);
  EXPECT_EQ(back.GetWidth(), 54);
  ASSERT_EQ(back.Image().PixelBytes(), o->Image().PixelBytes());
  EXPECT_EQ(std::memcmp(back.Image().Pixels(), o->Image().Pixels(), o->Image().PixelBytes()), 0);
}

TEST_F(BitmapObjectTest, FirstTurnFixesTheScalingIntoTheSource) {
  auto o = Pasted(Quadrants(100, 50), 0, 0);
  o->SetSize(80, 40);
  ASSERT_TRUE(o->Rotate(90, false));
  EXPECT_EQ(o->GetSourceWidth(), 80);
  EXPECT_EQ(o->SourceBitmap().Width(), 80);
  EXPECT_EQ(o->SourceBitmap().Height(), 40);
  EXPECT_EQ(o->GetWidth(), 44);
  EXPECT_EQ(o->GetHeight(), 84);
}

TEST_F(BitmapObjectTest, FlipMirrorsTheSourcePixels) {
  auto o = Pasted(Quadrants(4, 2), 0, 0);
  ASSERT_TRUE(o->Flip(false));
  EXPECT_EQ(PixelColour(o->SourceBitmap(), 0, 0), RGB(0, 255, 0));
  EXPECT_EQ(PixelColour(o->Image(), 3, 1), RGB(0, 0, 255));
  ASSERT_TRUE(o->Flip(true));
  EXPECT_EQ(PixelColour(o->Image(), 0, 0), RGB(255, 255, 255));
}

TEST_F(BitmapObjectTest, UpdateFromTheFileKeepsTheBox) {
  const auto path = SaveBmp("photo.bmp", MakeRgb(30, 20, [](int, int) { return RGB(200, 0, 0); }));
  CDrawObject o(host);
  ASSERT_EQ(o.CreateBitmap(0, 0, path), 1);
  o.SetSize(60, 40);
  SaveBmp("photo.bmp", MakeRgb(10, 10, [](int, int) { return RGB(0, 0, 200); }));
  ASSERT_EQ(o.UpdateFromSource(), 1);
  EXPECT_EQ(o.GetSourceWidth(), 10);
  EXPECT_EQ(o.SourceBitmap().Height(), 10);
  EXPECT_EQ(o.GetWidth(), 60);
  EXPECT_EQ(PixelColour(o.Image(), 30, 20), RGB(0, 0, 200));

  std::filesystem::remove(path);
  EXPECT_EQ(o.UpdateFromSource(), 0);
  EXPECT_EQ(host.Messages(), std::vector<std::string>{"Image Load Error"});
  EXPECT_EQ(o.GetSourceWidth(), 10) << "the object is left as it was";
}

TEST_F(BitmapObjectTest, ConvertToBitmapKeepsTheLookBeforeBevelAndResetsTheStyle) {
  auto o = Rectangle(0, 0, 40, 30);
  o->SetFillColor(RGB(10, 20, 30));
  o->SetBevelKind(1);
  o->SetEffectKind(1);
  o->SetGradientAngle(45);
  o->SetLineWidth(3);
  o->SetBitmapAngle(0);
  o->Render();
  ASSERT_NE(PixelColour(o->Image(), 3, 15), RGB(10, 20, 30)) << "the bevel shades the edge";
  ASSERT_EQ(o->ConvertToBitmap(), 1);
  EXPECT_EQ(o->GetKind(), kKindBitmap);
  EXPECT_EQ(o->GetSourceWidth(), 40);
  EXPECT_EQ(o->GetSourceHeight(), 30);
  EXPECT_EQ(PixelColour(o->SourceBitmap(), 3, 15), RGB(10, 20, 30)) << "no bevel baked in";
  EXPECT_EQ(Alpha(o->SourceBitmap(), 20, 15), 255);
  EXPECT_EQ(o->GetBevelKind(), 0);
  EXPECT_EQ(o->GetEffectKind(), 0);
  EXPECT_EQ(o->GetFillColor(), 0x000000FFu);
  EXPECT_EQ(o->GetGradientAngle(), 0);
  EXPECT_EQ(o->GetLineWidth(), 6);
  EXPECT_EQ(PixelColour(o->Image(), 3, 15), RGB(10, 20, 30));
}

TEST_F(BitmapObjectTest, AttributeTransferTakesTheLookAndKeepsShapeAndPixels) {
  auto style = Rectangle(0, 0, 30, 30);
  style->SetFillColor(RGB(1, 2, 3));
  style->SetBevelKind(2);
  style->SetBevelWidth(5);
  style->SetEffectKind(3);
  style->SetTransparency(40);
  style->SetEdgeQuality(kHardEdge);
  // A highlighted look of another colour.
  style->SetStates(1, true, false, false);
  style->SetFillColor(RGB(9, 9, 9));
  style->SetStates(0, true, false, false);
  ASSERT_EQ(style->HighlightedLook()->GetFillColor(), RGB(9, 9, 9));

  auto target = Pasted(Quadrants(20, 10), 40, 40);
  target->TransferAttributes(*style);
  EXPECT_EQ(target->GetKind(), kKindBitmap);
  EXPECT_EQ(target->GetRect(), (Rect{40, 40, 60, 50}));
  EXPECT_EQ(target->GetSourceWidth(), 20);
  EXPECT_EQ(target->GetFillColor(), RGB(1, 2, 3));
  EXPECT_EQ(target->GetBevelKind(), 2);
  EXPECT_EQ(target->GetBevelWidth(), 5);
  EXPECT_EQ(target->GetEffectKind(), 3);
  EXPECT_EQ(target->GetTransparency(), 40);
  EXPECT_EQ(target->GetEdgeQuality(), kSuperSmooth) << "edge quality is not part of the look";
  ASSERT_NE(target->HighlightedLook(), nullptr);
  EXPECT_EQ(target->GetHasHighlighted(), 1);
  EXPECT_EQ(target->HighlightedLook()->GetFillColor(), RGB(9, 9, 9));
  EXPECT_EQ(target->HighlightedLook()->GetKind(), kKindBitmap);
  EXPECT_EQ(target->HighlightedLook()->GetRect(), target->GetRect());
}

TEST_F(BitmapObjectTest, BevelAndShadowStillApplyAndTheAlphaIsTheCoverage) {
  // A grey square with a clear border: the alpha is the mask the bevel and shadow use.
  auto o = Pasted(MakeRgb(40, 40, [](int, int) { return RGB(128, 128, 128); }), 0, 0);
  o->SourceBitmap().SetAlpha(255);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x)
      if (x < 5 || y < 5 || x >= 35 || y >= 35) o->SourceBitmap().Row(y)[4 * x + 3] = 0;
  o->Render();
  EXPECT_EQ(Alpha(o->Image(), 2, 20), 0);
  EXPECT_EQ(Alpha(o->Image(), 20, 20), 255);
  o->SetBevelKind(1);
  o->SetEffectKind(1);
  o->Render();
  EXPECT_NE(PixelColour(o->Image(), 6, 20), RGB(128, 128, 128)) << "the bevel lights the edge";
  EXPECT_FALSE(o->EffectLayer().IsEmpty());
  EXPECT_EQ(PixelColour(o->SourceBitmap(), 6, 20), RGB(128, 128, 128)) << "the source stays";
}

TEST_F(BitmapObjectTest, ResetTakesTheSizeFromTheSourcePixels) {
  // A damaged record may claim any source size; the reset believes the pixels.
  auto o = Pasted(Quadrants(30, 20), 0, 0);
  o->SetSourceWidth(100000);
  o->SetSourceHeight(7);
  ASSERT_EQ(o->ResetTransformation(), 1);
  EXPECT_EQ(o->GetRect(), (Rect{0, 0, 30, 20}));
  EXPECT_EQ(o->GetSourceWidth(), 30);
  EXPECT_EQ(o->GetSourceHeight(), 20);
}

TEST_F(BitmapObjectTest, SourcePixelsBecomeAProjectTexture) {
  auto o = Pasted(Quadrants(8, 6), 0, 0);
  CTextureBank bank;
  EXPECT_EQ(bank.AddProjectTexture(o->SourcePixels()), "project-texture");
  auto rect = Rectangle(0, 0, 10, 10);
  EXPECT_TRUE(rect->SourcePixels().IsEmpty());
  EXPECT_EQ(bank.AddProjectTexture(rect->SourcePixels()), "");
}

}  // namespace
}  // namespace lumi
