#pragma once
// Text layout written straight from its definition: every call opens the face afresh,
// reads every glyph outline from the font again and places the lines with no caching.
// Slow on purpose; the oracle and the benchmark baseline for MeasureText and
// BuildTextPath.
#include <string>
#include <string_view>

#include "objects/font_engine.h"
#include "objects/glyph_path.h"
#include "objects/text_layout.h"

namespace lumi::reference {

TextExtentSize MeasureText(const FaceMatch& match, std::string_view text, int height);
PathPoints BuildTextPath(const FaceMatch& match, std::string_view text, int height,
                         int alignment);

// The text the text benchmarks build: 5 lines, 200 characters with the line feeds.
inline const std::string& TextBenchmarkSample() {
  static const std::string text =
      "The quick brown fox jumps over the lazy\n"
      "dog; Sphinx of black quartz, judge my v\n"
      "ow. Pack my box with five dozen liquor \n"
      "jugs [AV Wa To]. How vexingly quick daf\n"
      "t zebras jump | Glib jocks quiz nymph!!!";
  return text;
}

}  // namespace lumi::reference
