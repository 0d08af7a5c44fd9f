// Opening and saving by path: refused files, Save and Save As with every filter, texture
// pruning, the asking-to-save rule and editable JPGs.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <stdexcept>

#include "document_fixture.h"

namespace lumi {
namespace {

using testing::DocumentTest;
using testing::ProjectBytes;
using testing::ReadBytes;
using testing::WriteBytes;

class OpenSave : public DocumentTest {};

std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& dir) {
  std::vector<std::filesystem::path> files;
  for (const auto& e : std::filesystem::directory_iterator(dir)) files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

TEST_F(OpenSave, WrongSignatureFailsTheOpenWithoutTakingThePath) {
  ASSERT_TRUE(doc_.SaveAs(dir_ / "mine.plv", ImageFormat::kProject));
  AddRectangle(0, 0, 10, 10);
  // Same layout, one letter off in the signature.
  auto bytes = ProjectBytes().Str("QUELMDAW1.1").I32(400).I32(300).I32(0).I32(0).I32(0).Take();
  const auto path = dir_ / "other.plv";
  WriteBytes(path, bytes);
  EXPECT_FALSE(doc_.Open(path));
  EXPECT_EQ(host_.Messages(), std::vector<std::string>{"This is not a valid project file"});
  EXPECT_TRUE(doc_.GetPath().empty());
  EXPECT_TRUE(doc_.Objects().empty());
  EXPECT_EQ(ReadBytes(path), bytes);
  // A later Save must ask for a name rather than overwrite that file.
  EXPECT_EQ(doc_.Save(), SaveResult::NeedsName);
}

TEST_F(OpenSave, MissingFileFailsWithItsReasonAndKeepsTheDocument) {
  ASSERT_TRUE(doc_.SaveAs(dir_ / "mine.plv", ImageFormat::kProject));
  AddRectangle(0, 0, 10, 10);
  doc_.SetModified();
  EXPECT_FALSE(doc_.Open(dir_ / "nothere.plv"));
  ASSERT_EQ(host_.Messages().size(), 1u);
  EXPECT_NE(host_.Messages()[0].find("nothere.plv"), std::string::npos);
  EXPECT_EQ(doc_.GetPath(), dir_ / "mine.plv");
  EXPECT_EQ(doc_.Objects().size(), 1u);
  EXPECT_TRUE(doc_.IsModified());
}

TEST_F(OpenSave, SaveAsProjectReplacesTheExtensionAndTakesThePath) {
  struct Case {
    const char* given;
    const char* written;
  };
  const Case cases[] = {{"a.txt", "a.plv"}, {"a.b.plv", "a.b.plv"}, {"noext", "noext"},
                        {".hidden", ".hidden"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.given);
    doc_.SetModified();
    ASSERT_TRUE(doc_.SaveAs(dir_ / c.given, ImageFormat::kProject));
    EXPECT_EQ(doc_.GetPath(), dir_ / c.written);
    EXPECT_FALSE(doc_.IsModified());
    EXPECT_EQ(ReadBytes(dir_ / c.written).size(), 60u);
  }
}

TEST_F(OpenSave, SaveAsImageWritesTheFlatImageAndLeavesTheDocumentAsItWas) {
  doc_.SetCanvasSize(40, 30);
  ASSERT_TRUE(doc_.SaveAs(dir_ / "doc.plv", ImageFormat::kProject));
  doc_.SetModified();
  struct Case {
    ImageFormat filter;
    const char* written;
    std::vector<std::uint8_t> magic;
  };
  const Case cases[] = {
      {ImageFormat::kPng, "a.b.png", {0x89, 'P', 'N', 'G'}},
      {ImageFormat::kJpg, "a.b.jpg", {0xFF, 0xD8, 0xFF}},
      {ImageFormat::kBmp, "a.b.bmp", {'B', 'M'}},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(doc_.SaveAs(dir_ / "a.b.plv", c.filter));
    const auto bytes = ReadBytes(dir_ / c.written);
    ASSERT_GE(bytes.size(), c.magic.size()) << c.written;
    EXPECT_TRUE(std::equal(c.magic.begin(), c.magic.end(), bytes.begin())) << c.written;
    EXPECT_EQ(views_.hints.back(), kHintRepaint);
  }
  EXPECT_EQ(doc_.GetPath(), dir_ / "doc.plv");
  EXPECT_TRUE(doc_.IsModified());
  EXPECT_FALSE(std::filesystem::exists(dir_ / "a.b.plv"));
  // Save As writes only what its dialog offers; anything else is refused unwritten.
  EXPECT_THROW(doc_.SaveAs(dir_ / "e.jpg", ImageFormat::kEditableJpg), std::invalid_argument);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "e.jpg"));
}

