// The timed backup: the period from the settings re-read at each expiry, the write with
// its status texts, and what a backup leaves out (preparation, pruning, refresh).
#include <gtest/gtest.h>

#include "document/backup_scheduler.h"
#include "document_fixture.h"

namespace lumi {
namespace {

using testing::DocumentTest;
using testing::ReadBytes;

struct FakeTimer : BackupTimer {
  void Start(std::int64_t period_ms) override { calls.push_back("start " + std::to_string(period_ms)); }
  void Stop() override { calls.push_back("stop"); }
  std::vector<std::string> calls;
};

class Backup : public DocumentTest {};

TEST_F(Backup, TimerPeriodIsReReadAtEveryExpiryAndZeroStopsIt) {
  FakeTimer timer;
  const auto file = dir_ / "backup.plv";
  CBackupScheduler scheduler(doc_, settings_, timer, file);
  scheduler.Start();  // no setting: 5 minutes
  EXPECT_EQ(timer.calls, std::vector<std::string>{"start 300000"});

  settings_.SetInt("Settings", "Backup", 2);
  scheduler.OnTimer();
  EXPECT_EQ(timer.calls, (std::vector<std::string>{"start 300000", "stop", "start 120000"}));
  EXPECT_TRUE(std::filesystem::exists(file));

  std::filesystem::remove(file);
  settings_.SetInt("Settings", "Backup", 0);
  scheduler.OnTimer();
  EXPECT_EQ(timer.calls.back(), "stop");
  EXPECT_EQ(timer.calls.size(), 4u);
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(Backup, NoTimerWhenBackupIsOffAtStart) {
  FakeTimer timer;
  settings_.SetInt("Settings", "Backup", -1);
  CBackupScheduler scheduler(doc_, settings_, timer, dir_ / "backup.plv");
  scheduler.Start();
  EXPECT_TRUE(timer.calls.empty());
}

TEST_F(Backup, WritesTheProjectWithoutPruningAndOpensAsAProject) {
  doc_.SetPortable(true);
  bank_.Add("unused.jpg", std::vector<std::uint8_t>(3, 9), 1, 1);
  AddRectangle(5, 6, 40, 30);
  views_.hints.clear();
  const auto file = dir_ / "backup.plv";
  ASSERT_TRUE(doc_.WriteBackup(file));
  EXPECT_EQ(StatusAndProgress(), (std::vector<std::string>{"status 0: Doing Backup ...",
                                                           "status 0: Backup Finished (Backup.plv)"}));
  EXPECT_FALSE(doc_.IsBackupInProgress());
  EXPECT_EQ(bank_.Size(), 1u);       // not pruned
  EXPECT_TRUE(views_.hints.empty());  // no refresh

  const auto bytes = ReadBytes(file);
  EXPECT_EQ(bytes, Store());
  CTextureBank bank;
  CPlenivorDoc other(host_, settings_, bank);
  ASSERT_TRUE(other.Open(file));
  EXPECT_EQ(other.Objects().size(), 1u);
  EXPECT_EQ(bank.Size(), 1u);
}

TEST_F(Backup, FailureShowsBackupFailedAndClearsTheFlag) {
  ASSERT_FALSE(doc_.WriteBackup(dir_ / "no" / "such" / "backup.plv"));
  EXPECT_EQ(StatusAndProgress(),
            (std::vector<std::string>{"status 0: Doing Backup ...", "status 0: Backup Failed..."}));
  EXPECT_FALSE(doc_.IsBackupInProgress());
}

// Anything thrown while the backup is written, not only the program's own errors, must
// clear the flag: while it is set later saves skip preparing the objects.
TEST_F(Backup, AnyExceptionDuringTheWriteClearsTheFlag) {
  struct ThrowingHost : Host {
    void Message(std::string_view, MessageKind) override {}
    Answer Ask(std::string_view, AskButtons) override { return Answer::Cancel; }
    void StatusText(int, std::string_view text) override {
      shown.emplace_back(text);
      if (text == "Doing Backup ...") throw std::runtime_error("status bar gone");
    }
    void ProgressStart(std::string_view, int) override {}
    void ProgressStep(int) override {}
    void ProgressEnd() override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    std::vector<std::string> shown;
  } host;
  CPlenivorDoc doc(host, settings_, bank_);
  EXPECT_FALSE(doc.WriteBackup(dir_ / "backup.plv"));
  EXPECT_FALSE(doc.IsBackupInProgress());
  EXPECT_EQ(host.shown.back(), "Backup Failed...");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "backup.plv"));
}

}  // namespace
}  // namespace lumi
