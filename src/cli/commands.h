#pragma once
// The subcommands of lumiverdant-cli. Each returns the exit status: 0 done, 1 a user
// error, 2 damaged input.
#include <string>
#include <vector>

namespace lumi::cli {

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

}  // namespace lumi::cli
