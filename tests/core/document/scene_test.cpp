#include "document/scene.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "base/host.h"
#include "objects/text_dialog.h"

namespace lumi {
namespace {

using nlohmann::json;

TEST(Scene, BuildsCanvasObjectsGroupsAndCrop) {
  RecordingHost host;
  const json scene_json = json::parse(R"({
    "canvas": {"width": 320, "height": 200, "color": "#102030", "portable": true},
    "objects": [
      {"shape": "rectangle", "rect": [10, 10, 110, 60], "fillColor": "#FF0000", "id": "ABCDEFGHIJKL"},
      {"shape": "star", "rect": [120, 80, 220, 180], "points": 6, "inner": 4, "hidden": true},
      {"shape": "path", "points": [[0,0],[10,10],[10,10],[50,10]], "closed": false, "lineWidth": 4},
      {"shape": "arrow", "points": [[10,10],[60,10],[60,40]], "edgeQuality": 1}
    ],
    "groups": [[0, 1]],
    "crop": [5, 6, 105, 106]
  })");
  const Scene scene = BuildScene(scene_json, host, nullptr);
  EXPECT_EQ(scene.width, 320);
  EXPECT_EQ(scene.colour, RGB(0x10, 0x20, 0x30));
  EXPECT_TRUE(scene.portable);
  ASSERT_EQ(scene.objects.size(), 4u);
  const CDrawObject& rect = *scene.objects[0];
  EXPECT_EQ(rect.GetKindName(), "Rectangle");
  EXPECT_EQ(rect.GetFillColor(), RGB(255, 0, 0));
  EXPECT_EQ(rect.GetId(), "ABCDEFGHIJKL");
  EXPECT_EQ(rect.GetWidth(), 104) << "a drawn 100 x 50 rectangle is fitted to 104 x 54";
  EXPECT_EQ(rect.Image().Width(), rect.GetWidth()) << "rendered at its final size";
  EXPECT_EQ(scene.objects[1]->GetHidden(), 1);
  EXPECT_EQ(scene.objects[2]->GetLineWidth(), 4);
  EXPECT_FALSE(scene.objects[2]->Outline().IsClosed());
  EXPECT_EQ(scene.objects[3]->GetKindName(), "Arrow");
  EXPECT_EQ(scene.objects[3]->GetEdgeQuality(), 1);
  EXPECT_EQ(scene.groups, (std::vector<std::vector<int>>{{0, 1}}));
  ASSERT_TRUE(scene.crop.has_value());
  EXPECT_EQ(*scene.crop, (Rect{5, 6, 105, 106}));
  EXPECT_TRUE(host.Messages().empty());
}

TEST(Scene, ExplicitSizeAndOperations) {
  RecordingHost host;
  const json scene_json = json::parse(R"({"objects": [
    {"shape": "circle", "rect": [0, 0, 50, 50], "width": 80, "height": 30,
     "ops": [{"flip": "vertical"}, {"convert": "polynome"}]}]})");
  const Scene scene = BuildScene(scene_json, host, nullptr);
  const CDrawObject& o = *scene.objects[0];
  EXPECT_EQ(o.GetWidth(), 80);
  EXPECT_EQ(o.GetHeight(), 30);
  EXPECT_TRUE(o.IsPolynome());
  EXPECT_EQ(o.Image().Height(), 30);
}

