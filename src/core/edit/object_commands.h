#pragma once
// The commands of the Edit, Object and Bitmap menus on the view's selection. Each does
// nothing when the selection it needs is missing; the enable rules of the command table
// (object_command_table.cpp) say which selection that is.
#include <vector>

namespace lumi {

class CDrawObject;
class ToolMachine;

enum class StackMove { ToFront, ToBack, Forward, Backward };
enum class AlignEdge { Left, Right, Top, Bottom, Center };

// ---- selection
void SelectNextObject(ToolMachine& m);
void SelectPreviousObject(ToolMachine& m);
void SelectAllObjects(ToolMachine& m);
// "Delete Object": with the shape tool a point, otherwise the selected object(s).
void DeleteSelection(ToolMachine& m);
// Removes `object` from the document (and from the groups' rectangles); no snapshot.
void RemoveObject(ToolMachine& m, CDrawObject* object);

// ---- arrangement
void MoveInStack(ToolMachine& m, StackMove move);
void AlignSelection(ToolMachine& m, AlignEdge edge);
// One pixel in a direction; no undo snapshot (the next snapshot keeps the new place).
void Nudge(ToolMachine& m, int dx, int dy);
void FlipSelection(ToolMachine& m, bool vertical);
// The angle the rotate command turns by: the typed value modulo 360, keeping its sign.
int NormalisedRotateAngle(int typed);
// "Rotate...": the dialog, then the turn.
void RotateSelection(ToolMachine& m);
void HideObjectsAboveSelection(ToolMachine& m);
void ShowAllObjects(ToolMachine& m);

// ---- groups
void GroupSelection(ToolMachine& m);
void UngroupSelection(ToolMachine& m);
void CombineSelection(ToolMachine& m);

// ---- clipboard
void CopySelection(ToolMachine& m);
void PasteFromClipboard(ToolMachine& m);
// Copy, then delete, as one undo step.
void CutSelection(ToolMachine& m);
void PasteAttributes(ToolMachine& m);

}  // namespace lumi
