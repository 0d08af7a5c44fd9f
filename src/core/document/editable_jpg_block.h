#pragma once
// The project block of an editable JPG: the project stream, zlib-compressed, behind a
// small header. Layout, integers little-endian:
//
//   5, "KVELT"            the archive string that marks the block
//   uint32 projectLen     length of the uncompressed project stream
//   uint32 packedLen      (only when projectLen > 0) compressed length, or 0 when the
//                         stream follows uncompressed
//   payload               packedLen bytes of one zlib stream, or projectLen raw bytes
//
// Files written before packedLen existed carry the raw stream right after projectLen;
// their first four stream bytes read as a packedLen far above kOlderLayoutThreshold
// (a project stream starts with the signature's length byte and "QUE").
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace lumi {

class CPlenivorDoc;

inline constexpr std::string_view kProjectBlockTag = "KVELT";
// The largest project stream an editable JPG may carry; larger claims are lies.
inline constexpr std::uint32_t kMaxProjectLen = 1u << 30;
inline constexpr std::uint32_t kOlderLayoutThreshold = 10'000'000;

inline constexpr std::string_view kCorruptedEJpgText = "Corrupted e-JPG file (2)";
inline constexpr std::string_view kUncompressionFailedText = "Uncompression failed ";

// The block for `project`. An empty stream gives an empty block: nothing is appended.
// Compression into trunc(0.2 n) + n + 12 bytes at zlib's default level; if that fails
// the stream is stored raw with packedLen 0. Throws Error when the stream is larger than
// kMaxProjectLen, which no reader would accept.
std::vector<std::uint8_t> EncodeProjectBlock(std::span<const std::uint8_t> project);

// Loads the project of `block` into `doc` through the document's own reader. Returns
// false without a message when the block does not start with the "KVELT" string; false
// after "Corrupted e-JPG file (2)" when a length does not fit the block or exceeds
// kMaxProjectLen; false after "Uncompression failed " when the payload does not inflate
// to exactly projectLen bytes; true for projectLen 0 (nothing loaded). In every such
// failure the document is untouched. Damage inside the project stream itself is the
// document's: its reader shows its message or throws ArchiveError.
bool DecodeProjectBlock(std::span<const std::uint8_t> block, CPlenivorDoc& doc);

}  // namespace lumi
