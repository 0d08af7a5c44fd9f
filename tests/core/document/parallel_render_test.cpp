// Rendering many objects at once: opening a project, undo, building a scene, pasting
// objects and the button export give the same bytes, the same messages in the same order
// and the same texture bank with 1, 2 and 8 render threads.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "base/folders.h"
#include "base/runtime_random.h"
#include "document/scene.h"
#include "document/scene_writer.h"
#include "document_fixture.h"
#include "export/multi_state_objects.h"
#include "export/pvx_project.h"
#include "objects/object_stream.h"
#include "render/canvas_composition.h"
#include "image/pixwerk.h"
#include "library/texture_lookup.h"
#include "base/parallel_render.h"
#include "render/render_context.h"
#include "rich_project.h"

namespace lumi::testing {
namespace {

std::vector<std::uint8_t> BytesOf(const CDIBSection& image) {
  return {image.Pixels(), image.Pixels() + image.PixelBytes()};
}

// Everything a render run leaves behind that the user or a file can see.
struct RunResult {
  std::vector<std::vector<std::uint8_t>> images, effect_layers;
  std::vector<std::uint8_t> canvas;
  std::vector<std::string> messages;
  std::vector<std::string> bank_names;
  std::vector<std::uint8_t> saved;
  std::vector<std::vector<std::uint8_t>> images_after_undo;
};

class ParallelRender : public DocumentTest {
 protected:
  ParallelRender() {
    std::filesystem::create_directories(dir_ / "Textures");
    WriteTexture("a.bmp", 0x30);
    WriteTexture("b.bmp", 0x90);
    folders_ = FolderSet::FromRoot(dir_);
  }
  ~ParallelRender() override {
    SetRenderThreadCount(0);
  }

  void WriteTexture(const std::string& name, std::uint8_t base) {
    std::vector<std::uint8_t> rgb(7 * 5 * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(base + i * 13);
    ASSERT_TRUE(PxSaveBMP(dir_ / "Textures" / name, rgb.data(), 7, 5));
  }

  // The rich project, a pasted bitmap, every bevel and effect kind on objects of their
  // own, a large object, and fills and transparencies naming present and missing images.
  std::vector<std::uint8_t> MixedProject() {
    FillRichProject(doc_, bank_);
    auto add = [&](int x, int y, int size) -> CDrawObject& {
      auto o = doc_.MakeObject();
      o->CreateRoundRect(x, y, x + size, y + size * 3 / 4, 120);
      doc_.Objects().push_back(std::move(o));
      return *doc_.Objects().back();
    };
    RgbImage picture{9, 6, std::vector<std::uint8_t>(9 * 6 * 3)};
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) picture.pixels[i] = static_cast<std::uint8_t>(i * 7);
    auto bitmap = doc_.MakeObject();
    bitmap->CreateBitmapFromClipboard(picture, 40, 40);
    bitmap->SetBevelKind(1);
    bitmap->SetEffectKind(1);
    bitmap->Render();
    doc_.Objects().push_back(std::move(bitmap));
    for (int kind = 0; kind <= 12; ++kind) {
      CDrawObject& o = add(10 * kind, 100, 40 + kind);
      o.SetBevelKind(kind);
      o.SetEffectKind(kind % 9);
      o.SetEffectSoftness(6);
      o.Render();
    }
    CDrawObject& genes = add(15, 25, 70);
    genes.SetGeneSeed(3);
    genes.Render();
    CDrawObject& large = add(0, 0, 300);
    large.SetBevelKind(1);
    large.SetBevelWidth(10);
    large.SetEffectKind(1);
    large.SetEffectSoftness(6);
    large.Render();
    for (const char* name : {"b.bmp", "gone1.bmp", "a.bmp", "gone2.bmp", "B.BMP", "gone1.bmp"}) {
      CDrawObject& o = add(20, 20, 50);
      o.SetTextureName(name);
      o.Render();
    }
    CDrawObject& cut = add(30, 30, 60);
    cut.SetTransparency(80);
    cut.SetTransparencyName("holes.bmp");
    cut.Render();
    return Store();
  }

