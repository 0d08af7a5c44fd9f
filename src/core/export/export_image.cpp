#include "export/export_image.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>
#include <system_error>
#include <vector>

#include "base/host.h"
#include "base/settings.h"
#include "effects/sharpen_soften.h"
#include "export/canvas_rows.h"
#include "export/render_canvas_for_export.h"
#include "image/color_quantizer.h"
#include "image/dib_section.h"
#include "image/two_pass_scaler.h"

namespace lumi {
namespace {

constexpr const char* kJpegComment = "Lumiverdant PLV";
constexpr const char* kTempName = "export.tmp";

bool IsJpegFormat(ImageFormat format) {
  return format == ImageFormat::kJpg || format == ImageFormat::kEditableJpg;
}

std::string SizeLabel(const std::filesystem::path& path, const ExportChoices& choices, bool jpeg) {
  std::error_code ec;
  const auto bytes = std::filesystem::file_size(path, ec);
  const double kilobytes = ec ? 0.0 : static_cast<double>(bytes) / 1024;
  char text[128];
  if (jpeg)
    std::snprintf(text, sizeof text, "Size: %.4lG kB,   Quality: %d", kilobytes, choices.quality);
  else
    std::snprintf(text, sizeof text, "Size: %.4lG kB", kilobytes);
  std::string label = text;
  if (choices.sharpen > 0) label += " (Sharpened)";
  return label;
}

// The output picture: the source at the output size, sharpened when asked.
std::vector<std::uint8_t> MakeOutput(const RgbImage& source, const ExportChoices& choices) {
  std::vector<std::uint8_t> output;
  if (choices.width == source.width && choices.height == source.height) {
    output = source.pixels;
  } else {
    output.resize(static_cast<std::size_t>(choices.width) * choices.height * 3);
    CTwoPassScaler scaler(ScaleKernelFromIndex(choices.kernel));
    if (!scaler.Scale(source.pixels.data(), source.width, source.height, output.data(),
                      choices.width, choices.height, 3))
      throw std::bad_alloc();  // the sizes were checked, so only memory can be missing
  }
  return output;
}

void Sharpen(std::vector<std::uint8_t>& output, const ExportChoices& choices) {
  if (choices.sharpen <= 0) return;
  // The filter reads its neighbours from an untouched copy.
  const std::vector<std::uint8_t> copy = output;
  PxSharpen(copy.data(), output.data(), choices.width, choices.height,
            static_cast<int>(choices.sharpen * 0.5));
}

// The path to write: the temporary file for a preview, the user's choice for an export
// (stored as the next start folder). Nothing when the user cancelled.
std::optional<std::filesystem::path> TargetPath(ExportMode mode, const ExportChoices& choices,
                                                const ExportContext& context) {
  if (mode == ExportMode::kPreview) return context.temp_folder / kTempName;
  if (!context.ask_save_path) return std::nullopt;
  auto chosen =
      context.ask_save_path(ExportSaveDialogFor(choices, ExportStartFolder(context.settings)));
  if (chosen) StoreExportPath(context.settings, chosen->string());
  return chosen;
}

ExportResult WriteJpeg(ExportMode mode, const RgbRowSource& output, const ExportChoices& choices,
                       const ExportContext& context) {
  ExportResult result;
  const bool editable = choices.format == ImageFormat::kEditableJpg;
  PxSetDCTMethod(3);
  const auto target = TargetPath(mode, choices, context);
  if (!target) return result;
  if (editable) {
    PxClearJPGText();
    PxAddJPGText(kJpegComment);
  }
  // The editable JPG is written whole, JPEG and project in one file, so a failure never
  // leaves a plain JPG in place of the user's editable one.
  std::optional<std::vector<std::uint8_t>> jpeg;
  const bool encoded =
      editable ? (jpeg = PxEncodeJPGRows(output, choices.width, choices.height, choices.quality,
                                         !choices.greyscale, choices.progressive))
                     .has_value()
               : PxSaveJPGRows(*target, output, choices.width, choices.height, choices.quality,
                               !choices.greyscale, choices.progressive);
  if (!encoded) {
    const int code = PxGetLastError();
    context.host.Message(editable && code == kPxBadJpg
                             ? std::string("The project is too big to be embedded inside JPG")
                             : ErrorText(code),
                         MessageKind::Error);
    PxClearJPGText();
    return result;
  }
  PxClearJPGText();
  // The writer tells the user what went wrong.
  if (editable && !context.append_project(*target, *jpeg)) return result;
  result.written = true;
  result.path = *target;
  if (mode == ExportMode::kPreview) {
    StoreExportJpegOptions(context.settings, choices);
    result.size_label = SizeLabel(*target, choices, true);
    result.preview = PxLoadJPG(*target);
  }
  return result;
}

ExportResult WriteBmpOrPng(ExportMode mode, const std::vector<std::uint8_t>& output,
                           const ExportChoices& choices, const ExportContext& context) {
  ExportResult result;
  StoreExportColourOptions(context.settings, choices);
  const bool bmp = choices.format == ImageFormat::kBmp;
  const auto target = TargetPath(mode, choices, context);
  if (!target) return result;
  const ExportColourPlan plan = ExportColourPlanFor(choices);
  const int w = choices.width, h = choices.height;
  bool written = false;
  if (plan.colours == 0) {
    written =
        bmp ? PxSaveBMP(*target, output.data(), w, h) : PxSavePNG(*target, output.data(), w, h);
  } else {
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(w) * h);
    std::vector<std::uint8_t> palette(256 * 4);
    CColorQuantizer quantizer;
    if (!quantizer.Quantize(output.data(), indices.data(), w, h, plan.colours, palette.data(),
                            choices.dither)) {
      context.host.Message("Dithering Error", MessageKind::Error);
      return result;
    }
    written = bmp ? PxSaveBMP(*target, indices.data(), w, h, plan.bits_per_pixel, plan.colours,
                              palette.data())
                  : PxSavePNG(*target, indices.data(), w, h, plan.colours, palette.data());
  }
  if (!written) {
    context.host.Message(ErrorText(PxGetLastError()), MessageKind::Error);
    return result;
  }
  result.written = true;
  result.path = *target;
  if (mode == ExportMode::kPreview) {
    result.size_label = SizeLabel(*target, choices, false);
    result.preview = bmp ? PxLoadBMP(*target) : PxLoadPNG(*target);
  }
  return result;
}

}  // namespace

