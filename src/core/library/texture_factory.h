#pragma once
// The colour-gene generator: paints a procedural pattern from a gene of eight bytes and a
// mode (0..13) into a 32-bit image (bytes blue, green, red, alpha, rows one after another
// in the bitmap's own row order). Genes are stored in objects, projects and gene
// libraries by these numbers alone, so every mode is computed exactly as it always was.
#include <array>
#include <cstdint>

namespace lumi {

class CDIBSection;

class CTextureFactory {
 public:
  static constexpr int kGeneBytes = 8;

  // Seeds the shared runtime generator from the clock and draws three numbers, as making
  // a factory always has (later users of the generator see the same sequence position).
  CTextureFactory();

  // Attaches the image (not copied; the caller keeps it alive during Generate).
  void SetImage(std::uint8_t* pixels, int width, int height);
  // P[0..2] from the low three bytes of word 1 (lowest first), P[3..5] from word 2,
  // P[6], P[7] from the low two bytes of word 3.
  void SetGene(std::int32_t word1, std::int32_t word2, std::int32_t word3);
  // Negative modes become 0; modes above 13 draw like mode 0.
  void SetGeneMode(int mode);
  int GeneMode() const { return mode_; }
  void SetParam(int i, int value);  // clamped to 0..255; i outside 0..7 ignored
  int GetParam(int i) const;        // 0 for i outside 0..7

  // Writes red, green and blue of every pixel (alpha untouched). Nothing happens when no
  // image is attached.
  void Generate();

 private:
  std::uint8_t* pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int mode_ = 0;
  std::array<int, kGeneBytes> P_{};
};

// The gene fill of an object image: a factory made for this one fill, given the pixels,
// the size, the three gene words and mode (the object's gene seed minus one).
void GenerateGeneFill(std::uint8_t* pixels, int width, int height, std::int32_t word1,
                      std::int32_t word2, std::int32_t word3, int mode);
// The same on a 32-bit bitmap in its stored row order (bottom row first for object
// images); other depths and empty bitmaps are left alone.
void GenerateGeneFill(CDIBSection& image, std::int32_t word1, std::int32_t word2,
                      std::int32_t word3, int mode);

}  // namespace lumi