TEST(Scene, ErrorsNameTheObjectAndTheKey) {
  const struct {
    const char* scene;
    const char* expected;
  } cases[] = {
      {R"({"objects": [{"shape": "rectangle", "rect": [0,0,9,9], "colour": "#FF0000"}]})",
       "object 0: \"colour\": unknown key"},
      {R"({"objects": [{"shape": "rectangle", "rect": [0,0,9,9]}, {"shape": "circle", "rect": [0,0,9,9], "bevelKind": "smooth"}]})",
       "object 1: \"bevelKind\": expected an integer"},
      {R"({"objects": [{"shape": "rectangle", "rect": [0,0,9,9], "edgeQuality": 5}]})",
       "object 0: \"edgeQuality\": must be between 1 and 4"},
      {R"({"objects": [{"shape": "rectangle", "rect": [0,0,9,9], "fillColor": "red"}]})",
       "object 0: \"fillColor\": expected a colour \"#RRGGBB\""},
      {R"({"objects": [{"shape": "hexagon"}]})", "object 0: \"shape\": unknown shape \"hexagon\""},
      {R"({"objects": [{"rect": [0,0,9,9]}]})", "object 0: \"shape\": missing"},
      {R"({"objects": [{"shape": "star"}]})", "object 0: \"rect\": missing for shape \"star\""},
      {R"({"objects": [{"shape": "path", "points": [[1,1]]}]})", "object 0: \"points\": do not make an outline"},
      {R"({"canvas": {"width": 0}})", "canvas: \"width\": must be between 1 and 32000"},
      {R"({"canvas": {"depth": 3}})", "canvas: \"depth\": unknown key"},
      {R"({"objects": [], "groups": [[0]]})", "scene: \"groups\": there are no objects to group"},
      {R"({"crop": [10, 10, 5, 20]})", "scene: \"crop\": must have a positive width and height"},
      {R"({"objects": [{"shape": "rectangle", "rect": [0,0,9,9], "ops": [{"spin": 3}]}]})",
       "object 0: \"ops.spin\": unknown operation"},
      {R"({"objects": [{"shape": "rectangle", "rect": [0,0,9,9], "ops": [{"states": {}}]}]})",
       "object 0: \"ops.states\": names neither"},
      {R"({"objects": [{"shape": "rectangle", "rect": [0,0,9,9], "ops": [{"states": {"hover": true}}]}]})",
       "object 0: \"ops.states.hover\": unknown key"},
      {R"({"objects": [{"shape": "rectangle", "rect": [0,0,9,9], "ops": [{"states": {"pushed": {"width": 5}}}]}]})",
       "object 0: \"ops.states.pushed.width\": unknown key"},
      {R"({"objects": [{"shape": "rectangle", "rect": [0,0,9,9], "ops": [{"states": {"pushed": {"bevelKind": 99}}}]}]})",
       "object 0: \"ops.states.pushed.bevelKind\": must be between 0 and 13"},
      {R"({"objects": [{"shape": "bitmap", "at": [0, 0]}]})", "object 0: \"file\": a bitmap takes either"},
      {R"({"objects": [{"shape": "bitmap", "at": [0, 0], "file": "/nonexistent/x.png"}]})",
       "object 0: \"file\": no such file: /nonexistent/x.png"},
      {R"({"objects": [{"shape": "bitmap", "source": {"zlib": "not base64!"}, "width": 4, "height": 4}]})",
       "object 0: \"source.zlib\": is not Base64"},
      {R"({"objects": [{"shape": "bitmap", "source": {"zlib": "AAAA"}, "width": 4, "height": 4}]})",
       "object 0: \"source.zlib\": is not a complete zlib stream"},
  };
  for (const auto& c : cases) {
    RecordingHost host;
    try {
      BuildScene(json::parse(c.scene), host, nullptr);
      ADD_FAILURE() << "accepted: " << c.scene;
    } catch (const SceneError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.expected, 0), 0u) << e.what();
    }
  }
}

TEST(Scene, HexColours) {
  EXPECT_EQ(ParseHexColour("#0000ff"), RGB(0, 0, 255));
  EXPECT_EQ(ParseHexColour("#FFA500"), RGB(255, 165, 0));
  for (const char* bad : {"", "#FFF", "FFA500", "#GGGGGG", "#FFA5000"}) {
    EXPECT_FALSE(ParseHexColour(bad).has_value()) << bad;
  }
}

}  // namespace
}  // namespace lumi

namespace lumi {
namespace {

TEST(SceneText, TextIsMadeAsTheTextToolMakesIt) {
  RecordingHost host;
  const Scene scene = BuildScene(nlohmann::json::parse(R"({"objects": [
    {"shape": "text", "at": [20, 30], "text": "Hello\nWorld", "font": "Liberation Serif",
     "lineHeight": 40, "textBold": 1, "textAlign": 1, "fillColor": "#008000"}]})"),
                                 host, nullptr);
  const CDrawObject& o = *scene.objects.at(0);
  EXPECT_TRUE(o.HasText());
  EXPECT_EQ(o.GetText(), "Hello\nWorld");
  EXPECT_EQ(o.GetKindName(), "Text");
  EXPECT_EQ(o.GetTextBold(), 1);
  EXPECT_EQ(o.GetTextAlign(), 1);
  EXPECT_EQ(o.GetX(), 20);
  EXPECT_EQ(o.GetHeight(), 80) << "two lines of 40";
  EXPECT_DOUBLE_EQ(o.GetLineHeight(), 40.0);
  EXPECT_EQ(FaceName(o.GetFont()), "Liberation Serif");
  EXPECT_TRUE(host.Messages().empty()) << host.Messages().front();
  int ink = 0;
  for (int y = 0; y < o.Image().Height(); ++y)
    for (int x = 0; x < o.Image().Width(); ++x) ink += o.Image().Row(y)[x * 4 + 3] > 128;
  EXPECT_GT(ink, 100);
}

TEST(SceneText, BadTextKeys) {
  const struct {
    const char* scene;
    const char* expected;
  } cases[] = {
      {R"({"objects": [{"shape": "text", "at": [0, 0], "text": ""}]})", "object 0: \"text\": must not be empty"},
      {R"({"objects": [{"shape": "text", "text": "A"}]})", "object 0: \"at\": missing for shape \"text\""},
      {R"({"objects": [{"shape": "text", "at": [0, 0], "text": "A", "lineHeight": 5000}]})",
       "object 0: \"lineHeight\": must be from 1 to below 4000"},
      {R"({"objects": [{"shape": "text", "at": [0, 0], "text": "A", "textAlign": 3}]})",
       "object 0: \"textAlign\": must be between 0 and 2"},
  };
  for (const auto& c : cases) {
    RecordingHost host;
    try {
      BuildScene(nlohmann::json::parse(c.scene), host, nullptr);
      ADD_FAILURE() << "accepted: " << c.scene;
    } catch (const SceneError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.expected, 0), 0u) << e.what();
    }
  }
}

}  // namespace
}  // namespace lumi
