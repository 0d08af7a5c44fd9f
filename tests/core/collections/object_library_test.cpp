// Object-library entries: groups, the stream of records, where objects are stored, and
// hostile entry files.
#include <gtest/gtest.h>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"
#include "base/host.h"
#include "collections/object_library.h"
#include "library/library_fixture.h"
#include "objects/draw_object.h"

namespace lumi {
namespace {

using testing::LibraryFolderTest;

class ObjectLibraryTest : public LibraryFolderTest {
 protected:
  std::unique_ptr<CDrawObject> Box(int x, int y, COLORREF colour) {
    auto o = std::make_unique<CDrawObject>(host_);
    o->CreateRectangle(x, y, x + 40, y + 30);
    o->MoveTo(x, y);
    o->SetSize(40, 30);
    o->SetFillColor(colour);
    o->Render();
    return o;
  }
  std::vector<std::unique_ptr<CDrawObject>> ReadEntry(int n) {
    auto objects = ReadObjectEntry(ObjectEntries(dir_).MainFile(n), host_);
    EXPECT_TRUE(objects);
    return objects ? std::move(*objects) : std::vector<std::unique_ptr<CDrawObject>>{};
  }
  SilentHost host_;
};

TEST_F(ObjectLibraryTest, GroupsAreTheSubFoldersAndTheStoredOneIsChosenWhenListed) {
  EXPECT_TRUE(ObjectGroupNames(dir_).empty());
  EXPECT_EQ(ChooseObjectGroup({}, "xx"), std::nullopt);
  EXPECT_EQ(ObjectGroupFolder("/lib/Objects/", std::nullopt), "/lib/Objects/");

  std::filesystem::create_directories(dir_ / "Stars");
  std::filesystem::create_directories(dir_ / "Arrows");
  Write("Object1.obj", "not a folder");
  const std::vector<std::string> groups = ObjectGroupNames(dir_);
  EXPECT_EQ(groups, (std::vector<std::string>{"Arrows", "Stars"}));
  EXPECT_EQ(ChooseObjectGroup(groups, "Stars"), "Stars");
  EXPECT_EQ(ChooseObjectGroup(groups, "xx"), "Arrows");
  EXPECT_EQ(ObjectGroupFolder("/lib/Objects", std::string("Stars")), "/lib/Objects/Stars/");
}

TEST_F(ObjectLibraryTest, OneObjectIsStoredAtTheOriginWithItsSize) {
  const auto box = Box(200, 150, 0x00FF00);
  ASSERT_EQ(AddObjectEntry(dir_, {box.get()}), 1);
  EXPECT_EQ(box->GetRect(), (Rect{200, 150, 240, 180})) << "the current object stays put";
  const auto stored = ReadEntry(1);
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0]->GetRect(), (Rect{0, 0, 40, 30}));
  EXPECT_EQ(stored[0]->GetFillColor(), 0x00FF00u);
  const std::vector<std::uint8_t> bytes = Bytes("Object1.obj");
  EXPECT_EQ(bytes[0], 1);  // the count, 32-bit little-endian
  EXPECT_EQ(bytes[1] | bytes[2] | bytes[3], 0);
  EXPECT_EQ(Bytes("Object1.tmb").size(), 54u + 152u * 50u);
}

TEST_F(ObjectLibraryTest, ASelectionKeepsPositionsAndOrder) {
  const auto a = Box(10, 10, 0x0000FF), b = Box(100, 40, 0x00FF00), c = Box(50, 200, 0xFF0000);
  ASSERT_EQ(AddObjectEntry(dir_, {a.get(), b.get(), c.get()}), 1);
  const auto stored = ReadEntry(1);
  ASSERT_EQ(stored.size(), 3u);
  EXPECT_EQ(stored[0]->GetRect(), a->GetRect());
  EXPECT_EQ(stored[1]->GetRect(), b->GetRect());
  EXPECT_EQ(stored[2]->GetFillColor(), 0xFF0000u);
  EXPECT_EQ(Bytes("Object1.obj")[0], 3);
}

TEST_F(ObjectLibraryTest, ReplaceOverwritesTheEntryAndItsPicture) {
  const auto a = Box(0, 0, 0x0000FF), b = Box(0, 0, 0x00FF00);
  ASSERT_EQ(AddObjectEntry(dir_, {a.get()}), 1);
  ASSERT_EQ(AddObjectEntry(dir_, {a.get()}), 2);
  const auto old_picture = Bytes("Object2.tmb");
  ASSERT_TRUE(WriteObjectEntry(dir_, 2, {b.get()}));
  EXPECT_EQ(ReadEntry(2)[0]->GetFillColor(), 0x00FF00u);
  EXPECT_NE(Bytes("Object2.tmb"), old_picture);
  EXPECT_EQ(ObjectEntries(dir_).Count(), 2);
}

TEST_F(ObjectLibraryTest, HostileEntriesFailWholeAndMissingOnesGiveNothing) {
  EXPECT_FALSE(ReadObjectEntry(dir_ / "Object9.obj", host_));
  const auto a = Box(0, 0, 0x0000FF);
  ASSERT_EQ(AddObjectEntry(dir_, {a.get()}), 1);
  const std::string good = Read("Object1.obj");
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"negative count", std::string("\xff\xff\xff\xff", 4) + good.substr(4)},
      {"count beyond the bytes", std::string("\x00\x00\x00\x40", 4) + good.substr(4)},
      {"second record missing", std::string("\x02\x00\x00\x00", 4) + good.substr(4)},
      {"record cut short", good.substr(0, good.size() - 9)},
      {"count cut short", good.substr(0, 2)},
  };
  for (const Case& c : cases) {
    Write("Bad.obj", c.bytes);
    EXPECT_THROW(ReadObjectEntry(dir_ / "Bad.obj", host_), ArchiveError) << c.what;
  }
}

}  // namespace
}  // namespace lumi
