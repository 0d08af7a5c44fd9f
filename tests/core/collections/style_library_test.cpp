// Styles: the record on its sample shape, the picture beside it, and the defaults a
// style gives new objects when nothing is selected.
#include <gtest/gtest.h>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"
#include "base/host.h"
#include "collections/library_picture.h"
#include "collections/style_library.h"
#include "library/library_fixture.h"
#include "objects/draw_object.h"
#include "objects/logfont.h"
#include "objects/text_dialog.h"

namespace lumi {
namespace {

using testing::LibraryFolderTest;

class StyleLibraryTest : public LibraryFolderTest {
 protected:
  // A red rectangle at (200, 150) with a bevel, a shadow and a second colour.
  std::unique_ptr<CDrawObject> Rectangle() {
    auto o = std::make_unique<CDrawObject>(host_);
    o->CreateRectangle(200, 150, 300, 190);
    o->MoveTo(200, 150);
    o->SetSize(100, 40);
    o->SetFillColor(0x0000FF);
    o->SetFillColor2(0x00FF00);
    o->SetBevelKind(3);
    o->SetBevelWidth(5);
    o->SetEffectKind(1);
    o->SetTextureStrength(90);
    o->Render();
    return o;
  }
  std::unique_ptr<CDrawObject> Text(const std::string& text) {
    auto o = std::make_unique<CDrawObject>(host_);
    ScriptedTextDialog dialog;
    dialog.Ok([&](TextDialogValues& v) {
      v.text = text;
      v.size = 30;
      SetFaceName(v.font, "Liberation Serif");
    });
    EXPECT_EQ(o->CreateText(40, 30, "", dialog), 1);
    o->SetFillColor(0x00FF00);
    return o;
  }

