#pragma once
// Base64 (RFC 4648, with padding) for binary data carried inside JSON text.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumi {

std::string EncodeBase64(std::span<const std::uint8_t> bytes);
// Nothing when the text holds anything but the alphabet and correct padding.
std::optional<std::vector<std::uint8_t>> DecodeBase64(std::string_view text);

}  // namespace lumi
