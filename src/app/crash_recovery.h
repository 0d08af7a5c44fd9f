#pragma once
// Recovery after a crash: at start the program claims what a run that did not close
// normally left behind, marks its own run, and once the window is up offers to open the
// backup that run wrote as an untitled drawing. Nothing is overwritten by itself.
#include <filesystem>
#include <optional>

#include "base/folders.h"
#include "document/run_mark.h"

namespace lumi::app {

class MainWindow;

inline constexpr const char* kRecoveryQuestion =
    "Lumiverdant did not close normally. Open the drawing recovered from the last backup?";

class CrashRecovery {
 public:
  // Claims a crashed run's backup (before this run's mark exists), then marks this run.
  explicit CrashRecovery(const FolderSet& folders);

  RunMark& Mark() { return mark_; }
  // The backup a crashed run left, if any.
  const std::optional<std::filesystem::path>& RecoveredBackup() const { return recovered_; }
  // Asks the question when there is a backup to recover; Yes opens it in `window` as an
  // untitled drawing. True when the drawing was opened. Asks at most once.
  bool OfferTo(MainWindow& window);

 private:
  std::optional<std::filesystem::path> recovered_;
  RunMark mark_;
};

}  // namespace lumi::app
