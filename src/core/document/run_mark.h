#pragma once
// The mark each running instance keeps in the data folder, so that the next start can
// tell a run that ended without closing normally and offer the backup it left.
//
// A mark is a small file in <data folder>/Running, locked (flock) for as long as its run
// lives: the kernel drops the lock when the process dies however it dies, so a mark that
// can be locked belongs to a run that is gone, and a locked one to a window still open.
// The mark names the backup its run wrote (inode, size, modification time), so one
// instance never takes a backup another instance wrote for its own.
#include <cstdint>
#include <filesystem>
#include <optional>

namespace lumi {

class RunMark {
 public:
  // Creates and locks this run's mark in `data_folder`/Running. When the folder cannot
  // hold it the mark is inert: the run goes on, only recovery is not offered later.
  explicit RunMark(const std::filesystem::path& data_folder);
  // A normal end: the mark is removed.
  ~RunMark();
  RunMark(const RunMark&) = delete;
  RunMark& operator=(const RunMark&) = delete;

  bool IsActive() const { return fd_ >= 0; }
  // This run has just written `backup`; `unsaved_changes` when the drawing it holds
  // differs from the last save (a modified document).
  void NoteBackup(const std::filesystem::path& backup, bool unsaved_changes);
  // This run has just saved its drawing: its last backup holds nothing newer.
  void NoteSave();

  // Looks at the marks of runs that are gone, removes them, and returns `backup` when
  // one of them wrote that very file with unsaved changes and saved nothing after it.
  // Marks of live instances are left alone. Call before this run's own mark exists.
  static std::optional<std::filesystem::path> ClaimCrashBackup(
      const std::filesystem::path& data_folder, const std::filesystem::path& backup);

 private:
  void Write();

  int fd_ = -1;
  std::filesystem::path path_;
  // The backup as this run last wrote it; 0 until it wrote one.
  std::uint64_t backup_inode_ = 0;
  std::uint64_t backup_size_ = 0;
  std::int64_t backup_mtime_ns_ = 0;
  bool unsaved_ = false;
};

}  // namespace lumi
