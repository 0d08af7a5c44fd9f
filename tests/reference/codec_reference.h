#pragma once
// Plain decoders of BMP, PCX and GIF pixel data, written for clarity only: one byte and
// one pixel at a time. They serve as test oracles and benchmark baselines; they accept
// only pictures of up to 4M pixels and return nothing for anything they cannot read.
#include <cstdint>
#include <optional>
#include <span>

#include "image/pixwerk.h"

namespace lumi::reference {

inline constexpr std::int64_t kMaxReferencePixels = std::int64_t{1} << 22;

std::optional<RgbImage> DecodeBmp(std::span<const std::uint8_t> file);
std::optional<RgbImage> DecodePcx(std::span<const std::uint8_t> file);
// The first image of a GIF file.
std::optional<RgbImage> DecodeGif(std::span<const std::uint8_t> file);

}  // namespace lumi::reference
