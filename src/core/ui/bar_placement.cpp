#include "ui/bar_placement.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace lumi {

const std::array<AttributeBarInfo, kAttributeBarCount>& AttributeBars() {
  static const std::array<AttributeBarInfo, kAttributeBarCount> bars = {{
      {"BarColor", "Color & Texture", "Color Bar", 32802},
      {"BarTransp", "Transparency", "Transparency Bar", 32803},
      {"BarBevel", "Bevel", "Bevel Bar", 32804},
      {"BarDrop", "Effect", "Effects Bar", 32805},
  }};
  return bars;
}

Point ClampToScreen(Point saved, int screen_width, int screen_height, int icon_width, int icon_height) {
  // The upper limit first, then 0, so a screen smaller than the icon still gives 0.
  return {std::max(0, std::min(saved.x, screen_width - icon_width)),
          std::max(0, std::min(saved.y, screen_height - icon_height))};
}

std::optional<Point> FloatPositionForOverhangingBar(const Rect& bar, int screen_width, int screen_height) {
  const int limit = screen_height - 30;
  if (bar.bottom <= limit) return std::nullopt;
  return Point{screen_width - 248, bar.top - (bar.bottom - limit)};
}

bool DocksAgainOnTheRight(const Rect& bar, int screen_width) { return bar.right < screen_width - 30; }

std::string FreeMemoryText(unsigned long long available_bytes) {
  char text[48];
  std::snprintf(text, sizeof text, "Mem:%llu KB", available_bytes >> 10);
  return text;
}

std::optional<unsigned long long> MemAvailableBytes(std::string_view meminfo) {
  constexpr std::string_view key = "MemAvailable:";
  std::size_t at = meminfo.find(key);
  // Only a key at the start of a line counts.
  while (at != std::string_view::npos && at != 0 && meminfo[at - 1] != '\n')
    at = meminfo.find(key, at + 1);
  if (at == std::string_view::npos) return std::nullopt;
  std::size_t digits = meminfo.find_first_not_of(' ', at + key.size());
  if (digits == std::string_view::npos) return std::nullopt;
  unsigned long long kb = 0;
  const char* first = meminfo.data() + digits;
  const auto [end, error] = std::from_chars(first, meminfo.data() + meminfo.size(), kb);
  if (error != std::errc() || end == first) return std::nullopt;
  return kb * 1024;
}

}  // namespace lumi
