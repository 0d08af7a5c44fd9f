#pragma once
// A main window on test terms: settings in memory, data folders in a scratch directory,
// and a recording host so no modal box ever waits for a click.
#include <memory>

#include <QTemporaryDir>

#include "app_services.h"
#include "base/host.h"
#include "base/settings.h"
#include "main_window.h"

namespace lumi::app::testing {

struct TestApp {
  TestApp()
      : services(std::make_unique<MemorySettings>(),
                 FolderSet::FromRoot(scratch.path().toStdString())) {
    auto recording = std::make_unique<RecordingHost>();
    host = recording.get();
    window = std::make_unique<MainWindow>(services, std::move(recording));
  }

  QTemporaryDir scratch;
  AppServices services;
  RecordingHost* host = nullptr;
  std::unique_ptr<MainWindow> window;
};

}  // namespace lumi::app::testing
