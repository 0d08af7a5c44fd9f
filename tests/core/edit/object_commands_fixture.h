#pragma once
// The tool fixture with in-memory command services and the commands run by menu text.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "edit/command_services.h"
#include "edit/tool_commands.h"
#include "image/pixwerk.h"
#include "tool_fixture.h"

namespace lumi::testing {

class ObjectCommands : public ToolTest {
 protected:
  ObjectCommands() { tools_.SetCommandServices(&services_); }

  // Runs a command by its menu text; false when it is disabled now.
  bool Run(std::string_view text) {
    const MenuCommand* c = FindMenuCommand(text);
    EXPECT_NE(c, nullptr) << text;
    if (!c || !c->enabled(tools_)) return false;
    c->run(tools_);
    return true;
  }
  void Key(std::string_view name) {
    const MenuCommand* c = FindToolKey(name);
    ASSERT_NE(c, nullptr) << name;
    if (c->enabled(tools_)) c->run(tools_);
  }
  // Five rectangles named by their left edge: 0, 50, 100, 150, 200.
  std::vector<CDrawObject*> AddFive() {
    std::vector<CDrawObject*> five;
    for (int i = 0; i < 5; ++i) five.push_back(&AddRectangle(i * 50, 10, i * 50 + 30, 40));
    doc_.TakeSnapshot();
    return five;
  }
  // The list as left edges, which name the objects of AddFive.
  std::vector<int> Lefts() const {
    std::vector<int> lefts;
    for (const auto& o : doc_.Objects()) lefts.push_back(o->GetX());
    return lefts;
  }
  CDrawObject& AddText(const char* text) {
    auto o = doc_.MakeObject();
    ScriptedTextDialog create;
    create.Ok([&](TextDialogValues& v) { v.text = text; v.size = 40; });
    EXPECT_EQ(o->CreateText(20, 20, text, create), 1);
    return Add(std::move(o));
  }
  CDrawObject& AddBitmap(int centre_x, int centre_y, int side = 8) {
    auto o = doc_.MakeObject();
    RgbImage rgb{side, side, std::vector<std::uint8_t>(static_cast<std::size_t>(side * side * 3), 200)};
    EXPECT_EQ(o->CreateBitmapFromClipboard(rgb, centre_x, centre_y), 1);
    return Add(std::move(o));
  }
  std::vector<std::string> Messages() const { return host_.Messages(); }

  MemoryCommandServices services_;
};

}  // namespace lumi::testing
