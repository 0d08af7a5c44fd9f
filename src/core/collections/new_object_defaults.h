#pragma once
// The attributes a new object starts with, from the set the colour, texture and bevel
// bars (or a style applied with nothing selected) last wrote.
//
//   NewObjectDefaults& set = DefaultSetFor(sets, current);   // a bar writes its values here
//   ApplyNewObjectDefaults(*object, sets.shapes, line_width);  // the create-object step
#include "collections/style_library.h"

namespace lumi {

class CDrawObject;

// The set a bar writes while `current` is the view's object: the text set for live text,
// the shapes set otherwise (also with no object).
NewObjectDefaults& DefaultSetFor(NewObjectDefaultSets& sets, const CDrawObject* current);

// Gives a new object the set's attributes and the default line width. Bitmaps keep their
// own; a "3D Ball" bevel kind is not handed on (the object keeps its own kind).
void ApplyNewObjectDefaults(CDrawObject& object, const NewObjectDefaults& set, int line_width);

}  // namespace lumi
