// The canvas commands (document properties, the trims, general settings) and the colour
// commands with dialogs, driven as edit scripts drive them: by menu text, with answers.
#include "edit/canvas_commands.h"

#include "edit/edit_script.h"
#include "edit/script_dialogs.h"
#include "base/runtime_random.h"
#include "effects/colour_tweak.h"
#include "effects/effect_geometry.h"
#include "effects/filter_factory.h"
#include "image/dib_section.h"
#include "image/pixwerk.h"
#include "tool_fixture.h"

namespace lumi::testing {
namespace {

using nlohmann::json;

class CanvasCommandTest : public ToolTest {
 protected:
  // Runs the commands of a script (answers and command steps).
  void Run(const char* script) {
    EditScriptRunner runner(tools_, quick_, answers_);
    runner.Run(ParseEditScript(json::parse(script)));
  }
  std::vector<Point> Places() const {
    std::vector<Point> out;
    for (const auto& o : doc_.Objects()) out.push_back({o->GetX(), o->GetY()});
    return out;
  }
  // A bitmap object of 6 x 4 pixels with a colour ramp, at (20, 30).
  CDrawObject& AddBitmap() {
    RgbImage rgb{6, 4, {}};
    for (int i = 0; i < 6 * 4; ++i) {
      rgb.pixels.push_back(static_cast<std::uint8_t>(i * 10));
      rgb.pixels.push_back(static_cast<std::uint8_t>(200 - i * 5));
      rgb.pixels.push_back(static_cast<std::uint8_t>(i * 3 + 7));
    }
    auto o = doc_.MakeObject();
    EXPECT_EQ(o->CreateBitmapFromClipboard(rgb, 23, 32), 1);
    return Add(std::move(o));
  }
  ScriptAnswers answers_;
};

TEST(CanvasSizeCheck, RefusesTooBigAndEmptySizesWithTheirMessages) {
  const std::string too_big = "The maximum size allowed is 1800 x 1500";
  const std::string zero = "The size must be bigger than 0 in both directions.";
  struct Case {
    int width, height;
    std::string message;  // empty: accepted
  };
  const Case cases[] = {
      {1801, 1500, too_big}, {1800, 1501, too_big}, {-1, 300, too_big}, {400, -5, too_big},
      {0, 300, zero},        {400, 0, zero},        {1800, 1500, ""},   {1, 1, ""},
  };
  for (const Case& c : cases) {
    RecordingHost host;
    EXPECT_EQ(AcceptCanvasSize(host, c.width, c.height), c.message.empty()) << c.width << " x " << c.height;
    EXPECT_EQ(host.Messages(), c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message})
        << c.width << " x " << c.height;
  }
}

TEST_F(CanvasCommandTest, DocumentPropertiesStaysOpenOnARefusedSizeAndMarksTheDocumentModified) {
  AddRectangle(10, 10, 60, 40);
  doc_.TakeSnapshot();
  doc_.SetModified(false);
  const std::size_t depth = doc_.UndoDepth();
  Run(R"([{"answers": [{"width": 1801, "height": 1500}, {"width": 1800, "height": 1500, "color": "#FFEECC"}]},
          {"command": "Size and Color..."}])");
  EXPECT_EQ(host_.Messages(), std::vector<std::string>{"The maximum size allowed is 1800 x 1500"});
  EXPECT_EQ(doc_.GetCanvasWidth(), 1800);
  EXPECT_EQ(doc_.GetCanvasHeight(), 1500);
  EXPECT_EQ(doc_.GetCanvasColor(), RGB(0xFF, 0xEE, 0xCC));
  EXPECT_EQ(Places(), (std::vector<Point>{{10, 10}}));
  EXPECT_EQ(doc_.UndoDepth(), depth) << "no snapshot";
  EXPECT_TRUE(doc_.ShouldAskToSave()) << "a resized canvas is not lost at close";

  Run(R"([{"answers": ["cancel"]}, {"command": "Size and Color..."}])");
  EXPECT_EQ(doc_.GetCanvasWidth(), 1800) << "Cancel changes nothing";
}

TEST_F(CanvasCommandTest, DocumentCountsAndRemoveUnused) {
  CDrawObject& a = AddRectangle(10, 10, 60, 40);
  AddPolynome(100, 100, 150, 150);
  const DocumentCounts counts = CountDocument(doc_);
  EXPECT_EQ(counts.objects, 2);
  EXPECT_EQ(counts.groups, 0);
  EXPECT_EQ(counts.vectors, a.Outline().Count() + doc_.Objects()[1]->Outline().Count() +
                                doc_.Objects()[1]->Polynome().Count());
  EXPECT_GT(doc_.Objects()[1]->Polynome().Count(), 0);
  EXPECT_EQ(counts.preloaded, 0);
}

