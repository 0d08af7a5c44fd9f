// The Edit, Object and Bitmap menus' commands on the selection, through the command
// table as the menus and edit scripts reach them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "edit/command_services.h"
#include "edit/object_command_table.h"
#include "edit/object_commands.h"
#include "edit/tool_commands.h"
#include "objects/bitmap_messages.h"
#include "objects/object_stream.h"
#include "object_commands_fixture.h"

namespace lumi::testing {
namespace {

// ---- stacking

struct StackCase {
  const char* name;
  std::vector<int> selected;  // list positions
  const char* command;
  std::vector<int> lefts;     // the list after
};

TEST_F(ObjectCommands, StackingOrderTable) {
  const StackCase cases[] = {
      {"forward on the top changes nothing", {4}, "Bring Forward", {0, 50, 100, 150, 200}},
      {"backward on the bottom changes nothing", {0}, "Send Backward", {0, 50, 100, 150, 200}},
      {"forward swaps with the next", {1}, "Bring Forward", {0, 100, 50, 150, 200}},
      {"backward swaps with the previous", {3}, "Send Backward", {0, 50, 150, 100, 200}},
      {"one to front", {0}, "Bring to front", {50, 100, 150, 200, 0}},
      {"one to back", {4}, "Send to Back", {200, 0, 50, 100, 150}},
      {"positions 3 and 5 to back keep their order", {4, 2}, "Send to Back", {100, 200, 0, 50, 150}},
      {"two to front keep their order", {3, 0}, "Bring to front", {50, 100, 200, 0, 150}},
  };
  for (const StackCase& c : cases) {
    SCOPED_TRACE(c.name);
    tools_.ForgetSelection();  // the objects go; nothing may point at them
    doc_.Objects().clear();
    std::vector<CDrawObject*> five = AddFive();
    if (c.selected.size() == 1) {
      tools_.SelectObject(five[static_cast<std::size_t>(c.selected[0])]);
    } else {
      std::vector<CDrawObject*> multi;
      for (int i : c.selected) multi.push_back(five[static_cast<std::size_t>(i)]);
      tools_.SetMultiSelection(multi, false);
    }
    const int rebuilds = services_.layer_rebuilds;
    const std::size_t depth = doc_.UndoDepth();
    ASSERT_TRUE(Run(c.command));
    EXPECT_EQ(Lefts(), c.lefts);
    EXPECT_EQ(services_.layer_rebuilds, rebuilds + 1);  // even when nothing moved
    EXPECT_EQ(doc_.UndoDepth(), std::min<std::size_t>(depth + 1, 5));
  }
}

TEST_F(ObjectCommands, ForwardAndBackwardAreNotOfferedForSeveralObjects) {
  std::vector<CDrawObject*> five = AddFive();
  tools_.SetMultiSelection({five[0], five[1]}, false);
  EXPECT_FALSE(Run("Bring Forward"));
  EXPECT_FALSE(Run("Send Backward"));
  EXPECT_EQ(Lefts(), (std::vector<int>{0, 50, 100, 150, 200}));
}

// ---- align, nudge

TEST_F(ObjectCommands, AlignUsesTheUnionAndIntegerHalves) {
  struct Case {
    const char* command;
    Point a, b;  // the new top-left corners
  };
  // a: 11 x 11 at (0, 0); b: 13 x 7 at (20, 10); the union is (0, 0, 33, 17).
  const Case cases[] = {
      {"Align Left", {0, 0}, {0, 10}},    {"Align Right", {22, 0}, {20, 10}},
      {"Align Top", {0, 0}, {20, 0}},     {"Align Bottom", {0, 6}, {20, 10}},
      {"Align Center", {11, 3}, {10, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    tools_.ForgetSelection();  // the objects go; nothing may point at them
    doc_.Objects().clear();
    CDrawObject& a = AddRectangle(0, 0, 11, 11);
    CDrawObject& b = AddRectangle(20, 10, 33, 17);
    tools_.SetMultiSelection({&a, &b}, false);
    const std::size_t depth = doc_.UndoDepth();
    ASSERT_TRUE(Run(c.command));
    EXPECT_EQ((Point{a.GetX(), a.GetY()}), c.a);
    EXPECT_EQ((Point{b.GetX(), b.GetY()}), c.b);
    EXPECT_EQ(a.GetWidth(), 11);  // moved, never resized
    EXPECT_EQ(doc_.UndoDepth(), std::min<std::size_t>(depth + 1, 5));
  }
  tools_.SelectObject(doc_.Objects()[0].get());
  EXPECT_FALSE(Run("Align Left"));
}

TEST_F(ObjectCommands, NudgesFoldIntoTheNextSnapshot) {
  CDrawObject& o = AddRectangle(10, 10, 40, 40);
  doc_.TakeSnapshot();
  tools_.SelectObject(&o);
  const std::size_t depth = doc_.UndoDepth();
  for (const char* key : {"Right", "Right", "Down", "Left", "Right"}) Key(key);
  EXPECT_EQ((Point{o.GetX(), o.GetY()}), (Point{12, 11}));
  EXPECT_EQ(doc_.UndoDepth(), depth);
  ASSERT_TRUE(Run("Horizontal Flip"));
  doc_.Undo();
  EXPECT_EQ(doc_.Objects()[0]->GetX(), 10);  // the nudges went with the flip's step
  doc_.Redo();
  EXPECT_EQ(doc_.Objects()[0]->GetX(), 12);
}

TEST_F(ObjectCommands, NudgingSeveralMovesTheirGroupRectangle) {
  CDrawObject& a = AddRectangle(10, 10, 40, 40);
  CDrawObject& b = AddRectangle(50, 10, 80, 40);
  tools_.SetMultiSelection({&a, &b}, false);
  ASSERT_TRUE(Run("Group"));
  Key("Up");
  EXPECT_EQ(a.GetY(), 9);
  EXPECT_EQ(b.GetY(), 9);
  EXPECT_EQ(doc_.Groups()[0].m_rect, (Rect{10, 9, 80, 39}));
}

// ---- rotate

TEST_F(ObjectCommands, RotateAngleIsTheValueModulo360KeepingItsSign) {
  const std::pair<int, int> cases[] = {{450, 90}, {-450, -90}, {360, 0}, {-45, -45}, {719, 359}};
  for (auto [typed, angle] : cases) EXPECT_EQ(NormalisedRotateAngle(typed), angle) << typed;
}

TEST_F(ObjectCommands, RotateAsksFromTheStoredAngleAndKeepsTheNewOne) {
  CDrawObject& o = AddRectangle(100, 100, 160, 120);
  tools_.SelectObject(&o);
  services_.settings.SetInt("Settings", "Angle", 45);
  services_.rotate_answers = {450, std::nullopt};
  const std::size_t depth = doc_.UndoDepth();
  ASSERT_TRUE(Run("Rotate..."));
  EXPECT_EQ(services_.asked_angles, std::vector<int>{45});
  EXPECT_EQ(services_.settings.GetInt("Settings", "Angle", 0), 90);
  // A quarter turn stands the 60 x 20 box on end.
  EXPECT_NEAR(o.GetWidth(), 20, 3);
  EXPECT_NEAR(o.GetHeight(), 60, 3);
  EXPECT_EQ(doc_.UndoDepth(), depth + 1);
  // Cancel changes nothing.
  const Rect box = o.GetRect();
  ASSERT_TRUE(Run("Rotate..."));
  EXPECT_EQ(services_.asked_angles.back(), 90);
  EXPECT_EQ(o.GetRect(), box);
  EXPECT_EQ(doc_.UndoDepth(), depth + 1);
}

// ---- hide, flip

TEST_F(ObjectCommands, HidingObjectsAboveAndShowingAll) {
  std::vector<CDrawObject*> five = AddFive();
  five[0]->SetHidden(1);
  tools_.SelectObject(five[2]);
  ASSERT_TRUE(Run("Hide all objects before selected object"));
  std::vector<int> hidden;
  for (CDrawObject* o : five) hidden.push_back(o->GetHidden());
  EXPECT_EQ(hidden, (std::vector<int>{0, 0, 0, 1, 1}));
  ASSERT_TRUE(Run("Show All Objects"));
  for (CDrawObject* o : five) EXPECT_EQ(o->GetHidden(), 0);
}

// ---- selection and deletion

TEST_F(ObjectCommands, SelectNextPreviousAndAll) {
  std::vector<CDrawObject*> five = AddFive();
  EXPECT_FALSE(Run("Select Next Object"));
  tools_.SelectObject(five[3]);
  ASSERT_TRUE(Run("Select Next Object"));
  EXPECT_EQ(tools_.Selected(), five[4]);
  ASSERT_TRUE(Run("Select Next Object"));  // the end: the selection stays
  EXPECT_EQ(tools_.Selected(), five[4]);
  tools_.SelectObject(five[0]);
  ASSERT_TRUE(Run("Select Previous Object"));
  EXPECT_EQ(tools_.Selected(), five[0]);
  const std::size_t depth = doc_.UndoDepth();
  ASSERT_TRUE(Run("Select All"));
  EXPECT_EQ(tools_.MultiSelection(), five);
  EXPECT_EQ(tools_.Selected(), nullptr);
  EXPECT_EQ(Statuses().back(), "Group of 5 objects");
  EXPECT_EQ(doc_.UndoDepth(), depth);
}

TEST_F(ObjectCommands, DeleteOneOrSeveralAndUndoOnce) {
  std::vector<CDrawObject*> five = AddFive();
  doc_.SetUndoLimit(10);
  tools_.SelectObject(five[1]);
  std::size_t depth = doc_.UndoDepth();
  Key("Delete");
  EXPECT_EQ(Lefts(), (std::vector<int>{0, 100, 150, 200}));
  EXPECT_EQ(doc_.UndoDepth(), depth + 1);
  EXPECT_EQ(tools_.Selected(), nullptr);
  tools_.SetMultiSelection({five[4], five[0]}, false);
  depth = doc_.UndoDepth();
  ASSERT_TRUE(Run("Delete Object"));
  EXPECT_EQ(Lefts(), (std::vector<int>{100, 150}));
  EXPECT_EQ(doc_.UndoDepth(), depth + 2);
  EXPECT_TRUE(tools_.MultiSelection().empty());
  doc_.Undo();
  EXPECT_EQ(Lefts(), (std::vector<int>{0, 100, 150, 200}));
}

TEST_F(ObjectCommands, DeletingEveryMemberOfAGroupRemovesTheGroup) {
  CDrawObject& a = AddRectangle(10, 10, 40, 40);
  CDrawObject& b = AddRectangle(50, 10, 80, 40);
  AddRectangle(100, 10, 130, 40);
  tools_.SetMultiSelection({&a, &b}, false);
  ASSERT_TRUE(Run("Group"));
  ASSERT_TRUE(Run("Delete Object"));
  EXPECT_TRUE(doc_.Groups().empty());
  EXPECT_EQ(doc_.Objects().size(), 1u);
}

// ---- groups

TEST_F(ObjectCommands, GroupingOneDoesNothingAndTwiceMakesTwoGroups) {
  CDrawObject& a = AddRectangle(10, 10, 40, 40);
  CDrawObject& b = AddRectangle(50, 20, 80, 60);
  tools_.SetMultiSelection({&a}, false);
  ASSERT_TRUE(Run("Group"));
  EXPECT_TRUE(doc_.Groups().empty());
  EXPECT_EQ(a.GetGrouped(), 0);

  tools_.SetMultiSelection({&b, &a}, false);
  ASSERT_TRUE(Run("Group"));
  ASSERT_TRUE(Run("Group"));
  ASSERT_EQ(doc_.Groups().size(), 2u);
  EXPECT_EQ(doc_.Groups()[0].m_members, (std::vector<std::string>{b.GetId(), a.GetId()}));
  EXPECT_EQ(doc_.Groups()[1].m_rect, (Rect{10, 10, 80, 60}));
  EXPECT_TRUE(tools_.GroupSelected());
  EXPECT_EQ(Statuses().back(), "You Created Group of 2 objects");
  EXPECT_EQ(a.GetGrouped(), 1);

  // Ungrouping one of them leaves the other marking its members.
  ASSERT_TRUE(Run("Ungroup"));
  EXPECT_EQ(doc_.Groups().size(), 1u);
  EXPECT_EQ(a.GetGrouped(), 1);
  EXPECT_FALSE(tools_.GroupSelected());
  EXPECT_EQ(tools_.MultiSelection().size(), 2u);
  EXPECT_EQ(Statuses().back(), " 2 objects selected");
  EXPECT_FALSE(Run("Ungroup"));  // no group is selected now
  tools_.SetMultiSelection({&b, &a}, true);
  ASSERT_TRUE(Run("Ungroup"));
  EXPECT_TRUE(doc_.Groups().empty());
  EXPECT_EQ(a.GetGrouped(), 0);
  EXPECT_EQ(b.GetGrouped(), 0);
}

// ---- combine

TEST_F(ObjectCommands, CombiningTextWithARectangleConvertsTheTextFirst) {
  CDrawObject& text = AddText("Hi");
  CDrawObject& rect = AddRectangle(150, 150, 200, 200);
  tools_.SetMultiSelection({&text, &rect}, false);
  const std::size_t depth = doc_.UndoDepth();
  ASSERT_TRUE(Run("Combine Objects"));
  ASSERT_EQ(doc_.Objects().size(), 1u);
  const CDrawObject& combined = *doc_.Objects()[0];
  EXPECT_TRUE(combined.IsPolynome());
  EXPECT_FALSE(combined.IsText());
  EXPECT_EQ(combined.GetRect().right, 200);  // it reaches over the rectangle
  EXPECT_TRUE(tools_.MultiSelection().empty());
  EXPECT_EQ(doc_.UndoDepth(), depth + 1);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ObjectCommands, CombineRefusesABitmapTargetAndSkipsBitmapMembers) {
  CDrawObject& bitmap = AddBitmap(30, 30);
  CDrawObject& rect = AddRectangle(150, 150, 200, 200);
  CDrawObject& circle = AddCircle(50, 150, 100, 200);
  tools_.SetMultiSelection({&bitmap, &rect}, false);
  ASSERT_TRUE(Run("Combine Objects"));
  EXPECT_EQ(doc_.Objects().size(), 3u);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], "You can't combine bitmap object with vector objects.\nThe Combine Objects command works only for vector objects.");

  tools_.SetMultiSelection({&circle, &bitmap, &rect}, false);
  ASSERT_TRUE(Run("Combine Objects"));
  ASSERT_EQ(doc_.Objects().size(), 2u);
  EXPECT_EQ(doc_.Objects()[0].get(), &bitmap);
  EXPECT_TRUE(doc_.Objects()[1]->IsPolynome());
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_EQ(Messages()[1].rfind("Finished....\nHowever the bitmap objects", 0), 0u);
}

// ---- conversions

TEST_F(ObjectCommands, EdgeQualityIsCheckedAndSet) {
  CDrawObject& o = AddRectangle(10, 10, 40, 40);
  tools_.SelectObject(&o);
  ASSERT_TRUE(Run("Extreme"));
  EXPECT_EQ(o.GetEdgeQuality(), kExtreme);
  for (const char* text : {"Hard Edge", "Anti-Alias", "Super Smooth", "Extreme"})
    EXPECT_EQ(IsObjectCommandChecked(tools_, text), std::string(text) == "Extreme") << text;
}

TEST_F(ObjectCommands, ConversionsAreOfferedByKindOfSelection) {
  CDrawObject& rect = AddRectangle(10, 10, 40, 40);
  CDrawObject& text = AddText("Hi");
  CDrawObject& bitmap = AddBitmap(200, 200);
  struct Case {
    CDrawObject* selected;
    const char* command;
    bool enabled;
  };
  const Case cases[] = {
      {&rect, "Convert Text to Polynome", false},     {&text, "Convert Text to Polynome", true},
      {&rect, "Convert Object to Polynome", true},    {&bitmap, "Convert Object to Polynome", false},
      {&rect, "Convert Polynome to envelope", false}, {&bitmap, "Convert Polynome to envelope", true},
      {&text, "Convert Polynome to envelope", false}, {&rect, "White Transparency", false},
      {&bitmap, "Sharpen", true},                     {&text, "Edit Text...", true},
      {&bitmap, "Apply Changes", false},              {&rect, "Update from original", false},
      {nullptr, "Convert To Bitmap", false},          {&bitmap, "Create a Project Texture from this Bitmap", true},
  };
  for (const Case& c : cases) {
    tools_.SelectObject(c.selected);
    EXPECT_EQ(FindMenuCommand(c.command)->enabled(tools_), c.enabled) << c.command;
  }
}

TEST_F(ObjectCommands, ConvertingPolynomeAndBitmapToEnvelopesHandsOverToTheShapeTool) {
  CDrawObject& poly = AddPolynome(10, 10, 60, 60);
  CDrawObject& bitmap = AddBitmap(200, 200);
  tools_.SelectObject(&poly);
  ASSERT_TRUE(Run("Convert Polynome to envelope"));
  EXPECT_TRUE(poly.IsText() && !poly.HasText());  // an envelope polynome: no text in it
  EXPECT_FALSE(FindMenuCommand("Convert Polynome to envelope")->enabled(tools_));
  EXPECT_EQ(tools_.CurrentTool(), Tool::Shape);
  tools_.ResumeSelect();
  tools_.SelectObject(&bitmap);
  host_.QueueAnswer(Answer::Ok);
  ASSERT_TRUE(Run("Convert Polynome to envelope"));
  EXPECT_TRUE(bitmap.IsBitmap());
  EXPECT_TRUE(bitmap.IsEnvelope());
  EXPECT_EQ(tools_.CurrentTool(), Tool::Shape);
}

TEST_F(ObjectCommands, ApplyChangesAsksFirst) {
  CDrawObject& bitmap = AddBitmap(100, 100, 40);
  bitmap.SetSize(20, 20);
  tools_.SelectObject(&bitmap);
  const std::size_t depth = doc_.UndoDepth();
  host_.QueueAnswer(Answer::No);
  ASSERT_TRUE(Run("Apply Changes"));
  EXPECT_EQ(bitmap.GetSourceWidth(), 40);
  EXPECT_EQ(doc_.UndoDepth(), depth);
  host_.QueueAnswer(Answer::Yes);
  ASSERT_TRUE(Run("Apply Changes"));
  EXPECT_EQ(bitmap.GetSourceWidth(), 20);
  EXPECT_EQ(doc_.UndoDepth(), depth + 1);
  const std::string asked = std::string("ask: ") + kApplyChangesQuestion;
  EXPECT_EQ(std::count(host_.Log().begin(), host_.Log().end(), asked), 2);
  EXPECT_FALSE(FindMenuCommand("Apply Changes")->enabled(tools_));  // now at its source size
}

TEST_F(ObjectCommands, TwoObjectBitmapCommandsNeedTheBitmapBelow) {
  CDrawObject& rect = AddRectangle(90, 90, 110, 110);
  CDrawObject& bitmap = AddBitmap(100, 100, 40);
  tools_.SetMultiSelection({&bitmap, &rect}, false);
  ASSERT_TRUE(Run("Crop Bitmap to the size of another object"));
  EXPECT_EQ(Messages(), std::vector<std::string>{kBottomMustBeBitmapMessage});
  EXPECT_EQ(doc_.Objects().size(), 2u);

  // The bitmap below the rectangle: the crop keeps the rectangle's part and deletes it.
  tools_.SetMultiSelection({&bitmap}, false);
  ASSERT_TRUE(Run("Send to Back"));
  tools_.SetMultiSelection({&rect, &bitmap}, false);
  ASSERT_TRUE(Run("Crop Bitmap to the size of another object"));
  ASSERT_EQ(doc_.Objects().size(), 1u);
  EXPECT_EQ(tools_.Selected(), &bitmap);
  EXPECT_LT(bitmap.GetWidth(), 40);
}

TEST_F(ObjectCommands, AProjectTextureFromABitmapIsAnnounced) {
  CDrawObject& bitmap = AddBitmap(100, 100, 16);
  tools_.SelectObject(&bitmap);
  ASSERT_TRUE(Run("Create a Project Texture from this Bitmap"));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], "A new Project Specific texture 'project-texture'\nwas added.\nThis is a temporary texture - it exist only in this project.");
  EXPECT_TRUE(doc_.TextureBank().Contains("project-texture"));
}

}  // namespace
}  // namespace lumi::testing
