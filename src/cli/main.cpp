// lumiverdant-cli: the program's work without a window, for scripts and build pipelines.
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/errors.h"
#include "commands.h"
#include "document/scene.h"
#include "options.h"
#include "base/parallel_render.h"

namespace lumi::cli {

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"render", "compose a drawing into a PNG, JPG or BMP image",
       "Usage: lumiverdant-cli render INPUT -o OUTPUT [--object N [--layer image|effect|mask]]\n"
       "                              [--data DIR]\n"
       "\n"
       "Composes the drawing INPUT (a .plv project, an editable JPG or a JSON scene, see\n"
       "docs/scene-format.md)\n"
       "over its canvas colour, honouring an active crop region, and writes OUTPUT; its\n"
       "extension (.png, .jpg or .bmp) chooses the format. Prints the path written.\n"
       "A damaged project gives exit status 2.\n"
       "\n"
       "  -o OUTPUT         the image file to write\n"
       "  --object N        write object N (counted from 0 in list order) instead of the canvas,\n"
       "                    as a PNG with alpha\n"
       "  --layer WHICH     with --object: its rendered image (default), its effect layer, or\n"
       "                    its coverage mask as grey\n"
       "  --data DIR        the data folder: texture files are read from DIR/Textures and\n"
       "                    DIR/Transp (default: the program's per-user data folder,\n"
       "                    ~/.local/share/Plenivor/Lumiverdant, when it exists; otherwise\n"
       "                    objects render without texture images)\n",
       RunRender},
      {"build", "make a .plv project or an editable JPG from a JSON scene",
       "Usage: lumiverdant-cli build SCENE.json -o OUTPUT.(plv|jpg|sty|obj) [--data DIR]\n"
       "\n"
       "Builds every object of the JSON scene SCENE.json (see docs/scene-format.md) and saves\n"
       "them as a project with the scene's canvas, groups and crop region. Prints the path\n"
       "written. A bad scene gives one line naming the object and the key, exit status 1,\n"
       "and writes nothing.\n"
       "\n"
       "  -o OUTPUT         the project file to write: a .plv project, or an editable JPG\n"
       "                    (.jpg: the canvas as a JPG at quality 95 with the project inside,\n"
       "                    which any viewer shows and 'render', 'info' and the program open),\n"
       "                    a style (.sty: the look of the first object, for the Styles\n"
       "                    folder) or an object-library entry (.obj: every object); both\n"
       "                    get their 50 x 50 picture beside them (OUTPUT with .tmb)\n"
       "  --data DIR        the data folder: texture files are read from DIR/Textures and\n"
       "                    DIR/Transp (a portable scene embeds them in the project; default\n"
       "                    the program's per-user data folder when it exists)\n",
       RunBuild},
      {"export", "export a drawing as the Export dialog does",
       "Usage: lumiverdant-cli export INPUT -o OUTPUT [--format jpg|bmp|png|ejpg]\n"
       "                              [--width W] [--height H]\n"
       "                              [--kernel cubic|bilinear|hamming|blackman] [--sharpen 0..100]\n"
       "                              [--quality 0..100] [--progressive] [--gray]\n"
       "                              [--colors 24bit|256|N] [--dither none|diffusion|floyd]\n"
       "                              [--data DIR]\n"
       "\n"
       "Composes INPUT (a .plv project, an editable JPG or a JSON scene; an active crop region\n"
       "is honoured) and writes it with the Export dialog's choices. Prints the path written.\n"
       "\n"
       "  -o OUTPUT         the file to write\n"
       "  --format F        jpg, bmp, png, or ejpg (an editable JPG carrying the project);\n"
       "                    by default the output's extension decides\n"
       "  --width W, --height H\n"
       "                    the output size (default the canvas size); one alone keeps the\n"
       "                    aspect ratio\n"
       "  --kernel K        the resampling filter when the size changes (default cubic)\n"
       "  --sharpen S       sharpen the output, 0..100 (default 0)\n"
       "  JPG only:\n"
       "  --quality Q       0..100 (default 95)\n"
       "  --progressive     a progressive JPG (default baseline)\n"
       "  --gray            a greyscale JPG\n"
       "  BMP and PNG only:\n"
       "  --colors C        24bit (default), 256, or a count N from 2 (a BMP of 16 colours or\n"
       "                    fewer has 4 bits per pixel; counts above 256 give 256)\n"
       "  --dither D        the dithering of a colour reduction (default floyd)\n"
       "  --data DIR        the data folder the objects' textures are read from (default\n"
       "                    the program's per-user data folder when it exists)\n",
       RunExport},
      {"buttons", "export the objects' button looks as image sets",
       "Usage: lumiverdant-cli buttons INPUT -o OUTPUT.(pvx|bmp|jpg) [--data DIR]\n"
       "\n"
       "Exports every object that has a highlighted or pushed look (see the \"states\" of\n"
       "docs/scene-format.md) as a button. With a .bmp or .jpg OUTPUT the background (every\n"
       "object without looks) is written to OUTPUT, each button j to OUTPUTja, OUTPUTjb and\n"
       "OUTPUTjc (normal, highlighted, pushed) and their positions to OUTPUT.txt. With a .pvx\n"
       "OUTPUT they become one Pavonix project. Prints the paths written.\n"
       "\n"
       "  -o OUTPUT         the Pavonix project or the background image to write\n"
       "  --data DIR        the data folder the objects' textures are read from (default\n"
       "                    the program's per-user data folder when it exists)\n",
       RunButtons},
      {"edit", "replay a script of mouse actions and commands on a drawing",
       "Usage: lumiverdant-cli edit INPUT --script STEPS.json -o OUTPUT [--trace] [--data DIR]\n"
       "\n"
       "Reads INPUT (a .plv project, an editable JPG or a JSON scene; a scene without objects\n"
       "is a new document), replays the user actions of STEPS.json through the program's\n"
       "tools (see docs/edit-scripts.md) and writes OUTPUT: a .plv project, an editable .jpg,\n"
       "the canvas as .png or .bmp, or the JSON scene (.json). Prints the path written.\n"
       "A step that cannot be understood or carried out stops with one line naming the step\n"
       "(counted from 0) and its key, exit status 1, and nothing is written.\n"
       "\n"
       "  --script STEPS    the JSON array of steps\n"
       "  -o OUTPUT         the file to write\n"
       "  --trace           every status-bar text and message on stderr as one line\n"
       "                    ('status: TEXT', 'message: TEXT', line feeds as \\n), then\n"
       "                    'selection: [i, ...]' with the selected objects' list indexes\n"
       "  --data DIR        the data folder the objects' textures are read from (default\n"
       "                    the program's per-user data folder when it exists)\n",
       RunEdit},
      {"info", "show what a drawing, style, library entry or gene library holds",
       "Usage: lumiverdant-cli info INPUT [--json] [--data DIR]\n"
       "\n"
       "Shows the canvas, the crop region, the groups and every object of INPUT (a .plv\n"
       "project, an editable JPG or a JSON scene) with all its fields, one block per object.\n"
       "A style (.sty) or an object-library entry (.obj) shows its objects; a gene library\n"
       "(.dna) its genes with their three words, eight bytes and mode.\n"
       "\n"
       "  --json            print a JSON scene instead (see docs/scene-format.md); 'build'\n"
       "                    makes the same project from it\n"
       "  --data DIR        the data folder the objects' textures are read from (default\n"
       "                    the program's per-user data folder when it exists)\n",
       RunInfo},
  };
  return commands;
}

