#pragma once
// The work of the Export dialog: the source picture resized, sharpened, colour-reduced and
// written as JPG, BMP, PNG or editable JPG, either as a preview into the temporary file
// "export.tmp" (with the size label and the picture read back from that file) or as the
// export itself into a file the user chooses.
//
// The window drives it with the choices of export_choices.h:
//   ExportContext ctx{host, settings, dataFolder, askPathWithQFileDialog, append_project};
//   ExportResult r = ExportImage(ExportMode::kPreview, &source, choices, ctx);
//   size_label->setText(r.size_label); preview->show(r.preview);
//   ...
//   ExportImage(ExportMode::kExport, &source, choices, ctx);   // then the dialog closes
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "export/export_choices.h"
#include "export/save_dialog_request.h"
#include "image/pixwerk.h"
#include "render/canvas_composition.h"

namespace lumi {

class Host;
class Settings;

enum class ExportMode { kPreview = 0, kExport = 1 };

// The save dialog for the choices' format and colour mode (titles exactly as shown).
SaveDialogRequest ExportSaveDialogFor(const ExportChoices& choices, std::string start_folder);

// How BMP and PNG are written for the choices: the colour count of the reduction (0 for
// none, 24-bit output) and the bits per pixel of the file.
struct ExportColourPlan {
  int colours = 0;
  int bits_per_pixel = 24;
};
ExportColourPlan ExportColourPlanFor(const ExportChoices& choices);

// The message for choices that cannot be exported, or nothing when they can: the output
// size must be 1..32768 on each side and at most 2^28 pixels; a custom colour count
// (BMP and PNG with the third colour radio) must be at least 2 (counts above 256 give 256
// colours); quality and sharpening lie in 0..100 as on the sliders; format, colour mode and
// dither must be entries of their lists.
std::optional<std::string> ValidateExportChoices(const ExportChoices& choices);

struct ExportContext {
  Host& host;          // messages and the wait cursor
  Settings& settings;  // the "Export" section
  // Folder of the preview's temporary file "export.tmp" (the data folder). The file is
  // overwritten by every preview and left in place.
  std::filesystem::path temp_folder;
  // The save dialog of an export: the chosen path, or nothing when the user cancelled.
  std::function<std::optional<std::filesystem::path>(const SaveDialogRequest&)> ask_save_path;
  // Writes the editable JPG: the JPEG file's bytes with the document's project appended,
  // as one file that replaces the path at once; returns false after telling the user why.
  // Needed only for the editable format.
  std::function<bool(const std::filesystem::path&, std::span<const std::uint8_t> jpeg)>
      append_project;
};

struct ExportResult {
  bool written = false;
  std::filesystem::path path;  // the file written (the temporary file for a preview)
  // Preview only: "Size: 12.34 kB,   Quality: 95" for JPEG, "Size: 12.34 kB" for BMP and
  // PNG, each followed by " (Sharpened)" when the sharpen slider is above 0; and the file
  // read back as RGB.
  std::string size_label;
  std::optional<RgbImage> preview;
};

// Runs one preview or export of `source` (the composition of the canvas, or of its crop
// region) with `choices`:
// 1. stores "Type" and "ResType"; refuses choices ValidateExportChoices rejects with its
//    message, before anything is resized or written;
// 2. resizes to the output size with the chosen kernel unless it equals the source size;
// 3. sharpens with amount trunc(sharpen x 0.5) when the slider is above 0;
// 4. JPEG formats: DCT method 3, quality from the slider, greyscale and progressive as
//    chosen, the comment "Lumiverdant PLV" and the appended project for the editable JPG;
//    a successful preview stores "Gray" and "Prog";
//    BMP and PNG: stores "Colors", "Dither" and "NumCol", reduces colours as
//    ExportColourPlanFor says and writes 24-bit, 8-bit or 4-bit files.
// An export asks for the path first (nothing is written when it is cancelled) and stores
// the chosen path in "Path". Failures are shown through the host: the writer's ErrorText,
// "The project is too big to be embedded inside JPG" for a failed editable JPG,
// "Dithering Error", "Not enough memory". Nothing is done without a source.
ExportResult ExportImage(ExportMode mode, const RgbImage* source, const ExportChoices& choices,
                         const ExportContext& context);

// The same for the canvas (or its crop region) as RenderCanvasForExport composes it, with
// its progress and its BitmapError for an unusable area, giving the same file. A JPEG at
// the area's own size, unsharpened, is composed a band of rows at a time while the encoder
// writes the rows above (WithCanvasRows); every other export composes the area whole first.
ExportResult ExportComposedCanvas(ExportMode mode, const CanvasArea& canvas,
                                  const std::vector<std::unique_ptr<CDrawObject>>& objects,
                                  const ExportChoices& choices, const ExportContext& context);

}  // namespace lumi
