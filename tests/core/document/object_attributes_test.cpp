// The attribute table as the scene reader, the scene writer and the two copies walk it.
#include "objects/object_attributes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "document/document_fixture.h"
#include "document/scene.h"
#include "document/scene_project.h"
#include "document/scene_writer.h"

namespace lumi {
namespace {

using nlohmann::json;

// A value for every scene field that differs from the defaults and from every other
// field's value, so a key that reads or writes another key's member shows up.
json DistinctSceneFields() {
  json fields = json::object();
  int n = 0;
  for (const ObjectAttribute& a : ObjectAttributes()) {
    if (!a.Carries(kSceneField) || a.Carries(kScenePlace)) continue;
    ++n;
    switch (a.type) {
      case AttributeType::kInt: fields[a.key] = static_cast<int>(a.min) + 1 + n % static_cast<int>(std::min(a.max - a.min, 100.0)); break;
      case AttributeType::kFlag: fields[a.key] = 1; break;
      case AttributeType::kDouble: fields[a.key] = 1.25 + n; break;
      case AttributeType::kColour: {
        char text[16];
        std::snprintf(text, sizeof text, "#%02X%02X%02X", static_cast<unsigned char>(10 + n),
                      static_cast<unsigned char>(20 + n), static_cast<unsigned char>(30 + n));
        fields[a.key] = text;
        break;
      }
      case AttributeType::kText: fields[a.key] = "text " + std::to_string(n); break;
      case AttributeType::kFont: fields[a.key] = {{"face", "Liberation Sans"}, {"height", 17 + n}, {"weight", 700}}; break;
    }
  }
  return fields;
}

class ObjectAttributesTest : public testing::DocumentTest {};

TEST_F(ObjectAttributesTest, EverySceneFieldComesBackFromTheWriterAsItWasRead) {
  json object = DistinctSceneFields();
  object["shape"] = "rectangle";
  object["rect"] = {10, 10, 70, 50};
  // A new texture name resets the texture's scale, angles and offsets, so the reader
  // sets it first whatever its place in the object.
  object["textureName"] = "No Texture.bmp";
  RecordingHost host;
  Scene scene = BuildScene(json{{"objects", {object}}}, host, nullptr);
  MoveSceneIntoDocument(std::move(scene), doc_);
  const nlohmann::ordered_json written = SceneOfDocument(doc_)["objects"][0];
  for (const auto& [key, value] : object.items()) {
    if (key == "shape" || key == "rect") continue;
    SCOPED_TRACE(key);
    ASSERT_TRUE(written.contains(key));
    if (key == "font") {
      for (const auto& [field, v] : value.items()) EXPECT_EQ(written[key][field], v) << field;
    } else if (value.is_number_float()) {
      EXPECT_DOUBLE_EQ(written[key].get<double>(), value.get<double>());
    } else {
      EXPECT_EQ(json::parse(written[key].dump()), value);
    }
  }
}

TEST_F(ObjectAttributesTest, TheLastResizeTheRecordKeepsComesBackFromTheScene) {
  RecordingHost host;
  Scene scene = BuildScene(json{{"objects", {{{"shape", "rectangle"}, {"rect", {10, 10, 70, 50}}}}}}, host, nullptr);
  MoveSceneIntoDocument(std::move(scene), doc_);
  CDrawObject& object = *doc_.Objects().front();
  object.SetPendingRect(30, 40, 120, 60);
  ASSERT_EQ(object.ApplyPendingRect(), 1);
  const nlohmann::ordered_json written = SceneOfDocument(doc_);
  EXPECT_EQ(json::parse(written["objects"][0]["pendingRect"].dump()), json({30, 40, 120, 60}));

  Scene again = BuildScene(json::parse(written.dump()), host, nullptr);
  ASSERT_EQ(again.objects.size(), 1u);
  EXPECT_EQ(again.objects.front()->GetPendingRect(), (Rect{30, 40, 150, 100}));
  EXPECT_FALSE(again.objects.front()->HasPendingRect()) << "no resize is in progress";
  EXPECT_EQ(again.objects.front()->GetRect(), (Rect{30, 40, 150, 100}));
}

TEST_F(ObjectAttributesTest, KeysAreUniqueAndFound) {
  std::set<std::string> keys;
  for (const ObjectAttribute& a : ObjectAttributes()) {
    EXPECT_TRUE(keys.insert(a.key).second) << a.key;
    EXPECT_EQ(FindObjectAttribute(a.key), &a);
  }
  EXPECT_EQ(FindObjectAttribute("noSuchKey"), nullptr);
}

// What "Paste Atributes" takes and what it leaves, against a target with other values.
TEST_F(ObjectAttributesTest, TransferCarriesTheLookButNotPlaceTextOrLight) {
  CDrawObject& source = AddRectangle(0, 0, 40, 30);
  CDrawObject& target = AddRectangle(100, 100, 160, 140);
  source.SetFillColor(RGB(1, 2, 3));
  source.SetBevelKind(1);
  source.SetEffectKind(3);
  source.SetExcludeFromButtons(1);
  source.SetLightX(0.5);
  source.SetHidden(1);
  source.SetKindName("Source");
  const Rect place = target.GetRect();
  target.TransferAttributes(source);
  EXPECT_EQ(target.GetFillColor(), RGB(1, 2, 3));
  EXPECT_EQ(target.GetBevelKind(), 1);
  EXPECT_EQ(target.GetEffectKind(), 3);
  EXPECT_EQ(target.GetExcludeFromButtons(), 1);
  EXPECT_NE(target.GetLightX(), 0.5);
  EXPECT_EQ(target.GetHidden(), 0);
  EXPECT_NE(target.GetKindName(), "Source");
  EXPECT_EQ(target.GetRect(), place);
  // The look copy takes the light, the place and the text but not the button exclusion.
  CDrawObject look(host_);
  look.CopyAttributes(source);
  EXPECT_EQ(look.GetLightX(), 0.5);
  EXPECT_EQ(look.GetHidden(), 1);
  EXPECT_EQ(look.GetKindName(), "Source");
  EXPECT_EQ(look.GetExcludeFromButtons(), 0);
}

}  // namespace
}  // namespace lumi
