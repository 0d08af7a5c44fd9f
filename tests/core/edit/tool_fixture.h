#pragma once
// A document on a 400 x 300 canvas driven by the tool machine, with a recording host,
// a recording Quick Tools bar and a view stand-in that remembers what it was asked.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/host.h"
#include "base/settings.h"
#include "document/plenivor_doc.h"
#include "edit/tool_machine.h"
#include "library/texture_bank.h"
#include "objects/draw_object.h"
#include "objects/text_dialog.h"

namespace lumi::testing {

struct RecordingPort : ToolViewPort {
  void InvalidateCanvas(const Rect& r) override { invalidated.push_back(r); }
  void InvalidateAll() override { ++whole; }
  void ZoomToRectangle(const Rect& r) override { zoomed.push_back(r); }
  void DropCache() override { ++dropped; }
  void MarkCacheInvalid() override { ++marked; }
  std::vector<Rect> invalidated;
  std::vector<Rect> zoomed;
  int whole = 0, dropped = 0, marked = 0;
};

class ToolTest : public ::testing::Test {
 protected:
  ToolTest() { doc_.NewDocument(); }

  CDrawObject& Add(std::unique_ptr<CDrawObject> object) {
    doc_.Objects().push_back(std::move(object));
    return *doc_.Objects().back();
  }
  // Shapes whose box is exactly (l, t, r, b) (creation adds a margin round the outline).
  CDrawObject& AddRectangle(int l, int t, int r, int b) {
    auto o = doc_.MakeObject();
    o->CreateRectangle(l, t, r, b);
    return Add(Placed(std::move(o), l, t, r, b));
  }
  CDrawObject& AddCircle(int l, int t, int r, int b) {
    auto o = doc_.MakeObject();
    o->CreateCircle(l, t, r, b);
    return Add(Placed(std::move(o), l, t, r, b));
  }
  static std::unique_ptr<CDrawObject> Placed(std::unique_ptr<CDrawObject> o, int l, int t, int r, int b) {
    o->SetX(l);
    o->SetY(t);
    o->SetSize(r - l, b - t);
    return o;
  }
  // A polynome of one closed figure: a rectangle's outline converted.
  CDrawObject& AddPolynome(int l, int t, int r, int b) {
    CDrawObject& o = AddRectangle(l, t, r, b);
    o.ConvertToPolynome();
    return o;
  }
  // An open path through the given anchors, straight segments.
  CDrawObject& AddOpenPath(const std::vector<Point>& anchors) {
    // The first entry is not used and the last is dropped by the path builder.
    std::vector<Point> points{anchors[0], anchors[0]};
    for (std::size_t i = 1; i < anchors.size(); ++i) {
      points.push_back(anchors[i - 1]);
      points.push_back(anchors[i]);
      points.push_back(anchors[i]);
    }
    points.push_back(anchors.back());
    auto o = doc_.MakeObject();
    o->CreatePath(points, false);
    return Add(std::move(o));
  }

  void Drag(std::vector<Point> points, Keys keys = {}) {
    tools_.Press(points.front(), keys);
    for (std::size_t i = 1; i < points.size(); ++i) tools_.Move(points[i], keys);
    tools_.Release(points.back(), keys);
  }
  void Click(Point p, Keys keys = {}) { Drag({p}, keys); }

  std::vector<std::string> Statuses() const {
    std::vector<std::string> out;
    for (const std::string& line : host_.Log())
      if (line.rfind("status 0: ", 0) == 0) out.push_back(line.substr(10));
    return out;
  }

  RecordingHost host_;
  MemorySettings settings_;
  CTextureBank bank_;
  CPlenivorDoc doc_{host_, settings_, bank_};
  RecordingPort port_;
  RecordingQuickTools quick_;
  ScriptedTextDialog text_dialog_;
  ToolMachine tools_{doc_, port_, quick_, &text_dialog_};
};

}  // namespace lumi::testing
