#include "export/multi_state_export.h"

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"
#include "base/host.h"
#include "export/multi_state_files.h"
#include "export/pvx_project.h"

namespace lumi {

std::string_view MultiStateTargetText(MultiStateTarget target) {
  return target == MultiStateTarget::Pavonix ? kPavonixExportText : kGenericExportText;
}

const MultiStateSaveDialog& MultiStateSaveDialogFor(MultiStateTarget target) {
  static constexpr MultiStateSaveDialog kPavonix{
      "Export to Pavonix", "Pavonix (*.pvx)|*.pvx||", "*.pvx", "MMexport"};
  static constexpr MultiStateSaveDialog kBmp{
      "Export to Separate BMP files", "Separate BMP files (*.bmp)|*.bmp||", "*.bmp", "Separate"};
  static constexpr MultiStateSaveDialog kJpg{
      "Export to Separate JPG files", "Separate JPG files (*.jpg)|*.jpg||", "*.jpg", "SeparateJ"};
  switch (target) {
    case MultiStateTarget::Pavonix: return kPavonix;
    case MultiStateTarget::SeparateBmp: return kBmp;
    default: return kJpg;
  }
}

namespace {

bool ExportPavonix(const std::string& path, const CanvasArea& canvas, ObjectList& objects,
                   Host& host) {
  try {
    FileSink sink(path);
    CArchive ar(sink);
    WritePvxProject(ar, canvas, objects, host);
    sink.Commit();
  } catch (const Error& e) {
    host.Message(e.what(), MessageKind::Error);
    return false;
  }
  return true;
}

bool ExportSeparateFiles(const std::string& path, const CanvasArea& canvas,
                         ObjectList& objects, Host& host) {
  if (!ExportSeparateBackground(path, canvas, objects, host)) return false;
  const int count = CountExportedFramed(objects);
  for (int j = 0; j < count; ++j) {
    if (!ExportSeparateObject(path, j, canvas, objects, host)) return false;
  }
  return WriteExportTable(path, objects, host);
}

}  // namespace

bool ExportMultiState(MultiStateTarget target, const std::string& path,
                      const CanvasArea& canvas, ObjectList& objects, Host& host) {
  if (CountExportedFramed(objects) == 0) {
    host.Message(kNoMultiframeObjectsMessage, MessageKind::Information);
    return false;
  }
  if (target == MultiStateTarget::Pavonix) return ExportPavonix(path, canvas, objects, host);
  return ExportSeparateFiles(path, canvas, objects, host);
}

}  // namespace lumi