TEST_F(CanvasCommandTest, TrimToObjectsMovesThemToTheOriginAndUndoKeepsTheCanvas) {
  // Rectangles as the rectangle tool makes them: the outline is the dragged rectangle.
  for (const Rect& r : {Rect{100, 100, 150, 120}, Rect{210, 300, 270, 330}}) {
    auto o = doc_.MakeObject();
    o->CreateRectangle(r.left, r.top, r.right, r.bottom);
    ASSERT_EQ(o->OutlineBounds(), r);
    Add(std::move(o));
  }
  doc_.TakeSnapshot();
  // The last recorded edit moves the second object to (200, 300)-(260, 330).
  CDrawObject& b = *doc_.Objects()[1];
  b.MoveTo(b.GetX() - 10, b.GetY());
  doc_.TakeSnapshot();
  doc_.SetModified(false);
  tools_.SelectObject(&b);
  const std::size_t depth = doc_.UndoDepth();
  const auto outlines = [this] {
    std::vector<Point> out;
    for (const auto& o : doc_.Objects()) out.push_back({o->OutlineBounds().left, o->OutlineBounds().top});
    return out;
  };

  Run(R"([{"command": "Trim Canvas to size of the objects"}])");
  EXPECT_EQ(doc_.GetCanvasWidth(), 160);
  EXPECT_EQ(doc_.GetCanvasHeight(), 230);
  EXPECT_EQ(outlines(), (std::vector<Point>{{0, 0}, {100, 200}}));
  EXPECT_EQ(tools_.Selected(), nullptr) << "the selection is cleared";
  EXPECT_EQ(doc_.UndoDepth(), depth) << "no snapshot";
  EXPECT_TRUE(doc_.ShouldAskToSave()) << "closing after a trim asks to save";

  doc_.Undo();
  EXPECT_EQ(outlines(), (std::vector<Point>{{100, 100}, {210, 300}}))
      << "undo goes back before the last recorded edit, with the places before the trim";
  EXPECT_EQ(doc_.GetCanvasWidth(), 160) << "the canvas keeps its trimmed size";
  EXPECT_EQ(doc_.GetCanvasHeight(), 230);
}

TEST_F(CanvasCommandTest, TrimWithShadowsTakesTheVisibleExtent) {
  CDrawObject& a = AddRectangle(100, 100, 150, 120);
  a.SetEffectKind(kDropShadow);
  a.Render();
  AddRectangle(200, 300, 260, 330);
  const Rect shadowed = a.GetVisualRect(a.GetRect());
  ASSERT_GT(shadowed.right - shadowed.left, 50) << "the fixture's shadow reaches beyond the outline";
  Run(R"([{"command": "Trim canvas for all objects and their shadows"}])");
  EXPECT_EQ(doc_.GetCanvasWidth(), 260 - shadowed.left);
  EXPECT_EQ(doc_.GetCanvasHeight(), 330 - shadowed.top);
  EXPECT_EQ(Places()[0], (Point{100 - shadowed.left, 100 - shadowed.top}));
}

TEST_F(CanvasCommandTest, TrimsRefuseAnEmptyCanvasAndResultsBelowFivePixels) {
  Run(R"([{"command": "Trim Canvas to size of the objects"}])");
  EXPECT_EQ(host_.Messages(), std::vector<std::string>{"There are no objects on the canvas..."});
  host_.Clear();
  AddRectangle(100, 100, 104, 200);  // 4 pixels wide
  doc_.SetModified(false);
  Run(R"([{"command": "Trim Canvas to size of the objects"}])");
  EXPECT_EQ(host_.Messages(),
            std::vector<std::string>{"Canvas would be smaller than 5 pixels in a direction...Canceling..."});
  EXPECT_EQ(doc_.GetCanvasWidth(), 400);
  EXPECT_EQ(Places(), (std::vector<Point>{{100, 100}}));
  EXPECT_FALSE(doc_.IsModified());
}

