#pragma once
// The binary archive every persistent class reads and writes itself through. One object
// carries the direction, so a class has one Serialize that both stores and loads:
//
//   void CThing::Serialize(CArchive& ar) { ar.Exchange(m_width); ar.Exchange(m_name); }
//
// Integers are little-endian; strings are 8-bit Windows-1252 behind a length prefix, or
// UTF-16 behind the 0xFF 0xFFFE marker when Windows-1252 cannot hold them. In memory
// strings are UTF-8. Every read past the end throws ArchiveError.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "base/byte_stream.h"

namespace lumi {

class CArchive {
 public:
  enum class Mode { Store, Load };

  explicit CArchive(ByteSink& sink) : mode_(Mode::Store), sink_(&sink) {}
  explicit CArchive(ByteSource& source) : mode_(Mode::Load), source_(&source) {}

  bool IsStoring() const { return mode_ == Mode::Store; }
  bool IsLoading() const { return mode_ == Mode::Load; }

  void WriteByte(std::uint8_t v);
  void WriteUInt16(std::uint16_t v);
  void WriteInt32(std::int32_t v);
  void WriteUInt32(std::uint32_t v);
  void WriteDouble(double v);
  void WriteBytes(std::span<const std::uint8_t> bytes);
  void WriteString(std::string_view utf8);

  std::uint8_t ReadByte();
  std::uint16_t ReadUInt16();
  std::int32_t ReadInt32();
  std::uint32_t ReadUInt32();
  double ReadDouble();
  void ReadBytes(std::span<std::uint8_t> bytes);
  std::string ReadString();

  // Bytes left to read; lets a reader check a stored count before allocating for it.
  std::uint64_t Remaining() const;
  // Throws ArchiveError naming `what` unless `count` items of `item_size` bytes remain.
  void RequireRemaining(std::uint64_t count, std::uint64_t item_size, const char* what) const;

  // Store or load, as the archive's direction says.
  void Exchange(std::uint8_t& v) { IsStoring() ? WriteByte(v) : void(v = ReadByte()); }
  void Exchange(std::uint16_t& v) { IsStoring() ? WriteUInt16(v) : void(v = ReadUInt16()); }
  void Exchange(std::int32_t& v) { IsStoring() ? WriteInt32(v) : void(v = ReadInt32()); }
  void Exchange(std::uint32_t& v) { IsStoring() ? WriteUInt32(v) : void(v = ReadUInt32()); }
  void Exchange(double& v) { IsStoring() ? WriteDouble(v) : void(v = ReadDouble()); }
  void Exchange(std::string& v) { IsStoring() ? WriteString(v) : void(v = ReadString()); }

 private:
  void Put(const void* data, std::size_t size);
  void Get(void* data, std::size_t size);
  void WriteLengthPrefix(std::uint32_t length);
  std::uint32_t ReadLengthAfterFF();

  Mode mode_;
  ByteSink* sink_ = nullptr;
  ByteSource* source_ = nullptr;
};

}  // namespace lumi
