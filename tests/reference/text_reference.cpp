#include "text_reference.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace lumi::reference {

namespace {

// The lines of a text, walking it character by character.
std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  if (text.empty()) return lines;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      line.clear();
    } else if (static_cast<unsigned char>(c) >= 0x20) {  // controls are not drawn
      line += c;
    }
  }
  lines.push_back(line);
  return lines;
}

int LineWidth(FontFace& face, const std::string& line, double scale) {
  std::int64_t pen = 0;
  if (!line.empty())
    for (const ShapedGlyph& g : face.ShapeLine(line)) pen += g.x_advance;
  return static_cast<int>(std::lround(static_cast<double>(pen) * scale));
}

}  // namespace

TextExtentSize MeasureText(const FaceMatch& match, std::string_view text, int height) {
  FontFace face(match);
  const FontMetrics metrics = face.Metrics(height);
  TextExtentSize size;
  const std::vector<std::string> lines = Lines(text);
  for (const std::string& line : lines) {
    const int width = LineWidth(face, line, metrics.scale);
    if (width > size.width) size.width = width;
  }
  size.height = static_cast<int>(lines.size()) * height;
  return size;
}

PathPoints BuildTextPath(const FaceMatch& match, std::string_view text, int height,
                         int alignment) {
  FontFace face(match);
  const FontMetrics metrics = face.Metrics(height);
  const std::vector<std::string> lines = Lines(text);
  int rectWidth = 0;
  for (const std::string& line : lines) {
    const int width = LineWidth(face, line, metrics.scale);
    if (width > rectWidth) rectWidth = width;
  }

  PathPoints path;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    const int width = LineWidth(face, lines[i], metrics.scale);
    int left = 0;
    if (alignment == 1) left = (rectWidth - width) / 2;
    if (alignment == 2) left = rectWidth - width;
    const double baseline = static_cast<double>(i) * height + metrics.ascent;
    std::int64_t pen = 0;
    for (const ShapedGlyph& g : face.ShapeLine(lines[i])) {
      const int origin = static_cast<int>(std::lround(static_cast<double>(pen) * metrics.scale));
      for (const PathPoint& p : face.LoadGlyphOutline(g.glyph))
        path.push_back({left + origin + (p.x + g.x_offset) * metrics.scale,
                        baseline - (p.y + g.y_offset) * metrics.scale, p.type});
      pen += g.x_advance;
    }
  }
  return path;
}

}  // namespace lumi::reference
