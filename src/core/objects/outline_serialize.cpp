// The stored forms of the two outline classes. Reading builds the new outline aside and
// takes it only when the whole record was read, so a damaged record changes nothing.
#include <cmath>

#include "base/archive.h"
#include "base/errors.h"
#include "objects/bezier.h"
#include "objects/outline_limits.h"
#include "objects/polynome.h"

namespace lumi {
namespace {

constexpr std::uint64_t kBezierNodeBytes = 20;    // x, y, type
constexpr std::uint64_t kPolynomeNodeBytes = 17;  // x, y, type byte

std::int32_t ReadCount(CArchive& ar, std::uint64_t item_size, const char* what) {
  const std::int32_t count = ar.ReadInt32();
  if (count < 0) throw ArchiveError(std::string("Negative count of ") + what);
  ar.RequireRemaining(static_cast<std::uint64_t>(count), item_size, what);
  return count;
}


double ReadCoordinate(CArchive& ar, double limit, const char* what) {
  const double v = ar.ReadDouble();
  if (!(std::fabs(v) <= limit)) throw ArchiveError(std::string("Coordinate out of range in ") + what);
  return v;
}

}  // namespace

void CBezier::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteInt32(closed_);
    ar.WriteInt32(Count());
    for (const CBezierNode& n : nodes_) {
      ar.WriteDouble(n.x);
      ar.WriteDouble(n.y);
      ar.WriteInt32(n.type);
    }
    ar.WriteInt32(line_width_);
    ar.WriteInt32(-1);
    return;
  }
  CBezier read;
  read.closed_ = ar.ReadInt32();
  const std::int32_t count = ReadCount(ar, kBezierNodeBytes, "Bezier nodes");
  read.nodes_.resize(static_cast<std::size_t>(count));
  for (CBezierNode& n : read.nodes_) {
    n.x = ReadCoordinate(ar, kReadableFactor * kMaxUnitCoordinate, "Bezier nodes");
    n.y = ReadCoordinate(ar, kReadableFactor * kMaxUnitCoordinate, "Bezier nodes");
    n.type = ar.ReadInt32();
  }
  read.line_width_ = ar.ReadInt32();
  ar.ReadInt32();  // end mark
  read.modified_ = modified_;
  *this = std::move(read);
}

void CPolynome::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteInt32(Count());
    for (const CPolynomeNode& n : nodes_) {
      ar.WriteDouble(n.x);
      ar.WriteDouble(n.y);
      ar.WriteByte(n.type);
    }
    for (double v : envelope_) ar.WriteDouble(v);
    ar.WriteInt32(envelope_on_);
    ar.WriteInt32(open_);
    ar.WriteInt32(line_width_);
    ar.WriteInt32(-1);
    return;
  }
  CPolynome read;
  const std::int32_t count = ReadCount(ar, kPolynomeNodeBytes, "Polynome nodes");
  read.nodes_.resize(static_cast<std::size_t>(count));
  for (CPolynomeNode& n : read.nodes_) {
    n.x = ReadCoordinate(ar, kReadableFactor * kMaxPerMilleCoordinate, "Polynome nodes");
    n.y = ReadCoordinate(ar, kReadableFactor * kMaxPerMilleCoordinate, "Polynome nodes");
    n.type = ar.ReadByte();
  }
  for (double& v : read.envelope_) v = ReadCoordinate(ar, kReadableFactor * kMaxEnvelopeCoordinate, "the envelope");
  read.envelope_on_ = ar.ReadInt32();
  read.open_ = ar.ReadInt32();
  read.line_width_ = ar.ReadInt32();
  ar.ReadInt32();  // end mark
  read.modified_ = modified_;
  *this = std::move(read);
}

}  // namespace lumi
