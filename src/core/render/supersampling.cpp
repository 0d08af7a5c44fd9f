#include "render/supersampling.h"

#include <algorithm>

#include "effects/effect_geometry.h"

namespace lumi {

int BaseSupersampling(int edge_quality) { return std::clamp(edge_quality, 1, 4); }

int ShapeSupersampling(int edge_quality, int width, int height) {
  const int q = BaseSupersampling(edge_quality);
  if (q == 1) return 1;
  return width < 10 && height < 10 ? q + 1 : q;
}

int PolynomeSupersampling(int edge_quality, int width, int height, bool live_text,
                          int line_count) {
  const int q = BaseSupersampling(edge_quality);
  int f = q + 7;
  if (width > 100 || height > 100) f = q + 5;
  if (width > 200 || height > 200) f = q + 2;
  if (q == 1) f = 1;
  if (!live_text) return f;
  // Tall text lines are smooth enough at lower factors, and the work surface must stay
  // within memory.
  const int line = height / std::max(line_count, 1);
  if (line > 300 && f > 3) f = 3;
  if (line > 500 && f > 2) f = 2;
  if (line > 1500 && f > 1) f = 1;
  if ((height > 1200 || width > 2200) && f > 2) f = 2;
  if (height > 2500 || width > 3500) f = 1;
  return f;
}

int OutlineInset(int bevel_kind, int bevel_width, bool outline_closed) {
  if (!outline_closed) return 0;
  if (bevel_kind == kOutlineBevel) return static_cast<int>(bevel_width * 1.5);
  if (bevel_kind == kFeatherBevel) return static_cast<int>(bevel_width * 0.5);
  return 0;
}

}  // namespace lumi
