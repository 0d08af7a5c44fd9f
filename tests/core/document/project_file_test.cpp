// The .plv container: field order and offsets, the texture block, groups, end markers,
// the load's status texts and the new-document defaults.
#include <gtest/gtest.h>

#include "document_fixture.h"
#include "render/canvas_composition.h"

namespace lumi {
namespace {

using testing::DocumentTest;
using testing::Int32At;
using testing::ProjectBytes;
using testing::PutInt32At;

class ProjectFile : public DocumentTest {};

TEST_F(ProjectFile, EmptyNonPortableProjectIsSixtyBytesInFieldOrder) {
  doc_.SetCanvasSize(640, 480);
  doc_.SetCanvasColor(0x00123456);
  doc_.SetCropRect({1, 2, 3, 4});
  doc_.SetCropActive(true);
  const auto bytes = Store();
  ASSERT_EQ(bytes.size(), 60u);
  EXPECT_EQ(bytes[0], 11);
  EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 12), "QUELMDAW1.0");
  EXPECT_EQ(Int32At(bytes, 12), 640);
  EXPECT_EQ(Int32At(bytes, 16), 480);
  EXPECT_EQ(Int32At(bytes, 20), 0x00123456);
  EXPECT_EQ(Int32At(bytes, 24), 0);  // not portable: no texture block follows
  EXPECT_EQ(Int32At(bytes, 28), 0);  // object count
  EXPECT_EQ(Int32At(bytes, 32), 1);
  EXPECT_EQ(Int32At(bytes, 36), 2);
  EXPECT_EQ(Int32At(bytes, 40), 3);
  EXPECT_EQ(Int32At(bytes, 44), 4);
  EXPECT_EQ(Int32At(bytes, 48), 1);   // crop active
  EXPECT_EQ(Int32At(bytes, 52), 0);   // group count
  EXPECT_EQ(Int32At(bytes, 56), -1);  // end marker
}

TEST_F(ProjectFile, ObjectCountFollowsThePortableFlagAtOffset28) {
  AddRectangle(10, 10, 60, 40);
  AddRectangle(20, 20, 30, 30);
  const auto bytes = Store();
  EXPECT_EQ(Int32At(bytes, 28), 2);
  // The first identifier follows the count.
  EXPECT_EQ(bytes[32], 12);
  EXPECT_EQ(std::string(bytes.begin() + 33, bytes.begin() + 45), doc_.Objects()[0]->GetId());
}

TEST_F(ProjectFile, PortableProjectWithEmptyBankWritesCountZeroAndEndMarker) {
  doc_.SetPortable(true);
  const auto bytes = Store();
  ASSERT_EQ(bytes.size(), 68u);
  EXPECT_EQ(Int32At(bytes, 24), 1);
  EXPECT_EQ(Int32At(bytes, 28), 0);
  EXPECT_EQ(Int32At(bytes, 32), -1);
  EXPECT_EQ(Int32At(bytes, 36), 0);  // object count after the 8-byte block
}

TEST_F(ProjectFile, PortableProjectCarriesItsTexturesAndReadsThemFirst) {
  doc_.SetPortable(true);
  bank_.Add("Wood.JPG", std::vector<std::uint8_t>(2 * 1 * 3, 0x40), 2, 1);
  const auto bytes = Store();
  // count, name "wood.jpg", width, height, length, 6 pixel bytes, entry end, block end.
  EXPECT_EQ(Int32At(bytes, 28), 1);
  EXPECT_EQ(bytes[32], 8);
  EXPECT_EQ(std::string(bytes.begin() + 33, bytes.begin() + 41), "wood.jpg");
  EXPECT_EQ(Int32At(bytes, 41), 2);
  EXPECT_EQ(Int32At(bytes, 45), 1);
  EXPECT_EQ(Int32At(bytes, 49), 6);
  EXPECT_EQ(Int32At(bytes, 59), -1);
  EXPECT_EQ(Int32At(bytes, 63), -1);
  EXPECT_EQ(Int32At(bytes, 67), 0);

  bank_.RemoveAll();
  ASSERT_TRUE(OpenBytes(bytes));
  EXPECT_TRUE(doc_.IsPortable());
  ASSERT_EQ(bank_.Size(), 1u);
  EXPECT_EQ(bank_.Entry(0).name, "wood.jpg");
  EXPECT_EQ(bank_.Entry(0).pixels, std::vector<std::uint8_t>(6, 0x40));
}

TEST_F(ProjectFile, LoadShowsItsStatusTextsAndProgressInOrder) {
  doc_.SetPortable(true);
  AddRectangle(0, 0, 20, 20);
  AddRectangle(5, 5, 30, 30);
  const auto bytes = Store();
  doc_.Objects().clear();
  host_.Clear();
  ASSERT_TRUE(OpenBytes(bytes));
  const std::vector<std::string> expected = {
      "status 0: Reading Textures...",
      "status 0: Rendering Documents, Please Wait...",
      "progress start:  (2)",
      "status 0: Rendering Object 1 of 2",
      "progress: 0",
      "status 0: Rendering Object 2 of 2",
      "progress: 1",
      "status 0: Finished...",
      "progress end",
  };
  EXPECT_EQ(StatusAndProgress(), expected);
  EXPECT_TRUE(host_.Messages().empty());
}

