#pragma once
// Whole-buffer zlib streams for data the program embeds in its own formats.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace lumi {

// One zlib stream at the default level.
std::vector<std::uint8_t> DeflateBytes(std::span<const std::uint8_t> bytes);

// What may follow the zlib stream in the input: nothing, or anything (ignored, as zlib's
// one-call uncompress ignores it).
enum class TrailingInput { kRefused, kIgnored };

// The inflated bytes; nothing when the stream is damaged, does not end, is followed by
// input `trailing` refuses, or would grow beyond `max_size`. The output grows only as the
// data really inflate, so a lying `max_size` costs no more memory than the stream makes.
std::optional<std::vector<std::uint8_t>> InflateBytes(std::span<const std::uint8_t> stream,
                                                      std::size_t max_size,
                                                      TrailingInput trailing = TrailingInput::kRefused);

}  // namespace lumi
