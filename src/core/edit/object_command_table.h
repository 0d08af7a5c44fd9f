#pragma once
// The Edit, Object and Bitmap menus' commands and the arrow keys, as rows of the command
// table (tool_commands.h finds them by their menu text).
#include <span>
#include <string_view>

#include "edit/tool_commands.h"

namespace lumi {

std::span<const MenuCommand> ObjectMenuCommands();
std::span<const MenuCommand> ObjectKeys();
// Whether the command's menu entry carries a check mark now (the edge quality of the
// selected object).
bool IsObjectCommandChecked(const ToolMachine& m, std::string_view text);

}  // namespace lumi
