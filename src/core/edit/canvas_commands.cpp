#include "edit/canvas_commands.h"

#include <algorithm>
#include <array>
#include <vector>

#include "base/host.h"
#include "base/settings.h"
#include "document/plenivor_doc.h"
#include "document/update_hints.h"
#include "edit/tool_machine.h"
#include "effects/filter_factory.h"
#include "image/dib_section.h"
#include "library/texture_bank.h"
#include "objects/draw_object.h"
#include "objects/simple_effects.h"

namespace lumi {

namespace {

constexpr std::string_view kTooBig = "The maximum size allowed is 1800 x 1500";
constexpr std::string_view kZeroSize = "The size must be bigger than 0 in both directions.";
constexpr std::string_view kNoObjects = "There are no objects on the canvas...";
constexpr std::string_view kTooSmall = "Canvas would be smaller than 5 pixels in a direction...Canceling...";
constexpr std::string_view kNoCropRegion =
    "First you have to draw a Crop Rectangle with the Export Crop tool and then you can Crop Canvas...\n"
    "Note: It is not necessary to crop the Canvas if you need to just Export some part of the image.\n"
    "Just draw the crop rectangle with the Export Crop tool and then go directly to File-Export.";

// Moves every object so that `area`'s corner becomes the canvas origin, makes the canvas
// the area's size and lets the view fit it. Undo keeps its snapshots; the document is
// modified so that the new canvas is not lost at close.
void MoveCanvasTo(ToolMachine& tools, const Rect& area) {
  CPlenivorDoc& doc = tools.Doc();
  for (const auto& object : doc.Objects())
    object->MoveTo(object->GetX() - area.left, object->GetY() - area.top);
  doc.SetCanvasSize(area.right - area.left, area.bottom - area.top);
  doc.SetModified();
  tools.ForgetSelection();
  tools.Port().DropCache();
  doc.UpdateAllViews(kHintCanvasChanged);
  tools.Port().InvalidateAll();
}

std::vector<CDrawObject*> SelectedObjects(const ToolMachine& tools) {
  if (CDrawObject* current = tools.Selected()) return {current};
  return tools.MultiSelection();
}

bool HasSelection(const ToolMachine& tools) { return !SelectedObjects(tools).empty(); }
bool SelectedBitmap(const ToolMachine& tools) {
  return tools.Selected() != nullptr && tools.Selected()->IsBitmap();
}
bool Always(const ToolMachine&) { return true; }

bool TrimToOutlines(CommandContext& c) { return TrimCanvasToObjects(c.tools, false); }
bool TrimToEffects(CommandContext& c) { return TrimCanvasToObjects(c.tools, true); }
bool CropToRegion(CommandContext& c) { return CropCanvasToCropRegion(c.tools); }

constexpr std::array kCommands = {
    DialogCommand{"Size and Color...", Always, RunDocumentProperties},
    DialogCommand{"Trim Canvas to size of the objects", Always, TrimToOutlines},
    DialogCommand{"Trim canvas for all objects and their shadows", Always, TrimToEffects},
    DialogCommand{"Trim canvas to the size of a crop tool", Always, CropToRegion},
    DialogCommand{"General Settings...", Always, RunGeneralSettings},
    DialogCommand{"Bitmap Effects...", SelectedBitmap, RunBitmapEffects},
    DialogCommand{"Shift Color...", HasSelection, RunShiftColour},
};

}  // namespace

DocumentCounts CountDocument(const CPlenivorDoc& doc) {
  DocumentCounts counts;
  counts.objects = static_cast<int>(doc.Objects().size());
  counts.groups = static_cast<int>(doc.Groups().size());
  for (const auto& object : doc.Objects())
    counts.vectors += object->Outline().Count() + object->Polynome().Count();
  counts.preloaded = static_cast<int>(doc.TextureBank().Size());
  return counts;
}

bool AcceptCanvasSize(Host& host, int width, int height) {
  // Negative sizes count as too big.
  if (width > kMaxDialogCanvasWidth || height > kMaxDialogCanvasHeight || width < 0 || height < 0) {
    host.Message(kTooBig, MessageKind::Warning);
    return false;
  }
  if (width == 0 || height == 0) {
    host.Message(kZeroSize, MessageKind::Warning);
    return false;
  }
  return true;
}

void ApplyDocumentProperties(CPlenivorDoc& doc, const DocumentPropertiesValues& values) {
  doc.SetCanvasSize(values.width, values.height);
  doc.SetCanvasColor(values.colour);
  doc.SetModified();
  doc.UpdateAllViews(kHintCanvasChanged);
}

bool TrimCanvasToObjects(ToolMachine& tools, bool with_effects) {
  CPlenivorDoc& doc = tools.Doc();
  if (doc.Objects().empty()) {
    doc.GetHost().Message(kNoObjects, MessageKind::Warning);
    return false;
  }
  // Objects showing a button look are measured, and kept, in their normal look.
  for (const auto& object : doc.Objects()) {
    object->StoreShownState();
    object->ShowState(0);
  }
  tools.Port().MarkCacheInvalid();
  tools.Port().InvalidateAll();
  std::optional<Rect> area;
  for (const auto& object : doc.Objects()) {
    const Rect r = with_effects ? object->GetVisualRect(object->GetRect()) : object->OutlineBounds();
    area = area ? Union(*area, r) : r;
  }
  if (area->right - area->left < kMinTrimmedCanvasSide || area->bottom - area->top < kMinTrimmedCanvasSide) {
    doc.GetHost().Message(kTooSmall, MessageKind::Warning);
    return false;
  }
  MoveCanvasTo(tools, *area);
  return true;
}

bool CropCanvasToCropRegion(ToolMachine& tools) {
  CPlenivorDoc& doc = tools.Doc();
  if (!doc.IsCropActive()) {
    doc.GetHost().Message(kNoCropRegion, MessageKind::Information);
    return false;
  }
  const Rect c = doc.GetCropRect();
  const Rect area{std::min(c.left, c.right), std::min(c.top, c.bottom), std::max(c.left, c.right),
                  std::max(c.top, c.bottom)};
  if (area.right - area.left < kMinTrimmedCanvasSide || area.bottom - area.top < kMinTrimmedCanvasSide) {
    doc.GetHost().Message(kTooSmall, MessageKind::Warning);
    return false;
  }
  doc.SetCropActive(false);
  doc.SetCropRect({0, 0, 0, 0});
  MoveCanvasTo(tools, area);
  return true;
}

GeneralSettingsValues ReadGeneralSettings(const CPlenivorDoc& doc, const Settings& settings) {
  GeneralSettingsValues v;
  v.always_portable = settings.GetInt("Settings", "STexture", 0) != 0;
  v.portable = doc.IsPortable();
  v.default_width = settings.GetInt("Settings", "DefWidth", 400);
  v.default_height = settings.GetInt("Settings", "DefHeight", 300);
  v.backup_minutes = settings.GetInt("Settings", "Backup", 5);
  v.undo_levels = settings.GetInt("Settings", "Undo", 4);
  return v;
}

void ApplyGeneralSettings(CPlenivorDoc& doc, Settings& settings, const GeneralSettingsValues& v) {
  settings.SetInt("Settings", "STexture", v.always_portable ? 1 : 0);
  doc.SetPortable(v.portable);
  settings.SetInt("Settings", "DefWidth", v.default_width);
  settings.SetInt("Settings", "DefHeight", v.default_height);
  settings.SetInt("Settings", "Backup", v.backup_minutes);
  const int undo = std::min(v.undo_levels, kMaxUndoLevels);
  settings.SetInt("Settings", "Undo", undo);
  doc.SetUndoLimit(undo);
}

bool ApplyColourTweak(CDIBSection& image, const ColourTweakChoice& choice) {
  CFilterFactory factory;
  if (!factory.SetImage(image)) return false;
  factory.SelectFilter(choice.filter);
  for (int i = 0; i < CFilterFactory::kParamSlots; ++i) factory.SetParam(i, choice.params[i]);
  factory.ApplyFilter();
  return true;
}

ColourTweakChoice DefaultColourTweak(int filter) {
  CFilterFactory factory;
  factory.SelectFilter(filter);
  ColourTweakChoice choice;
  choice.filter = filter;
  for (int i = 0; i < CFilterFactory::kParamSlots; ++i) choice.params[i] = factory.GetParam(i);
  return choice;
}

std::span<const DialogCommand> CanvasMenuCommands() { return kCommands; }

const DialogCommand* FindCanvasCommand(std::string_view text) {
  for (const DialogCommand& c : kCommands)
    if (c.text == text) return &c;
  return nullptr;
}

bool RunDocumentProperties(CommandContext& c) {
  CPlenivorDoc& doc = c.tools.Doc();
  DocumentPropertiesValues values{doc.GetCanvasWidth(), doc.GetCanvasHeight(), doc.GetCanvasColor()};
  if (!c.dialogs.DocumentProperties(doc, values)) return false;
  ApplyDocumentProperties(doc, values);
  return true;
}

bool RunGeneralSettings(CommandContext& c) {
  CPlenivorDoc& doc = c.tools.Doc();
  GeneralSettingsValues values = ReadGeneralSettings(doc, c.settings);
  if (!c.dialogs.GeneralSettings(values)) return false;
  ApplyGeneralSettings(doc, c.settings, values);
  return true;
}

bool RunBitmapEffects(CommandContext& c) {
  CDrawObject* object = c.tools.Selected();
  if (!object || !object->IsBitmap()) return false;
  CPlenivorDoc& doc = c.tools.Doc();
  // The dialog works on the bitmap at the size it is shown.
  const bool resized = object->ApplySizeChanges() != 0;
  CDIBSection& source = object->SourceBitmap();
  ColourTweakChoice choice = DefaultColourTweak(0);
  bool filtered = false;
  if (c.dialogs.ColourTweak(source, choice)) {
    WaitCursor wait(c.tools.GetHost());
    filtered = ApplyColourTweak(source, choice);
    if (filtered) object->Render();
  }
  if (!filtered && !resized) return false;
  doc.SetModified();
  doc.TakeSnapshot();
  c.tools.Port().MarkCacheInvalid();
  c.tools.InvalidateObject(*object);
  return filtered;
}

bool RunShiftColour(CommandContext& c) {
  const std::vector<CDrawObject*> objects = SelectedObjects(c.tools);
  if (objects.empty()) return false;
  ShiftColourChoice choice;
  if (!c.dialogs.ShiftColour(choice) || choice.from == choice.towards) return false;
  if (ShiftFillColours(objects, choice.from, choice.towards) == 0) return false;
  CPlenivorDoc& doc = c.tools.Doc();
  doc.SetModified();
  doc.TakeSnapshot();
  c.tools.Port().MarkCacheInvalid();
  for (CDrawObject* object : objects) c.tools.InvalidateObject(*object);
  return true;
}

}  // namespace lumi
