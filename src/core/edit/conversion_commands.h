#pragma once
// The Object and Bitmap menus' conversions and bitmap commands on the single selection,
// and the bitmap commands that take two objects of a multi-selection.
namespace lumi {

class ToolMachine;

// "Hard Edge" (1) to "Extreme" (4).
void SetSelectionEdgeQuality(ToolMachine& m, int quality);
void ConvertTextToPolynome(ToolMachine& m);
void ConvertObjectToPolynome(ToolMachine& m);
void ConvertSelectionToBitmap(ToolMachine& m);
// A polynome becomes an envelope polynome, a bitmap an envelope bitmap; then the shape
// tool edits it.
void ConvertToEnvelope(ToolMachine& m);
void ResetTextTransformations(ToolMachine& m);
void EditSelectedText(ToolMachine& m);

void WhiteTransparency(ToolMachine& m);
void TransparencyFromIntensity(ToolMachine& m);
void ResetBitmapAll(ToolMachine& m);
void ResetBitmapTransformation(ToolMachine& m);
void UpdateFromOriginal(ToolMachine& m);
// Asks first; applies the pending size changes on Yes.
void ApplyBitmapSizeChanges(ToolMachine& m);
// 0 "Sharpen", 1 "Sharpen More", 2 "Blur".
void FilterBitmap(ToolMachine& m, int filter);
void CreateProjectTexture(ToolMachine& m);

// Of the first two members, the earlier in the list is the bitmap below and the other
// the object above it.
void CropBitmapToObject(ToolMachine& m);
void TransparencyFromObject(ToolMachine& m, bool inverted, bool hard);

}  // namespace lumi
