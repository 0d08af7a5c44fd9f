#pragma once
// File > "Export...": the document's canvas (or its export crop region) composed once,
// then the Export dialog on it. The window repaints its views afterwards (the hint of a
// flat export).
#include <filesystem>
#include <functional>
#include <optional>

class QWidget;

namespace lumi {
class CPlenivorDoc;
class Host;
class Settings;
struct SaveDialogRequest;
}  // namespace lumi

namespace lumi::app {

// Asks where the export goes; nothing when the user cancelled.
using ExportPathQuestion =
    std::function<std::optional<std::filesystem::path>(const SaveDialogRequest&)>;

// Runs the command modally. The preview's temporary file goes to `temp_folder` (the
// per-user data folder). The path is asked with Qt's save dialog unless `ask_path` is
// given. Returns true when a file was exported.
bool RunExportCommand(QWidget* owner, CPlenivorDoc& document, Host& host, Settings& settings,
                      const std::filesystem::path& temp_folder, ExportPathQuestion ask_path = {});

}  // namespace lumi::app
