// Which folder the viewer opens at start-up: the game's own characters folder when the registry
// names one that exists, else the save folder of the 2025 re-release, where current players keep
// their Sims.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry/environment.h"

namespace quill::platform::registry {

// The Steam application whose Proton prefix holds the re-release's saves.
inline constexpr std::string_view kReReleaseSteamApp = "3314060";

// `gameDataFolder` is GetGameDataFolder()'s answer. Nothing when no candidate folder exists; the
// viewer then stays in the process's current folder.
std::optional<std::filesystem::path> ChooseStartupFolder(const std::string& gameDataFolder,
                                                         const Environment& env);
std::optional<std::filesystem::path> ChooseStartupFolder(const std::string& gameDataFolder);

// Where a drive-absolute Windows path ("C:\Program Files\...") of the Wine prefix lies: through
// the prefix's dosdevices drive links, each component matched against the existing entries with
// case ignored, as Wine does on a case-sensitive file system. Components that do not exist are
// kept as written. Nothing for other forms of path or an unmapped drive.
std::optional<std::filesystem::path> MapWindowsPathToWine(const std::filesystem::path& prefix,
                                                          std::string_view windowsPath);

}  // namespace quill::platform::registry
