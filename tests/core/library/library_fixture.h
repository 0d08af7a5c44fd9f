#pragma once
// A scratch library folder and small files to fill it with.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace lumi::testing {

class LibraryFolderTest : public ::testing::Test {
 protected:
  LibraryFolderTest()
      : dir_(std::filesystem::temp_directory_path() /
             ("lumi_library_" + std::to_string(std::random_device{}()))) {
    std::filesystem::create_directories(dir_);
  }
  ~LibraryFolderTest() override {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(dir_ / name, std::ios::binary) << text;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  bool Exists(const std::string& name) const { return std::filesystem::exists(dir_ / name); }
  std::vector<std::uint8_t> Bytes(const std::string& name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  std::filesystem::path dir_;
};

}  // namespace lumi::testing
