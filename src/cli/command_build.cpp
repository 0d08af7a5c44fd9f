// lumiverdant-cli build: a JSON scene saved as a project, a style or a library entry.
#include <cstdio>
#include <filesystem>

#include "base/errors.h"
#include "cli_session.h"
#include "commands.h"
#include "export/export_choices.h"
#include "export/render_canvas_for_export.h"
#include "collections/object_library.h"
#include "collections/style_library.h"
#include "options.h"

namespace lumi::cli {

int RunBuild(const std::vector<std::string>& args) {
  const Options opts(args, {"-o", "--data"}, {});
  if (opts.Positional().size() != 1) throw UsageError("build takes one SCENE.json (see build --help)");
  const std::filesystem::path input = opts.Positional()[0];
  const std::filesystem::path output = opts.Required("-o");
  if (LowerExtension(input) != ".json") throw UsageError("the input must be a .json scene: " + input.string());
  const std::string ext = LowerExtension(output);
  const bool editable_jpg = ext == ".jpg" || ext == ".jpeg";
  const bool style = ext == ".sty";
  const bool entry = ext == ".obj";
  if (!editable_jpg && !style && !entry && ext != ".plv") {
    throw UsageError("the output must end in .plv or .jpg (a project), or .sty or .obj (a library file): " + output.string());
  }

  CliSession session(opts.Value("--data"));
  // Every check happens while the scene is built; the file is written only afterwards,
  // through a temporary file, so a failure leaves no output behind.
  session.LoadScene(input);
  if (style || entry) {
    // The picture goes beside the file, as the libraries keep it.
    std::filesystem::path picture = output;
    picture.replace_extension(".tmb");
    std::vector<const CDrawObject*> objects;
    for (const auto& object : session.Doc().Objects()) objects.push_back(object.get());
    if (objects.empty()) throw UsageError("the scene has no object to store: " + input.string());
    const bool written = style ? WriteStyleFile(output, picture, *objects.front())
                               : WriteObjectEntryFile(output, picture, objects);
    if (!written) throw FileError("cannot write " + output.string());
    std::printf("%s\n%s\n", output.string().c_str(), picture.string().c_str());
    return 0;
  }
  if (editable_jpg) {
    ExportEditableJpg(session, output);
  } else {
    session.Doc().WriteProjectFile(output);
  }
  std::printf("%s\n", output.string().c_str());
  return 0;
}

}  // namespace lumi::cli
