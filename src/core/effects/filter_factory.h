#pragma once
// The catalogue of the 27 bitmap filters and the engine that runs one of them over a
// 32-bit image (bytes blue, green, red, alpha; rows one after another without padding,
// in whatever row order the caller's bitmap has).
//
// The "Bitmap Color Tweak" window lists the catalogue, shows one slider per parameter and
// runs the chosen filter first on a preview and then on the bitmap itself.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/colour.h"

namespace lumi {

class CDIBSection;

class CFilterFactory {
 public:
  static constexpr int kParamSlots = 8;
  static constexpr int kCatalogueSize = 50;
  static constexpr int kScratchSize = 256;

  struct ParamSlot {
    std::string name;
    int default_value = 0;
    COLORREF colour = 0;
  };
  struct Entry {
    int id = 0;
    std::string name;
    int param_count = 0;
    std::array<ParamSlot, kParamSlots> params{};
  };

  // Slider colours.
  static constexpr COLORREF kGrey = RGB(64, 64, 64);
  static constexpr COLORREF kWhite = RGB(255, 255, 255);
  static constexpr COLORREF kBlue = RGB(0, 0, 255);
  static constexpr COLORREF kGreen = RGB(0, 255, 0);
  static constexpr COLORREF kRed = RGB(255, 0, 0);

  CFilterFactory();

  // Attaches the live image (not owned) and keeps a copy of it as it is now: every run
  // of ApplyFilter starts again from that copy. Returns false, and detaches, when the
  // copy cannot be allocated or the size is not positive; the caller reports it.
  bool SetImage(std::uint8_t* pixels, int width, int height);
  // The same for a 32-bit bitmap, in its stored row order; false for other depths and
  // empty bitmaps.
  bool SetImage(CDIBSection& bitmap);

  // Makes `id` the current filter with the defaults of its parameters. Ids outside the
  // catalogue select an empty filter without parameters (running it only restores the
  // image).
  void SelectFilter(int id);
  void SetParam(int i, int value);
  int GetParam(int i) const;  // 0 for i outside 0..7
  // Name and slider colour of the current filter's slot i (empty and white outside 0..7).
  const std::string& ParamName(int i) const;
  COLORREF ParamColour(int i) const;
  int ParamCount() const { return count_; }
  int CurrentFilter() const { return current_; }

  // Name of catalogue entry i; empty for the terminating entry and anything past it.
  const std::string& FilterName(int i) const;
  const Entry& CatalogueEntry(int i) const;

  // Restores the live image from the copy and runs the current filter over it. Nothing
  // happens when no image is attached.
  void ApplyFilter();

  // The scratch table that Aged Photo keeps its noise in, kept across runs.
  const std::array<std::int32_t, kScratchSize>& Scratch() const { return scratch_; }

 private:
  void Add(int id, const char* name, std::initializer_list<ParamSlot> params);

  std::array<Entry, kCatalogueSize> catalogue_{};
  int highest_id_ = -1;

  std::uint8_t* live_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> copy_;

  int current_ = 0;
  int count_ = 0;
  std::array<int, kParamSlots> values_{};
  std::array<std::string, kParamSlots> names_{};
  std::array<COLORREF, kParamSlots> colours_{};

  std::array<std::int32_t, kScratchSize> scratch_{};
};

}  // namespace lumi
