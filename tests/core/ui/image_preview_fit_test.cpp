// Where the image dialog's preview pane draws a picture.
#include <gtest/gtest.h>

#include "ui/image_preview_fit.h"

namespace lumi {
namespace {

TEST(PreviewPlacement, SmallPicturesKeepTheirSizeLargeOnesShrinkInProportion) {
  const Rect pane{1, 1, 201, 101};  // 200 x 100
  struct Case {
    const char* what;
    int w, h;
    Rect expected;
  } cases[] = {
      {"smaller in both: own size, centred", 50, 20, {75, 40, 125, 60}},
      {"as wide as the pane: scaled by 1", 200, 50, {1, 25, 201, 75}},
      {"twice too wide", 400, 100, {1, 25, 201, 75}},
      {"too tall: the height decides", 100, 300, {84, 1, 117, 101}},
      {"one pixel", 1, 1, {100, 50, 101, 51}},
      {"nothing to show", 0, 10, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(PreviewPlacement(pane, c.w, c.h), c.expected) << c.what;
}

}  // namespace
}  // namespace lumi
