#include "base/data_folder.h"

#include <gtest/gtest.h>

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
  EXPECT_EQ(copied, (std::vector<std::string>{"Textures", "Samples", "Help"}));
  EXPECT_EQ(Read(user_ / "Textures" / "wood.jpg"), "installed wood");
  EXPECT_EQ(Read(user_ / "Help" / "index.htm"), "<p>help</p>");
  EXPECT_FALSE(fs::exists(user_ / "Styles")) << "nothing installed, nothing made up";
}

TEST_F(DataFolderTest, LaterStartsKeepTheUsersFolders) {
  SeedDataFolder(installed_, user_);
  Write(user_ / "Textures" / "wood.jpg", "edited by the user");
  fs::remove(user_ / "Help" / "index.htm");
  fs::remove_all(user_ / "Samples");
  const auto copied = SeedDataFolder(installed_, user_);
  EXPECT_EQ(copied, std::vector<std::string>{"Samples"});
  EXPECT_EQ(Read(user_ / "Textures" / "wood.jpg"), "edited by the user");
  EXPECT_FALSE(fs::exists(user_ / "Help" / "index.htm")) << "an existing folder is not refilled";
}

}  // namespace
}  // namespace lumi
