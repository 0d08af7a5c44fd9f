#include "ui/shaded_progress.h"

#include <algorithm>

namespace lumi {

namespace {
int Lighter(int v) { return v + 51 > 255 ? v : v + 51; }
int Darker(int v) { return v < 51 ? v : v - 51; }
}  // namespace

COLORREF LighterTint(COLORREF c) { return RGB(Lighter(GetRValue(c)), Lighter(GetGValue(c)), Lighter(GetBValue(c))); }
COLORREF DarkerTint(COLORREF c) { return RGB(Darker(GetRValue(c)), Darker(GetGValue(c)), Darker(GetBValue(c))); }

ProgressPalette MakeProgressPalette(COLORREF base, COLORREF dark_shadow, COLORREF shadow) {
  ProgressPalette p{};
  const COLORREF l1 = LighterTint(base), l2 = LighterTint(l1), l3 = LighterTint(l2);
  const COLORREF d1 = DarkerTint(base), d2 = DarkerTint(d1);
  p.tube = {d2, d1, base, l1, l2, l3};
  p.dark_shadow = dark_shadow;
  p.shadow = shadow;
  auto mid = [](int s, int d) { return s + (d - s) / 2; };
  p.shadow_mid = RGB(mid(GetRValue(shadow), GetRValue(dark_shadow)), mid(GetGValue(shadow), GetGValue(dark_shadow)),
                     mid(GetBValue(shadow), GetBValue(dark_shadow)));
  return p;
}

int ProgressFilledLength(int position, int low, int high, int length) {
  if (high <= low) return 0;
  const long long done = std::clamp(position, low, high) - static_cast<long long>(low);
  return static_cast<int>(done * length / (static_cast<long long>(high) - low));
}

std::vector<COLORREF> ProgressTubeLines(const ProgressPalette& palette, int thickness) {
  std::vector<COLORREF> lines(std::max(0, thickness));
  const int half = (thickness + 1) / 2;
  const int last = static_cast<int>(palette.tube.size()) - 1;
  for (int i = 0; i < thickness; ++i) {
    const int from_edge = std::min(i, thickness - 1 - i);
    const int index = half > 1 ? from_edge * last / (half - 1) : last;
    lines[i] = palette.tube[std::min(index, last)];
  }
  return lines;
}

}  // namespace lumi
