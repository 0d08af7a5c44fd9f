#pragma once
// Whole-buffer zlib streams for data the program embeds in its own text formats.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace lumi {

// One zlib stream at the default level.
std::vector<std::uint8_t> DeflateBytes(std::span<const std::uint8_t> bytes);
// The inflated bytes; nothing when the stream is damaged, does not end, is followed by
// more data or would grow beyond `max_size`.
std::optional<std::vector<std::uint8_t>> InflateBytes(std::span<const std::uint8_t> stream,
                                                      std::size_t max_size);

}  // namespace lumi
