#pragma once
// What rendering needs from the application besides the object itself: the one texture
// bank and the folders the texture files are loaded from. The owner (the program or the
// command line) gives it to its document, the document to its objects, and every object
// passes it on to the objects it makes (looks, records read, copies). There is no
// process-wide context.
//
// An object without a context renders with the empty one. Without a bank, texture and
// transparency images are simply not found: nothing is applied, and the object's texture
// names are kept and no message is shown, so a tool rendering without the program's data
// never changes the objects it renders. With a bank but no folders, only textures already
// in the bank are found, likewise silently.
namespace lumi {

class CTextureBank;
struct FolderSet;

struct RenderContext {
  CTextureBank* bank = nullptr;
  const FolderSet* folders = nullptr;
};

}  // namespace lumi
