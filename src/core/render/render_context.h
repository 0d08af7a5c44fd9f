#pragma once
// What rendering needs from the application besides the object itself: the one texture
// bank and the folders the texture files are loaded from. The owner (the program or the
// command line) sets a process-wide default; an object may be given its own.
//
// Without a bank, texture and transparency images are simply not found: nothing is
// applied, and the object's texture names are kept and no message is shown, so a tool
// rendering without the program's data never changes the objects it renders. With a
// bank but no folders, only textures already in the bank are found, likewise silently.
namespace lumi {

class CTextureBank;
struct FolderSet;

struct RenderContext {
  CTextureBank* bank = nullptr;
  const FolderSet* folders = nullptr;
};

// The context objects without one of their own render with; null (the start) means
// none. The caller keeps the context alive while it is set.
void SetDefaultRenderContext(const RenderContext* context);
const RenderContext* DefaultRenderContext();

}  // namespace lumi
