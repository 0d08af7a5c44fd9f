#pragma once
// The choices of the Export dialog as plain data, the texts its controls show, the
// "Export" settings they are kept in, and the dialog's reactions to its controls as pure
// functions. The window (and the command line) own the controls; they read and write an
// ExportChoices and ask these functions what to show.
//
// Typical use by a window:
//   ExportChoices c = LoadExportChoices(settings, source.width, source.height);
//   ... fill the controls from c; on a control change update c, then e.g.
//   c.height = AspectHeight(source.width, source.height, c.width);   // lock on
//   ExportImage(ExportMode::kPreview, &source, c, context);          // export_image.h
#include <array>
#include <string>
#include <string_view>

#include "image/image_format.h"

namespace lumi {

class Settings;

// Format combo entries, in combo order (the texts are shown as they stand), with the
// number each is kept under in the "Type" setting.
struct ExportFormatEntry {
  ImageFormat format;
  std::string_view text;
  int stored;
};
inline constexpr std::array<ExportFormatEntry, 4> kExportFormats = {{
    {ImageFormat::kJpg, "JPEG fomat", 0},
    {ImageFormat::kBmp, "BMP format", 1},
    {ImageFormat::kPng, "PNG format", 2},
    {ImageFormat::kEditableJpg, "Editable E-JPG", 3},
}};
// The position of a format in the combo, or -1 when the combo does not list it.
int ExportFormatIndex(ImageFormat format);

// Colour radios: 24-bit, 256 colours, or the custom count typed beside the third radio.
enum ExportColourMode : int {
  kExportTrueColour = 0,
  kExport256Colours = 1,
  kExportCustomColours = 2
};
inline constexpr std::array<std::string_view, 2> kExportColourModeTexts = {"24 bit colors",
                                                                           "256 colors"};
inline constexpr std::string_view kExportCustomCountLabel = "colors";

// Dither radios, numbered as the quantiser's dither modes.
inline constexpr std::array<std::string_view, 3> kExportDitherTexts = {"None", "Error Diffusion",
                                                                       "Floyd-Steinberg"};

// Resampling kernel combo ("Cubic" resamples with the box kernel).
inline constexpr std::array<std::string_view, 4> kExportKernelTexts = {"Cubic", "Bilinear",
                                                                       "Hamming", "Blackman"};

// Scale combo beside "W" and the factor of each entry.
inline constexpr std::array<std::string_view, 4> kExportScaleTexts = {"100%", "75%", "50%", "25%"};
inline constexpr std::array<double, 4> kExportScaleFactors = {1.0, 0.75, 0.5, 0.25};

// The other captions of the dialog.
namespace export_texts {
inline constexpr std::string_view kTitle = "Export";
inline constexpr std::string_view kWidth = "W";
inline constexpr std::string_view kHeight = "H";
inline constexpr std::string_view kAspect = "Aspect Ratio";
inline constexpr std::string_view kProgressive = "Progresive";
inline constexpr std::string_view kGreyscale = "Grayscale";
inline constexpr std::string_view kQuality = "Quality:";
inline constexpr std::string_view kResizeGroup = "Resize output";
inline constexpr std::string_view kSharpenGroup = "Sharpen output";
inline constexpr std::string_view kPreview = "Preview";
inline constexpr std::string_view kExportButton = "Export";
inline constexpr std::string_view kCancel = "Cancel";
}  // namespace export_texts

// The settings section of the choices.
inline constexpr std::string_view kExportSection = "Export";

struct ExportChoices {
  ImageFormat format = ImageFormat::kJpg;  // one of kExportFormats
  int colour_mode = kExportTrueColour;  // ExportColourMode
  int dither = 2;                       // 0 none, 1 error diffusion, 2 Floyd-Steinberg
  int width = 0;                        // output size, "W" and "H"
  int height = 0;
  bool aspect_lock = false;  // "Aspect Ratio"; not stored, the dialog opens with it off
  bool progressive = true;   // "Progresive"
  bool greyscale = false;    // "Grayscale"
  int custom_count = 64;     // the count beside the third colour radio
  int kernel = 0;            // kExportKernelTexts index
  int scale = 0;             // kExportScaleTexts index
  int quality = 95;          // quality slider, 0..100
  int sharpen = 0;           // sharpen slider, 0..100
};

// The choices as the dialog opens: every value from the "Export" section (defaults "Qlt"
// 95, "Sharp" 0, "Gray" 0, "Prog" 1, "Type" 0, "Colors" 0, "Dither" 2, "NumCol" 64,
// "ResType" 0), a stored "Type" 3 (editable JPG) opening as JPEG, the output size equal to the
// source size and the scale at "100%". A stored value no control can show (an index out of
// its list, a slider position beyond 0..100) falls back to its default or is clamped, as
// the control itself would.
ExportChoices LoadExportChoices(const Settings& settings, int source_width, int source_height);

// The moments the dialog stores its choices:
// every ExportImage start: "Type" (the format's kExportFormats number) and "ResType";
void StoreExportFormat(Settings& settings, const ExportChoices& choices);
// a successful JPEG preview: "Gray" and "Prog";
void StoreExportJpegOptions(Settings& settings, const ExportChoices& choices);
// every BMP or PNG ExportImage: "Colors", "Dither" and "NumCol";
void StoreExportColourOptions(Settings& settings, const ExportChoices& choices);
// the release of either slider: "Qlt" and "Sharp";
void StoreExportSliders(Settings& settings, const ExportChoices& choices);
// after a file was chosen in the save dialog: the full path in "Path".
void StoreExportPath(Settings& settings, std::string_view path);
// The folder the save dialogs start in ("Path", empty by default).
std::string ExportStartFolder(const Settings& settings);

// What the window shows for a format and colour mode.
struct ExportControlStates {
  // "Progresive", "Grayscale", "Quality:" and the quality slider (JPEG formats).
  bool jpeg_options_visible = false;
  // The colour radios, the custom count and its label, the dither label and radios
  // (BMP and PNG).
  bool colour_options_visible = false;
  // The dither radios are enabled whenever the colour mode is not 24-bit.
  bool dither_enabled = false;
  // The "H" edit is enabled only while the aspect lock is off.
  bool height_edit_enabled = true;
};
ExportControlStates ExportControlsFor(const ExportChoices& choices);

// "H" while the aspect lock is on: trunc(source_height / source_width x width); 0 for a
// source without width.
int AspectHeight(int source_width, int source_height, int width);

// The output size of a scale combo entry: each side times 1, 0.75, 0.5 or 0.25,
// truncated. An index outside the list counts as "100%".
struct ExportSize {
  int width = 0;
  int height = 0;
  bool operator==(const ExportSize&) const = default;
};
ExportSize ScaledExportSize(int source_width, int source_height, int scale_index);

}  // namespace lumi
