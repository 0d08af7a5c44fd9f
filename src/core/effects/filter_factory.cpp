#include "effects/filter_factory.h"

#include <cstring>
#include <new>

#include "effects/filter_engine.h"
#include "image/dib_section.h"

namespace lumi {

namespace {
const std::string kNoName;
const CFilterFactory::Entry kNoEntry;
}  // namespace

CFilterFactory::CFilterFactory() {
  const COLORREF grey = kGrey, white = kWhite, blue = kBlue, green = kGreen, red = kRed;
  Add(0, "Color - Boost", {{"Boost factor", 74, white}});
  Add(1, "Color - Saturation", {{"Saturation", 180, white}});
  Add(2, "Color - Balance", {{"Red", 128, red}, {"Green", 128, green}, {"Blue", 128, blue}});
  Add(3, "Color - Contrast", {{"Light", 64, white}, {"Dark", 32, grey}});
  Add(4, "Color - Sharpen", {{"Red", 128, red}, {"Green", 128, green}, {"Blue", 128, blue}});
  Add(5, "Color - Antialias", {{"Red", 128, red}, {"Green", 128, green}, {"Blue", 128, blue}});
  Add(6, "Color - Colorize", {{"Red", 162, red}, {"Green", 129, green}, {"Blue", 87, blue}});
  Add(7, "Color - Shift",
      {{"Red Amount", 19, red}, {"Red Shift", 60, red}, {"Green Amount", 150, green},
       {"Green Shift", 43, green}, {"Blue Amount", 99, blue}, {"Blue Shift", 255, blue}});
  Add(8, "Color - Solarize", {{"Red", 62, red}, {"Green", 62, green}, {"Blue", 62, blue}});
  Add(9, "Color - Quantize", {{"Red", 240, red}, {"Green", 240, green}, {"Blue", 240, blue}});
  Add(10, "Effect -Ebossed",
      {{"Contrast", 107, grey}, {"Brightness", 175, white}, {"Original", 150, red}});
  Add(11, "Effect - Oil Emboss",
      {{"Vertical Light", 233, white}, {"Horizontal Light", 200, white}, {"Red", 64, red},
       {"Green", 107, green}, {"Blue", 98, blue}});
  Add(12, "Effect -Aged Photo",
      {{"Scratches", 21, grey}, {"Dust", 36, grey}, {"Desaturation", 175, white},
       {"Red Fade", 20, red}, {"Green Fade", 12, green}, {"Blue Fade", 4, blue}});
  Add(13, "Art - Pastel Pop", {{"Level", 192, white}});
  Add(14, "Art - Poster Art",
      {{"Cyan/Red", 29, red}, {"Magenta/Green", 93, green}, {"Yellow/Blue", 171, blue}});
  Add(15, "Art - Colored", {{"Red", 62, red}, {"Green", 62, green}, {"Blue", 62, blue}});
  Add(16, "Art - Melter",
      {{"Effect", 56, white}, {"Red", 30, red}, {"Green", 12, green}, {"Blue", 28, blue}});
  Add(17, "Art - Pop Colors",
      {{"Red", 128, red}, {"Red Range", 128, red}, {"Green", 150, green},
       {"Green Range", 43, green}, {"Blue", 0, blue}, {"Blue range", 63, blue}});
  Add(18, "Art - 3 Colors", {{"Red", 235, red}, {"Green", 128, green}, {"Blue", 38, blue}});
  Add(19, "Art - Urban Art",
      {{"Red A", 57, red}, {"Red B", 50, red}, {"Green A", 74, green}, {"Green B", 160, green},
       {"Blue A", 28, blue}, {"Blue B", 168, blue}});
  Add(20, "Art - Neon Art", {{"Red", 128, red}, {"Green", 128, green}, {"Blue", 128, blue}});
  Add(21, "Art - Glowing Edge",
      {{"Red From", 210, red}, {"Red To", 40, red}, {"Green From", 204, green},
       {"Green To", 128, green}, {"Blue From", 128, blue}, {"Blue To", 168, blue}});
  Add(22, "Art - Oceanic",
      {{"Size", 15, white}, {"Red", 90, red}, {"Green", 140, green}, {"Blue", 128, blue},
       {"Brightness", 128, grey}});
  Add(23, "Art - Gradient Poster",
      {{"Hue Cycle", 100, red}, {"Steps", 255, grey}, {"Effect", 20, white}});
  Add(24, "Special - Mosaic 3", {{"Size", 35, white}});
  Add(25, "Special - Mosaic Soft", {{"Size", 35, white}});
  Add(26, "Special - Mosaic Hard", {{"Size", 35, white}});
  // The terminating entry: no name, no parameters, the next id (27). Listing stops here.
  Add(-1, "", {});
  SelectFilter(0);
}

void CFilterFactory::Add(int id, const char* name, std::initializer_list<ParamSlot> params) {
  if (id == -1) id = highest_id_ + 1;
  if (id < 0 || id >= kCatalogueSize || params.size() > kParamSlots) return;
  if (id > highest_id_) highest_id_ = id;
  Entry& entry = catalogue_[static_cast<std::size_t>(id)];
  entry.id = id;
  entry.name = name;
  entry.param_count = static_cast<int>(params.size());
  std::size_t slot = 0;
  for (const ParamSlot& p : params) entry.params[slot++] = p;
}

bool CFilterFactory::SetImage(std::uint8_t* pixels, int width, int height) {
  live_ = nullptr;
  width_ = height_ = 0;
  copy_.clear();
  if (pixels == nullptr || width <= 0 || height <= 0) return false;
  const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
  try {
    copy_.assign(pixels, pixels + bytes);
  } catch (const std::bad_alloc&) {
    copy_.clear();
    return false;
  }
  live_ = pixels;
  width_ = width;
  height_ = height;
  return true;
}

bool CFilterFactory::SetImage(CDIBSection& bitmap) {
  if (bitmap.IsEmpty() || bitmap.Bits() != 32) {
    SetImage(nullptr, 0, 0);
    return false;
  }
  return SetImage(bitmap.Pixels(), bitmap.Width(), bitmap.Height());
}

void CFilterFactory::SelectFilter(int id) {
  current_ = id;
  const Entry& entry = CatalogueEntry(id);
  count_ = entry.param_count;
  for (int i = 0; i < kParamSlots; ++i) {
    const ParamSlot& slot = entry.params[static_cast<std::size_t>(i)];
    values_[static_cast<std::size_t>(i)] = slot.default_value;
    names_[static_cast<std::size_t>(i)] = slot.name;
    colours_[static_cast<std::size_t>(i)] = slot.colour;
  }
}

void CFilterFactory::SetParam(int i, int value) {
  if (i >= 0 && i < kParamSlots) values_[static_cast<std::size_t>(i)] = value;
}

int CFilterFactory::GetParam(int i) const {
  return i >= 0 && i < kParamSlots ? values_[static_cast<std::size_t>(i)] : 0;
}

const std::string& CFilterFactory::ParamName(int i) const {
  return i >= 0 && i < kParamSlots ? names_[static_cast<std::size_t>(i)] : kNoName;
}

COLORREF CFilterFactory::ParamColour(int i) const {
  return i >= 0 && i < kParamSlots ? colours_[static_cast<std::size_t>(i)] : kWhite;
}

const std::string& CFilterFactory::FilterName(int i) const { return CatalogueEntry(i).name; }

const CFilterFactory::Entry& CFilterFactory::CatalogueEntry(int i) const {
  return i >= 0 && i < kCatalogueSize ? catalogue_[static_cast<std::size_t>(i)] : kNoEntry;
}

void CFilterFactory::ApplyFilter() {
  if (live_ == nullptr) return;
  std::memcpy(live_, copy_.data(), copy_.size());
  fx::FilterRun run;
  run.source = copy_.data();
  run.target = live_;
  run.width = width_;
  run.height = height_;
  run.params = values_.data();
  run.scratch = scratch_.data();
  fx::RunFilter(current_, run);
}

}  // namespace lumi
