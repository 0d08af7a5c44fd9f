#pragma once
// The dialogs of the canvas and colour commands, as the commands see them: each is
// filled with the current values, lets the user change them and returns false for
// Cancel. The window shows real dialogs; edit scripts answer from their "answers" steps.
#include <array>

#include "base/colour.h"

namespace lumi {

class CDIBSection;
class CPlenivorDoc;

struct DocumentPropertiesValues {
  int width = 0;
  int height = 0;
  COLORREF colour = 0xFFFFFF;
};

struct GeneralSettingsValues {
  bool always_portable = false;  // "STexture"
  bool portable = false;         // the current document only
  int default_width = 400;       // "DefWidth"
  int default_height = 300;      // "DefHeight"
  int backup_minutes = 5;        // "Backup"
  int undo_levels = 4;           // "Undo"
};

struct ColourTweakChoice {
  int filter = 0;
  std::array<int, 8> params{};
};

struct ShiftColourChoice {
  COLORREF from = 0;
  COLORREF towards = 0;
};

class CommandDialogs {
 public:
  virtual ~CommandDialogs() = default;
  // "Document Properties". The dialog may prune the document's texture bank ("Remove
  // Unused"); on OK it checks the size with AcceptCanvasSize and stays open when refused.
  virtual bool DocumentProperties(CPlenivorDoc& doc, DocumentPropertiesValues& values) = 0;
  // "General Settings"; OK checks the default size as Document Properties does.
  virtual bool GeneralSettings(GeneralSettingsValues& values) = 0;
  // "Bitmap Color Tweak" on a 32-bit image (previewed, never changed by the dialog);
  // the choice is the filter and the eight slider positions at "Apply".
  virtual bool ColourTweak(const CDIBSection& image, ColourTweakChoice& choice) = 0;
  // "Shift Color": both colours start black.
  virtual bool ShiftColour(ShiftColourChoice& choice) = 0;
};

}  // namespace lumi
