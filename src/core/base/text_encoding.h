#pragma once
// Conversions between the UTF-8 strings the program keeps in memory and the Windows-1252
// and UTF-16 forms its files hold.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumi {

// Decodes UTF-8 into code points; malformed bytes become U+FFFD.
std::u32string DecodeUtf8(std::string_view utf8);
std::string EncodeUtf8(std::u32string_view code_points);

// Windows-1252 bytes for the text, or nothing when a character has no 1252 byte.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);
// Every byte maps to a character; the five bytes 1252 leaves undefined map to the C1
// controls of the same value, as Windows does, so the conversion round-trips.
std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-16 code units; characters beyond the basic plane become surrogate pairs.
std::u16string Utf8ToUtf16(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace lumi
