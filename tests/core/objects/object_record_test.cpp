// Object records: the exact layout of a default object, the look records and their
// conditions, the face-name rule, round trips of every object kind, rendering on load,
// and damaged or truncated records.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"
#include "base/host.h"
#include "base/settings.h"
#include "font_fixture.h"
#include "objects/draw_object.h"
#include "objects/text_dialog.h"

namespace lumi {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Store(CDrawObject& object) {
  MemorySink sink;
  CArchive ar(sink);
  object.SerializeObject(ar, false);
  return sink.TakeBytes();
}

void Load(CDrawObject& object, const Bytes& bytes, bool no_render = false) {
  MemorySource source(bytes);
  CArchive ar(source);
  object.SerializeObject(ar, no_render);
}

// ---- the record table, as the test reads it

enum class Field { Str, Int, Dbl, Byte, Bezier, Polynome, Bitmap };

// Rows 1 to 80 of the record with the values of a freshly constructed object (no
// settings). Composite rows hold their empty forms: the Bezier closed with no nodes and
// line width 2, the polynome with no nodes and the default envelope, no bitmap.
struct Row {
  int number;
  Field field;
  std::variant<std::int32_t, double, std::string> value = 0;
};

const std::vector<Row>& DefaultRows() {
  using F = Field;
  static const std::vector<Row> rows = {
      {1, F::Str, std::string()},  // kind name
      {2, F::Int, 0},              // texture relief
      {3, F::Int, 0},              // F-B
      {4, F::Int, 0},              // screen
      {5, F::Int, 0},              // hidden
      {6, F::Int, 0},              // grouped
      {7, F::Int, 0},              // texture transparent
      {8, F::Int, 0},              // raster ok
      {9, F::Int, 1},              // transparency cut
      {10, F::Bezier},
      {11, F::Polynome},
      {12, F::Bitmap},
      {13, F::Int, 0x00FF0000},  // fill colour 2
      {14, F::Int, 0},           // effect colour
      {15, F::Int, 0x000000FF},  // fill colour
      {16, F::Str, std::string()},
      {17, F::Str, std::string()},
      {18, F::Str, std::string()},
      {19, F::Dbl, -0.6476},
      {20, F::Dbl, -0.52906},
      {21, F::Dbl, 0.54827},
      {22, F::Dbl, 1.0},
      {23, F::Dbl, 1.0},
      {24, F::Dbl, 0.0},
      {25, F::Dbl, 0.0},
      {26, F::Int, 0},     // source height
      {27, F::Int, 0},     // source width
      {28, F::Int, 3},     // edge quality
      {29, F::Int, 135},   // bevel angle
      {30, F::Int, 75},    // bevel intensity
      {31, F::Int, 0},     // bevel kind
      {32, F::Int, 8},     // bevel width
      {33, F::Int, 0},     // bitmap angle
      {34, F::Int, 40},    // relief depth
      {35, F::Int, 0},     // gene seed
      {36, F::Int, 45},    // effect angle
      {37, F::Int, 200},   // effect opacity
      {38, F::Int, 3},     // effect distance
      {39, F::Int, 10},    // effect margin
      {40, F::Int, 0},     // effect kind
      {41, F::Int, 2},     // effect softness
      {42, F::Int, 2334},  // gene parameters
      {43, F::Int, 243},
      {44, F::Int, 243},
      {45, F::Int, 0},    // gradient angle
      {46, F::Int, 0},    // height
      {47, F::Int, 0},    // x
      {48, F::Int, 0},    // pending height, x, y, width
      {49, F::Int, 0},
      {50, F::Int, 0},
      {51, F::Int, 0},
      {52, F::Int, 6},    // line width
      {53, F::Int, 0},    // texture offsets
      {54, F::Int, 0},
      {55, F::Int, 255},  // texture strength
      {56, F::Int, 0},    // y
      {57, F::Int, 0},    // transparency angle
      {58, F::Int, 0},    // transparency
      {59, F::Int, 0},    // kind
      {60, F::Int, 0},    // editable text
      {61, F::Int, 0},    // width
      {62, F::Int, 20},   // font height, width, escapement, orientation, weight
      {63, F::Int, 0},
      {64, F::Int, 0},
      {65, F::Int, 0},
      {66, F::Int, 400},
      {67, F::Byte, 0},  // italic, underline, strike-out, charset, precisions, quality
      {68, F::Byte, 0},
      {69, F::Byte, 0},
      {70, F::Byte, 0},
      {71, F::Byte, 0},
      {72, F::Byte, 0},
      {73, F::Byte, 0},
      {74, F::Byte, 0x20},  // pitch and family
      {75, F::Str, std::string("Arial")},
      {76, F::Int, 0},  // bold, italic, reserved
      {77, F::Int, 0},
      {78, F::Int, 0},
      {79, F::Dbl, 20.0},  // line height
      {80, F::Int, 0},     // alignment
  };
  return rows;
}

// Little-endian bytes written by hand: one-byte string lengths only (short strings).
struct Expected {
  Bytes b;
  Expected& Int(std::int32_t v) { return Raw(&v, 4); }
  Expected& Dbl(double v) { return Raw(&v, 8); }
  Expected& Byte(std::uint8_t v) { return Raw(&v, 1); }
  Expected& Str(const std::string& s) {
    Byte(static_cast<std::uint8_t>(s.size()));
    return Raw(s.data(), s.size());
  }
  Expected& Raw(const void* p, std::size_t n) {
    const auto* u = static_cast<const std::uint8_t*>(p);
    b.insert(b.end(), u, u + n);
    return *this;
  }
};

// Walks a record by the table and returns where it ends; `row81` receives the offset of
// row 81 and `nested` the [begin, end) of each nested record, in order.
struct Walk {
  std::size_t row75 = 0, row81 = 0, end = 0;
  std::vector<std::pair<std::size_t, std::size_t>> nested;
  std::vector<std::int32_t> tail;  // the ints after row 83 that are not nested records
};

class Walker {
 public:
  explicit Walker(const Bytes& b) : b_(b) {}
  Walk Record(std::size_t at) {
    Walk w;
    pos_ = at;
    for (const Row& row : DefaultRows()) {
      if (row.number == 75) w.row75 = pos_;
      Skip(row.field);
    }
    w.row81 = pos_;
    const std::int32_t highlighted = Int(), pushed = Int(), suppressed = Int();
    auto nested = [&] {
      const std::size_t begin = pos_;
      const std::size_t end = Walker(b_).Record(begin).end;
      w.nested.push_back({begin, end});
      pos_ = end;
    };
    const bool looks = highlighted != 0 || pushed != 0;
    if (looks && suppressed == 0) {
      if (highlighted) nested();
      if (pushed) nested();
      const std::int32_t marker = Int();
      w.tail.push_back(marker);
      if (marker == 1) nested();
    }
    if (looks) w.tail.push_back(Int());  // excluded from buttons
    w.tail.push_back(Int());             // current state
    w.tail.push_back(Int());             // end mark
    w.end = pos_;
    return w;
  }

