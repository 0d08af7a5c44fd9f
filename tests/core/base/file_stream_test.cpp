#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

// The sink gathers writes in a buffer of its own; every mix of write sizes around the
// buffer's size must come out as the same bytes in the same order.
TEST_F(FileStreamTest, WritesOfAnySizeArriveInOrder) {
  const std::vector<std::vector<std::size_t>> cases = {
      {0, 1, 0, 3},
      std::vector<std::size_t>(40000, 7),  // many small writes, several buffers full
      {65535, 1, 1, 65536},                 // filling the buffer exactly, then one past it
      {10, 300000, 5},                      // a write larger than the buffer between small ones
      {65536, 65536, 131072},
  };
  for (std::size_t c = 0; c < cases.size(); ++c) {
    const fs::path path = dir_ / ("sizes" + std::to_string(c) + ".bin");
    std::vector<std::uint8_t> expected;
    {
      FileSink sink(path);
      for (std::size_t size : cases[c]) {
        std::vector<std::uint8_t> chunk(size);
        for (std::uint8_t& b : chunk) b = static_cast<std::uint8_t>(expected.size() * 131 + (&b - chunk.data()) * 7);
        expected.insert(expected.end(), chunk.begin(), chunk.end());
        sink.Write(chunk.data(), chunk.size());
      }
      sink.Commit();
    }
    EXPECT_TRUE(ReadWholeFile(path, expected.size() + 1) == expected) << "case " << c;
  }
}

// The source reads the file in large pieces and hands fields out of its own buffer; every
// mix of read sizes around that buffer's size must give the file's bytes in order, and a
// read past the end must fail without taking anything.
TEST_F(FileStreamTest, ReadsOfAnySizeGiveTheFileInOrder) {
  std::vector<std::uint8_t> file(300000);
  for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<std::uint8_t>(i * 131 + i / 251);
  const fs::path path = dir_ / "reads.bin";
  WriteFileAtomically(path, file);
  const std::vector<std::vector<std::size_t>> cases = {
      {0, 1, 0, 3, 4, 2},
      std::vector<std::size_t>(40000, 7),  // many small reads, several buffers used up
      {65535, 1, 1, 65536},                 // using up the buffer exactly, then one past it
      {10, 200000, 5},                      // a read larger than the buffer between small ones
      {3, 65536, 65533, 1},                 // a buffer-sized read that starts inside the buffer
  };
  for (std::size_t c = 0; c < cases.size(); ++c) {
    FileSource source(path);
    std::size_t at = 0;
    for (std::size_t size : cases[c]) {
      std::vector<std::uint8_t> got(size);
      source.Read(got.data(), size);
      ASSERT_TRUE(std::equal(got.begin(), got.end(), file.begin() + static_cast<std::ptrdiff_t>(at)))
          << "case " << c << " at byte " << at;
      at += size;
      ASSERT_EQ(source.Remaining(), file.size() - at) << "case " << c;
    }
    std::vector<std::uint8_t> rest(source.Remaining() + 1);
    EXPECT_THROW(source.Read(rest.data(), rest.size()), ArchiveError) << "case " << c;
    ASSERT_EQ(source.Remaining(), file.size() - at) << "a failed read took bytes, case " << c;
    rest.pop_back();
    source.Read(rest.data(), rest.size());
    EXPECT_TRUE(std::equal(rest.begin(), rest.end(), file.begin() + static_cast<std::ptrdiff_t>(at)))
        << "case " << c;
  }
}

// A file cut short while it is being read gives an error, not bytes it does not have.
TEST_F(FileStreamTest, AFileCutShortWhileReadFailsAndStaysFailed) {
  const fs::path path = dir_ / "cut.bin";
  WriteFileAtomically(path, std::vector<std::uint8_t>(200000, 9));
  FileSource source(path);
  std::uint8_t field[4];
  source.Read(field, sizeof field);
  fs::resize_file(path, 100000);
  std::vector<std::uint8_t> block(150000);
  EXPECT_THROW(source.Read(block.data(), block.size()), ArchiveError);
  EXPECT_EQ(source.Remaining(), 0u);
  EXPECT_THROW(source.Read(field, 1), ArchiveError);
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

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

void Save(const fs::path& path, std::string_view text) {
  WriteFileAtomically(path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

TEST_F(FileStreamTest, ReplacedFileKeepsItsPermissionsAndNewFilesFollowTheUmask) {
  const fs::path private_file = dir_ / "private.plv";
  const fs::path shared_file = dir_ / "shared.plv";
  Save(private_file, "old");
  Save(shared_file, "old");
  fs::permissions(private_file, fs::perms::owner_read | fs::perms::owner_write);
  fs::permissions(shared_file, fs::perms(0664));
  Save(private_file, "new");
  Save(shared_file, "new");
  EXPECT_EQ(fs::status(private_file).permissions(), fs::perms(0600));
  EXPECT_EQ(fs::status(shared_file).permissions(), fs::perms(0664));
  EXPECT_EQ(Contents(private_file), "new");

  const mode_t mask = ::umask(022);
  ::umask(mask);
  const fs::path fresh = dir_ / "fresh.plv";
  Save(fresh, "new");
  EXPECT_EQ(fs::status(fresh).permissions(), fs::perms(0666 & ~mask));
}

TEST_F(FileStreamTest, ReplacedFileKeepsItsOwnerWhereAllowed) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
  const fs::path path = dir_ / "theirs.plv";
  Save(path, "old");
  ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
  Save(path, "new");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, 4321u);
  EXPECT_EQ(info.st_gid, 4322u);
}

TEST_F(FileStreamTest, SavingThroughASymbolicLinkWritesTheFileItNames) {
  fs::create_directories(dir_ / "real");
  const fs::path real = dir_ / "real" / "drawing.plv";
  Save(real, "old");
  const fs::path link = dir_ / "link.plv";
  fs::create_symlink("real/drawing.plv", link);  // relative to the link's folder
  const fs::path dangling = dir_ / "dangling.plv";
  fs::create_symlink(dir_ / "real" / "later.plv", dangling);

  Save(link, "new");
  Save(dangling, "created");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_TRUE(fs::is_symlink(dangling));
  EXPECT_EQ(Contents(real), "new");
  EXPECT_EQ(Contents(dir_ / "real" / "later.plv"), "created");
}

TEST_F(FileStreamTest, ANameAtTheLengthLimitStaysSavable) {
  const fs::path path = dir_ / (std::string(246, 'n') + ".plv");  // 250 characters
  Save(path, "one");
  Save(path, "two");
  EXPECT_EQ(Contents(path), "two");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(FileStreamTest, FailedReplaceNamesTheSystemsReason) {
  const fs::path folder = dir_ / "x.plv";
  fs::create_directories(folder / "inside");
  try {
    Save(folder, "new");
    FAIL() << "a folder was replaced";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot replace \"" + folder.string() + "\": Is a directory");
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1)
      << "the temporary file was left behind";
}

}  // namespace
}  // namespace lumi
