// Copy, Cut, Paste and Paste Atributes through the object stream, and the commands as an
// edit script runs them.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "edit/edit_script.h"
#include "objects/object_stream.h"
#include "object_commands_fixture.h"

namespace lumi::testing {
namespace {

class Clipboard : public ObjectCommands {
 protected:
  // The left edges of the objects on the clipboard, in stream order.
  std::vector<int> ClipboardLefts() {
    const auto stream = services_.clipboard.ObjectStream();
    EXPECT_TRUE(stream.has_value());
    if (!stream) return {};
    MemorySource source(*stream);
    CArchive ar(source);
    std::vector<int> lefts;
    for (const auto& o : ReadObjectStream(ar, [&] { return doc_.MakeObject(); })) lefts.push_back(o->GetX());
    return lefts;
  }
};

TEST_F(Clipboard, CopyPutsTheSelectionInListOrder) {
  std::vector<CDrawObject*> five = AddFive();
  EXPECT_FALSE(FindMenuCommand("Copy")->enabled(tools_));
  EXPECT_FALSE(FindMenuCommand("Paste")->enabled(tools_));
  tools_.SetMultiSelection({five[3], five[0], five[1]}, false);
  ASSERT_TRUE(Run("Copy"));
  EXPECT_EQ(ClipboardLefts(), (std::vector<int>{0, 50, 150}));
  tools_.SelectObject(five[4]);
  ASSERT_TRUE(Run("Copy"));
  EXPECT_EQ(ClipboardLefts(), std::vector<int>{200});
}

TEST_F(Clipboard, PastingTwiceMakesFreshObjectsAtTheSamePlace) {
  std::vector<CDrawObject*> five = AddFive();
  tools_.SetMultiSelection({five[2], five[0]}, false);
  ASSERT_TRUE(Run("Copy"));
  const std::size_t depth = doc_.UndoDepth();
  ASSERT_TRUE(Run("Paste"));
  ASSERT_TRUE(Run("Paste"));
  EXPECT_EQ(Lefts(), (std::vector<int>{0, 50, 100, 150, 200, 0, 100, 0, 100}));
  std::set<std::string> ids;
  for (const auto& o : doc_.Objects()) ids.insert(o->GetId());
  EXPECT_EQ(ids.size(), 9u);
  // The second paste is selected, as several objects.
  EXPECT_EQ(tools_.MultiSelection(), (std::vector<CDrawObject*>{doc_.Objects()[7].get(), doc_.Objects()[8].get()}));
  EXPECT_EQ(Statuses().back(), " 2 objects selected");
  EXPECT_EQ(doc_.UndoDepth(), std::min<std::size_t>(depth + 2, 5));
  EXPECT_GE(services_.layer_rebuilds, 2);
}

TEST_F(Clipboard, APastedGroupMemberIsNotGrouped) {
  CDrawObject& a = AddRectangle(10, 10, 40, 40);
  CDrawObject& b = AddRectangle(50, 10, 80, 40);
  tools_.SetMultiSelection({&a, &b}, false);
  ASSERT_TRUE(Run("Group"));
  tools_.SelectObject(&a);
  ASSERT_TRUE(Run("Copy"));
  ASSERT_TRUE(Run("Paste"));
  ASSERT_EQ(doc_.Objects().size(), 3u);
  EXPECT_EQ(tools_.Selected(), doc_.Objects()[2].get());
  EXPECT_EQ(doc_.Objects()[2]->GetGrouped(), 0);
  EXPECT_EQ(a.GetGrouped(), 1);
  EXPECT_EQ(doc_.Groups().size(), 1u);
}

TEST_F(Clipboard, CutThenUndoGivesTheObjectsBack) {
  std::vector<CDrawObject*> five = AddFive();
  doc_.SetUndoLimit(10);
  tools_.SetMultiSelection({five[1], five[3]}, false);
  ASSERT_TRUE(Run("Cut"));
  EXPECT_EQ(Lefts(), (std::vector<int>{0, 100, 200}));
  EXPECT_EQ(ClipboardLefts(), (std::vector<int>{50, 150}));
  doc_.Undo();  // one step
  EXPECT_EQ(Lefts(), (std::vector<int>{0, 50, 100, 150, 200}));
  tools_.ForgetSelection();
  tools_.SelectObject(doc_.Objects()[0].get());
  ASSERT_TRUE(Run("Cut"));
  doc_.Undo();
  EXPECT_EQ(Lefts(), (std::vector<int>{0, 50, 100, 150, 200}));
  tools_.ForgetSelection();
  ASSERT_TRUE(Run("Paste"));
  EXPECT_EQ(Lefts(), (std::vector<int>{0, 50, 100, 150, 200, 0}));
}

TEST_F(Clipboard, PasteAtributesFromARectangleOntoTextKeepsTheText) {
  CDrawObject& rect = AddRectangle(10, 10, 60, 60);
  rect.SetFillColor(0x123456);
  rect.SetFillColor2(0x654321);
  rect.SetBevelKind(2);
  rect.SetBevelWidth(7);
  rect.SetEffectKind(1);
  rect.SetTransparency(40);
  rect.Render();
  CDrawObject& text = AddText("Hi");
  const std::string face = text.GetFont().lfFaceName;
  const Rect box = text.GetRect();
  tools_.SelectObject(&rect);
  ASSERT_TRUE(Run("Copy"));
  tools_.SelectObject(&text);
  const std::size_t depth = doc_.UndoDepth();
  ASSERT_TRUE(Run("Paste Atributes"));
  EXPECT_EQ(text.GetText(), "Hi");
  EXPECT_EQ(std::string(text.GetFont().lfFaceName), face);
  EXPECT_TRUE(text.IsText());
  EXPECT_EQ(text.GetRect(), box);
  EXPECT_EQ(text.GetFillColor(), 0x123456u);
  EXPECT_EQ(text.GetFillColor2(), 0x654321u);
  EXPECT_EQ(text.GetBevelKind(), 2);
  EXPECT_EQ(text.GetBevelWidth(), 7);
  EXPECT_EQ(text.GetEffectKind(), 1);
  EXPECT_EQ(text.GetTransparency(), 40);
  EXPECT_EQ(doc_.Objects().size(), 2u);
  EXPECT_EQ(doc_.UndoDepth(), depth + 1);
  // Nothing selected, or several: not offered.
  tools_.SetMultiSelection({&rect, &text}, false);
  EXPECT_FALSE(FindMenuCommand("Paste Atributes")->enabled(tools_));
}

TEST_F(Clipboard, APlainImageIsPastedAsABitmapCentredOnTheCanvas) {
  services_.clipboard.SetImage(RgbImage{20, 10, std::vector<std::uint8_t>(20 * 10 * 3, 90)});
  ASSERT_TRUE(Run("Paste"));
  ASSERT_EQ(doc_.Objects().size(), 1u);
  const CDrawObject& o = *doc_.Objects()[0];
  EXPECT_TRUE(o.IsBitmap());
  EXPECT_EQ(o.GetRect(), (Rect{190, 145, 210, 155}));
  EXPECT_EQ(tools_.Selected(), &o);
  // A buffer that does not hold its pixels leaves no object.
  services_.clipboard.SetImage(RgbImage{20, 10, std::vector<std::uint8_t>(7, 90)});
  ASSERT_TRUE(Run("Paste"));
  EXPECT_EQ(doc_.Objects().size(), 1u);
}

TEST_F(Clipboard, ADamagedStreamPastesNothingAndSaysSo) {
  for (const std::vector<std::uint8_t>& bytes :
       {std::vector<std::uint8_t>{5, 0, 0, 0, 1, 2, 3}, std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}}) {
    host_.Clear();
    services_.clipboard.SetObjectStream(bytes);
    const std::size_t depth = doc_.UndoDepth();
    ASSERT_TRUE(Run("Paste"));
    EXPECT_TRUE(doc_.Objects().empty());
    EXPECT_EQ(doc_.UndoDepth(), depth);
    EXPECT_EQ(host_.Messages().size(), 1u);
  }
}

// ---- the same through an edit script

TEST_F(Clipboard, AScriptCopiesRotatesAndNudgesByMenuTextAndKeys) {
  AddRectangle(10, 10, 70, 30);
  ScriptAnswers answers;
  EditScriptRunner runner(tools_, quick_, answers);
  runner.Run(ParseEditScript(nlohmann::json::parse(R"([
    {"press": [40, 20]}, {"release": [40, 20]},
    {"command": "Copy"}, {"command": "Paste"},
    {"key": "Right"}, {"key": "Down"},
    {"answers": [{"angle": -450}]}, {"command": "Rotate..."},
    {"command": "Select All"}, {"command": "Group"}])")));
  ASSERT_EQ(doc_.Objects().size(), 2u);
  const CDrawObject& copy = *doc_.Objects()[1];
  EXPECT_EQ(copy.GetX() + copy.GetWidth() / 2, 41);  // nudged one right, then turned on its centre
  EXPECT_NEAR(copy.GetHeight(), 60, 3);
  EXPECT_EQ(doc_.Groups().size(), 1u);
  // The runner's clipboard, not the fixture's.
  EXPECT_FALSE(services_.clipboard.ObjectStream().has_value());
}

TEST(EditScriptParse, RefusesWhatNoWindowCouldSend) {
  EXPECT_NO_THROW(ParseEditScript(nlohmann::json::parse(R"([{"answers": [{"angle": 90}, "cancel"]}])")));
  EXPECT_NO_THROW(ParseEditScript(nlohmann::json::parse(R"([{"press": [-1000000, 1000000]}])")));
  for (const char* bad : {R"([{"answers": [{"angle": 9.5}]}])", R"([{"answers": [{"angle": 9, "text": "a"}]}])",
                          R"([{"key": "PageUp"}])", R"([{"command": "Paste Attributes"}])",
                          // Points past the int range used to wrap into other points.
                          R"([{"drag": [[19, 60], [36, 28888888875]]}])", R"([{"press": [-1000001, 0]}])",
                          R"([{"move": [0, 18446744073709551615]}])"}) {
    EXPECT_THROW(ParseEditScript(nlohmann::json::parse(bad)), EditScriptError) << bad;
  }
}

}  // namespace
}  // namespace lumi::testing
