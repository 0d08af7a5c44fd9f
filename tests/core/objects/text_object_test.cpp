// Text objects: the outline taken from a laid-out text, creating and editing through the
// text dialog (descender room, kept stretch, size limits, missing fonts), flips and
// conversion, and how text renders.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "base/host.h"
#include "font_fixture.h"
#include "objects/draw_object.h"
#include "objects/text_dialog.h"
#include "objects/text_layout.h"
#include "render/outline_paths.h"
#include "render/rasterizer.h"
#include "render/supersampling.h"

namespace lumi {
namespace {

const char kSans[] = "Liberation Sans";
const char kTooBig[] =
    "Please, please put the font size smaller!\nI don't think your PC have enough memory nor "
    "I have enough patience to calculate it.";
const char kTooSmall[] = "Please put size bigger than 1";

// A dialog step that types `text` at `size` in Liberation Sans.
ScriptedTextDialog::Edit Type(std::string text, double size, int alignment = 0) {
  return [=](TextDialogValues& v) {
    v.text = text;
    v.size = size;
    v.alignment = alignment;
    SetFaceName(v.font, kSans);
  };
}

class TextObjectTest : public test::FontTest {
 protected:
  RecordingHost host;
  std::unique_ptr<CDrawObject> Text(const std::string& text, double size, int alignment = 0,
                                    int x = 10, int y = 10) {
    auto object = std::make_unique<CDrawObject>(host);
    ScriptedTextDialog dialog;
    dialog.Ok(Type(text, size, alignment));
    EXPECT_EQ(object->CreateText(x, y, "", dialog), 1) << text;
    return object;
  }
  static int Descent(int size) { return Sans().Metrics(size).descent; }
  static int Width(const std::string& text, int size) {
    return MeasureText(Sans(), text, size).width;
  }
  static std::uint8_t Alpha(const CDrawObject& o, int x, int y) {
    return o.Image().Row(y)[x * 4 + 3];
  }
};

// ---- the outline of a text path

TEST(TextOutline, PointsAreScaledByTheLargestPointAndOpenFiguresClosed) {
  using P = PathPoint;
  struct Case {
    const char* name;
    PathPoints path;
    PointD largest;
    std::vector<CPolynomeNode> nodes;
  } cases[] = {
      {"closed figures stay as they are",
       {{0, 0, P::kMoveTo}, {40, 0, P::kLineTo}, {0, 20, P::kLineTo}, {0, 0, P::kLineTo | 1}},
       {40, 20},
       {{0, 0, 6}, {1000, 0, 2}, {0, 1000, 2}, {0, 0, 3}}},
      {"a figure ending elsewhere gets a line-to back, before the next and at the end",
       {{10, 0, P::kMoveTo}, {20, 10, P::kLineTo | 1},
        {0, 10, P::kMoveTo}, {10, 20, P::kBezierTo}, {20, 20, P::kBezierTo}, {20, 10, P::kBezierTo | 1}},
       {20, 20},
       {{500, 0, 6}, {1000, 500, 3}, {500, 0, 2},
        {0, 500, 6}, {500, 1000, 4}, {1000, 1000, 4}, {1000, 500, 5}, {0, 500, 2}}},
      {"only the x of the last point is compared",
       {{5, 0, P::kMoveTo}, {10, 10, P::kLineTo}, {5, 8, P::kLineTo | 1}},
       {10, 10},
       {{500, 0, 6}, {1000, 1000, 2}, {500, 800, 3}}},
      {"nothing right of or below the origin has no outline",
       {{-5, -5, P::kMoveTo}, {0, -1, P::kLineTo}, {-3, 0, P::kLineTo | 1}},
       {0, 0},
       {}},
      {"an empty path", {}, {0, 0}, {}},
  };
  for (const Case& c : cases) {
    CPolynome polynome;
    polynome.FromBezier({{0, 0}, {5, 5}, {9, 9}}, 0, 0, 10, 10);  // emptied first
    const PointD largest = polynome.FromTextPath(c.path);
    EXPECT_EQ(largest, c.largest) << c.name;
    ASSERT_EQ(polynome.Count(), static_cast<int>(c.nodes.size())) << c.name;
    for (std::size_t i = 0; i < c.nodes.size(); ++i) {
      EXPECT_DOUBLE_EQ(polynome.Nodes()[i].x, c.nodes[i].x) << c.name << " node " << i;
      EXPECT_DOUBLE_EQ(polynome.Nodes()[i].y, c.nodes[i].y) << c.name << " node " << i;
      EXPECT_EQ(polynome.Nodes()[i].type, c.nodes[i].type) << c.name << " node " << i;
    }
  }
}

// Two lines "HH" over "H" (H has equal side bearings): the second line sits at the left,
// in the middle or at the right of the text rectangle, before the outline is scaled.
TEST_F(TextObjectTest, SecondLineIsPlacedByTheAlignment) {
  for (int alignment : {kTextAlignLeft, kTextAlignCentre, kTextAlignRight}) {
    auto text = Text("HH\nH", 60, alignment);
    double left[2] = {1e9, 1e9}, right[2] = {-1e9, -1e9}, top = 1e9, bottom = -1e9;
    for (const CPolynomeNode& n : text->Polynome().Nodes()) {
      const int line = n.y > 500 ? 1 : 0;
      left[line] = std::min(left[line], n.x);
      right[line] = std::max(right[line], n.x);
      top = std::min(top, n.y);
      bottom = std::max(bottom, n.y);
    }
    // Scaled by the largest point: the ink reaches 1000 at the right and at the bottom.
    EXPECT_DOUBLE_EQ(right[0], 1000.0);
    EXPECT_DOUBLE_EQ(bottom, 1000.0);
    EXPECT_GT(top, 0.0);
    const double tolerance = 2.0;  // line origins are whole pixels at the outline height
    switch (alignment) {
      case kTextAlignLeft: EXPECT_NEAR(left[1], left[0], tolerance); break;
      case kTextAlignCentre:
        EXPECT_NEAR(left[1] + right[1], left[0] + right[0], 2 * tolerance);
        break;
      case kTextAlignRight: EXPECT_NEAR(right[1], right[0], tolerance); break;
    }
    EXPECT_GT(right[0] - left[0], 1.8 * (right[1] - left[1])) << "the second line is one H";
    EXPECT_EQ(text->GetWidth(), Width("HH", 60));
    EXPECT_EQ(text->GetHeight(), 120);
  }
}

// ---- creating and editing

TEST_F(TextObjectTest, DescenderRoomIsAddedForDescendersAndRemovedWhenTheyGo) {
  const int d = Descent(20);
  ASSERT_GT(d, 0);
  struct Case {
    const char* text;
    int height;
  } cases[] = {
      {"Hello", 20}, {"Happy", 20 + d}, {"a|b", 20 + d}, {"Hi\nyo", 40 + 2 * d}, {"Hi\nHo", 40},
  };
  for (const Case& c : cases) {
    auto text = Text(c.text, 20);
    EXPECT_EQ(text->GetKind(), kKindPolynome);
    EXPECT_EQ(text->GetKindName(), "Text");
    EXPECT_EQ(text->GetEditableText(), 1);
    EXPECT_EQ(text->GetX(), 10);
    EXPECT_EQ(text->GetWidth(), Width(c.text, 20)) << c.text;
    EXPECT_EQ(text->GetHeight(), c.height) << c.text;
    EXPECT_DOUBLE_EQ(text->GetLineHeight(), 20.0) << c.text << ": the size chosen stays";
    EXPECT_GT(text->Polynome().Count(), 0);
  }

  auto text = Text("Happy", 20);
  ScriptedTextDialog dialog;
  dialog.Ok(Type("Hello", 20)).Ok(Type("Happy", 20));
  ASSERT_EQ(text->EditText(dialog), 1);
  EXPECT_EQ(text->GetHeight(), 20) << "the descender room goes with the descenders";
  EXPECT_EQ(text->GetWidth(), Width("Hello", 20));
  ASSERT_EQ(text->EditText(dialog), 1);
  EXPECT_EQ(text->GetHeight(), 20 + d);
  EXPECT_TRUE(host.Messages().empty());
}

TEST_F(TextObjectTest, ResizingSetsTheLineHeightPerLine) {
  auto text = Text("Hello\nWorld", 30);
  text->SetSize(text->GetWidth(), 100);
  EXPECT_DOUBLE_EQ(text->GetLineHeight(), 50.0);
  EXPECT_DOUBLE_EQ(text->LineHeight(), 50.0);
  // The next extent is measured at the new line height.
  EXPECT_EQ(text->TextExtent().Height(), 100);
}

TEST_F(TextObjectTest, EditKeepsTheStretch) {
  auto text = Text("Hello", 40);
  const int w = text->GetWidth();
  text->SetSize(2 * w, text->GetHeight());
  ScriptedTextDialog dialog;
  dialog.Ok(Type("Hello World", 40));
  ASSERT_EQ(text->EditText(dialog), 1);
  const int wide = Width("Hello World", 40);
  EXPECT_GT(wide, w);
  EXPECT_EQ(text->GetWidth(), 2 * wide);
  EXPECT_EQ(text->GetHeight(), 40);
  EXPECT_EQ(text->GetText(), "Hello World");

  // A new size keeps the stretch too.
  dialog.Ok(Type("Hello World", 20));
  ASSERT_EQ(text->EditText(dialog), 1);
  EXPECT_EQ(text->GetWidth(), 2 * Width("Hello World", 20));
  EXPECT_EQ(text->GetHeight(), 20);
}

TEST_F(TextObjectTest, CancelOrAnEmptyTextCreatesNothing) {
  struct Case {
    const char* name;
    std::function<void(ScriptedTextDialog&)> script;
  } cases[] = {
      {"cancel", [](ScriptedTextDialog& d) { d.Cancel(); }},
      {"empty text", [](ScriptedTextDialog& d) { d.Ok(Type("", 20)); }},
  };
  for (const Case& c : cases) {
    CDrawObject object(host);
    ScriptedTextDialog dialog;
    c.script(dialog);
    EXPECT_EQ(object.CreateText(5, 5, "Hello", dialog), 0) << c.name;
    EXPECT_EQ(object.GetKind(), kKindNone) << c.name;
    EXPECT_EQ(object.Polynome().Count(), 0) << c.name;
    EXPECT_TRUE(object.Image().IsEmpty()) << c.name;
    ASSERT_EQ(dialog.Shown().size(), 1u);
    EXPECT_EQ(dialog.Shown()[0].text, "Hello") << "the dialog opens on the text given";
  }
}

TEST_F(TextObjectTest, SizesOutsideOneTo4000AreRefusedAndTheDialogStaysOpen) {
  struct Case {
    double size;
    const char* message;
  } cases[] = {{4000, kTooBig}, {12000, kTooBig}, {0.99, kTooSmall}, {0, kTooSmall},
               {-5, kTooSmall}, {NAN, kTooSmall}};
  for (const Case& c : cases) {
    host.Clear();
    CDrawObject object(host);
    ScriptedTextDialog dialog;
    dialog.Ok(Type("Hello", c.size)).Ok(Type("Hello", 1));
    ASSERT_EQ(object.CreateText(0, 0, "", dialog), 1) << c.size;
    EXPECT_EQ(dialog.Shown().size(), 2u) << c.size;
    const double shown = dialog.Shown()[1].size;
    EXPECT_TRUE(shown == c.size || (std::isnan(shown) && std::isnan(c.size)))
        << "reopened on the refused values, not " << shown;
    ASSERT_EQ(host.Messages().size(), 1u) << c.size;
    EXPECT_EQ(host.Messages()[0], c.message) << c.size;
    EXPECT_DOUBLE_EQ(object.GetLineHeight(), 1.0);
    EXPECT_EQ(object.GetHeight(), 1);
  }
  // Refused and then cancelled: nothing is created.
  CDrawObject object(host);
  ScriptedTextDialog dialog;
  dialog.Ok(Type("Hello", 4000)).Cancel();
  EXPECT_EQ(object.CreateText(0, 0, "", dialog), 0);
  EXPECT_EQ(object.GetKind(), kKindNone);
  EXPECT_DOUBLE_EQ(object.GetLineHeight(), 20.0);
}

TEST_F(TextObjectTest, MissingFontIsToldOnEditAndNotOnLoad) {
  auto text = Text("Hello", 30);
  const std::vector<CPolynomeNode> outline = text->Polynome().Nodes();
  // As a project written elsewhere would load it: the stored outline with a face this
  // system lacks. Sizing and rendering keep that outline and say nothing.
  LOGFONT font = text->GetFont();
  SetFaceName(font, "Lumiverdant Missing Face");
  text->SetFont(font);
  host.Clear();
  text->SetSize(text->GetWidth() + 7, text->GetHeight());
  text->Render();
  EXPECT_TRUE(host.Messages().empty());
  ASSERT_EQ(text->Polynome().Count(), static_cast<int>(outline.size()));
  for (std::size_t i = 0; i < outline.size(); ++i)
    ASSERT_EQ(text->Polynome().Nodes()[i].x, outline[i].x);

  ScriptedTextDialog dialog;
  dialog.Cancel();
  EXPECT_EQ(text->EditText(dialog), 0);
  ASSERT_EQ(host.Messages().size(), 1u);
  EXPECT_EQ(host.Messages()[0],
            "This Object was originally designed with the 'Lumiverdant Missing Face' font.\n"
            "This font doesn't exist on your system, please select other font or press Cancel.");
  ASSERT_EQ(dialog.Shown().size(), 1u);
  EXPECT_EQ(FaceName(dialog.Shown()[0].font), test::Engine().OutlineFamilies().front())
      << "the first font of the list is selected";
  EXPECT_EQ(FaceName(text->GetFont()), "Lumiverdant Missing Face") << "Cancel changes nothing";

  // Installed faces, and names fontconfig gives a metric-compatible face for, are not
  // missing.
  for (const char* face : {kSans, "DejaVu Sans", "Arial", "Times New Roman"}) {
    host.Clear();
    SetFaceName(font, face);
    text->SetFont(font);
    ScriptedTextDialog cancel;
    cancel.Cancel();
    text->EditText(cancel);
    EXPECT_TRUE(host.Messages().empty()) << face;
  }
}

TEST_F(TextObjectTest, EditMovingTheTextOutOfSightWarns) {
  auto text = Text("Hello", 20, 0, -360, 0);
  ASSERT_LT(-360 + text->GetWidth(), -300 + 100);
  ScriptedTextDialog dialog;
  dialog.Ok(Type("Hi", 20));
  host.Clear();
  ASSERT_EQ(text->EditText(dialog), 1);
  ASSERT_LT(-360 + text->GetWidth(), -300);
  ASSERT_EQ(host.Messages().size(), 1u);
  EXPECT_EQ(host.Messages()[0],
            "The text object was moved outside the drawing area\nand it may become invisible. "
            "Please Zoom out to see the whole area.");
}

TEST_F(TextObjectTest, EmptiedTextKeepsItsBox) {
  auto text = Text("Hello", 20);
  const int w = text->GetWidth(), h = text->GetHeight();
  ScriptedTextDialog dialog;
  dialog.Ok(Type("", 20));
  ASSERT_EQ(text->EditText(dialog), 1);
  EXPECT_EQ(text->GetWidth(), w);
  EXPECT_EQ(text->GetHeight(), h);
  EXPECT_EQ(text->Polynome().Count(), 0) << "the new, empty outline stays";
}

// A line height from a damaged record is measured within limits rather than overflowing.
TEST_F(TextObjectTest, DamagedLineHeightsAreMeasuredWithinLimits) {
  auto text = Text("Happy", 20);
  struct Case {
    double line_height;
    int measured_at;
  } cases[] = {{NAN, 1}, {-3.0, 1}, {0.4, 1}, {7.9, 7}, {1e300, 100000}};
  for (const Case& c : cases) {
    text->SetLineHeight(c.line_height);
    EXPECT_EQ(text->TextExtent().Height(), c.measured_at) << c.line_height;
    EXPECT_EQ(text->AdjustForDescenders(30, false), 30 + Descent(c.measured_at)) << c.line_height;
  }
}

// ---- flips, conversion and resets

TEST_F(TextObjectTest, FlipStaysEditableAndConversionBakesIt) {
  auto text = Text("Lumi", 40);
  const std::vector<CPolynomeNode> before = text->Polynome().Nodes();
  const int x = text->GetX(), w = text->GetWidth(), y = text->GetY(), h = text->GetHeight();
  ASSERT_TRUE(text->Flip(false));
  EXPECT_TRUE(text->IsText());
  EXPECT_TRUE(text->IsEnvelope());
  EXPECT_DOUBLE_EQ(text->Polynome().GetEnvelope()[0], 1.0) << "mirrored through the envelope";

  // Edited, the text stays mirrored.
  ScriptedTextDialog dialog;
  dialog.Ok(Type("Lumi", 40));
  ASSERT_EQ(text->EditText(dialog), 1);
  EXPECT_TRUE(text->IsEnvelope());
  EXPECT_DOUBLE_EQ(text->Polynome().GetEnvelope()[0], 1.0);

  ASSERT_EQ(text->ConvertTextToPolynome(), 1);
  EXPECT_FALSE(text->IsText());
  EXPECT_TRUE(text->IsPolynome());
  EXPECT_FALSE(text->IsEnvelope());
  EXPECT_EQ(text->GetText(), "");
  EXPECT_EQ(text->GetKindName(), "Text");
  // Every node now lies where the mirrored text showed it, within the per-mille steps.
  const auto& after = text->Polynome().Nodes();
  ASSERT_EQ(after.size(), before.size());
  const double px = 1.0 + w / 1000.0, py = 1.0 + h / 1000.0;
  for (std::size_t i = 0; i < before.size(); ++i) {
    const double want_x = x + w * (1000.0 - before[i].x) / 1000.0;
    const double want_y = y + h * before[i].y / 1000.0;
    const double got_x = text->GetX() + text->GetWidth() * after[i].x / 1000.0;
    const double got_y = text->GetY() + text->GetHeight() * after[i].y / 1000.0;
    ASSERT_NEAR(got_x, want_x, 2 * px) << "node " << i;
    ASSERT_NEAR(got_y, want_y, 2 * py) << "node " << i;
  }
}

TEST_F(TextObjectTest, ResetTransformationsPutsTheEnvelopeBack) {
  auto text = Text("Hello", 40);
  ASSERT_TRUE(text->Rotate(30, true));
  ASSERT_TRUE(text->IsEnvelope());
  const Rect rotated = text->GetRect();
  ASSERT_EQ(text->ResetTextTransformations(), 1);
  EXPECT_FALSE(text->IsEnvelope());
  EXPECT_EQ(text->Polynome().GetEnvelope(), CPolynome::kDefaultEnvelope);
  EXPECT_EQ(text->GetRect(), rotated) << "the box stays; the text fills it unwarped";
}

TEST_F(TextObjectTest, StyleSampleIsBoldArialAB) {
  CDrawObject sample(host);
  sample.CreateRectangle(0, 0, 30, 30);
  sample.MakeStyleSample();
  EXPECT_EQ(sample.GetKind(), kKindPolynome);
  EXPECT_EQ(sample.GetEditableText(), 1);
  EXPECT_EQ(sample.GetText(), "AB");
  EXPECT_EQ(sample.GetRect(), (Rect{0, 0, 50, 50}));
  EXPECT_EQ(FaceName(sample.GetFont()), "");
  EXPECT_EQ(sample.GetFont().lfWeight, 0);
  CPolynome bold, regular;
  bold.FromText(test::Engine().Face({"Arial", true, false}), "AB", 500, 0);
  regular.FromText(test::Engine().Face({"Arial", false, false}), "AB", 500, 0);
  ASSERT_EQ(sample.Polynome().Count(), bold.Count());
  for (int i = 0; i < bold.Count(); ++i) {
    ASSERT_DOUBLE_EQ(sample.Polynome().Nodes()[i].x, bold.Nodes()[i].x) << i;
    ASSERT_DOUBLE_EQ(sample.Polynome().Nodes()[i].y, bold.Nodes()[i].y) << i;
  }
  EXPECT_FALSE(regular.Count() == bold.Count() &&
               regular.Nodes()[1].x == bold.Nodes()[1].x);
}

// ---- rendering

TEST_F(TextObjectTest, RenderedTextHasInkOnTheGlyphsAndHolesInside) {
  auto text = Text("O", 100);
  // The ink's extent from the outline.
  double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
  for (const CPolynomeNode& n : text->Polynome().Nodes()) {
    left = std::min(left, n.x), right = std::max(right, n.x);
    top = std::min(top, n.y), bottom = std::max(bottom, n.y);
  }
  const int w = text->GetWidth(), h = text->GetHeight();
  const int x0 = static_cast<int>(w * left / 1000), x1 = static_cast<int>(w * right / 1000);
  const int mid_y = static_cast<int>(h * (top + bottom) / 2000);
  ASSERT_GT(x1 - x0, 40);
  EXPECT_EQ(Alpha(*text, 0, 0), 0) << "outside the glyph";
  EXPECT_EQ(Alpha(*text, (x0 + x1) / 2, mid_y), 0) << "the hole of the O";
  EXPECT_EQ(Alpha(*text, x0 + 3, mid_y), 255) << "the left stroke";
  EXPECT_EQ(Alpha(*text, x1 - 4, mid_y), 255) << "the right stroke";
  EXPECT_EQ(text->GetRasterOk(), 1);
}

// The supersampling factor of live text by its size: the rendered coverage is exactly
// the outline filled at the expected factor, and differs from the neighbouring ones.
TEST_F(TextObjectTest, TallTextRendersWithLowerFactors) {
  struct Case {
    const char* text;
    double size;
    int quality;
    int factor;
  } cases[] = {
      {"Hi", 150, kSuperSmooth, 3 + 5},
      {"Hi", 250, kSuperSmooth, 3 + 2},
      {"Hi", 250, kHardEdge, 1},
      {"Hi", 600, kExtreme, 2},
      {"Hi\nHo", 300, kExtreme, 4 + 2},  // 600 high, but lines of 300
  };
  for (const Case& c : cases) {
    auto text = Text(c.text, c.size);
    text->SetEdgeQuality(c.quality);
    const int w = text->GetWidth(), h = text->GetHeight();
    ASSERT_EQ(h, static_cast<int>(c.size) * TextLineCount(c.text));
    EXPECT_EQ(PolynomeSupersampling(c.quality, w, h, true, TextLineCount(c.text)), c.factor);
    auto mask_at = [&](int f) {
      std::vector<std::uint8_t> mask(std::size_t(w) * h);
      FillPathEvenOdd(PolynomeRasterPath(text->Polynome(), f * w, f * h, 0),
                      {mask.data(), w, h, f});
      return mask;
    };
    auto matches = [&](const std::vector<std::uint8_t>& mask) {
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          if (Alpha(*text, x, y) != mask[std::size_t(y) * w + x]) return false;
      return true;
    };
    EXPECT_TRUE(matches(mask_at(c.factor))) << c.text << " at " << c.size;
    EXPECT_FALSE(matches(mask_at(c.factor + 1))) << c.text << " at " << c.size;
    if (c.factor > 1) {
      EXPECT_FALSE(matches(mask_at(c.factor - 1))) << c.text << " at " << c.size;
    }
  }
}

}  // namespace
}  // namespace lumi
