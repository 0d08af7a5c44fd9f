#include "edit/object_command_table.h"

#include <array>

#include "edit/command_services.h"
#include "edit/conversion_commands.h"
#include "edit/object_commands.h"
#include "edit/tool_machine.h"
#include "objects/draw_object.h"

namespace lumi {

namespace {

using M = const ToolMachine&;

bool Always(M) { return true; }
bool Single(M m) { return m.Selected() != nullptr; }
bool Multi(M m) { return !m.MultiSelection().empty(); }
bool AnySelection(M m) { return Single(m) || Multi(m); }
bool Group(M m) { return m.GroupSelected(); }
bool Text(M m) { return m.Selected() && m.Selected()->IsText(); }
bool Bitmap(M m) { return m.Selected() && m.Selected()->IsBitmap(); }
bool PathOrPolynome(M m) { return m.Selected() && (m.Selected()->IsShape() || m.Selected()->IsPolynome()); }
// A plain polynome (live text and envelope polynomes already are envelopes), or a bitmap.
bool EnvelopeCandidate(M m) {
  const CDrawObject* o = m.Selected();
  return o && ((o->IsPolynome() && !o->IsText()) || (o->IsBitmap() && !o->IsEnvelope()));
}
bool RemembersSource(M m) { return m.Selected() && !m.Selected()->GetSourcePath().empty(); }
bool ResizedBitmap(M m) {
  const CDrawObject* o = m.Selected();
  return o && o->IsBitmap() &&
         (o->GetWidth() != o->GetSourceWidth() || o->GetHeight() != o->GetSourceHeight());
}
bool ClipboardFull(M m) {
  const ObjectClipboard& c = m.Services().Clipboard();
  return c.ObjectStream().has_value() || c.Image().has_value();
}
bool ClipboardObjects(M m) { return Single(m) && m.Services().Clipboard().ObjectStream().has_value(); }

const std::array kCommands = {
    // Edit
    MenuCommand{"Cut", AnySelection, CutSelection},
    MenuCommand{"Copy", AnySelection, CopySelection},
    MenuCommand{"Paste", ClipboardFull, PasteFromClipboard},
    MenuCommand{"Paste Atributes", ClipboardObjects, PasteAttributes},
    MenuCommand{"Select All", Always, SelectAllObjects},
    MenuCommand{"Select Next Object", Single, SelectNextObject},
    MenuCommand{"Select Previous Object", Single, SelectPreviousObject},
    // Object: arrangement
    MenuCommand{"Bring to front", AnySelection, [](ToolMachine& m) { MoveInStack(m, StackMove::ToFront); }},
    MenuCommand{"Send to Back", AnySelection, [](ToolMachine& m) { MoveInStack(m, StackMove::ToBack); }},
    MenuCommand{"Bring Forward", Single, [](ToolMachine& m) { MoveInStack(m, StackMove::Forward); }},
    MenuCommand{"Send Backward", Single, [](ToolMachine& m) { MoveInStack(m, StackMove::Backward); }},
    MenuCommand{"Align Left", Multi, [](ToolMachine& m) { AlignSelection(m, AlignEdge::Left); }},
    MenuCommand{"Align Right", Multi, [](ToolMachine& m) { AlignSelection(m, AlignEdge::Right); }},
    MenuCommand{"Align Top", Multi, [](ToolMachine& m) { AlignSelection(m, AlignEdge::Top); }},
    MenuCommand{"Align Bottom", Multi, [](ToolMachine& m) { AlignSelection(m, AlignEdge::Bottom); }},
    MenuCommand{"Align Center", Multi, [](ToolMachine& m) { AlignSelection(m, AlignEdge::Center); }},
    MenuCommand{"Horizontal Flip", Single, [](ToolMachine& m) { FlipSelection(m, false); }},
    MenuCommand{"Vertical Flip", Single, [](ToolMachine& m) { FlipSelection(m, true); }},
    MenuCommand{"Rotate...", Single, RotateSelection},
    MenuCommand{"Hide all objects before selected object", Single, HideObjectsAboveSelection},
    MenuCommand{"Show All Objects", Always, ShowAllObjects},
    MenuCommand{"Group", Multi, GroupSelection},
    MenuCommand{"Ungroup", Group, UngroupSelection},
    MenuCommand{"Combine Objects", Multi, CombineSelection},
    // Object: conversions
    MenuCommand{"Hard Edge", Single, [](ToolMachine& m) { SetSelectionEdgeQuality(m, kHardEdge); }},
    MenuCommand{"Anti-Alias", Single, [](ToolMachine& m) { SetSelectionEdgeQuality(m, kAntiAlias); }},
    MenuCommand{"Super Smooth", Single, [](ToolMachine& m) { SetSelectionEdgeQuality(m, kSuperSmooth); }},
    MenuCommand{"Extreme", Single, [](ToolMachine& m) { SetSelectionEdgeQuality(m, kExtreme); }},
    MenuCommand{"Convert Text to Polynome", Text, ConvertTextToPolynome},
    MenuCommand{"Convert Object to Polynome", PathOrPolynome, ConvertObjectToPolynome},
    MenuCommand{"Convert To Bitmap", Single, ConvertSelectionToBitmap},
    MenuCommand{"Convert Polynome to envelope", EnvelopeCandidate, ConvertToEnvelope},
    MenuCommand{"Reset Transformations", Text, ResetTextTransformations},
    MenuCommand{"Edit Text...", Text, EditSelectedText},
    // Bitmap
    MenuCommand{"White Transparency", Bitmap, WhiteTransparency},
    MenuCommand{"Create Transparency from Intensity", Bitmap, TransparencyFromIntensity},
    MenuCommand{"Reset Transparency and Transformation", Bitmap, ResetBitmapAll},
    MenuCommand{"Reset Transformation", Bitmap, ResetBitmapTransformation},
    MenuCommand{"Update from original", RemembersSource, UpdateFromOriginal},
    MenuCommand{"Apply Changes", ResizedBitmap, ApplyBitmapSizeChanges},
    MenuCommand{"Sharpen", Bitmap, [](ToolMachine& m) { FilterBitmap(m, 0); }},
    MenuCommand{"Sharpen More", Bitmap, [](ToolMachine& m) { FilterBitmap(m, 1); }},
    MenuCommand{"Blur", Bitmap, [](ToolMachine& m) { FilterBitmap(m, 2); }},
    MenuCommand{"Crop Bitmap to the size of another object", Multi, CropBitmapToObject},
    // The same entry text sits in two submenus; the submenu names them apart.
    MenuCommand{"Transparency/From Object", Multi, [](ToolMachine& m) { TransparencyFromObject(m, false, false); }},
    MenuCommand{"Transparency/From Object - Inverted", Multi,
                [](ToolMachine& m) { TransparencyFromObject(m, true, false); }},
    MenuCommand{"Mask/From Object", Multi, [](ToolMachine& m) { TransparencyFromObject(m, false, true); }},
    MenuCommand{"Mask/From Object - Inverted", Multi, [](ToolMachine& m) { TransparencyFromObject(m, true, true); }},
    MenuCommand{"Create a Project Texture from this Bitmap", Bitmap, CreateProjectTexture},
};

const std::array kKeys = {
    MenuCommand{"Left", AnySelection, [](ToolMachine& m) { Nudge(m, -1, 0); }},
    MenuCommand{"Right", AnySelection, [](ToolMachine& m) { Nudge(m, 1, 0); }},
    MenuCommand{"Up", AnySelection, [](ToolMachine& m) { Nudge(m, 0, -1); }},
    MenuCommand{"Down", AnySelection, [](ToolMachine& m) { Nudge(m, 0, 1); }},
};

}  // namespace

std::span<const MenuCommand> ObjectMenuCommands() { return kCommands; }
std::span<const MenuCommand> ObjectKeys() { return kKeys; }

bool IsObjectCommandChecked(const ToolMachine& m, std::string_view text) {
  static constexpr std::array<std::string_view, 4> kEdges = {"Hard Edge", "Anti-Alias", "Super Smooth", "Extreme"};
  if (!m.Selected()) return false;
  for (std::size_t i = 0; i < kEdges.size(); ++i)
    if (kEdges[i] == text) return m.Selected()->GetEdgeQuality() == static_cast<int>(i) + 1;
  return false;
}

}  // namespace lumi
