#pragma once
// "Multimedia Export...": the canvas as button images for an authoring tool. The window
// runs the command in this order:
//
//   if (!PrepareMultiStateExport(objects, host)) return;      // nothing to export
//   index = the "Multimedia Export" dialog (texts below), Cancel ends the command;
//   path = the save dialog of MultiStateSaveDialogFor(index), starting in the folder of
//          the setting it names (section "Export"); after OK the window stores the path;
//   ExportMultiState(index, path, canvas, objects, host);
#include <array>
#include <string>
#include <string_view>

#include "export/multi_state_compose.h"

namespace lumi {

inline constexpr std::string_view kMultimediaExportTitle = "Multimedia Export";
inline constexpr std::string_view kMultimediaExportLabel = "Export To:";
inline constexpr std::string_view kMultimediaExportButton = "Export";
inline constexpr std::string_view kMultimediaCancelButton = "Cancel";
// The drop-down list, by MultiStateTarget.
inline constexpr std::array<std::string_view, 3> kMultiStateTargetNames = {
    "Pavonix", "Generic - Separate BMP files", "Generic - Separate JPG files"};

inline constexpr std::string_view kPavonixExportText =
    "PVX Export:\r\nIf the object has Highlighted and/or Pushed frame the Object will be "
    "exported as a PVX 3-State Bitmap Button and the position will be Locked.\r\nIf the "
    "Object is in Solo mode then the Normal frame of the object will be exported as a "
    "movable Bitmap with alpha transparency.\r\nThe non frame objects will be exported as "
    "one Bitmap object on the background and the position will be Locked.\r\nIf the Object "
    "has option Keep With Previous the object won't be exported as a separate PVX object. "
    "Instead it will be merged with previous exported object.\r\nPlease refer to the help "
    "file for more detailed examples.";
inline constexpr std::string_view kGenericExportText =
    "Generic Export:\r\nNon framed objects will be exported as one bitmap.\r\nThe framed "
    "objects will be exported in 3 bitmaps ending with a, b or c for normal(a), "
    "highlighted(b) and pushed(c).\r\nThe bitmaps a,b,c will be the same size and will "
    "have a surrounding compatible with the background portion.\r\nAlso the txt file will "
    "be created with the pixel positions relative to the background bitmap.\r\nThe Keep "
    "With Previous object won't be exported. Instead it will be merged with previous "
    "exported bitmap.";

// The explanation the dialog shows for the selected target.
std::string_view MultiStateTargetText(MultiStateTarget target);

// Section of the settings that keep the save dialogs' last paths.
inline constexpr std::string_view kMultiStateSettingsSection = "Export";

// The save dialog of each target. The filter is in the "Text (*.ext)|*.ext||" form; the
// default name doubles as the default extension.
struct MultiStateSaveDialog {
  std::string_view title;
  std::string_view filter;
  std::string_view default_name;
  std::string_view setting;
};
const MultiStateSaveDialog& MultiStateSaveDialogFor(MultiStateTarget target);

// Writes the chosen target to `path`: the .pvx project (written beside the target and
// renamed over it), or the background, each button's images and the table. Stops at the
// first file that cannot be written, after telling the user why; files already written
// stay. Returns true when everything was written.
bool ExportMultiState(MultiStateTarget target, const std::string& path,
                      const CanvasArea& canvas, ObjectList& objects, Host& host);

}  // namespace lumi