TEST_F(OpenSave, SaveNeedsANameUntilTheDocumentHasAPath) {
  EXPECT_EQ(doc_.Save(), SaveResult::NeedsName);
  ASSERT_TRUE(doc_.SaveAs(dir_ / "x.plv", ImageFormat::kProject));
  AddRectangle(1, 1, 9, 9);
  doc_.SetModified();
  EXPECT_EQ(doc_.Save(), SaveResult::Saved);
  EXPECT_FALSE(doc_.IsModified());
  EXPECT_GT(ReadBytes(dir_ / "x.plv").size(), 60u);
}

TEST_F(OpenSave, ReadOnlyFileMakesSaveAskForAName) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write read-only files";
  ASSERT_TRUE(doc_.SaveAs(dir_ / "ro.plv", ImageFormat::kProject));
  std::filesystem::permissions(dir_ / "ro.plv", std::filesystem::perms::owner_read);
  EXPECT_EQ(doc_.Save(), SaveResult::NeedsName);
}

TEST_F(OpenSave, FailedSaveAsLeavesNothingBehindAndKeepsThePreviousTarget) {
  // A non-empty folder stands where the file should go: writing succeeds, the final
  // rename over it fails.
  const auto target = dir_ / "busy.plv";
  std::filesystem::create_directory(target);
  WriteBytes(target / "keep", {1, 2, 3});
  const auto before = FilesIn(dir_);
  EXPECT_FALSE(doc_.SaveAs(target, ImageFormat::kProject));
  EXPECT_EQ(host_.Messages(),
            std::vector<std::string>{"Unable to write to " + target.string() +
                                     ", it is read-only or opened by someone else."});
  EXPECT_EQ(FilesIn(dir_), before);
  EXPECT_EQ(ReadBytes(target / "keep"), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_TRUE(doc_.GetPath().empty());
}

TEST_F(OpenSave, FailedSaveKeepsThePreviousFile) {
  const auto target = dir_ / "kept.plv";
  AddRectangle(0, 0, 10, 10);
  MemorySink sink;
  CArchive ar(sink);
  doc_.Serialize(ar);
  WriteBytes(target, sink.Bytes());
  ASSERT_TRUE(doc_.Open(target));
  doc_.Objects().clear();
  host_.Clear();
  // A file size limit makes the write fail (this works for every user, root included).
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 8;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const SaveResult result = doc_.Save();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_EQ(result, SaveResult::Failed);
  EXPECT_EQ(host_.Messages(),
            std::vector<std::string>{"Unable to write to " + target.string() +
                                     ", it is read-only or opened by someone else."});
  EXPECT_EQ(ReadBytes(target), sink.Bytes());
  EXPECT_EQ(FilesIn(dir_), std::vector<std::filesystem::path>{target});
}

TEST_F(OpenSave, EverySavePrunesTexturesNoObjectUses) {
  doc_.SetPortable(true);
  bank_.Add("fill.jpg", std::vector<std::uint8_t>(3, 1), 1, 1);
  bank_.Add("alpha.jpg", std::vector<std::uint8_t>(3, 2), 1, 1);
  bank_.Add("stale.jpg", std::vector<std::uint8_t>(3, 3), 1, 1);
  CDrawObject& a = AddRectangle(0, 0, 10, 10);
  a.SetTextureName("FILL.jpg");
  a.SetTransparencyName("alpha.jpg");
  ASSERT_TRUE(doc_.SaveAs(dir_ / "p.plv", ImageFormat::kProject));
  ASSERT_EQ(bank_.Size(), 2u);
  EXPECT_EQ(bank_.Entry(0).name, "fill.jpg");
  EXPECT_EQ(bank_.Entry(1).name, "alpha.jpg");

  a.SetTransparencyName("");
  EXPECT_EQ(doc_.Save(), SaveResult::Saved);
  ASSERT_EQ(bank_.Size(), 1u);
  ASSERT_TRUE(doc_.Open(dir_ / "p.plv"));
  ASSERT_EQ(bank_.Size(), 1u);
  EXPECT_EQ(bank_.Entry(0).name, "fill.jpg");
}

TEST_F(OpenSave, AskingToSaveNeverAsksAboutADocumentWithoutObjects) {
  doc_.SetModified();
  EXPECT_FALSE(doc_.ShouldAskToSave());
  EXPECT_EQ(doc_.AskToSave(), Answer::No);
  EXPECT_TRUE(host_.Log().empty());

  AddRectangle(0, 0, 10, 10);
  EXPECT_TRUE(doc_.ShouldAskToSave());
  host_.QueueAnswer(Answer::Yes);
  EXPECT_EQ(doc_.AskToSave(), Answer::Yes);
  EXPECT_EQ(host_.Log().back(), "ask: Save changes to Untitled?");

  ASSERT_TRUE(doc_.SaveAs(dir_ / "named.plv", ImageFormat::kProject));
  EXPECT_FALSE(doc_.ShouldAskToSave());
  doc_.SetModified();
  host_.QueueAnswer(Answer::Cancel);
  EXPECT_EQ(doc_.AskToSave(), Answer::Cancel);
  EXPECT_EQ(host_.Log().back(), "ask: Save changes to " + (dir_ / "named.plv").string() + "?");
}

TEST_F(OpenSave, ProposedSaveNameIsThePathOrTheCutTitle) {
  EXPECT_EQ(doc_.ProposedSaveName(), "Untitled");
  ASSERT_TRUE(doc_.SaveAs(dir_ / "p.plv", ImageFormat::kProject));
  EXPECT_EQ(doc_.ProposedSaveName(), (dir_ / "p.plv").string());
}

TEST_F(OpenSave, OpeningAJpgNeverGivesTheDocumentItsPath) {
  ASSERT_TRUE(doc_.SaveAs(dir_ / "before.plv", ImageFormat::kProject));
  AddRectangle(0, 0, 10, 10);
  doc_.TakeSnapshot();
  for (const char* name : {"photo.JPG", "photo.jpeg"}) {
    SCOPED_TRACE(name);
    host_.Clear();
    EXPECT_FALSE(doc_.Open(dir_ / name));
    // The default reader cannot open a missing file; the document is reset all the same.
    EXPECT_EQ(host_.Messages(), std::vector<std::string>{"Cannot Open " + (dir_ / name).string()});
    EXPECT_TRUE(doc_.GetPath().empty());
    EXPECT_TRUE(doc_.Objects().empty());
    EXPECT_FALSE(doc_.CanUndo());
  }

  // With a reader installed the embedded project is loaded, still without the path.
  doc_.SetEditableJpgReader([](const std::filesystem::path&, CPlenivorDoc& doc) {
    doc.SetCanvasSize(77, 66);
    auto object = doc.MakeObject();
    object->CreateRectangle(0, 0, 5, 5);
    doc.Objects().push_back(std::move(object));
    return true;
  });
  host_.Clear();
  EXPECT_TRUE(doc_.Open(dir_ / "edit.jpg"));
  EXPECT_TRUE(host_.Messages().empty());
  EXPECT_TRUE(doc_.GetPath().empty());
  EXPECT_EQ(doc_.GetCanvasWidth(), 77);
  EXPECT_EQ(doc_.Objects().size(), 1u);
  EXPECT_EQ(doc_.UndoDepth(), 1u);
  EXPECT_EQ(views_.hints.back(), kHintCanvasChanged);
  EXPECT_EQ(doc_.Save(), SaveResult::NeedsName);
}

}  // namespace
}  // namespace lumi
