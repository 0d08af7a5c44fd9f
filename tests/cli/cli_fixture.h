#pragma once
// Runs the built command-line program in a fresh folder per test and collects what it said.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "image/pixwerk.h"

namespace lumi {

namespace fs = std::filesystem;

// A whole file's bytes (empty when it cannot be read).
inline std::vector<char> Bytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct CliRun {
  int status;
  std::string out;  // stdout and stderr together
};

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("lumi_cli_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    // The program's own data folder is looked up under XDG_DATA_HOME: an empty one keeps
    // every run independent of what this machine's user has installed.
    setenv("XDG_DATA_HOME", (dir_ / "xdg-data").c_str(), 1);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Write(const std::string& name, const std::string& text) {
    const fs::path p = dir_ / name;
    std::ofstream(p) << text;
    return p;
  }

  static CliRun Cli(const std::string& args) {
    const std::string command = std::string("'") + LUMI_CLI + "' " + args + " 2>&1";
    CliRun run{-1, {}};
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) run.out += buffer;
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
  }

  static std::vector<std::uint8_t> Pixel(const RgbImage& image, int x, int y) {
    const std::size_t i = (static_cast<std::size_t>(y) * image.width + x) * 3;
    return {image.pixels[i], image.pixels[i + 1], image.pixels[i + 2]};
  }

  fs::path dir_;
};

}  // namespace lumi
