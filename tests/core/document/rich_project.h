#pragma once
// A project holding every object kind the program makes so far, with bevels, shadows,
// fills, textures, transparency, button looks, hidden and grouped objects, a portable
// texture, groups and an active crop region.
#include <functional>
#include <vector>

#include "document/plenivor_doc.h"
#include "library/texture_bank.h"
#include "objects/text_dialog.h"

namespace lumi::testing {

inline void FillRichProject(CPlenivorDoc& doc, CTextureBank& bank) {
  using Make = std::function<void(CDrawObject&)>;
  const std::vector<Make> kinds = {
      [](CDrawObject& o) { o.CreateRectangle(10, 20, 70, 60); },
      [](CDrawObject& o) { o.CreateCircle(80, 10, 130, 50); },
      [](CDrawObject& o) { o.CreateRoundRect(5, 80, 65, 120, 300); },
      [](CDrawObject& o) { o.CreateStar(140, 20, 200, 80, 6, 2); },
      [](CDrawObject& o) { o.CreatePath({{0, 0}, {0, 30}, {30, 0}, {50, 40}}, false); },
      [](CDrawObject& o) {
        o.CreateFreePath({{0, 0}, {30, 0}, {50, 30}, {30, 50}, {0, 30}, {15, 15}}, true);
      },
      [](CDrawObject& o) { o.CreateArrow({10, 10}, {60, 40}, {60, 60}); },
      [](CDrawObject& o) {
        o.CreateStar(0, 0, 60, 60, 5, 3);
        o.ConvertToPolynome();
      },
      [](CDrawObject& o) {
        o.CreateStar(0, 0, 60, 60, 5, 3);
        o.ConvertToPolynome();
        o.ConvertPolynomeToEnvelope(true);
      },
      [](CDrawObject& o) {
        ScriptedTextDialog dialog;
        dialog.Ok([](TextDialogValues& v) {
          v.text = "Ab\ncd";
          v.size = 18;
          SetFaceName(v.font, "Liberation Sans");
        });
        o.CreateText(5, 5, "", dialog);
      },
  };
  doc.SetCanvasSize(320, 240);
  doc.SetCanvasColor(0x00203040);
  doc.SetPortable(true);
  doc.SetCropRect({4, 5, 300, 200});
  doc.SetCropActive(true);
  bank.Add("weave.jpg", std::vector<std::uint8_t>(4 * 3 * 3, 0x5A), 4, 3);
  int i = 0;
  for (const Make& make : kinds) {
    auto o = doc.MakeObject();
    make(*o);
    o->SetBevelKind(1 + i % 12);
    o->SetBevelWidth(4 + i);
    o->SetEffectKind(1 + i % 7);
    o->SetEffectSoftness(2 + i % 3);
    o->SetFillColor2(0x00101080 + i);
    o->SetGradientAngle(15 * i);
    if (i % 3 == 0) o->SetTextureName("Weave.jpg");
    if (i % 4 == 1) o->SetTransparency(60);
    if (i == 2) o->SetHidden(1);
    if (i == 3) {
      o->SetStates(1, true, true, false);
      o->SetFillColor(0x00ABCDEF);
      o->SetStates(0, true, true, false);
    }
    o->SetEdgeQuality(1 + i % 4);  // renders
    o->MoveTo(8 * i, 6 * i);
    doc.Objects().push_back(std::move(o));
    ++i;
  }
  doc.Groups().push_back(CObjectGroup{{doc.Objects()[0]->GetId(), doc.Objects()[3]->GetId()}, {}});
  doc.Groups().push_back(CObjectGroup{{doc.Objects()[5]->GetId()}, {}});
  // As the grouping command leaves them: members marked, the rectangle around them.
  for (auto& group : doc.Groups()) {
    for (const auto& id : group.m_members) {
      CDrawObject* member = doc.FindObject(id);
      member->SetGrouped(1);
      group.m_rect = Union(group.m_rect, member->GetRect());
    }
  }
}

}  // namespace lumi::testing
