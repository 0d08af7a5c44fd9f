#include "app_services.h"

#include <utility>

namespace lumi::app {

AppServices::AppServices(std::unique_ptr<Settings> settings, FolderSet folders)
    : settings_(std::move(settings)), folders_(std::move(folders)) {
  context_.bank = &bank_;
  context_.folders = &folders_;
}

AppServices::~AppServices() = default;

}  // namespace lumi::app