SaveDialogRequest ExportSaveDialogFor(const ExportChoices& choices, std::string start_folder) {
  SaveDialogRequest r;
  r.start_folder = std::move(start_folder);
  r.filter = DialogFilter(FormatDialog::kExport, choices.format);
  r.default_name = "*" + std::string(DefaultExtension(choices.format));
  if (IsJpegFormat(choices.format)) {
    r.title = "Export";
    return r;
  }
  const bool bmp = choices.format == ImageFormat::kBmp;
  if (choices.colour_mode == kExportTrueColour)
    r.title = bmp ? "Export True Color BMP" : "Export True Color PNG";
  else if (!bmp)
    r.title = "Export 8-bit PNG";
  else if (choices.colour_mode == kExport256Colours)
    r.title = "Export 8bit BMP";
  else
    r.title = choices.custom_count > 16 ? "Export 8-bit BMP" : "Export 4-bit BMP";
  return r;
}

ExportColourPlan ExportColourPlanFor(const ExportChoices& choices) {
  if (IsJpegFormat(choices.format) || choices.colour_mode == kExportTrueColour) return {0, 24};
  const int colours =
      choices.colour_mode == kExport256Colours ? 256 : std::min(choices.custom_count, 256);
  // PNG palettes are always 8 bits; a BMP of at most 16 colours packs two pixels a byte.
  if (choices.format == ImageFormat::kBmp && colours <= 16) return {colours, 4};
  return {colours, 8};
}

