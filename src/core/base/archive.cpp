#include "base/archive.h"

#include <bit>
#include <cstring>
#include <string>

#include "base/errors.h"
#include "base/text_encoding.h"

namespace lumi {

static_assert(std::endian::native == std::endian::little,
              "the archive writes native integers and assumes a little-endian machine");

namespace {
constexpr std::uint8_t kLongPrefix = 0xFF;
constexpr std::uint16_t kUnicodeMarker = 0xFFFE;
constexpr std::uint16_t kHugeMarker = 0xFFFF;
}  // namespace

void CArchive::Put(const void* data, std::size_t size) {
  if (!sink_) throw ArchiveError("Archive is not open for writing");
  sink_->Write(data, size);
}

void CArchive::Get(void* data, std::size_t size) {
  if (!source_) throw ArchiveError("Archive is not open for reading");
  source_->Read(data, size);
}

void CArchive::WriteByte(std::uint8_t v) { Put(&v, 1); }
void CArchive::WriteUInt16(std::uint16_t v) { Put(&v, 2); }
void CArchive::WriteInt32(std::int32_t v) { Put(&v, 4); }
void CArchive::WriteUInt32(std::uint32_t v) { Put(&v, 4); }
void CArchive::WriteDouble(double v) { Put(&v, 8); }
void CArchive::WriteBytes(std::span<const std::uint8_t> bytes) { Put(bytes.data(), bytes.size()); }

std::uint8_t CArchive::ReadByte() {
  std::uint8_t v;
  Get(&v, 1);
  return v;
}
std::uint16_t CArchive::ReadUInt16() {
  std::uint16_t v;
  Get(&v, 2);
  return v;
}
std::int32_t CArchive::ReadInt32() {
  std::int32_t v;
  Get(&v, 4);
  return v;
}
std::uint32_t CArchive::ReadUInt32() {
  std::uint32_t v;
  Get(&v, 4);
  return v;
}
double CArchive::ReadDouble() {
  double v;
  Get(&v, 8);
  return v;
}
void CArchive::ReadBytes(std::span<std::uint8_t> bytes) { Get(bytes.data(), bytes.size()); }

std::uint64_t CArchive::Remaining() const { return source_ ? source_->Remaining() : 0; }

void CArchive::RequireRemaining(std::uint64_t count, std::uint64_t item_size,
                                const char* what) const {
  const std::uint64_t left = Remaining();
  if (item_size != 0 && count > left / item_size) {
    throw ArchiveError(std::string(what) + ": stored size exceeds the data");
  }
}

void CArchive::WriteLengthPrefix(std::uint32_t length) {
  if (length < 255) {
    WriteByte(static_cast<std::uint8_t>(length));
  } else if (length < kUnicodeMarker) {
    WriteByte(kLongPrefix);
    WriteUInt16(static_cast<std::uint16_t>(length));
  } else {
    WriteByte(kLongPrefix);
    WriteUInt16(kHugeMarker);
    WriteUInt32(length);
  }
}

void CArchive::WriteString(std::string_view utf8) {
  if (auto narrow = Utf8ToCp1252(utf8)) {
    if (narrow->size() > 0xFFFFFFFFu) throw ArchiveError("String too long to store");
    WriteLengthPrefix(static_cast<std::uint32_t>(narrow->size()));
    Put(narrow->data(), narrow->size());
    return;
  }
  // Text Windows-1252 cannot hold keeps every character in the UTF-16 form.
  const std::u16string wide = Utf8ToUtf16(utf8);
  if (wide.size() > 0xFFFFFFFFu) throw ArchiveError("String too long to store");
  WriteByte(kLongPrefix);
  WriteUInt16(kUnicodeMarker);
  WriteLengthPrefix(static_cast<std::uint32_t>(wide.size()));
  for (char16_t c : wide) WriteUInt16(static_cast<std::uint16_t>(c));
}

// After a 0xFF byte: the 16-bit length, or 0xFFFF and the 32-bit length.
std::uint32_t CArchive::ReadLengthAfterFF() {
  const std::uint16_t length16 = ReadUInt16();
  if (length16 != kHugeMarker) return length16;
  return ReadUInt32();
}

std::string CArchive::ReadString() {
  bool wide = false;
  std::uint32_t length = ReadByte();
  if (length == kLongPrefix) {
    std::uint16_t length16 = ReadUInt16();
    if (length16 == kUnicodeMarker) {
      wide = true;
      length = ReadByte();
      if (length == kLongPrefix) length = ReadLengthAfterFF();
    } else {
      length = length16 == kHugeMarker ? ReadUInt32() : length16;
    }
  }
  if (!wide) {
    RequireRemaining(length, 1, "String");
    std::string bytes(length, '\0');
    Get(bytes.data(), length);
    return Cp1252ToUtf8(bytes);
  }
  RequireRemaining(length, 2, "String");
  std::u16string units(length, u'\0');
  for (auto& u : units) u = static_cast<char16_t>(ReadUInt16());
  return Utf16ToUtf8(units);
}

}  // namespace lumi