TEST_F(CanvasCommandTest, CropToTheCropRegionNeedsFivePixelsAndClearsTheRegion) {
  AddRectangle(100, 100, 150, 120);
  Run(R"([{"command": "Trim canvas to the size of a crop tool"}])");
  ASSERT_EQ(host_.Messages().size(), 1u);
  EXPECT_EQ(host_.Messages()[0].rfind("First you have to draw a Crop Rectangle", 0), 0u);
  struct Case {
    Rect crop;  // as stored, possibly inverted
    bool accepted;
  };
  const Case cases[] = {
      {{90, 80, 94, 200}, false}, {{90, 80, 200, 84}, false},
      {{95, 80, 90, 200}, true},  {{190, 180, 90, 80}, true},
  };
  for (const Case& c : cases) {
    host_.Clear();
    doc_.Objects()[0]->MoveTo(100, 100);
    doc_.SetCanvasSize(400, 300);
    doc_.SetCropRect(c.crop);
    doc_.SetCropActive(true);
    Run(R"([{"command": "Trim canvas to the size of a crop tool"}])");
    const int left = std::min(c.crop.left, c.crop.right), top = std::min(c.crop.top, c.crop.bottom);
    if (c.accepted) {
      EXPECT_TRUE(host_.Messages().empty());
      EXPECT_EQ(doc_.GetCanvasWidth(), std::abs(c.crop.right - c.crop.left));
      EXPECT_EQ(doc_.GetCanvasHeight(), std::abs(c.crop.bottom - c.crop.top));
      EXPECT_EQ(Places(), (std::vector<Point>{{100 - left, 100 - top}}));
      EXPECT_FALSE(doc_.IsCropActive());
      EXPECT_EQ(doc_.GetCropRect(), (Rect{0, 0, 0, 0}));
    } else {
      EXPECT_EQ(host_.Messages(),
                std::vector<std::string>{"Canvas would be smaller than 5 pixels in a direction...Canceling..."});
      EXPECT_EQ(doc_.GetCanvasWidth(), 400);
      EXPECT_TRUE(doc_.IsCropActive());
    }
  }
}

TEST_F(CanvasCommandTest, GeneralSettingsWritesTheSettingsAndCutsUndoLevelsToThirty) {
  struct Case {
    int entered, stored;
  };
  for (const Case c : {Case{50, 30}, Case{30, 30}, Case{12, 12}}) {
    answers_.Add({json{{"STexture", true}, {"Portable", true}, {"DefWidth", 640}, {"DefHeight", 480},
                       {"Backup", 9}, {"Undo", c.entered}}});
    Run(R"([{"command": "General Settings..."}])");
    EXPECT_EQ(settings_.GetInt("Settings", "Undo", -1), c.stored);
    EXPECT_EQ(doc_.GetUndoLimit(), c.stored) << "applied to the document at once";
  }
  EXPECT_EQ(settings_.GetInt("Settings", "STexture", -1), 1);
  EXPECT_EQ(settings_.GetInt("Settings", "DefWidth", -1), 640);
  EXPECT_EQ(settings_.GetInt("Settings", "DefHeight", -1), 480);
  EXPECT_EQ(settings_.GetInt("Settings", "Backup", -1), 9);
  EXPECT_TRUE(doc_.IsPortable());

  const GeneralSettingsValues shown = ReadGeneralSettings(doc_, settings_);
  EXPECT_TRUE(shown.always_portable);
  EXPECT_EQ(shown.default_width, 640);
  EXPECT_EQ(shown.undo_levels, 12);

  // The default size is checked as the canvas size is; the dialog stays open.
  Run(R"([{"answers": [{"DefWidth": 0}, {"DefWidth": 500, "Portable": false}]}, {"command": "General Settings..."}])");
  EXPECT_EQ(host_.Messages(), std::vector<std::string>{"The size must be bigger than 0 in both directions."});
  EXPECT_EQ(settings_.GetInt("Settings", "DefWidth", -1), 500);
  EXPECT_FALSE(doc_.IsPortable());
}

TEST_F(CanvasCommandTest, ShiftColorMovesTheFillOfEverySelectedObject) {
  CDrawObject& a = AddRectangle(10, 10, 60, 40);
  CDrawObject& b = AddRectangle(100, 10, 160, 40);
  CDrawObject& c = AddRectangle(200, 10, 260, 40);
  a.SetFillColor(RGB(230, 10, 10));
  b.SetFillColor(RGB(20, 40, 60));
  c.SetFillColor(RGB(1, 2, 3));
  tools_.SetMultiSelection({&a, &b}, false);
  const std::size_t depth = doc_.UndoDepth();
  Run(R"([{"answers": [{"from": "#640000", "towards": "#960000"}]}, {"command": "Shift Color..."}])");
  EXPECT_EQ(a.GetFillColor(), RGB(255, 10, 10));
  EXPECT_EQ(b.GetFillColor(), RGB(70, 40, 60));
  EXPECT_EQ(c.GetFillColor(), RGB(1, 2, 3)) << "not selected";
  EXPECT_EQ(doc_.UndoDepth(), depth + 1);

  Run(R"([{"answers": [{"from": "#102030", "towards": "#102030"}, "cancel"]},
          {"command": "Shift Color..."}, {"command": "Shift Color..."}])");
  EXPECT_EQ(a.GetFillColor(), RGB(255, 10, 10)) << "equal colours and Cancel change nothing";
  EXPECT_EQ(doc_.UndoDepth(), depth + 1);
}

