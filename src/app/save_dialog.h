#pragma once
// The save dialog of the export commands: Qt's file dialog with a title, a filter in the
// "Text (*.ext)|*.ext||" form, a default extension and a start folder taken from a stored
// path, shown with the normal arrow even while the program waits.
#include <filesystem>
#include <optional>
#include <string_view>

#include <QString>

#include "export/save_dialog_request.h"

class QWidget;

namespace lumi::app {

// The folder a stored path names: the path itself when it is a folder, else its parent.
QString SaveDialogStartFolder(std::string_view stored);
// `chosen` with the default name's extension added when its file name has none.
QString WithDefaultExtension(const QString& chosen, std::string_view default_name);

// Asks for the path (Qt asks before overwriting); nothing when the user cancelled. The
// default name's extension is added to a name typed without one.
std::optional<std::filesystem::path> AskSavePath(QWidget* parent, const SaveDialogRequest& request);

}  // namespace lumi::app