  RunResult Run(int threads, const std::vector<std::uint8_t>& project) {
    SetRenderThreadCount(threads);
    SeedRandom(5);  // noise and colour genes draw from the shared generator, in object order
    RecordingHost host;
    MemorySettings settings;
    CTextureBank bank;
    RecordingViews views;
    CPlenivorDoc doc(host, settings, bank);
    doc.SetViews(&views);
    const RenderContext context{&bank, &folders_};
    doc.SetRenderContext(&context);
    const auto path = dir_ / ("threads" + std::to_string(threads) + ".plv");
    WriteBytes(path, project);
    RunResult r;
    EXPECT_TRUE(doc.Open(path));
    for (const auto& o : doc.Objects()) {
      r.images.push_back(BytesOf(o->Image()));
      r.effect_layers.push_back(BytesOf(o->EffectLayer()));
    }
    r.canvas = BytesOf(ComposeCanvas(doc.GetCanvasArea(), doc.Objects(), host));
    r.messages = host.Messages();
    for (std::size_t i = 0; i < bank.Size(); ++i) r.bank_names.push_back(bank.Entry(i).name);
    MemorySink sink;
    CArchive ar(sink);
    doc.Serialize(ar);
    r.saved = sink.TakeBytes();
    doc.TakeSnapshot();
    // Making a gene fill seeds the shared generator from the clock, so the noise bevels
    // drawn after it depend on the second the run started in; seed again for the undo.
    SeedRandom(9);
    doc.Undo();
    for (const auto& o : doc.Objects()) r.images_after_undo.push_back(BytesOf(o->Image()));
    return r;
  }

  // The rich project's objects and buttons whose looks differ in texture (present and
  // missing), bevel (noise among them), effect and size, with plain objects between them.
  std::vector<std::uint8_t> ButtonProject() {
    FillRichProject(doc_, bank_);
    struct Button {
      int size;
      const char* highlighted_texture;
      int pushed_bevel;
    };
    const Button buttons[] = {
        {60, "a.bmp", 2}, {50, "gone3.bmp", 4}, {280, "", 1}, {40, "b.bmp", 7},
    };
    int at = 0;
    for (const Button& b : buttons) {
      auto o = doc_.MakeObject();
      o->CreateRoundRect(at, at / 2, at + b.size, at / 2 + b.size * 2 / 3, 150);
      o->SetBevelKind(1);
      o->SetEffectKind(1);
      o->SetEffectSoftness(4);
      o->Render();
      o->SetStates(1, true, true, false);
      o->SetTextureName(b.highlighted_texture);
      o->Render();
      o->SetStates(2, true, true, false);
      o->SetBevelKind(b.pushed_bevel);
      o->SetEffectKind(3);
      o->Render();
      o->SetStates(0, true, true, false);
      doc_.Objects().push_back(std::move(o));
      auto plain = doc_.MakeObject();
      plain->CreateCircle(at + 10, at, at + 70, at + 50);
      plain->SetBevelKind(1 + at % 5);
      plain->SetTransparency(40);
      if (at == 35) plain->SetTextureName("gone1.bmp");
      plain->Render();
      doc_.Objects().push_back(std::move(plain));
      at += 35;
    }
    return Store();
  }

