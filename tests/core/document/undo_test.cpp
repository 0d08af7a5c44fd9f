// Snapshot undo and redo: the level limit, trimming, redo emptied by a change, what undo
// leaves alone, progress for long lists, and fresh stacks for New and Open.
#include <gtest/gtest.h>

#include "base/byte_stream.h"
#include "document_fixture.h"

namespace lumi {
namespace {

using testing::DocumentTest;

class Undo : public DocumentTest {
 protected:
  // One rectangle moved to x = 10 * step for each change, with a snapshot after each.
  void Changes(int count) {
    if (doc_.Objects().empty()) AddRectangle(0, 0, 20, 20);
    for (int step = 1; step <= count; ++step) {
      doc_.Objects()[0]->MoveTo(10 * step, 0);
      doc_.TakeSnapshot();
    }
  }
  int X() const { return doc_.Objects().empty() ? -1 : doc_.Objects()[0]->GetX(); }
};

TEST_F(Undo, LimitFourAfterSixChangesAllowsFourUndos) {
  settings_.SetInt("Settings", "Undo", 4);
  CPlenivorDoc doc(host_, settings_, bank_);
  ASSERT_EQ(doc.GetUndoLimit(), 4);
  doc.NewDocument();
  auto object = doc.MakeObject();
  object->CreateRectangle(0, 0, 20, 20);
  doc.Objects().push_back(std::move(object));
  for (int step = 1; step <= 6; ++step) {
    doc.Objects()[0]->MoveTo(10 * step, 0);
    doc.TakeSnapshot();
  }
  EXPECT_EQ(doc.UndoDepth(), 5u);
  for (int undo = 1; undo <= 4; ++undo) {
    ASSERT_TRUE(doc.CanUndo()) << undo;
    doc.Undo();
    EXPECT_EQ(doc.Objects()[0]->GetX(), 10 * (6 - undo));
  }
  EXPECT_FALSE(doc.CanUndo());
  doc.Undo();  // the fifth does nothing
  EXPECT_EQ(doc.Objects()[0]->GetX(), 20);
  EXPECT_EQ(doc.RedoDepth(), 4u);
}

// Each snapshot holds the objects' stream and nothing more, on both stacks.
TEST_F(Undo, SnapshotsHoldExactlyTheirStreams) {
  doc_.NewDocument();
  for (int i = 0; i < 12; ++i) AddRectangle(i, i, 30 + i, 40);
  doc_.ClearUndoHistory();
  Changes(3);
  doc_.Undo();
  MemorySink sink;
  CArchive ar(sink);
  doc_.WriteObjects(ar);
  const std::size_t stream = sink.Bytes().size();
  ASSERT_EQ(doc_.UndoDepth(), 2u);
  ASSERT_EQ(doc_.RedoDepth(), 1u);
  // Moving one rectangle keeps every stream the same length.
  EXPECT_EQ(doc_.UndoHeldBytes(), 3 * stream);
}

TEST_F(Undo, LimitZeroNeverEnablesUndo) {
  doc_.SetUndoLimit(0);
  doc_.NewDocument();
  Changes(3);
  EXPECT_EQ(doc_.UndoDepth(), 0u);
  EXPECT_FALSE(doc_.CanUndo());
  doc_.Undo();
  EXPECT_EQ(X(), 30);
}

TEST_F(Undo, RedoRestoresAndAChangeAfterUndoEmptiesRedo) {
  doc_.NewDocument();
  Changes(3);
  doc_.Undo();
  doc_.Undo();
  EXPECT_EQ(X(), 10);
  ASSERT_TRUE(doc_.CanRedo());
  doc_.Redo();
  EXPECT_EQ(X(), 20);
  EXPECT_EQ(doc_.RedoDepth(), 1u);

  doc_.Objects()[0]->MoveTo(99, 0);
  doc_.TakeSnapshot();
  EXPECT_FALSE(doc_.CanRedo());
  doc_.Redo();
  EXPECT_EQ(X(), 99);
}

TEST_F(Undo, RedoPushesWithTrimmingAndKeepsTheRestOfRedo) {
  doc_.SetUndoLimit(2);
  doc_.NewDocument();
  Changes(4);  // undo stack: 40, 30, 20
  doc_.Undo();
  doc_.Undo();
  EXPECT_EQ(X(), 20);
  EXPECT_FALSE(doc_.CanUndo());
  doc_.Redo();
  doc_.Redo();
  EXPECT_EQ(X(), 40);
  EXPECT_EQ(doc_.UndoDepth(), 3u);
  EXPECT_FALSE(doc_.CanRedo());
}

TEST_F(Undo, UndoLeavesCanvasCropAndGroupsAlone) {
  doc_.NewDocument();
  Changes(1);
  AddRectangle(50, 50, 70, 70);
  doc_.TakeSnapshot();
  doc_.SetCanvasSize(123, 45);
  doc_.SetCanvasColor(0x00010203);
  doc_.SetCropRect({1, 2, 3, 4});
  doc_.SetCropActive(true);
  doc_.Groups().push_back(CObjectGroup{{"AAAAAAAAAAAA"}, {0, 0, 5, 5}});
  views_.hints.clear();
  const int layers = views_.layers;

  doc_.Undo();
  EXPECT_EQ(doc_.Objects().size(), 1u);
  EXPECT_EQ(doc_.GetCanvasWidth(), 123);
  EXPECT_EQ(doc_.GetCanvasHeight(), 45);
  EXPECT_EQ(doc_.GetCanvasColor(), 0x00010203u);
  EXPECT_EQ(doc_.GetCropRect(), (Rect{1, 2, 3, 4}));
  EXPECT_TRUE(doc_.IsCropActive());
  ASSERT_EQ(doc_.Groups().size(), 1u);
  EXPECT_EQ(views_.hints, std::vector<int>{kHintGeneral});
  EXPECT_EQ(views_.layers, layers + 1);
}

TEST_F(Undo, IdentifiersSurviveUndo) {
  doc_.NewDocument();
  const std::string id = AddRectangle(0, 0, 10, 10).GetId();
  doc_.TakeSnapshot();
  AddRectangle(5, 5, 15, 15);
  doc_.TakeSnapshot();
  doc_.Undo();
  ASSERT_EQ(doc_.Objects().size(), 1u);
  EXPECT_NE(doc_.FindObject(id), nullptr);
}

TEST_F(Undo, ProgressWindowOnlyForMoreThanFourObjects) {
  struct Case {
    int objects;
    bool progress;
  };
  for (const Case c : {Case{4, false}, Case{5, true}}) {
    SCOPED_TRACE(c.objects);
    doc_.NewDocument();
    for (int i = 0; i < c.objects; ++i) AddRectangle(i, i, i + 10, i + 10);
    doc_.TakeSnapshot();
    const int x = doc_.Objects()[0]->GetX();
    doc_.Objects()[0]->MoveTo(80, 80);
    doc_.TakeSnapshot();
    host_.Clear();
    doc_.Undo();
    std::vector<std::string> expected;
    if (c.progress) {
      expected.push_back("progress start: Working... (5)");
      for (int i = 1; i <= 5; ++i) expected.push_back("progress: " + std::to_string(i));
      expected.push_back("progress end");
    }
    EXPECT_EQ(StatusAndProgress(), expected);
    EXPECT_EQ(doc_.Objects()[0]->GetX(), x);
  }
}

TEST_F(Undo, NewAndOpenStartWithFreshStacks) {
  doc_.NewDocument();
  Changes(3);
  ASSERT_TRUE(doc_.SaveAs(dir_ / "a.plv", ImageFormat::kProject));
  doc_.Undo();
  ASSERT_TRUE(doc_.CanRedo());

  ASSERT_TRUE(doc_.Open(dir_ / "a.plv"));
  EXPECT_EQ(doc_.UndoDepth(), 1u);
  EXPECT_FALSE(doc_.CanUndo());
  EXPECT_FALSE(doc_.CanRedo());
  EXPECT_EQ(X(), 30);

  Changes(2);
  doc_.NewDocument();
  EXPECT_EQ(doc_.UndoDepth(), 1u);
  EXPECT_FALSE(doc_.CanUndo());
  doc_.Undo();
  EXPECT_TRUE(doc_.Objects().empty());
}

}  // namespace
}  // namespace lumi
