#pragma once
// The small document several window tests draw, save and print.
#include "base/colour.h"
#include "document/plenivor_doc.h"

namespace lumi::app::testing {

// A 200 x 150 pale blue canvas with one red rectangle from (20, 30) to (120, 90).
inline void FillSampleDocument(CPlenivorDoc& doc) {
  doc.NewDocument();
  doc.SetCanvasSize(200, 150);
  doc.SetCanvasColor(RGB(0xC0, 0xD8, 0xF0));
  auto rectangle = doc.MakeObject();
  rectangle->CreateRectangle(20, 30, 120, 90);
  rectangle->SetFillColor(RGB(0xFF, 0, 0));
  rectangle->Render();
  doc.Objects().push_back(std::move(rectangle));
}

}  // namespace lumi::app::testing
