#include "export/editable_jpg_block.h"

#include <zlib.h>

#include <algorithm>
#include <new>
#include <optional>
#include <string>

#include "base/archive.h"
#include "base/byte_stream.h"
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

// Inflates one zlib stream that must yield exactly `expected` bytes. The output grows as
// the data really inflate, so a lying `expected` costs no more memory than the payload
// produces. Input after the end of the zlib stream is ignored, as zlib's one-call
// uncompress does.
std::optional<std::vector<std::uint8_t>> InflateExactly(std::span<const std::uint8_t> packed,
                                                        std::uint32_t expected) {
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) return std::nullopt;
  zs.next_in = const_cast<Bytef*>(packed.data());
  zs.avail_in = static_cast<uInt>(packed.size());

  std::vector<std::uint8_t> out;
  std::size_t capacity = std::min<std::size_t>(
      expected, std::max<std::size_t>(packed.size() * 4, std::size_t{1} << 16));
  bool ended = false;
  try {
    out.resize(capacity);
    for (;;) {
      if (zs.total_out == out.size() && out.size() < expected) {
        out.resize(std::min<std::size_t>(expected, out.size() * 2));
      }
      zs.next_out = out.data() + zs.total_out;
      zs.avail_out = static_cast<uInt>(out.size() - zs.total_out);
      const int rc = inflate(&zs, Z_NO_FLUSH);
      if (rc == Z_STREAM_END) {
        ended = true;
        break;
      }
      // Z_BUF_ERROR means no progress: the input ran out, or the data want more than
      // `expected` bytes of output. Anything else but Z_OK is damaged data.
      if (rc != Z_OK) break;
    }
  } catch (const std::bad_alloc&) {
    ended = false;
  }
  const bool exact = ended && zs.total_out == expected;
  inflateEnd(&zs);
  if (!exact) return std::nullopt;
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
