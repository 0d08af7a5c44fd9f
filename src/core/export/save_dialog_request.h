#pragma once
// What an export's save dialog shows; the window turns it into its own file dialog and
// the command line answers it with the path it was given.
#include <string>

namespace lumi {

// The dialog always prompts before overwriting and has no read-only box.
struct SaveDialogRequest {
  std::string title;         // "Export", "Export True Color BMP", ...
  std::string filter;        // description|pattern pairs ending in "||": "JPG File (*.jpg)|*.jpg||"
  std::string default_name;  // "*.jpg": the initial name, whose extension is also the default
  std::string start_folder;  // a stored folder or a stored file path, or empty
  bool operator==(const SaveDialogRequest&) const = default;
};

}  // namespace lumi
