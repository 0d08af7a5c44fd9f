#pragma once
// The commands that change the canvas rather than the objects ("Size and Color...", the
// trims, "General Settings...") and the colour commands with dialogs ("Bitmap
// Effects...", "Shift Color..."), each by its menu text with its enable rule. The window
// builds menu entries from this table; edit scripts look commands up in it.
//
// The canvas commands take no undo snapshot (undo restores objects, not the canvas), but
// they do mark the document modified, so closing afterwards asks to save.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "edit/command_dialogs.h"

namespace lumi {

class CDIBSection;
class CDrawObject;
class CPlenivorDoc;
class Host;
class Settings;
class ToolMachine;

inline constexpr int kMaxDialogCanvasWidth = 1800;
inline constexpr int kMaxDialogCanvasHeight = 1500;
// The trims refuse canvases narrower or lower than this.
inline constexpr int kMinTrimmedCanvasSide = 5;

// The read-only counts of "Document Properties".
struct DocumentCounts {
  int objects = 0;
  int groups = 0;
  int vectors = 0;    // outline points of every object: curve nodes plus polynome nodes
  int preloaded = 0;  // entries of the project's texture bank
};
DocumentCounts CountDocument(const CPlenivorDoc& doc);

// The size check of both dialogs' OK: shows why a size is refused and returns false.
bool AcceptCanvasSize(Host& host, int width, int height);

// "Size and Color..." after its dialog: canvas size and colour, views fitted, document
// modified. Objects stay where they are.
void ApplyDocumentProperties(CPlenivorDoc& doc, const DocumentPropertiesValues& values);

// "Trim Canvas to size of the objects" (outline bounds) and "Trim canvas for all objects
// and their shadows" (visible extents with shadows and glows). False, after telling the
// user, when there are no objects or the result would be below 5 pixels.
bool TrimCanvasToObjects(ToolMachine& tools, bool with_effects);
// "Trim canvas to the size of a crop tool": the canvas becomes the crop region, which is
// then cleared.
bool CropCanvasToCropRegion(ToolMachine& tools);

// "General Settings...": the dialog's starting values and what OK does with them (the
// undo levels cut to 30 and applied to the document at once).
inline constexpr int kMaxUndoLevels = 30;
GeneralSettingsValues ReadGeneralSettings(const CPlenivorDoc& doc, const Settings& settings);
void ApplyGeneralSettings(CPlenivorDoc& doc, Settings& settings, const GeneralSettingsValues& values);

// "Apply" of "Bitmap Color Tweak": the chosen filter with the slider positions over the
// whole 32-bit image. False when the image is not a 32-bit bitmap or has no pixels.
bool ApplyColourTweak(CDIBSection& image, const ColourTweakChoice& choice);
// The filter's starting choice: its index and the defaults of its parameters.
ColourTweakChoice DefaultColourTweak(int filter);

// What a command with a dialog works with.
struct CommandContext {
  ToolMachine& tools;
  CommandDialogs& dialogs;
  Settings& settings;
};

struct DialogCommand {
  std::string_view text;
  bool (*enabled)(const ToolMachine&);
  // True when the command changed something.
  bool (*run)(CommandContext&);
};

std::span<const DialogCommand> CanvasMenuCommands();
// The command with this menu text, or null.
const DialogCommand* FindCanvasCommand(std::string_view text);

// The commands one by one, for the window's menus and the colour bar's gene button.
bool RunDocumentProperties(CommandContext& context);
bool RunGeneralSettings(CommandContext& context);
// "Bitmap Effects...": the tweak dialog on the current bitmap object (pending size
// changes applied first, kept even on Cancel); on OK the object renders again and a
// snapshot is taken. True when the bitmap was filtered.
bool RunBitmapEffects(CommandContext& context);
// "Shift Color...": the fill colours of the selected objects move by the chosen
// difference; nothing happens when the colours are equal.
bool RunShiftColour(CommandContext& context);

}  // namespace lumi
