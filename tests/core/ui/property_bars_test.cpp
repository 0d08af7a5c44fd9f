// The property bars without a window: what each control writes into the selected object,
// what the bars show and enable, the effect presets, the texture lists, the multimedia
// frames and the defaults new objects take.
#include <gtest/gtest.h>

#include "collections/new_object_defaults.h"
#include "effects/effect_geometry.h"
#include "../edit/tool_fixture.h"
#include "edit/edit_script.h"
#include "ui/property_bar_set.h"

namespace lumi::testing {
namespace {

class PropertyBars : public ToolTest {
 protected:
  PropertyBars() {
    bars_.colour.textures.items.push_back("marble.jpg");
    bars_.SetView(&tools_);
  }
  // A circle selected by the view, with every bar bound to it.
  CDrawObject& SelectedCircle() {
    CDrawObject& circle = AddCircle(100, 80, 200, 180);
    circle.Render();
    doc_.TakeSnapshot();
    Select(&circle);
    return circle;
  }
  void Select(CDrawObject* object) {
    tools_.SelectObject(object);
    bars_.SetObject(object);
  }
  void Set(std::string_view bar, std::string_view control, const nlohmann::json& value) {
    bars_.SetControl(bar, control, value);
  }

  NewObjectDefaultSets defaults_;
  PropertyBarSet bars_{&defaults_};
};

TEST_F(PropertyBars, EffectPresetsFillTheControlsBeforeTheyAreWritten) {
  CDrawObject& o = SelectedCircle();
  struct Case {
    const char* effect;
    int softness, distance;
    COLORREF colour;
  };
  // In this order: "Drop Shadow" after "Glow" takes its own preset, not Glow's values.
  const Case cases[] = {{"Glow", 3, 0, RGB(255, 0, 255)},
                        {"Drop Shadow", 2, 3, RGB(0, 0, 0)},
                        {"Halo", 5, 0, RGB(255, 0, 0)},
                        {"Inset", 2, 0, RGB(255, 255, 255)},
                        {"Cutout", 2, 3, RGB(0, 0, 0)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.effect);
    const std::size_t depth = doc_.UndoDepth();
    port_.invalidated.clear();
    Set("Effect", "effect", c.effect);
    EXPECT_EQ(o.GetEffectSoftness(), c.softness);
    EXPECT_EQ(o.GetEffectDistance(), c.distance);
    EXPECT_EQ(o.GetEffectColor(), c.colour);
    EXPECT_EQ(doc_.UndoDepth(), std::min<std::size_t>(depth + 1, doc_.GetUndoLimit() + 1));
    EXPECT_TRUE(doc_.CanUndo());
    // The effect bar repaints the object's area with its effect, grown by 5.
    ASSERT_EQ(port_.invalidated.size(), 1u);
    const Rect with_effect = o.GetInvalidRect(o.GetSelectionRect());
    const Rect r = port_.invalidated.front();
    EXPECT_LE(r.left, with_effect.left - 5);
    EXPECT_LE(r.top, with_effect.top - 5);
    EXPECT_GE(r.right, with_effect.right + 5);
    EXPECT_GE(r.bottom, with_effect.bottom + 5);
    // Rendered with the new effect: a layer for those that draw one, none for "Cutout".
    EXPECT_EQ(!o.EffectLayer().IsEmpty(), DrawsEffectLayer(o.GetEffectKind()))
        << "the object was rendered with its effect";
  }
}

TEST_F(PropertyBars, SoftnessAndDistanceSlidersRunAtTenStepsPerUnit) {
  CDrawObject& o = SelectedCircle();
  Set("Effect", "effect", "Drop Shadow");
  Set("Effect", "softness", 59);
  Set("Effect", "distance", 47);
  EXPECT_EQ(o.GetEffectSoftness(), 5);
  EXPECT_EQ(o.GetEffectDistance(), 4);
  bars_.SetObject(&o);
  EXPECT_EQ(bars_.effect.softness, 50);
  EXPECT_EQ(bars_.effect.distance, 40);
  EXPECT_THROW(Set("Effect", "softness", 61), EditScriptError) << "beyond the slider's range";
}

TEST_F(PropertyBars, TheTextureSelectionDecidesWhichColourControlsShow) {
  SelectedCircle();
  struct Case {
    const char* texture;
    bool options, angle, strength;
  };
  const Case cases[] = {{"marble.jpg", true, false, true},
                        {"Linear Gradient.tmb", false, true, true},
                        {"Radial Gradient.tmb", false, false, true},
                        {"No Texture.bmp", false, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.texture);
    Set("Color & Texture", "texture", c.texture);
    EXPECT_EQ(bars_.colour.TextureOptionsShown(), c.options);
    EXPECT_EQ(bars_.colour.AngleShown(), c.angle);
    EXPECT_EQ(bars_.colour.StrengthEnabled(), c.strength);
    EXPECT_EQ(doc_.Objects().back()->GetTextureName(), c.texture);
  }
  // "F-B" follows "Screen", and the relief slider "3D".
  Set("Color & Texture", "texture", "marble.jpg");
  EXPECT_FALSE(bars_.colour.TwoColourEnabled());
  EXPECT_THROW(Set("Color & Texture", "F-B", true), EditScriptError);
  Set("Color & Texture", "Screen", true);
  EXPECT_TRUE(bars_.colour.TwoColourEnabled());
  Set("Color & Texture", "F-B", true);
  EXPECT_EQ(doc_.Objects().back()->GetTextureTwoColor(), 1);
  EXPECT_FALSE(bars_.colour.ReliefDepthEnabled());
  Set("Color & Texture", "3D", true);
  Set("Color & Texture", "depth", 150);
  EXPECT_EQ(doc_.Objects().back()->GetTextureReliefDepth(), 150);
}

TEST_F(PropertyBars, TheSecondColourIsWrittenOnlyWhereItIsUsed) {
  CDrawObject& o = SelectedCircle();
  const COLORREF second = o.GetFillColor2();
  Set("Color & Texture", "colour2", "#102030");
  EXPECT_EQ(o.GetFillColor2(), second) << "no texture: the second colour is not the object's";
  Set("Color & Texture", "texture", "Radial Gradient.tmb");
  EXPECT_EQ(o.GetFillColor2(), RGB(0x10, 0x20, 0x30));
  Set("Color & Texture", "colour", "#FF8000");
  EXPECT_EQ(o.GetFillColor(), RGB(255, 128, 0));
}

TEST_F(PropertyBars, AnObjectsTextureNameIsFoundOrAppendedToTheList) {
  CDrawObject& o = SelectedCircle();
  struct Case {
    const char* name;
    const char* shown;
  };
  const std::size_t reserved_and_marble = bars_.colour.textures.items.size();
  const Case cases[] = {{"", "No Texture.bmp"},
                        {"MARBLE", "marble.jpg"},  // a prefix, in any case
                        {"Linear Gradient.tmb", "Linear Gradient.tmb"},
                        {"brought-along.png", "brought-along.png"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    o.SetTextureName(c.name);
    bars_.SetObject(&o);
    EXPECT_EQ(bars_.colour.textures.Selected(), c.shown);
  }
  ASSERT_EQ(bars_.colour.textures.items.size(), reserved_and_marble + 1);
  EXPECT_EQ(bars_.colour.textures.items.back(), "brought-along.png");
  bars_.SetObject(&o);
  EXPECT_EQ(bars_.colour.textures.items.size(), reserved_and_marble + 1) << "appended once";
}

TEST_F(PropertyBars, TransparentCutNeedsAnAmount) {
  CDrawObject& o = SelectedCircle();
  Set("Transparency", "amount", 0);
  EXPECT_FALSE(bars_.transparency.CutEnabled());
  EXPECT_THROW(Set("Transparency", "Transparent", true), EditScriptError);
  Set("Transparency", "amount", 120);
  Set("Transparency", "Transparent", false);
  EXPECT_EQ(o.GetTransparency(), 120);
  EXPECT_EQ(o.GetTransparencyCut(), 0);
  EXPECT_FALSE(bars_.transparency.AngleShown());
  Set("Transparency", "texture", "Linear.tmb");
  Set("Transparency", "angle", 90);
  EXPECT_EQ(o.GetTransparencyName(), "Linear.tmb");
  EXPECT_EQ(o.GetTransparencyAngle(), 90);
}

TEST_F(PropertyBars, SoloGivesBothFramesButKeepsTheirButtonsDisabled) {
  CDrawObject& o = SelectedCircle();
  MultimediaPanel& mm = bars_.multimedia;
  EXPECT_TRUE(mm.SoloEnabled());
  EXPECT_FALSE(mm.KeepEnabled()) << "no extra frames, no solo";
  Set("Multimedia Extesion", "Solo mode (Export Normal Frame Only)", true);
  EXPECT_EQ(o.GetHasHighlighted(), 1);
  EXPECT_EQ(o.GetHasPushed(), 1);
  EXPECT_EQ(o.GetStatesSuppressed(), 1);
  EXPECT_EQ(o.GetCurrentState(), 0);
  EXPECT_FALSE(mm.FrameButtonEnabled(MultimediaPanel::kHighlighted));
  EXPECT_FALSE(mm.FrameButtonEnabled(MultimediaPanel::kPushed));
  EXPECT_FALSE(mm.HasChecksEnabled());
  EXPECT_TRUE(mm.KeepEnabled());
  Set("Multimedia Extesion", "Keep With Previous (Do Not Export)", true);
  EXPECT_EQ(o.GetExcludeFromButtons(), 1);

  Set("Multimedia Extesion", "Solo mode (Export Normal Frame Only)", false);
  EXPECT_EQ(o.GetHasHighlighted(), 0);
  EXPECT_EQ(o.GetHasPushed(), 0);
  Set("Multimedia Extesion", "Has Pushed Frame", true);
  EXPECT_EQ(o.GetCurrentState(), MultimediaPanel::kPushed) << "checking a frame edits it";
  EXPECT_TRUE(mm.FrameButtonEnabled(MultimediaPanel::kPushed));
  EXPECT_FALSE(mm.FrameButtonEnabled(MultimediaPanel::kHighlighted));

  Select(nullptr);
  EXPECT_FALSE(mm.SoloEnabled());
  EXPECT_FALSE(mm.FrameButtonEnabled(MultimediaPanel::kNormal));
  EXPECT_THROW(Set("Multimedia Extesion", "Normal", true), EditScriptError);
}

TEST_F(PropertyBars, ABarWritesNothingOnceTheViewsObjectIsGone) {
  SelectedCircle();
  Set("Effect", "effect", "Drop Shadow");
  // The object leaves the document and the view forgets it, but the bars were not told.
  tools_.ForgetSelection();
  doc_.Objects().clear();
  port_.invalidated.clear();
  const std::size_t depth = doc_.UndoDepth();
  Set("Effect", "softness", 40);
  Set("Bevel", "bevel", "Smooth Bevel");
  EXPECT_EQ(doc_.UndoDepth(), depth);
  EXPECT_EQ(bars_.bevel.Object(), nullptr);
  EXPECT_EQ(bars_.effect.Object(), nullptr);
  EXPECT_TRUE(port_.invalidated.empty());
}

TEST_F(PropertyBars, BevelAndColourReachTheNextNewObjectOfTheirKind) {
  CDrawObject& shape = SelectedCircle();
  Set("Bevel", "bevel", "Smooth Bevel");
  Set("Bevel", "width", 14);
  Set("Color & Texture", "colour", "#00FF00");
  EXPECT_EQ(shape.GetBevelKind(), 1);
  EXPECT_EQ(shape.GetBevelWidth(), 14);

  auto next = doc_.MakeObject();
  next->CreateRectangle(10, 10, 60, 60);
  ApplyNewObjectDefaults(*next, defaults_.shapes, tools_.DefaultLineWidth());
  EXPECT_EQ(next->GetBevelKind(), 1);
  EXPECT_EQ(next->GetBevelWidth(), 14);
  EXPECT_EQ(next->GetFillColor(), RGB(0, 255, 0));
  const NewObjectDefaults untouched_text;
  EXPECT_EQ(defaults_.text.fill_color, NewObjectDefaultSets{}.text.fill_color) << "the text set is apart";
  EXPECT_EQ(defaults_.text.bevel_kind, untouched_text.bevel_kind);

  // With live text selected the text set changes, and only it.
  CDrawObject& text = AddPolynome(20, 20, 120, 60);
  text.SetEditableText(1);
  Select(&text);
  Set("Bevel", "bevel", "3D Ball");
  EXPECT_EQ(defaults_.text.bevel_kind, 12);
  EXPECT_EQ(defaults_.shapes.bevel_kind, 1);
  auto next_text = doc_.MakeObject();
  next_text->CreateRectangle(10, 10, 60, 60);
  ApplyNewObjectDefaults(*next_text, DefaultSetFor(defaults_, &text), 6);
  EXPECT_EQ(next_text->GetBevelKind(), 0) << "a 3D ball is not handed on";

  // With nothing selected the shapes set takes the values.
  Select(nullptr);
  Set("Color & Texture", "colour", "#0000FF");
  EXPECT_EQ(defaults_.shapes.fill_color, RGB(0, 0, 255));
}

TEST_F(PropertyBars, PreviewsWhileDraggingLeaveOneUndoStepAndTheSameResult) {
  CDrawObject& o = SelectedCircle();
  Set("Bevel", "bevel", "Smooth Bevel");
  const std::size_t depth = doc_.UndoDepth();
  const int limit = doc_.GetUndoLimit();
  for (int width : {3, 9, 17, 25}) {
    bars_.bevel.width = width;
    bars_.bevel.Preview();
    EXPECT_EQ(o.GetBevelWidth(), width) << "the object shows the slider at once";
  }
  EXPECT_EQ(doc_.UndoDepth(), depth) << "previews record nothing";
  bars_.bevel.Apply();
  EXPECT_EQ(doc_.UndoDepth(), std::min<std::size_t>(depth + 1, limit + 1));
  EXPECT_FALSE(bars_.bevel.Previewing());

  // The same change without previews renders the same pixels.
  CDrawObject& twin = AddCircle(100, 80, 200, 180);
  twin.SetBevelKind(1);
  twin.SetBevelWidth(25);
  twin.Render();
  ASSERT_EQ(o.Image().Width(), twin.Image().Width());
  EXPECT_TRUE(std::equal(o.Image().Pixels(), o.Image().Pixels() + o.Image().PixelBytes(), twin.Image().Pixels()));

  // A drag that ends where it started gives the object back its look.
  bars_.bevel.width = 4;
  bars_.bevel.Preview();
  bars_.bevel.width = 25;
  bars_.bevel.CancelPreview();
  EXPECT_EQ(o.GetBevelWidth(), 25);
  EXPECT_TRUE(std::equal(o.Image().Pixels(), o.Image().Pixels() + o.Image().PixelBytes(), twin.Image().Pixels()));
}

TEST_F(PropertyBars, ScriptsNameBarsAndControlsAsTheUserSeesThem) {
  struct Case {
    nlohmann::json step;
    const char* error;  // empty: accepted
  };
  using nlohmann::json;
  const Case cases[] = {
      {json{{"bar", "Bevel"}, {"control", "bevel"}, {"value", "Smooth Bevel"}}, ""},
      {json{{"bar", "Multimedia Extesion"}, {"control", "Pushed"}, {"value", true}}, ""},
      {json{{"bar", "Bevels"}, {"control", "bevel"}, {"value", "x"}}, "unknown bar"},
      {json{{"bar", "Bevel"}, {"control", "Bevel"}, {"value", "x"}}, "has no control"},
      {json{{"bar", "Bevel"}, {"control", "width"}, {"value", "10"}}, "whole position"},
      {json{{"bar", "Effect"}, {"control", "colour"}, {"value", "red"}}, "#RRGGBB"},
      {json{{"bar", "Quick Tools"}, {"control", "Remove Point"}, {"value", false}}, "one press"},
      {json{{"bar", "Effect"}, {"control", "effect"}}, "\"control\" and \"value\""},
      {json{{"press", {1, 1}}, {"control", "effect"}}, "only bar steps"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.step.dump());
    const json script = json::array({c.step});
    if (*c.error == '\0') {
      EXPECT_NO_THROW(ParseEditScript(script));
      continue;
    }
    try {
      ParseEditScript(script);
      ADD_FAILURE() << "accepted";
    } catch (const EditScriptError& e) {
      EXPECT_NE(std::string(e.what()).find(c.error), std::string::npos) << e.what();
    }
  }
}

TEST_F(PropertyBars, AScriptRunSetsBarsOnWhatItSelected) {
  CDrawObject& circle = AddCircle(100, 80, 200, 180);
  circle.Render();
  ScriptAnswers answers;
  EditScriptRunner runner(tools_, quick_, answers);
  runner.SetBars(&bars_);
  const auto script = ParseEditScript(nlohmann::json::parse(R"([
    {"press": [150, 130]}, {"release": [150, 130]},
    {"bar": "Bevel", "control": "bevel", "value": "Flat Bevel"},
    {"bar": "Effect", "control": "effect", "value": "Drop Shadow"},
    {"bar": "Effect", "control": "softness", "value": 59}])"));
  // The bars follow the view's selection as the window's view tells them.
  tools_.SelectObject(&circle);
  bars_.SetObject(&circle);
  runner.Run(script);
  EXPECT_EQ(circle.GetBevelKind(), 2);
  EXPECT_EQ(circle.GetEffectKind(), 1);
  EXPECT_EQ(circle.GetEffectSoftness(), 5);
  EditScriptRunner without_bars(tools_, quick_, answers);
  EXPECT_THROW(without_bars.Run(script), EditScriptError);
}

}  // namespace
}  // namespace lumi::testing
