#pragma once
// A JSON scene turned into a project document, as `lumiverdant-cli build` saves it.
#include "document/scene.h"

namespace lumi {

class CPlenivorDoc;

// Moves the scene's objects into `doc` (replacing its objects and groups) and gives it the scene's
// canvas size and colour, portable flag, groups (object indexes become the members'
// identifiers, each group's rectangle encloses its members) and active crop region.
// Throws SceneError before touching `doc` when two objects share an identifier, since a
// group could then not say which one it means.
void MoveSceneIntoDocument(Scene&& scene, CPlenivorDoc& doc);

}  // namespace lumi
