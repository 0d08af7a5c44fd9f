#pragma once
// Start-up work that comes before the main window: the data folder and the published
// folder values.
#include <QString>

#include "base/folders.h"
#include "base/host.h"

namespace lumi::app {

// The installed read-only data (share/lumiverdant beside the program, or the source tree's
// data folder when running from a build).
QString InstalledDataFolder();
// The per-user data folder (~/.local/share/Plenivor/Lumiverdant).
QString UserDataFolder();

// Seeds the user data folder from the installed copy and returns the folder set. A
// failure to seed is reported through `host` and start-up goes on with what is there.
FolderSet PrepareDataFolder(Host& host);

// Writes "Textures", "Transpar", "Styles" and "Objects" into the "LumiverdantFile" settings
// file, at every start, for other programs to find the libraries. When the file cannot be
// written the user is told and start-up goes on.
void PublishFolders(const FolderSet& folders, Host& host, const QString& file_path = {});

}  // namespace lumi::app
