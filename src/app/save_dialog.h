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

// `chosen` with its file name's extension (after a "." that does not start the name)
// replaced by `suffix`, or `suffix` added when it has none: the name Save As writes.
QString WithExtension(const QString& chosen, const QString& suffix);
// The extension of a Qt name filter's first pattern, without its dot: "jpg" for
// "JPG File (*.jpg)"; empty when it has none.
QString FilterSuffix(const QString& name_filter);

// Qt's save dialog, with the selected filter's extension as the default suffix before it
// asks to overwrite: a name typed without one is completed first, so the question names
// the file that would really be replaced. A dialog that returns a name without the
// extension all the same (a desktop's own dialog) gets it added here, and the question
// asked here when that completed file exists. With `replace_extension` (Save As, which
// writes its own extension in place of any other) the name is completed that way, and
// asked about likewise. Empty when the user cancelled.
QString AskSaveFileName(QWidget* parent, const QString& title, const QString& start,
                        const QString& qt_filter, QString* selected_filter = nullptr,
                        bool replace_extension = false);

// Asks for the path (overwriting is asked about for the completed name); nothing when the
// user cancelled. The default name's extension is added to a name typed without one.
std::optional<std::filesystem::path> AskSavePath(QWidget* parent, const SaveDialogRequest& request);

}  // namespace lumi::app
