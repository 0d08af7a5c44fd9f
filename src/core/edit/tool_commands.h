#pragma once
// The menu commands and keys the tools answer, by their menu text, each with its enable
// rule. The window builds its menu entries from this table and edit scripts look
// commands up in it; later commands join by adding a row.
#include <span>
#include <string_view>

namespace lumi {

class ToolMachine;

struct MenuCommand {
  std::string_view text;
  bool (*enabled)(const ToolMachine&);
  void (*run)(ToolMachine&);
};

std::span<const MenuCommand> ToolMenuCommands();
// The command with this menu text, or null.
const MenuCommand* FindMenuCommand(std::string_view text);

// Keys by name ("Delete"); the same form as the commands.
std::span<const MenuCommand> ToolKeys();
const MenuCommand* FindToolKey(std::string_view name);

}  // namespace lumi
