#pragma once
// The font engine behind text objects: fontconfig finds a face by family name (falling
// back to a metric-compatible or default face), FreeType reads its outlines and metrics,
// HarfBuzz shapes each line. Heights are cell heights (ascent + descent) in pixels, the
// way a positive font height is understood on Windows.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "base/errors.h"
#include "objects/glyph_path.h"

namespace lumi {

// A face could not be found or read.
class FontError : public Error {
 public:
  using Error::Error;
};

struct FontRequest {
  std::string family;
  bool bold = false;    // weight 700, else 400
  bool italic = false;
};

// The face a request resolved to.
struct FaceMatch {
  std::string requested_family;
  std::string family;  // the family of the face found
  std::string style;
  std::string file;
  int index = 0;  // face index inside the file
  // The requested family itself is installed; false when fontconfig substituted another
  // family (a metric-compatible alias or its default).
  bool family_installed = false;
  // The family has no bold (italic) face, so the regular one is emboldened (slanted).
  bool synthetic_bold = false;
  bool synthetic_italic = false;
};

// Metrics at one cell height, in whole pixels as a device context reports them.
struct FontMetrics {
  int cell_height = 0;       // ascent + descent, the requested height
  int ascent = 0;           // base line below the cell top
  int descent = 0;          // cell bottom below the base line
  int internal_leading = 0;  // cell height minus the em height
  double scale = 0.0;       // pixels per font unit
};

// One glyph of a shaped line, in font units.
struct ShapedGlyph {
  unsigned glyph = 0;
  int x_advance = 0;
  int x_offset = 0;
  int y_offset = 0;
};

// One opened face with its shaper and a cache of glyph outlines. Owns its own FreeType
// library instance, so a face is self-contained. Not thread-safe (the program has one
// user-interface thread).
class FontFace {
 public:
  // Throws FontError when the file cannot be read as a scalable face.
  explicit FontFace(const FaceMatch& match);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  const FaceMatch& Match() const { return match_; }
  int UnitsPerEm() const;
  // Throws FontError for a height below 1.
  FontMetrics Metrics(int height) const;
  // Shapes one line of UTF-8 text (no line breaks in it); invalid bytes become the
  // replacement character. Advances include kerning and synthetic emboldening.
  std::vector<ShapedGlyph> ShapeLine(std::string_view utf8) const;
  // The outline of a glyph in font units, y pointing up, read from the font every time,
  // with synthetic bold and italic applied. Empty for glyphs without an outline.
  PathPoints LoadGlyphOutline(unsigned glyph) const;
  // The same, read once and kept.
  const PathPoints& GlyphOutline(unsigned glyph);

 private:
  struct Impl;
  FaceMatch match_;
  std::unique_ptr<Impl> impl_;
  std::unordered_map<unsigned, PathPoints> outlines_;
};

// Face lookup by name and the list of installed outline families. Faces are opened once
// and kept for the engine's lifetime.
class FontEngine {
 public:
  FontEngine();  // loads the fontconfig configuration; throws FontError when it cannot
  ~FontEngine();
  FontEngine(const FontEngine&) = delete;
  FontEngine& operator=(const FontEngine&) = delete;

  // The face fontconfig chooses for the request, and whether bold or italic have to be
  // synthesised. Throws FontError when no outline face is installed at all.
  FaceMatch Match(const FontRequest& request) const;
  // The opened face for the request, opened on first use.
  FontFace& Face(const FontRequest& request);
  // Every family name of the installed TrueType and OpenType faces, sorted without
  // regard to case, each name once.
  std::vector<std::string> OutlineFamilies() const;
  // Whether `family` is one of OutlineFamilies(), compared without regard to case.
  bool IsFamilyInstalled(std::string_view family) const;
  // Whether text in `family` can be drawn as intended: the family is installed, or
  // fontconfig stands in for it with a family chosen for that name (a metric-compatible
  // alias such as Liberation Sans for Arial) rather than with its default face. An empty
  // name is no family.
  bool IsFamilyAvailable(std::string_view family) const;

 private:
  struct Config;
  std::unique_ptr<Config> config_;
  std::map<std::tuple<std::string, bool, bool>, std::unique_ptr<FontFace>> faces_;
};

// The engine the program uses, created on first use.
FontEngine& SharedFontEngine();

}  // namespace lumi
