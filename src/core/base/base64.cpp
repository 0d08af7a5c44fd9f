#include "base/base64.h"

namespace lumi {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int SextetOf(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

}  // namespace

std::string EncodeBase64(std::span<const std::uint8_t> bytes) {
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const std::uint32_t v = bytes[i] << 16 | bytes[i + 1] << 8 | bytes[i + 2];
    text += kAlphabet[v >> 18];
    text += kAlphabet[v >> 12 & 63];
    text += kAlphabet[v >> 6 & 63];
    text += kAlphabet[v & 63];
  }
  const std::size_t rest = bytes.size() - i;
  if (rest > 0) {
    const std::uint32_t v = bytes[i] << 16 | (rest == 2 ? bytes[i + 1] << 8 : 0);
    text += kAlphabet[v >> 18];
    text += kAlphabet[v >> 12 & 63];
    text += rest == 2 ? kAlphabet[v >> 6 & 63] : '=';
    text += '=';
  }
  return text;
}

std::optional<std::vector<std::uint8_t>> DecodeBase64(std::string_view text) {
  if (text.size() % 4 != 0) return std::nullopt;
  std::size_t padding = 0;
  if (!text.empty() && text.back() == '=') padding = text[text.size() - 2] == '=' ? 2 : 1;
  std::vector<std::uint8_t> bytes;
  bytes.reserve(text.size() / 4 * 3);
  for (std::size_t i = 0; i < text.size(); i += 4) {
    const bool last = i + 4 == text.size();
    std::uint32_t v = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      const char c = text[i + k];
      int sextet = SextetOf(c);
      if (sextet < 0) {
        // '=' only as the stated padding at the very end.
        if (c != '=' || !last || k < 4 - padding) return std::nullopt;
        sextet = 0;
      }
      v = v << 6 | static_cast<std::uint32_t>(sextet);
    }
    bytes.push_back(static_cast<std::uint8_t>(v >> 16));
    if (!last || padding < 2) bytes.push_back(static_cast<std::uint8_t>(v >> 8 & 255));
    if (!last || padding < 1) bytes.push_back(static_cast<std::uint8_t>(v & 255));
  }
  return bytes;
}

}  // namespace lumi
