#include "edit/conversion_commands.h"

#include <algorithm>

#include "base/host.h"
#include "document/plenivor_doc.h"
#include "edit/command_services.h"
#include "edit/object_commands.h"
#include "edit/tool_machine.h"
#include "library/texture_bank.h"
#include "objects/bitmap_messages.h"
#include "objects/draw_object.h"
#include "objects/simple_effects.h"

namespace lumi {

namespace {

// The selection is selected again so the bars show its new state.
void Reselect(ToolMachine& m, CDrawObject& o) { m.SelectObject(&o); }

void Changed(ToolMachine& m) {
  m.Doc().SetModified();
  m.Doc().TakeSnapshot();
}

CDrawObject* SelectedBitmap(ToolMachine& m) {
  CDrawObject* o = m.Selected();
  return o && o->IsBitmap() ? o : nullptr;
}

// The bitmap below and the object above, of the first two members.
struct TwoObjects {
  CDrawObject* bottom = nullptr;
  CDrawObject* top = nullptr;
};
TwoObjects BottomAndTop(ToolMachine& m) {
  const std::vector<CDrawObject*>& members = m.MultiSelection();
  if (members.size() < 2) return {};
  const auto& objects = m.Doc().Objects();
  const auto at = [&](const CDrawObject* o) {
    return std::find_if(objects.begin(), objects.end(), [&](const auto& p) { return p.get() == o; });
  };
  if (at(members[0]) < at(members[1])) return {members[0], members[1]};
  return {members[1], members[0]};
}

class BusyCursor {
 public:
  explicit BusyCursor(Host& host) : host_(host) { host_.BeginWaitCursor(); }
  ~BusyCursor() { host_.EndWaitCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  Host& host_;
};

}  // namespace

void SetSelectionEdgeQuality(ToolMachine& m, int quality) {
  CDrawObject* o = m.Selected();
  if (!o) return;
  o->SetEdgeQuality(quality);
  m.InvalidateObject(*o);
  Reselect(m, *o);
  Changed(m);
}

void ConvertTextToPolynome(ToolMachine& m) {
  CDrawObject* o = m.Selected();
  if (!o || !o->IsText()) return;
  const Rect before = o->GetInvalidRect(o->GetSelectionRect());
  o->ConvertTextToPolynome();
  m.InvalidateObject(*o, before);
  Reselect(m, *o);
  Changed(m);
}

void ConvertObjectToPolynome(ToolMachine& m) {
  CDrawObject* o = m.Selected();
  if (!o || !(o->IsShape() || o->IsPolynome())) return;
  const Rect before = o->GetInvalidRect(o->GetSelectionRect());
  if (o->IsText())
    o->ConvertTextToPolynome();
  else
    o->ConvertToPolynome();
  m.InvalidateObject(*o, before);
  Reselect(m, *o);
  Changed(m);
}

void ConvertSelectionToBitmap(ToolMachine& m) {
  CDrawObject* o = m.Selected();
  if (!o) return;
  const Rect before = o->GetInvalidRect(o->GetSelectionRect());
  if (!o->ConvertToBitmap()) return;
  Changed(m);
  m.InvalidateObject(*o, before);
  Reselect(m, *o);
  m.ClearQuickTools();
}

void ConvertToEnvelope(ToolMachine& m) {
  CDrawObject* o = m.Selected();
  if (!o) return;
  const Rect before = o->GetInvalidRect(o->GetSelectionRect());
  int done = 0;
  if (o->IsBitmap())
    done = o->IsEnvelope() ? 0 : o->ConvertToEnvelope();
  else if (o->IsPolynome() && !o->IsText())
    done = o->ConvertPolynomeToEnvelope(true);
  if (!done) return;
  m.InvalidateObject(*o, before);
  Reselect(m, *o);
  Changed(m);
  m.ChooseTool(Tool::Shape);
}

void ResetTextTransformations(ToolMachine& m) {
  CDrawObject* o = m.Selected();
  if (!o || !o->IsText()) return;
  const Rect before = o->GetInvalidRect(o->GetSelectionRect());
  o->ResetTextTransformations();
  Changed(m);
  m.InvalidateObject(*o, before);
}

void EditSelectedText(ToolMachine& m) {
  CDrawObject* o = m.Selected();
  if (!o || !o->IsText()) return;
  m.EditTextOf(*o);
  if (m.Selected() == o) Reselect(m, *o);
}

void WhiteTransparency(ToolMachine& m) {
  if (CDrawObject* o = SelectedBitmap(m); o && o->WhiteTransparency()) {
    m.Doc().SetModified();
    m.InvalidateObject(*o);
    Reselect(m, *o);
  }
}

void TransparencyFromIntensity(ToolMachine& m) {
  if (CDrawObject* o = SelectedBitmap(m); o && o->TransparencyFromIntensity()) {
    Changed(m);
    m.InvalidateObject(*o);
    Reselect(m, *o);
  }
}

void ResetBitmapAll(ToolMachine& m) {
  CDrawObject* o = SelectedBitmap(m);
  if (!o) return;
  const Rect before = o->GetInvalidRect(o->GetSelectionRect());
  if (!o->ResetAll()) return;
  m.InvalidateObject(*o, before);
  Changed(m);
}

void ResetBitmapTransformation(ToolMachine& m) {
  CDrawObject* o = SelectedBitmap(m);
  if (!o) return;
  const Rect before = o->GetInvalidRect(o->GetSelectionRect());
  if (!o->ResetTransformation()) return;
  m.InvalidateObject(*o, before);
  Changed(m);
}

void UpdateFromOriginal(ToolMachine& m) {
  CDrawObject* o = m.Selected();
  if (!o || o->GetSourcePath().empty() || !o->UpdateFromSource()) return;
  m.InvalidateObject(*o);
  Reselect(m, *o);
  Changed(m);
}

void ApplyBitmapSizeChanges(ToolMachine& m) {
  CDrawObject* o = SelectedBitmap(m);
  if (!o || m.GetHost().Ask(kApplyChangesQuestion, AskButtons::YesNo) != Answer::Yes) return;
  o->ApplySizeChanges();
  m.InvalidateObject(*o);
  Reselect(m, *o);
  Changed(m);
}

void FilterBitmap(ToolMachine& m, int filter) {
  CDrawObject* o = SelectedBitmap(m);
  if (!o) return;
  static constexpr SimpleBitmapEffect kEffects[] = {SimpleBitmapEffect::kSharpen, SimpleBitmapEffect::kSharpenMore,
                                                    SimpleBitmapEffect::kBlur};
  if (filter < 0 || filter > 2 || !ApplySimpleBitmapEffect(*o, kEffects[filter])) return;
  m.Doc().SetModified();
  m.InvalidateObject(*o);
  Reselect(m, *o);
}

void CreateProjectTexture(ToolMachine& m) {
  CDrawObject* o = SelectedBitmap(m);
  if (!o) return;
  const std::string name = m.Doc().TextureBank().AddProjectTexture(o->SourcePixels());
  if (name.empty()) return;  // no pixels to make a texture of
  m.GetHost().Message("A new Project Specific texture '" + name +
                          "'\nwas added.\nThis is a temporary texture - it exist only in this project.",
                      MessageKind::Information);
}

void CropBitmapToObject(ToolMachine& m) {
  const TwoObjects two = BottomAndTop(m);
  if (!two.bottom) return;
  BusyCursor busy(m.GetHost());
  if (!two.bottom->CropToObject(*two.top)) return;
  m.SetMultiSelection({}, false);  // before the top object leaves the document
  RemoveObject(m, two.top);
  Changed(m);
  m.SelectObject(two.bottom);
  m.Port().InvalidateAll();
  m.Services().RebuildLayers();
}

void TransparencyFromObject(ToolMachine& m, bool inverted, bool hard) {
  const TwoObjects two = BottomAndTop(m);
  if (!two.bottom) return;
  BusyCursor busy(m.GetHost());
  if (!two.bottom->TransparencyFromObject(*two.top, inverted, hard)) return;
  Changed(m);
  m.SetMultiSelection({}, false);
  m.Port().InvalidateAll();
}

}  // namespace lumi
