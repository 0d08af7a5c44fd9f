// The render context travels: every way an object comes to be - a record read, the looks
// of a button, an undo, a project opened, a library entry inserted, a style applied -
// renders with the context of the document or object it comes from. A copy that lost it
// would render with the empty context and miss the texture.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "base/byte_stream.h"
#include "base/folders.h"
#include "collections/library_commands.h"
#include "collections/object_library.h"
#include "collections/new_object_defaults.h"
#include "collections/style_library.h"
#include "document/document_fixture.h"
#include "image/pixwerk.h"
#include "render/render_context.h"

namespace lumi {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> PixelsOf(const CDrawObject& o) {
  const auto* p = static_cast<const std::uint8_t*>(o.Image().Pixels());
  return {p, p + o.Image().PixelBytes()};
}

class ContextTravels : public testing::DocumentTest {
 protected:
  ContextTravels() {
    fs::create_directories(folders_.textures);
    // A texture with rows of changing colour, so any mapping shows.
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) rgb.insert(rgb.end(), {std::uint8_t(30 * x), std::uint8_t(200 - 20 * y), 90});
    EXPECT_TRUE(PxSaveBMP(fs::path(folders_.textures) / "Stone.bmp", rgb.data(), 8, 8));
    doc_.SetRenderContext(&context_);
  }

  // A textured rectangle in the document; with `looks` a button whose highlighted and
  // pushed looks are copies of it.
  CDrawObject& AddTextured(bool looks) {
    CDrawObject& o = AddRectangle(10, 10, 70, 50);
    o.SetEdgeQuality(kHardEdge);
    o.SetFillColor(RGB(40, 80, 120));
    o.SetTextureName("Stone.bmp");
    o.Render();
    if (looks) {
      o.SetStates(1, true, true, false);
      o.ShowState(0);
    }
    return o;
  }

  std::vector<std::uint8_t> RecordOf(CDrawObject& o) {
    MemorySink sink;
    CArchive ar(sink);
    o.SerializeObject(ar, false);
    return sink.TakeBytes();
  }

  FolderSet folders_ = FolderSet::FromRoot(dir_.string());
  RenderContext context_{&bank_, &folders_};
};

TEST_F(ContextTravels, EveryWayAnObjectComesToBeRendersWithTheTexture) {
  const CDrawObject& original = AddTextured(true);
  const std::vector<std::uint8_t> textured = PixelsOf(original);
  {
    // The test means something only if the texture shows.
    CDrawObject plain(host_);
    plain.SetEdgeQuality(kHardEdge);
    plain.SetFillColor(RGB(40, 80, 120));
    plain.CreateRectangle(10, 10, 70, 50);
    plain.SetTextureName("Stone.bmp");
    plain.Render();
    ASSERT_EQ(plain.GetRenderContext(), nullptr);
    ASSERT_NE(PixelsOf(plain), textured) << "the texture must change the picture";
  }
  ASSERT_TRUE(host_.Messages().empty());
  const std::vector<std::uint8_t> record = RecordOf(*doc_.Objects()[0]);

  struct Path {
    const char* name;
    std::function<std::vector<const CDrawObject*>()> make;
  };
  // The looks made while editing hold attributes, not pictures: they render only once
  // written and read back, so here only their context can be seen.
  ASSERT_TRUE(original.HighlightedLook() && original.NormalLook());
  EXPECT_EQ(original.HighlightedLook()->GetRenderContext(), &context_);
  EXPECT_EQ(original.NormalLook()->GetRenderContext(), &context_);

  std::unique_ptr<CDrawObject> read;
  const Path paths[] = {
      {"a record read into a fresh object, with its looks",
       [&] {
         read = doc_.MakeObject();
         MemorySource source(record);
         CArchive ar(source);
         read->SerializeObject(ar, false);
         return std::vector<const CDrawObject*>{read.get(), read->HighlightedLook(), read->PushedLook()};
       }},
      {"an undo",
       [&] {
         doc_.TakeSnapshot();
         doc_.Objects()[0]->SetFillColor(RGB(1, 2, 3));
         doc_.TakeSnapshot();
         doc_.Undo();
         return std::vector<const CDrawObject*>{doc_.Objects()[0].get()};
       }},
      {"a project opened",
       [&] {
         EXPECT_TRUE(doc_.SaveAs(dir_ / "saved.plv", ImageFormat::kProject));
         EXPECT_TRUE(doc_.Open(dir_ / "saved.plv"));
         return std::vector<const CDrawObject*>{doc_.Objects()[0].get(),
                                                doc_.Objects()[0]->HighlightedLook()};
       }},
      {"a library entry inserted",
       [&] {
         EXPECT_TRUE(WriteObjectEntryFile(dir_ / "Object1.obj", dir_ / "Object1.tmb",
                                          {doc_.Objects()[0].get()}));
         const auto inserted = InsertLibraryEntry(doc_, dir_ / "Object1.obj", Point{40, 30});
         EXPECT_TRUE(inserted && inserted->objects.size() == 1u);
         return inserted ? std::vector<const CDrawObject*>{inserted->objects[0]}
                         : std::vector<const CDrawObject*>{};
       }},
  };
  for (const Path& path : paths) {
    SCOPED_TRACE(path.name);
    const std::vector<const CDrawObject*> made = path.make();
    ASSERT_FALSE(made.empty());
    for (const CDrawObject* o : made) {
      ASSERT_NE(o, nullptr);
      EXPECT_EQ(o->GetRenderContext(), &context_);
      EXPECT_EQ(PixelsOf(*o), textured);
    }
  }
  EXPECT_TRUE(host_.Messages().empty());
}

// A style carries the texture name; the object it is applied to renders it with the
// document's context, and so does the style object read for it.
TEST_F(ContextTravels, AStyleAppliedRendersWithTheDocumentsContext) {
  CDrawObject& source = AddTextured(false);
  const std::vector<std::uint8_t> textured = PixelsOf(source);
  ASSERT_TRUE(WriteStyleFile(dir_ / "Style1.sty", dir_ / "Style1.tmb", source));
  const std::unique_ptr<CDrawObject> style = ReadStyle(dir_ / "Style1.sty", host_, nullptr, &context_);
  ASSERT_TRUE(style);
  EXPECT_EQ(style->GetRenderContext(), &context_);

  CDrawObject& target = AddRectangle(10, 10, 70, 50);
  target.SetEdgeQuality(kHardEdge);
  target.SetFillColor(RGB(40, 80, 120));
  NewObjectDefaultSets defaults;
  ASSERT_TRUE(ApplyStyleFile(doc_, &target, dir_ / "Style1.sty", defaults));
  EXPECT_EQ(target.GetTextureName(), "Stone.bmp");
  EXPECT_EQ(PixelsOf(target), textured);
  EXPECT_TRUE(host_.Messages().empty());
}

}  // namespace
}  // namespace lumi
