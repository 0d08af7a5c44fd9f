#pragma once
// The text dialog as core sees it: the values it edits and a window that lets the user
// change them. The checks around the dialog (the missing-font notice, the size limits)
// are the object's (CDrawObject::EditTextDialog); the window only edits the values.
#include <deque>
#include <functional>
#include <string>

#include "objects/logfont.h"

namespace lumi {

struct TextDialogValues {
  std::string text;  // lines separated by line feeds
  bool bold = false;
  bool italic = false;
  double size = 20.0;  // the line height in pixels
  int alignment = 0;   // 0 left, 1 centre, 2 right
  // The font; the window replaces it with the font of the item chosen in its font list.
  // Its face name may be one fontconfig stands in for by another family (Arial by
  // Liberation Sans): the window selects the family FontEngine::Match names for it.
  LOGFONT font;
};

class TextDialog {
 public:
  virtual ~TextDialog() = default;
  // Shows the dialog on `values`; true for OK (values hold the user's choice), false for
  // Cancel. Called again with the user's values when the object refuses them.
  virtual bool Run(TextDialogValues& values) = 0;
};

// A dialog played from a script, for tests and for work without a window: each Run takes
// the next step, which edits the values and answers OK, or answers Cancel. Runs past the
// end of the script answer Cancel. Every opening is recorded with the values shown.
class ScriptedTextDialog final : public TextDialog {
 public:
  using Edit = std::function<void(TextDialogValues&)>;

  // A step that applies `edit` and presses OK.
  ScriptedTextDialog& Ok(Edit edit);
  // A step that presses Cancel.
  ScriptedTextDialog& Cancel();

  bool Run(TextDialogValues& values) override;

  // The values the dialog was opened with, one entry per Run.
  const std::deque<TextDialogValues>& Shown() const { return shown_; }
  // Steps not yet played.
  std::size_t Remaining() const { return steps_.size(); }

 private:
  struct Step {
    bool ok = false;
    Edit edit;
  };
  std::deque<Step> steps_;
  std::deque<TextDialogValues> shown_;
};

// The face name of a LOGFONT (its field need not hold a terminator).
std::string FaceName(const LOGFONT& font);
// Stores `name` as the face name; false (nothing changed) when it does not fit the field
// with its terminator.
bool SetFaceName(LOGFONT& font, const std::string& name);

}  // namespace lumi
