#pragma once
// The keys of the drawing view: one letter (or "*") per tool, as most vector editors
// have them, Escape, "+" and "-" for zooming, and the tools' own keys ("Delete"). The
// window, the Tools menu, the toolbar tooltips and edit scripts all read this table.
#include <optional>
#include <string_view>

#include "edit/tool_ids.h"

namespace lumi {

class DrawingView;
class ToolMachine;

struct ToolKey {
  std::string_view key;
  Tool tool;
};

inline constexpr ToolKey kToolKeys[] = {
    {"S", Tool::Select},    {"N", Tool::Shape},     {"R", Tool::Rectangle},    {"E", Tool::Circle},
    {"U", Tool::RoundRect}, {"*", Tool::Star},      {"B", Tool::NewPath},      {"P", Tool::FreePath},
    {"A", Tool::Arrow},     {"T", Tool::ArtisticText}, {"Z", Tool::Zoom},      {"I", Tool::Image},
};

// The key that chooses `tool`, or none.
std::optional<std::string_view> KeyForTool(Tool tool);

// Whether `key` ("R", "*", "Escape", "+", "-", "Delete") means something in the view.
bool IsViewKey(std::string_view key);

// What the key does: a tool key chooses its tool when it can be chosen now, Escape gives
// up a drag or brings back the select tool, "+" and "-" zoom in and out, the tools' own
// keys run when enabled. False when nothing happened (always for the zoom keys without a
// view).
bool PressViewKey(std::string_view key, ToolMachine& tools, DrawingView* view);

}  // namespace lumi
