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

void CBackupScheduler::OnTimer() {
  timer_.Stop();
  const int minutes = settings_.GetInt("Settings", "Backup", 5);
  if (minutes <= 0) return;
  doc_.WriteBackup(file_);
  timer_.Start(PeriodMs(minutes));
}

bool CPlenivorDoc::WriteBackup(const std::filesystem::path& path) {
  m_backupInProgress = 1;
  host_->StatusText(0, "Doing Backup ...");
  bool written = false;
  try {
    FileSink sink(path);
    CArchive ar(sink);
    StoreProject(ar);
    sink.Commit();
    written = true;
  } catch (const Error&) {
  }
  m_backupInProgress = 0;
  host_->StatusText(0, written ? "Backup Finished (Backup.plv)" : "Backup Failed...");
  return written;
}

}  // namespace lumi
