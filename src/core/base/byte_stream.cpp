#include "base/byte_stream.h"

#include <cerrno>
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

FileSink::FileSink(std::filesystem::path target) : target_(std::move(target)) {
  // A name of our own beside the target, so the rename stays on one file system.
  std::random_device rd;
  temp_ = target_;
  temp_ += ".tmp" + std::to_string(rd() % 1000000);
  file_ = std::fopen(temp_.c_str(), "wb");
  if (!file_) throw FileError(Describe(target_, "Cannot create"));
}

FileSink::~FileSink() {
  if (file_) {
    std::fclose(file_);
    std::error_code ignored;
    std::filesystem::remove(temp_, ignored);
  }
}

void FileSink::Write(const void* data, std::size_t size) {
  if (!file_) throw FileError("Write after commit to \"" + target_.string() + "\"");
  if (size && std::fwrite(data, 1, size, file_) != size) {
    throw FileError(Describe(target_, "Cannot write"));
  }
}

void FileSink::Commit() {
  if (!file_) return;
  std::FILE* f = file_;
  file_ = nullptr;
  const bool flushed = std::fflush(f) == 0;
  const bool closed = std::fclose(f) == 0;
  std::error_code ec;
  if (!flushed || !closed) {
    std::filesystem::remove(temp_, ec);
    throw FileError(Describe(target_, "Cannot write"));
  }
  std::filesystem::rename(temp_, target_, ec);
  if (ec) {
    std::filesystem::remove(temp_, ec);
    throw FileError("Cannot replace \"" + target_.string() + "\": " + ec.message());
  }
}

FileSource::FileSource(const std::filesystem::path& path) {
  file_ = std::fopen(path.c_str(), "rb");
  if (!file_) throw FileError(Describe(path, "Cannot open"));
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

void FileSource::Read(void* data, std::size_t size) {
  if (size > size_ - pos_) throw ArchiveError("Unexpected end of file");
  if (size && std::fread(data, 1, size, file_) != size) {
    throw ArchiveError("Unexpected end of file");
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
