#include "objects/text_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "font_fixture.h"
#include "text_reference.h"

namespace lumi {
namespace {

using test::Engine;
using test::FontTest;

struct Bounds {
  double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
};

Bounds BoundsOf(const PathPoints& path) {
  Bounds b;
  for (const PathPoint& p : path) {
    b.left = std::min(b.left, p.x);
    b.right = std::max(b.right, p.x);
    b.top = std::min(b.top, p.y);
    b.bottom = std::max(b.bottom, p.y);
  }
  return b;
}

int FigureCount(const PathPoints& path) {
  return static_cast<int>(std::count_if(path.begin(), path.end(), [](const PathPoint& p) {
    return p.type == PathPoint::kMoveTo;
  }));
}

// Every figure starts with a move-to, Bezier-to points come in threes, and the last
// point of each figure carries the close flag and returns to the figure's start.
void ExpectWellFormedFigures(const PathPoints& path) {
  std::size_t i = 0;
  while (i < path.size()) {
    ASSERT_EQ(path[i].type, PathPoint::kMoveTo) << "point " << i;
    const std::size_t start = i++;
    bool closed = false;
    while (!closed) {
      ASSERT_LT(i, path.size()) << "figure from point " << start << " is not closed";
      const int kind = path[i].type & ~PathPoint::kCloseFigure;
      if (kind == PathPoint::kLineTo) {
        closed = path[i].type & PathPoint::kCloseFigure;
        ++i;
      } else {
        ASSERT_EQ(kind, PathPoint::kBezierTo) << "point " << i;
        ASSERT_LE(i + 3, path.size());
        ASSERT_EQ(path[i].type, PathPoint::kBezierTo);
        ASSERT_EQ(path[i + 1].type, PathPoint::kBezierTo);
        closed = path[i + 2].type & PathPoint::kCloseFigure;
        i += 3;
      }
    }
    EXPECT_NEAR(path[i - 1].x, path[start].x, 1e-9);
    EXPECT_NEAR(path[i - 1].y, path[start].y, 1e-9);
  }
}

TEST(TextLines, SplitAtLineFeeds) {
  using Lines = std::vector<std::string_view>;
  struct Case {
    std::string_view text;
    Lines lines;
    int count;
  } cases[] = {
      {"", {}, 1},
      {"Hello", {"Hello"}, 1},
      {"Hello\nHi", {"Hello", "Hi"}, 2},
      {"Hello\r\nHi", {"Hello", "Hi"}, 2},
      {"Hello\n", {"Hello", ""}, 2},
      {"\n\n", {"", "", ""}, 3},
      {"a\rb", {"a\rb"}, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SplitTextLines(c.text), c.lines) << c.text;
    EXPECT_EQ(TextLineCount(c.text), c.count) << c.text;
  }
}

TEST(TextLines, DescenderCharacters) {
  EXPECT_FALSE(HasDescenderCharacters("Hello"));
  EXPECT_FALSE(HasDescenderCharacters("HELLO WORLD!\n"));
  EXPECT_FALSE(HasDescenderCharacters(""));
  EXPECT_TRUE(HasDescenderCharacters("Happy"));
  for (char c : std::string("qyp[]g;,|"))
    EXPECT_TRUE(HasDescenderCharacters(std::string("AB") + c + "CD")) << c;
  EXPECT_FALSE(HasDescenderCharacters("j"));  // not in the program's list
}

// "Hello" in Arial's advance widths (H 1479, e 1139, l 455, o 1139 of 2048 units) is
// 4667 units; the cell at height 500 is 2288 units, so the text is 1020 pixels wide.
TEST_F(FontTest, ExtentIsWidestLineByLineCountTimesCellHeight) {
  FontFace& face = Sans();
  EXPECT_EQ(MeasureText(face, "Hello", 500), (TextExtentSize{1020, 500}));
  EXPECT_EQ(MeasureText(face, "Hello\nHello", 500), (TextExtentSize{1020, 1000}));
  EXPECT_EQ(MeasureText(face, "Hi\nHello\nHi", 500), (TextExtentSize{1020, 1500}));
  EXPECT_EQ(MeasureText(face, "Hello\r\nHi", 500), MeasureText(face, "Hello\nHi", 500));
  EXPECT_EQ(MeasureText(face, "Hello", 20).height, 20);
  EXPECT_EQ(MeasureText(face, "Hello", 20).width, 41);  // 4667 * 20 / 2288 = 40.8
  EXPECT_EQ(MeasureText(face, "", 80), (TextExtentSize{0, 0}));
  EXPECT_EQ(MeasureText(face, "Hello\n", 80).height, 160);
}

TEST_F(FontTest, ControlCharactersAreNotDrawn) {
  const PathPoints plain = BuildTextPath(Sans(), "ab", 500, kTextAlignLeft);
  for (const char* text : {"a\rb", "a\tb", "\ra\x01" "b\x1f"}) {
    EXPECT_EQ(MeasureText(Sans(), text, 500), MeasureText(Sans(), "ab", 500)) << text;
    EXPECT_EQ(BuildTextPath(Sans(), text, 500, kTextAlignLeft), plain) << text;
  }
}

TEST_F(FontTest, TextsBeyondIntPixelsAreRefused) {
  const std::string manyLines(600000, '\n');  // 600001 lines of 3999 pixels
  EXPECT_THROW(MeasureText(Sans(), manyLines, 3999), FontError);
  EXPECT_THROW(BuildTextPath(Sans(), manyLines, 3999, kTextAlignLeft), FontError);
  EXPECT_EQ(MeasureText(Sans(), manyLines, 1).height, 600001);
}

TEST_F(FontTest, KerningNarrowsPairs) {
  FontFace& face = Sans();
  const int a = MeasureText(face, "A", 500).width;
  const int v = MeasureText(face, "V", 500).width;
  const int av = MeasureText(face, "AV", 500).width;
  ASSERT_EQ(a, 299);
  ASSERT_EQ(v, 299);
  EXPECT_LT(av, a + v - 20);
  EXPECT_EQ(MeasureText(face, "HH", 500).width, 2 * MeasureText(face, "H", 500).width);
}

TEST_F(FontTest, EmptyOrBlankTextHasNoOutline) {
  EXPECT_TRUE(BuildTextPath(Sans(), "", 500, kTextAlignLeft).empty());
  EXPECT_TRUE(BuildTextPath(Sans(), "  \n ", 500, kTextAlignCentre).empty());
  EXPECT_GT(MeasureText(Sans(), "  ", 500).width, 0);
}

TEST_F(FontTest, LetterOIsTwoClosedFigures) {
  const PathPoints path = BuildTextPath(Sans(), "O", 500, kTextAlignLeft);
  EXPECT_EQ(FigureCount(path), 2);
  ExpectWellFormedFigures(path);
  // Its quadratic outline arrives as Bezier-to triples.
  EXPECT_TRUE(std::any_of(path.begin(), path.end(),
                          [](const PathPoint& p) { return p.type == PathPoint::kBezierTo; }));
}

TEST_F(FontTest, GlyphsHangFromTheCellTopWithYDown) {
  FontFace& face = Sans();
  const int ascent = face.Metrics(500).ascent;
  const Bounds t = BoundsOf(BuildTextPath(face, "T", 500, kTextAlignLeft));
  EXPECT_DOUBLE_EQ(t.bottom, ascent);  // standing on the base line
  EXPECT_GT(t.top, 0);
  EXPECT_LT(t.top, ascent / 2);
  const Bounds p = BoundsOf(BuildTextPath(face, "p", 500, kTextAlignLeft));
  EXPECT_GT(p.bottom, ascent + 50);  // the descender
  EXPECT_LE(p.bottom, 500);
  const Bounds second = BoundsOf(BuildTextPath(face, "\nT", 500, kTextAlignLeft));
  EXPECT_DOUBLE_EQ(second.bottom, 500 + ascent);
}

// The short second line is placed inside the rectangle of the long first one: centred
// it starts (W - w) / 2 to the right, right-aligned W - w, one cell height lower.
TEST_F(FontTest, AlignmentPlacesShortLinesInsideTheTextRectangle) {
  FontFace& face = Sans();
  const int wide = MeasureText(face, "Hello", 500).width;
  const int narrow = MeasureText(face, "Hi", 500).width;
  const PathPoints first = BuildTextPath(face, "Hello", 500, kTextAlignLeft);
  const PathPoints alone = BuildTextPath(face, "Hi", 500, kTextAlignLeft);
  const struct {
    int alignment;
    int shift;
  } cases[] = {{kTextAlignLeft, 0}, {kTextAlignCentre, (wide - narrow) / 2},
               {kTextAlignRight, wide - narrow}, {7, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.alignment);
    const PathPoints both = BuildTextPath(face, "Hello\nHi", 500, c.alignment);
    ASSERT_EQ(both.size(), first.size() + alone.size());
    for (std::size_t i = 0; i < first.size(); ++i) EXPECT_EQ(both[i], first[i]);
    for (std::size_t i = 0; i < alone.size(); ++i) {
      const PathPoint& p = both[first.size() + i];
      EXPECT_EQ(p.type, alone[i].type);
      EXPECT_NEAR(p.x, alone[i].x + c.shift, 1e-9);
      EXPECT_NEAR(p.y, alone[i].y + 500, 1e-9);
    }
  }
  EXPECT_EQ((wide - narrow) / 2, 298);
}

// Layout with cached faces and outlines against the plain version on random texts.
TEST_F(FontTest, MatchesThePlainLayoutOnRandomTexts) {
  const std::string alphabet =
      "AVTWaoyjfiqp[]g;,|.!? 0123456789\n\n\r\xC3\xA9\xC3\xBC\xE2\x82\xAC";
  std::mt19937 rng(8);
  const char* families[] = {"Liberation Sans", "Liberation Serif", "DejaVu Sans", "Arial"};
  for (int round = 0; round < 60; ++round) {
    std::string text;
    const int length = static_cast<int>(rng() % 40);
    for (int i = 0; i < length; ++i) text += alphabet[rng() % alphabet.size()];
    const FontRequest request{families[rng() % 4], rng() % 2 == 0, rng() % 3 == 0};
    const int height = 1 + static_cast<int>(rng() % 600);
    const int alignment = static_cast<int>(rng() % 3);
    FontFace& face = Engine().Face(request);
    SCOPED_TRACE(testing::Message() << request.family << " height " << height << " align "
                                    << alignment << " text '" << text << "'");
    EXPECT_EQ(MeasureText(face, text, height),
              reference::MeasureText(face.Match(), text, height));
    EXPECT_EQ(BuildTextPath(face, text, height, alignment),
              reference::BuildTextPath(face.Match(), text, height, alignment));
  }
}

}  // namespace
}  // namespace lumi
