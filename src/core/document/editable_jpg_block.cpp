#include "document/editable_jpg_block.h"

#include <zlib.h>

#include <algorithm>
#include <new>
#include <optional>
#include <string>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/deflate.h"
#include "base/errors.h"
#include "base/host.h"
#include "document/plenivor_doc.h"

namespace lumi {

namespace {

// The compressed form of `project`, or nothing when zlib's one-call compression fails
// in the buffer of trunc(0.2 n) + n + 12 bytes.
std::optional<std::vector<std::uint8_t>> Compress(std::span<const std::uint8_t> project) {
  const auto n = static_cast<uLong>(project.size());
  uLongf packed_len = static_cast<uLong>(static_cast<double>(n) * 0.2) + n + 12;
  std::vector<std::uint8_t> packed;
  try {
    packed.resize(packed_len);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  if (compress(packed.data(), &packed_len, project.data(), n) != Z_OK) return std::nullopt;
  packed.resize(packed_len);
  return packed;
}

// Inflates one zlib stream that must yield exactly `expected` bytes. Input after the end
// of the zlib stream is ignored, as zlib's one-call uncompress does.
std::optional<std::vector<std::uint8_t>> InflateExactly(std::span<const std::uint8_t> packed,
                                                        std::uint32_t expected) {
  auto out = InflateBytes(packed, expected, TrailingInput::kIgnored);
  if (!out || out->size() != expected) return std::nullopt;
  return out;
}

bool Corrupted(Host& host) {
  host.Message(kCorruptedEJpgText, MessageKind::Error);
  return false;
}

}  // namespace

std::vector<std::uint8_t> EncodeProjectBlock(std::span<const std::uint8_t> project) {
  if (project.empty()) return {};
  if (project.size() > kMaxProjectLen) {
    throw Error("The project is too big to be embedded inside JPG");
  }
  MemorySink sink;
  CArchive ar(sink);
  ar.WriteString(kProjectBlockTag);
  ar.WriteUInt32(static_cast<std::uint32_t>(project.size()));
  if (auto packed = Compress(project)) {
    ar.WriteUInt32(static_cast<std::uint32_t>(packed->size()));
    ar.WriteBytes(*packed);
  } else {
    ar.WriteUInt32(0);
    ar.WriteBytes(project);
  }
  return sink.TakeBytes();
}

bool DecodeProjectBlock(std::span<const std::uint8_t> block, CPlenivorDoc& doc) {
  Host& host = doc.GetHost();
  MemorySource source(block);
  CArchive ar(source);
  try {
    if (ar.ReadString() != kProjectBlockTag) return false;
  } catch (const ArchiveError&) {
    return false;
  }

  if (ar.Remaining() < 4) return Corrupted(host);
  const std::uint32_t project_len = ar.ReadUInt32();
  if (project_len == 0) return true;
  if (project_len > kMaxProjectLen || ar.Remaining() < 4) return Corrupted(host);
  const std::uint32_t packed_len = ar.ReadUInt32();
  const std::size_t payload_at = source.Position();
  const std::uint64_t remaining = ar.Remaining();

  std::span<const std::uint8_t> stream;
  std::vector<std::uint8_t> inflated;
  if (packed_len > kOlderLayoutThreshold) {
    // The older layout had no packedLen: those four bytes open the raw stream, so the
    // stream starts four bytes back.
    if (project_len < 4 || project_len - 4 > remaining) return Corrupted(host);
    stream = block.subspan(payload_at - 4, project_len);
  } else if (packed_len == 0) {
    if (project_len > remaining) return Corrupted(host);
    stream = block.subspan(payload_at, project_len);
  } else {
    if (packed_len > remaining) return Corrupted(host);
    auto out = InflateExactly(block.subspan(payload_at, packed_len), project_len);
    if (!out) {
      host.Message(kUncompressionFailedText, MessageKind::Error);
      return false;
    }
    inflated = std::move(*out);
    stream = inflated;
  }

  MemorySource project(stream);
  CArchive project_ar(project);
  return doc.Serialize(project_ar);
}

}  // namespace lumi
