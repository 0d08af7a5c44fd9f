#include "edit/view_keys.h"

#include "edit/drawing_view.h"
#include "edit/tool_commands.h"
#include "edit/tool_machine.h"

namespace lumi {

namespace {

std::optional<Tool> ToolForKey(std::string_view key) {
  for (const ToolKey& k : kToolKeys)
    if (k.key == key) return k.tool;
  return std::nullopt;
}

}  // namespace

std::optional<std::string_view> KeyForTool(Tool tool) {
  for (const ToolKey& k : kToolKeys)
    if (k.tool == tool) return k.key;
  return std::nullopt;
}

bool IsViewKey(std::string_view key) {
  return ToolForKey(key) || key == "Escape" || key == "+" || key == "-" || FindToolKey(key);
}

bool PressViewKey(std::string_view key, ToolMachine& tools, DrawingView* view) {
  if (const std::optional<Tool> tool = ToolForKey(key)) return tools.ChooseTool(*tool);
  if (key == "Escape") return tools.Escape();
  if (key == "+" || key == "-") {
    if (!view) return false;
    const float before = view->Zoom().Scale();
    key == "+" ? view->ZoomIn() : view->ZoomOut();
    return view->Zoom().Scale() != before;
  }
  if (const MenuCommand* command = FindToolKey(key); command && command->enabled(tools)) {
    command->run(tools);
    return true;
  }
  return false;
}

}  // namespace lumi
