#include "export_command.h"

#include <new>

#include "base/errors.h"
#include "base/host.h"
#include "document/plenivor_doc.h"
#include "document/editable_jpg.h"
#include "export/export_image.h"
#include "export/render_canvas_for_export.h"
#include "export_dialog.h"
#include "save_dialog.h"

namespace lumi::app {

bool RunExportCommand(QWidget* owner, CPlenivorDoc& document, Host& host, Settings& settings,
                      const std::filesystem::path& temp_folder, ExportPathQuestion ask_path) {
  RgbImage source;
  {
    WaitCursor wait(host);
    try {
      source = RenderCanvasForExport(document);
    } catch (const Error& e) {
      host.Message(e.what(), MessageKind::Error);
      return false;
    } catch (const std::bad_alloc&) {
      host.Message("Not enough memory", MessageKind::Error);
      return false;
    }
  }
  if (!ask_path) {
    ask_path = [owner](const SaveDialogRequest& request) { return AskSavePath(owner, request); };
  }
  ExportContext context{
      host, settings, temp_folder, std::move(ask_path),
      [&document, &host](const std::filesystem::path& path, std::span<const std::uint8_t> jpeg) {
        return WriteEditableJpg(document, path, jpeg, host);
      }};
  CExportDlg dialog(source, std::move(context), owner);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace lumi::app
