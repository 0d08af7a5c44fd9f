#include "library/gene_breeder.h"

#include <ctime>

#include "base/runtime_random.h"
#include "effects/filter_math.h"

namespace lumi {

namespace {

constexpr std::array<Point, GeneBreeder::kCandidates> kRing = {{
    {0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2}, {3, 3}, {2, 3}, {1, 3}, {0, 3}, {0, 2}, {0, 1},
}};

int RandRange(int a, int b) { return fx::Rand(fx::Int(a), fx::Int(b)).v; }

// The mode a random candidate gets from its first draw (and a second one for 10).
int RandomMode() {
  const int e = RandRange(0, 15);
  switch (e) {
    case 4: return 2;
    case 5: return 3;
    case 8: return 1;
    case 9: return 10;
    case 11: return 11;
    case 12: return 12;
    case 13: return 13;
    case 10: {
      const int f = RandRange(0, 3);
      return f == 1 ? 4 : f == 2 ? 5 : 6;
    }
    default: return 0;
  }
}

}  // namespace

GeneBreeder::GeneBreeder(int gene_kind, const GeneWords& words) {
  // The dialog seeds the shared generator from the clock and draws once, after the
  // factory has done the same.
  SeedRandom(static_cast<std::uint32_t>(std::time(nullptr)));
  Rand();
  factory_.SetGene(words.word1, words.word2, words.word3);
  for (int i = 0; i < 8; ++i) current_.P[static_cast<std::size_t>(i)] = factory_.GetParam(i);
  current_.mode = gene_kind - 1;
  centre_preview_.Create(2 * kCellWidth, 2 * kCellHeight, 32, true);
  centre_preview_.FillRGBA(0xFFFFFF);
  for (CDIBSection& preview : candidate_previews_) {
    preview.Create(kCellWidth, kCellHeight, 32, true);
    preview.FillRGBA(0xFFFFFF);
  }
  RenderCentre();
}

void GeneBreeder::Generate(CDIBSection& preview) {
  factory_.SetImage(preview.Pixels(), preview.Width(), preview.Height());
  factory_.Generate();
}

void GeneBreeder::RenderCentre() {
  for (int i = 0; i < 8; ++i) factory_.SetParam(i, current_.P[static_cast<std::size_t>(i)]);
  factory_.SetGeneMode(current_.mode);
  Generate(centre_preview_);
}

void GeneBreeder::Mutate() {
  for (int k = 0; k < kCandidates; ++k) {
    GeneWords w;
    std::int32_t* words[3] = {&w.word1, &w.word2, &w.word3};
    for (std::int32_t* word : words) {
      *word = RandRange(0, 16777214);
      if (*word > 16777214) *word = 0;
    }
    factory_.SetGene(w.word1, w.word2, w.word3);
    factory_.SetGeneMode(RandomMode());
    Gene& slot = candidates_[static_cast<std::size_t>(k)];
    slot.mode = factory_.GeneMode();
    for (int i = 0; i < 8; ++i) slot.P[static_cast<std::size_t>(i)] = factory_.GetParam(i);
    Generate(candidate_previews_[static_cast<std::size_t>(k)]);
  }
}

void GeneBreeder::Vary() {
  const int m = current_.mode;
  const int spread = (m <= 0 || m == 4 || m == 5 || m == 6) ? 50 : 100;
  for (int k = 0; k < kCandidates; ++k) {
    for (int i = 0; i < 8; ++i) {
      factory_.SetParam(i, current_.P[static_cast<std::size_t>(i)] + RandRange(0, spread) - spread / 2);
    }
    factory_.SetGeneMode(m);
    Gene& slot = candidates_[static_cast<std::size_t>(k)];
    slot.mode = factory_.GeneMode();
    for (int i = 0; i < 8; ++i) slot.P[static_cast<std::size_t>(i)] = factory_.GetParam(i);
    Generate(candidate_previews_[static_cast<std::size_t>(k)]);
  }
}

void GeneBreeder::Adopt(int slot) {
  if (slot < 0 || slot >= kCandidates) return;
  current_ = candidates_[static_cast<std::size_t>(slot)];
  RenderCentre();
}

void GeneBreeder::TakeLibraryGene(const Gene& gene) {
  current_ = gene;
  RenderCentre();
  Vary();
}

int GeneBreeder::SlotAt(Point p) {
  if (p.x > kCellWidth && p.x < 3 * kCellWidth && p.y > kCellHeight && p.y < 3 * kCellHeight) {
    return kCentreSlot;
  }
  if (p.x < 0 || p.y < 0) return kNoSlot;
  const int column = p.x / kCellWidth;
  const int row = p.y / kCellHeight;
  for (int k = 0; k < kCandidates; ++k) {
    if (kRing[static_cast<std::size_t>(k)].x == column && kRing[static_cast<std::size_t>(k)].y == row) return k;
  }
  return kNoSlot;
}

Point GeneBreeder::CellOrigin(int slot) {
  const Point cell = kRing[static_cast<std::size_t>(slot)];
  return {cell.x * kCellWidth, cell.y * kCellHeight};
}

int GeneBreeder::Click(Point p) {
  const int slot = SlotAt(p);
  if (slot == kCentreSlot) {
    Vary();
  } else if (slot >= 0) {
    Adopt(slot);
  }
  return slot;
}

}  // namespace lumi
