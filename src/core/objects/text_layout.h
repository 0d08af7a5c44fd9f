#pragma once
// Multi-line text layout the way a device context's DrawText lays out text without
// prefix processing: a measuring pass gives the text rectangle (the widest line by the
// number of lines times the cell height), then each line is placed left, centred or right
// inside it with its base line one ascent below the line's top.
#include <string_view>
#include <vector>

#include "objects/font_engine.h"
#include "objects/glyph_path.h"

namespace lumi {

// Values of a text object's alignment; anything else lays out as left.
enum TextAlignment : int { kTextAlignLeft = 0, kTextAlignCentre = 1, kTextAlignRight = 2 };

// Characters that reach below the base line.
inline constexpr std::string_view kDescenderCharacters = "qyp[]g;,|";

bool HasDescenderCharacters(std::string_view text);
// Line-feed count + 1.
int TextLineCount(std::string_view text);
// The lines between line feeds, a carriage return before a line feed dropped. An empty
// text has no lines; a text ending in a line feed ends with an empty line.
std::vector<std::string_view> SplitTextLines(std::string_view text);

struct TextExtentSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const TextExtentSize&, const TextExtentSize&) = default;
};

// The text rectangle at a cell height in pixels: the widest line's advance by the line
// count times the cell height. An empty text measures (0, 0).
TextExtentSize MeasureText(FontFace& face, std::string_view text, int height);

// The outline of the whole text laid out in its text rectangle at (0, 0), y pointing down:
// every glyph figure of every line, in line order and glyph order. Empty for a text
// without visible glyphs.
PathPoints BuildTextPath(FontFace& face, std::string_view text, int height, int alignment);

}  // namespace lumi
