#include "document/backup_scheduler.h"

#include <utility>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"
#include "base/host.h"
#include "base/settings.h"
#include "document/plenivor_doc.h"

namespace lumi {

CBackupScheduler::CBackupScheduler(CPlenivorDoc& doc, const Settings& settings,
                                   BackupTimer& timer, std::filesystem::path backup_file)
    : doc_(doc), settings_(settings), timer_(timer), file_(std::move(backup_file)) {}

void CBackupScheduler::Start() {
  const int minutes = settings_.GetInt("Settings", "Backup", 5);
  if (minutes > 0) timer_.Start(PeriodMs(minutes));
}

bool CBackupScheduler::OnTimer() {
  timer_.Stop();
  const int minutes = settings_.GetInt("Settings", "Backup", 5);
  if (minutes <= 0) return false;
  const bool written = doc_.WriteBackup(file_);
  timer_.Start(PeriodMs(minutes));
  return written;
}

bool CPlenivorDoc::WriteBackup(const std::filesystem::path& path) {
  // The flag makes saves skip the objects' preparation: it must never stay set, whatever
  // ends the write.
  struct FlagGuard {
    std::int32_t& flag;
    ~FlagGuard() { flag = 0; }
  } guard{m_backupInProgress};
  m_backupInProgress = 1;
  bool written = false;
  try {
    host_->StatusText(0, "Doing Backup ...");
    FileSink sink(path);
    CArchive ar(sink);
    StoreProject(ar);
    sink.Commit();
    written = true;
  } catch (...) {
    // A timed backup must not end the program; the drawing is untouched either way.
  }
  m_backupInProgress = 0;
  host_->StatusText(0, written ? "Backup Finished (Backup.plv)" : "Backup Failed...");
  return written;
}

}  // namespace lumi
