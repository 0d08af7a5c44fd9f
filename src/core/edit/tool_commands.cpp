#include "edit/tool_commands.h"

#include <array>

#include "edit/object_command_table.h"
#include "edit/object_commands.h"
#include "edit/tool_machine.h"

namespace lumi {

namespace {

bool Always(const ToolMachine&) { return true; }
bool HasSelection(const ToolMachine& m) { return m.Selected() != nullptr; }
bool HasSomethingToDelete(const ToolMachine& m) { return m.Selected() || !m.MultiSelection().empty(); }
bool EditsNodes(const ToolMachine& m) {
  return m.CurrentTool() == Tool::Shape && m.Selected() != nullptr;
}

void DeletePoint(ToolMachine& m) { m.DeletePoint(); }
void Smooth(ToolMachine& m) { m.SetNodeCusp(false); }
void Sharp(ToolMachine& m) { m.SetNodeCusp(true); }
void Break(ToolMachine& m) { m.BreakPath(); }
void Close(ToolMachine& m) { m.ClosePath(); }

constexpr std::array kCommands = {
    MenuCommand{"Delete Object", Always, DeleteSelection},
    MenuCommand{"Remove Point", EditsNodes, DeletePoint},
    MenuCommand{"Smooth Node", EditsNodes, Smooth},
    MenuCommand{"Sharp Node", EditsNodes, Sharp},
    MenuCommand{"Break Path", HasSelection, Break},
    MenuCommand{"Close Path", HasSelection, Close},
    MenuCommand{"Close and Fill Path", HasSelection, Close},
};

constexpr std::array kKeys = {
    // The key only acts on something: a script pressing it on nothing is told so.
    MenuCommand{"Delete", HasSomethingToDelete, DeleteSelection},
};

template <typename Table>
const MenuCommand* Find(const Table& table, std::string_view text) {
  for (const MenuCommand& c : table)
    if (c.text == text) return &c;
  return nullptr;
}

}  // namespace

std::span<const MenuCommand> ToolMenuCommands() { return kCommands; }
const MenuCommand* FindMenuCommand(std::string_view text) {
  const MenuCommand* c = Find(kCommands, text);
  return c ? c : Find(ObjectMenuCommands(), text);
}
std::span<const MenuCommand> ToolKeys() { return kKeys; }
const MenuCommand* FindToolKey(std::string_view name) {
  const MenuCommand* c = Find(kKeys, name);
  return c ? c : Find(ObjectKeys(), name);
}

}  // namespace lumi
