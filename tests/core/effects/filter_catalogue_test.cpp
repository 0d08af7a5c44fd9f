// The filter catalogue: names, parameters, defaults and slider colours as the colour
// tweak window lists them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "effects/filter_factory.h"

namespace lumi {
namespace {

constexpr COLORREF grey = RGB(64, 64, 64), white = RGB(255, 255, 255), blue = RGB(0, 0, 255),
                   green = RGB(0, 255, 0), red = RGB(255, 0, 0);

struct Param {
  const char* name;
  int value;
  COLORREF colour;
};
struct Filter {
  int id;
  const char* name;
  std::vector<Param> params;
};

const std::vector<Filter>& Expected() {
  static const std::vector<Filter> table = {
      {0, "Color - Boost", {{"Boost factor", 74, white}}},
      {1, "Color - Saturation", {{"Saturation", 180, white}}},
      {2, "Color - Balance", {{"Red", 128, red}, {"Green", 128, green}, {"Blue", 128, blue}}},
      {3, "Color - Contrast", {{"Light", 64, white}, {"Dark", 32, grey}}},
      {4, "Color - Sharpen", {{"Red", 128, red}, {"Green", 128, green}, {"Blue", 128, blue}}},
      {5, "Color - Antialias", {{"Red", 128, red}, {"Green", 128, green}, {"Blue", 128, blue}}},
      {6, "Color - Colorize", {{"Red", 162, red}, {"Green", 129, green}, {"Blue", 87, blue}}},
      {7, "Color - Shift",
       {{"Red Amount", 19, red}, {"Red Shift", 60, red}, {"Green Amount", 150, green},
        {"Green Shift", 43, green}, {"Blue Amount", 99, blue}, {"Blue Shift", 255, blue}}},
      {8, "Color - Solarize", {{"Red", 62, red}, {"Green", 62, green}, {"Blue", 62, blue}}},
      {9, "Color - Quantize", {{"Red", 240, red}, {"Green", 240, green}, {"Blue", 240, blue}}},
      {10, "Effect -Ebossed",
       {{"Contrast", 107, grey}, {"Brightness", 175, white}, {"Original", 150, red}}},
      {11, "Effect - Oil Emboss",
       {{"Vertical Light", 233, white}, {"Horizontal Light", 200, white}, {"Red", 64, red},
        {"Green", 107, green}, {"Blue", 98, blue}}},
      {12, "Effect -Aged Photo",
       {{"Scratches", 21, grey}, {"Dust", 36, grey}, {"Desaturation", 175, white},
        {"Red Fade", 20, red}, {"Green Fade", 12, green}, {"Blue Fade", 4, blue}}},
      {13, "Art - Pastel Pop", {{"Level", 192, white}}},
      {14, "Art - Poster Art",
       {{"Cyan/Red", 29, red}, {"Magenta/Green", 93, green}, {"Yellow/Blue", 171, blue}}},
      {15, "Art - Colored", {{"Red", 62, red}, {"Green", 62, green}, {"Blue", 62, blue}}},
      {16, "Art - Melter",
       {{"Effect", 56, white}, {"Red", 30, red}, {"Green", 12, green}, {"Blue", 28, blue}}},
      {17, "Art - Pop Colors",
       {{"Red", 128, red}, {"Red Range", 128, red}, {"Green", 150, green},
        {"Green Range", 43, green}, {"Blue", 0, blue}, {"Blue range", 63, blue}}},
      {18, "Art - 3 Colors", {{"Red", 235, red}, {"Green", 128, green}, {"Blue", 38, blue}}},
      {19, "Art - Urban Art",
       {{"Red A", 57, red}, {"Red B", 50, red}, {"Green A", 74, green}, {"Green B", 160, green},
        {"Blue A", 28, blue}, {"Blue B", 168, blue}}},
      {20, "Art - Neon Art", {{"Red", 128, red}, {"Green", 128, green}, {"Blue", 128, blue}}},
      {21, "Art - Glowing Edge",
       {{"Red From", 210, red}, {"Red To", 40, red}, {"Green From", 204, green},
        {"Green To", 128, green}, {"Blue From", 128, blue}, {"Blue To", 168, blue}}},
      {22, "Art - Oceanic",
       {{"Size", 15, white}, {"Red", 90, red}, {"Green", 140, green}, {"Blue", 128, blue},
        {"Brightness", 128, grey}}},
      {23, "Art - Gradient Poster",
       {{"Hue Cycle", 100, red}, {"Steps", 255, grey}, {"Effect", 20, white}}},
      {24, "Special - Mosaic 3", {{"Size", 35, white}}},
      {25, "Special - Mosaic Soft", {{"Size", 35, white}}},
      {26, "Special - Mosaic Hard", {{"Size", 35, white}}},
  };
  return table;
}

TEST(FilterCatalogueTest, EveryEntryAsListed) {
  CFilterFactory factory;
  for (const Filter& f : Expected()) {
    SCOPED_TRACE(f.name);
    const CFilterFactory::Entry& entry = factory.CatalogueEntry(f.id);
    EXPECT_EQ(entry.id, f.id);
    EXPECT_EQ(factory.FilterName(f.id), f.name);
    ASSERT_EQ(entry.param_count, static_cast<int>(f.params.size()));

    factory.SelectFilter(f.id);
    EXPECT_EQ(factory.CurrentFilter(), f.id);
    EXPECT_EQ(factory.ParamCount(), entry.param_count);
    for (int i = 0; i < CFilterFactory::kParamSlots; ++i) {
      if (i < entry.param_count) {
        const Param& p = f.params[static_cast<std::size_t>(i)];
        EXPECT_EQ(factory.ParamName(i), p.name) << i;
        EXPECT_EQ(factory.GetParam(i), p.value) << i;
        EXPECT_EQ(factory.ParamColour(i), p.colour) << i;
      } else {
        EXPECT_EQ(factory.ParamName(i), "") << i;
        EXPECT_EQ(factory.GetParam(i), 0) << i;
      }
    }
  }
}

TEST(FilterCatalogueTest, ListingEndsAtTheTerminatingEntry27) {
  CFilterFactory factory;
  int listed = 0;
  while (!factory.FilterName(listed).empty()) ++listed;
  EXPECT_EQ(listed, 27);
  EXPECT_EQ(factory.CatalogueEntry(27).id, 27);
  EXPECT_EQ(factory.CatalogueEntry(27).param_count, 0);
  EXPECT_EQ(factory.FilterName(49), "");
  EXPECT_EQ(factory.FilterName(50), "");
  EXPECT_EQ(factory.FilterName(-1), "");
}

TEST(FilterCatalogueTest, ParametersOutsideTheEightSlots) {
  CFilterFactory factory;
  factory.SelectFilter(7);
  factory.SetParam(5, 3);
  factory.SetParam(8, 99);   // ignored
  factory.SetParam(-1, 99);  // ignored
  EXPECT_EQ(factory.GetParam(5), 3);
  EXPECT_EQ(factory.GetParam(8), 0);
  EXPECT_EQ(factory.GetParam(-1), 0);
  EXPECT_EQ(factory.ParamName(8), "");
  EXPECT_EQ(factory.ParamColour(8), white);
  // Selecting again brings the defaults back.
  factory.SelectFilter(7);
  EXPECT_EQ(factory.GetParam(5), 255);
}

}  // namespace
}  // namespace lumi
