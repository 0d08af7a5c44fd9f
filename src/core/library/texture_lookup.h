#pragma once
// Turning an object's fill or transparency texture name into pixels: the bank first,
// then the file of that name in the matching folder; when both fail the user is told
// once and the object's name is cleared for good.
#include <string>

#include "library/texture_bank.h"

namespace lumi {

class Host;

// Which message a missing texture shows. The two transparency paths word it differently.
enum class MissingTextureText {
  kFill,               // "This file uses missing texture: ..."
  kCutTransparency,    // "This file uses missing transparency texture: ..."
  kPaintTransparency,  // "This file uses missing transparent texture: ..."
};

// The message for a missing texture named `name`.
std::string MissingTextureMessage(MissingTextureText which, const std::string& name);

// Finds `name` in the bank or loads `folder` + `name` into it. On failure shows the
// missing-texture message through `host`, sets `name` to "" and returns nothing.
TextureView FindOrLoadTexture(CTextureBank& bank, const std::string& folder, std::string& name,
                              MissingTextureText which, Host& host);

// The part of a path after its last separator (backslash or slash), the whole path when
// it has none.
std::string FinalPathPart(const std::string& path);

}  // namespace lumi
