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
  EXPECT_EQ(c.format, kExportJpeg);
  EXPECT_EQ(c.colour_mode, kExportTrueColour);
  EXPECT_EQ(c.dither, 2);
  EXPECT_EQ(c.custom_count, 64);
  EXPECT_EQ(c.kernel, 0);
  EXPECT_EQ(c.width, 640);
  EXPECT_EQ(c.height, 480);
  EXPECT_EQ(c.scale, 0);
}

TEST(ExportChoices, StoredFormatReopensExceptTheEditableJpg) {
  struct Case {
    int stored, opens;
  };
  for (const Case& k : {Case{0, 0}, Case{1, 1}, Case{2, 2}, Case{3, 0}, Case{9, 0}, Case{-1, 0}}) {
    MemorySettings settings;
    ExportChoices chosen;
    chosen.format = k.stored;
    chosen.kernel = 2;
    StoreExportFormat(settings, chosen);
    const ExportChoices c = LoadExportChoices(settings, 10, 10);
    EXPECT_EQ(c.format, k.opens) << "stored Type " << k.stored;
    EXPECT_EQ(c.kernel, 2);
    EXPECT_EQ(settings.GetInt("Export", "Type", -7), k.stored) << "stored as chosen";
  }
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
    int format, colour_mode;
    bool lock;
    bool jpeg_visible, colours_visible, dither_enabled, height_enabled;
  };
  const Case cases[] = {
      {kExportJpeg, 0, false, true, false, false, true},
      {kExportEditableJpg, 2, true, true, false, true, false},
      {kExportBmp, 0, false, false, true, false, true},
      {kExportBmp, 1, false, false, true, true, true},
      {kExportPng, 2, true, false, true, true, false},
  };
  for (const Case& k : cases) {
    ExportChoices c;
    c.format = k.format;
    c.colour_mode = k.colour_mode;
    c.aspect_lock = k.lock;
    const ExportControlStates s = ExportControlsFor(c);
    EXPECT_EQ(s.jpeg_options_visible, k.jpeg_visible) << k.format << "/" << k.colour_mode;
    EXPECT_EQ(s.colour_options_visible, k.colours_visible) << k.format << "/" << k.colour_mode;
    EXPECT_EQ(s.dither_enabled, k.dither_enabled) << k.format << "/" << k.colour_mode;
    EXPECT_EQ(s.height_edit_enabled, k.height_enabled) << k.format << "/" << k.colour_mode;
  }
}

}  // namespace
}  // namespace lumi