std::optional<std::string> ValidateExportChoices(const ExportChoices& c) {
  if (ExportFormatIndex(c.format) < 0) return "Unknown export format.";
  if (c.width < 1 || c.height < 1 || c.width > CDIBSection::kMaxSide ||
      c.height > CDIBSection::kMaxSide)
    return "The width and height must be between 1 and 32768 pixels.";
  if (static_cast<std::int64_t>(c.width) * c.height > CDIBSection::kMaxPixels)
    return "The image is too big to export: at most 268435456 pixels are allowed.";
  if (c.quality < 0 || c.quality > 100 || c.sharpen < 0 || c.sharpen > 100)
    return "The quality and the sharpening must be between 0 and 100.";
  if (!IsJpegFormat(c.format)) {
    if (c.colour_mode < 0 || c.colour_mode > 2) return "Unknown color mode.";
    if (c.colour_mode != kExportTrueColour && (c.dither < 0 || c.dither > 2))
      return "Unknown dithering mode.";
    if (c.colour_mode == kExportCustomColours && c.custom_count < 2)
      return "The number of colors must be at least 2.";
  }
  return std::nullopt;
}

namespace {

// Stores the format and refuses choices that cannot be exported, telling the user why.
bool ExportAllowed(const ExportChoices& choices, const ExportContext& context) {
  StoreExportFormat(context.settings, choices);
  if (auto problem = ValidateExportChoices(choices)) {
    context.host.Message(*problem, MessageKind::Warning);
    return false;
  }
  if (choices.format == ImageFormat::kEditableJpg && !context.append_project) {
    context.host.Message("There is no project to embed in an editable JPG.", MessageKind::Warning);
    return false;
  }
  return true;
}

}  // namespace

ExportResult ExportImage(ExportMode mode, const RgbImage* source, const ExportChoices& choices,
                         const ExportContext& context) {
  if (!source || source->width < 1 || source->height < 1 ||
      source->pixels.size() != static_cast<std::size_t>(source->width) * source->height * 3)
    return {};
  if (!ExportAllowed(choices, context)) return {};
  try {
    // At its own size and unsharpened the picture is written as it is, not copied first.
    const bool as_is = choices.width == source->width && choices.height == source->height && choices.sharpen <= 0;
    std::vector<std::uint8_t> made;
    if (!as_is) made = MakeOutput(*source, choices);
    WaitCursor wait(context.host);
    Sharpen(made, choices);
    const std::vector<std::uint8_t>& output = as_is ? source->pixels : made;
    return IsJpegFormat(choices.format) ? WriteJpeg(mode, RowsOfBuffer(output.data(), choices.width), choices, context)
                                        : WriteBmpOrPng(mode, output, choices, context);
  } catch (const std::bad_alloc&) {
    context.host.Message("Not enough memory", MessageKind::Error);
    return {};
  }
}

ExportResult ExportComposedCanvas(ExportMode mode, const CanvasArea& canvas,
                                  const std::vector<std::unique_ptr<CDrawObject>>& objects,
                                  const ExportChoices& choices, const ExportContext& context) {
  const Rect area = ComposedArea(canvas);
  const bool streamed = IsJpegFormat(choices.format) && choices.width == area.Width() &&
                        choices.height == area.Height() && choices.sharpen <= 0;
  if (!streamed) {
    const RgbImage source = RenderCanvasForExport(canvas, objects, context.host);
    return ExportImage(mode, &source, choices, context);
  }
  // What the whole composition would tell, in its order: an unusable area first, then
  // the progress after each object, then the export's own checks.
  CheckBitmapSize(area.Width(), area.Height());
  for (std::size_t i = 0; i < objects.size(); ++i) ShowCompositionProgress(context.host, i, objects.size());
  if (!ExportAllowed(choices, context)) return {};
  ExportResult result;
  try {
    WithCanvasRows(canvas, objects, [&](const RgbRowSource& rows) {
      WaitCursor wait(context.host);
      result = WriteJpeg(mode, rows, choices, context);
    });
  } catch (const std::bad_alloc&) {
    context.host.Message("Not enough memory", MessageKind::Error);
    return {};
  }
  return result;
}

}  // namespace lumi
