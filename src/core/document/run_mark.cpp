#include "document/run_mark.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <system_error>
#include <vector>

namespace lumi {

namespace {

constexpr const char* kMarkFolder = "Running";
constexpr const char* kMarkExtension = ".mark";

struct FileIdentity {
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t mtime_ns = 0;
};

std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return FileIdentity{static_cast<std::uint64_t>(info.st_ino), static_cast<std::uint64_t>(info.st_size),
                      static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

std::string ReadAll(int fd) {
  std::string text;
  char buffer[256];
  ssize_t n;
  off_t offset = 0;
  while ((n = ::pread(fd, buffer, sizeof buffer, offset)) > 0 && text.size() < 4096) {
    text.append(buffer, static_cast<std::size_t>(n));
    offset += n;
  }
  return text;
}

}  // namespace

RunMark::RunMark(const std::filesystem::path& data_folder) {
  std::error_code ec;
  const std::filesystem::path folder = data_folder / kMarkFolder;
  std::filesystem::create_directories(folder, ec);
  // Created under a name no scan looks at, locked, and only then given its real name:
  // a starting instance never sees an unlocked mark of a live run.
  const std::string stem = "run-" + std::to_string(::getpid()) + "-" +
                           std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
  const std::filesystem::path pending = folder / (stem + ".new");
  const int fd = ::open(pending.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    ::unlink(pending.c_str());
    return;
  }
  path_ = folder / (stem + kMarkExtension);
  if (::rename(pending.c_str(), path_.c_str()) != 0) {
    ::close(fd);
    ::unlink(pending.c_str());
    return;
  }
  fd_ = fd;
  Write();
}

RunMark::~RunMark() {
  if (fd_ < 0) return;
  ::unlink(path_.c_str());
  ::close(fd_);
}

void RunMark::NoteBackup(const std::filesystem::path& backup, bool unsaved_changes) {
  const std::optional<FileIdentity> id = IdentityOf(backup);
  if (!id) return;
  backup_inode_ = id->inode;
  backup_size_ = id->size;
  backup_mtime_ns_ = id->mtime_ns;
  unsaved_ = unsaved_changes;
  Write();
}

void RunMark::NoteSave() {
  unsaved_ = false;
  Write();
}

void RunMark::Write() {
  if (fd_ < 0) return;
  char text[128];
  const int n = std::snprintf(text, sizeof text, "%llu %llu %lld %d\n",
                              static_cast<unsigned long long>(backup_inode_),
                              static_cast<unsigned long long>(backup_size_),
                              static_cast<long long>(backup_mtime_ns_), unsaved_ ? 1 : 0);
  // Rewritten in place: the lock belongs to this open file. A torn write only makes the
  // mark unreadable, which means no offer.
  if (::pwrite(fd_, text, static_cast<std::size_t>(n), 0) == n) {
    if (::ftruncate(fd_, n) != 0) return;
  }
}

std::optional<std::filesystem::path> RunMark::ClaimCrashBackup(const std::filesystem::path& data_folder,
                                                               const std::filesystem::path& backup) {
  std::error_code ec;
  std::vector<std::filesystem::path> marks;
  for (const auto& entry : std::filesystem::directory_iterator(data_folder / kMarkFolder, ec)) {
    if (entry.path().extension() == kMarkExtension) marks.push_back(entry.path());
  }
  const std::optional<FileIdentity> current = IdentityOf(backup);
  bool found = false;
  for (const auto& mark : marks) {
    const int fd = ::open(mark.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) continue;
    // Locked: that instance is still running.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      continue;
    }
    unsigned long long inode = 0, size = 0;
    long long mtime = 0;
    int unsaved = 0;
    const std::string text = ReadAll(fd);
    const bool read = std::sscanf(text.c_str(), "%llu %llu %lld %d", &inode, &size, &mtime, &unsaved) == 4;
    if (read && unsaved == 1 && inode != 0 && current && current->inode == inode &&
        current->size == size && current->mtime_ns == mtime) {
      found = true;
    }
    // Claimed while locked, so two starting instances never both offer it.
    ::unlink(mark.c_str());
    ::close(fd);
  }
  if (!found) return std::nullopt;
  return backup;
}

}  // namespace lumi
