#pragma once
// Byte sinks and sources under the archive: a growable memory buffer and files. Sources
// know how much remains, so readers can check a size before they allocate for it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <memory>
#include <vector>

namespace lumi {

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void Write(const void* data, std::size_t size) = 0;
};

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Copies exactly `size` bytes or throws ArchiveError without consuming anything.
  virtual void Read(void* data, std::size_t size) = 0;
  virtual std::uint64_t Remaining() const = 0;
};

class MemorySink final : public ByteSink {
 public:
  void Write(const void* data, std::size_t size) override;
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::vector<std::uint8_t> TakeBytes() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

// Reads from a buffer the caller keeps alive.
class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  void Read(void* data, std::size_t size) override;
  std::uint64_t Remaining() const override { return bytes_.size() - pos_; }
  std::size_t Position() const { return pos_; }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
};

// Writes to a temporary file beside the target; Commit renames it over the target, so a
// failed save never destroys the previous file. Destroying an uncommitted sink removes
// the temporary file. A replaced file keeps its permissions (and owner where allowed); a
// target that is a symbolic link has the file it points to replaced. Failures throw
// FileError naming the target and the system's reason.
class FileSink final : public ByteSink {
 public:
  explicit FileSink(std::filesystem::path target);
  ~FileSink() override;
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  void Write(const void* data, std::size_t size) override;
  void Commit();

 private:
  std::filesystem::path target_;       // as given, for messages
  std::filesystem::path destination_;  // the file replaced: the target with links followed
  std::filesystem::path temp_;
  int fd_ = -1;  // the temporary file until Commit
  // Archives write a field at a time: the bytes gather here and go out in large writes.
  std::unique_ptr<std::uint8_t[]> pending_;
  std::size_t pending_size_ = 0;
  void WriteOut(const std::uint8_t* bytes, std::size_t size);
};

class FileSource final : public ByteSource {
 public:
  explicit FileSource(const std::filesystem::path& path);
  ~FileSource() override;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  void Read(void* data, std::size_t size) override;
  std::uint64_t Remaining() const override { return size_ - pos_; }

 private:
  std::FILE* file_ = nullptr;
  std::uint64_t size_ = 0;
  std::uint64_t pos_ = 0;  // bytes handed to the reader
  // Archives read a field at a time: the file comes in large reads and the fields are
  // copied out of this buffer, [next_, end_) not yet handed out.
  std::unique_ptr<std::uint8_t[]> buffer_;
  std::size_t next_ = 0, end_ = 0;
  void ReadFile(void* data, std::size_t size);
};

// Whole-file helpers; both throw FileError with the path in the message.
std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path,
                                        std::uint64_t max_size);
void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace lumi
