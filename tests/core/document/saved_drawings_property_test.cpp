// Every drawing the program can make, it can save and read back. Random sequences of the
// object operations (creation of each kind, moves, resizes, rotations, skews, flips, node
// and envelope-handle drags, node deletion, conversions) are saved as a project, read
// back, and saved again: the read must succeed and give the same bytes.
//
// A fixed seed runs a few hundred sequences in the normal run; LUMI_SAVE_SEQUENCES asks
// for more, LUMI_SAVE_SEED for another seed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <sstream>

#include "base/errors.h"
#include "document_fixture.h"
#include "image/pixwerk.h"

namespace lumi {
namespace {

using testing::DocumentTest;

std::uint64_t FromEnvironment(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
}

class Sequence {
 public:
  explicit Sequence(std::uint64_t seed) : random_(seed) {}

  int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool Coin() { return Int(0, 1) == 1; }

  // One object of a random kind, or null when the creation was refused (a tool then
  // adds nothing); the log names every step so a failure can be replayed.
  std::unique_ptr<CDrawObject> Create(CPlenivorDoc& doc, std::ostringstream& log) {
    auto o = doc.MakeObject();
    const int l = Int(-50, 300), t = Int(-50, 300);
    const int r = l + Int(0, 200), b = t + Int(0, 200);
    int made = 0;
    switch (Int(0, 7)) {
      case 0: log << "rectangle "; made = o->CreateRectangle(l, t, r, b); break;
      case 1: log << "circle "; made = o->CreateCircle(l, t, r, b); break;
      case 2: log << "round rect "; made = o->CreateRoundRect(l, t, r, b, Int(0, 60)); break;
      case 3: log << "star "; made = o->CreateStar(l, t, r, b, Int(3, 12), Int(1, 99)); break;
      case 4:
      case 5: {
        const bool free = Coin(), closed = Coin();
        log << (free ? "free path " : "path ") << (closed ? "closed " : "open ");
        std::vector<Point> points(static_cast<std::size_t>(Int(1, 14)));
        // Repeated points too: a path drawn with a still mouse.
        for (Point& p : points) p = Coin() && &p != &points[0] ? (&p)[-1] : Point{Int(l, r), Int(t, b)};
        if (free)
          made = o->CreateFreePath(points, closed);
        else
          made = o->CreatePath(points, closed);
        break;
      }
      case 6:
        log << "arrow ";
        made = o->CreateArrow({Int(l, r), Int(t, b)}, {Int(l, r), Int(t, b)}, {Int(l, r), Int(t, b)});
        break;
      default: {
        log << "bitmap ";
        RgbImage rgb;
        rgb.width = Int(1, 12);
        rgb.height = Int(1, 12);
        rgb.pixels.resize(static_cast<std::size_t>(rgb.width) * rgb.height * 3);
        for (auto& v : rgb.pixels) v = static_cast<std::uint8_t>(Int(0, 255));
        made = o->CreateBitmapFromClipboard(rgb, Int(0, 300), Int(0, 300));
        break;
      }
    }
    if (made == 0) log << "(refused) ";
    return made != 0 ? std::move(o) : nullptr;
  }

  int NodeCount(CDrawObject& o) { return std::max(o.Outline().Count(), o.Polynome().Count()); }

  void Operate(CDrawObject& o, std::ostringstream& log) {
    switch (Int(0, 11)) {
      case 0: log << "move "; o.MoveTo(Int(-300, 600), Int(-300, 600)); break;
      case 1:
        log << "resize ";
        o.SetPendingRect(o.GetX(), o.GetY(), Int(1, 400), Int(1, 400));
        o.ApplyPendingRect();
        break;
      case 2: log << "rotate "; o.Rotate(Int(-3600, 3600) / 10.0, true); break;
      case 3: log << "skew "; o.Skew(Int(-80, 80), Int(-80, 80), Int(-80, 80), Int(-80, 80)); break;
      case 4: log << "flip "; o.Flip(Coin()); break;
      case 5:
      case 6: {
        // Node drags, far outside the box at times, and several before one re-fit.
        log << "node drag ";
        for (int i = Int(1, 3); i > 0; --i) {
          const int far = Coin() ? 3000 : 60;
          o.MoveNode(Int(0, NodeCount(o)), Int(-far, far), Int(-far, far));
        }
        o.FinishNodeDrag();
        break;
      }
      case 7:
        log << "envelope handle ";
        o.MoveEnvelopeHandle(Int(0, 7), Int(-500, 500), Int(-500, 500));
        o.FinishNodeDrag();
        break;
      case 8: log << "delete node "; o.DeleteNode(Int(0, NodeCount(o))); break;
      case 9: log << "to polynome "; o.ConvertToPolynome(); break;
      case 10: log << "to envelope "; o.ConvertPolynomeToEnvelope(Coin()); break;
      default: log << (Coin() ? "break " : "close "); Coin() ? o.BreakPath() : o.ClosePath(); break;
    }
  }

 private:
  std::mt19937_64 random_;
};

class SavedDrawings : public DocumentTest {};

TEST_F(SavedDrawings, RandomEditsAlwaysSaveReadBackAndSaveTheSameBytes) {
  const std::uint64_t seed = FromEnvironment("LUMI_SAVE_SEED", 20261210);
  const std::uint64_t sequences = FromEnvironment("LUMI_SAVE_SEQUENCES", 300);
  for (std::uint64_t n = 0; n < sequences; ++n) {
    Sequence random(seed * 1000003 + n);
    std::ostringstream log;
    log << "seed " << seed << " sequence " << n << ": ";
    doc_.NewDocument();
    for (int objects = random.Int(1, 3); objects > 0; --objects) {
      auto object = random.Create(doc_, log);
      if (!object) continue;
      for (int steps = random.Int(1, 10); steps > 0; --steps) random.Operate(*object, log);
      object->Render();  // as every change in the program ends
      doc_.Objects().push_back(std::move(object));
      log << "| ";
    }
    const std::vector<std::uint8_t> saved = Store();

    CTextureBank bank;
    CPlenivorDoc read(host_, settings_, bank);
    MemorySource source(saved);
    CArchive ar(source);
    bool loaded = false;
    try {
      loaded = read.Serialize(ar);
    } catch (const Error& e) {
      ADD_FAILURE() << log.str() << "\n  refused: " << e.what();
    }
    ASSERT_TRUE(loaded) << log.str();
    MemorySink again;
    CArchive ar_again(again);
    read.Serialize(ar_again);
    if (again.Bytes() != saved) {
      const auto& b = again.Bytes();
      std::size_t at = 0;
      while (at < b.size() && at < saved.size() && b[at] == saved[at]) ++at;
      FAIL() << log.str() << "\n  saved again differs at byte " << at << " of " << saved.size()
             << " (" << b.size() << " the second time)";
    }
  }
}

}  // namespace
}  // namespace lumi
