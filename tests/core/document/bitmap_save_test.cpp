// Saving a project applies the size changes of bitmaps shown smaller than their source.
#include <gtest/gtest.h>

#include "document_fixture.h"
#include "image/pixwerk.h"

namespace lumi {
namespace {

using testing::DocumentTest;

class BitmapSave : public DocumentTest {};

TEST_F(BitmapSave, SavingShrinksTheSourceOfABitmapShownSmall) {
  RgbImage rgb{300, 200, std::vector<std::uint8_t>(300 * 200 * 3, 90)};
  auto object = doc_.MakeObject();
  ASSERT_EQ(object->CreateBitmapFromClipboard(rgb, 150, 100), 1);
  object->SetSize(150, 100);
  doc_.Objects().push_back(std::move(object));
  const CDrawObject& bitmap = *doc_.Objects().back();
  ASSERT_EQ(bitmap.SourceBitmap().Width(), 300) << "kept until the save";
  ASSERT_TRUE(doc_.SaveAs(dir_ / "shrunk.plv", ImageFormat::kProject));
  EXPECT_EQ(bitmap.SourceBitmap().Width(), 150);
  EXPECT_EQ(bitmap.SourceBitmap().Height(), 100);
  EXPECT_EQ(bitmap.GetSourceWidth(), 150);
}

}  // namespace
}  // namespace lumi
