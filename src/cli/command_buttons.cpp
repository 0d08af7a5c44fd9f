// lumiverdant-cli buttons: the multi-state export of the objects' button looks.
#include <cstdio>
#include <filesystem>
#include <string>

#include "base/errors.h"
#include "cli_session.h"
#include "commands.h"
#include "export/multi_state_export.h"
#include "export/multi_state_files.h"
#include "objects/draw_object.h"
#include "options.h"

namespace lumi::cli {

namespace {

namespace fs = std::filesystem;

// The files a generic export writes besides the background: each button's images, named
// as the export names them, and the table.
void PrintGenericFiles(const std::string& path, const ObjectList& objects) {
  const std::string stem = SeparateBase(path);
  const std::string ext = SeparateExtension(path);
  for (int j = 0; j < CountExportedFramed(objects); ++j) {
    const CDrawObject& o = *objects[static_cast<std::size_t>(ExportedFramedIndex(objects, j))];
    const bool solo = o.GetStatesSuppressed() != 0;
    const std::string base = stem + std::to_string(j);
    std::printf("%sa.%s\n", base.c_str(), ext.c_str());
    if (o.GetHasHighlighted() && !solo) std::printf("%sb.%s\n", base.c_str(), ext.c_str());
    if (o.GetHasPushed() && !solo) std::printf("%sc.%s\n", base.c_str(), ext.c_str());
  }
  std::printf("%s.txt\n", stem.c_str());
}

}  // namespace

int RunButtons(const std::vector<std::string>& args) {
  const Options opts(args, {"-o", "--data"}, {});
  if (opts.Positional().size() != 1) throw UsageError("buttons takes one INPUT (see buttons --help)");
  const fs::path input = opts.Positional()[0];
  const std::string output = opts.Required("-o");
  const std::string ext = LowerExtension(output);
  MultiStateTarget target = MultiStateTarget::Pavonix;
  if (ext == ".bmp") {
    target = MultiStateTarget::SeparateBmp;
  } else if (ext == ".jpg") {
    target = MultiStateTarget::SeparateJpg;
  } else if (ext != ".pvx") {
    throw UsageError("the output must end in .pvx, .bmp or .jpg: " + output);
  }

  CliSession session(opts.Value("--data"));
  session.Load(input);
  CPlenivorDoc& doc = session.Doc();
  CliHost& host = session.GetHost();
  const CanvasArea canvas{doc.GetCanvasWidth(), doc.GetCanvasHeight(), doc.GetCanvasColor()};
  // The export tells why it stopped through the host: here that is the error's one line.
  bool prepared = false, written = false;
  const std::string why = host.CollectDuring([&] {
    prepared = PrepareMultiStateExport(doc.Objects(), host);
    written = prepared && ExportMultiState(target, output, canvas, doc.Objects(), host);
  });
  if (!prepared) throw UsageError(why.empty() ? "there are no objects with button looks" : why);
  if (!written) throw FileError("cannot export " + output + (why.empty() ? "" : ": " + why));
  std::printf("%s\n", output.c_str());
  if (target != MultiStateTarget::Pavonix) PrintGenericFiles(output, doc.Objects());
  return 0;
}

}  // namespace lumi::cli
