// The Export dialog's choices: what opens from the settings, the size reactions and which
// controls show for a format and colour mode.
#include "export/export_choices.h"

#include <gtest/gtest.h>

#include "base/settings.h"

namespace lumi {
namespace {

TEST(ExportChoices, OpenWithTheDefaultsAndTheSourceSize) {
  MemorySettings settings;
  const ExportChoices c = LoadExportChoices(settings, 640, 480);
  EXPECT_EQ(c.quality, 95);
  EXPECT_EQ(c.sharpen, 0);
  EXPECT_FALSE(c.greyscale);
  EXPECT_TRUE(c.progressive);
  EXPECT_EQ(c.format, ImageFormat::kJpg);
  EXPECT_EQ(c.colour_mode, kExportTrueColour);
  EXPECT_EQ(c.dither, 2);
  EXPECT_EQ(c.custom_count, 64);
  EXPECT_EQ(c.kernel, 0);
  EXPECT_EQ(c.width, 640);
  EXPECT_EQ(c.height, 480);
  EXPECT_EQ(c.scale, 0);
}

TEST(ExportChoices, StoredFormatReopensExceptTheEditableJpg) {
  // The "Type" numbers are kept in the user's settings: each format keeps its number.
  struct Chosen {
    ImageFormat format;
    int stored;
    ImageFormat opens;
  };
  for (const Chosen& k : {Chosen{ImageFormat::kJpg, 0, ImageFormat::kJpg}, Chosen{ImageFormat::kBmp, 1, ImageFormat::kBmp},
                          Chosen{ImageFormat::kPng, 2, ImageFormat::kPng},
                          Chosen{ImageFormat::kEditableJpg, 3, ImageFormat::kJpg}}) {
    MemorySettings settings;
    ExportChoices chosen;
    chosen.format = k.format;
    chosen.kernel = 2;
    StoreExportFormat(settings, chosen);
    EXPECT_EQ(settings.GetInt("Export", "Type", -7), k.stored) << "stored as chosen";
    const ExportChoices c = LoadExportChoices(settings, 10, 10);
    EXPECT_EQ(c.format, k.opens) << "stored Type " << k.stored;
    EXPECT_EQ(c.kernel, 2);
  }
  // Numbers no entry has, written by hand or by another version, open as JPEG.
  for (int stored : {9, -1, 4}) {
    MemorySettings settings;
    settings.SetInt("Export", "Type", stored);
    EXPECT_EQ(LoadExportChoices(settings, 10, 10).format, ImageFormat::kJpg) << "stored Type " << stored;
  }
  // A format the combo does not list leaves the stored number alone.
  MemorySettings settings;
  settings.SetInt("Export", "Type", 2);
  ExportChoices project;
  project.format = ImageFormat::kProject;
  StoreExportFormat(settings, project);
  EXPECT_EQ(settings.GetInt("Export", "Type", -7), 2);
}

TEST(ExportChoices, EveryStoredChoiceReopens) {
  MemorySettings settings;
  ExportChoices c;
  c.quality = 0;
  c.sharpen = 100;
  c.greyscale = true;
  c.progressive = false;
  c.colour_mode = kExportCustomColours;
  c.dither = 0;
  c.custom_count = 17;
  StoreExportSliders(settings, c);
  StoreExportJpegOptions(settings, c);
  StoreExportColourOptions(settings, c);
  StoreExportPath(settings, "/home/u/pictures/a.jpg");
  const ExportChoices back = LoadExportChoices(settings, 3, 4);
  EXPECT_EQ(back.quality, 0);
  EXPECT_EQ(back.sharpen, 100);
  EXPECT_TRUE(back.greyscale);
  EXPECT_FALSE(back.progressive);
  EXPECT_EQ(back.colour_mode, kExportCustomColours);
  EXPECT_EQ(back.dither, 0);
  EXPECT_EQ(back.custom_count, 17);
  EXPECT_EQ(ExportStartFolder(settings), "/home/u/pictures/a.jpg");
  EXPECT_EQ(settings.GetInt("Export", "Qlt", -1), 0);
  EXPECT_EQ(settings.GetInt("Export", "NumCol", -1), 17);
}

TEST(ExportChoices, SliderPositionsBeyondTheRangeAreClamped) {
  MemorySettings settings;
  settings.SetInt("Export", "Qlt", 250);
  settings.SetInt("Export", "Sharp", -4);
  const ExportChoices c = LoadExportChoices(settings, 1, 1);
  EXPECT_EQ(c.quality, 100);
  EXPECT_EQ(c.sharpen, 0);
}

TEST(ExportChoices, ScaleComboTruncatesEachSide) {
  EXPECT_EQ(ScaledExportSize(800, 600, 3), (ExportSize{200, 150}));
  EXPECT_EQ(ScaledExportSize(800, 600, 1), (ExportSize{600, 450}));
  EXPECT_EQ(ScaledExportSize(801, 603, 1), (ExportSize{600, 452}));
  EXPECT_EQ(ScaledExportSize(801, 603, 2), (ExportSize{400, 301}));
  EXPECT_EQ(ScaledExportSize(7, 5, 3), (ExportSize{1, 1}));
  EXPECT_EQ(ScaledExportSize(801, 603, 0), (ExportSize{801, 603}));
}

TEST(ExportChoices, AspectLockTruncatesTheHeight) {
  EXPECT_EQ(AspectHeight(800, 600, 333), 249);
  EXPECT_EQ(AspectHeight(600, 800, 333), 444);
  EXPECT_EQ(AspectHeight(3, 1, 2), 0);
  EXPECT_EQ(AspectHeight(800, 600, 0), 0);
  EXPECT_EQ(AspectHeight(1, 30000, 2000000000), 2147483647) << "typed nonsense stays an int";
}

TEST(ExportChoices, ControlsFollowFormatColourModeAndLock) {
  struct Case {
    ImageFormat format;
    int colour_mode;
    bool lock;
    bool jpeg_visible, colours_visible, dither_enabled, height_enabled;
  };
  const Case cases[] = {
      {ImageFormat::kJpg, 0, false, true, false, false, true},
      {ImageFormat::kEditableJpg, 2, true, true, false, true, false},
      {ImageFormat::kBmp, 0, false, false, true, false, true},
      {ImageFormat::kBmp, 1, false, false, true, true, true},
      {ImageFormat::kPng, 2, true, false, true, true, false},
  };
  for (const Case& k : cases) {
    ExportChoices c;
    c.format = k.format;
    c.colour_mode = k.colour_mode;
    c.aspect_lock = k.lock;
    const ExportControlStates s = ExportControlsFor(c);
    EXPECT_EQ(s.jpeg_options_visible, k.jpeg_visible) << ExportFormatIndex(k.format) << "/" << k.colour_mode;
    EXPECT_EQ(s.colour_options_visible, k.colours_visible) << ExportFormatIndex(k.format) << "/" << k.colour_mode;
    EXPECT_EQ(s.dither_enabled, k.dither_enabled) << ExportFormatIndex(k.format) << "/" << k.colour_mode;
    EXPECT_EQ(s.height_edit_enabled, k.height_enabled) << ExportFormatIndex(k.format) << "/" << k.colour_mode;
  }
}

}  // namespace
}  // namespace lumi
