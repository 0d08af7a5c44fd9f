#pragma once
// File > "Multimedia Export...": the document's button looks written for an authoring
// tool. The steps that need the user (the target, the file) are functions so the flow
// runs the same with Qt's dialogs and with scripted answers.
#include <filesystem>
#include <functional>
#include <optional>

#include "export/multi_state_compose.h"
#include "save_dialog.h"

class QWidget;

namespace lumi {
class CPlenivorDoc;
class Host;
class Settings;
}  // namespace lumi

namespace lumi::app {

struct MultimediaExportSteps {
  // The "Multimedia Export" dialog: the chosen target, or nothing for Cancel.
  std::function<std::optional<MultiStateTarget>()> choose_target;
  // The save dialog: the chosen path, or nothing for Cancel.
  std::function<std::optional<std::filesystem::path>(const SaveDialogRequest&)> ask_path;
};

// The steps with the dialogs of the program, parented by `owner`.
MultimediaExportSteps QtMultimediaExportSteps(QWidget* owner);

// Tells the user and stops when no object is exported as a button; otherwise keeps every
// object's shown look, asks for the target and the file (the file dialog starts where the
// target's last file was, and the new path is kept), and writes the files. Returns true
// when everything was written. The objects' shown looks may have changed: the window
// repaints afterwards.
bool RunMultimediaExport(CPlenivorDoc& document, Host& host, Settings& settings,
                         const MultimediaExportSteps& steps);

}  // namespace lumi::app
