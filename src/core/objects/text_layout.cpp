#include "objects/text_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string>
#include <limits>

namespace lumi {

namespace {

// A shaped line: glyph origins at whole pixels, as a device context places them, and the
// line's advance width.
struct PlacedLine {
  std::vector<ShapedGlyph> glyphs;
  std::vector<int> origin_x;
  int width = 0;
};

// Whole pixels of a length in font units; a text too long for int pixels is refused.
int ToPixels(std::int64_t units, double scale) {
  const double pixels = std::round(static_cast<double>(units) * scale);
  if (std::fabs(pixels) > std::numeric_limits<int>::max())
    throw FontError("The text is too long to measure.");
  return static_cast<int>(pixels);
}

int TextHeight(std::size_t lines, int cell_height) {
  if (lines > static_cast<std::size_t>(std::numeric_limits<int>::max() / cell_height))
    throw FontError("The text has too many lines to measure.");
  return static_cast<int>(lines) * cell_height;
}

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20; }

PlacedLine PlaceLine(FontFace& face, std::string_view line, double scale) {
  PlacedLine placed;
  // Control characters (a stray carriage return, a tab) are not drawn and take no
  // room; shaped as they are they would show the face's missing-glyph box.
  std::string printable;
  if (std::any_of(line.begin(), line.end(), IsControl)) {
    std::copy_if(line.begin(), line.end(), std::back_inserter(printable),
                 [](char c) { return !IsControl(c); });
    line = printable;
  }
  if (line.empty()) return placed;
  placed.glyphs = face.ShapeLine(line);
  placed.origin_x.reserve(placed.glyphs.size());
  std::int64_t pen = 0;
  for (const ShapedGlyph& g : placed.glyphs) {
    placed.origin_x.push_back(ToPixels(pen, scale));
    pen += g.x_advance;
  }
  placed.width = ToPixels(pen, scale);
  return placed;
}

int LineLeft(int alignment, int rect_width, int line_width) {
  switch (alignment) {
    case kTextAlignCentre: return (rect_width - line_width) / 2;
    case kTextAlignRight: return rect_width - line_width;
    default: return 0;
  }
}

}  // namespace

bool HasDescenderCharacters(std::string_view text) {
  return text.find_first_of(kDescenderCharacters) != std::string_view::npos;
}

int TextLineCount(std::string_view text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
}

std::vector<std::string_view> SplitTextLines(std::string_view text) {
  std::vector<std::string_view> lines;
  if (text.empty()) return lines;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find('\n', start);
    std::string_view line = text.substr(start, end == std::string_view::npos ? text.npos : end - start);
    if (end != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

TextExtentSize MeasureText(FontFace& face, std::string_view text, int height) {
  const FontMetrics metrics = face.Metrics(height);
  const std::vector<std::string_view> lines = SplitTextLines(text);
  TextExtentSize size;
  for (std::string_view line : lines)
    size.width = std::max(size.width, PlaceLine(face, line, metrics.scale).width);
  size.height = TextHeight(lines.size(), metrics.cell_height);
  return size;
}

PathPoints BuildTextPath(FontFace& face, std::string_view text, int height, int alignment) {
  const FontMetrics metrics = face.Metrics(height);
  const double scale = metrics.scale;

  // Measuring pass: the text rectangle is as wide as the widest line.
  std::vector<PlacedLine> lines;
  int rect_width = 0;
  for (std::string_view line : SplitTextLines(text)) {
    lines.push_back(PlaceLine(face, line, scale));
    rect_width = std::max(rect_width, lines.back().width);
  }
  TextHeight(lines.size(), metrics.cell_height);  // refuses what could not be measured

  // The path of a long text runs to hundreds of kilobytes: size it once.
  std::size_t count = 0;
  for (const PlacedLine& line : lines)
    for (const ShapedGlyph& glyph : line.glyphs) count += face.GlyphOutline(glyph.glyph).size();
  PathPoints path;
  path.reserve(count);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const PlacedLine& line = lines[i];
    const int left = LineLeft(alignment, rect_width, line.width);
    const double baseline = static_cast<double>(i) * metrics.cell_height + metrics.ascent;
    for (std::size_t g = 0; g < line.glyphs.size(); ++g) {
      const ShapedGlyph& glyph = line.glyphs[g];
      const double origin_x = left + line.origin_x[g];
      for (const PathPoint& p : face.GlyphOutline(glyph.glyph))
        path.push_back({origin_x + (p.x + glyph.x_offset) * scale,
                        baseline - (p.y + glyph.y_offset) * scale, p.type});
    }
  }
  return path;
}

}  // namespace lumi
