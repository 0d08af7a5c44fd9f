// Button looks and bitmap objects in scenes.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "base/host.h"
#include "document/scene.h"
#include "image/pixwerk.h"

namespace lumi {
namespace {

using nlohmann::json;

TEST(SceneLooks, EachLookStartsFromTheNormalLookWithItsOwnFields) {
  RecordingHost host;
  const Scene scene = BuildScene(json::parse(R"({"objects": [
    {"shape": "rectangle", "rect": [0, 0, 40, 20], "fillColor": "#00FF00", "bevelKind": 1,
     "ops": [{"states": {"highlighted": {"fillColor": "#FFFF00"}, "pushed": {"bevelKind": 2}}}]}]})"),
                                 host, nullptr);
  const CDrawObject& o = *scene.objects[0];
  EXPECT_EQ(o.GetCurrentState(), 0) << "the normal look is shown at the end";
  EXPECT_EQ(o.GetFillColor(), RGB(0, 255, 0));
  ASSERT_NE(o.HighlightedLook(), nullptr);
  ASSERT_NE(o.PushedLook(), nullptr);
  EXPECT_EQ(o.HighlightedLook()->GetFillColor(), RGB(255, 255, 0));
  EXPECT_EQ(o.HighlightedLook()->GetBevelKind(), 1);
  // The pushed look is made from the normal look, not from the highlighted one.
  EXPECT_EQ(o.PushedLook()->GetFillColor(), RGB(0, 255, 0));
  EXPECT_EQ(o.PushedLook()->GetBevelKind(), 2);
  EXPECT_EQ(o.GetHasHighlighted(), 1);
  EXPECT_EQ(o.GetHasPushed(), 1);
}

TEST(SceneLooks, SoloKeepsTheFlagsButNoLooks) {
  RecordingHost host;
  const Scene scene = BuildScene(json::parse(R"({"objects": [
    {"shape": "circle", "rect": [0, 0, 30, 30], "ops": [{"states": {"solo": true, "pushed": true}}]}]})"),
                                 host, nullptr);
  const CDrawObject& o = *scene.objects[0];
  EXPECT_EQ(o.GetStatesSuppressed(), 1);
  EXPECT_EQ(o.GetHasPushed(), 1);
  EXPECT_EQ(o.GetHasHighlighted(), 0);
  EXPECT_EQ(o.PushedLook(), nullptr);
}

TEST(SceneBitmap, FileNamesAreTakenFromTheSceneFolder) {
  const auto dir = std::filesystem::temp_directory_path() / ("lumi_scene_bitmap_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  // A 3 x 2 picture: red, green, blue over white, black, grey.
  const std::uint8_t rgb[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 128, 128, 128};
  ASSERT_TRUE(PxSavePNG(dir / "tiny.png", rgb, 3, 2));
  RecordingHost host;
  const Scene scene = BuildScene(json::parse(R"({"objects": [
    {"shape": "bitmap", "at": [7, 9], "file": "tiny.png"}]})"), host, nullptr, dir);
  const CDrawObject& o = *scene.objects[0];
  EXPECT_TRUE(o.IsBitmap());
  EXPECT_EQ(o.GetX(), 7);
  EXPECT_EQ(o.GetY(), 9);
  EXPECT_EQ(o.GetSourceWidth(), 3);
  EXPECT_EQ(o.GetSourceHeight(), 2);
  EXPECT_EQ(o.GetKindName(), "tiny.png");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace lumi
