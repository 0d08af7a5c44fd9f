#pragma once
// The rules of the "Mutavia Colors" dialog without its window: the current gene shown
// large in the middle of a 4 x 4 grid of 70 x 50 cells, twelve candidates round it in a
// clockwise ring from the top-left, and the previews of all thirteen painted by the gene
// generator. The window turns clicks into these calls and paints the previews.
#include <array>

#include "base/geometry.h"
#include "image/dib_section.h"
#include "library/gene_library.h"
#include "library/texture_factory.h"

namespace lumi {

class GeneBreeder {
 public:
  static constexpr int kCandidates = 12;
  static constexpr int kCellWidth = 70;
  static constexpr int kCellHeight = 50;
  static constexpr int kCentreSlot = -2;  // SlotAt: the centre
  static constexpr int kNoSlot = -1;

  // The handed-in gene: its kind (mode + 1, 0 for none) and three words. The centre is
  // rendered; the candidates are empty until Mutate.
  GeneBreeder(int gene_kind, const GeneWords& words);

  const Gene& Current() const { return current_; }
  const Gene& Candidate(int slot) const { return candidates_[static_cast<std::size_t>(slot)]; }
  const CDIBSection& CentrePreview() const { return centre_preview_; }
  const CDIBSection& CandidatePreview(int slot) const {
    return candidate_previews_[static_cast<std::size_t>(slot)];
  }

  // "Mutate!": twelve random genes, drawn from the shared generator slot by slot.
  void Mutate();
  // Twelve variations of the current gene (a click on the centre).
  void Vary();
  // The current gene becomes the candidate's; the candidates stay.
  void Adopt(int slot);
  // A gene chosen from a library: it becomes current and twelve variations are made.
  void TakeLibraryGene(const Gene& gene);

  // The slot under a point of the preview area, kCentreSlot strictly inside the centre,
  // kNoSlot elsewhere.
  static int SlotAt(Point p);
  // The top-left corner of a candidate's cell.
  static Point CellOrigin(int slot);
  // A left click: breeds at the centre, adopts a candidate. Returns the slot hit.
  int Click(Point p);

  // OK: gene kind (mode + 1, a negative mode counting as 0) and the words, word 3
  // without the mode. "Remove" hands back kind 0 with the words unchanged.
  int ResultKind() const { return (current_.mode < 0 ? 0 : current_.mode) + 1; }
  GeneWords ResultWords() const { return PackGene(current_, false); }

 private:
  void RenderCentre();
  void Generate(CDIBSection& preview);

  CTextureFactory factory_;
  Gene current_;
  std::array<Gene, kCandidates> candidates_{};
  CDIBSection centre_preview_;
  std::array<CDIBSection, kCandidates> candidate_previews_;
};

}  // namespace lumi
