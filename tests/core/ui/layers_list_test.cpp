// The Layers panel's list: order, labels, line text, colours, the icon columns a press
// toggles, and the selection that follows the current object only while shown.
#include <gtest/gtest.h>

#include <functional>

#include "base/host.h"
#include "objects/draw_object.h"
#include "ui/layers_list.h"

namespace lumi {
namespace {

class Layers : public ::testing::Test {
 protected:
  CDrawObject& AddRectangle(const std::string& name) {
    auto object = std::make_unique<CDrawObject>(host_);
    object->CreateRectangle(0, 0, 20, 20);
    object->SetKindName(name);
    objects_.push_back(std::move(object));
    return *objects_.back();
  }
  std::vector<std::string> Labels() const {
    std::vector<std::string> labels;
    for (const LayerLine& line : list_.Lines()) labels.push_back(line.label);
    return labels;
  }

  RecordingHost host_;
  ObjectList objects_;
  LayersList list_;
};

TEST_F(Layers, FrontMostObjectIsListedFirst) {
  AddRectangle("A");
  AddRectangle("B");
  AddRectangle("C");
  list_.Rebuild(objects_);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"C", "B", "A"}));
  EXPECT_EQ(list_.Lines()[0].object, objects_[2].get());
  list_.Rebuild({});
  EXPECT_TRUE(list_.Lines().empty());
}

TEST_F(Layers, LabelsComeFromKindNameOrKind) {
  struct Case {
    const char* what;
    std::function<void(CDrawObject&)> make;
    const char* label;
  };
  const std::vector<Case> cases = {
      {"named rectangle", [](CDrawObject& o) { o.CreateRectangle(0, 0, 9, 9); }, "Rectangle"},
      {"nameless closed shape",
       [](CDrawObject& o) { o.CreateRectangle(0, 0, 9, 9); o.SetKindName(""); }, "Path"},
      {"nameless live text",
       [](CDrawObject& o) { o.SetKind(kKindPolynome); o.SetEditableText(1); }, "Text"},
      {"nameless polynome", [](CDrawObject& o) { o.SetKind(kKindPolynome); }, "Polynome"},
      {"nameless open polynome",
       [](CDrawObject& o) { o.SetKind(kKindPolynome); o.Polynome().SetOpen(true); },
       "Polynome - Open"},
      {"nameless bitmap", [](CDrawObject& o) { o.SetKind(kKindBitmap); }, "Bitmap"},
      {"nameless object of no kind", [](CDrawObject&) {}, "Object"},
      {"open free path",
       [](CDrawObject& o) { o.CreateFreePath({{0, 0}, {30, 5}, {40, 40}, {10, 30}}, false); },
       "Free Path - Open"},
      {"closed free path",  // closing needs six points at least
       [](CDrawObject& o) {
         o.CreateFreePath({{0, 0}, {30, 5}, {40, 20}, {40, 40}, {20, 45}, {10, 30}}, true);
       },
       "Free Path"},
  };
  for (const Case& c : cases) {
    CDrawObject object(host_);
    c.make(object);
    EXPECT_EQ(LayerLabel(object), c.label) << c.what;
  }
}

TEST_F(Layers, LineTextCarriesLabelAndFlags) {
  const LayerLine line{nullptr, "Star - Open", true, false};
  EXPECT_EQ(LayerLineText(line), "Star - Open|1|0|");
  const LayerLine back = ParseLayerLineText("Star - Open|1|0|");
  EXPECT_EQ(back.label, "Star - Open");
  EXPECT_TRUE(back.hidden);
  EXPECT_FALSE(back.locked);
  // A label with a bar in it keeps it: the flags are the last two fields.
  EXPECT_EQ(ParseLayerLineText("a|b|0|1|").label, "a|b");
  EXPECT_TRUE(ParseLayerLineText("a|b|0|1|").locked);
}

