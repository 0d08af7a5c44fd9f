#include "crash_recovery.h"

#include "base/host.h"
#include "main_window.h"

namespace lumi::app {

CrashRecovery::CrashRecovery(const FolderSet& folders)
    : recovered_(RunMark::ClaimCrashBackup(folders.root, folders.BackupFile())), mark_(folders.root) {}

bool CrashRecovery::OfferTo(MainWindow& window) {
  if (!recovered_) return false;
  const std::filesystem::path backup = *recovered_;
  recovered_.reset();
  if (window.GetHost().Ask(kRecoveryQuestion, AskButtons::YesNo) != Answer::Yes) return false;
  return window.OpenRecovered(backup);
}

}  // namespace lumi::app
