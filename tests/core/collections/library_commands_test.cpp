// Styles applied to a document's object or to the defaults, and object-library entries
// put into the document.
#include <gtest/gtest.h>

#include "collections/library_commands.h"
#include "document/document_fixture.h"
#include "collections/object_library.h"
#include "collections/style_library.h"
#include "objects/text_dialog.h"

namespace lumi {
namespace {

class LibraryCommandsTest : public testing::DocumentTest {
 protected:
  CDrawObject& Placed(int x, int y, int w, int h) {
    CDrawObject& o = AddRectangle(x, y, x + w, y + h);
    o.MoveTo(x, y);
    o.SetSize(w, h);
    return o;
  }
  std::vector<std::string> Status() const {
    std::vector<std::string> lines;
    for (const auto& line : host_.Log()) {
      if (line.rfind("status 0: ", 0) == 0) lines.push_back(line.substr(10));
    }
    return lines;
  }
  NewObjectDefaultSets defaults_;
};

TEST_F(LibraryCommandsTest, AStyleOnTextKeepsTheTextAndFontAndTakesTheLook) {
  CDrawObject& look = Placed(10, 10, 60, 40);
  look.SetFillColor(0x123456);
  look.SetFillColor2(0x654321);
  look.SetBevelKind(4);
  look.SetEffectKind(2);
  look.SetTransparency(40);
  ASSERT_EQ(AddStyle(dir_, look), 1);

  auto text = doc_.MakeObject();
  ScriptedTextDialog dialog;
  dialog.Ok([](TextDialogValues& v) {
    v.text = "Words";
    v.size = 24;
    SetFaceName(v.font, "Liberation Serif");
  });
  ASSERT_EQ(text->CreateText(100, 100, "", dialog), 1);
  const LOGFONT font = text->GetFont();
  const Rect box = text->GetRect();
  doc_.Objects().push_back(std::move(text));
  CDrawObject& target = *doc_.Objects().back();
  const std::size_t undo = doc_.UndoDepth();

  ASSERT_TRUE(ApplyStyleFile(doc_, &target, dir_ / "Style1.sty", defaults_));
  EXPECT_EQ(target.GetText(), "Words");
  EXPECT_EQ(std::string(target.GetFont().lfFaceName), std::string(font.lfFaceName));
  EXPECT_EQ(target.GetRect(), box);
  EXPECT_EQ(target.GetFillColor(), 0x123456u);
  EXPECT_EQ(target.GetFillColor2(), 0x654321u);
  EXPECT_EQ(target.GetBevelKind(), 4);
  EXPECT_EQ(target.GetEffectKind(), 2);
  EXPECT_EQ(target.GetTransparency(), 40);
  EXPECT_EQ(doc_.UndoDepth(), undo + 1);
  EXPECT_EQ(Status(), (std::vector<std::string>{"Style1.sty"}));
}

TEST_F(LibraryCommandsTest, WithNothingSelectedAStyleBecomesTheDefaults) {
  CDrawObject& look = Placed(10, 10, 60, 40);
  look.SetFillColor(0x00AA00);
  ASSERT_EQ(AddStyle(dir_, look), 1);
  const std::size_t undo = doc_.UndoDepth();
  ASSERT_TRUE(ApplyStyleFile(doc_, nullptr, dir_ / "Style1.sty", defaults_));
  EXPECT_EQ(defaults_.shapes.fill_color, 0x00AA00u);
  EXPECT_EQ(Status(), (std::vector<std::string>{"Object Default:Style1.sty"}));
  EXPECT_EQ(doc_.UndoDepth(), undo);
  EXPECT_FALSE(ApplyStyleFile(doc_, nullptr, dir_ / "Style2.sty", defaults_));
  EXPECT_TRUE(host_.Messages().empty()) << "a missing style is ignored without a message";
}

TEST_F(LibraryCommandsTest, OneObjectComesBackAtTheOriginOrCentredOnTheDropPoint) {
  CDrawObject& box = Placed(200, 150, 40, 30);
  ASSERT_EQ(AddObjectEntry(dir_, {&box}), 1);
  const auto at_origin = InsertLibraryEntry(doc_, dir_ / "Object1.obj");
  ASSERT_TRUE(at_origin);
  ASSERT_EQ(at_origin->objects.size(), 1u);
  EXPECT_EQ(at_origin->objects[0]->GetRect(), (Rect{0, 0, 40, 30}));
  EXPECT_FALSE(at_origin->grouped);
  const auto dropped = InsertLibraryEntry(doc_, dir_ / "Object1.obj", Point{100, 100});
  ASSERT_TRUE(dropped);
  EXPECT_EQ(dropped->objects[0]->GetRect(), (Rect{80, 85, 120, 115}));
  EXPECT_EQ(doc_.Objects().size(), 3u);
  EXPECT_NE(dropped->objects[0]->GetId(), at_origin->objects[0]->GetId());
}

TEST_F(LibraryCommandsTest, SeveralObjectsAreInsertedAsANewGroupKeepingTheirOffsets) {
  CDrawObject& a = Placed(10, 10, 40, 30);
  CDrawObject& b = Placed(100, 50, 20, 20);
  CDrawObject& c = Placed(30, 200, 10, 10);
  ASSERT_EQ(AddObjectEntry(dir_, {&a, &b, &c}), 1);
  const std::size_t undo = doc_.UndoDepth();
  const auto inserted = InsertLibraryEntry(doc_, dir_ / "Object1.obj", Point{300, 300});
  ASSERT_TRUE(inserted);
  ASSERT_EQ(inserted->objects.size(), 3u);
  EXPECT_TRUE(inserted->grouped);
  EXPECT_EQ(inserted->objects[0]->GetRect(), (Rect{280, 285, 320, 315}));
  EXPECT_EQ(inserted->objects[1]->GetRect(), (Rect{370, 325, 390, 345}));
  EXPECT_EQ(inserted->objects[2]->GetRect(), (Rect{300, 475, 310, 485}));
  ASSERT_EQ(doc_.Groups().size(), 1u);
  EXPECT_EQ(doc_.Groups()[0].m_members.size(), 3u);
  EXPECT_EQ(doc_.Groups()[0].m_rect, (Rect{280, 285, 390, 485}));
  for (CDrawObject* o : inserted->objects) EXPECT_EQ(o->GetGrouped(), 1);
  EXPECT_EQ(Status().back(), " 3 objects selected");
  EXPECT_EQ(doc_.UndoDepth(), undo + 1);
}

TEST_F(LibraryCommandsTest, ADamagedEntryInsertsNothingAndSaysSo) {
  CDrawObject& a = Placed(10, 10, 40, 30);
  ASSERT_EQ(AddObjectEntry(dir_, {&a, &a}), 1);
  std::vector<std::uint8_t> bytes = testing::ReadBytes(dir_ / "Object1.obj");
  bytes.resize(bytes.size() - 20);  // the second record cut short
  testing::WriteBytes(dir_ / "Object1.obj", bytes);
  const std::size_t before = doc_.Objects().size();
  EXPECT_FALSE(InsertLibraryEntry(doc_, dir_ / "Object1.obj"));
  EXPECT_EQ(doc_.Objects().size(), before);
  EXPECT_EQ(host_.Messages().size(), 1u);
  EXPECT_FALSE(InsertLibraryEntry(doc_, dir_ / "Object7.obj")) << "missing: nothing happens";
  EXPECT_EQ(host_.Messages().size(), 1u);
}

}  // namespace
}  // namespace lumi
