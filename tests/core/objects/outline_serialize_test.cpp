// Stored outlines: field layout, round trips and damaged records.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"
#include "objects/bezier.h"
#include "objects/polynome.h"

namespace lumi {
namespace {

template <typename T>
std::vector<std::uint8_t> Store(T& outline) {
  MemorySink sink;
  CArchive ar(sink);
  outline.Serialize(ar);
  return sink.TakeBytes();
}

template <typename T>
void Load(T& outline, const std::vector<std::uint8_t>& bytes) {
  MemorySource source(bytes);
  CArchive ar(source);
  outline.Serialize(ar);
}

std::int32_t IntAt(const std::vector<std::uint8_t>& b, std::size_t at) {
  std::int32_t v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}

TEST(OutlineRecords, BezierRecordLayoutAndRoundTrip) {
  CBezier b;
  b.MakeRectangle();
  b.BreakPath();
  b.SetLineWidth(9);
  const std::vector<std::uint8_t> bytes = Store(b);
  ASSERT_EQ(bytes.size(), 4u + 4 + 13 * 20 + 4 + 4);
  EXPECT_EQ(IntAt(bytes, 0), 0) << "closed flag";
  EXPECT_EQ(IntAt(bytes, 4), 13);
  double x;
  std::memcpy(&x, bytes.data() + 8 + 2 * 20, 8);
  EXPECT_EQ(x, 1.0) << "node 2 x";
  EXPECT_EQ(IntAt(bytes, bytes.size() - 8), 9);
  EXPECT_EQ(IntAt(bytes, bytes.size() - 4), -1);

  CBezier read;
  Load(read, bytes);
  EXPECT_FALSE(read.IsClosed());
  EXPECT_EQ(read.Count(), 13);
  EXPECT_EQ(read.LineWidth(), 9);
  EXPECT_EQ(Store(read), bytes);
}

TEST(OutlineRecords, PolynomeRecordLayoutAndRoundTrip) {
  CPolynome p;
  p.MakeArrow({0, 0}, {50, 50}, {50, 50});
  p.MoveEnvelopeHandle(1, 5, 5, 100, 100);
  const std::vector<std::uint8_t> bytes = Store(p);
  ASSERT_EQ(bytes.size(), 4u + 5 * 17 + 16 * 8 + 4 * 4);
  EXPECT_EQ(IntAt(bytes, 0), 5);
  EXPECT_EQ(bytes[4 + 16], kPtMoveTo) << "type byte of node 0";
  EXPECT_EQ(IntAt(bytes, bytes.size() - 16), 1) << "envelope flag";
  EXPECT_EQ(IntAt(bytes, bytes.size() - 12), 1) << "open flag";
  CPolynome read;
  Load(read, bytes);
  EXPECT_EQ(read.Count(), 5);
  EXPECT_TRUE(read.IsEnvelopeOn());
  EXPECT_EQ(read.GetEnvelope(), p.GetEnvelope());
  EXPECT_EQ(Store(read), bytes);
}

TEST(OutlineRecords, DamagedRecordsThrowAndChangeNothing) {
  CBezier source;
  source.MakeRectangle();
  std::vector<std::uint8_t> bytes = Store(source);
  CBezier b;
  b.MakeStar(5, 2);
  for (std::size_t cut : {std::size_t{3}, std::size_t{40}, bytes.size() - 1}) {
    EXPECT_THROW(Load(b, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + cut)),
                 ArchiveError);
    EXPECT_EQ(b.Count(), 30) << "cut at " << cut;
  }
  bytes[4] = 0xFF;  // a node count far beyond the data
  bytes[7] = 0x7F;
  EXPECT_THROW(Load(b, bytes), ArchiveError);
  bytes[7] = 0xFF;  // negative
  EXPECT_THROW(Load(b, bytes), ArchiveError);
  EXPECT_EQ(b.Count(), 30);

  CPolynome p;
  p.MakeArrow({0, 0}, {50, 50}, {50, 60});
  const std::vector<std::uint8_t> huge = {0xFF, 0xFF, 0xFF, 0x0F, 1, 2, 3};
  EXPECT_THROW(Load(p, huge), ArchiveError);
  EXPECT_EQ(p.Count(), 6);
}

// Points far outside a small box are what node drags produce; they must read back, while
// values no edit can make (not numbers, infinities, beyond the limits) are refused.
TEST(OutlineRecords, CoordinateLimitsOnReading) {
  struct Case {
    double value;
    bool readable;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (const Case& c : {Case{3000.5, true}, Case{-2e4, true}, Case{2.5e4, false}, Case{nan, false},
                        Case{inf, false}, Case{-inf, false}}) {
    SCOPED_TRACE(c.value);
    CBezier b;
    b.MakeRectangle();
    std::vector<std::uint8_t> bytes = Store(b);
    std::memcpy(bytes.data() + 8 + 20, &c.value, 8);  // node 1 x
    CBezier read;
    if (c.readable) {
      Load(read, bytes);
      EXPECT_EQ(Store(read), bytes);
    } else {
      EXPECT_THROW(Load(read, bytes), ArchiveError);
    }
  }
}

TEST(OutlineRecords, NodeDragsNeverTakePointsBeyondWhatReadsBack) {
  CBezier b;
  b.MakeRectangle();
  CPolynome p;
  p.MakeArrow({0, 0}, {50, 50}, {50, 60});
  for (int i = 0; i < 200; ++i) {
    b.MoveNode(1, 30000, -30000, 1, 1);  // a 1 x 1 box: 30 000 box widths per drag
    p.MoveNode(1, 30000, -30000, 1, 1);
  }
  CBezier b_read;
  CPolynome p_read;
  Load(b_read, Store(b));
  Load(p_read, Store(p));
  EXPECT_EQ(Store(b_read), Store(b));
  EXPECT_EQ(Store(p_read), Store(p));
}

}  // namespace
}  // namespace lumi
