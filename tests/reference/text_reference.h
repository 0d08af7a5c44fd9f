#pragma once
// Text layout written straight from its definition: every call opens the face afresh,
// reads every glyph outline from the font again and places the lines with no caching.
// Slow on purpose; the oracle and the benchmark baseline for MeasureText and
// BuildTextPath.
#include <string_view>

#include "objects/font_engine.h"
#include "objects/glyph_path.h"
#include "objects/text_layout.h"

namespace lumi::reference {

TextExtentSize MeasureText(const FaceMatch& match, std::string_view text, int height);
PathPoints BuildTextPath(const FaceMatch& match, std::string_view text, int height,
                         int alignment);

}  // namespace lumi::reference
