// The colour-gene fill as the render pipeline uses it.
#include <gtest/gtest.h>

#include "base/host.h"
#include "library/texture_factory.h"
#include "objects/draw_object.h"

namespace lumi {
namespace {

TEST(GeneFillRender, ObjectTakesTheGeneOfItsSeedAndKeepsItsCoverage) {
  RecordingHost host;
  CDrawObject o(host);
  o.CreateCircle(0, 0, 60, 40);
  o.SetGeneParam1(777);
  o.SetGeneParam2(12345);
  o.SetGeneParam3(-5);
  for (int seed : {1, 5, 14}) {
    SCOPED_TRACE(seed);
    o.SetGeneSeed(seed);
    o.Render();
    // The same gene drawn straight into a bitmap of the object's size, mode = seed - 1.
    CDIBSection expected;
    expected.Create(o.GetWidth(), o.GetHeight());
    GenerateGeneFill(expected, 777, 12345, -5, seed - 1);
    const CDIBSection& image = o.Image();
    int inside = 0;
    for (int y = 0; y < image.Height(); ++y) {
      for (int x = 0; x < image.Width(); ++x) {
        const std::uint8_t* p = image.Row(y) + x * 4;
        const std::uint8_t* q = expected.Row(y) + x * 4;
        ASSERT_EQ(p[0], q[0]);
        ASSERT_EQ(p[1], q[1]);
        ASSERT_EQ(p[2], q[2]);
        inside += p[3] == 255;
      }
    }
    EXPECT_GT(inside, 0);
    EXPECT_EQ(image.Row(0)[3], 0) << "the corner stays outside the circle";
  }
}

TEST(GeneFillRender, SeedZeroIsTheFlatFillColour) {
  RecordingHost host;
  CDrawObject o(host);
  o.SetFillColor(RGB(10, 20, 30));
  o.CreateRectangle(0, 0, 20, 20);
  const std::uint8_t* p = o.Image().Row(10) + 10 * 4;
  EXPECT_EQ(p[0], 30);
  EXPECT_EQ(p[1], 20);
  EXPECT_EQ(p[2], 10);
}

}  // namespace
}  // namespace lumi