TEST_F(CanvasCommandTest, BitmapEffectsAppliesTheChosenFilterToTheWholeSource) {
  CDrawObject& bitmap = AddBitmap();
  ASSERT_TRUE(bitmap.IsBitmap());
  CDIBSection expected = bitmap.SourceBitmap();
  CFilterFactory factory;
  ASSERT_TRUE(factory.SetImage(expected));
  factory.SelectFilter(2);  // "Color - Balance"
  factory.SetParam(0, 200);
  factory.SetParam(1, 40);
  factory.ApplyFilter();

  const CDIBSection before = bitmap.SourceBitmap();
  EXPECT_THROW(Run(R"([{"command": "Bitmap Effects..."}])"), EditScriptError) << "needs a selected bitmap";

  tools_.SelectObject(&bitmap);
  const std::size_t depth = doc_.UndoDepth();
  Run(R"([{"answers": ["cancel", {"filter": "Color - Balance", "params": [200, 40]}]},
          {"command": "Bitmap Effects..."}])");
  EXPECT_TRUE(std::equal(before.Pixels(), before.Pixels() + before.PixelBytes(), bitmap.SourceBitmap().Pixels()))
      << "Cancel leaves the pixels";
  Run(R"([{"command": "Bitmap Effects..."}])");
  ASSERT_EQ(bitmap.SourceBitmap().PixelBytes(), expected.PixelBytes());
  EXPECT_TRUE(std::equal(expected.Pixels(), expected.Pixels() + expected.PixelBytes(), bitmap.SourceBitmap().Pixels()))
      << "the third slider keeps its default; the whole source is filtered";
  EXPECT_EQ(doc_.UndoDepth(), depth + 1);

  // "Random" draws the eight sliders from the shared generator.
  SeedRandom(7);
  const std::array<int, 8> drawn = RandomSliderValues();
  SeedRandom(7);
  answers_.Add({json{{"filter", "Color - Shift"}, {"random", true}}});
  ColourTweakChoice choice;
  ScriptCommandDialogs dialogs(answers_, host_);
  ASSERT_TRUE(dialogs.ColourTweak(bitmap.SourceBitmap(), choice));
  EXPECT_EQ(choice.filter, 7);
  EXPECT_EQ(choice.params, drawn);
}

TEST_F(CanvasCommandTest, ScriptAnswersForTheDialogsAreCheckedBeforeAnythingRuns) {
  const std::pair<const char*, const char*> cases[] = {
      {R"([{"answers": [{"filter": "Color - Nothing"}]}])", "step 0: answers: unknown filter \"Color - Nothing\""},
      {R"([{"answers": [{"params": [1, 256]}]}])", "step 0: answers: slider values are whole numbers 0..255"},
      {R"([{"answers": [{"width": 10, "from": "#000000"}]}])",
       "step 0: answers: 'width' belongs to Document Properties, not Shift Color"},
      {R"([{"answers": [{"color": "red"}]}])", "step 0: answers: 'color' is a colour \"#RRGGBB\""},
      {R"([{"answers": [{"Undo": 1.5}]}])", "step 0: answers: 'Undo' is a whole number"},
      {R"([{"command": "Size and Colour..."}])", "step 0: command: unknown command \"Size and Colour...\""},
  };
  for (const auto& [script, message] : cases) {
    try {
      ParseEditScript(json::parse(script));
      ADD_FAILURE() << script;
    } catch (const EditScriptError& e) {
      EXPECT_STREQ(e.what(), message);
    }
  }
  // A dialog meeting another dialog's answer stops the run.
  AddRectangle(10, 10, 60, 40);
  EXPECT_THROW(Run(R"([{"answers": [{"from": "#000000"}]}, {"command": "Size and Color..."}])"), EditScriptError);
}

}  // namespace
}  // namespace lumi::testing
