#include "library/texture_factory.h"

#include <ctime>

#include "base/runtime_random.h"
#include "image/dib_section.h"
#include "library/gene_rules.h"

namespace lumi {

CTextureFactory::CTextureFactory() {
  SeedRandom(static_cast<std::uint32_t>(std::time(nullptr)));
  for (int i = 0; i < 3; ++i) Rand();
}

void CTextureFactory::SetImage(std::uint8_t* pixels, int width, int height) {
  pixels_ = pixels;
  width_ = width;
  height_ = height;
}

void CTextureFactory::SetGene(std::int32_t word1, std::int32_t word2, std::int32_t word3) {
  const auto byte = [](std::int32_t word, int i) {
    return static_cast<int>((static_cast<std::uint32_t>(word) >> (8 * i)) & 255u);
  };
  for (int i = 0; i < 3; ++i) {
    P_[static_cast<std::size_t>(i)] = byte(word1, i);
    P_[static_cast<std::size_t>(i + 3)] = byte(word2, i);
  }
  P_[6] = byte(word3, 0);
  P_[7] = byte(word3, 1);
}

void CTextureFactory::SetGeneMode(int mode) { mode_ = mode < 0 ? 0 : mode; }

void CTextureFactory::SetParam(int i, int value) {
  if (i < 0 || i >= kGeneBytes) return;
  P_[static_cast<std::size_t>(i)] = value < 0 ? 0 : value > 255 ? 255 : value;
}

int CTextureFactory::GetParam(int i) const {
  return i >= 0 && i < kGeneBytes ? P_[static_cast<std::size_t>(i)] : 0;
}

void CTextureFactory::Generate() {
  if (pixels_ == nullptr || width_ <= 0 || height_ <= 0) return;
  gene::GeneRun run;
  run.pixels = pixels_;
  run.width = width_;
  run.height = height_;
  run.P = P_.data();
  run.mode = mode_;
  gene::Generate(run);
}

void GenerateGeneFill(std::uint8_t* pixels, int width, int height, std::int32_t word1,
                      std::int32_t word2, std::int32_t word3, int mode) {
  CTextureFactory factory;
  factory.SetImage(pixels, width, height);
  factory.SetGene(word1, word2, word3);
  factory.SetGeneMode(mode);
  factory.Generate();
}

void GenerateGeneFill(CDIBSection& image, std::int32_t word1, std::int32_t word2,
                      std::int32_t word3, int mode) {
  if (image.IsEmpty() || image.Bits() != 32) return;
  GenerateGeneFill(image.Pixels(), image.Width(), image.Height(), word1, word2, word3, mode);
}

}  // namespace lumi
