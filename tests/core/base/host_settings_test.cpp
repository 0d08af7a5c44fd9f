#include <gtest/gtest.h>

#include "base/folders.h"
#include "base/host.h"
#include "base/settings.h"

namespace lumi {
namespace {

TEST(RecordingHost, KeepsEveryCallInOrderAndAnswersFromItsQueue) {
  RecordingHost host;
  host.QueueAnswer(Answer::Yes);
  {
    WaitCursor wait(host);
    host.ProgressStart("Reading Textures...", 3);
    host.ProgressStep(1);
    host.ProgressEnd();
  }
  host.StatusText(0, "Finished...");
  host.Message("Corupted Data!", MessageKind::Error);
  EXPECT_EQ(host.Ask("Save changes?", AskButtons::YesNoCancel), Answer::Yes);
  EXPECT_EQ(host.Ask("Again?", AskButtons::YesNo), Answer::Cancel);
  const std::vector<std::string> expected = {
      "wait on",  "progress start: Reading Textures... (3)", "progress: 1",
      "progress end", "wait off", "status 0: Finished...", "message: Corupted Data!",
      "ask: Save changes?", "ask: Again?"};
  EXPECT_EQ(host.Log(), expected);
  EXPECT_EQ(host.Messages(), std::vector<std::string>{"Corupted Data!"});
}

TEST(MemorySettings, DefaultsUntilWrittenAndOneValuePerName) {
  MemorySettings s;
  EXPECT_EQ(s.GetInt("Settings", "DefWidth", 400), 400);
  EXPECT_EQ(s.GetString("Font", "Name", "Arial"), "Arial");
  s.SetInt("Settings", "DefWidth", 640);
  s.SetString("Load", "Path", "/home/u/Samples/");
  EXPECT_EQ(s.GetInt("Settings", "DefWidth", 400), 640);
  EXPECT_EQ(s.GetInt("settings", "DefWidth", 400), 400) << "sections are distinct by name";
  EXPECT_EQ(s.GetString("Load", "Path", ""), "/home/u/Samples/");
  // A string that is not a number reads as the default, as a damaged store would.
  s.SetString("Settings", "Undo", "many");
  EXPECT_EQ(s.GetInt("Settings", "Undo", 4), 4);
  s.SetInt("Settings", "Undo", 30);
  EXPECT_EQ(s.GetString("Settings", "Undo", ""), "30");
}

TEST(FolderSet, AllFoldersHangOffOneRoot) {
  const FolderSet f = FolderSet::FromRoot("/data/Lumiverdant/");
  EXPECT_EQ(f.textures, "/data/Lumiverdant/Textures/");
  EXPECT_EQ(f.transparencies, "/data/Lumiverdant/Transp/");
  EXPECT_EQ(f.styles, "/data/Lumiverdant/Styles/");
  EXPECT_EQ(f.objects, "/data/Lumiverdant/Objects/");
  EXPECT_EQ(f.current_objects, f.objects);
  EXPECT_EQ(f.samples, "/data/Lumiverdant/Samples/");
  EXPECT_EQ(f.HelpIndex(), "/data/Lumiverdant/Help/index.htm");
  EXPECT_EQ(f.BackupFile(), "/data/Lumiverdant/backup.plv");
  EXPECT_EQ(f.ExportPreviewFile(), "/data/Lumiverdant/export.tmp");
}

}  // namespace
}  // namespace lumi
