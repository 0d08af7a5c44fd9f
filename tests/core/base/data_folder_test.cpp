#include "base/data_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace lumi {
namespace {

namespace fs = std::filesystem;

class DataFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("lumi_seed_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root_);
    installed_ = root_ / "share";
    user_ = root_ / "home" / "Lumiverdant";
    for (const char* dir : {"Textures", "Samples", "Help"}) fs::create_directories(installed_ / dir);
    Write(installed_ / "Textures" / "wood.jpg", "installed wood");
    Write(installed_ / "Help" / "index.htm", "<p>help</p>");
    Write(installed_ / "flowers.dna", "installed genes");
    Write(installed_ / "readme.txt", "not a library");
  }
  void TearDown() override { fs::remove_all(root_); }

  static void Write(const fs::path& p, const std::string& text) { std::ofstream(p) << text; }
  static std::string Read(const fs::path& p) {
    std::ifstream in(p);
    return std::string((std::istreambuf_iterator<char>(in)), {});
  }

  fs::path root_, installed_, user_;
};

TEST_F(DataFolderTest, FirstStartCopiesWhatIsInstalled) {
  const auto copied = SeedDataFolder(installed_, user_);
  EXPECT_EQ(copied, (std::vector<std::string>{"Textures", "Samples", "Help", "flowers.dna"}));
  EXPECT_EQ(Read(user_ / "Textures" / "wood.jpg"), "installed wood");
  EXPECT_EQ(Read(user_ / "flowers.dna"), "installed genes");
  EXPECT_FALSE(fs::exists(user_ / "readme.txt")) << "only gene libraries come from the folder itself";
  EXPECT_EQ(Read(user_ / "Help" / "index.htm"), "<p>help</p>");
  EXPECT_FALSE(fs::exists(user_ / "Styles")) << "nothing installed, nothing made up";
}

TEST_F(DataFolderTest, LaterStartsKeepTheUsersFolders) {
  SeedDataFolder(installed_, user_);
  Write(user_ / "Textures" / "wood.jpg", "edited by the user");
  fs::remove(user_ / "Help" / "index.htm");
  fs::remove_all(user_ / "Samples");
  fs::remove(user_ / "flowers.dna");
  const auto copied = SeedDataFolder(installed_, user_);
  EXPECT_EQ(copied, std::vector<std::string>{"Samples"});
  EXPECT_FALSE(fs::exists(user_ / "flowers.dna")) << "a gene library the user deleted stays deleted";
  EXPECT_EQ(Read(user_ / "Textures" / "wood.jpg"), "edited by the user");
  EXPECT_FALSE(fs::exists(user_ / "Help" / "index.htm")) << "an existing folder is not refilled";
}

// The place follows the XDG rule that Qt's GenericDataLocation uses, so the program and
// the command line find the same folder.
TEST(UserDataFolder, FollowsXdgDataHomeElseHome) {
  const char* saved_xdg = std::getenv("XDG_DATA_HOME");
  const char* saved_home = std::getenv("HOME");
  const std::string xdg = saved_xdg ? saved_xdg : "", home = saved_home ? saved_home : "";
  const struct {
    const char* xdg;  // nullptr: unset
    const char* home;
    const char* expected;
  } cases[] = {
      {"/data/xdg", "/home/ann", "/data/xdg/Plenivor/Lumiverdant"},
      {nullptr, "/home/ann", "/home/ann/.local/share/Plenivor/Lumiverdant"},
      {"relative/xdg", "/home/ann", "/home/ann/.local/share/Plenivor/Lumiverdant"},
      {"", "/home/ann", "/home/ann/.local/share/Plenivor/Lumiverdant"},
      {nullptr, "", ""},
  };
  for (const auto& c : cases) {
    if (c.xdg) setenv("XDG_DATA_HOME", c.xdg, 1); else unsetenv("XDG_DATA_HOME");
    setenv("HOME", c.home, 1);
    EXPECT_EQ(UserDataFolder(), fs::path(c.expected)) << (c.xdg ? c.xdg : "(unset)");
  }
  if (saved_xdg) setenv("XDG_DATA_HOME", xdg.c_str(), 1); else unsetenv("XDG_DATA_HOME");
  if (saved_home) setenv("HOME", home.c_str(), 1); else unsetenv("HOME");
}

}  // namespace
}  // namespace lumi
