#include "export/export_choices.h"

#include <algorithm>

#include "base/settings.h"

namespace lumi {
namespace {

// A list index read from the settings: the default when no entry of the list has it.
int ListIndex(const Settings& settings, std::string_view name, int fallback, int count) {
  const int value = settings.GetInt(kExportSection, name, fallback);
  return value >= 0 && value < count ? value : fallback;
}

int SliderPosition(const Settings& settings, std::string_view name, int fallback) {
  return std::clamp(settings.GetInt(kExportSection, name, fallback), 0, 100);
}

}  // namespace

int ExportFormatIndex(ImageFormat format) {
  for (std::size_t i = 0; i < kExportFormats.size(); ++i) {
    if (kExportFormats[i].format == format) return static_cast<int>(i);
  }
  return -1;
}

ExportChoices LoadExportChoices(const Settings& settings, int source_width, int source_height) {
  ExportChoices c;
  c.quality = SliderPosition(settings, "Qlt", 95);
  c.sharpen = SliderPosition(settings, "Sharp", 0);
  c.greyscale = settings.GetInt(kExportSection, "Gray", 0) != 0;
  c.progressive = settings.GetInt(kExportSection, "Prog", 1) != 0;
  // The editable JPG carries the whole project; it is never the choice a dialog opens with.
  const int stored = settings.GetInt(kExportSection, "Type", 0);
  for (const ExportFormatEntry& e : kExportFormats) {
    if (e.stored == stored) c.format = e.format;
  }
  if (c.format == ImageFormat::kEditableJpg) c.format = ImageFormat::kJpg;
  c.colour_mode = ListIndex(settings, "Colors", kExportTrueColour, 3);
  c.dither = ListIndex(settings, "Dither", 2, 3);
  c.custom_count = settings.GetInt(kExportSection, "NumCol", 64);
  c.kernel = ListIndex(settings, "ResType", 0, 4);
  c.width = source_width;
  c.height = source_height;
  c.scale = 0;
  return c;
}

void StoreExportFormat(Settings& settings, const ExportChoices& choices) {
  // A format the combo does not list is never started (ExportImage refuses it first).
  const int index = ExportFormatIndex(choices.format);
  if (index >= 0) settings.SetInt(kExportSection, "Type", kExportFormats[index].stored);
  settings.SetInt(kExportSection, "ResType", choices.kernel);
}

void StoreExportJpegOptions(Settings& settings, const ExportChoices& choices) {
  settings.SetInt(kExportSection, "Gray", choices.greyscale ? 1 : 0);
  settings.SetInt(kExportSection, "Prog", choices.progressive ? 1 : 0);
}

void StoreExportColourOptions(Settings& settings, const ExportChoices& choices) {
  settings.SetInt(kExportSection, "Colors", choices.colour_mode);
  settings.SetInt(kExportSection, "Dither", choices.dither);
  settings.SetInt(kExportSection, "NumCol", choices.custom_count);
}

void StoreExportSliders(Settings& settings, const ExportChoices& choices) {
  settings.SetInt(kExportSection, "Qlt", choices.quality);
  settings.SetInt(kExportSection, "Sharp", choices.sharpen);
}

void StoreExportPath(Settings& settings, std::string_view path) {
  settings.SetString(kExportSection, "Path", path);
}

std::string ExportStartFolder(const Settings& settings) {
  return settings.GetString(kExportSection, "Path", "");
}

ExportControlStates ExportControlsFor(const ExportChoices& choices) {
  ExportControlStates s;
  const bool jpeg = choices.format == ImageFormat::kJpg || choices.format == ImageFormat::kEditableJpg;
  s.jpeg_options_visible = jpeg;
  s.colour_options_visible = !jpeg;
  s.dither_enabled = choices.colour_mode != kExportTrueColour;
  s.height_edit_enabled = !choices.aspect_lock;
  return s;
}

int AspectHeight(int source_width, int source_height, int width) {
  if (source_width == 0) return 0;
  // A typed width can be anything; keep the product inside int before truncating.
  const double h = static_cast<double>(source_height) / source_width * width;
  return static_cast<int>(std::clamp(h, -2147483648.0, 2147483647.0));
}

ExportSize ScaledExportSize(int source_width, int source_height, int scale_index) {
  const double f = scale_index >= 0 && scale_index < static_cast<int>(kExportScaleFactors.size())
                       ? kExportScaleFactors[scale_index]
                       : 1.0;
  return {static_cast<int>(source_width * f), static_cast<int>(source_height * f)};
}

}  // namespace lumi