namespace {

void PrintUsage(std::FILE* out) {
  std::fputs(
      "Usage: lumiverdant-cli [--help] [--version] <command> [options]\n"
      "\n"
      "Renders and inspects Lumiverdant drawings without opening a window.\n"
      "\n"
      "Commands:\n",
      out);
  for (const Command& c : Commands()) std::fprintf(out, "  %-10s %s\n", c.name, c.summary);
  std::fputs(
      "\n"
      "Every command takes --threads N: render with N threads (1 to 256; default the\n"
      "environment variable LUMI_THREADS, else one per core).\n"
      "Run 'lumiverdant-cli <command> --help' for a command's options.\n"
      "Exit status: 0 on success, 1 on a usage or user error, 2 on damaged input.\n",
      out);
}

// Takes "--threads N" out of the arguments, wherever it stands, and sets the render
// threads; every command renders with them.
void TakeThreadsOption(std::vector<std::string>& args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--threads") continue;
    if (i + 1 >= args.size()) throw UsageError("--threads needs a value");
    const std::string& text = args[i + 1];
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || n < 1 || n > 256)
      throw UsageError("--threads must be a whole number from 1 to 256: " + text);
    lumi::SetRenderThreadCount(static_cast<int>(n));
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    --i;
  }
}

}  // namespace
}  // namespace lumi::cli

int main(int argc, char** argv) {
  using namespace lumi::cli;
  std::vector<std::string> all(argv + 1, argv + argc);
  try {
    TakeThreadsOption(all);
  } catch (const UsageError& e) {
    std::fprintf(stderr, "lumiverdant-cli: %s\n", e.what());
    return 1;
  }
  if (all.empty()) {
    PrintUsage(stderr);
    return 1;
  }
  const std::string first = all[0];
  if (first == "--help" || first == "-h" || first == "help") {
    PrintUsage(stdout);
    return 0;
  }
  if (first == "--version") {
    std::printf("lumiverdant-cli %s\n", LUMI_VERSION);
    return 0;
  }
  for (const Command& c : Commands()) {
    if (first != c.name) continue;
    std::vector<std::string> args(all.begin() + 1, all.end());
    for (const std::string& a : args) {
      if (a == "--help" || a == "-h") {
        std::fputs(c.usage, stdout);
        return 0;
      }
    }
    try {
      return c.run(args);
    } catch (const UsageError& e) {
      std::fprintf(stderr, "lumiverdant-cli %s: %s\n", c.name, e.what());
      return 1;
    } catch (const lumi::SceneError& e) {
      std::fprintf(stderr, "lumiverdant-cli %s: %s\n", c.name, e.what());
      return 1;
    } catch (const lumi::FileError& e) {
      std::fprintf(stderr, "lumiverdant-cli %s: %s\n", c.name, e.what());
      return 1;
    } catch (const lumi::ArchiveError& e) {
      std::fprintf(stderr, "lumiverdant-cli %s: damaged input: %s\n", c.name, e.what());
      return 2;
    } catch (const lumi::Error& e) {
      std::fprintf(stderr, "lumiverdant-cli %s: %s\n", c.name, e.what());
      return 1;
    } catch (const std::bad_alloc&) {
      std::fprintf(stderr, "lumiverdant-cli %s: not enough memory\n", c.name);
      return 1;
    }
  }
  std::fprintf(stderr, "lumiverdant-cli: unknown command '%s' (see --help)\n", first.c_str());
  return 1;
}