TEST_F(ProjectFile, ReadsEveryContainerField) {
  auto bytes = ProjectBytes()
                   .Header(123, 45, 0x00ABCDEF, 0)
                   .I32(0)
                   .Crop(-5, 6, 70, 80, 1)
                   .I32(0)
                   .I32(-1)
                   .Take();
  ASSERT_TRUE(OpenBytes(bytes, "fields.plv"));
  EXPECT_EQ(doc_.GetCanvasWidth(), 123);
  EXPECT_EQ(doc_.GetCanvasHeight(), 45);
  EXPECT_EQ(doc_.GetCanvasColor(), 0x00ABCDEFu);
  EXPECT_FALSE(doc_.IsPortable());
  EXPECT_EQ(doc_.GetCropRect(), (Rect{-5, 6, 70, 80}));
  EXPECT_TRUE(doc_.IsCropActive());
  EXPECT_EQ(doc_.GetPath(), dir_ / "fields.plv");
  EXPECT_EQ(views_.hints.back(), kHintCanvasChanged);
}

// A stored crop region no export could use is cleared on load; any usable one, also one
// reaching past the canvas, is kept. Either way the canvas composes afterwards.
TEST_F(ProjectFile, UnusableCropRegionsAreClearedOnLoad) {
  const struct {
    const char* what;
    Rect stored;
    bool kept;
  } cases[] = {
      {"inside", {5, 6, 70, 40}, true},
      {"reaching past the canvas", {-5, 6, 170, 80}, true},
      {"inverted", {70, 40, 5, 6}, false},
      {"less than a pixel high", {5, 6, 70, 6}, false},
      {"left of the canvas", {-50, 0, 0, 40}, false},
      {"below the canvas", {0, 45, 40, 90}, false},
      {"larger than any bitmap", {-2000000000, 0, 2000000000, 40}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Rect& r = c.stored;
    auto bytes =
        ProjectBytes().Header(123, 45, 0, 0).I32(0).Crop(r.left, r.top, r.right, r.bottom, 1).I32(0).I32(-1).Take();
    ASSERT_TRUE(OpenBytes(bytes));
    EXPECT_EQ(doc_.GetCropRect(), c.kept ? r : Rect{});
    EXPECT_EQ(doc_.IsCropActive(), c.kept);
    const CDIBSection composed = ComposeCanvas(doc_.GetCanvasArea(), doc_.Objects(), host_);
    EXPECT_EQ(composed.Width(), c.kept ? r.Width() : 123);
  }
}

TEST_F(ProjectFile, EndMarkersAreAcceptedWhateverTheyHold) {
  for (const std::int32_t marker : {-1, 0, 0x12345678}) {
    SCOPED_TRACE(marker);
    ProjectBytes p;
    p.Header(50, 60, 0, 1);
    // Texture block: one entry with its own end marker, then the block's.
    p.I32(1).Str("stone").I32(1).I32(1).I32(3);
    p.ar.WriteBytes(std::vector<std::uint8_t>{1, 2, 3});
    p.I32(marker).I32(marker);
    p.I32(0).Crop(0, 0, 0, 0, 0).I32(0).I32(marker);
    ASSERT_TRUE(OpenBytes(p.Take()));
    EXPECT_EQ(doc_.GetCanvasWidth(), 50);
    ASSERT_EQ(bank_.Size(), 1u);
    EXPECT_EQ(bank_.Entry(0).name, "stone");
  }
}

// Identifiers of 255 bytes or more take the three-byte length prefix.
TEST_F(ProjectFile, LongIdentifiersUseTheThreeBytePrefix) {
  struct Case {
    std::size_t length;
    std::vector<std::uint8_t> prefix;
  };
  const Case cases[] = {
      {254, {254}},
      {255, {0xFF, 0xFF, 0x00}},
      {300, {0xFF, 0x2C, 0x01}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    doc_.Objects().clear();
    doc_.Groups().clear();
    const std::string id(c.length, 'Q');
    AddRectangle(10, 10, 50, 50).SetId(id);
    doc_.Groups().push_back(CObjectGroup{{id}, {}});
    const auto bytes = Store();
    // The object identifier right after the count.
    ASSERT_GT(bytes.size(), 32 + c.prefix.size() + c.length);
    EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), bytes.begin() + 32));
    EXPECT_EQ(bytes[32 + c.prefix.size()], 'Q');
    // The group's member identifier is the last field before the end marker.
    const std::size_t member_at = bytes.size() - 4 - c.length - c.prefix.size();
    EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), bytes.begin() + member_at));

    ASSERT_TRUE(OpenBytes(bytes));
    ASSERT_EQ(doc_.Objects().size(), 1u);
    EXPECT_EQ(doc_.Objects()[0]->GetId(), id);
    EXPECT_EQ(doc_.FindObject(id), doc_.Objects()[0].get());
    ASSERT_EQ(doc_.Groups().size(), 1u);
    EXPECT_EQ(doc_.Groups()[0].m_members, std::vector<std::string>{id});
  }
}