  SilentHost host_;
};

TEST_F(StyleLibraryTest, AShapeIsStoredAsTheSampleCircleWithItsWholeLook) {
  const auto source = Rectangle();
  ASSERT_EQ(AddStyle(dir_, *source), 1);
  const auto style = ReadStyle(dir_ / "Style1.sty", host_);
  ASSERT_TRUE(style);
  EXPECT_EQ(style->GetKindName(), "Circle");
  EXPECT_EQ(style->GetKind(), kKindShape);
  EXPECT_EQ(style->GetRect(), (Rect{0, 0, 65, 65}));
  EXPECT_EQ(style->GetFillColor(), 0x0000FFu);
  EXPECT_EQ(style->GetFillColor2(), 0x00FF00u);
  EXPECT_EQ(style->GetBevelKind(), 3);
  EXPECT_EQ(style->GetBevelWidth(), 5);
  EXPECT_EQ(style->GetEffectKind(), 1);
  EXPECT_EQ(style->GetTextureStrength(), 90);
  // The record alone: the file is exactly what writing the style object gives.
  MemorySink sink;
  CArchive ar(sink);
  MakeStyleObject(*source)->SerializeObject(ar, false);
  EXPECT_EQ(Bytes("Style1.sty"), sink.Bytes());
}

TEST_F(StyleLibraryTest, PlainTextIsStoredAsTheSampleTextAB) {
  const auto source = Text("Hello");
  ASSERT_TRUE(IsPlainText(*source));
  ASSERT_EQ(AddStyle(dir_, *source), 1);
  const auto style = ReadStyle(dir_ / "Style1.sty", host_);
  ASSERT_TRUE(style);
  EXPECT_TRUE(IsPlainText(*style));
  EXPECT_EQ(style->GetText(), "AB");
  EXPECT_EQ(style->GetRect(), (Rect{0, 0, 50, 50}));
  EXPECT_EQ(style->GetFillColor(), 0x00FF00u);
}

TEST_F(StyleLibraryTest, TheNextAddFillsTheFirstGap) {
  const auto source = Rectangle();
  Write("Style1.sty", "x");
  Write("Style3.sty", "y");
  EXPECT_EQ(AddStyle(dir_, *source), 2);
  EXPECT_TRUE(Exists("Style2.tmb"));
  EXPECT_EQ(Read("Style3.sty"), "y");
  EXPECT_FALSE(Exists("Style2.tmb.new"));
}

TEST_F(StyleLibraryTest, APictureIsA50By50TwentyFourBitBmpOfTheObjectOverWhite) {
  const auto source = Rectangle();
  ASSERT_EQ(AddStyle(dir_, *source), 1);
  const std::vector<std::uint8_t> b = Bytes("Style1.tmb");
  const auto u16 = [&](std::size_t o) { return b[o] | b[o + 1] << 8; };
  const auto i32 = [&](std::size_t o) {
    return static_cast<std::int32_t>(b[o] | b[o + 1] << 8 | b[o + 2] << 16 | b[o + 3] << 24);
  };
  // 150 bytes of pixels a row are padded to 152, as every BMP row is to 4 bytes.
  ASSERT_EQ(b.size(), 54u + 152u * 50u);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(i32(2), 54 + 7600);  // file size
  EXPECT_EQ(i32(10), 54);        // pixels follow the two headers
  EXPECT_EQ(i32(14), 40);
  EXPECT_EQ(i32(18), 50);
  EXPECT_EQ(i32(22), 50);  // positive: bottom row first
  EXPECT_EQ(u16(28), 24);
  EXPECT_EQ(i32(30), 0);  // uncompressed
  // The 100 x 40 box grown by 10 is 120 x 60, made square to 120 x 120: the object
  // fills the middle rows, white above and below. Bottom row first, blue-green-red.
  const auto pixel = [&](int x, int y_from_top) {
    const std::size_t o = 54 + static_cast<std::size_t>(49 - y_from_top) * 152 + 3 * x;
    return std::array<int, 3>{b[o + 2], b[o + 1], b[o]};
  };
  // The resampler truncates, so white may come out as 254.
  const auto white = [](const std::array<int, 3>& p) { return p[0] >= 254 && p[1] >= 254 && p[2] >= 254; };
  EXPECT_TRUE(white(pixel(25, 2)));
  EXPECT_TRUE(white(pixel(1, 47)));
  const auto centre = pixel(25, 25);
  EXPECT_GT(centre[0], 150) << "the red rectangle";
  EXPECT_LT(centre[1], 100);
}

TEST(LibraryPictureSquare, GrowsByTheMarginAndSquaresEqually) {
  SilentHost host;
  CDrawObject wide(host), tall(host);
  wide.CreateRectangle(0, 0, 100, 50);
  wide.MoveTo(0, 0);
  wide.SetSize(100, 50);
  tall.CreateRectangle(300, 20, 320, 81);
  tall.MoveTo(300, 20);
  tall.SetSize(20, 61);
  EXPECT_EQ(LibraryPictureSquare({&wide}, 10), (Rect{-10, -35, 110, 85}));
  EXPECT_EQ(LibraryPictureSquare({&tall}, 10), (Rect{270, 10, 351, 91}));
  EXPECT_EQ(LibraryPictureSquare({&wide, &tall}, 0), (Rect{0, -119, 320, 201}));
}

TEST_F(StyleLibraryTest, MissingFilesGiveNothingAndDamagedOnesFailWhole) {
  EXPECT_EQ(ReadStyle(dir_ / "Style1.sty", host_), nullptr);
  const auto source = Rectangle();
  ASSERT_EQ(AddStyle(dir_, *source), 1);
  std::string bytes = Read("Style1.sty");
  Write("Style2.sty", bytes.substr(0, bytes.size() / 2));
  EXPECT_THROW(ReadStyle(dir_ / "Style2.sty", host_), ArchiveError);
}

TEST_F(StyleLibraryTest, WithNothingSelectedAStyleSetsTheDefaultsOfItsOwnSet) {
  const auto shape_source = Rectangle();
  shape_source->SetTextureName("wood.jpg");
  shape_source->SetTextureRelief(1);
  const auto shape = MakeStyleObject(*shape_source);
  const auto text = MakeStyleObject(*Text("Hi"));
  NewObjectDefaultSets sets;
  const NewObjectDefaultSets initial;

  EXPECT_EQ(ApplyStyleAsDefaults(*shape, "Style4.sty", sets), "Object Default:Style4.sty");
  EXPECT_EQ(sets.shapes.fill_color, 0x0000FFu);
  EXPECT_EQ(sets.shapes.fill_color2, 0x00FF00u);
  EXPECT_EQ(sets.shapes.texture_name, "wood.jpg");
  EXPECT_EQ(sets.shapes.texture_strength, 90);
  EXPECT_EQ(sets.shapes.bevel_kind, 3);
  EXPECT_EQ(sets.shapes.bevel_width, 5);
  EXPECT_EQ(sets.text.fill_color, initial.text.fill_color) << "the text set is untouched";
  EXPECT_EQ(sets.text.texture_strength, 180);

  EXPECT_EQ(ApplyStyleAsDefaults(*text, "Style1.sty", sets), "Text Default:Style1.sty");
  EXPECT_EQ(sets.text.fill_color, 0x00FF00u);
  EXPECT_EQ(sets.shapes.fill_color, 0x0000FFu);
}

}  // namespace
}  // namespace lumi
