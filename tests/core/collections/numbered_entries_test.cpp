// The numbering both picture libraries share: contiguous counting, rows of three, and
// removal that closes the gap together with the pictures.
#include <gtest/gtest.h>

#include "library/numbered_entries.h"
#include "collections/object_library.h"
#include "collections/style_library.h"
#include "library/library_fixture.h"

namespace lumi {
namespace {

using testing::LibraryFolderTest;

class NumberedEntriesTest : public LibraryFolderTest,
                            public ::testing::WithParamInterface<const char*> {
 protected:
  NumberedEntries Entries() const {
    return std::string(GetParam()) == "Style" ? StyleEntries(dir_) : ObjectEntries(dir_);
  }
  // Entry n holds the text "n" and its picture "picture n".
  void Fill(const std::vector<int>& numbers, bool pictures = true) const {
    const NumberedEntries e = Entries();
    for (int n : numbers) {
      Write(e.FileName(n), std::to_string(n));
      if (pictures) Write(e.Picture(n).filename().string(), "picture " + std::to_string(n));
    }
  }
};

TEST_P(NumberedEntriesTest, CountStopsAtTheFirstGapAndGivesRowsOfThree) {
  struct Case {
    std::vector<int> present;
    int count;
    int rows;
  };
  const Case cases[] = {{{}, 0, 0}, {{1}, 1, 1}, {{1, 2, 3}, 3, 1}, {{1, 2, 3, 4}, 4, 2},
                        {{1, 3}, 1, 1}, {{2, 3}, 0, 0}, {{1, 2, 3, 4, 5, 6, 7}, 7, 3}};
  for (const Case& c : cases) {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    Fill(c.present);
    EXPECT_EQ(Entries().Count(), c.count) << c.present.size() << " files";
    EXPECT_EQ(LibraryRowCount(Entries().Count()), c.rows);
    EXPECT_EQ(Entries().NextFree(), c.count + 1);
  }
  // The third picture of the second row is entry 6.
  EXPECT_EQ(LibraryCellEntry(1, 2), 6);
}

TEST_P(NumberedEntriesTest, RemovingEntryTwoOfFiveMovesTheRestDownWithTheirPictures) {
  Fill({1, 2, 3, 4, 5});
  const NumberedEntries e = Entries();
  ASSERT_TRUE(e.Remove(2));
  EXPECT_EQ(e.Count(), 4);
  for (int n = 1; n <= 4; ++n) {
    const int was = n < 2 ? n : n + 1;
    EXPECT_EQ(Read(e.FileName(n)), std::to_string(was));
    EXPECT_EQ(Read(e.Picture(n).filename().string()), "picture " + std::to_string(was));
  }
  EXPECT_FALSE(Exists(e.FileName(5)));
  EXPECT_FALSE(Exists(e.Picture(5).filename().string()));
  // Nothing of the removed entry is left under another name.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 8);
}

TEST_P(NumberedEntriesTest, RemovalKeepsMissingPicturesMissingAndStopsAtTheGap) {
  const NumberedEntries e = Entries();
  Fill({1, 2, 3});
  Fill({5});  // after the gap: not part of the library
  std::filesystem::remove(e.Picture(3));
  ASSERT_TRUE(e.Remove(1));
  EXPECT_EQ(Read(e.FileName(1)), "2");
  EXPECT_EQ(Read(e.FileName(2)), "3");
  EXPECT_FALSE(Exists(e.Picture(2).filename().string())) << "entry 3 had no picture";
  EXPECT_EQ(Read(e.FileName(5)), "5");
  EXPECT_FALSE(e.Remove(3)) << "entry 3 no longer exists";
  EXPECT_FALSE(e.Remove(0));
}

TEST_P(NumberedEntriesTest, ARemovalThatFailsHalfWayLeavesTheLibraryAsItWas) {
  const NumberedEntries e = Entries();
  Fill({1, 2, 3});
  // The place the removed picture goes aside to is taken by a folder with something in
  // it, so that rename fails after the entry's own file has already moved.
  const std::filesystem::path blocker = dir_ / ("." + e.FileName(1) + ".tmb.removed");
  std::filesystem::create_directories(blocker / "inside");
  EXPECT_FALSE(e.Remove(1));
  for (int n = 1; n <= 3; ++n) {
    EXPECT_EQ(Read(e.FileName(n)), std::to_string(n));
    EXPECT_EQ(Read(e.Picture(n).filename().string()), "picture " + std::to_string(n));
  }
  EXPECT_FALSE(Exists("." + e.FileName(1) + ".removed"));
}

INSTANTIATE_TEST_SUITE_P(BothLibraries, NumberedEntriesTest, ::testing::Values("Style", "Object"));

}  // namespace
}  // namespace lumi