  FolderSet folders_;
};

TEST_F(ParallelRender, OpeningAndUndoGiveTheSameBytesAndMessagesAtEveryThreadCount) {
  const std::vector<std::uint8_t> project = MixedProject();
  const RunResult one = Run(1, project);

  // The missing images are told once per object that names them, in object order; the
  // bank holds the found ones in the order they were first asked for.
  const std::vector<std::string> expected_messages = {
      MissingTextureMessage(MissingTextureText::kFill, "gone1.bmp"),
      MissingTextureMessage(MissingTextureText::kFill, "gone2.bmp"),
      MissingTextureMessage(MissingTextureText::kFill, "gone1.bmp"),
      MissingTextureMessage(MissingTextureText::kCutTransparency, "holes.bmp"),
  };
  EXPECT_EQ(one.messages, expected_messages);
  EXPECT_EQ(one.bank_names, (std::vector<std::string>{"weave.jpg", "b.bmp", "a.bmp"}));
  ASSERT_EQ(one.images.size(), doc_.Objects().size());

  for (int threads : {2, 8}) {
    SCOPED_TRACE("threads " + std::to_string(threads));
    const RunResult many = Run(threads, project);
    ASSERT_EQ(many.images.size(), one.images.size());
    for (std::size_t i = 0; i < one.images.size(); ++i) {
      EXPECT_EQ(many.images[i], one.images[i]) << "image of object " << i;
      EXPECT_EQ(many.effect_layers[i], one.effect_layers[i]) << "effect layer of object " << i;
      EXPECT_EQ(many.images_after_undo[i], one.images_after_undo[i]) << "object " << i << " after undo";
    }
    EXPECT_EQ(many.canvas, one.canvas);
    EXPECT_EQ(many.messages, one.messages);
    EXPECT_EQ(many.bank_names, one.bank_names);
    EXPECT_EQ(many.saved, one.saved);
  }
}

// A scene builds its objects side by side; a bad object still fails the build with the
// one-thread error, after the messages of the objects before it.
TEST_F(ParallelRender, SceneBuildsAlikeAndFailsAtTheFirstBadObject) {
  using nlohmann::json;
  const json scene = json::parse(R"({
    "canvas": {"width": 200, "height": 150},
    "objects": [
      {"shape": "star", "rect": [0, 0, 90, 80], "points": 5, "inner": 2, "bevelKind": 1, "effectKind": 1},
      {"shape": "circle", "rect": [10, 10, 120, 100], "textureName": "gone.bmp"},
      {"shape": "text", "at": [5, 5], "text": "Ab", "effectKind": 2},
      {"shape": "roundRect", "rect": [30, 20, 180, 140], "bevelKind": 5, "transparency": 90},
      {"shape": "rectangle", "rect": [0, 0, 60, 50], "bevelKind": 4},
      {"shape": "circle", "rect": [0, 0, 70, 70], "bevelKind": 4, "effectKind": 3}
    ]})");
  const RenderContext context{&bank_, &folders_};
  std::vector<std::vector<std::uint8_t>> first;
  std::vector<std::string> first_messages;
  for (int threads : {1, 2, 8}) {
    SCOPED_TRACE("threads " + std::to_string(threads));
    SetRenderThreadCount(threads);
    SeedRandom(5);  // noise draws from the shared generator, in object order
    RecordingHost host;
    const Scene built = BuildScene(scene, host, &settings_, dir_, &context);
    std::vector<std::vector<std::uint8_t>> images;
    for (const auto& o : built.objects) {
      images.push_back(BytesOf(o->Image()));
      images.push_back(BytesOf(o->EffectLayer()));
    }
    if (threads == 1) {
      first = images;
      first_messages = host.Messages();
      EXPECT_EQ(first_messages, (std::vector<std::string>{
                                    MissingTextureMessage(MissingTextureText::kFill, "gone.bmp")}));
    }
    ASSERT_EQ(images.size(), first.size());
    for (std::size_t i = 0; i < images.size(); ++i) EXPECT_EQ(images[i], first[i]) << "object " << i / 2 << (i % 2 ? " effect layer" : " image");
    EXPECT_EQ(host.Messages(), first_messages);

    json bad = scene;
    bad["objects"][2]["bevelKind"] = "round";
    RecordingHost bad_host;
    EXPECT_THROW(BuildScene(bad, bad_host, &settings_, dir_, &context), SceneError);
    EXPECT_EQ(bad_host.Messages(), first_messages) << "the objects before the bad one";
  }
}

// The scene writer writes the objects side by side: the same text at every thread count,
// and the first object it cannot write is the one the error names.
TEST_F(ParallelRender, SceneWritingIsAlikeAndFailsAtTheFirstObjectItCannotWrite) {
  FillRichProject(doc_, bank_);
  ASSERT_GE(doc_.Objects().size(), 6u);
  std::string readable;
  for (int threads : {1, 2, 8}) {
    SetRenderThreadCount(threads);
    const std::string text = SceneOfDocument(doc_, SceneDetail::kReadable).dump();
    if (threads == 1) readable = text;
    EXPECT_EQ(text, readable) << threads << " threads";
  }
  for (std::size_t i = 0; i < doc_.Objects().size(); ++i) doc_.Objects()[i]->SetPendingRect(1, 1, 20, 20);
  doc_.Objects()[0]->DropPendingRect();
  doc_.Objects()[1]->DropPendingRect();
  for (int threads : {1, 2, 8}) {
    SetRenderThreadCount(threads);
    try {
      SceneOfDocument(doc_, SceneDetail::kExact);
      ADD_FAILURE() << "objects in the middle of a resize cannot be written";
    } catch (const SceneError& e) {
      EXPECT_EQ(std::string(e.what()).rfind("object 2: ", 0), 0u) << threads << " threads: " << e.what();
    }
  }
  SetRenderThreadCount(0);
}

// Pasting (and inserting a library entry) reads an object stream and renders every object
// at once; the button export renders each state's looks at once.
TEST_F(ParallelRender, PasteAndButtonExportGiveTheSameBytesAndMessagesAtEveryThreadCount) {
  const std::vector<std::uint8_t> project = ButtonProject();
  const std::size_t kFirstButton = 10;  // after the rich project's objects
  struct Result {
    std::vector<std::vector<std::uint8_t>> pasted;  // image and effect layer of each object
    std::vector<std::string> paste_messages;
    std::vector<std::uint8_t> exported;
    std::vector<std::string> export_messages;
    std::vector<std::vector<std::uint8_t>> after_export;
  };
  std::vector<std::uint8_t> stream;
  std::optional<Result> first;
  for (int threads : {1, 2, 8}) {
    SCOPED_TRACE("threads " + std::to_string(threads));
    SetRenderThreadCount(threads);
    SeedRandom(5);
    RecordingHost host;
    MemorySettings settings;
    CTextureBank bank;
    RecordingViews views;
    CPlenivorDoc doc(host, settings, bank);
    doc.SetViews(&views);
    const RenderContext context{&bank, &folders_};
    doc.SetRenderContext(&context);
    const auto path = dir_ / "buttons.plv";
    WriteBytes(path, project);
    ASSERT_TRUE(doc.Open(path));
    if (stream.empty()) {
      // Copied from the drawing as built, where the missing images are still named.
      MemorySink sink;
      CArchive ar(sink);
      std::vector<const CDrawObject*> all;
      for (const auto& o : doc_.Objects()) all.push_back(o.get());
      WriteObjectStream(ar, all);
      stream = sink.TakeBytes();
    }

    Result r;
    RecordingHost paste_host;
    SeedRandom(6);
    MemorySource source(stream);
    CArchive in(source);
    const auto pasted = ReadObjectStream(in, [&] {
      auto made = std::make_unique<CDrawObject>(paste_host, &settings);
      made->SetRenderContext(&context);
      return made;
    });
    for (const auto& o : pasted) {
      r.pasted.push_back(BytesOf(o->Image()));
      r.pasted.push_back(BytesOf(o->EffectLayer()));
    }
    r.paste_messages = paste_host.Messages();

    // Opening told of the missing images and forgot them; two looks name new ones, each
    // told whenever its look renders for an image of the export.
    auto name_missing = [&](std::size_t index, int state, const char* name) {
      CDrawObject& button = *doc.Objects()[index];
      button.ShowState(state);
      button.SetTextureName(name);
      button.StoreShownState();
      button.ShowState(0);
    };
    name_missing(kFirstButton + 2, 1, "gone5.bmp");
    name_missing(kFirstButton + 6, 2, "gone6.bmp");
    RecordingHost export_host;
    SeedRandom(7);
    ASSERT_TRUE(PrepareMultiStateExport(doc.Objects(), export_host));
    MemorySink exported;
    CArchive out(exported);
    WritePvxProject(out, doc.GetCanvasArea(), doc.Objects(), export_host);
    r.exported = exported.TakeBytes();
    r.export_messages = export_host.Messages();
    for (const auto& o : doc.Objects()) r.after_export.push_back(BytesOf(o->Image()));

    if (!first) {
      auto missing = [](const char* name) { return MissingTextureMessage(MissingTextureText::kFill, name); };
      // The highlighted look names gone3.bmp, and so does the pushed look made from it.
      EXPECT_EQ(r.paste_messages, (std::vector<std::string>{missing("gone3.bmp"), missing("gone3.bmp"),
                                                             missing("gone1.bmp")}));
      // Each button's images show the looks of the buttons above it: the rich project's
      // button and the first two see both, the last two see only the pushed one.
      EXPECT_EQ(r.export_messages,
                (std::vector<std::string>{missing("gone5.bmp"), missing("gone6.bmp"), missing("gone5.bmp"),
                                          missing("gone6.bmp"), missing("gone5.bmp"), missing("gone6.bmp"),
                                          missing("gone6.bmp"), missing("gone6.bmp")}));
      first = r;
      continue;
    }
    ASSERT_EQ(r.pasted.size(), first->pasted.size());
    for (std::size_t i = 0; i < r.pasted.size(); ++i)
      EXPECT_EQ(r.pasted[i], first->pasted[i]) << "pasted object " << i / 2 << (i % 2 ? " effect layer" : " image");
    EXPECT_EQ(r.paste_messages, first->paste_messages);
    EXPECT_EQ(r.exported, first->exported);
    EXPECT_EQ(r.export_messages, first->export_messages);
    EXPECT_EQ(r.after_export, first->after_export);
  }
}

}  // namespace
}  // namespace lumi::testing
