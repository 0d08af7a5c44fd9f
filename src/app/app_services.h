#pragma once
// What the whole program shares and what outlives every document: the settings store,
// the one texture bank and the library folders, and the render context over both that
// the window's document gives its objects.
#include <memory>

#include "base/folders.h"
#include "base/settings.h"
#include "library/texture_bank.h"
#include "render/render_context.h"

namespace lumi::app {

class AppServices {
 public:
  AppServices(std::unique_ptr<Settings> settings, FolderSet folders);
  ~AppServices();
  AppServices(const AppServices&) = delete;
  AppServices& operator=(const AppServices&) = delete;

  Settings& GetSettings() { return *settings_; }
  CTextureBank& Bank() { return bank_; }
  const FolderSet& Folders() const { return folders_; }
  const RenderContext& Context() const { return context_; }

 private:
  std::unique_ptr<Settings> settings_;
  CTextureBank bank_;
  FolderSet folders_;
  RenderContext context_;
};

}  // namespace lumi::app
