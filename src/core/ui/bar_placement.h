#pragma once
// Where the main window's bars go: a floating bar's saved position kept on the screen,
// the attribute bars' settings sections, the late fix-up of a docked bar that hangs
// below the screen, and the free-memory pane's text.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "base/geometry.h"

namespace lumi {

// The attribute bars in the order they are placed and stacked on the right.
enum class AttributeBar { Color = 0, Transparency = 1, Bevel = 2, Effect = 3 };
constexpr int kAttributeBarCount = 4;

struct AttributeBarInfo {
  std::string_view section;  // settings section of its "Float", "Top", "Left"
  std::string_view title;    // the bar's title
  std::string_view command;  // its View menu text
  int command_id;
};
const std::array<AttributeBarInfo, kAttributeBarCount>& AttributeBars();

// A saved floating position moved onto a screen of `screen` pixels: at most the screen
// size minus the icon size, at least 0.
Point ClampToScreen(Point saved, int screen_width, int screen_height, int icon_width, int icon_height);

// The fix-up a second after start: a docked bar whose bottom lies below the screen
// height minus 30 floats with its left edge at screen width - 248, moved up by what it
// overhangs. Empty when the bar may stay docked.
std::optional<Point> FloatPositionForOverhangingBar(const Rect& bar, int screen_width, int screen_height);
// The rest of that fix-up: a docked bar that does not overhang but whose right edge lies
// left of the screen width minus 30 is docked again on the right side.
bool DocksAgainOnTheRight(const Rect& bar, int screen_width);

// "Mem:%lu KB" for the available physical memory in bytes.
std::string FreeMemoryText(unsigned long long available_bytes);
// The "MemAvailable:" figure of /proc/meminfo text, in bytes; empty when absent.
std::optional<unsigned long long> MemAvailableBytes(std::string_view meminfo);

}  // namespace lumi
