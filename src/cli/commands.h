#pragma once
// The subcommands of lumiverdant-cli. Each returns the exit status: 0 done, 1 a user
// error, 2 damaged input.
#include <filesystem>
#include <string>
#include <vector>

namespace lumi {
struct ExportChoices;
struct RgbImage;
}  // namespace lumi

namespace lumi::cli {

class CliSession;

struct Command {
  const char* name;
  const char* summary;
  const char* usage;  // the full --help text
  int (*run)(const std::vector<std::string>& args);
};

const std::vector<Command>& Commands();

int RunRender(const std::vector<std::string>& args);
int RunBuild(const std::vector<std::string>& args);
int RunInfo(const std::vector<std::string>& args);
int RunExport(const std::vector<std::string>& args);
int RunButtons(const std::vector<std::string>& args);
int RunEdit(const std::vector<std::string>& args);

// Writes the composed canvas of the session's document as the Export dialog does with
// `choices`; throws FileError with the reason when nothing was written.
void ExportCanvas(CliSession& session, const ExportChoices& choices, const std::filesystem::path& output);

// The same as a baseline editable JPG at quality 95 with the project appended; an area
// that cannot be composed fails with BitmapError first.
void ExportEditableJpg(CliSession& session, const std::filesystem::path& output);

}  // namespace lumi::cli
