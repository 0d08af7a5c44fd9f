#pragma once
// A main window on test terms: settings in memory, data folders in a scratch directory,
// and a recording host so no modal box ever waits for a click.
#include <memory>

#include <QTemporaryDir>
#include <QtTest/QtTest>

#include "app_services.h"
#include "base/host.h"
#include "base/settings.h"
#include "main_window.h"
#include "plenivor_view.h"
#include "sample_document.h"

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

// A window showing the sample document at the given size, painted once: what most window
// tests start from. False when the window never became visible.
inline bool ShowSampleWindow(TestApp& app, int width = 900, int height = 700) {
  FillSampleDocument(app.window->Document());
  app.window->View()->OnUpdate(kHintCanvasChanged);
  app.window->resize(width, height);
  app.window->show();
  return QTest::qWaitForWindowExposed(app.window.get());
}

}  // namespace lumi::app::testing
