// Whole projects through files: save, open, save again gives the same bytes; damaged
// copies of the project (cut short, counts flipped) fail the open as a whole.
#include <gtest/gtest.h>

#include "document_fixture.h"
#include "rich_project.h"

namespace lumi {
namespace {

using testing::DocumentTest;
using testing::Int32At;
using testing::PutInt32At;
using testing::ReadBytes;

class ProjectRoundTrip : public DocumentTest {
 protected:
  void SetUp() override {
    testing::FillRichProject(doc_, bank_);
    ASSERT_TRUE(doc_.SaveAs(dir_ / "rich.plv", ImageFormat::kProject));
    saved_ = ReadBytes(dir_ / "rich.plv");
  }
  std::vector<std::uint8_t> saved_;
};

TEST_F(ProjectRoundTrip, SaveOpenSaveGivesIdenticalBytes) {
  ASSERT_TRUE(doc_.Open(dir_ / "rich.plv"));
  EXPECT_TRUE(host_.Messages().empty());
  ASSERT_EQ(doc_.Objects().size(), 10u);
  EXPECT_EQ(doc_.Groups().size(), 2u);
  EXPECT_EQ(views_.multimedia, 1);
  ASSERT_TRUE(doc_.SaveAs(dir_ / "again.plv", ImageFormat::kProject));
  const auto again = ReadBytes(dir_ / "again.plv");
  ASSERT_EQ(again.size(), saved_.size());
  const auto diff = std::mismatch(again.begin(), again.end(), saved_.begin());
  EXPECT_TRUE(diff.first == again.end()) << "first difference at byte " << (diff.first - again.begin());
}

TEST_F(ProjectRoundTrip, UndoSnapshotRestoresIdenticalObjects) {
  MemorySink before;
  CArchive ar(before);
  doc_.WriteObjects(ar);
  doc_.NewDocument();
  ASSERT_TRUE(doc_.Open(dir_ / "rich.plv"));
  doc_.Objects().erase(doc_.Objects().begin() + 4);
  doc_.TakeSnapshot();
  doc_.Undo();
  MemorySink after;
  CArchive ar2(after);
  doc_.WriteObjects(ar2);
  EXPECT_TRUE(after.Bytes() == before.Bytes());
}

// The damaged copies: every cut through the container and a sample of cuts inside the
// object records, and counts replaced by negative or huge values.
std::vector<std::vector<std::uint8_t>> DamagedCopies(const std::vector<std::uint8_t>& good) {
  std::vector<std::vector<std::uint8_t>> copies;
  const std::size_t head = 200, tail = 200;
  for (std::size_t cut = 0; cut < good.size(); cut += (cut < head || cut + tail > good.size()) ? 1 : 97) {
    copies.emplace_back(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
  }
  // The texture count, the first texture's sizes and the object count of the layout.
  for (const std::size_t offset : {std::size_t{28}, std::size_t{41}, std::size_t{45}, std::size_t{49}}) {
    for (const std::int32_t value : {-1, 0x7FFFFFFF, 1000, 2}) {
      auto copy = good;
      PutInt32At(copy, offset, value);
      copies.push_back(copy);
    }
  }
  return copies;
}

TEST_F(ProjectRoundTrip, DamagedProjectsFailTheOpenAsAWhole) {
  // The object count sits after the one-texture block: 28 + 4 + (1 + 9) + 12 + 36 + 4 + 4.
  ASSERT_EQ(Int32At(saved_, 98), 10);
  auto corpus = DamagedCopies(saved_);
  for (const std::int32_t value : {-1, 11, 0x40000000}) {
    auto copy = saved_;
    PutInt32At(copy, 98, value);
    corpus.push_back(copy);
  }
  // The group count and the first group's member count near the end.
  {
    auto copy = saved_;
    const std::size_t end = copy.size();
    PutInt32At(copy, end - 4 - (4 + 16 + 13 * 2) - (4 + 16 + 13) - 4, 0x7FFFFFF0);
    corpus.push_back(copy);
    copy = saved_;
    PutInt32At(copy, end - 4 - (4 + 16 + 13 * 2) - (4 + 16 + 13), -5);
    corpus.push_back(copy);
  }
  std::size_t refused = 0;
  for (std::size_t i = 0; i < corpus.size(); ++i) {
    SCOPED_TRACE("damaged copy " + std::to_string(i) + " of " + std::to_string(corpus.size()) +
                 ", " + std::to_string(corpus[i].size()) + " bytes");
    host_.Clear();
    const auto path = dir_ / "damaged.plv";
    testing::WriteBytes(path, corpus[i]);
    if (doc_.Open(path)) {
      // A flipped count may still describe a readable project; it must then be whole.
      EXPECT_EQ(doc_.GetPath(), path);
      continue;
    }
    ++refused;
    ASSERT_EQ(host_.Messages().size(), 1u) << "one message per refused file";
    EXPECT_TRUE(host_.Messages()[0] == "Unexpected file format." ||
                host_.Messages()[0] == "This is not a valid project file")
        << host_.Messages()[0];
    EXPECT_TRUE(doc_.Objects().empty());
    EXPECT_TRUE(doc_.Groups().empty());
    EXPECT_EQ(bank_.Size(), 0u);
    EXPECT_TRUE(doc_.GetPath().empty());
    EXPECT_EQ(doc_.GetCanvasWidth(), 400);
    EXPECT_EQ(doc_.UndoDepth(), 1u);
    EXPECT_TRUE(testing::ReadBytes(path) == corpus[i]);
  }
  EXPECT_GT(refused, corpus.size() - 8);
}

// A bitmap record whose byte count disagrees with its size: its own message, then the
// open fails as a whole.
TEST_F(DocumentTest, CorruptedBitmapFailsTheOpenAsAWhole) {
  CDrawObject& o = AddRectangle(0, 0, 20, 20);
  o.SourceBitmap().Create(3, 2, 32, true);
  MemorySink sink;
  CArchive ar(sink);
  doc_.Serialize(ar);
  auto bytes = sink.TakeBytes();
  // The bitmap's width, height and byte count: 3, 2, 24.
  const std::vector<std::uint8_t> sizes = {3, 0, 0, 0, 2, 0, 0, 0, 24, 0, 0, 0};
  const auto at = std::search(bytes.begin(), bytes.end(), sizes.begin(), sizes.end());
  ASSERT_NE(at, bytes.end());
  at[8] = 23;
  doc_.Objects().clear();
  EXPECT_FALSE(OpenBytes(bytes));
  EXPECT_EQ(host_.Messages(),
            (std::vector<std::string>{"Corupted Data!", "Unexpected file format."}));
  EXPECT_TRUE(doc_.Objects().empty());
  EXPECT_TRUE(doc_.GetPath().empty());
}

}  // namespace
}  // namespace lumi
