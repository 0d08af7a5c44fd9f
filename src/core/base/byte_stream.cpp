#include "base/byte_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <system_error>

#include "base/errors.h"

namespace lumi {

namespace {

std::string Describe(const std::filesystem::path& path, const char* what) {
  return std::string(what) + " \"" + path.string() + "\": " + std::strerror(errno);
}

}  // namespace

void MemorySink::Write(const void* data, std::size_t size) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  bytes_.insert(bytes_.end(), p, p + size);
}

void MemorySource::Read(void* data, std::size_t size) {
  if (size > bytes_.size() - pos_) throw ArchiveError("Unexpected end of data");
  if (size) std::memcpy(data, bytes_.data() + pos_, size);
  pos_ += size;
}

namespace {

// The file a save replaces: a symbolic link is followed to the file it names, so saving
// through a link writes that file and keeps the link, as editors do. A dangling link
// names the file to create.
std::filesystem::path FollowLinks(std::filesystem::path path) {
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec)) return path;
    const std::filesystem::path to = std::filesystem::read_symlink(path, ec);
    if (ec) return path;
    path = to.is_absolute() ? to : path.parent_path() / to;
  }
  return path;  // a loop of links: the rename reports it
}

// The temporary name beside `target`: its own name plus ".tmp" and a random number, cut
// so that the whole stays within the file system's name length even for a name that is
// already near it.
std::filesystem::path TemporaryName(const std::filesystem::path& target, unsigned random) {
  const std::string suffix = ".tmp" + std::to_string(random % 1000000);
  std::string name = target.filename().string();
  const long limit = ::pathconf(target.has_parent_path() ? target.parent_path().c_str() : ".",
                                _PC_NAME_MAX);
  const std::size_t max_name = limit > 0 ? static_cast<std::size_t>(limit) : 255;
  if (name.size() + suffix.size() > max_name) name.resize(max_name - suffix.size());
  return target.parent_path() / (name + suffix);
}

// A number for the temporary name: a generator per thread, seeded once, since seeding from
// the system for every save costs more than the write of a small drawing.
unsigned TemporaryNumber() {
  thread_local std::mt19937 generator{std::random_device{}()};
  return static_cast<unsigned>(generator());
}

constexpr std::size_t kWriteChunk = 64 * 1024;
constexpr std::size_t kReadChunk = 64 * 1024;

}  // namespace

FileSink::FileSink(std::filesystem::path target)
    : target_(std::move(target)), destination_(FollowLinks(target_)) {
  // A name of our own beside the target, so the rename stays on one file system.
  for (int attempt = 0; fd_ < 0 && attempt < 100; ++attempt) {
    temp_ = TemporaryName(destination_, TemporaryNumber());
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) throw FileError(Describe(target_, "Cannot create"));
  // The replaced file keeps its permissions, so a private drawing stays private, and its
  // owner and group where this process may set them.
  struct stat existing {};
  if (::stat(destination_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
    if (::fchown(fd_, existing.st_uid, existing.st_gid) != 0) {
      [[maybe_unused]] const int kept_group = ::fchown(fd_, static_cast<uid_t>(-1), existing.st_gid);
    }
    [[maybe_unused]] const int kept_mode = ::fchmod(fd_, existing.st_mode & 07777);
  }
  pending_ = std::make_unique_for_overwrite<std::uint8_t[]>(kWriteChunk);
}

FileSink::~FileSink() {
  if (fd_ >= 0) {
    ::close(fd_);
    ::unlink(temp_.c_str());
  }
}

void FileSink::WriteOut(const std::uint8_t* bytes, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd_, bytes, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      throw FileError(Describe(target_, "Cannot write"));
    }
    bytes += written;
    size -= static_cast<std::size_t>(written);
  }
}

void FileSink::Write(const void* data, std::size_t size) {
  if (fd_ < 0) throw FileError("Write after commit to \"" + target_.string() + "\"");
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  if (size <= kWriteChunk - pending_size_) {
    if (size) std::memcpy(pending_.get() + pending_size_, bytes, size);
    pending_size_ += size;
    return;
  }
  WriteOut(pending_.get(), pending_size_);
  pending_size_ = 0;
  if (size >= kWriteChunk) {
    WriteOut(bytes, size);
  } else {
    std::memcpy(pending_.get(), bytes, size);
    pending_size_ = size;
  }
}

void FileSink::Commit() {
  if (fd_ < 0) return;
  // The first failure's error number is the cause; the clean-up must not replace it.
  int cause = 0;
  try {
    WriteOut(pending_.get(), pending_size_);
  } catch (const FileError&) {
    cause = errno;
  }
  pending_size_ = 0;
  const int fd = fd_;
  fd_ = -1;
  if (cause == 0 && ::fsync(fd) != 0) cause = errno;
  if (::close(fd) != 0 && cause == 0) cause = errno;
  if (cause == 0 && std::rename(temp_.c_str(), destination_.c_str()) == 0) return;
  const char* what = cause ? "Cannot write" : "Cannot replace";
  if (cause == 0) cause = errno;
  ::unlink(temp_.c_str());
  errno = cause;
  throw FileError(Describe(target_, what));
}

FileSource::FileSource(const std::filesystem::path& path) {
  file_ = std::fopen(path.c_str(), "rb");
  if (!file_) throw FileError(Describe(path, "Cannot open"));
  std::setvbuf(file_, nullptr, _IONBF, 0);  // the reads below are large; stdio need not copy them
  std::error_code ec;
  size_ = std::filesystem::file_size(path, ec);
  if (ec) {
    std::fclose(file_);
    throw FileError("Cannot read \"" + path.string() + "\": " + ec.message());
  }
}

FileSource::~FileSource() {
  if (file_) std::fclose(file_);
}

void FileSource::ReadFile(void* data, std::size_t size) {
  if (std::fread(data, 1, size, file_) == size) return;
  // The file shrank or failed while open: nothing more can be read from it.
  size_ = pos_;
  next_ = end_ = 0;
  throw ArchiveError("Unexpected end of file");
}

void FileSource::Read(void* data, std::size_t size) {
  if (size > size_ - pos_) throw ArchiveError("Unexpected end of file");
  auto* out = static_cast<std::uint8_t*>(data);
  const std::size_t held = std::min(size, end_ - next_);
  if (held) std::memcpy(out, buffer_.get() + next_, held);
  next_ += held;
  const std::size_t rest = size - held;
  if (rest >= kReadChunk) {
    ReadFile(out + held, rest);  // a large block goes straight to the reader
  } else if (rest) {
    if (!buffer_) buffer_ = std::make_unique_for_overwrite<std::uint8_t[]>(kReadChunk);
    // The size check above says the file holds at least `rest` more bytes.
    const std::size_t fill = static_cast<std::size_t>(std::min<std::uint64_t>(kReadChunk, size_ - pos_ - held));
    ReadFile(buffer_.get(), fill);
    std::memcpy(out + held, buffer_.get(), rest);
    next_ = rest;
    end_ = fill;
  }
  pos_ += size;
}

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path,
                                        std::uint64_t max_size) {
  FileSource source(path);
  if (source.Remaining() > max_size) {
    throw FileError("\"" + path.string() + "\" is too large");
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(source.Remaining()));
  try {
    source.Read(bytes.data(), bytes.size());
  } catch (const ArchiveError&) {
    throw FileError("Cannot read \"" + path.string() + "\"");
  }
  return bytes;
}

void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  FileSink sink(path);
  sink.Write(bytes.data(), bytes.size());
  sink.Commit();
}

}  // namespace lumi
