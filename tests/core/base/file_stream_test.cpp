#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/archive.h"
#include "base/byte_stream.h"
#include "base/errors.h"

namespace lumi {
namespace {

namespace fs = std::filesystem;

class FileStreamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("lumi_files_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(FileStreamTest, ArchiveRoundTripsThroughAFile) {
  const fs::path path = dir_ / "a.plv";
  {
    FileSink sink(path);
    CArchive ar(sink);
    ar.WriteString("QUELMDAW1.0");
    ar.WriteInt32(400);
    sink.Commit();
  }
  FileSource source(path);
  EXPECT_EQ(source.Remaining(), 16u);
  CArchive ar(source);
  EXPECT_EQ(ar.ReadString(), "QUELMDAW1.0");
  EXPECT_EQ(ar.ReadInt32(), 400);
  EXPECT_THROW(ar.ReadByte(), ArchiveError);
}

TEST_F(FileStreamTest, UncommittedWriteLeavesThePreviousFileAlone) {
  const fs::path path = dir_ / "keep.plv";
  { std::ofstream(path) << "old"; }
  {
    FileSink sink(path);
    sink.Write("new contents", 12);
    // destroyed without Commit, as when a save fails half-way
  }
  std::ifstream in(path);
  std::string contents((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(contents, "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1)
      << "the temporary file was left behind";
}

TEST_F(FileStreamTest, CommitReplacesTheFile) {
  const fs::path path = dir_ / "replace.bin";
  { std::ofstream(path) << "old"; }
  const std::vector<std::uint8_t> bytes = {1, 2, 3, 4, 5};
  WriteFileAtomically(path, bytes);
  EXPECT_EQ(ReadWholeFile(path, 100), bytes);
  EXPECT_THROW(ReadWholeFile(path, 4), FileError);
}

TEST_F(FileStreamTest, MissingFilesAndFoldersReportThePath) {
  try {
    FileSource source(dir_ / "missing.plv");
    FAIL() << "opening a missing file succeeded";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find("missing.plv"), std::string::npos);
  }
  EXPECT_THROW(FileSink(dir_ / "no" / "such" / "folder.plv"), FileError);
}

}  // namespace
}  // namespace lumi
