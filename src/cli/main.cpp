// lumiverdant-cli: the program's work without a window, for scripts and build pipelines.
#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "Usage: lumiverdant-cli [--help] [--version] <command> [options]\n"
    "\n"
    "Renders, exports and inspects Lumiverdant drawings without opening a window.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help and exit\n"
    "  --version      show the program version and exit\n"
    "\n"
    "Commands:\n"
    "  (none yet in this version)\n"
    "\n"
    "Exit status: 0 on success, 1 on a usage or user error, 2 on damaged input.\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return 1;
  }
  const std::string_view arg = argv[1];
  if (arg == "--help" || arg == "-h" || arg == "help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (arg == "--version") {
    std::printf("lumiverdant-cli %s\n", LUMI_VERSION);
    return 0;
  }
  std::fprintf(stderr, "lumiverdant-cli: unknown command '%s' (see --help)\n", argv[1]);
  return 1;
}
