#pragma once
// The automatic backup: a timer the window provides fires every "Backup" minutes
// (section "Settings", default 5) and the document writes the whole project to the
// backup file. The setting is read again at every expiry; 0 or less stops the backups
// until the next start.
#include <cstdint>
#include <filesystem>

namespace lumi {

class CPlenivorDoc;
class Settings;

// A one-timer service of the window (a QTimer there, a fake in tests).
class BackupTimer {
 public:
  virtual ~BackupTimer() = default;
  virtual void Start(std::int64_t period_ms) = 0;
  virtual void Stop() = 0;
};

class CBackupScheduler {
 public:
  CBackupScheduler(CPlenivorDoc& doc, const Settings& settings, BackupTimer& timer,
                   std::filesystem::path backup_file);

  // When the view is first shown: starts the timer if the setting is above 0.
  void Start();
  // The timer fired: stops it, re-reads the setting and, while it is above 0, writes the
  // backup (modified or not) and restarts the timer with the new period. True when a
  // backup was written.
  bool OnTimer();

  static std::int64_t PeriodMs(int minutes) { return std::int64_t{minutes} * 60000; }

 private:
  CPlenivorDoc& doc_;
  const Settings& settings_;
  BackupTimer& timer_;
  std::filesystem::path file_;
};

}  // namespace lumi
