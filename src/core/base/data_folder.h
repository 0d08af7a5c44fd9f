#pragma once
// The per-user data folder: libraries, samples and help are seeded into it on first start
// from the read-only installed copy, so the user can add to them.
#include <filesystem>
#include <string>
#include <vector>

namespace lumi {

// Where the program keeps the user's data folder: "Plenivor/Lumiverdant" under
// $XDG_DATA_HOME, or under ~/.local/share when that is not set to an absolute path.
// Empty when neither variable gives a place.
std::filesystem::path UserDataFolder();

// The library and content folders the installed copy provides.
const std::vector<std::string>& SeededFolderNames();

// Copies each seeded folder from `installed` into `user` when `user` lacks it; folders
// the user already has are left exactly as they are. The gene libraries (.dna files) of
// `installed` are copied when `user` itself is made. Returns the names copied. Throws
// FileError when the user folder cannot be created or a copy fails.
std::vector<std::string> SeedDataFolder(const std::filesystem::path& installed,
                                        const std::filesystem::path& user);

}  // namespace lumi