 private:
  std::int32_t Int() {
    std::int32_t v;
    std::memcpy(&v, b_.data() + pos_, 4);
    pos_ += 4;
    return v;
  }
  void Skip(Field f) {
    switch (f) {
      case Field::Str: pos_ += 1 + b_[pos_]; break;  // the tests keep strings short
      case Field::Int: pos_ += 4; break;
      case Field::Dbl: pos_ += 8; break;
      case Field::Byte: pos_ += 1; break;
      case Field::Bezier: {
        pos_ += 4;
        const std::int32_t n = Int();
        pos_ += 20 * n + 8;
        break;
      }
      case Field::Polynome: {
        const std::int32_t n = Int();
        pos_ += 17 * n + 16 * 8 + 16;
        break;
      }
      case Field::Bitmap:
        if (Int() == 0) {
          pos_ += 8;
          pos_ += Int();
        }
        break;
    }
  }
  const Bytes& b_;
  std::size_t pos_ = 0;
};

Bytes Slice(const Bytes& b, std::pair<std::size_t, std::size_t> range) {
  return Bytes(b.begin() + range.first, b.begin() + range.second);
}

// Where two byte strings first differ, for failure messages.
std::string FirstDifference(const Bytes& a, const Bytes& b) {
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  if (i == a.size() && i == b.size()) return "equal";
  return "first difference at byte " + std::to_string(i) + " of " + std::to_string(a.size()) +
         " and " + std::to_string(b.size());
}

bool SamePixels(const CDIBSection& a, const CDIBSection& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  if (a.IsEmpty()) return b.IsEmpty();
  return std::memcmp(a.Pixels(), b.Pixels(), static_cast<std::size_t>(a.Width()) * a.Height() * 4) == 0;
}

int Renders(const RecordingHost& host) {
  int n = 0;
  for (const std::string& line : host.Log()) n += line == "wait on";
  return n;
}

class ObjectRecordTest : public testing::Test {
 protected:
  RecordingHost host;
  std::unique_ptr<CDrawObject> Rectangle(int x, int y, int w, int h) {
    auto object = std::make_unique<CDrawObject>(host);
    object->CreateRectangle(x, y, x + w, y + h);
    return object;
  }
};

// ---- layout

TEST_F(ObjectRecordTest, DefaultObjectRecordIsTheTableByteForByte) {
  Expected e;
  for (const Row& row : DefaultRows()) {
    switch (row.field) {
      case Field::Str: e.Str(std::get<std::string>(row.value)); break;
      case Field::Int: e.Int(std::get<std::int32_t>(row.value)); break;
      case Field::Dbl: e.Dbl(std::get<double>(row.value)); break;
      case Field::Byte: e.Byte(static_cast<std::uint8_t>(std::get<std::int32_t>(row.value))); break;
      case Field::Bezier: e.Int(1).Int(0).Int(2).Int(-1); break;
      case Field::Polynome:
        e.Int(0);
        for (double v : {0.0, 0.0, 0.4, 0.0, 0.6, 0.0, 1.0, 0.0, 0.0, 1.0, 0.4, 1.0, 0.6, 1.0, 1.0, 1.0})
          e.Dbl(v);
        e.Int(0).Int(0).Int(2).Int(-1);
        break;
      case Field::Bitmap: e.Int(1); break;
    }
  }
  e.Int(0).Int(0).Int(0);  // no looks, not suppressed
  e.Int(0).Int(-1);        // shown look, end mark
  CDrawObject object(host);
  EXPECT_EQ(Store(object), e.b);
}

TEST_F(ObjectRecordTest, RectangleWithoutLooksHasNoNestedRecordsAndNoRow88) {
  auto rect = Rectangle(10, 20, 60, 40);
  const Bytes bytes = Store(*rect);
  const Walk w = Walker(bytes).Record(0);
  EXPECT_EQ(w.end, bytes.size());
  EXPECT_TRUE(w.nested.empty());
  EXPECT_EQ(w.tail, (std::vector<std::int32_t>{0, -1})) << "row 89 and the end mark only";
  EXPECT_EQ(bytes.size(), w.row81 + 5 * 4);
}

// The rows after 83 for the look flags: which nested records, which ints.
TEST_F(ObjectRecordTest, LookRecordsFollowTheirConditions) {
  struct Case {
    const char* name;
    std::function<void(CDrawObject&)> setup;
    int nested;
    std::vector<std::int32_t> tail;  // marker (when written), row 88, row 89, end mark
  };
  const std::vector<Case> cases = {
      {"highlighted only, no copies yet", [](CDrawObject& o) { o.SetStates(0, true, false, false); },
       1, {0, 0, 0, -1}},
      {"highlighted shown: a normal copy exists",
       [](CDrawObject& o) {
         o.SetStates(1, true, false, false);
         o.SetExcludeFromButtons(1);
       },
       2, {1, 1, 1, -1}},
      {"both looks", [](CDrawObject& o) { o.SetStates(0, true, true, false); }, 2, {0, 0, 0, -1}},
      {"suppressed looks: row 88 but no marker",
       [](CDrawObject& o) {
         o.SetStates(0, true, true, true);
         o.SetExcludeFromButtons(1);
       },
       0, {1, 0, -1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto rect = Rectangle(0, 0, 30, 20);
    c.setup(*rect);
    const Bytes bytes = Store(*rect);
    const Walk w = Walker(bytes).Record(0);
    ASSERT_EQ(w.end, bytes.size());
    EXPECT_EQ(static_cast<int>(w.nested.size()), c.nested);
    EXPECT_EQ(w.tail, c.tail);
  }
}

TEST_F(ObjectRecordTest, HighlightedOnlyRecordOrder) {
  auto rect = Rectangle(0, 0, 30, 20);
  rect->SetStates(1, true, false, false);  // the normal look goes to its copy
  rect->SetFillColor(0x00112233);          // the highlighted look, shown
  rect->StoreShownState();
  const Bytes bytes = Store(*rect);
  const Walk w = Walker(bytes).Record(0);
  ASSERT_EQ(w.nested.size(), 2u);
  CDrawObject* highlighted = const_cast<CDrawObject*>(rect->HighlightedLook());
  CDrawObject* normal = const_cast<CDrawObject*>(rect->NormalLook());
  ASSERT_TRUE(highlighted && normal);
  EXPECT_EQ(Slice(bytes, w.nested[0]), Store(*highlighted)) << "highlighted record first";
  EXPECT_EQ(Slice(bytes, w.nested[1]), Store(*normal)) << "then the marker and the normal record";
  EXPECT_EQ(w.nested[1].first, w.nested[0].second + 4);
  EXPECT_EQ(w.tail, (std::vector<std::int32_t>{1, 0, 1, -1}));
}

TEST_F(ObjectRecordTest, MissingLookCopyIsWrittenAsTheCurrentAttributes) {
  auto rect = Rectangle(0, 0, 30, 20);
  rect->SetFillColor(0x00445566);
  rect->SetStates(0, false, true, false);  // pushed promised, no copy made
  ASSERT_EQ(rect->PushedLook(), nullptr);
  const Bytes bytes = Store(*rect);
  const Walk w = Walker(bytes).Record(0);
  ASSERT_EQ(w.nested.size(), 1u);
  CDrawObject plain(host);
  plain.CopyAttributes(*rect);
  EXPECT_EQ(Slice(bytes, w.nested[0]), Store(plain));
  EXPECT_EQ(Store(*rect), bytes) << "writing made no copy";
}

// ---- reading

TEST_F(ObjectRecordTest, FaceNamesOf32CharactersOrMoreAreIgnored) {
  CDrawObject writer(host);
  const Bytes bytes = Store(writer);
  const std::size_t at = Walker(bytes).Record(0).row75;
  MemorySettings settings;
  settings.SetString("Font", "Name", "Verdana");
  for (const std::size_t length : {0u, 1u, 31u, 32u, 33u, 200u}) {
    const std::string face(length, 'F');
    Bytes patched(bytes.begin(), bytes.begin() + static_cast<long>(at));
    patched.push_back(static_cast<std::uint8_t>(face.size()));
    patched.insert(patched.end(), face.begin(), face.end());
    patched.insert(patched.end(), bytes.begin() + static_cast<long>(at) + 1 + bytes[at], bytes.end());
    CDrawObject reader(host, &settings);
    Load(reader, patched, true);
    EXPECT_EQ(FaceName(reader.GetFont()), length < 32 ? face : "Verdana") << length;
  }
}

TEST_F(ObjectRecordTest, ReadingRendersOnceAndShowsTheNormalLook) {
  auto rect = Rectangle(5, 5, 40, 30);
  rect->SetStates(2, false, true, false);  // pushed shown
  rect->SetFillColor(0x0000FF00);
  rect->StoreShownState();
  const Bytes bytes = Store(*rect);

  host.Clear();
  CDrawObject read(host);
  Load(read, bytes);
  // The object after row 80, its pushed and normal copies, and the normal look again.
  EXPECT_EQ(Renders(host), 4);
  EXPECT_EQ(read.GetCurrentState(), 0);
  EXPECT_EQ(read.GetFillColor(), 0x000000FFu) << "the normal look's colour";
  EXPECT_EQ(read.Image().Row(15)[20 * 4 + 2], 0xFF) << "rendered red";
  ASSERT_NE(read.PushedLook(), nullptr);
  EXPECT_EQ(read.PushedLook()->GetFillColor(), 0x0000FF00u);
  EXPECT_FALSE(read.PushedLook()->Image().IsEmpty()) << "look copies are rendered";

  host.Clear();
  CDrawObject quiet(host);
  Load(quiet, bytes, true);
  EXPECT_EQ(Renders(host), 2) << "only the look copies render";
  EXPECT_TRUE(quiet.Image().IsEmpty());
  EXPECT_EQ(quiet.GetCurrentState(), 2) << "the stored look stays shown";
}

TEST_F(ObjectRecordTest, OversizedStoredBoxIsClampedOnLoad) {
  CDrawObject big(host);
  big.SetWidth(2000);
  big.SetHeight(800);
  const Bytes bytes = Store(big);
  host.Clear();
  CDrawObject read(host);
  Load(read, bytes);
  EXPECT_EQ(read.GetWidth(), 1700);
  EXPECT_EQ(read.GetHeight(), 800);
  EXPECT_EQ(host.Messages(),
            std::vector<std::string>{
                "Image is too big for the memory, I will just resize it to max 1700 x 1500"});
}

// ---- round trips of every kind with every attribute changed

void ChangeEveryAttribute(CDrawObject& o) {
  o.SetTextureRelief(1);
  o.SetTextureReliefDepth(130);
  o.SetTextureTwoColor(1);
  o.SetTextureScreen(1);
  o.SetHidden(1);
  o.SetGrouped(1);
  o.SetTextureTransparent(1);
  o.SetTransparencyCut(0);
  o.SetFillColor(0x00204060);
  o.SetFillColor2(0x00806040);
  o.SetEffectColor(0x00102030);
  o.SetTextureName("Marble.bmp");
  o.SetTextureScaleX(1.5);
  o.SetTextureScaleY(0.75);
  o.SetTextureAngleX(12.5);
  o.SetTextureAngleY(-7.25);
  o.SetTextureOffsetX(3);
  o.SetTextureOffsetY(-4);
  o.SetTransparencyName("Linear.tmb");
  o.SetLightX(0.5);
  o.SetLightY(-0.5);
  o.SetLightZ(0.70710678);
  o.SetSourceWidth(7);
  o.SetSourceHeight(9);
  o.SetBevelAngle(60);
  o.SetBevelIntensity(90);
  o.SetBevelKind(1);
  o.SetBevelWidth(6);
  o.SetBitmapAngle(15);
  o.SetGeneSeed(3);
  o.SetGeneParam1(11);
  o.SetGeneParam2(22);
  o.SetGeneParam3(33);
  o.SetEffectKind(1);
  o.SetEffectAngle(30);
  o.SetEffectOpacity(150);
  o.SetEffectDistance(5);
  o.SetEffectMargin(12);
  o.SetEffectSoftness(4);
  o.SetGradientAngle(77);
  o.SetPendingRect(1, 2, 3, 4);
  o.SetLineWidth(4);
  o.SetTextureStrength(128);
  o.SetTransparencyAngle(21);
  o.SetTransparency(90);
  o.SetTextBold(1);
  o.SetTextItalic(1);
  o.SetTextAlign(2);
  o.SetTextReserved(1);
  o.SetLineHeight(o.GetLineHeight() + 1.5);
  if (!o.IsText()) o.SetText("note");
  LOGFONT font = o.GetFont();
  font.lfHeight = 31;
  font.lfWidth = 3;
  font.lfWeight = 700;
  font.lfItalic = 1;
  font.lfUnderline = 1;
  font.lfStrikeOut = 1;
  font.lfCharSet = 2;
  font.lfOutPrecision = 3;
  font.lfClipPrecision = 4;
  font.lfQuality = 5;
  font.lfEscapement = 10;
  font.lfOrientation = 20;
  o.SetFont(font);
  o.SetEdgeQuality(2);  // renders
}

class ObjectKindRoundTrip : public test::FontTest {
 protected:
  RecordingHost host;
};

TEST_F(ObjectKindRoundTrip, WriteReadWriteGivesTheSameBytesAndPixels) {
  struct Kind {
    const char* name;
    std::function<void(CDrawObject&)> make;
  };
  const std::vector<Kind> kinds = {
      {"rectangle", [](CDrawObject& o) { o.CreateRectangle(10, 20, 70, 60); }},
      {"circle", [](CDrawObject& o) { o.CreateCircle(0, 0, 50, 40); }},
      {"round-rect", [](CDrawObject& o) { o.CreateRoundRect(0, 0, 60, 40, 300); }},
      {"star", [](CDrawObject& o) { o.CreateStar(0, 0, 60, 60, 6, 2); }},
      {"path", [](CDrawObject& o) { o.CreatePath({{0, 0}, {0, 30}, {30, 0}, {50, 40}, {0, 0}}, false); }},
      {"free path",
       [](CDrawObject& o) {
         o.CreateFreePath({{0, 0}, {30, 0}, {50, 30}, {30, 50}, {0, 30}, {15, 15}, {40, 40}}, true);
       }},
      {"arrow", [](CDrawObject& o) { o.CreateArrow({10, 10}, {60, 40}, {60, 60}); }},
      {"polynome",
       [](CDrawObject& o) {
         o.CreateStar(0, 0, 60, 60, 5, 3);
         o.ConvertToPolynome();
       }},
      {"text",
       [](CDrawObject& o) {
         ScriptedTextDialog dialog;
         dialog.Ok([](TextDialogValues& v) {
           v.text = "Ab\ncd";
           v.size = 18;
           SetFaceName(v.font, "Liberation Sans");
         });
         ASSERT_EQ(o.CreateText(5, 5, "", dialog), 1);
       }},
      {"envelope",
       [](CDrawObject& o) {
         o.CreateStar(0, 0, 60, 60, 5, 3);
         o.ConvertToPolynome();
         o.ConvertPolynomeToEnvelope(true);
       }},
  };
  for (const Kind& kind : kinds) {
    SCOPED_TRACE(kind.name);
    CDrawObject original(host);
    kind.make(original);
    ASSERT_NE(original.GetKind(), kKindNone);
    ChangeEveryAttribute(original);
    original.MoveTo(-7, 13);
    const Bytes first = Store(original);

    CDrawObject read(host);
    Load(read, first);
    const Bytes second = Store(read);
    EXPECT_TRUE(second == first) << FirstDifference(second, first);
    EXPECT_TRUE(SamePixels(read.Image(), original.Image()));
    EXPECT_TRUE(SamePixels(read.EffectLayer(), original.EffectLayer()));
    EXPECT_FALSE(read.Image().IsEmpty());
    EXPECT_EQ(read.GetFont().lfQuality, 5);
  }
}

TEST_F(ObjectRecordTest, RoundTripKeepsLooksAndTheSourceBitmap) {
  auto rect = Rectangle(0, 0, 40, 30);
  ChangeEveryAttribute(*rect);
  rect->SourceBitmap().Create(3, 2, 32, true);
  rect->SourceBitmap().Pixels()[5] = 77;
  rect->SetStates(1, true, true, false);
  rect->SetFillColor(0x00ABCDEF);
  rect->SetStates(2, true, true, false);
  rect->SetBevelKind(3);
  rect->SetStates(0, true, true, false);
  rect->SetExcludeFromButtons(1);
  const Bytes first = Store(*rect);
  CDrawObject read(host);
  Load(read, first);
  const Bytes second = Store(read);
  EXPECT_TRUE(second == first) << FirstDifference(second, first);
  EXPECT_EQ(read.SourceBitmap().Pixels()[5], 77);
  ASSERT_NE(read.HighlightedLook(), nullptr);
  EXPECT_EQ(read.HighlightedLook()->GetFillColor(), 0x00ABCDEFu);
  EXPECT_EQ(read.PushedLook()->GetBevelKind(), 3);
  EXPECT_EQ(read.GetExcludeFromButtons(), 1);
  EXPECT_TRUE(SamePixels(read.Image(), rect->Image()));
}

// ---- damaged records

// A complete record with a few extra fields worth cutting into: looks, a bitmap, a text.
Bytes RichRecord(Host& host) {
  CDrawObject o(host);
  o.CreateRectangle(0, 0, 24, 16);
  o.SetEffectKind(3);
  o.SetBevelKind(2);
  o.SetText("hi");
  o.SourceBitmap().Create(2, 2, 32, true);
  o.SetStates(1, true, true, false);
  o.SetStates(0, true, true, false);
  return Store(o);
}

TEST_F(ObjectRecordTest, EveryTruncationThrowsAndLeavesTheObjectAsItWas) {
  const Bytes whole = RichRecord(host);
  auto target = Rectangle(3, 4, 40, 30);  // a size the record does not hold
  const Bytes before = Store(*target);
  const int width = target->GetWidth();
  for (std::size_t cut = 0; cut < whole.size(); ++cut) {
    const Bytes part(whole.begin(), whole.begin() + static_cast<long>(cut));
    EXPECT_THROW(Load(*target, part), ArchiveError) << "cut at " << cut;
  }
  EXPECT_EQ(Store(*target), before);
  EXPECT_EQ(target->GetWidth(), width);
  EXPECT_EQ(target->Image().Width(), width) << "the rendered image kept too";
}

// A record of a default object whose rows 81.. are replaced by `tail`.
Bytes WithTail(const Bytes& plain, const Bytes& tail) {
  const std::size_t row81 = Walker(plain).Record(0).row81;
  Bytes b(plain.begin(), plain.begin() + static_cast<long>(row81));
  b.insert(b.end(), tail.begin(), tail.end());
  return b;
}

// A record with `depth` levels of highlighted looks inside each other.
Bytes NestedLooks(const Bytes& plain, int depth) {
  if (depth == 0) return plain;
  Expected tail;
  tail.Int(1).Int(0).Int(0);
  const Bytes inner = NestedLooks(plain, depth - 1);
  tail.Raw(inner.data(), inner.size());
  tail.Int(0).Int(0).Int(0).Int(-1);  // marker, row 88, row 89, end
  return WithTail(plain, tail.b);
}

// Offset of `row` (1 to 80) in the record of an object whose outlines have no nodes and
// which has no bitmap.
std::size_t RowOffset(const Bytes& b, int row) {
  std::size_t at = 0;
  for (const Row& r : DefaultRows()) {
    if (r.number == row) break;
    switch (r.field) {
      case Field::Str: at += 1 + b[at]; break;
      case Field::Int: at += 4; break;
      case Field::Dbl: at += 8; break;
      case Field::Byte: at += 1; break;
      case Field::Bezier: at += 4 * 4; break;
      case Field::Polynome: at += 4 + 16 * 8 + 4 * 4; break;
      case Field::Bitmap: at += 4; break;
    }
  }
  return at;
}

template <typename T>
Bytes Patch(const Bytes& plain, int row, T v) {
  Bytes b = plain;
  std::memcpy(b.data() + RowOffset(plain, row), &v, sizeof v);
  return b;
}

TEST_F(ObjectRecordTest, RefusesValuesThatWouldBreakRendering) {
  CDrawObject plain_object(host);
  const Bytes plain = Store(plain_object);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* name;
    Bytes bytes;
    bool accepted;
  };
  const std::vector<Case> cases = {
      {"margin 0", Patch<std::int32_t>(plain, 39, 0), true},
      {"margin 500", Patch<std::int32_t>(plain, 39, 500), true},
      {"negative margin", Patch<std::int32_t>(plain, 39, -1), false},
      {"huge margin", Patch<std::int32_t>(plain, 39, 20000), false},
      {"negative bevel width", Patch<std::int32_t>(plain, 32, -2000000000), false},
      {"opacity 255", Patch<std::int32_t>(plain, 37, 255), true},
      {"opacity beyond 255", Patch<std::int32_t>(plain, 37, 13238472), false},
      {"bevel width 30", Patch<std::int32_t>(plain, 32, 30), true},
      {"far position", Patch<std::int32_t>(plain, 47, 2147483000), false},
      {"far shadow", Patch<std::int32_t>(plain, 38, -2147483000), false},
      {"unknown shown look", WithTail(plain, Expected().Int(0).Int(0).Int(0).Int(3).Int(-1).b), false},
      {"shown look 2", WithTail(plain, Expected().Int(0).Int(0).Int(0).Int(2).Int(-1).b), true},
      {"not-a-number light", Patch<double>(plain, 20, nan), false},
      {"infinite line height", Patch<double>(plain, 79, INFINITY), false},
      {"looks two deep", NestedLooks(plain, 2), true},
      {"looks three deep", NestedLooks(plain, 3), false},
      {"any end mark", WithTail(plain, Expected().Int(0).Int(0).Int(0).Int(0).Int(12345).b), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto target = Rectangle(3, 4, 20, 10);
    const Bytes before = Store(*target);
    if (c.accepted) {
      EXPECT_NO_THROW(Load(*target, c.bytes));
    } else {
      EXPECT_THROW(Load(*target, c.bytes), ArchiveError);
      EXPECT_EQ(Store(*target), before);
    }
  }
}

TEST_F(ObjectRecordTest, CorruptedBitmapShowsItsMessageAndChangesNothing) {
  CDrawObject o(host);
  o.SourceBitmap().Create(2, 2, 32, true);
  Bytes bytes = Store(o);
  // The byte count of row 12 follows the empty flag, the width and the height.
  const std::int32_t wrong = 15;
  std::memcpy(bytes.data() + RowOffset(bytes, 12) + 12, &wrong, 4);
  auto target = Rectangle(0, 0, 10, 10);
  const Bytes before = Store(*target);
  host.Clear();
  EXPECT_THROW(Load(*target, bytes), ArchiveError);
  EXPECT_EQ(host.Messages(), std::vector<std::string>{"Corupted Data!"});
  EXPECT_EQ(Store(*target), before);
}

}  // namespace
}  // namespace lumi