TEST_F(ProjectFile, GroupRectanglesAreRecomputedAndGroupsWithoutMembersDisappear) {
  CDrawObject& a = AddRectangle(10, 20, 50, 60);
  CDrawObject& b = AddRectangle(100, 5, 130, 30);
  const Rect ra = a.GetRect();
  const Rect rb = b.GetRect();
  doc_.Groups().push_back(CObjectGroup{{a.GetId(), "MISSINGxxxxx", b.GetId()}, {0, 0, 1, 1}});
  doc_.Groups().push_back(CObjectGroup{{"GONE00000000", "GONE00000001"}, {0, 0, 99, 99}});
  doc_.Groups().push_back(CObjectGroup{{b.GetId()}, {7, 7, 8, 8}});
  ASSERT_TRUE(OpenBytes(Store()));
  ASSERT_EQ(doc_.Groups().size(), 2u);
  EXPECT_EQ(doc_.Groups()[0].m_rect, Union(ra, rb));
  EXPECT_EQ(doc_.Groups()[0].m_members.size(), 3u);  // unknown members are kept, only skipped
  EXPECT_EQ(doc_.Groups()[1].m_rect, rb);
}

TEST_F(ProjectFile, SerializeIntoADocumentWithObjectsWarnsAndAppends) {
  AddRectangle(0, 0, 10, 10);
  const auto bytes = Store();
  MemorySource source(bytes);
  CArchive ar(source);
  ASSERT_TRUE(doc_.Serialize(ar));
  EXPECT_EQ(host_.Messages(), std::vector<std::string>{"Document is Not Empty"});
  EXPECT_EQ(doc_.Objects().size(), 2u);
}

TEST_F(ProjectFile, NewDocumentTakesItsDefaultsFromTheSettings) {
  struct Case {
    int width, height, portable;  // settings; 0 = not set
    int expect_width, expect_height;
    bool expect_portable;
  };
  const Case cases[] = {{0, 0, 0, 400, 300, false}, {640, 480, 1, 640, 480, true}};
  for (const Case& c : cases) {
    MemorySettings settings;
    if (c.width) settings.SetInt("Settings", "DefWidth", c.width);
    if (c.height) settings.SetInt("Settings", "DefHeight", c.height);
    if (c.portable) settings.SetInt("Settings", "STexture", c.portable);
    CPlenivorDoc doc(host_, settings, bank_);
    doc.SetCanvasColor(0x1);
    doc.SetCropRect({1, 1, 5, 5});
    doc.SetCropActive(true);
    doc.NewDocument();
    EXPECT_EQ(doc.GetCanvasWidth(), c.expect_width);
    EXPECT_EQ(doc.GetCanvasHeight(), c.expect_height);
    EXPECT_EQ(doc.GetCanvasColor(), 0xFFFFFFu);
    EXPECT_EQ(doc.IsPortable(), c.expect_portable);
    EXPECT_EQ(doc.GetCropRect(), Rect{});
    EXPECT_FALSE(doc.IsCropActive());
    EXPECT_EQ(doc.UndoDepth(), 1u);
  }
}

TEST_F(ProjectFile, DeleteContentsEmptiesBankObjectsAndGroupsButKeepsUndo) {
  doc_.NewDocument();
  AddRectangle(0, 0, 10, 10);
  doc_.TakeSnapshot();
  doc_.Groups().push_back(CObjectGroup{{"X"}, {0, 0, 1, 1}});
  bank_.Add("t", std::vector<std::uint8_t>(3), 1, 1);
  const int told = views_.nothing_selected;
  doc_.DeleteContents();
  EXPECT_TRUE(doc_.Objects().empty());
  EXPECT_TRUE(doc_.Groups().empty());
  EXPECT_EQ(bank_.Size(), 0u);
  EXPECT_EQ(views_.nothing_selected, told + 1);
  EXPECT_EQ(doc_.UndoDepth(), 2u);
}

TEST_F(ProjectFile, ObjectsWithButtonLooksShowTheMultimediaBarOnLoad) {
  AddRectangle(0, 0, 10, 10);
  ASSERT_TRUE(OpenBytes(Store()));
  EXPECT_EQ(views_.multimedia, 0);
  doc_.Objects()[0]->SetStates(0, true, false, false);
  ASSERT_TRUE(OpenBytes(Store()));
  EXPECT_EQ(views_.multimedia, 1);
}

}  // namespace
}  // namespace lumi
