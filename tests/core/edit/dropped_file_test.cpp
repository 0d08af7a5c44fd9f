// Dropped files: projects and editable JPGs open, other pictures are inserted where they
// were dropped as one undoable change.
#include <fstream>

#include "edit/dropped_file.h"
#include "image/pixwerk.h"
#include "image_fixtures.h"
#include "tool_fixture.h"

namespace lumi::testing {
namespace {

using DroppedFile = ToolTest;

// A 6 x 4 picture: red on the left half, blue on the right.
std::vector<std::uint8_t> TwoHalves() {
  std::vector<std::uint8_t> rgb;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) {
      const bool left = x < 3;
      rgb.insert(rgb.end(), {std::uint8_t(left ? 255 : 0), 0, std::uint8_t(left ? 0 : 255)});
    }
  return rgb;
}

TEST_F(DroppedFile, PicturesAreInsertedAndDrawingsOpened) {
  fixtures::TempDir dir;
  const std::vector<std::uint8_t> rgb = TwoHalves();
  ASSERT_TRUE(PxSavePNG(dir.File("halves.PNG"), rgb.data(), 6, 4));
  ASSERT_TRUE(PxSaveJPG(dir.File("photo.jpg"), rgb.data(), 6, 4, 90, true, false));
  // An editable JPG is a JPG with the project block and the trailer after it; only the
  // trailer decides how a drop treats it.
  std::filesystem::copy_file(dir.File("photo.jpg"), dir.File("drawing.jpg"));
  {
    std::ofstream out(dir.File("drawing.jpg"), std::ios::binary | std::ios::app);
    out << "STANDALONE" << std::string(4, '\0');
  }
  const struct {
    const char* name;
    DroppedFileUse use;
  } cases[] = {
      {"drawing.plv", DroppedFileUse::kOpen},          {"drawing.jpg", DroppedFileUse::kOpen},
      {"photo.jpg", DroppedFileUse::kInsertPicture},   {"halves.PNG", DroppedFileUse::kInsertPicture},
      {"scan.tif", DroppedFileUse::kInsertPicture},    {"notes.txt", DroppedFileUse::kOpen},
      {"missing.jpg", DroppedFileUse::kInsertPicture},  // the reader then says why it failed
  };
  for (const auto& c : cases) EXPECT_EQ(UseOfDroppedFile(dir.File(c.name)), c.use) << c.name;

  const std::size_t depth = doc_.UndoDepth();
  CDrawObject* picture = InsertPictureFile(doc_, dir.File("halves.PNG"), {100, 50});
  ASSERT_NE(picture, nullptr);
  EXPECT_TRUE(picture->IsBitmap());
  EXPECT_EQ(picture->GetRect(), (Rect{97, 48, 103, 52})) << "centred on the drop point";
  EXPECT_EQ(doc_.Objects().size(), 1u);
  EXPECT_TRUE(doc_.IsModified());
  EXPECT_EQ(doc_.UndoDepth(), depth + 1);
  doc_.Undo();
  EXPECT_TRUE(doc_.Objects().empty()) << "undo takes the picture away";

  // A file the readers refuse changes nothing and says why.
  const std::filesystem::path broken = dir.Write("broken.png", fixtures::Bytes{1, 2, 3});
  EXPECT_EQ(InsertPictureFile(doc_, broken, {10, 10}), nullptr);
  EXPECT_TRUE(doc_.Objects().empty());
  EXPECT_EQ(host_.Log().back().rfind("message", 0), 0u) << host_.Log().back();
}

}  // namespace
}  // namespace lumi::testing
