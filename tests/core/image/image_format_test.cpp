#include "image/image_format.h"

#include <gtest/gtest.h>

namespace lumi {
namespace {

TEST(ImageFormat, WholeDialogFiltersKeepTheirTexts) {
  EXPECT_EQ(DialogFilter(FormatDialog::kOpen),
            "Project File (*.plv)| *.plv|Lumiverdant Editable E-JPG|*.jp*||");
  EXPECT_EQ(DialogFilter(FormatDialog::kSaveAs),
            "Project Files (*.plv)|*.plv|JPG File (*.jpg)|*.jpg|PNG File (*.png)|*.png|"
            "Windows BMP (*.bmp)|*.bmp||");
}

TEST(ImageFormat, EachFormatsExportFilterAndExtension) {
  struct Case {
    ImageFormat format;
    const char* export_filter;
    const char* extension;
  };
  const Case cases[] = {
      {ImageFormat::kJpg, "JPG File (*.jpg)|*.jpg||", ".jpg"},
      {ImageFormat::kBmp, "BMP File (*.bmp)|*.bmp||", ".bmp"},
      {ImageFormat::kPng, "PNG File (*.png)|*.png||", ".png"},
      {ImageFormat::kEditableJpg, "JPG File (*.jpg)|*.jpg||", ".jpg"},
      {ImageFormat::kProject, "", ".plv"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extension);
    EXPECT_EQ(DialogFilter(FormatDialog::kExport, c.format), c.export_filter);
    EXPECT_EQ(DefaultExtension(c.format), c.extension);
    EXPECT_EQ(DialogOffers(FormatDialog::kExport, c.format), *c.export_filter != '\0');
  }
}

// Whatever entry the user picks, the window gets back the format the entry stands for,
// and each entry's pattern asks for the extension that format is written with.
TEST(ImageFormat, EveryEntryMapsBackToItsFormat) {
  for (const DialogFilterEntry& e : kDialogFilterEntries) {
    SCOPED_TRACE(std::string(e.description));
    const std::optional<ImageFormat> back = FormatOfFilter(e.dialog, e.description);
    ASSERT_TRUE(back.has_value());
    // The export's editable JPG shares the JPG entry's text; picking it means JPG.
    const bool shared = e.dialog == FormatDialog::kExport && e.format == ImageFormat::kEditableJpg;
    EXPECT_EQ(*back, shared ? ImageFormat::kJpg : e.format);
    EXPECT_TRUE(DialogOffers(e.dialog, e.format));
    if (e.dialog != FormatDialog::kOpen) {
      EXPECT_EQ(e.pattern, "*" + std::string(DefaultExtension(e.format)));
    }
  }
}

TEST(ImageFormat, TextsOfOtherDialogsOrNoneMapToNothing) {
  EXPECT_FALSE(FormatOfFilter(FormatDialog::kExport, "Windows BMP (*.bmp)"));
  EXPECT_FALSE(FormatOfFilter(FormatDialog::kSaveAs, "BMP File (*.bmp)"));
  EXPECT_FALSE(FormatOfFilter(FormatDialog::kSaveAs, "Lumiverdant Editable E-JPG"));
  EXPECT_FALSE(FormatOfFilter(FormatDialog::kSaveAs, ""));
  EXPECT_FALSE(FormatOfFilter(FormatDialog::kSaveAs, "JPG File"));
  EXPECT_EQ(DialogFilter(FormatDialog::kSaveAs, ImageFormat::kEditableJpg), "");
}

TEST(ImageFormat, OnlyJpgPngAndBmpAreFlatImages) {
  EXPECT_TRUE(IsFlatImage(ImageFormat::kJpg));
  EXPECT_TRUE(IsFlatImage(ImageFormat::kPng));
  EXPECT_TRUE(IsFlatImage(ImageFormat::kBmp));
  EXPECT_FALSE(IsFlatImage(ImageFormat::kProject));
  EXPECT_FALSE(IsFlatImage(ImageFormat::kEditableJpg));
}

}  // namespace
}  // namespace lumi
