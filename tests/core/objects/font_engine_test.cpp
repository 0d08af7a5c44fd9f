#include "objects/font_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <strings.h>

#include "font_fixture.h"

namespace lumi {
namespace {

using test::Engine;
using test::FontTest;

std::string FileName(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

// The horizontal extent of an outline, in font units.
std::pair<double, double> XRange(const PathPoints& points) {
  double lo = 1e9, hi = -1e9;
  for (const PathPoint& p : points) {
    lo = std::min(lo, p.x);
    hi = std::max(hi, p.x);
  }
  return {lo, hi};
}

struct MatchCase {
  const char* family;
  bool bold;
  bool italic;
  const char* file;
  const char* foundFamily;
};

// Real faces are chosen when the family has them; the Windows core names find their
// metric-compatible stand-ins through fontconfig's aliases.
TEST_F(FontTest, ResolvesFamiliesToFaces) {
  const MatchCase cases[] = {
      {"Liberation Sans", false, false, "LiberationSans-Regular.ttf", "Liberation Sans"},
      {"Liberation Sans", true, false, "LiberationSans-Bold.ttf", "Liberation Sans"},
      {"Liberation Sans", false, true, "LiberationSans-Italic.ttf", "Liberation Sans"},
      {"Liberation Sans", true, true, "LiberationSans-BoldItalic.ttf", "Liberation Sans"},
      {"liberation serif", false, false, "LiberationSerif-Regular.ttf", "Liberation Serif"},
      {"Arial", false, false, "LiberationSans-Regular.ttf", "Liberation Sans"},
      {"Arial", true, false, "LiberationSans-Bold.ttf", "Liberation Sans"},
      {"Times New Roman", false, true, "LiberationSerif-Italic.ttf", "Liberation Serif"},
      {"Courier New", false, false, "LiberationMono-Regular.ttf", "Liberation Mono"},
  };
  for (const MatchCase& c : cases) {
    SCOPED_TRACE(c.family);
    const FaceMatch m = Engine().Match({c.family, c.bold, c.italic});
    EXPECT_EQ(m.requested_family, c.family);
    EXPECT_FALSE(m.synthetic_bold);
    EXPECT_FALSE(m.synthetic_italic);
    // A machine that has the Windows fonts themselves uses them; the aliases only
    // matter when they are missing.
    if (Engine().IsFamilyInstalled(c.family)) {
      EXPECT_TRUE(m.family_installed);
      EXPECT_EQ(strcasecmp(m.family.c_str(), c.family), 0) << m.family;
      continue;
    }
    EXPECT_FALSE(m.family_installed);
    EXPECT_EQ(FileName(m.file), c.file);
    EXPECT_EQ(m.family, c.foundFamily);
  }
}

TEST_F(FontTest, ExactFamilyIsReportedInTheRequestedSpelling) {
  const FaceMatch m = Engine().Match({"LIBERATION SANS", false, false});
  EXPECT_TRUE(m.family_installed);
  EXPECT_EQ(m.family, "Liberation Sans");
}

TEST_F(FontTest, UnknownFamilyIsReportedMissingButStillGivesAFace) {
  const FaceMatch m = Engine().Match({"Qwxyz Nonexistent Grotesk", true, false});
  EXPECT_FALSE(m.family_installed);
  EXPECT_FALSE(Engine().IsFamilyInstalled("Qwxyz Nonexistent Grotesk"));
  EXPECT_FALSE(m.file.empty());
  EXPECT_NO_THROW(Engine().Face({"Qwxyz Nonexistent Grotesk", true, false}));
}

// DejaVu Sans comes with bold but its oblique face is optional: when it is missing, the
// regular face is slanted instead.
TEST_F(FontTest, SynthesisesOnlyWhatTheFamilyLacks) {
  const FaceMatch italic = Engine().Match({"DejaVu Sans", false, true});
  const bool realSlant = italic.style.find("Oblique") != std::string::npos ||
                         italic.style.find("Italic") != std::string::npos;
  EXPECT_EQ(italic.synthetic_italic, !realSlant) << italic.style;
  EXPECT_FALSE(italic.synthetic_bold);
  const FaceMatch bold = Engine().Match({"DejaVu Sans", true, false});
  EXPECT_FALSE(bold.synthetic_bold);
  EXPECT_EQ(FileName(bold.file), "DejaVuSans-Bold.ttf");
}

TEST_F(FontTest, SyntheticBoldWidensGlyphsAndAdvances) {
  FaceMatch regular = Engine().Match({"Liberation Sans", false, false});
  FaceMatch drawnBold = regular;
  drawnBold.synthetic_bold = true;
  FontFace plain(regular), bold(drawnBold);
  const unsigned l = plain.ShapeLine("l")[0].glyph;
  const int strength = plain.UnitsPerEm() / 24;
  const auto [plainLo, plainHi] = XRange(plain.LoadGlyphOutline(l));
  const auto [boldLo, boldHi] = XRange(bold.LoadGlyphOutline(l));
  EXPECT_NEAR((boldHi - boldLo) - (plainHi - plainLo), strength, 2);
  EXPECT_EQ(bold.ShapeLine("l")[0].x_advance, plain.ShapeLine("l")[0].x_advance + strength);
  EXPECT_EQ(bold.ShapeLine(" ")[0].x_advance, plain.ShapeLine(" ")[0].x_advance + strength);
}

TEST_F(FontTest, SyntheticItalicLeansAboutTheBaseLine) {
  FaceMatch regular = Engine().Match({"Liberation Sans", false, false});
  FaceMatch leaning = regular;
  leaning.synthetic_italic = true;
  FontFace plain(regular), slanted(leaning);
  const unsigned l = plain.ShapeLine("l")[0].glyph;
  const PathPoints a = plain.LoadGlyphOutline(l);
  const PathPoints b = slanted.LoadGlyphOutline(l);
  ASSERT_EQ(a.size(), b.size());
  ASSERT_FALSE(a.empty());
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(b[i].y, a[i].y);
    if (a[i].y == 0)
      EXPECT_EQ(b[i].x, a[i].x);  // the base line stays put
    else
      EXPECT_NEAR((b[i].x - a[i].x) / a[i].y, 0.2126, 0.001);  // about 12 degrees
  }
  EXPECT_EQ(slanted.ShapeLine("l")[0].x_advance, plain.ShapeLine("l")[0].x_advance);
}

// Liberation Sans has Arial's vertical metrics (Windows ascent 1854, descent 434 of
// 2048), so its cells match what Windows reports for Arial at a positive height.
TEST_F(FontTest, CellHeightIsAscentPlusDescent) {
  struct Case {
    int height, ascent, descent, internal_leading;
  } cases[] = {{500, 405, 95, 52}, {20, 16, 4, 2}, {100, 81, 19, 10}, {1, 1, 0, 0}};
  for (const Case& c : cases) {
    const FontMetrics m = Sans().Metrics(c.height);
    EXPECT_EQ(m.cell_height, c.height);
    EXPECT_EQ(m.ascent, c.ascent) << c.height;
    EXPECT_EQ(m.descent, c.descent) << c.height;
    EXPECT_EQ(m.internal_leading, c.internal_leading) << c.height;
  }
  EXPECT_THROW(Sans().Metrics(0), FontError);
}

TEST_F(FontTest, FaceIsOpenedOncePerRequest) {
  FontFace& a = Engine().Face({"Liberation Sans", true, false});
  FontFace& b = Engine().Face({"liberation sans", true, false});
  FontFace& c = Engine().Face({"Liberation Sans", false, false});
  EXPECT_EQ(&a, &b);
  EXPECT_NE(&a, &c);
}

TEST_F(FontTest, CachedOutlineEqualsAFreshRead) {
  FontFace& face = Sans();
  for (unsigned glyph : {face.ShapeLine("O")[0].glyph, face.ShapeLine("g")[0].glyph}) {
    const PathPoints& cached = face.GlyphOutline(glyph);
    EXPECT_EQ(&cached, &face.GlyphOutline(glyph));
    EXPECT_EQ(cached, face.LoadGlyphOutline(glyph));
  }
}

TEST_F(FontTest, OutlineFamiliesAreSortedUniqueAndInstalled) {
  const std::vector<std::string> names = Engine().OutlineFamilies();
  for (std::size_t i = 1; i < names.size(); ++i)
    EXPECT_LT(strcasecmp(names[i - 1].c_str(), names[i].c_str()), 0)
        << names[i - 1] << " / " << names[i];
  for (const char* family : {"Liberation Sans", "Liberation Serif", "DejaVu Sans"})
    EXPECT_NE(std::find(names.begin(), names.end(), family), names.end()) << family;
}

TEST(FontFaceErrors, UnreadableFilesAreRefused) {
  FaceMatch missing;
  missing.file = "/nonexistent/font.ttf";
  EXPECT_THROW(FontFace{missing}, FontError);

  const std::string path = testing::TempDir() + "not_a_font.ttf";
  std::ofstream(path) << "This is plain text, not a font.";
  FaceMatch text;
  text.file = path;
  EXPECT_THROW(FontFace{text}, FontError);
  std::remove(path.c_str());
}

}  // namespace
}  // namespace lumi
