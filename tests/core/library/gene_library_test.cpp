// Gene libraries (.dna), their list in the breeding dialog, and the breeding rules.
#include <gtest/gtest.h>

#include <set>

#include "base/errors.h"
#include "base/runtime_random.h"
#include "library/gene_breeder.h"
#include "library/gene_library.h"
#include "library/gene_library_list.h"
#include "library_fixture.h"

namespace lumi {
namespace {

using testing::LibraryFolderTest;

TEST(GeneEntry, LibraryNumbersUnpackIntoBytesAndMode) {
  struct Case {
    std::string text;
    Gene gene;
  };
  const Case cases[] = {
      {"Sea|2334|243|243", {{30, 9, 0, 243, 0, 0, 243, 0}, 0}},
      {"Sea|2334|243|327923", {{30, 9, 0, 243, 0, 0, 243, 0}, 5}},  // 243 + 65536 x 5
      {"odd|7x|-1|", {{7, 0, 0, 255, 255, 255, 0, 0}, 0}},          // decimal prefixes
  };
  for (const Case& c : cases) {
    const auto entry = ParseGeneEntry(c.text);
    ASSERT_TRUE(entry) << c.text;
    EXPECT_EQ(UnpackLibraryGene(entry->words), c.gene) << c.text;
  }
  EXPECT_EQ(ParseGeneEntry("flowers.dna"), std::nullopt);
  EXPECT_EQ(ParseGeneEntry("Sea|2334|243|243")->name, "Sea");
}

TEST(GeneEntry, AddingProposesTheWordsWithTheModeInTheThird) {
  const Gene gene{{30, 9, 0, 243, 0, 0, 243, 0}, 5};
  const GeneWords with_mode = PackGene(gene, true);
  EXPECT_EQ(FormatGeneEntry("Unknown to man", with_mode), "Unknown to man|2334|243|327923");
  EXPECT_EQ(PackGene(gene, false).word3, 243) << "OK hands the words on without the mode";
}

TEST(GeneEntry, CaptionsAndIcons) {
  struct Case {
    std::string entry, text;
    int icon;
  };
  const Case cases[] = {
      {"..", "..", 10},          {"flowers.dna", "Flowers", 9},   {"a.dna", "A.dna", 9},
      {"x|1|2|3", "x", 0},       {"x|1|2|458755", "x", 7},        {"x|1|2|524291", "x", 1},
      {"x|1|2|655363", "x", 7},  {"y|0|0|196608", "y", 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GeneListText(c.entry), c.text) << c.entry;
    EXPECT_EQ(GeneListIcon(c.entry), c.icon) << c.entry;
  }
}

class GeneLibraryFileTest : public LibraryFolderTest {};

TEST_F(GeneLibraryFileTest, TheFileIsACountAndArchiveStrings) {
  const std::string long_name(300, 'g');
  ASSERT_TRUE(WriteGeneLibrary(dir_ / "sea.dna", {"..", "Sea|2334|243|243", long_name + "|1|2|3"}));
  const std::string bytes = Read("sea.dna");
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x03\x00\x00\x00", 4));
  EXPECT_EQ(bytes.substr(4, 3), std::string("\x02..", 3));
  EXPECT_EQ(bytes.substr(7, 17), std::string("\x10Sea|2334|243|243", 17));
  EXPECT_EQ(bytes.substr(24, 3), std::string("\xff\x32\x01", 3)) << "306 behind FF";
  EXPECT_EQ(ReadGeneLibrary(dir_ / "sea.dna"),
            (std::vector<std::string>{"..", "Sea|2334|243|243", long_name + "|1|2|3"}));
}

TEST_F(GeneLibraryFileTest, DamagedLibrariesFailWholeAndMissingOnesGiveNothing) {
  EXPECT_EQ(ReadGeneLibrary(dir_ / "none.dna"), std::nullopt);
  const std::string cases[] = {
      std::string("\xff\xff\xff\xff", 4),                 // negative count
      std::string("\x00\x00\x00\x10", 4) + "\x02..",      // count beyond the bytes
      std::string("\x02\x00\x00\x00\x02..\x09Sea", 11),   // string past the end
      std::string("\x01\x00", 2),                         // count cut short
  };
  for (const std::string& bytes : cases) {
    Write("bad.dna", bytes);
    EXPECT_THROW(ReadGeneLibrary(dir_ / "bad.dna"), ArchiveError) << bytes.size();
  }
}

TEST_F(GeneLibraryFileTest, TheListOpensLibrariesAndKeepsChangesUntilASave) {
  ASSERT_TRUE(WriteGeneLibrary(dir_ / "sea.dna", {"..", "Sea|2334|243|327923"}));
  Write("notes.txt", "not a library");
  GeneLibraryList list(dir_);
  EXPECT_EQ(list.Title(), "Mutavia Library");
  EXPECT_EQ(list.Items(), (std::vector<std::string>{"sea.dna"}));
  EXPECT_FALSE(list.AddGene("x", {})) << "no library open";

  Gene gene;
  EXPECT_EQ(list.Choose(0, &gene), GeneLibraryList::Choice::kOpenedLibrary);
  EXPECT_EQ(list.Title(), "Mutavia : Sea");
  EXPECT_EQ(list.Choose(1, &gene), GeneLibraryList::Choice::kGene);
  EXPECT_EQ(gene.mode, 5);

  EXPECT_FALSE(list.Delete(0)) << "the .. entry stays";
  EXPECT_EQ(list.Items().size(), 2u);
  ASSERT_TRUE(list.AddGene("Unknown to man", {1, 2, 3}));
  EXPECT_EQ(ReadGeneLibrary(dir_ / "sea.dna")->size(), 3u) << "adding saves";
  ASSERT_TRUE(list.Delete(1));
  EXPECT_EQ(ReadGeneLibrary(dir_ / "sea.dna")->size(), 3u) << "deleting waits for a save";
  EXPECT_EQ(list.Choose(0, &gene), GeneLibraryList::Choice::kClosedLibrary);
  EXPECT_EQ(ReadGeneLibrary(dir_ / "sea.dna")->size(), 2u);
  EXPECT_EQ(list.OpenName(), "");
}

TEST_F(GeneLibraryFileTest, ANewLibraryNamedInAnotherFolderIsStoredHere) {
  GeneLibraryList list(dir_);
  ASSERT_EQ(list.CreateLibrary("/somewhere/else/reds.dna"), GeneLibraryList::Created::kCreated);
  EXPECT_EQ(ReadGeneLibrary(dir_ / "reds.dna"), (std::vector<std::string>{".."}));
  EXPECT_EQ(list.OpenName(), "") << "the libraries are listed again";
  EXPECT_EQ(list.Items(), (std::vector<std::string>{"reds.dna"}));
}

TEST_F(GeneLibraryFileTest, ANewLibraryNeverEmptiesOneOfTheSameNameItWasNotAskedAbout) {
  ASSERT_TRUE(WriteGeneLibrary(dir_ / "reds.dna", {"..", "Ruby|1|2|3"}));
  GeneLibraryList list(dir_);
  EXPECT_EQ(list.CreateLibrary("/somewhere/else/reds.dna"), GeneLibraryList::Created::kExistsHere);
  EXPECT_EQ(ReadGeneLibrary(dir_ / "reds.dna")->size(), 2u);
  // Chosen right here, the save dialog's overwrite question was asked and answered.
  EXPECT_EQ(list.CreateLibrary(dir_ / "reds.dna"), GeneLibraryList::Created::kCreated);
  EXPECT_EQ(ReadGeneLibrary(dir_ / "reds.dna")->size(), 1u);
}

TEST_F(GeneLibraryFileTest, ADamagedLibraryIsClosedAndNeverOverwritten) {
  Write("bad.dna", std::string("\x05\x00\x00\x00\x02..", 7));
  GeneLibraryList list(dir_);
  EXPECT_FALSE(list.Open("bad.dna"));
  EXPECT_EQ(list.OpenName(), "");
  EXPECT_FALSE(list.Save());
  EXPECT_EQ(Read("bad.dna").size(), 7u);
}

TEST(GeneBreeder, SlotsFollowTheRingAndTheCentreIsStrictlyInside) {
  struct Case {
    Point p;
    int slot;
  };
  const Case cases[] = {{{5, 5}, 0},        {{75, 10}, 1},   {{279, 49}, 3},  {{279, 60}, 4},
                        {{215, 160}, 6},    {{0, 199}, 9},   {{10, 120}, 10}, {{10, 60}, 11},
                        {{100, 100}, GeneBreeder::kCentreSlot},
                        {{70, 100}, GeneBreeder::kNoSlot},  // inner cell edge, not inside
                        {{280, 10}, GeneBreeder::kNoSlot},  {{-1, 10}, GeneBreeder::kNoSlot}};
  for (const Case& c : cases) EXPECT_EQ(GeneBreeder::SlotAt(c.p), c.slot) << c.p.x << "," << c.p.y;
  EXPECT_EQ(GeneBreeder::CellOrigin(5), (Point{210, 100}));
}

TEST(GeneBreeder, ANoneGeneShowsModeZeroAndOkGivesKindOne) {
  GeneBreeder breeder(0, {2334, 243, 243});
  EXPECT_EQ(breeder.Current(), (Gene{{30, 9, 0, 243, 0, 0, 243, 0}, -1}));
  EXPECT_EQ(breeder.ResultKind(), 1);
  EXPECT_EQ(breeder.ResultWords().word1, 2334);
  // The centre was painted (the preview starts white).
  const CDIBSection& centre = breeder.CentrePreview();
  EXPECT_FALSE(centre.Pixels()[0] == 255 && centre.Pixels()[1] == 255 && centre.Pixels()[2] == 255 &&
               centre.Pixels()[4 * 70 + 0] == 255 && centre.Pixels()[4 * 70 + 1] == 255);
}

TEST(GeneBreeder, ACentreClickBreedsTwelveVariationsWithinTheSpread) {
  GeneBreeder breeder(3, {2334, 243, 243});  // mode 2: spread 100
  SeedRandom(7);
  breeder.Mutate();
  const Gene before = breeder.Candidate(0);
  EXPECT_EQ(breeder.Click({140, 100}), GeneBreeder::kCentreSlot);
  std::set<std::array<int, 8>> distinct;
  for (int k = 0; k < GeneBreeder::kCandidates; ++k) {
    const Gene& g = breeder.Candidate(k);
    EXPECT_EQ(g.mode, 2);
    for (int i = 0; i < 8; ++i) {
      const int p = breeder.Current().P[static_cast<std::size_t>(i)];
      EXPECT_GE(g.P[static_cast<std::size_t>(i)], std::max(0, p - 50));
      EXPECT_LE(g.P[static_cast<std::size_t>(i)], std::min(255, p + 50));
    }
    distinct.insert(g.P);
  }
  EXPECT_GT(distinct.size(), 10u);
  EXPECT_NE(breeder.Candidate(0), before);
}

TEST(GeneBreeder, MutateDrawsModesFromTheTableAndAClickAdoptsACandidate) {
  GeneBreeder breeder(1, {0, 0, 0});
  const std::set<int> allowed = {0, 1, 2, 3, 4, 5, 6, 10, 11, 12, 13};
  std::set<int> seen;
  for (int round = 0; round < 20; ++round) {
    breeder.Mutate();
    for (int k = 0; k < GeneBreeder::kCandidates; ++k) seen.insert(breeder.Candidate(k).mode);
  }
  for (int mode : seen) EXPECT_TRUE(allowed.count(mode)) << mode;
  EXPECT_GT(seen.size(), 6u);
  const Gene chosen = breeder.Candidate(4);
  const std::vector<Gene> ring = [&] {
    std::vector<Gene> r;
    for (int k = 0; k < GeneBreeder::kCandidates; ++k) r.push_back(breeder.Candidate(k));
    return r;
  }();
  EXPECT_EQ(breeder.Click({230, 70}), 4);
  EXPECT_EQ(breeder.Current(), chosen);
  for (int k = 0; k < GeneBreeder::kCandidates; ++k) EXPECT_EQ(breeder.Candidate(k), ring[static_cast<std::size_t>(k)]);
  EXPECT_EQ(breeder.ResultKind(), chosen.mode + 1);
}

}  // namespace
}  // namespace lumi