TEST_F(Layers, ColoursOfSelectedHiddenAndLockedLines) {
  struct Case { bool selected, hidden, locked; COLORREF background, text; };
  const Case cases[] = {
      {false, false, false, RGB(255, 255, 255), RGB(0, 0, 0)},
      {false, true, false, RGB(192, 192, 192), RGB(128, 128, 128)},
      {false, false, true, RGB(255, 192, 192), RGB(0, 0, 0)},
      {false, true, true, RGB(255, 192, 192), RGB(128, 128, 128)},
      {true, false, false, RGB(0, 0, 255), RGB(255, 255, 225)},
      {true, true, false, RGB(128, 128, 128), RGB(255, 255, 225)},
      {true, true, true, RGB(192, 0, 0), RGB(255, 255, 225)},
  };
  for (const Case& c : cases) {
    const LayerLineColours colours = LayerColours(c.selected, c.hidden, c.locked);
    EXPECT_EQ(colours.background, c.background) << c.selected << c.hidden << c.locked;
    EXPECT_EQ(colours.text, c.text) << c.selected << c.hidden << c.locked;
  }
}

TEST_F(Layers, PressOnIconColumnsTogglesHiddenAndLock) {
  CDrawObject& a = AddRectangle("A");
  list_.Rebuild(objects_);
  struct Case { int x; int hidden, grouped; };
  const Case cases[] = {
      {0, 1, 0}, {12, 0, 0},   // hidden icon: first 13 pixels
      {13, 0, 1}, {25, 0, 0},  // lock icon: 13 to 25
      {26, 0, 0}, {80, 0, 0},  // the label: no change
  };
  for (const Case& c : cases) {
    EXPECT_EQ(list_.Press(0, c.x, objects_), &a) << c.x;
    EXPECT_EQ(a.GetHidden(), c.hidden) << c.x;
    EXPECT_EQ(a.GetGrouped(), c.grouped) << c.x;
    EXPECT_EQ(list_.Lines()[0].hidden, c.hidden != 0) << c.x;
    EXPECT_EQ(list_.Lines()[0].locked, c.grouped != 0) << c.x;
    EXPECT_EQ(list_.Lines()[0].label, "A") << c.x;
    EXPECT_EQ(list_.Selected(), 0) << c.x;
  }
}

TEST_F(Layers, PressOnAnObjectNoLongerHeldChangesNothing) {
  AddRectangle("A");
  list_.Rebuild(objects_);
  ObjectList emptied;
  const CDrawObject* pressed = list_.Press(0, 2, emptied);
  EXPECT_EQ(pressed, objects_[0].get());
  EXPECT_EQ(objects_[0]->GetHidden(), 0);
  EXPECT_EQ(list_.Press(5, 2, objects_), nullptr);  // past the last line
  EXPECT_FALSE(list_.Relabel(0, "X", true, true, emptied));
  EXPECT_EQ(objects_[0]->GetKindName(), "A");
}

TEST_F(Layers, SelectionFollowsCurrentObjectOnlyWhileShown) {
  AddRectangle("A");
  CDrawObject& b = AddRectangle("B");
  list_.Rebuild(objects_);
  list_.SetObject(&b);
  EXPECT_FALSE(list_.Selected()) << "hidden panel leaves the selection alone";
  list_.SetVisible(true);
  EXPECT_EQ(list_.Selected(), 0);
  list_.SetObject(objects_[0].get());
  EXPECT_EQ(list_.Selected(), 1);
  list_.SetVisible(false);
  list_.SetObject(&b);
  EXPECT_EQ(list_.Selected(), 1) << "hidden panel leaves the selection alone";
  list_.SetVisible(true);
  list_.SetObject(nullptr);
  EXPECT_FALSE(list_.Selected());
}

TEST_F(Layers, RelabelRenamesKindAndKeepsTheLineSelected) {
  AddRectangle("A");
  CDrawObject& b = AddRectangle("B");
  list_.Rebuild(objects_);
  list_.SetVisible(true);
  ASSERT_TRUE(list_.Relabel(0, "Sky", true, true, objects_));
  EXPECT_EQ(b.GetKindName(), "Sky");
  EXPECT_EQ(b.GetHidden(), 1);
  EXPECT_EQ(b.GetGrouped(), 1);
  EXPECT_EQ(list_.Lines()[0].label, "Sky");
  EXPECT_EQ(list_.Selected(), 0);
  EXPECT_EQ(list_.Current(), &b);
}

}  // namespace
}  // namespace lumi
