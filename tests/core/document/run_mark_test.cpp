// Run marks: a run that dies leaves a mark that the next start claims, with its backup
// when that backup is still the one it wrote and holds unsaved changes. Crashes are real:
// a child process writes the backup, notes it, and ends without its destructors.
#include "document/run_mark.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <random>

#include "base/byte_stream.h"

namespace lumi {
namespace {

namespace fs = std::filesystem;

class RunMarkTest : public ::testing::Test {
 protected:
  RunMarkTest() {
    dir_ = fs::temp_directory_path() / ("lumi_run_" + std::to_string(std::random_device{}()));
    fs::create_directories(dir_);
  }
  ~RunMarkTest() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  // Written as every backup is: a new file renamed over the old one.
  void WriteBackup(const std::string& text) {
    FileSink sink(Backup());
    sink.Write(text.data(), text.size());
    sink.Commit();
  }
  fs::path Backup() const { return dir_ / "backup.plv"; }

  // Runs `work` in a child process that then dies without cleaning up, as a crash does.
  void CrashingRun(const std::function<void(RunMark&)>& work) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      RunMark mark(dir_);
      work(mark);
      ::_exit(mark.IsActive() ? 0 : 3);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
  }

  std::size_t MarkCount() const {
    std::size_t n = 0;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir_ / "Running", ec)) n += e.path().extension() == ".mark";
    return n;
  }

  fs::path dir_;
};

TEST_F(RunMarkTest, ACrashedRunsUnsavedBackupIsClaimedOnce) {
  CrashingRun([&](RunMark& mark) {
    WriteBackup("drawing");
    mark.NoteBackup(Backup(), true);
  });
  EXPECT_EQ(MarkCount(), 1u);
  EXPECT_EQ(RunMark::ClaimCrashBackup(dir_, Backup()), Backup());
  EXPECT_EQ(MarkCount(), 0u);
  EXPECT_EQ(RunMark::ClaimCrashBackup(dir_, Backup()), std::nullopt) << "offered once only";
}

// Runs whose backup holds nothing to recover, or is not theirs any more.
TEST_F(RunMarkTest, NothingIsClaimedWhenTheBackupHoldsNothingLost) {
  const std::vector<std::pair<const char*, std::function<void(RunMark&)>>> runs = {
      {"never wrote a backup", [](RunMark&) {}},
      {"backup of an unmodified drawing",
       [&](RunMark& mark) {
         WriteBackup("saved drawing");
         mark.NoteBackup(Backup(), false);
       }},
      {"saved after its last backup",
       [&](RunMark& mark) {
         WriteBackup("drawing");
         mark.NoteBackup(Backup(), true);
         mark.NoteSave();
       }},
      {"another window wrote the backup later",
       [&](RunMark& mark) {
         WriteBackup("drawing");
         mark.NoteBackup(Backup(), true);
         WriteBackup("the other window's drawing");
       }},
      {"backup removed",
       [&](RunMark& mark) {
         WriteBackup("drawing");
         mark.NoteBackup(Backup(), true);
         fs::remove(Backup());
       }},
  };
  for (const auto& [what, work] : runs) {
    SCOPED_TRACE(what);
    CrashingRun(work);
    EXPECT_EQ(RunMark::ClaimCrashBackup(dir_, Backup()), std::nullopt);
    EXPECT_EQ(MarkCount(), 0u) << "the stale mark is cleared all the same";
  }
}

TEST_F(RunMarkTest, ACleanEndLeavesNoMarkAndALiveInstanceKeepsItsOwn) {
  {
    RunMark mark(dir_);
    ASSERT_TRUE(mark.IsActive());
    WriteBackup("drawing");
    mark.NoteBackup(Backup(), true);
    EXPECT_EQ(MarkCount(), 1u);
    // A second window starting now sees a live run, not a crash.
    EXPECT_EQ(RunMark::ClaimCrashBackup(dir_, Backup()), std::nullopt);
    EXPECT_EQ(MarkCount(), 1u);
  }
  EXPECT_EQ(MarkCount(), 0u);
  EXPECT_EQ(RunMark::ClaimCrashBackup(dir_, Backup()), std::nullopt);
}

TEST_F(RunMarkTest, AFolderThatCannotHoldMarksLeavesTheRunGoing) {
  fs::path file = dir_ / "plain-file";
  WriteBackup("x");
  fs::copy_file(Backup(), file);
  RunMark mark(file);  // a file where the data folder should be
  EXPECT_FALSE(mark.IsActive());
  mark.NoteBackup(Backup(), true);
  mark.NoteSave();
  EXPECT_EQ(RunMark::ClaimCrashBackup(file, Backup()), std::nullopt);
}

}  // namespace
}  // namespace lumi
