#include "document/editable_jpg.h"

#include <sys/stat.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"
#include "base/host.h"
#include "document/plenivor_doc.h"
#include "document/editable_jpg_block.h"

namespace lumi {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

constexpr std::size_t kTrailerSize = 14;  // "STANDALONE" and blockLen
constexpr std::size_t kBlockProbeSize = 10;
// The largest block an encoder of a kMaxProjectLen stream can produce: header, packedLen
// and the compression buffer of trunc(0.2 n) + n + 12 bytes.
constexpr std::uint64_t kMaxBlockLen =
    6 + 4 + 4 + std::uint64_t{kMaxProjectLen} + kMaxProjectLen / 5 + 12;

std::uint32_t LittleEndian32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
         std::uint32_t{p[3]} << 24;
}

// Reads exactly `size` bytes at `offset`.
bool ReadAt(std::FILE* f, std::uint64_t offset, void* data, std::size_t size) {
  if (fseeko(f, static_cast<off_t>(offset), SEEK_SET) != 0) return false;
  return std::fread(data, 1, size, f) == size;
}

}  // namespace

namespace {

// The temporary file beside `path` (FileSink's own; an uncommitted sink removes it), or
// nothing after telling `host`.
std::unique_ptr<FileSink> CreateBeside(const std::filesystem::path& path, Host& host) {
  try {
    return std::make_unique<FileSink>(path);
  } catch (const FileError&) {
    host.Message("Cannot Create " + path.string(), MessageKind::Error);
    return nullptr;
  }
}

// Writes the JPEG, the project block and the trailer into `out` and renames it over its
// target.
bool WriteWhole(FileSink& out, CPlenivorDoc& doc, std::span<const std::uint8_t> jpeg, Host& host) {
  try {
    MemorySink project;
    CArchive project_ar(project);
    doc.Serialize(project_ar);
    const std::vector<std::uint8_t> block = EncodeProjectBlock(project.Bytes());
    CArchive ar(out);
    ar.WriteBytes(jpeg);
    if (!block.empty()) {
      ar.WriteBytes(block);
      ar.WriteBytes({reinterpret_cast<const std::uint8_t*>(kEJpgTrailerTag.data()),
                     kEJpgTrailerTag.size()});
      ar.WriteUInt32(static_cast<std::uint32_t>(block.size()));
    }
    out.Commit();
  } catch (const Error& e) {
    host.Message(e.what(), MessageKind::Error);
    return false;
  }
  return true;
}

}  // namespace

bool WriteEditableJpg(CPlenivorDoc& doc, const std::filesystem::path& path,
                      std::span<const std::uint8_t> jpeg, Host& host) {
  const std::unique_ptr<FileSink> out = CreateBeside(path, host);
  return out && WriteWhole(*out, doc, jpeg, host);
}

bool AppendProjectToJpg(CPlenivorDoc& doc, const std::filesystem::path& jpg_path, Host& host) {
  const std::unique_ptr<FileSink> out = CreateBeside(jpg_path, host);
  if (!out) return false;
  std::vector<std::uint8_t> jpeg;
  try {
    jpeg = ReadWholeFile(jpg_path, kMaxBlockLen);
  } catch (const FileError&) {
    host.Message("Cannot Open " + jpg_path.string(), MessageKind::Error);
    return false;
  }
  return WriteWhole(*out, doc, jpeg, host);
}

bool ReadEditableJpg(CPlenivorDoc& doc, const std::filesystem::path& path, Host& host) {
  const std::string cannot_open = "Cannot Open " + path.string();
  UniqueFile file(std::fopen(path.c_str(), "rb"));
  struct stat info {};
  if (!file || fstat(fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode)) {
    host.Message(cannot_open, MessageKind::Error);
    return false;
  }
  const auto file_size = static_cast<std::uint64_t>(info.st_size);

  std::array<std::uint8_t, kTrailerSize> trailer{};
  if (file_size < kTrailerSize ||
      !ReadAt(file.get(), file_size - kTrailerSize, trailer.data(), trailer.size()) ||
      std::memcmp(trailer.data(), kEJpgTrailerTag.data(), kEJpgTrailerTag.size()) != 0) {
    host.Message(kOrdinaryJpgText, MessageKind::Warning);
    return false;
  }

  // The stored length is checked against the file and the largest possible block before
  // anything is read or allocated for it.
  const std::uint64_t block_len = LittleEndian32(trailer.data() + kEJpgTrailerTag.size());
  if (block_len < kBlockProbeSize || block_len > file_size - kTrailerSize ||
      block_len > kMaxBlockLen) {
    host.Message(kCorruptedEJpgText, MessageKind::Error);
    return false;
  }
  const std::uint64_t block_at = file_size - kTrailerSize - block_len;

  // The block opens with the archive string "KVELT": its length byte 5, then the text.
  std::array<std::uint8_t, kBlockProbeSize> probe{};
  if (!ReadAt(file.get(), block_at, probe.data(), probe.size())) {
    host.Message(cannot_open, MessageKind::Error);
    return false;
  }
  if (probe[0] != kProjectBlockTag.size() ||
      std::memcmp(probe.data() + 1, kProjectBlockTag.data(), kProjectBlockTag.size()) != 0) {
    host.Message(kCorruptedEJpgText, MessageKind::Error);
    return false;
  }

  std::vector<std::uint8_t> block;
  try {
    block.resize(static_cast<std::size_t>(block_len));
  } catch (const std::bad_alloc&) {
    host.Message("Not enough memory", MessageKind::Error);
    return false;
  }
  if (!ReadAt(file.get(), block_at, block.data(), block.size())) {
    host.Message(cannot_open, MessageKind::Error);
    return false;
  }
  file.reset();
  return DecodeProjectBlock(block, doc);
}

}  // namespace lumi
