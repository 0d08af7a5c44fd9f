#include "edit/tool_commands.h"

#include <array>

#include "edit/tool_machine.h"

namespace lumi {

namespace {

bool HasSelection(const ToolMachine& m) { return m.Selected() != nullptr; }
bool EditsNodes(const ToolMachine& m) {
  return m.CurrentTool() == Tool::Shape && m.Selected() != nullptr;
}

void DeletePoint(ToolMachine& m) { m.DeletePoint(); }
void Smooth(ToolMachine& m) { m.SetNodeCusp(false); }
void Sharp(ToolMachine& m) { m.SetNodeCusp(true); }
void Break(ToolMachine& m) { m.BreakPath(); }
void Close(ToolMachine& m) { m.ClosePath(); }

constexpr std::array kCommands = {
    MenuCommand{"Delete Object", EditsNodes, DeletePoint},
    MenuCommand{"Remove Point", EditsNodes, DeletePoint},
    MenuCommand{"Smooth Node", EditsNodes, Smooth},
    MenuCommand{"Sharp Node", EditsNodes, Sharp},
    MenuCommand{"Break Path", HasSelection, Break},
    MenuCommand{"Close Path", HasSelection, Close},
    MenuCommand{"Close and Fill Path", HasSelection, Close},
};

constexpr std::array kKeys = {
    MenuCommand{"Delete", EditsNodes, DeletePoint},
};

template <typename Table>
const MenuCommand* Find(const Table& table, std::string_view text) {
  for (const MenuCommand& c : table)
    if (c.text == text) return &c;
  return nullptr;
}

}  // namespace

std::span<const MenuCommand> ToolMenuCommands() { return kCommands; }
const MenuCommand* FindMenuCommand(std::string_view text) { return Find(kCommands, text); }
std::span<const MenuCommand> ToolKeys() { return kKeys; }
const MenuCommand* FindToolKey(std::string_view name) { return Find(kKeys, name); }

}  // namespace lumi
