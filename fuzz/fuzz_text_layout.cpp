// Hostile text (as a project may carry it: invalid UTF-8, stray carriage returns, empty
// lines, characters no face has) laid out and outlined.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "objects/font_engine.h"
#include "objects/text_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  static const lumi::FontRequest requests[] = {{"Arial", false, false},
                                               {"Liberation Serif", true, true},
                                               {"DejaVu Sans", false, true},
                                               {"", true, false}};
  lumi::FontFace& face = lumi::SharedFontEngine().Face(requests[data[0] & 3]);
  const int alignment = (data[0] >> 2) & 3;
  const int height = 1 + data[1] * 3;
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

  const lumi::TextExtentSize extent = lumi::MeasureText(face, text, height);
  if (extent.width < 0 || extent.height != static_cast<int>(lumi::SplitTextLines(text).size()) * height)
    std::abort();
  for (const lumi::PathPoint& p : lumi::BuildTextPath(face, text, height, alignment))
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) std::abort();
  return 0;
}

extern "C" std::vector<std::vector<std::uint8_t>> LumiFuzzSeeds() {
  return {{1, 166, 'H', 'e', 'l', 'l', 'o', '\n', 'H', 'i'},
          {6, 20, 'q', 'y', 'p', '[', ']', 'g', ';', ',', '|'},
          {3, 100, 0xC3, 0x28, '\r', '\n', 0xE2, 0x82, 0xAC, 0xF0, 0x9F, 0x98, 0x80},
          {9, 0, '\n', '\n', ' ', '\t', 0}};
}
