#pragma once
// The formats a drawing is written in - the project, the flat JPG, PNG and BMP images and
// the editable JPG - and the file-dialog filters that offer them. Save As, the flat image
// writer, the Export dialog and the Open dialog all name formats with this one type; a
// window turns the filter the user chose back into its format through FormatOfFilter,
// never by its position in the list.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace lumi {

enum class ImageFormat { kProject, kJpg, kPng, kBmp, kEditableJpg };

// The file dialogs whose filters list formats.
enum class FormatDialog {
  kOpen,    // "Open Project File"
  kSaveAs,  // "Save file as"
  kExport,  // the save dialog of an export, showing only the chosen format
};

// One entry of a dialog's filter, written "description|pattern|" in a filter string.
struct DialogFilterEntry {
  FormatDialog dialog;
  ImageFormat format;
  std::string_view description;
  std::string_view pattern;
};

// Every dialog's entries, each dialog's in the order the dialog lists them. The texts are
// the dialogs' own, character for character (the Open dialog's project pattern keeps its
// leading space; the editable JPG is exported under the JPG entry).
inline constexpr std::array<DialogFilterEntry, 10> kDialogFilterEntries = {{
    {FormatDialog::kOpen, ImageFormat::kProject, "Project File (*.plv)", " *.plv"},
    {FormatDialog::kOpen, ImageFormat::kEditableJpg, "Lumiverdant Editable E-JPG", "*.jp*"},
    {FormatDialog::kSaveAs, ImageFormat::kProject, "Project Files (*.plv)", "*.plv"},
    {FormatDialog::kSaveAs, ImageFormat::kJpg, "JPG File (*.jpg)", "*.jpg"},
    {FormatDialog::kSaveAs, ImageFormat::kPng, "PNG File (*.png)", "*.png"},
    {FormatDialog::kSaveAs, ImageFormat::kBmp, "Windows BMP (*.bmp)", "*.bmp"},
    {FormatDialog::kExport, ImageFormat::kJpg, "JPG File (*.jpg)", "*.jpg"},
    {FormatDialog::kExport, ImageFormat::kBmp, "BMP File (*.bmp)", "*.bmp"},
    {FormatDialog::kExport, ImageFormat::kPng, "PNG File (*.png)", "*.png"},
    {FormatDialog::kExport, ImageFormat::kEditableJpg, "JPG File (*.jpg)", "*.jpg"},
}};

// The extension a file of the format is written with, dot included: ".plv", ".jpg",
// ".png", ".bmp" (the editable JPG is a ".jpg").
std::string_view DefaultExtension(ImageFormat format);
// JPG, PNG and BMP: the formats written as a flat picture of the canvas.
bool IsFlatImage(ImageFormat format);
bool DialogOffers(FormatDialog dialog, ImageFormat format);

// A dialog's whole filter, "description|pattern|...|" closed by a second "|".
std::string DialogFilter(FormatDialog dialog);
// The filter of one format alone in `dialog`; empty when the dialog does not offer it.
std::string DialogFilter(FormatDialog dialog, ImageFormat format);
// The format of the entry of `dialog` with this description; nothing for another text.
std::optional<ImageFormat> FormatOfFilter(FormatDialog dialog, std::string_view description);

}  // namespace lumi
